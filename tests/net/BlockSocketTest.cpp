#include "tests/net/Peers.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "base/Lists.h"
#include "net/blocksock.h"

namespace {

int SocketOption(TSocket s, int Level, int Option) {
  int value = 0;
  int length = sizeof value;
  getsockopt(s, Level, Option, reinterpret_cast<char*>(&value), &length);
  return value;
}

struct Report {
  THookSocketReason reason;
  String value;
};

// The reports live as long as the handler: a socket also reports while it
// is freed.
std::shared_ptr<std::vector<Report>> Record(TBlockSocket* s) {
  auto reports = std::make_shared<std::vector<Report>>();
  s->OnStatus = [reports](TObject*, THookSocketReason r, const String& v) { reports->push_back({r, v}); };
  return reports;
}

// A listener whose backlog is full: further connects wait unanswered.
struct FullListener {
  RawSocket listener = ListenOn("127.0.0.1", 1);
  std::vector<RawSocket> fillers;
  FullListener() {
    for (int i = 0; i < 8; ++i) {
      RawSocket s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
      u_long on = 1;
      ioctlsocket(s.Get(), FIONBIO, &on);
      sockaddr_in a{};
      a.sin_family = AF_INET;
      a.sin_port = htons(static_cast<u_short>(listener.Port()));
      a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      connect(s.Get(), reinterpret_cast<sockaddr*>(&a), sizeof a);
      fillers.push_back(std::move(s));
    }
    // The queued ones complete at once; the rest stay pending.
    for (auto& s : fillers) {
      fd_set w;
      FD_ZERO(&w);
      FD_SET(s.Get(), &w);
      timeval tv{0, 100000};
      select(0, nullptr, &w, nullptr, &tv);
    }
  }
};

}  // namespace

TEST(BlockSocket, DefaultsOfANewSocket) {
  Owned<TTCPBlockSocket> s(new TTCPBlockSocket());
  EXPECT_EQ(s->Socket(), INVALID_SOCKET);
  EXPECT_FALSE(s->RaiseExcept());
  EXPECT_FALSE(s->NonBlockMode());
  EXPECT_EQ(s->MaxLineLength(), 0);
  EXPECT_EQ(s->MaxSendBandwidth(), 0);
  EXPECT_EQ(s->Family(), TSocketFamily::SF_Any);
  EXPECT_TRUE(s->PreferIP4());
  EXPECT_TRUE(s->InterPacketTimeout());
  EXPECT_EQ(s->SendMaxChunk(), 65536);
  EXPECT_EQ(s->NonblockSendTimeout(), 15000);
  EXPECT_EQ(s->HeartbeatRate(), 0);
  EXPECT_EQ(s->ConnectionTimeout(), 0);
  EXPECT_EQ(s->SocksPort(), L"1080");
  EXPECT_EQ(s->SocksTimeout(), 60000);
  EXPECT_TRUE(s->SocksResolver());
  EXPECT_EQ(s->HTTPTunnelTimeout(), 30000);
  EXPECT_EQ(s->WSAData().wVersion, 0x0202);
  EXPECT_EQ(s->GetSocketType(), SOCK_STREAM);
  EXPECT_EQ(s->GetSocketProtocol(), IPPROTO_TCP);
}

TEST(BlockSocket, TheHandleComesWithAFixedFamilyOrTheFirstBind) {
  Owned<TUDPBlockSocket> open(new TUDPBlockSocket());
  auto reports(Record(open.get()));
  open->CreateSocket();
  EXPECT_EQ(open->Socket(), INVALID_SOCKET);
  open->Bind(L"0.0.0.0", L"0");  // nothing at all happens
  EXPECT_EQ(open->Socket(), INVALID_SOCKET);
  EXPECT_TRUE(reports->empty());

  Owned<TUDPBlockSocket> fixed(new TUDPBlockSocket());
  fixed->SetFamily(TSocketFamily::SF_IP6);
  fixed->CreateSocket();
  ASSERT_NE(fixed->Socket(), INVALID_SOCKET);
  EXPECT_TRUE(fixed->IP6used());

  Owned<TTCPBlockSocket> named(new TTCPBlockSocket());
  named->CreateSocketByName(L"127.0.0.1");
  ASSERT_NE(named->Socket(), INVALID_SOCKET);
  EXPECT_EQ(SocketOption(named->Socket(), SOL_SOCKET, SO_TYPE), SOCK_STREAM);
}

TEST(BlockSocket, QueuedOptionsApplyInOrderAndCloseDiscardsThem) {
  Owned<TUDPBlockSocket> s(new TUDPBlockSocket());
  s->SetRecvTimeout(1000);
  s->SetTimeout(2000);
  s->SetRecvTimeout(3000);  // the last one of a kind wins
  s->SetTTL(33);
  s->Bind(L"127.0.0.1", L"0");
  ASSERT_EQ(s->LastError(), 0);
  EXPECT_EQ(SocketOption(s->Socket(), SOL_SOCKET, SO_RCVTIMEO), 3000);
  EXPECT_EQ(SocketOption(s->Socket(), SOL_SOCKET, SO_SNDTIMEO), 2000);
  EXPECT_EQ(s->TTL(), 33);
  s->SetTTL(44);  // at once on the open handle
  EXPECT_EQ(s->TTL(), 44);
  s->EnableReuse(true);
  EXPECT_EQ(SocketOption(s->Socket(), SOL_SOCKET, SO_REUSEADDR), 1);
  s->SetSizeSendBuffer(32768);
  EXPECT_GE(s->SizeSendBuffer(), 32768);
  EXPECT_GE(s->SizeRecvBuffer(), 1);
  s->CloseSocket();
  EXPECT_EQ(s->SizeRecvBuffer(), 1024);  // no handle: the fallback value
  EXPECT_EQ(s->LastError(), 10038);

  Owned<TTCPBlockSocket> t(new TTCPBlockSocket());
  t->SetLinger(true, 2500);
  t->CreateSocketByName(L"127.0.0.1");
  linger li{};
  int length = sizeof li;
  getsockopt(t->Socket(), SOL_SOCKET, SO_LINGER, reinterpret_cast<char*>(&li), &length);
  EXPECT_EQ(li.l_onoff, 1);
  EXPECT_EQ(li.l_linger, 2);  // whole seconds

  auto reports(Record(s.get()));
  s->SetRecvTimeout(1234);
  s->CloseSocket();  // without a handle: reported, and the queue is gone
  ASSERT_EQ(reports->size(), 1u);
  EXPECT_EQ((*reports)[0].reason, THookSocketReason::HR_SocketClose);
  s->Bind(L"127.0.0.1", L"0");
  EXPECT_EQ(SocketOption(s->Socket(), SOL_SOCKET, SO_RCVTIMEO), 0);
}

TEST(BlockSocket, ErrorDescriptions) {
  struct {
    int code;
    const wchar_t* text;
  } cases[] = {
      {0, L""},
      {10035, L"Operation would block"},
      {10054, L"Connection reset by peer"},
      {10059, L"Too many references:can't splice"},
      {10091, L"Network subsystem is unusable"},
      {11001, L"Host not found"},
      {11004, L"Valid name, no data record of requested type"},
      {12345, L"Other Winsock error (12345)"},
  };
  for (auto& c : cases) EXPECT_EQ(TBlockSocket::GetErrorDesc(c.code), c.text) << c.code;
}

TEST(BlockSocket, ARefusedConnectIsReportedAtOnceAsRefused) {
  const int port = UnusedPort();
  for (int timeout : {0, 20000}) {
    Owned<TTCPBlockSocket> s(new TTCPBlockSocket());
    s->SetConnectionTimeout(timeout);
    s->Connect(L"127.0.0.1", IntToStr(port));
    EXPECT_EQ(s->LastError(), 10061) << timeout;
    EXPECT_EQ(s->LastErrorDesc(), L"Connection refused");
    EXPECT_FALSE(s->NonBlockMode());  // the mode is restored
  }
  Owned<TTCPBlockSocket> raising(new TTCPBlockSocket());
  raising->SetRaiseExcept(true);
  raising->SetConnectionTimeout(20000);
  try {
    raising->Connect(L"127.0.0.1", IntToStr(port));
    FAIL() << "no exception";
  } catch (const ESocketLayerError& e) {
    EXPECT_EQ(e.ErrorCode(), 10061);
    EXPECT_EQ(e.ErrorMessage(), L"Connection refused");
    EXPECT_EQ(e.Message(), L"TCP/IP Socket error 10061: Connection refused");
  }
}

TEST(BlockSocket, AConnectThatStaysUnansweredTimesOut) {
  FullListener full;
  Owned<TTCPBlockSocket> s(new TTCPBlockSocket());
  auto reports(Record(s.get()));
  s->SetConnectionTimeout(300);
  s->Connect(L"127.0.0.1", IntToStr(full.listener.Port()));
  EXPECT_EQ(s->LastError(), 10060);
  ASSERT_FALSE(reports->empty());
  EXPECT_EQ(reports->back().reason, THookSocketReason::HR_Connect);
  EXPECT_EQ((*reports)[reports->size() - 2].value, L"10060,Connection timed out");
}

TEST(BlockSocket, ListenAcceptAndAdoptOnBothFamilies) {
  for (const wchar_t* host : {L"127.0.0.1", L"::1"}) {
    Owned<TTCPBlockSocket> listener(new TTCPBlockSocket());
    listener->Bind(host, L"0");
    listener->Listen();
    ASSERT_EQ(listener->LastError(), 0) << listener->LastErrorDesc().c_str();
    Owned<TTCPBlockSocket> client(new TTCPBlockSocket());
    auto reports(Record(client.get()));
    const String port = IntToStr(listener->GetLocalSinPort());
    client->SetConnectionTimeout(5000);
    client->Connect(host, port);
    ASSERT_EQ(client->LastError(), 0);
    std::vector<THookSocketReason> reasons;
    for (auto& r : *reports) reasons.push_back(r.reason);
    EXPECT_EQ(reasons, (std::vector<THookSocketReason>{
                           THookSocketReason::HR_ResolvingBegin, THookSocketReason::HR_ResolvingEnd,
                           THookSocketReason::HR_SocketCreate, THookSocketReason::HR_CanWrite,
                           THookSocketReason::HR_Connect}));
    EXPECT_EQ(reports->back().value, String(host) + L":" + port);
    EXPECT_EQ(client->GetRemoteSinIP(), host);
    EXPECT_EQ(client->GetRemoteSinPort(), listener->GetLocalSinPort());

    TSocket accepted = listener->Accept();
    ASSERT_NE(accepted, INVALID_SOCKET);
    EXPECT_EQ(listener->LastError(), 0);
    Owned<TTCPBlockSocket> server(new TTCPBlockSocket());
    server->SetSocket(accepted);
    EXPECT_EQ(server->IP6used(), String(host) == L"::1");
    EXPECT_EQ(server->GetRemoteSinPort(), client->GetLocalSinPort());
    client->SendString("hello");
    EXPECT_EQ(server->RecvBufferStr(5, 5000), "hello");
  }
}

TEST(BlockSocket, AFailedAcceptSetsTheError) {
  Owned<TTCPBlockSocket> s(new TTCPBlockSocket());
  s->Bind(L"127.0.0.1", L"0");  // bound, not listening
  auto reports(Record(s.get()));
  EXPECT_EQ(s->Accept(), INVALID_SOCKET);
  EXPECT_EQ(s->LastError(), 10022);
  EXPECT_EQ(s->LastErrorDesc(), L"Invalid argument");
  EXPECT_EQ(reports->back().reason, THookSocketReason::HR_Accept);
}

TEST(BlockSocket, WouldBlockIsDescribedButNeverRaised) {
  RawSocket listener = ListenOn();
  Owned<TTCPBlockSocket> s(new TTCPBlockSocket());
  s->Connect(L"127.0.0.1", IntToStr(listener.Port()));
  ASSERT_EQ(s->LastError(), 0);
  s->SetNonBlockMode(true);
  s->SetRaiseExcept(true);
  auto reports(Record(s.get()));
  char b;
  EXPECT_EQ(s->PeekBuffer(&b, 1), -1);  // nothing waiting
  EXPECT_EQ(s->LastError(), 10035);
  EXPECT_EQ(s->LastErrorDesc(), L"Operation would block");
  for (auto& r : *reports) EXPECT_NE(r.reason, THookSocketReason::HR_Error);
}

TEST(BlockSocket, NamesAndPorts) {
  Owned<TTCPBlockSocket> s(new TTCPBlockSocket());
  TStringList* list = new TStringList();
  s->ResolveNameToIP(L"127.0.0.1", list);
  ASSERT_EQ(list->Count(), 1);
  EXPECT_EQ(list->Strings(0), L"127.0.0.1");
  list->Free();
  EXPECT_EQ(s->ResolveName(L"localhost"), L"127.0.0.1");
  EXPECT_EQ(s->ResolvePort(L"http"), 80);
  EXPECT_EQ(s->ResolvePort(L"43011"), 43011);
  EXPECT_EQ(s->ResolveIPToName(L"127.0.0.1"), L"localhost");
  EXPECT_FALSE(s->LocalName().empty());
}

TEST(BlockSocket, ABindToATakenPortReportsAddressInUse) {
  Owned<TUDPBlockSocket> first(new TUDPBlockSocket());
  first->Bind(L"127.0.0.1", L"0");
  Owned<TUDPBlockSocket> second(new TUDPBlockSocket());
  auto reports(Record(second.get()));
  second->Bind(L"127.0.0.1", IntToStr(first->GetLocalSinPort()));
  EXPECT_EQ(second->LastError(), 10048);
  EXPECT_EQ(second->LastErrorDesc(), L"Address already in use");
  EXPECT_EQ(reports->back().reason, THookSocketReason::HR_Bind);
}
