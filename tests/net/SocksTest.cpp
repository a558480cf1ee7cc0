#include "tests/net/Peers.h"

#include <gtest/gtest.h>

#include "net/blocksock.h"

namespace {

// A TCP socket set to pass through the fake proxy on Port.
Owned<TTCPBlockSocket> ThroughProxy(int Port, TSocksType Type = TSocksType::ST_Socks5) {
  Owned<TTCPBlockSocket> s(new TTCPBlockSocket());
  s->SetSocksIP(L"127.0.0.1");
  s->SetSocksPort(IntToStr(Port));
  s->SetSocksType(Type);
  s->SetSocksTimeout(5000);
  return s;
}

const int kWait = 5000;

}  // namespace

TEST(Socks, AddressFieldsOfBothVersions) {
  Owned<TSocksBlockSocket> s(new TSocksBlockSocket());
  struct {
    TSocksType type;
    const wchar_t *user, *host, *port;
    std::string bytes;
  } cases[] = {
      {TSocksType::ST_Socks5, L"", L"x.test", L"80", Bytes({3, 6, 'x', '.', 't', 'e', 's', 't', 0, 0x50})},
      {TSocksType::ST_Socks5, L"", L"10.0.0.1", L"8080", Bytes({1, 10, 0, 0, 1, 0x1F, 0x90})},
      {TSocksType::ST_Socks5, L"", L"::1", L"http",
       Bytes({4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0x50})},
      {TSocksType::ST_Socks4, L"u", L"x.test", L"80",
       Bytes({0, 0x50, 0, 0, 0, 1, 'u', 0, 'x', '.', 't', 'e', 's', 't', 0})},
      {TSocksType::ST_Socks4, L"", L"10.0.0.1", L"80", Bytes({0, 0x50, 10, 0, 0, 1, 0})},
  };
  for (auto& c : cases) {
    s->SetSocksType(c.type);
    s->SetSocksUsername(c.user);
    EXPECT_EQ(Hex(s->EncodeSocksAddress(c.host, c.port)), Hex(c.bytes)) << c.host;
    EXPECT_EQ(s->LastError(), 0);
  }
}

TEST(Socks, AHostNameTooLongForItsLengthByteIsRefused) {
  Owned<TSocksBlockSocket> s(new TSocksBlockSocket());
  std::string field = s->EncodeSocksAddress(String(255, L'a'), L"80");
  EXPECT_EQ(field.size(), 1u + 1u + 255u + 2u);
  EXPECT_EQ(static_cast<uint8_t>(field[1]), 255);
  EXPECT_EQ(s->EncodeSocksAddress(String(256, L'a'), L"80"), "");
  EXPECT_EQ(s->LastError(), 10063);
}

TEST(Socks, DecodingRepliesAndHeaders) {
  Owned<TSocksBlockSocket> s(new TSocksBlockSocket());
  struct {
    TSocksType type;
    std::string reply;
    int next;
    const wchar_t *ip, *port;
  } cases[] = {
      {TSocksType::ST_Socks5, Bytes({5, 0, 0, 1, 10, 1, 2, 3, 0x10, 0xE1}), 11, L"10.1.2.3", L"4321"},
      {TSocksType::ST_Socks5, Bytes({5, 0, 0, 1, 10, 1, 2, 3, 0x10}), 5, nullptr, L"0"},
      {TSocksType::ST_Socks5, Bytes({5, 0, 0, 3, 3, 'a', 'b', 'c', 0, 21, 'X'}), 11, L"abc", L"21"},
      {TSocksType::ST_Socks5, Bytes({5, 0, 0, 3, 9, 'a', 'b'}), 5, nullptr, L"0"},
      {TSocksType::ST_Socks5,
       Bytes({5, 0, 0, 4, 0x20, 1, 0x0d, 0xb8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 53}), 23, L"2001:db8::1", L"53"},
      {TSocksType::ST_Socks5, Bytes({5, 0, 0, 9, 1, 2, 3, 4, 5, 6}), 5, nullptr, L"0"},
      {TSocksType::ST_Socks5, Bytes({5, 0, 0}), 0, nullptr, L"0"},
      {TSocksType::ST_Socks4, Bytes({0, 90, 0x1F, 0x90, 10, 0, 0, 7}), 9, L"10.0.0.7", L"8080"},
      {TSocksType::ST_Socks4, Bytes({0, 90, 0x1F}), 0, nullptr, L"0"},
  };
  for (auto& c : cases) {
    s->SetSocksType(c.type);
    EXPECT_EQ(s->DecodeSocksAddress(c.reply), c.next) << Hex(c.reply);
    if (c.ip) {
      EXPECT_EQ(s->SocksResponseIP(), c.ip);
    }
    EXPECT_EQ(s->SocksResponsePort(), c.port) << Hex(c.reply);
  }
}

TEST(Socks, Version5ConnectWithoutAuthentication) {
  RawSocket listener = ListenOn();
  std::string greeting, request;
  PeerThread proxy([&] {
    RawSocket c = AcceptWithin(listener, kWait);
    greeting = c.RecvExact(3, kWait);
    c.SendAll(Bytes({5, 0}));
    request = c.RecvExact(13, kWait);
    c.SendAll(Bytes({5, 0, 0, 1, 10, 1, 2, 3, 0x10, 0xE1}));
    c.SendAll(c.RecvSome(kWait));  // then the tunnel: an echo
  });
  Owned<TTCPBlockSocket> s = ThroughProxy(listener.Port());
  s->Connect(L"x.test", L"80");
  ASSERT_EQ(s->LastError(), 0) << s->LastErrorDesc().c_str();
  EXPECT_TRUE(s->UsingSocks());
  EXPECT_EQ(s->SocksLastError(), 0);
  EXPECT_EQ(s->GetRemoteSinIP(), L"x.test");
  EXPECT_EQ(s->GetRemoteSinPort(), 80);
  EXPECT_EQ(s->GetLocalSinIP(), L"10.1.2.3");
  EXPECT_EQ(s->GetLocalSinPort(), 4321);
  s->SendString("through");
  EXPECT_EQ(s->RecvBufferStr(7, kWait), "through");
  proxy.Join();
  EXPECT_EQ(Hex(greeting), Hex(Bytes({5, 1, 0})));
  EXPECT_EQ(Hex(request), Hex(Bytes({5, 1, 0, 3, 6, 'x', '.', 't', 'e', 's', 't', 0, 80})));
}

TEST(Socks, Version5WithUserNameAndPassword) {
  RawSocket listener = ListenOn();
  std::string greeting, authentication, request;
  PeerThread proxy([&] {
    RawSocket c = AcceptWithin(listener, kWait);
    greeting = c.RecvExact(4, kWait);
    c.SendAll(Bytes({5, 2}));
    authentication = c.RecvExact(11, kWait);
    c.SendAll(Bytes({1, 0}));
    request = c.RecvExact(10, kWait);
    // A reply naming the bound address by name: 4 + 1 + 3 + 2 bytes.
    c.SendAll(Bytes({5, 0, 0, 3, 3, 'a', 'b', 'c', 0, 21}));
    c.RecvSome(kWait);  // until the client closes
  });
  Owned<TTCPBlockSocket> s = ThroughProxy(listener.Port());
  s->SetSocksUsername(L"user");
  s->SetSocksPassword(L"pass");
  s->Connect(L"10.0.0.1", L"8080");
  ASSERT_EQ(s->LastError(), 0) << s->LastErrorDesc().c_str();
  EXPECT_EQ(s->GetLocalSinIP(), L"abc");
  EXPECT_EQ(s->GetLocalSinPort(), 21);
  s->CloseSocket();
  proxy.Join();
  EXPECT_EQ(Hex(greeting), Hex(Bytes({5, 2, 2, 0})));
  EXPECT_EQ(authentication, Bytes({1, 4}) + "user" + Bytes({4}) + "pass");
  EXPECT_EQ(Hex(request), Hex(Bytes({5, 1, 0, 1, 10, 0, 0, 1, 0x1F, 0x90})));
}

TEST(Socks, ARefusedGreetingSendsNothingMore) {
  RawSocket listener = ListenOn();
  std::string after;
  PeerThread proxy([&] {
    RawSocket c = AcceptWithin(listener, kWait);
    c.RecvExact(3, kWait);
    c.SendAll(Bytes({5, 0xFF}));
    for (std::string piece; !(piece = c.RecvSome(kWait)).empty();) after += piece;  // until the close
  });
  Owned<TTCPBlockSocket> s = ThroughProxy(listener.Port());
  s->Connect(L"x.test", L"80");
  EXPECT_EQ(s->LastError(), 10091);
  EXPECT_FALSE(s->UsingSocks());
  s->CloseSocket();
  proxy.Join();
  EXPECT_EQ(after, "");
}

TEST(Socks, CredentialsTooLongAreRefusedBeforeSending) {
  RawSocket listener = ListenOn();
  std::string received;
  PeerThread proxy([&] {
    RawSocket c = AcceptWithin(listener, kWait);
    for (std::string piece; !(piece = c.RecvSome(kWait)).empty();) received += piece;
  });
  Owned<TTCPBlockSocket> s = ThroughProxy(listener.Port());
  s->SetSocksUsername(String(256, L'u'));
  s->Connect(L"x.test", L"80");
  EXPECT_EQ(s->LastError(), 10063);
  s->CloseSocket();
  proxy.Join();
  EXPECT_EQ(received, "");
}

TEST(Socks, Version4AndItsHostNameForm) {
  struct {
    const wchar_t *host, *user;
    int code;
    std::string request;
    int error;
  } cases[] = {
      {L"10.0.0.1", L"", 90, Bytes({4, 1, 0, 80, 10, 0, 0, 1, 0}), 0},
      {L"x.test", L"u", 90, Bytes({4, 1, 0, 80, 0, 0, 0, 1, 'u', 0, 'x', '.', 't', 'e', 's', 't', 0}), 0},
      {L"10.0.0.1", L"", 91, Bytes({4, 1, 0, 80, 10, 0, 0, 1, 0}), 10091},
  };
  for (auto& c : cases) {
    RawSocket listener = ListenOn();
    std::string request;
    const size_t length = c.request.size();
    PeerThread proxy([&] {
      RawSocket p = AcceptWithin(listener, kWait);
      request = p.RecvExact(static_cast<int>(length), kWait);
      p.SendAll(Bytes({0, c.code, 0, 80, 10, 0, 0, 1}));
      p.RecvSome(kWait);
    });
    Owned<TTCPBlockSocket> s = ThroughProxy(listener.Port(), TSocksType::ST_Socks4);
    s->SetSocksUsername(c.user);
    s->Connect(c.host, L"80");
    EXPECT_EQ(s->LastError(), c.error) << c.host;
    EXPECT_EQ(s->SocksLastError(), c.code);
    s->CloseSocket();
    proxy.Join();
    EXPECT_EQ(Hex(request), Hex(c.request)) << c.host;
  }
}

TEST(Socks, ASilentProxyTimesOut) {
  RawSocket listener = ListenOn();
  PeerThread proxy([&] {
    RawSocket c = AcceptWithin(listener, kWait);
    c.RecvExact(3, kWait);
    c.RecvSome(kWait);  // no answer; waits for the close
  });
  Owned<TTCPBlockSocket> s = ThroughProxy(listener.Port());
  s->SetSocksTimeout(200);
  s->Connect(L"x.test", L"80");
  EXPECT_EQ(s->LastError(), 10060);
  EXPECT_EQ(s->SocksLastError(), 0);
  s->CloseSocket();
}

TEST(Socks, BindListensAndAcceptsThroughTheProxy) {
  RawSocket listener = ListenOn();
  std::string request;
  PeerThread proxy([&] {
    RawSocket c = AcceptWithin(listener, kWait);
    c.RecvExact(3, kWait);
    c.SendAll(Bytes({5, 0}));
    request = c.RecvExact(10, kWait);
    c.SendAll(Bytes({5, 0, 0, 1, 0, 0, 0, 0, 0x15, 0xB3}));  // bound on 0.0.0.0:5555
    c.SendAll(Bytes({5, 0, 0, 1, 10, 9, 8, 7, 0x1A, 0x0A}));  // the peer 10.9.8.7:6666 came
    c.SendAll("data");
    c.RecvSome(kWait);
  });
  Owned<TTCPBlockSocket> s = ThroughProxy(listener.Port());
  s->Bind(L"127.0.0.1", L"0");
  const int localPort = s->GetLocalSinPort();
  s->Listen();
  ASSERT_EQ(s->LastError(), 0) << s->LastErrorDesc().c_str();
  EXPECT_EQ(s->GetLocalSinIP(), L"127.0.0.1");  // the proxy's host for 0.0.0.0
  EXPECT_EQ(s->GetLocalSinPort(), 5555);
  EXPECT_EQ(s->Accept(), s->Socket());
  EXPECT_EQ(s->LastError(), 0);
  EXPECT_EQ(s->GetRemoteSinIP(), L"10.9.8.7");
  EXPECT_EQ(s->GetRemoteSinPort(), 6666);
  EXPECT_EQ(s->RecvBufferStr(4, kWait), "data");
  s->CloseSocket();
  proxy.Join();
  EXPECT_EQ(Hex(request), Hex(Bytes({5, 2, 0, 1, 127, 0, 0, 1, localPort >> 8, localPort & 0xFF})));
}

TEST(Socks, UdpDatagramsThroughTheRelay) {
  RawSocket control = ListenOn();
  RawSocket relay = UdpOn();
  const int destination = 40000;  // named in headers only; nothing is sent there
  std::string request, wrapped;
  PeerThread proxy([&] {
    RawSocket c = AcceptWithin(control, kWait);
    c.RecvExact(3, kWait);
    c.SendAll(Bytes({5, 0}));
    request = c.RecvExact(10, kWait);
    const int rp = relay.Port();
    c.SendAll(Bytes({5, 0, 0, 1, 127, 0, 0, 1, rp >> 8, rp & 0xFF}));
    int clientPort = 0;
    wrapped = RecvDatagram(relay, kWait, &clientPort);
    const std::string header = Bytes({0, 0, 0, 1, 127, 0, 0, 1, destination >> 8, destination & 0xFF});
    SendDatagram(relay, Bytes({0, 0}), "127.0.0.1", clientPort);                           // too short
    SendDatagram(relay, Bytes({0, 0, 0, 7, 1, 2, 3, 4, 0, 1}) + "x", "127.0.0.1", clientPort);  // unknown type
    SendDatagram(relay, header + "HELLO", "127.0.0.1", clientPort);
    c.RecvSome(kWait);  // the association lasts until the control connection closes
  });
  Owned<TUDPBlockSocket> s(new TUDPBlockSocket());
  s->SetSocksIP(L"127.0.0.1");
  s->SetSocksPort(IntToStr(control.Port()));
  s->SetSocksTimeout(kWait);
  s->Bind(L"127.0.0.1", L"0");
  s->Connect(L"127.0.0.1", IntToStr(destination));
  s->SendString("hello");
  ASSERT_EQ(s->LastError(), 0) << s->LastErrorDesc().c_str();
  EXPECT_TRUE(s->UsingSocks());
  // Headers that do not hold an address are refused, never handed on.
  EXPECT_EQ(s->RecvPacket(kWait), "");
  EXPECT_EQ(s->LastError(), 11003);
  EXPECT_EQ(s->RecvPacket(kWait), "");
  EXPECT_EQ(s->LastError(), 11003);
  EXPECT_EQ(s->RecvPacket(kWait), "HELLO");
  EXPECT_EQ(s->LastError(), 0);
  EXPECT_EQ(s->GetRemoteSinIP(), L"127.0.0.1");
  EXPECT_EQ(s->GetRemoteSinPort(), destination);
  const int lp = s->GetLocalSinPort();
  s.p->Free();
  s.p = nullptr;
  proxy.Join();
  EXPECT_EQ(Hex(request), Hex(Bytes({5, 3, 0, 1, 127, 0, 0, 1, lp >> 8, lp & 0xFF})));
  EXPECT_EQ(Hex(wrapped), Hex(Bytes({0, 0, 0, 1, 127, 0, 0, 1, destination >> 8, destination & 0xFF}) + "hello"));
}
