// TCP throughput over loopback in 64 KiB blocks: SendBuffer and
// RecvBufferEx of the socket layer beside a plain Winsock send/recv loop,
// in the same run. The two take turns in short slices (which one goes first
// alternates from slice to slice), so that a busy moment of the machine
// falls on both alike; they use the same sending and receiving blocks, and
// every pair of runs (the sum of its slices) gives its own ratio. Goal: ours
// at least 0.95 of the plain loop in every pair.
#include "bench/net/BenchSupport.h"

#include <thread>

#include "net/blocksock.h"

namespace {

constexpr int kBlock = 64 * 1024;
constexpr int kBlocks = 256;  // 16 MiB per slice
constexpr int kSlices = 8;   // 128 MiB per run
constexpr int kPairs = 9;

// The blocks of both ways, made once: neither way pays for fresh pages.
std::vector<char> SendBlock(kBlock, 's');
std::vector<char> RecvBlock(kBlock);

SOCKET PlainListener(int& Port) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  listen(s, 4);
  int length = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &length);
  Port = ntohs(a.sin_port);
  return s;
}

// Seconds for kBlocks blocks through plain send and recv.
double PlainRun() {
  int port = 0;
  SOCKET listener = PlainListener(port);
  std::thread sender([port] {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<u_short>(port));
    connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    const std::vector<char>& block = SendBlock;
    for (int i = 0; i < kBlocks; ++i) {
      for (int sent = 0; sent < kBlock;) {
        int r = send(s, block.data() + sent, kBlock - sent, 0);
        if (r <= 0) break;
        sent += r;
      }
    }
    shutdown(s, SD_SEND);
    closesocket(s);
  });
  SOCKET s = accept(listener, nullptr, nullptr);
  std::vector<char>& block = RecvBlock;
  double start = NowSeconds();
  long long total = 0;
  for (int i = 0; i < kBlocks; ++i) {
    for (int got = 0; got < kBlock;) {
      int r = recv(s, block.data() + got, kBlock - got, 0);
      if (r <= 0) {
        i = kBlocks;
        break;
      }
      got += r;
      total += r;
    }
  }
  double seconds = NowSeconds() - start;
  sender.join();
  closesocket(s);
  closesocket(listener);
  if (total != static_cast<long long>(kBlock) * kBlocks) std::printf("plain loop lost data: %lld bytes\n", total);
  return seconds;
}

// Seconds for kBlocks blocks through SendBuffer and RecvBufferEx.
double OurRun() {
  TTCPBlockSocket* listener = new TTCPBlockSocket();
  listener->Bind(L"127.0.0.1", L"0");
  listener->Listen();
  const String port = IntToStr(listener->GetLocalSinPort());
  std::thread sender([port] {
    TTCPBlockSocket* s = new TTCPBlockSocket();
    s->Connect(L"127.0.0.1", port);
    const std::vector<char>& block = SendBlock;
    for (int i = 0; i < kBlocks && s->LastError() == 0; ++i) s->SendBuffer(block.data(), kBlock);
    s->Free();
  });
  TTCPBlockSocket* s = new TTCPBlockSocket();
  s->SetSocket(listener->Accept());
  std::vector<char>& block = RecvBlock;
  double start = NowSeconds();
  long long total = 0;
  for (int i = 0; i < kBlocks; ++i) {
    int got = s->RecvBufferEx(block.data(), kBlock, 10000);
    total += got;
    if (s->LastError() != 0) break;
  }
  double seconds = NowSeconds() - start;
  sender.join();
  s->Free();
  listener->Free();
  if (total != static_cast<long long>(kBlock) * kBlocks) std::printf("socket layer lost data: %lld bytes\n", total);
  return seconds;
}

}  // namespace

int main() {
  if (!StartSocketLayer()) return 1;
  PlainRun();  // warm both ways up once: first connections, first pages
  OurRun();
  std::vector<double> ours, plain, ratios;
  const double mib = static_cast<double>(kBlock) * kBlocks * kSlices / (1024.0 * 1024.0);
  std::printf("TCP over loopback, 64 KiB blocks, %d pairs of runs of %.0f MiB, alternating in slices of %d:\n", kPairs, mib, kSlices);
  for (int pair = 0; pair < kPairs; ++pair) {
    double p = 0, o = 0;
    for (int slice = 0; slice < kSlices; ++slice) {
      if ((pair + slice) % 2 == 0) {
        p += PlainRun();
        o += OurRun();
      } else {
        o += OurRun();
        p += PlainRun();
      }
    }
    plain.push_back(p);
    ours.push_back(o);
    ratios.push_back(p / o);  // our rate over the plain rate
    std::printf("  pair %d: SendBuffer/RecvBufferEx %7.1f MiB/s, plain loop %7.1f MiB/s, ratio %.2f\n", pair + 1,
                mib / o, mib / p, p / o);
  }
  const double ourRate = mib / Percentile(ours, 0.5);
  const double plainRate = mib / Percentile(plain, 0.5);
  std::printf("  median: SendBuffer/RecvBufferEx %7.1f MiB/s, plain loop %7.1f MiB/s\n", ourRate, plainRate);
  std::printf("  ratio: median %.2f, lowest %.2f (goal: at least 0.95 in every pair)\n", Percentile(ratios, 0.5),
              *std::min_element(ratios.begin(), ratios.end()));
  FinalizeUnits();
  return 0;
}
