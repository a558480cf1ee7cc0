#include "tests/net/Peers.h"

#include <gtest/gtest.h>

#include "net/blocksock.h"

namespace {

const int kWait = 5000;

// A plug-in that "encrypts" by flipping bits, to follow the data through
// the plug-in's paths; Connect switches it on.
class TFlipSSL : public TCustomSSL {
 public:
  using TCustomSSL::TCustomSSL;
  bool FailReceive = false;
  bool Connect() override {
    FSSLEnabled = true;
    return true;
  }
  bool Shutdown() override {
    FSSLEnabled = false;
    ++Shutdowns;
    return true;
  }
  int SendBuffer(const void* Buffer, int Len) override {
    std::string data(static_cast<const char*>(Buffer), static_cast<size_t>(Len));
    for (char& c : data) c = static_cast<char>(c ^ 0x5A);
    return send(FSocket->Socket(), data.data(), Len, 0);
  }
  int RecvBuffer(void* Buffer, int Len) override {
    if (FailReceive) {
      FLastError = 1;
      FLastErrorDesc = L"bad record";
      return -1;
    }
    int r = recv(FSocket->Socket(), static_cast<char*>(Buffer), Len, 0);
    for (int i = 0; i < r; ++i) static_cast<char*>(Buffer)[i] ^= 0x5A;
    return r;
  }
  int WaitingData() override { return 0; }
  int Shutdowns = 0;
};

struct Tunnel {
  std::string head;  // the request the proxy received
};

// A fake HTTP proxy: reads one request head, answers with Reply and then
// echoes what comes through the tunnel until the client closes.
void RunProxy(const RawSocket& Listener, const std::string& Reply, Tunnel& Seen) {
  RawSocket c = AcceptWithin(Listener, kWait);
  Seen.head = c.RecvUntil("\r\n\r\n", kWait);
  c.SendAll(Reply);
  for (std::string piece; !(piece = c.RecvSome(kWait)).empty();) c.SendAll(piece);
}

Owned<TTCPBlockSocket> ThroughTunnel(int Port) {
  Owned<TTCPBlockSocket> s(new TTCPBlockSocket());
  s->SetHTTPTunnelIP(L"127.0.0.1");
  s->SetHTTPTunnelPort(IntToStr(Port));
  s->SetHTTPTunnelTimeout(kWait);
  return s;
}

}  // namespace

TEST(TcpSocket, TunnelRequestsAndEstablishedTunnels) {
  struct {
    const wchar_t *host, *port, *user, *pass;
    std::string head;
    const wchar_t* remote;
    int remotePort;
  } cases[] = {
      {L"10.0.0.1", L"80", L"", L"", "CONNECT 10.0.0.1:80 HTTP/1.0\r\n\r\n", L"10.0.0.1", 80},
      {L"2001:db8::1", L"443", L"", L"", "CONNECT [2001:db8::1]:443 HTTP/1.0\r\n\r\n", L"[2001:db8::1]", 443},
      {L"example.test", L"http", L"u", L"p",
       "CONNECT example.test:80 HTTP/1.0\r\nProxy-Authorization: Basic dTpw\r\n\r\n", L"example.test", 80},
  };
  for (auto& c : cases) {
    RawSocket listener = ListenOn();
    Tunnel seen;
    PeerThread proxy([&] { RunProxy(listener, "HTTP/1.0 200 Connection established\r\nVia: fake\r\n\r\n", seen); });
    Owned<TTCPBlockSocket> s = ThroughTunnel(listener.Port());
    s->SetHTTPTunnelUser(c.user);
    s->SetHTTPTunnelPass(c.pass);
    int afterConnect = 0;
    s->OnAfterConnect = [&](TObject*) { ++afterConnect; };
    s->Connect(c.host, c.port);
    ASSERT_EQ(s->LastError(), 0) << s->LastErrorDesc().c_str();
    EXPECT_TRUE(s->HTTPTunnel());
    EXPECT_EQ(afterConnect, 1);
    EXPECT_EQ(s->GetRemoteSinIP(), c.remote);
    EXPECT_EQ(s->GetRemoteSinPort(), c.remotePort);
    s->SendString("payload");
    EXPECT_EQ(s->RecvBufferStr(7, kWait), "payload");
    s->CloseSocket();
    proxy.Join();
    EXPECT_EQ(seen.head, c.head);
  }
}

TEST(TcpSocket, ATunnelTheProxyRefusesIsAnError) {
  struct {
    std::string reply;
    int error;
  } cases[] = {
      {"HTTP/1.1 407 Proxy Authentication Required\r\nProxy-Authenticate: Basic\r\n\r\n", 10061},
      {"HTTP/1.0 20\n\n", 10061},           // a status line of 11 characters says nothing
      {"HTTP/1.0 200 OK\r\n", 10054},        // the proxy closes before the head ends
  };
  for (auto& c : cases) {
    RawSocket listener = ListenOn();
    Tunnel seen;
    PeerThread proxy([&] {
      RawSocket p = AcceptWithin(listener, kWait);
      seen.head = p.RecvUntil("\r\n\r\n", kWait);
      p.SendAll(c.reply);
    });
    Owned<TTCPBlockSocket> s = ThroughTunnel(listener.Port());
    int afterConnect = 0;
    s->OnAfterConnect = [&](TObject*) { ++afterConnect; };
    s->Connect(L"10.0.0.1", L"80");
    EXPECT_EQ(s->LastError(), c.error) << c.reply;
    if (c.error == 10061) {
      EXPECT_FALSE(s->HTTPTunnel());
    }
    EXPECT_EQ(afterConnect, 0);
    proxy.Join();
  }
  Owned<TTCPBlockSocket> s = ThroughTunnel(UnusedPort());
  s->Connect(L"10.0.0.1", L"80");
  EXPECT_EQ(s->LastError(), 10061);  // the proxy itself refused
  EXPECT_FALSE(s->HTTPTunnel());
}

TEST(TcpSocket, WithoutSslSupportEverySslStepFails) {
  Owned<TTCPBlockSocket> s(new TTCPBlockSocket());
  TCustomSSL* ssl = s->SSL();
  ASSERT_NE(ssl, nullptr);
  EXPECT_EQ(ssl->ClassName(), L"TSSLNone");
  EXPECT_EQ(ssl->LibName(), L"ssl_none");
  EXPECT_EQ(ssl->LibVersion(), L"Without SSL support");
  EXPECT_FALSE(ssl->SSLEnabled());
  EXPECT_EQ(ssl->Socket(), s.get());
  EXPECT_EQ(ssl->CertComplianceLevel(), -1);
  EXPECT_EQ(ssl->SSLType(), TSSLType::LT_all);
  s->SSLDoConnect();
  EXPECT_EQ(s->LastError(), 10091);
  EXPECT_EQ(s->LastErrorDesc(), L"SSL/TLS support is not compiled!");
  EXPECT_FALSE(s->SSLAcceptConnection());
  EXPECT_EQ(ssl->LastError(), -1);
  char b[4];
  EXPECT_EQ(ssl->RecvBuffer(b, 4), -1);
  EXPECT_EQ(ssl->WaitingData(), 0);
  EXPECT_EQ(ssl->GetPeerSerialNo(), -1);
  EXPECT_EQ(ssl->GetVerifyCert(), 1);

  Owned<TTCPBlockSocket> other(new TTCPBlockSocket());
  ssl->SetUsername(L"name");
  ssl->SetCertCAFile(L"ca.pem");
  ssl->SetSNIHost(L"host.test");
  ssl->SetVerifyCert(true);
  ssl->SetSSHChannelType(L"session");
  other->SSL()->Assign(ssl);
  EXPECT_EQ(other->SSL()->Username(), L"name");
  EXPECT_EQ(other->SSL()->CertCAFile(), L"ca.pem");
  EXPECT_EQ(other->SSL()->SNIHost(), L"host.test");
  EXPECT_TRUE(other->SSL()->VerifyCert());
  EXPECT_EQ(other->SSL()->SSHChannelType(), L"");  // not copied
}

TEST(TcpSocket, CloseIsGracefulOnlyWithoutAPendingError) {
  for (bool withError : {false, true}) {
    RawSocket listener = ListenOn();
    Owned<TTCPBlockSocket> s(new TTCPBlockSocket());
    s->Connect(L"127.0.0.1", IntToStr(listener.Port()));
    RawSocket peer = AcceptWithin(listener, kWait);
    peer.SendAll("data");
    ASSERT_TRUE(s->CanRead(kWait));
    if (withError) s->Accept();  // not listening: an error stays pending
    s->CloseSocket();
    // The graceful close reads and drops what the peer still sent.
    EXPECT_EQ(s->RecvCounter(), withError ? 0 : 4) << withError;
    EXPECT_EQ(s->Socket(), INVALID_SOCKET);
  }
}

TEST(TcpSocket, ClosingWhileThePeerKeepsSendingEnds) {
  RawSocket listener = ListenOn();
  Owned<TTCPBlockSocket> s(new TTCPBlockSocket());
  s->Connect(L"127.0.0.1", IntToStr(listener.Port()));
  RawSocket peer = AcceptWithin(listener, kWait);
  ASSERT_TRUE(peer.Valid());
  const std::string chunk(32768, 'p');
  ASSERT_TRUE(peer.SendAll(chunk));
  ASSERT_TRUE(s->CanRead(kWait));
  // Every receive makes the peer send more: the purge never runs dry.
  int64_t fed = 0;
  const int64_t feedLimit = int64_t{32} << 20;
  s->OnMonitor = [&](TObject*, bool writing, const void*, int) {
    if (!writing && fed < feedLimit) {
      peer.SendAll(chunk);
      fed += static_cast<int64_t>(chunk.size());
    }
  };
  s->CloseSocket();
  EXPECT_EQ(s->Socket(), INVALID_SOCKET);
  EXPECT_LE(s->RecvCounter(), TBlockSocket::PurgeLimit + 65536);
  EXPECT_LT(fed, feedLimit);
}

TEST(TcpSocket, AnEnabledPlugInCarriesTheData) {
  RawSocket listener = ListenOn();
  Owned<TTCPBlockSocket> s(new TTCPBlockSocket(SSLClassOf<TFlipSSL>()));
  s->Connect(L"127.0.0.1", IntToStr(listener.Port()));
  RawSocket peer = AcceptWithin(listener, kWait);
  auto* ssl = static_cast<TFlipSSL*>(s->SSL());
  s->SSLDoConnect();
  ASSERT_EQ(s->LastError(), 0);
  ASSERT_TRUE(ssl->SSLEnabled());
  s->SendString("abc");
  EXPECT_EQ(peer.RecvExact(3, kWait), Bytes({'a' ^ 0x5A, 'b' ^ 0x5A, 'c' ^ 0x5A}));
  EXPECT_EQ(s->SendCounter(), 3);
  peer.SendAll(Bytes({'x' ^ 0x5A, 'y' ^ 0x5A}));
  ASSERT_TRUE(s->CanRead(kWait));
  EXPECT_EQ(s->RecvPacket(kWait), "xy");
  ssl->FailReceive = true;
  peer.SendAll("z");
  ASSERT_TRUE(s->CanRead(kWait));
  EXPECT_EQ(s->RecvPacket(kWait), "");
  EXPECT_EQ(s->LastError(), 10091);
  EXPECT_EQ(s->LastErrorDesc(), L"bad record");  // the plug-in's own text
  s->CloseSocket();
  EXPECT_EQ(ssl->Shutdowns, 1);
}
