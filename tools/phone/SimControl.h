// Talks to the phone simulator's control port (tools/phone/phone_sim.py) from
// a Windows program in the lab's desktop namespace: one command per
// datagram, one answer back. Header-only, plain Winsock.
#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>

#include <string>

class TSimControl {
 public:
  // The simulator's address in the lab and its control port.
  explicit TSimControl(const char* Host = "10.77.0.1", unsigned short Port = 43099) {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    FSocket = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    FAddr.sin_family = AF_INET;
    FAddr.sin_port = htons(Port);
    inet_pton(AF_INET, Host, &FAddr.sin_addr);
  }
  ~TSimControl() {
    if (FSocket != INVALID_SOCKET) closesocket(FSocket);
    WSACleanup();
  }
  TSimControl(const TSimControl&) = delete;
  TSimControl& operator=(const TSimControl&) = delete;

  // Sends Command and returns the answer; Ok is false when none came within
  // TimeoutMs (each try) after Tries tries.
  std::string Ask(const std::string& Command, bool* Ok = nullptr, int TimeoutMs = 3000, int Tries = 3) {
    for (int t = 0; t < Tries; ++t) {
      // Answers of earlier, timed-out tries are stale.
      Drain();
      sendto(FSocket, Command.data(), static_cast<int>(Command.size()), 0, reinterpret_cast<sockaddr*>(&FAddr),
             sizeof(FAddr));
      fd_set set;
      FD_ZERO(&set);
      FD_SET(FSocket, &set);
      timeval tv{TimeoutMs / 1000, (TimeoutMs % 1000) * 1000};
      if (select(0, &set, nullptr, nullptr, &tv) == 1) {
        std::string buf(65536, '\0');
        int n = recv(FSocket, buf.data(), static_cast<int>(buf.size()), 0);
        if (n >= 0) {
          if (Ok) *Ok = true;
          buf.resize(static_cast<size_t>(n));
          return buf;
        }
      }
    }
    if (Ok) *Ok = false;
    return std::string();
  }

 private:
  void Drain() {
    for (int i = 0; i < 100; ++i) {
      fd_set set;
      FD_ZERO(&set);
      FD_SET(FSocket, &set);
      timeval tv{0, 0};
      if (select(0, &set, nullptr, nullptr, &tv) != 1) return;
      char buf[2048];
      if (recv(FSocket, buf, sizeof(buf), 0) < 0 && WSAGetLastError() != WSAEMSGSIZE) return;
    }
  }

  SOCKET FSocket = INVALID_SOCKET;
  sockaddr_in FAddr{};
};
