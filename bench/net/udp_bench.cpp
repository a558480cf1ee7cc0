// UDP request and answer over loopback: a TUDPBlockSocket (SendString,
// RecvPacket) beside plain sendto/recvfrom, against the same plain echo
// server, in the same run. Prints the median and the 99th percentile of the
// round trip.
#include "bench/net/BenchSupport.h"

#include <atomic>
#include <string>
#include <thread>

#include "net/blocksock.h"

namespace {

constexpr int kRounds = 5000;
constexpr int kWarmUp = 200;
const char kRequest[] = "AT+HEART";

// Answers every datagram to its sender until told to stop.
struct EchoServer {
  SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  int port = 0;
  std::atomic<bool> stop{false};
  std::thread thread;
  EchoServer() {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    int length = sizeof a;
    getsockname(s, reinterpret_cast<sockaddr*>(&a), &length);
    port = ntohs(a.sin_port);
    DWORD timeout = 100;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    thread = std::thread([this] {
      char buffer[2048];
      while (!stop) {
        sockaddr_in from{};
        int length = sizeof from;
        int r = recvfrom(s, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length);
        if (r > 0) sendto(s, buffer, r, 0, reinterpret_cast<sockaddr*>(&from), length);
      }
    });
  }
  ~EchoServer() {
    stop = true;
    thread.join();
    closesocket(s);
  }
};

std::vector<double> PlainRounds(int Port) {
  SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  to.sin_port = htons(static_cast<u_short>(Port));
  DWORD timeout = 1000;
  setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
  std::vector<double> times;
  char buffer[2048];
  for (int i = 0; i < kWarmUp + kRounds; ++i) {
    double start = NowSeconds();
    sendto(s, kRequest, sizeof kRequest - 1, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    int r = recvfrom(s, buffer, sizeof buffer, 0, nullptr, nullptr);
    double t = NowSeconds() - start;
    if (r <= 0) std::printf("plain: no answer in round %d\n", i);
    if (i >= kWarmUp) times.push_back(t);
  }
  closesocket(s);
  return times;
}

std::vector<double> OurRounds(int Port) {
  TUDPBlockSocket* s = new TUDPBlockSocket();
  s->Connect(L"127.0.0.1", IntToStr(Port));
  std::vector<double> times;
  for (int i = 0; i < kWarmUp + kRounds; ++i) {
    double start = NowSeconds();
    s->SendString(kRequest);
    AnsiString answer = s->RecvPacket(1000);
    double t = NowSeconds() - start;
    if (answer != kRequest) std::printf("socket layer: no answer in round %d (%d)\n", i, s->LastError());
    // The answer came from the server: the next request goes back there.
    if (i >= kWarmUp) times.push_back(t);
  }
  s->Free();
  return times;
}

}  // namespace

int main() {
  if (!StartSocketLayer()) return 1;
  EchoServer server;
  std::vector<double> plain = PlainRounds(server.port);
  std::vector<double> ours = OurRounds(server.port);
  std::vector<double> plain2 = PlainRounds(server.port);
  plain.insert(plain.end(), plain2.begin(), plain2.end());
  std::printf("UDP request and answer over loopback, %d rounds each (microseconds):\n", kRounds);
  std::printf("                          median      p99\n");
  std::printf("  TUDPBlockSocket       %8.1f %8.1f\n", Percentile(ours, 0.5) * 1e6, Percentile(ours, 0.99) * 1e6);
  std::printf("  plain sendto/recvfrom %8.1f %8.1f\n", Percentile(plain, 0.5) * 1e6, Percentile(plain, 0.99) * 1e6);
  FinalizeUnits();
  return 0;
}
