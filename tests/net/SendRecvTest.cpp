#include "tests/net/Peers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

#include "base/Lists.h"
#include "base/Streams.h"
#include "base/SysUtils.h"
#include "net/blocksock.h"

namespace {

// A connected pair on loopback: Client made by Connect, Server adopted from
// the listener's Accept.
struct TcpPair {
  Owned<TTCPBlockSocket> Client{new TTCPBlockSocket()};
  Owned<TTCPBlockSocket> Server{new TTCPBlockSocket()};
  explicit TcpPair(const wchar_t* Host = L"127.0.0.1") {
    Owned<TTCPBlockSocket> listener(new TTCPBlockSocket());
    listener->Bind(Host, L"0");
    listener->Listen();
    Client->Connect(Host, IntToStr(listener->GetLocalSinPort()));
    Server->SetSocket(listener->Accept());
  }
  // Sends from the client and waits until the server can read it.
  void Deliver(const AnsiString& Data) {
    Client->SendString(Data);
    Server->CanRead(5000);
  }
};

DWORD FrozenClock() { return 1000000; }

using Reports = std::vector<std::pair<THookSocketReason, String>>;

// Counts the byte-count questions (FIONREAD) put to the platform while it
// is installed, and runs Then once, right after the first of them: what
// Then does happens while the asking socket has just been told "nothing".
class CountQuestions {
 public:
  explicit CountQuestions(std::function<void()> Then) {
    sThen = std::move(Then);
    sCount = 0;
    sOriginal = SocketApi().ioctlsocket;
    SocketApi().ioctlsocket = &Counted;
  }
  ~CountQuestions() {
    SocketApi().ioctlsocket = sOriginal;
    sThen = nullptr;
  }
  int Count() const { return sCount; }

 private:
  static int WINAPI Counted(TSocket s, long Command, u_long* Arg) {
    int r = sOriginal(s, Command, Arg);
    if (Command == static_cast<long>(FIONREAD)) {
      ++sCount;
      std::function<void()> then;
      then.swap(sThen);
      if (then) then();
    }
    return r;
  }
  static inline decltype(TWinsockBinding::ioctlsocket) sOriginal = nullptr;
  static inline std::function<void()> sThen;
  static inline int sCount = 0;
};

std::vector<String> Values(const std::vector<std::pair<THookSocketReason, String>>& reports, THookSocketReason r) {
  std::vector<String> v;
  for (auto& p : reports)
    if (p.first == r) v.push_back(p.second);
  return v;
}

}  // namespace

TEST(SendRecv, APacketFromTheLineBufferNeedsNoPlatformCall) {
  TcpPair p;
  int reads = 0;
  p.Server->OnStatus = [&](TObject*, THookSocketReason r, const String&) {
    reads += r == THookSocketReason::HR_ReadCount || r == THookSocketReason::HR_CanRead;
  };
  p.Server->SetLineBuffer("kept");
  EXPECT_EQ(p.Server->RecvPacket(0), "kept");
  EXPECT_EQ(reads, 0);
  EXPECT_EQ(p.Server->WaitingDataEx(), 0);
}

TEST(SendRecv, LinesLeaveTheirRestInTheLineBuffer) {
  TcpPair p;
  p.Deliver("ab\r\ncd");
  EXPECT_EQ(p.Server->RecvString(5000), "ab");
  EXPECT_EQ(p.Server->LineBuffer(), "cd");
  // Nothing more comes: a time-out, and "cd" is not lost.
  EXPECT_EQ(p.Server->RecvString(50), "");
  EXPECT_EQ(p.Server->LastError(), 10060);
  EXPECT_EQ(p.Server->LineBuffer(), "cd");
  p.Deliver("ef\r\n");
  EXPECT_EQ(p.Server->RecvString(5000), "cdef");
}

TEST(SendRecv, AnyLineEndWithConvertLineEnd) {
  TcpPair p;
  p.Server->SetConvertLineEnd(true);
  p.Deliver("ab\r");
  EXPECT_EQ(p.Server->RecvString(5000), "ab");
  p.Deliver("\ncd\r\n");  // the LF of a split CR LF ends no second line
  EXPECT_EQ(p.Server->RecvString(5000), "cd");
  struct {
    const char* data;
    const char* lines[3];
  } cases[] = {
      {"a\nb\rc\r\n", {"a", "b", "c"}},
      {"a\n\rb\r\nc\n", {"a", "b", "c"}},
  };
  for (auto& c : cases) {
    p.Deliver(c.data);
    for (const char* line : c.lines) EXPECT_EQ(p.Server->RecvString(5000), line) << Hex(c.data);
  }
  // Another terminator: only that one ends a line.
  p.Deliver("x\r\ny|z");
  EXPECT_EQ(p.Server->RecvTerminated(5000, "|"), "x\r\ny");
  EXPECT_EQ(p.Server->LineBuffer(), "z");
}

TEST(SendRecv, MaxLineLengthDeliversTheCompleteLineFirst) {
  TcpPair p;
  p.Server->SetMaxLineLength(10);
  p.Deliver("abc\r\n0123456789AB");
  EXPECT_EQ(p.Server->RecvString(5000), "abc");
  EXPECT_EQ(p.Server->LastError(), 0);
  EXPECT_EQ(p.Server->RecvString(5000), "");
  EXPECT_EQ(p.Server->LastError(), 10055);
  EXPECT_EQ(p.Server->LineBuffer(), "0123456789AB");  // kept whole
  p.Server->SetLineBuffer("");
  p.Deliver("0123456789ABCDEF\r\n");  // a line that is itself too long
  EXPECT_EQ(p.Server->RecvString(5000), "");
  EXPECT_EQ(p.Server->LastError(), 10055);
}

TEST(SendRecv, BlocksBuffersAndBytes) {
  TcpPair p;
  EXPECT_EQ(p.Server->RecvBufferStr(0, 10), "");
  EXPECT_EQ(p.Server->LastError(), 0);
  p.Deliver("12345");
  char three[3];
  EXPECT_EQ(p.Server->RecvBufferEx(three, 3, 5000), 3);
  EXPECT_EQ(std::string(three, 3), "123");
  EXPECT_EQ(p.Server->LineBuffer(), "45");
  EXPECT_EQ(p.Server->RecvByte(1000), '4');
  EXPECT_EQ(p.Server->RecvByte(1000), '5');

  p.Client->SendBlock("abc");
  EXPECT_EQ(p.Server->RecvBufferStr(7, 5000), Bytes({3, 0, 0, 0, 'a', 'b', 'c'}));
  p.Client->SendBlock("block");
  EXPECT_EQ(p.Server->RecvBlock(5000), "block");
  p.Client->SendInteger(-2);
  EXPECT_EQ(p.Server->RecvInteger(5000), -2);
  p.Client->SendByte(0x7F);
  EXPECT_EQ(p.Server->PeekByte(5000), 0x7F);
  EXPECT_EQ(p.Server->RecvByte(5000), 0x7F);
  EXPECT_EQ(p.Server->PeekByte(50), 0);
  EXPECT_EQ(p.Server->LastError(), 10060);
}

// Receives into a caller's buffer wait in the platform's receive itself: no
// count and no readability question, the time-out and a closed peer as
// before, and the handle's own receive time-out kept for its raw receives.
TEST(SendRecv, BufferReceivesWaitInTheReceiveItself) {
  TcpPair p;
  p.Server->SetRecvTimeout(7000);
  CountQuestions questions(nullptr);
  char buffer[8] = {};
  EXPECT_EQ(p.Server->RecvBufferEx(buffer, 8, 100), 0);  // nothing comes
  EXPECT_EQ(p.Server->LastError(), 10060);
  p.Client->SendString("abc");
  EXPECT_EQ(p.Server->RecvBufferEx(buffer, 8, 100), 3);  // three, then the wait runs out
  EXPECT_EQ(p.Server->LastError(), 10060);
  EXPECT_EQ(std::string(buffer, 3), "abc");
  p.Client->SendString("0123456789");
  EXPECT_EQ(p.Server->RecvBufferEx(buffer, 8, 5000), 8);
  EXPECT_EQ(std::string(buffer, 8), "01234567");
  EXPECT_EQ(p.Server->LineBuffer(), "89");  // the packet's tail, as ever
  EXPECT_EQ(p.Server->RecvBufferEx(buffer, 2, 5000), 2);
  EXPECT_EQ(questions.Count(), 0);

  p.Client->SendString("xy");
  char raw[2];
  EXPECT_EQ(p.Server->RecvBuffer(raw, 2), 2);
  int timeout = 0, length = sizeof timeout;
  SocketApi().getsockopt(p.Server->Socket(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<char*>(&timeout), &length);
  EXPECT_EQ(timeout, 7000);

  p.Client->SendString("end");
  p.Client->CloseSocket();
  EXPECT_EQ(p.Server->RecvBufferEx(buffer, 8, 5000), 3);
  EXPECT_EQ(p.Server->LastError(), 10054);
  EXPECT_EQ(std::string(buffer, 3), "end");
  EXPECT_EQ(p.Server->RecvCounter(), 18);
}

// A receive into a caller's buffer waits as long as it was asked to,
// whatever receive time-out the handle itself carries.
TEST(SendRecv, BufferReceivesWaitTheirOwnTimeOut) {
  TcpPair p;
  p.Server->SetRecvTimeout(50);
  std::thread late([&] {
    Sleep(400);
    p.Client->SendString("abcdefgh");
  });
  char buffer[8] = {};
  DWORD started = GetTickCount();
  EXPECT_EQ(p.Server->RecvBufferEx(buffer, 8, 5000), 8);
  late.join();
  EXPECT_EQ(p.Server->LastError(), 0);
  EXPECT_GE(GetTickCount() - started, 300u);
  EXPECT_EQ(std::string(buffer, 8), "abcdefgh");

  started = GetTickCount();
  EXPECT_EQ(p.Server->RecvBufferEx(buffer, 8, 300), 0);
  EXPECT_EQ(p.Server->LastError(), 10060);
  EXPECT_GE(GetTickCount() - started, 250u);
}

// Bytes waiting in the line buffer are served before anything is received,
// with the time-out counted as for a packet: a poll that they do not fill
// ends with a time-out after handing them over.
TEST(SendRecv, BufferReceivesServeTheLineBufferFirst) {
  struct {
    const char* buffered;
    const char* arriving;
    int length, timeout;
    const char* expected;
    int error;
    const char* left;
  } cases[] = {
      {"abc", "", 2, 5000, "ab", 0, "c"},
      {"abc", "", 3, 5000, "abc", 0, ""},
      {"abc", "", 5, 0, "abc", 10060, ""},
      {"abc", "", 5, 100, "abc", 10060, ""},
      {"abc", "defg", 5, 5000, "abcde", 0, "fg"},
  };
  for (auto& c : cases) {
    TcpPair p;
    p.Server->SetLineBuffer(c.buffered);
    if (*c.arriving) p.Deliver(c.arriving);
    char buffer[8] = {};
    int got = p.Server->RecvBufferEx(buffer, c.length, c.timeout);
    EXPECT_EQ(std::string(buffer, static_cast<size_t>(got)), c.expected) << c.buffered << "+" << c.arriving;
    EXPECT_EQ(p.Server->LastError(), c.error) << c.buffered << "+" << c.arriving;
    EXPECT_EQ(p.Server->LineBuffer(), c.left) << c.buffered << "+" << c.arriving;
  }
  // The LF of a CR LF split by a line read is still skipped.
  TcpPair p;
  p.Server->SetConvertLineEnd(true);
  p.Deliver("ab\r");
  EXPECT_EQ(p.Server->RecvString(5000), "ab");
  p.Deliver("\ncd");
  char two[2];
  EXPECT_EQ(p.Server->RecvBufferEx(two, 2, 5000), 2);
  EXPECT_EQ(std::string(two, 2), "cd");
}

// A long stream sent in blocks of one size and received in blocks of
// others arrives whole and in order, packet tails and all.
TEST(SendRecv, AStreamInUnevenBlocksArrivesWhole) {
  TcpPair p;
  const int kTotal = 1 << 20;
  AnsiString data(static_cast<size_t>(kTotal), '\0');
  for (int i = 0; i < kTotal; ++i) data[static_cast<size_t>(i)] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  std::thread sender([&] {
    for (int at = 0; at < kTotal && p.Client->LastError() == 0; at += 40000)
      p.Client->SendBuffer(data.data() + at, std::min(40000, kTotal - at));
  });
  AnsiString received;
  const int sizes[] = {65536, 3, 30000, 65536, 1, 50000};
  std::vector<char> block(65536);
  for (int i = 0; static_cast<int>(received.size()) < kTotal; ++i) {
    int want = std::min(sizes[i % 6], kTotal - static_cast<int>(received.size()));
    int got = p.Server->RecvBufferEx(block.data(), want, 5000);
    received.append(block.data(), static_cast<size_t>(got));
    if (p.Server->LastError() != 0) break;
    ASSERT_EQ(got, want);
  }
  sender.join();
  EXPECT_EQ(p.Server->LastError(), 0);
  EXPECT_EQ(received.size(), data.size());
  EXPECT_TRUE(received == data);
  EXPECT_EQ(p.Server->LineBuffer(), "");
  EXPECT_EQ(p.Server->RecvCounter(), kTotal);
}

TEST(SendRecv, AHugeLengthPrefixAllocatesNothingAndLosesNothing) {
  TcpPair p;
  p.Deliver(Bytes({0xFF, 0xFF, 0xFF, 0x7F}) + "only these");
  EXPECT_EQ(p.Server->RecvBlock(200), "");
  EXPECT_EQ(p.Server->LastError(), 10060);
  EXPECT_EQ(p.Server->LineBuffer(), "only these");
}

TEST(SendRecv, Streams) {
  TcpPair p;
  TMemoryStream* out = new TMemoryStream();
  TMemoryStream* in = new TMemoryStream();
  AnsiString data;
  for (int i = 0; i < 200000; ++i) data += static_cast<char>(i * 7);
  out->Write(data.data(), static_cast<int>(data.size()));
  out->SetPosition(0);
  p.Client->SendStream(out);
  p.Server->RecvStream(in, 5000);
  ASSERT_EQ(in->Size(), static_cast<int64_t>(data.size()));
  EXPECT_EQ(std::memcmp(in->Memory(), data.data(), data.size()), 0);

  out->SetPosition(out->Size() - 3);
  p.Client->SendStreamIndy(out);
  EXPECT_EQ(p.Server->RecvBufferStr(7, 5000), Bytes({0, 0, 0, 3}) + data.substr(data.size() - 3));
  out->SetPosition(1000);
  in->Clear();
  p.Client->SendStreamIndy(out);
  p.Server->RecvStreamIndy(in, 5000);
  ASSERT_EQ(in->Size(), static_cast<int64_t>(data.size() - 1000));
  EXPECT_EQ(std::memcmp(in->Memory(), data.data() + 1000, data.size() - 1000), 0);

  int before = p.Client->SendCounter();
  p.Client->SendStream(out);  // at its end: nothing, not even the size
  EXPECT_EQ(p.Client->SendCounter(), before);

  out->SetPosition(0);
  in->Clear();
  p.Client->SendStreamRaw(out);
  p.Client->CloseSocket();
  p.Server->RecvStreamRaw(in, 5000);
  EXPECT_EQ(p.Server->LastError(), 10054);  // ends with the peer's close
  EXPECT_EQ(in->Size(), static_cast<int64_t>(data.size()));
  out->Free();
  in->Free();
}

TEST(SendRecv, AClosedPeerIsAReset) {
  TcpPair p;
  p.Client->CloseSocket();
  EXPECT_EQ(p.Server->RecvPacket(5000), "");
  EXPECT_EQ(p.Server->LastError(), 10054);
}

TEST(SendRecv, DataThatArrivesDuringTheWaitIsTakenWithoutAskingAgain) {
  Reports reports;  // outlives the sockets, which report as they close
  std::string seen;
  TcpPair p;
  p.Server->OnStatus = [&](TObject*, THookSocketReason r, const String& v) { reports.push_back({r, v}); };
  p.Server->OnMonitor = [&](TObject*, bool, const void* b, int n) { seen.assign(static_cast<const char*>(b), n); };
  p.Server->OnReadFilter = [](TObject*, AnsiString& v) {
    for (char& c : v) c = static_cast<char>(c - 'a' + 'A');
  };
  CountQuestions questions([&] { p.Client->SendString("late"); });
  EXPECT_EQ(p.Server->RecvPacket(5000), "LATE");
  EXPECT_EQ(p.Server->LastError(), 0);
  EXPECT_EQ(questions.Count(), 1);
  EXPECT_EQ(reports, (Reports{{THookSocketReason::HR_CanRead, L""}, {THookSocketReason::HR_ReadCount, L"4"}}));
  EXPECT_EQ(seen, "late");
  EXPECT_EQ(p.Server->RecvCounter(), 4);
}

TEST(SendRecv, APeerThatClosesDuringTheWaitIsOneReset) {
  Reports reports;  // outlives the sockets, which report as they close
  TcpPair p;
  p.Server->OnStatus = [&](TObject*, THookSocketReason r, const String& v) { reports.push_back({r, v}); };
  CountQuestions questions([&] { p.Client->CloseSocket(); });
  EXPECT_EQ(p.Server->RecvPacket(5000), "");
  EXPECT_EQ(p.Server->LastError(), 10054);
  EXPECT_EQ(reports,
            (Reports{{THookSocketReason::HR_CanRead, L""}, {THookSocketReason::HR_Error, L"10054,Connection reset by peer"}}));
  EXPECT_EQ(p.Server->RecvCounter(), 0);
}

TEST(SendRecv, AStopRequestedDuringTheWaitEndsTheReceive) {
  TcpPair p;
  CountQuestions questions([&] {
    p.Server->SetStopFlag(true);
    p.Client->SendString("kept");
  });
  EXPECT_EQ(p.Server->RecvPacket(5000), "");
  EXPECT_EQ(p.Server->LastError(), 10053);
  EXPECT_FALSE(p.Server->StopFlag());
  EXPECT_EQ(p.Server->RecvCounter(), 0);
  EXPECT_EQ(p.Server->RecvPacket(5000), "kept");  // nothing was taken
}

TEST(SendRecv, AReceiveAfterTheWaitStillBeatsTheHeart) {
  int beats = 0;  // outlives the sockets
  TcpPair p;
  p.Server->SetHeartbeatRate(1000);
  p.Server->OnHeartbeat = [&](TObject*) { ++beats; };
  CountQuestions questions([&] { p.Client->SendString("x"); });
  EXPECT_EQ(p.Server->RecvPacket(5000), "x");  // readable at once: no beat while waiting
  EXPECT_EQ(beats, 1);                          // the one before the receive
}

TEST(SendRecv, TheReceiveLimitPausesForTheCountAsked) {
  Reports reports;  // outlives the sockets, which report as they close
  TcpPair p;
  p.Server->OnStatus = [&](TObject*, THookSocketReason r, const String& v) { reports.push_back({r, v}); };
  p.Server->SetMaxRecvBandwidth(1000);
  SetTickSource(FrozenClock);
  p.Deliver("abcd");
  EXPECT_EQ(p.Server->RecvPacket(5000), "abcd");
  {
    CountQuestions questions([&] { p.Client->SendString("ef"); });
    EXPECT_EQ(p.Server->RecvPacket(5000), "ef");
  }
  p.Deliver("g");
  EXPECT_EQ(p.Server->RecvPacket(5000), "g");
  SetTickSource(nullptr);
  // 4 and then 2 bytes at 1000 bytes per second.
  EXPECT_EQ(Values(reports, THookSocketReason::HR_Wait), (std::vector<String>{L"4", L"2"}));
}

TEST(SendRecv, ReceivesOfEverySizeLoseNothing) {
  TcpPair p;
  AnsiString data;
  for (int i = 0; i < 600000; ++i) data += static_cast<char>((i * 131) ^ (i >> 9));
  PeerThread sender([&] {
    const int pieces[] = {1, 70000, 3, 65536, 200000, 17, 65535};
    size_t at = 0;
    for (int i = 0; at < data.size(); ++i) {
      size_t n = std::min(data.size() - at, static_cast<size_t>(pieces[i % 7]));
      p.Client->SendBuffer(data.data() + at, static_cast<int>(n));
      at += n;
    }
  });
  AnsiString got;
  const int lengths[] = {1, 65536, 70000, 3, 0, 65535, 131072, 17, -1, 40000};
  std::vector<char> buffer(131072);
  for (int i = 0; got.size() < data.size() && i < 1000; ++i) {
    int length = std::min(lengths[i % 10], static_cast<int>(data.size() - got.size()));
    if (length == 0) {
      got += p.Server->RecvPacket(5000);
    } else if (length < 0) {
      got += p.Server->RecvBufferStr(static_cast<int>(std::min<size_t>(data.size() - got.size(), 100000)), 5000);
    } else {
      int n = p.Server->RecvBufferEx(buffer.data(), length, 5000);
      EXPECT_EQ(n, length);
      got.append(buffer.data(), static_cast<size_t>(n));
    }
    if (p.Server->LastError() != 0) {
      ADD_FAILURE() << "error " << p.Server->LastError() << " at step " << i;
      break;
    }
  }
  EXPECT_EQ(p.Server->LineBuffer(), "");
  p.Server->CloseSocket();  // a sender left blocked by a failure ends too
  sender.Join();
  ASSERT_EQ(got.size(), data.size());
  EXPECT_TRUE(got == data);
}

TEST(SendRecv, ReadFilterAndMonitorSeeTheData) {
  std::vector<std::pair<bool, std::string>> seen;  // outlives the sockets
  TcpPair p;
  p.Client->OnMonitor = [&](TObject*, bool w, const void* b, int n) {
    seen.push_back({w, std::string(static_cast<const char*>(b), static_cast<size_t>(n))});
  };
  p.Server->OnMonitor = p.Client->OnMonitor;
  p.Server->OnReadFilter = [](TObject*, AnsiString& v) { v = v.substr(1) + "longer than before"; };
  p.Deliver("filter");
  EXPECT_EQ(p.Server->RecvPacket(1000), "ilterl");  // never longer than received
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], std::make_pair(true, std::string("filter")));
  EXPECT_EQ(seen[1], std::make_pair(false, std::string("filter")));
}

TEST(SendRecv, WaitingDataIsCapped) {
  TcpPair p;
  p.Client->SendString(AnsiString(100000, 'w'));
  int waiting = 0;
  for (int i = 0; i < 200 && waiting < 65536; ++i) {
    p.Server->CanRead(50);
    waiting = p.Server->WaitingData();
  }
  EXPECT_EQ(waiting, 65536);
  EXPECT_EQ(p.Server->RecvPacket(1000).size(), 65536u);
  EXPECT_EQ(p.Server->RecvPacket(1000).size(), 100000u - 65536u);
  EXPECT_EQ(p.Server->RecvPacket(50), "");
  EXPECT_EQ(p.Server->LastError(), 10060);
}

TEST(SendRecv, HeartbeatsDuringAWaitAndAStopFromThem) {
  int beats = 0;  // outlives the sockets
  TcpPair p;
  p.Server->SetHeartbeatRate(100);
  p.Server->OnHeartbeat = [&](TObject*) { ++beats; };
  EXPECT_FALSE(p.Server->CanRead(250));  // 50 ms, then up to three waits of 100
  EXPECT_EQ(beats, 3);
  beats = 0;
  p.Server->OnHeartbeat = [&](TObject* s) {
    ++beats;
    static_cast<TBlockSocket*>(s)->SetStopFlag(true);
  };
  EXPECT_FALSE(p.Server->CanRead(10000));
  EXPECT_EQ(beats, 1);
  EXPECT_EQ(p.Server->LastError(), 0);
  EXPECT_FALSE(p.Server->StopFlag());
}

TEST(SendRecv, AStopRequestEndsASend) {
  TcpPair p;
  p.Client->SetStopFlag(true);
  EXPECT_EQ(p.Client->SendBuffer("x", 1), 0);
  EXPECT_EQ(p.Client->LastError(), 10053);
  EXPECT_FALSE(p.Client->StopFlag());
}

TEST(SendRecv, TheBandwidthLimitSpacesSends) {
  std::vector<std::pair<THookSocketReason, String>> reports;  // outlives the sockets
  TcpPair p;
  p.Client->OnStatus = [&](TObject*, THookSocketReason r, const String& v) { reports.push_back({r, v}); };
  p.Client->SetMaxSendBandwidth(1000);
  SetTickSource(FrozenClock);
  p.Client->SendString(AnsiString(500, 'a'));
  p.Client->SendString(AnsiString(500, 'b'));
  SetTickSource(nullptr);
  // 500 bytes at 1000 bytes per second: half a second before the next.
  EXPECT_EQ(Values(reports, THookSocketReason::HR_Wait), std::vector<String>{L"500"});
  EXPECT_EQ(Values(reports, THookSocketReason::HR_WriteCount), (std::vector<String>{L"500", L"500"}));
  EXPECT_EQ(p.Server->RecvBufferStr(1000, 5000).size(), 1000u);
}

TEST(SendRecv, GroupCanReadListsTheReadableSockets) {
  TcpPair a, b, c;
  TList* all = new TList();
  TList* ready = new TList();
  for (TcpPair* p : {&a, &b, &c}) all->Add(static_cast<TObject*>(p->Server.get()));
  all->Add(static_cast<TObject*>(new TMemoryStream()));  // not a socket: left out
  c.Deliver("c");
  a.Deliver("a");
  EXPECT_TRUE(a.Server->GroupCanRead(all, 5000, ready));
  ASSERT_EQ(ready->Count(), 2);
  EXPECT_EQ(ready->Items(0), static_cast<TObject*>(a.Server.get()));
  EXPECT_EQ(ready->Items(1), static_cast<TObject*>(c.Server.get()));
  static_cast<TObject*>(all->Items(3))->Free();
  all->Free();
  ready->Free();
}

TEST(SendRecv, PurgeDiscardsWhatIsPending) {
  TcpPair p;
  p.Deliver("stale bytes");
  p.Server->SetLineBuffer("old");
  p.Server->Purge();
  EXPECT_EQ(p.Server->LineBuffer(), "");
  EXPECT_EQ(p.Server->WaitingData(), 0);
  EXPECT_EQ(p.Server->LastError(), 0);
  EXPECT_TRUE(p.Server->CanWrite(1000));
}

TEST(SendRecv, SendsGoOutInChunks) {
  std::vector<std::pair<THookSocketReason, String>> reports;  // outlives the sockets
  TcpPair p;
  p.Client->OnStatus = [&](TObject*, THookSocketReason r, const String& v) { reports.push_back({r, v}); };
  p.Client->SetSendMaxChunk(1000);
  p.Client->SendString(AnsiString(2500, 'c'));
  EXPECT_EQ(Values(reports, THookSocketReason::HR_WriteCount), (std::vector<String>{L"1000", L"1000", L"500"}));
  EXPECT_EQ(p.Server->RecvBufferStr(2500, 5000).size(), 2500u);
}

TEST(SendRecv, ANonBlockingSendThatStaysBlockedTimesOut) {
  TcpPair p;  // the server never reads
  p.Client->SetNonBlockMode(true);
  p.Client->SetNonblockSendTimeout(200);
  const AnsiString big(64 << 20, 'n');
  int sent = p.Client->SendBuffer(big.data(), static_cast<int>(big.size()));
  EXPECT_EQ(p.Client->LastError(), 10060);
  EXPECT_GT(sent, 0);
  EXPECT_LT(sent, static_cast<int>(big.size()));
  EXPECT_EQ(p.Client->SendCounter(), sent);
}
