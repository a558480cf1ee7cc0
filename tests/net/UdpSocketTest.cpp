#include "tests/net/Peers.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "net/blocksock.h"

namespace {

// A UDP socket made and bound as the UDP service makes its own.
Owned<TUDPBlockSocket> ServiceSocket(const char* Host = "127.0.0.1") {
  Owned<TUDPBlockSocket> s(new TUDPBlockSocket());
  s->SetTimeout(20000);
  s->CreateSocket();
  s->Bind(AnsiToWide(Host), L"0");
  s->SetMulticastTTL(64);
  return s;
}

int SocketOption(TSocket s, int Level, int Option) {
  int value = 0;
  int length = sizeof value;
  getsockopt(s, Level, Option, reinterpret_cast<char*>(&value), &length);
  return value;
}

}  // namespace

TEST(UdpSocket, TheServiceSequenceReceivesAndAnswersTheSender) {
  Owned<TUDPBlockSocket> s(new TUDPBlockSocket());
  std::vector<THookSocketReason> reasons;
  s->OnStatus = [&](TObject*, THookSocketReason r, const String&) { reasons.push_back(r); };
  s->SetTimeout(20000);
  s->CreateSocket();
  EXPECT_EQ(s->Socket(), INVALID_SOCKET);  // no handle while the family is open
  s->Bind(L"127.0.0.1", L"0");
  ASSERT_EQ(s->LastError(), 0) << s->LastErrorDesc().c_str();
  ASSERT_NE(s->Socket(), INVALID_SOCKET);
  EXPECT_FALSE(s->IP6used());
  EXPECT_EQ(SocketOption(s->Socket(), SOL_SOCKET, SO_TYPE), SOCK_DGRAM);
  EXPECT_EQ(SocketOption(s->Socket(), SOL_SOCKET, SO_RCVTIMEO), 20000);
  EXPECT_EQ(SocketOption(s->Socket(), SOL_SOCKET, SO_SNDTIMEO), 20000);
  s->SetMulticastTTL(64);  // applied at once on the open handle
  EXPECT_EQ(s->MulticastTTL(), 64);
  EXPECT_EQ(reasons, (std::vector<THookSocketReason>{THookSocketReason::HR_ResolvingBegin,
                                                      THookSocketReason::HR_ResolvingEnd,
                                                      THookSocketReason::HR_SocketCreate, THookSocketReason::HR_Bind}));

  RawSocket phone = UdpOn("127.0.0.1");
  ASSERT_TRUE(SendDatagram(phone, "AT+HEART", "127.0.0.1", s->GetLocalSinPort()));
  ASSERT_TRUE(s->CanRead(5000));
  EXPECT_EQ(s->RecvPacket(1000), "AT+HEART");
  EXPECT_EQ(s->LastError(), 0);
  EXPECT_EQ(s->GetRemoteSinIP(), L"127.0.0.1");
  EXPECT_EQ(s->GetRemoteSinPort(), phone.Port());
  s->SendString("+HEART:");
  EXPECT_EQ(s->LastError(), 0);
  EXPECT_EQ(RecvDatagram(phone, 5000), "+HEART:");
  EXPECT_EQ(s->SendCounter(), 7);
  EXPECT_EQ(s->RecvCounter(), 8);
}

TEST(UdpSocket, EachReceiveTakesOneDatagram) {
  Owned<TUDPBlockSocket> s = ServiceSocket();
  RawSocket phone = UdpOn("127.0.0.1");
  ASSERT_TRUE(SendDatagram(phone, "first", "127.0.0.1", s->GetLocalSinPort()));
  ASSERT_TRUE(SendDatagram(phone, "second one", "127.0.0.1", s->GetLocalSinPort()));
  ASSERT_TRUE(s->CanRead(5000));
  EXPECT_EQ(s->RecvPacket(1000), "first");
  EXPECT_EQ(s->RecvPacket(1000), "second one");
  EXPECT_EQ(s->RecvPacket(50), "");
  EXPECT_EQ(s->LastError(), 10060);
  EXPECT_EQ(s->LastErrorDesc(), L"Connection timed out");
}

// A datagram found by CanRead is taken by the next receive without a
// question about its size; once any receive took it, the next one waits again.
TEST(UdpSocket, ReadinessFoundByAWaitIsUsedOnce) {
  // No receive time-out on the handle: a receive without a datagram waiting
  // would never return.
  Owned<TUDPBlockSocket> s(new TUDPBlockSocket());
  s->Bind(L"127.0.0.1", L"0");
  ASSERT_EQ(SocketOption(s->Socket(), SOL_SOCKET, SO_RCVTIMEO), 0);
  RawSocket phone = UdpOn("127.0.0.1");
  const int port = s->GetLocalSinPort();
  ASSERT_TRUE(SendDatagram(phone, "", "127.0.0.1", port));
  ASSERT_TRUE(s->CanRead(5000));
  EXPECT_EQ(s->RecvPacket(1000), "");  // an empty datagram is no error
  EXPECT_EQ(s->LastError(), 0);

  ASSERT_TRUE(SendDatagram(phone, "taken", "127.0.0.1", port));
  ASSERT_TRUE(s->CanRead(5000));
  char buffer[16];
  EXPECT_EQ(s->RecvBufferFrom(buffer, sizeof buffer), 5);
  EXPECT_EQ(s->RecvPacket(50), "");  // waits, finds nothing
  EXPECT_EQ(s->LastError(), 10060);
  ASSERT_TRUE(SendDatagram(phone, "next", "127.0.0.1", port));
  ASSERT_TRUE(s->CanRead(5000));
  EXPECT_EQ(s->RecvPacket(1000), "next");
  EXPECT_EQ(s->GetRemoteSinPort(), phone.Port());
}

// A receive with nothing found readable before it waits for the datagram
// itself: one that arrives during the wait is taken with its sender, a wait
// that runs out is 10060, and a plain receive afterwards has the handle's
// own receive time-out again.
TEST(UdpSocket, AReceiveWaitsForItsDatagramAndLeavesTheHandlesTimeOut) {
  Owned<TUDPBlockSocket> s = ServiceSocket();
  RawSocket phone = UdpOn("127.0.0.1");
  const int port = s->GetLocalSinPort();
  for (const char* text : {"late", "", "later one"}) {
    std::thread sender([&] {
      Sleep(20);
      SendDatagram(phone, text, "127.0.0.1", port);
    });
    AnsiString got = s->RecvPacket(10000);
    sender.join();
    EXPECT_EQ(got, text);
    EXPECT_EQ(s->LastError(), 0);
    EXPECT_EQ(s->GetRemoteSinPort(), phone.Port());
  }
  EXPECT_EQ(s->RecvPacket(30), "");
  EXPECT_EQ(s->LastError(), 10060);
  EXPECT_EQ(s->LastErrorDesc(), L"Connection timed out");

  ASSERT_TRUE(SendDatagram(phone, "raw", "127.0.0.1", port));
  char buffer[16];
  EXPECT_EQ(s->RecvBufferFrom(buffer, sizeof buffer), 3);
  EXPECT_EQ(SocketOption(s->Socket(), SOL_SOCKET, SO_RCVTIMEO), 20000);
  // With a status hook the receive is reported as before.
  std::vector<THookSocketReason> reasons;
  s->OnStatus = [&](TObject*, THookSocketReason r, const String&) { reasons.push_back(r); };
  ASSERT_TRUE(SendDatagram(phone, "seen", "127.0.0.1", port));
  EXPECT_EQ(s->RecvPacket(5000), "seen");
  EXPECT_EQ(reasons, (std::vector<THookSocketReason>{THookSocketReason::HR_ReadCount}));
}

TEST(UdpSocket, LinesSpanDatagramsAndConnectDropsTheRest) {
  Owned<TUDPBlockSocket> s = ServiceSocket();
  s->SetConvertLineEnd(true);
  RawSocket phone = UdpOn("127.0.0.1");
  const int port = s->GetLocalSinPort();
  ASSERT_TRUE(SendDatagram(phone, "a\r\nb", "127.0.0.1", port));
  EXPECT_EQ(s->RecvString(5000), "a");
  EXPECT_EQ(s->LineBuffer(), "b");
  ASSERT_TRUE(SendDatagram(phone, "c\n", "127.0.0.1", port));
  EXPECT_EQ(s->RecvString(5000), "bc");

  ASSERT_TRUE(SendDatagram(phone, "x\r\ny", "127.0.0.1", port));
  EXPECT_EQ(s->RecvString(5000), "x");
  s->Connect(L"127.0.0.1", IntToStr(phone.Port()));
  EXPECT_EQ(s->LastError(), 0);
  EXPECT_EQ(s->LineBuffer(), "");
  ASSERT_TRUE(SendDatagram(phone, "z\r\n", "127.0.0.1", port));
  EXPECT_EQ(s->RecvString(5000), "z");
}

TEST(UdpSocket, ConnectFixesTheDestinationAndRestartsTheCounters) {
  RawSocket phone = UdpOn("127.0.0.1");
  Owned<TUDPBlockSocket> s(new TUDPBlockSocket());
  s->Connect(L"127.0.0.1", IntToStr(phone.Port()));  // makes the handle
  ASSERT_EQ(s->LastError(), 0);
  ASSERT_NE(s->Socket(), INVALID_SOCKET);
  s->SendString("one");
  s->SendInteger(0x01020304);
  EXPECT_EQ(RecvDatagram(phone, 5000), "one");
  EXPECT_EQ(RecvDatagram(phone, 5000), Bytes({4, 3, 2, 1}));
  EXPECT_EQ(s->SendCounter(), 7);
  s->Connect(L"127.0.0.1", IntToStr(phone.Port()));
  EXPECT_EQ(s->SendCounter(), 0);
}

TEST(UdpSocket, AnOversizedDatagramIsRefusedWhole) {
  Owned<TUDPBlockSocket> s = ServiceSocket();
  RawSocket phone = UdpOn("127.0.0.1");
  s->Connect(L"127.0.0.1", IntToStr(phone.Port()));
  s->SendString(AnsiString(70000, 'x'));
  EXPECT_EQ(s->LastError(), 10040);
  EXPECT_EQ(s->LastErrorDesc(), L"Message too long");
  EXPECT_EQ(s->SendCounter(), 0);
}

TEST(UdpSocket, AnEmptyDatagramIsConsumedNotRepeated) {
  Owned<TUDPBlockSocket> s = ServiceSocket();
  RawSocket phone = UdpOn("127.0.0.1");
  ASSERT_TRUE(SendDatagram(phone, "", "127.0.0.1", s->GetLocalSinPort()));
  ASSERT_TRUE(s->CanRead(5000));
  EXPECT_EQ(s->RecvPacket(1000), "");
  EXPECT_EQ(s->LastError(), 0);
  EXPECT_EQ(s->GetRemoteSinPort(), phone.Port());
  EXPECT_FALSE(s->CanRead(0));
  ASSERT_TRUE(SendDatagram(phone, "next", "127.0.0.1", s->GetLocalSinPort()));
  EXPECT_EQ(s->RecvPacket(5000), "next");
}

TEST(UdpSocket, AnUnreachablePortDoesNotHoldTheReceiver) {
  Owned<TUDPBlockSocket> s = ServiceSocket();
  s->Connect(L"127.0.0.1", IntToStr(UnusedPort("127.0.0.1", SOCK_DGRAM)));
  s->SendString("nobody");
  RawSocket phone = UdpOn("127.0.0.1");
  ASSERT_TRUE(SendDatagram(phone, "real", "127.0.0.1", s->GetLocalSinPort()));
  // An unreachable report may come first (as a reset); it is consumed and
  // the datagram follows.
  AnsiString got;
  for (int i = 0; i < 5 && got.empty(); ++i) got = s->RecvPacket(1000);
  EXPECT_EQ(got, "real");
}

TEST(UdpSocket, MulticastAddressesAreChecked) {
  Owned<TUDPBlockSocket> s = ServiceSocket();
  for (const wchar_t* bad : {L"239.1.2.300", L"group", L"ff02::1"}) {
    s->AddMulticast(bad);
    EXPECT_EQ(s->LastError(), 10022) << bad;
  }
  Owned<TUDPBlockSocket> none(new TUDPBlockSocket());
  none->DropMulticast(L"239.1.2.3");
  EXPECT_EQ(none->LastError(), 10038);  // no handle: the platform's answer
}

TEST(UdpSocket, IPv6LoopbackDatagrams) {
  Owned<TUDPBlockSocket> s = ServiceSocket("::1");
  ASSERT_EQ(s->LastError(), 0);
  EXPECT_TRUE(s->IP6used());
  EXPECT_EQ(s->Family(), TSocketFamily::SF_IP6);
  RawSocket phone = UdpOn("::1");
  ASSERT_TRUE(SendDatagram(phone, "v6", "::1", s->GetLocalSinPort()));
  EXPECT_EQ(s->RecvPacket(5000), "v6");
  EXPECT_EQ(s->GetRemoteSinIP(), L"::1");
  s->SendString("back");
  EXPECT_EQ(RecvDatagram(phone, 5000), "back");
  s->CloseSocket();
  EXPECT_EQ(s->Family(), TSocketFamily::SF_Any);  // the family set, not the handle's
}
