// Runs inside a lab network (tools/lab/lab.sh): the desktop namespace at
// 10.77.0.2 with a default route to the phone namespace, where
// udp_responder.py answers datagrams on port 43000. Names resolve only from
// the lab's hosts file; nothing leaves the lab.
#include "tests/net/Peers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/Lists.h"
#include "net/blocksock.h"

namespace {

String Env(const char* Name, const wchar_t* Default) {
  const char* v = std::getenv(Name);
  return v && *v ? AnsiToWide(v) : String(Default);
}

String DeskIP() { return Env("VANTREL_LAB_DESK_IP", L"10.77.0.2"); }
String PhoneIP() { return Env("VANTREL_LAB_PHONE_IP", L"10.77.0.1"); }

Owned<TUDPBlockSocket> DeskSocket(bool Broadcast) {
  Owned<TUDPBlockSocket> s(new TUDPBlockSocket());
  if (Broadcast) s->EnableBroadcast(true);
  s->Bind(DeskIP(), L"0");
  return s;
}

// Sends Data until the responder's answer comes (it starts with the lab and
// gets no head start); the answer, or empty.
AnsiString AskPhone(TUDPBlockSocket* s, const AnsiString& Data) {
  for (int i = 0; i < 40; ++i) {
    s->SendString(Data);
    if (s->LastError() != 0) return AnsiString();
    AnsiString answer = s->RecvPacket(500);
    if (!answer.empty()) return answer;
  }
  return AnsiString();
}

struct OldResolver {
  bool native = SocketApi().NativeAddrInfo;
  OldResolver() { SocketApi().NativeAddrInfo = false; }
  ~OldResolver() { SocketApi().NativeAddrInfo = native; }
};

}  // namespace

TEST(Lab, ABroadcastReachesThePhone) {
  Owned<TUDPBlockSocket> s = DeskSocket(true);
  ASSERT_EQ(s->LastError(), 0) << s->LastErrorDesc().c_str();
  s->Connect(L"255.255.255.255", L"43000");
  EXPECT_EQ(AskPhone(s.get(), "AT+DISCOVER"), "echo:AT+DISCOVER");
  EXPECT_EQ(s->GetRemoteSinIP(), PhoneIP());
  EXPECT_EQ(s->GetRemoteSinPort(), 43000);
  // The answer goes back to the sender: the phone, not the broadcast.
  EXPECT_EQ(AskPhone(s.get(), "AT+HEART"), "echo:AT+HEART");
}

TEST(Lab, ABroadcastNeedsPermission) {
  Owned<TUDPBlockSocket> s = DeskSocket(false);
  s->Connect(L"255.255.255.255", L"43000");
  s->SendString("AT+DISCOVER");
  EXPECT_EQ(s->LastError(), 10013);
  EXPECT_EQ(s->LastErrorDesc(), L"Permission denied");
  EXPECT_EQ(s->SendCounter(), 0);
}

TEST(Lab, ADestinationThatDoesNotResolveSendsNothing) {
  Owned<TUDPBlockSocket> s = DeskSocket(true);
  int written = 0;
  s->OnStatus = [&](TObject*, THookSocketReason r, const String&) { written += r == THookSocketReason::HR_WriteCount; };
  s->Connect(L"no-such-host.invalid", L"43000");
  const int error = s->LastError();
  EXPECT_TRUE(error == 11001 || error == 11002) << error;
  s->SendString("lost");
  EXPECT_EQ(s->LastError(), error);
  EXPECT_EQ(s->SendCounter(), 0);
  EXPECT_EQ(written, 0);
  // A name from the lab's hosts file resolves; the first answer is the
  // phone's to this datagram.
  s->Connect(L"vantrel-phone", L"43000");
  EXPECT_EQ(s->LastError(), 0);
  EXPECT_EQ(AskPhone(s.get(), "named"), "echo:named");
}

TEST(Lab, TheOldResolverNeverTurnsAnUnknownNameIntoABroadcast) {
  OldResolver old;
  TVarSin sin;
  int error = ResolveSockAddr(sin, "no-such-host.invalid", "43000", true, SOCK_DGRAM, IPPROTO_UDP, AF_UNSPEC);
  EXPECT_NE(error, 0);
  TVarSin cleared{};
  EXPECT_EQ(std::memcmp(&sin, &cleared, sizeof sin), 0);
  EXPECT_EQ(ResolveSockAddr(sin, "vantrel-phone", "43000", true, SOCK_DGRAM, IPPROTO_UDP, AF_UNSPEC), 0);
  EXPECT_EQ(SinAddressText(sin), WideToAnsi(PhoneIP()));
  std::vector<AnsiString> list;
  ResolveNameToList("vantrel-phone", AF_UNSPEC, IPPROTO_UDP, SOCK_DGRAM, list);
  EXPECT_EQ(list, std::vector<AnsiString>{WideToAnsi(PhoneIP())});

  // Broadcast allowed, yet nothing goes out for the unknown name: the
  // phone's first answer is to the datagram that follows.
  Owned<TUDPBlockSocket> s = DeskSocket(true);
  s->Connect(L"no-such-host.invalid", L"43000");
  EXPECT_NE(s->LastError(), 0);
  s->SendString("lost");
  EXPECT_NE(s->LastError(), 0);
  s->Connect(PhoneIP(), L"43000");
  EXPECT_EQ(AskPhone(s.get(), "after"), "echo:after");
}

TEST(Lab, MulticastMembership) {
  Owned<TUDPBlockSocket> member(new TUDPBlockSocket());
  member->SetFamily(TSocketFamily::SF_IP4);
  member->CreateSocket();
  member->Bind(L"0.0.0.0", L"0");
  ASSERT_EQ(member->LastError(), 0);
  const String port = IntToStr(member->GetLocalSinPort());
  member->AddMulticast(L"239.77.1.2");
  ASSERT_EQ(member->LastError(), 0) << member->LastErrorDesc().c_str();

  Owned<TUDPBlockSocket> sender = DeskSocket(false);
  sender->EnableMulticastLoop(true);
  sender->SetMulticastTTL(1);
  EXPECT_EQ(sender->MulticastTTL(), 1);
  sender->Connect(L"239.77.1.2", port);
  sender->SendString("m1");
  EXPECT_EQ(sender->LastError(), 0);
  EXPECT_EQ(member->RecvPacket(5000), "m1");

  member->DropMulticast(L"239.77.1.2");
  EXPECT_EQ(member->LastError(), 0);
  sender->SendString("m2");
  Owned<TUDPBlockSocket> direct(new TUDPBlockSocket());
  direct->Connect(L"127.0.0.1", port);
  direct->SendString("u");
  EXPECT_EQ(member->RecvPacket(5000), "u");  // "m2" never arrived
}

TEST(Lab, ANameThatDoesNotResolve) {
  Owned<TTCPBlockSocket> s(new TTCPBlockSocket());
  TStringList* list = new TStringList();
  s->ResolveNameToIP(L"no-such-host.invalid", list);
  ASSERT_EQ(list->Count(), 1);
  EXPECT_EQ(list->Strings(0), L"0.0.0.0");
  list->Free();
  s->Connect(L"no-such-host.invalid", L"80");
  const int error = s->LastError();
  EXPECT_EQ(s->LastErrorDesc(), TBlockSocket::GetErrorDesc(error));
  EXPECT_EQ(s->Socket(), INVALID_SOCKET);  // nothing was made for it
  s->SetRaiseExcept(true);
  try {
    s->Connect(L"no-such-host.invalid", L"80");
    FAIL() << "no exception";
  } catch (const ESocketLayerError& e) {
    EXPECT_EQ(e.ErrorCode(), error);
    EXPECT_EQ(e.Message(), L"TCP/IP Socket error " + IntToStr(error) + L": " + TBlockSocket::GetErrorDesc(error));
  }
  std::printf("a name that does not resolve: %d (%ls)\n", error, TBlockSocket::GetErrorDesc(error).c_str());
}
