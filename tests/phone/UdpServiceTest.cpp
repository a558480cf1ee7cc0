// The UDP service and its worker on loopback: start and stop, bind failure,
// one event per datagram with its hex dump and sender, replies, the send
// queue, the line-end modes, a handler that fails, and the end of a service
// whose worker is still running. Also the adapter listing through its seam.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <ws2tcpip.h>

#include <vector>

#include "app/OvUDPS.h"
#include "tests/support/Gui.h"

namespace {

// The service's port: one that is free on loopback when the tests start, so
// that runs beside other programs of the machine never meet on it.
int ServicePortNumber() {
  static const int port = [] {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int len = sizeof(a);
    int found = 43311;
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof(a)) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0)
      found = ntohs(a.sin_port);
    closesocket(s);
    WSACleanup();
    return found;
  }();
  return port;
}

// NetBIOS answers from a table: adapter numbers, and per adapter the
// status call's return code and hardware address. Nothing of NetBIOS
// reaches the network from these tests.
struct FakeLana {
  UCHAR Rc;
  BYTE Mac[6];
};
std::vector<FakeLana> gLanas;
std::vector<int> gStatusAsked;

UCHAR FakeNetbios(PNCB Ncb) {
  switch (Ncb->ncb_command) {
    case NCBENUM: {
      auto* e = reinterpret_cast<LANA_ENUM*>(Ncb->ncb_buffer);
      e->length = static_cast<UCHAR>(gLanas.size());
      for (size_t i = 0; i < gLanas.size(); ++i) e->lana[i] = static_cast<UCHAR>(10 + i);
      return NRC_GOODRET;
    }
    case NCBRESET:
      return NRC_GOODRET;
    case NCBASTAT: {
      size_t i = Ncb->ncb_lana_num - 10u;
      gStatusAsked.push_back(static_cast<int>(i));
      EXPECT_EQ(std::string(reinterpret_cast<char*>(Ncb->ncb_callname), NCBNAMSZ), "*               ");
      EXPECT_EQ(Ncb->ncb_length, 60);
      memcpy(Ncb->ncb_buffer, gLanas[i].Mac, 6);
      return gLanas[i].Rc;
    }
    default:
      return NRC_ILLCMD;
  }
}

struct FakeNetbiosEnvironment : testing::Environment {
  void SetUp() override { NetbiosSeam = FakeNetbios; }
};
const auto* const kFakeNetbios = testing::AddGlobalTestEnvironment(new FakeNetbiosEnvironment);

TEST(NetBios, TheFirstAdapterWithANonZeroAddressAnswers) {
  struct {
    std::vector<FakeLana> Lanas;
    const wchar_t* Mac;
    std::vector<int> Asked;
  } cases[] = {
      {{}, L"", {}},
      {{{0, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}}, {0, {1, 2, 3, 4, 5, 6}}}, L"001A2B3C4D5E", {0}},
      {{{0, {0, 0, 0, 0, 0, 0}}, {6, {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}}}, L"AABBCCDDEEFF", {0, 1}},
      // A failed status leaves the text of the adapter before it.
      {{{0, {0, 0, 0, 0, 0, 0}}, {NRC_BRIDGE, {1, 2, 3, 4, 5, 6}}}, L"000000000000", {0, 1}},
  };
  for (auto& c : cases) {
    gLanas = c.Lanas;
    gStatusAsked.clear();
    EXPECT_EQ(GetMacNetBios(), c.Mac);
    EXPECT_EQ(gStatusAsked, c.Asked);
  }
  gLanas.clear();
}

// A plain Winsock socket on loopback: the other side.
struct Peer {
  SOCKET s;
  sockaddr_in service{};
  sockaddr_in last{};  // the sender of the last datagram received
  Peer() {
    s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&local), sizeof(local));
    service.sin_family = AF_INET;
    service.sin_port = htons(static_cast<u_short>(ServicePortNumber()));
    service.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  }
  ~Peer() { closesocket(s); }
  int Port() {
    sockaddr_in a{};
    int len = sizeof(a);
    getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    return ntohs(a.sin_port);
  }
  void Send(const std::string& data) {
    sendto(s, data.data(), static_cast<int>(data.size()), 0, reinterpret_cast<sockaddr*>(&service), sizeof(service));
  }
  void Reply(const std::string& data) {
    sendto(s, data.data(), static_cast<int>(data.size()), 0, reinterpret_cast<sockaddr*>(&last), sizeof(last));
  }
  // One datagram, waiting (and pumping messages) up to Ms; false if none.
  bool Receive(std::string& data, DWORD Ms = 3000) {
    bool got = false;
    PumpUntil(
        [&] {
          fd_set set;
          FD_ZERO(&set);
          FD_SET(s, &set);
          timeval tv{0, 0};
          if (select(0, &set, nullptr, nullptr, &tv) != 1) return false;
          char buf[2048];
          int len = sizeof(last);
          int n = recvfrom(s, buf, sizeof(buf), 0, reinterpret_cast<sockaddr*>(&last), &len);
          if (n < 0) return false;
          data.assign(buf, static_cast<size_t>(n));
          got = true;
          return true;
        },
        Ms);
    return got;
  }
};

struct Packet {
  String Text, Hex, PeerIP, PeerPort;
};

struct ServiceFixture : testing::Test {
  TComponent* owner = new TComponent(nullptr);
  TOvUDPS* svc = nullptr;
  std::vector<Packet> packets;
  std::vector<bool> statuses;
  std::function<String(const String&)> answer = [](const String&) { return String(); };

  void SetUp() override {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    svc = MakeService();
  }
  void TearDown() override {
    if (owner) owner->Free();
    TOvUDPS::StopWaitPasses = 30001;
    Application->OnException = nullptr;
    WSACleanup();
  }
  TOvUDPS* MakeService(TComponent* Owner = nullptr) {
    auto* s = new TOvUDPS(Owner ? Owner : owner);
    s->SetUDPLocalIP(L"127.0.0.1");
    s->SetUDPRxPort(IntToStr(static_cast<int64_t>(ServicePortNumber())));
    s->OnGetPacketUDP = [this](TObject*, const String& p, const String& h, const String& ip, const String& port,
                               String& response) {
      packets.push_back({p, h, ip, port});
      response = answer(p);
    };
    s->OnUDPStatus = [this](TObject*, bool active, int, const String&) { statuses.push_back(active); };
    return s;
  }
  void Start() {
    svc->SetUDPActive(true);
    ASSERT_TRUE(PumpUntil([&] { return !statuses.empty(); }));
    ASSERT_TRUE(statuses.back()) << WideToAnsi(svc->UDPErrorDesc());
  }
  bool WaitPackets(size_t n, DWORD ms = 3000) {
    return PumpUntil([&] { return packets.size() >= n; }, ms);
  }
};

TEST_F(ServiceFixture, StartsOnceStopsOnceAndReportsBoth) {
  Start();
  TUDPThread* worker = svc->UDPThread();
  ASSERT_NE(worker, nullptr);
  EXPECT_EQ(svc->UDPError(), 0);
  svc->SetUDPActive(true);
  EXPECT_EQ(svc->UDPThread(), worker);
  svc->SetUDPActive(false);
  EXPECT_EQ(svc->UDPThread(), nullptr);
  EXPECT_FALSE(svc->UDPActive());
  EXPECT_EQ(statuses, (std::vector<bool>{true, false}));
  svc->SetUDPActive(false);
  PumpFor(50);
  EXPECT_EQ(statuses.size(), 2u);
}

TEST_F(ServiceFixture, ABindFailureIsReportedNotRaised) {
  Start();
  std::vector<bool> second;
  TOvUDPS* other = MakeService();
  other->OnUDPStatus = [&](TObject*, bool active, int, const String&) { second.push_back(active); };
  other->SetUDPActive(true);
  ASSERT_TRUE(PumpUntil([&] { return second.size() >= 2; }));
  EXPECT_EQ(second, (std::vector<bool>{false, false}));
  EXPECT_NE(other->UDPError(), 0);
  EXPECT_FALSE(other->UDPErrorDesc().empty());
  EXPECT_FALSE(other->UDPActive());
  EXPECT_EQ(other->UDPThread(), nullptr);
}

TEST_F(ServiceFixture, EachDatagramIsOneEventWithItsHexDumpSenderAndReply) {
  answer = [](const String& p) { return p == L"AT+HEART" ? String(L"+HEART:") : String(); };
  Start();
  Peer peer;
  peer.Send("AT+HEART");
  peer.Send(std::string("A\r", 2));
  peer.Send("");
  peer.Send("last");
  ASSERT_TRUE(WaitPackets(3));
  PumpFor(100);
  // Never merged; the empty datagram raises nothing.
  ASSERT_EQ(packets.size(), 3u);
  EXPECT_EQ(packets[0].Text, L"AT+HEART");
  EXPECT_EQ(packets[0].Hex, L"HEX(8) 41542B4845415254");
  EXPECT_EQ(packets[0].PeerIP, L"127.0.0.1");
  EXPECT_EQ(packets[0].PeerPort, IntToStr(static_cast<int64_t>(peer.Port())));
  EXPECT_EQ(packets[1].Text, L"A\r");
  EXPECT_EQ(packets[1].Hex, L"HEX(2) 410D");
  EXPECT_EQ(packets[2].Text, L"last");
  // Exactly the reply's bytes, once: empty replies send nothing.
  std::string got;
  ASSERT_TRUE(peer.Receive(got));
  EXPECT_EQ(got, "+HEART:");
  EXPECT_FALSE(peer.Receive(got, 200));
}

TEST_F(ServiceFixture, QueuedDatagramsLeaveInOrderWhileOthersArrive) {
  Start();
  Peer peer;
  String port = IntToStr(static_cast<int64_t>(peer.Port()));
  for (int i = 0; i < 5; ++i) {
    svc->UDPServerSendTo(L"127.0.0.1", port, "q" + std::to_string(i));
    peer.Send("in" + std::to_string(i));
  }
  for (int i = 0; i < 5; ++i) {
    std::string got;
    ASSERT_TRUE(peer.Receive(got)) << i;
    EXPECT_EQ(got, "q" + std::to_string(i));
  }
  EXPECT_TRUE(WaitPackets(5));
}

TEST_F(ServiceFixture, TheOneShotClientSendsAndReportsTheAnswers) {
  answer = [](const String& p) { return L"thanks for " + p; };
  Peer peer;
  svc->UDPClientSendTo(L"127.0.0.1", IntToStr(static_cast<int64_t>(peer.Port())), L"hello");
  std::string got;
  ASSERT_TRUE(peer.Receive(got));
  EXPECT_EQ(got, "hello");
  // The answer to the client's own socket comes through the packet event,
  // and the handler's reply goes back.
  peer.Reply("yes");
  ASSERT_TRUE(WaitPackets(1));
  EXPECT_EQ(packets[0].Text, L"yes");
  EXPECT_EQ(packets[0].PeerIP, L"127.0.0.1");
  EXPECT_EQ(packets[0].PeerPort, IntToStr(static_cast<int64_t>(peer.Port())));
  ASSERT_TRUE(peer.Receive(got));
  EXPECT_EQ(got, "thanks for yes");
  // It ends by itself within a second of silence.
  PumpFor(1300);
}

TEST_F(ServiceFixture, SendsWhileInactiveAreDropped) {
  Peer peer;
  svc->UDPServerSendTo(L"127.0.0.1", IntToStr(static_cast<int64_t>(peer.Port())), "lost");
  Start();
  std::string got;
  EXPECT_FALSE(peer.Receive(got, 200));
}

TEST_F(ServiceFixture, LineEndsJoinLinesAndEndRepliesAndQueuedSends) {
  answer = [](const String& p) { return L"re:" + p; };
  svc->SetUDPLineEndRx(L"crlf");
  svc->SetUDPLineEndTx(L"CR");
  Start();
  Peer peer;
  peer.Send("one\r\n");
  ASSERT_TRUE(WaitPackets(1));
  EXPECT_EQ(packets[0].Text, L"one");
  std::string got;
  ASSERT_TRUE(peer.Receive(got));
  EXPECT_EQ(got, "re:one\r\n");
  svc->UDPServerSendTo(L"127.0.0.1", IntToStr(static_cast<int64_t>(peer.Port())), "x");
  ASSERT_TRUE(peer.Receive(got));
  EXPECT_EQ(got, "x\r");
  // Another text is a terminator of its own.
  svc->SetUDPActive(false);
  statuses.clear();
  svc->SetUDPLineEndRx(L"#");
  Start();
  peer.Send("a#");
  ASSERT_TRUE(WaitPackets(2));
  EXPECT_EQ(packets[1].Text, L"a");
  ASSERT_TRUE(peer.Receive(got));
  EXPECT_EQ(got, "re:a#");
}

TEST_F(ServiceFixture, Utf8ModeConvertsToAndFromWindows1250) {
  // "z" with dot above: C5 BC in UTF-8, BF in Windows-1250 (which this
  // prefix's ANSI code page, 1252, reads as an inverted question mark).
  ASSERT_EQ(GetACP(), 1252u);
  answer = [](const String& p) { return p; };
  svc->SetUTF8(true);
  Start();
  Peer peer;
  peer.Send("\xC5\xBC");
  ASSERT_TRUE(WaitPackets(1));
  EXPECT_EQ(packets[0].Hex, L"HEX(2) C5BC");
  EXPECT_EQ(packets[0].Text, L"\u00BF");
  std::string got;
  ASSERT_TRUE(peer.Receive(got));
  EXPECT_EQ(got, "\xC5\xBC");
  svc->UDPServerSendTo(L"127.0.0.1", IntToStr(static_cast<int64_t>(peer.Port())), "\xBF");
  ASSERT_TRUE(peer.Receive(got));
  EXPECT_EQ(got, "\xC5\xBC");
  // Off: bytes pass as they are.
  svc->SetUTF8(false);
  svc->UDPServerSendTo(L"127.0.0.1", IntToStr(static_cast<int64_t>(peer.Port())), "\xBF");
  ASSERT_TRUE(peer.Receive(got));
  EXPECT_EQ(got, "\xBF");
}

TEST_F(ServiceFixture, ATimeOutBelowOneReadsOneAfterTheFirstDatagram) {
  svc->SetUDPRxTimeout(0);
  Start();
  Peer peer;
  peer.Send("x");
  ASSERT_TRUE(WaitPackets(1));
  EXPECT_EQ(svc->UDPRxTimeout(), 1);
}

TEST_F(ServiceFixture, AFailingHandlerIsReportedAndTheServiceGoesOn) {
  String reported;
  Application->OnException = [&](TObject*, const Exception& e) { reported = e.Message(); };
  answer = [](const String& p) -> String {
    if (p == L"bad") throw Exception(L"cannot handle %s", {p});
    return L"ok:" + p;
  };
  Start();
  Peer peer;
  peer.Send("bad");
  peer.Send("good");
  ASSERT_TRUE(WaitPackets(2));
  EXPECT_EQ(reported, L"cannot handle bad");
  std::string got;
  ASSERT_TRUE(peer.Receive(got));
  EXPECT_EQ(got, "ok:good");
  EXPECT_FALSE(peer.Receive(got, 100));
  EXPECT_TRUE(svc->UDPActive());
  EXPECT_EQ(statuses, (std::vector<bool>{true}));
}

TEST_F(ServiceFixture, ClosingTheOwnerFormStopsTheWorkerAfterTheFormsHandler) {
  auto* form = new TForm(owner);
  std::vector<String> order;
  form->OnClose = [&](TObject*, TCloseAction&) { order.push_back(L"form"); };
  form->BeginLoading();
  TOvUDPS* s = MakeService(form);
  form->EndLoading();
  s->OnUDPStatus = [&](TObject*, bool active, int, const String&) { order.push_back(active ? L"up" : L"down"); };
  s->SetUDPActive(true);
  ASSERT_TRUE(PumpUntil([&] { return !order.empty(); }));
  form->Close();
  EXPECT_EQ(order, (std::vector<String>{L"up", L"form", L"down"}));
  EXPECT_EQ(s->UDPThread(), nullptr);
}

TEST_F(ServiceFixture, FreeingARunningServiceStopsItsWorkerAndRunsNoHandler) {
  Start();
  statuses.clear();
  svc->Free();
  svc = nullptr;
  EXPECT_TRUE(statuses.empty());
  // The port is free again at once: the worker has closed its socket.
  svc = MakeService();
  Start();
}

TEST_F(ServiceFixture, AWorkerThatOutlivesTheStopWaitIsCutLoose) {
  // A terminator that never comes keeps the worker in one long receive.
  svc->SetUDPLineEndRx(L"#");
  svc->SetUDPRxTimeout(1500);
  Start();
  Peer peer;
  peer.Send("no terminator");
  PumpFor(100);
  TOvUDPS::StopWaitPasses = 5;
  statuses.clear();
  size_t seen = packets.size();
  svc->Free();
  svc = nullptr;
  // The stray worker ends by itself later and touches nothing of the freed
  // service: no event, no status; then its port is free again.
  TOvUDPS::StopWaitPasses = 30001;
  bool rebound = PumpUntil(
      [&] {
        statuses.clear();
        TOvUDPS* again = MakeService();
        again->SetUDPActive(true);
        PumpUntil([&] { return !statuses.empty(); });
        bool up = !statuses.empty() && statuses.back();
        if (up) {
          svc = again;
        } else {
          again->Free();
        }
        return up;
      },
      10000);
  EXPECT_TRUE(rebound);
  EXPECT_EQ(packets.size(), seen);
}

// ---------------------------------------------------------------------------
// Adapter listing

struct FakeAdapter {
  const char *Ip, *Gateway;
  BYTE Mac[6];
};
std::vector<FakeAdapter> gAdapters;
ULONG gAdapterError = NO_ERROR;
int gAdapterReads = 0;

ULONG WINAPI FakeGetAdaptersInfo(PIP_ADAPTER_INFO Info, PULONG Size) {
  ++gAdapterReads;
  if (gAdapterError != NO_ERROR) return gAdapterError;
  ULONG need = static_cast<ULONG>(gAdapters.size() * sizeof(IP_ADAPTER_INFO));
  if (*Size < need) {
    *Size = need;
    return ERROR_BUFFER_OVERFLOW;
  }
  *Size = need;
  memset(Info, 0, need);
  for (size_t i = 0; i < gAdapters.size(); ++i) {
    IP_ADAPTER_INFO& a = Info[i];
    a.Next = i + 1 < gAdapters.size() ? &Info[i + 1] : nullptr;
    strcpy(a.Description, "Fake adapter");
    strcpy(a.AdapterName, "{fake}");
    strcpy(a.IpAddressList.IpAddress.String, gAdapters[i].Ip);
    strcpy(a.IpAddressList.IpMask.String, "255.255.255.0");
    strcpy(a.GatewayList.IpAddress.String, gAdapters[i].Gateway);
    strcpy(a.DhcpServer.IpAddress.String, "0.0.0.0");
    a.AddressLength = 6;
    memcpy(a.Address, gAdapters[i].Mac, 6);
  }
  return NO_ERROR;
}

struct AdapterFixture : testing::Test {
  void SetUp() override { GetAdaptersInfoSeam = FakeGetAdaptersInfo; }
  void TearDown() override {
    GetAdaptersInfoSeam = ::GetAdaptersInfo;
    gAdapters.clear();
    gAdapterError = NO_ERROR;
  }
};

TEST_F(AdapterFixture, AddressesHardwareAddressesAndDescriptions) {
  gAdapters = {{"192.168.5.7", "0.0.0.0", {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}},
               {"0.0.0.0", "10.0.0.1", {1, 2, 3, 4, 5, 6}},
               {"10.0.0.2", "10.0.0.1", {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}}};
  TStringList list;
  GetAdapterList(&list, true, true, false);
  EXPECT_EQ(list.Text(), L"192.168.5.7\r\n10.0.0.2\r\n");
  GetAdapterList(&list, false, true, false);
  EXPECT_EQ(list.Text(), L"10.0.0.2\r\n");
  GetAdapterList(&list, false, false, true);
  EXPECT_EQ(list.Text(), L"AA-BB-CC-DD-EE-FF\r\n");
  GetAdapterList(&list, false, false, false);
  EXPECT_EQ(list.Text(),
            L"Desc: Fake adapter\r\nName: {fake}\r\nMAC: AA-BB-CC-DD-EE-FF\r\nIP: 10.0.0.2\r\n"
            L"Mask: 255.255.255.0\r\nGateway: 10.0.0.1\r\nDHCP enabled: 0\r\nDHCP: 0.0.0.0\r\n");

  auto* owner = new TComponent(nullptr);
  auto* svc = new TOvUDPS(owner);
  EXPECT_EQ(svc->pcIP(), L"10.0.0.2");
  EXPECT_EQ(svc->pcIPs()->Text(), L"192.168.5.7\r\n10.0.0.2\r\n");
  svc->SetpcMAC(L"ignored");
  EXPECT_EQ(svc->pcMAC(), L"AABBCCDDEEFF");
  owner->Free();
}

TEST_F(AdapterFixture, AServiceLoadedWithItsOwnerReadsTheAdaptersOnceAndTheNetBiosAddressWhenAsked) {
  gAdapters = {{"192.168.5.7", "0.0.0.0", {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}},
               {"10.0.0.2", "10.0.0.1", {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}}};
  gLanas = {{0, {1, 2, 3, 4, 5, 6}}};
  gStatusAsked.clear();
  gAdapterReads = 0;
  auto* owner = new TComponent(nullptr);
  owner->BeginLoading();
  auto* svc = new TOvUDPS(owner);
  EXPECT_EQ(gAdapterReads, 0);
  owner->EndLoading();
  EXPECT_EQ(gAdapterReads, 1);
  EXPECT_EQ(svc->pcIP(), L"10.0.0.2");
  EXPECT_EQ(svc->pcIPs()->Text(), L"192.168.5.7\r\n10.0.0.2\r\n");
  EXPECT_TRUE(gStatusAsked.empty());
  EXPECT_EQ(svc->pcMAC(), L"010203040506");
  EXPECT_EQ(svc->pcMAC(), L"010203040506");
  EXPECT_EQ(gStatusAsked, std::vector<int>{0});
  owner->Free();
  gLanas.clear();
}

TEST_F(AdapterFixture, FailuresGiveOneLineAndLeaveTheAddressAlone) {
  struct {
    ULONG Error;
    const wchar_t* Line;
  } cases[] = {
      {ERROR_NOT_SUPPORTED, L"GetAdaptersInfo is not supported by the operating system running on the local computer."},
      {ERROR_NO_DATA, L"No network adapter on the local computer."},
      {NO_ERROR, L"No network adapter on the local computer."},
      {ERROR_INVALID_PARAMETER, L"GetAdaptersInfo failed with error #87"},
  };
  for (const auto& c : cases) {
    gAdapterError = c.Error;
    TStringList list;
    GetAdapterList(&list, true, true, false);
    EXPECT_EQ(list.Text(), String(c.Line) + L"\r\n");
    auto* owner = new TComponent(nullptr);
    auto* svc = new TOvUDPS(owner);
    EXPECT_EQ(svc->pcIP(), L"");
    svc->SetpcIP(L"10.1.1.1");
    svc->RefreshPcIP();
    EXPECT_EQ(svc->pcIP(), L"10.1.1.1");
    owner->Free();
  }
}

TEST(UdpText, LineEndsAndHexDumps) {
  EXPECT_EQ(LineEndBytes(L"CRLF"), "\r\n");
  EXPECT_EQ(LineEndBytes(L"crlf"), "\r\n");
  EXPECT_EQ(LineEndBytes(L"Cr"), "\r");
  EXPECT_EQ(LineEndBytes(L"#END"), "#END");
  EXPECT_EQ(LineEndBytes(L""), "");
  EXPECT_EQ(HexDump(std::string("A\r", 2)), "HEX(2) 410D");
  EXPECT_EQ(HexDump(std::string("\x00\xFF", 2)), "HEX(2) 00FF");
  EXPECT_EQ(HexDump(""), "HEX(0) ");
}

}  // namespace
