// TCP throughput over loopback in 64 KiB blocks: SendBuffer and
// RecvBufferEx of the socket layer beside a plain Winsock send/recv loop,
// in the same run. Goal: ours at least 0.9 of the plain loop.
#include "bench/net/BenchSupport.h"

#include <thread>

#include "net/blocksock.h"

namespace {

constexpr int kBlock = 64 * 1024;
constexpr int kBlocks = 4096;  // 256 MiB per run
constexpr int kRuns = 5;

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
    std::vector<char> block(kBlock, 'p');
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
  std::vector<char> block(kBlock);
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
    std::vector<char> block(kBlock, 'o');
    for (int i = 0; i < kBlocks && s->LastError() == 0; ++i) s->SendBuffer(block.data(), kBlock);
    s->Free();
  });
  TTCPBlockSocket* s = new TTCPBlockSocket();
  s->SetSocket(listener->Accept());
  std::vector<char> block(kBlock);
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
  std::vector<double> ours, plain;
  for (int run = 0; run < kRuns; ++run) {
    // Alternating, so that both see the same machine load.
    plain.push_back(PlainRun());
    ours.push_back(OurRun());
  }
  const double mib = static_cast<double>(kBlock) * kBlocks / (1024.0 * 1024.0);
  const double ourRate = mib / Percentile(ours, 0.5);
  const double plainRate = mib / Percentile(plain, 0.5);
  std::printf("TCP over loopback, 64 KiB blocks, %d runs of %.0f MiB (median):\n", kRuns, mib);
  std::printf("  SendBuffer/RecvBufferEx  %8.1f MiB/s\n", ourRate);
  std::printf("  plain send/recv loop     %8.1f MiB/s\n", plainRate);
  std::printf("  ratio                    %8.2f (goal: at least 0.90)\n", ourRate / plainRate);
  FinalizeUnits();
  return 0;
}
