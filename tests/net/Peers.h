// Fake peers for the socket tests: plain Winsock sockets on loopback,
// driven from test threads. Every wait is bounded.
#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "base/Object.h"

// A plain socket handle, closed at the end of its scope.
class RawSocket {
 public:
  RawSocket() = default;
  explicit RawSocket(SOCKET s) : FSocket(s) {}
  RawSocket(RawSocket&& o) noexcept : FSocket(o.Release()) {}
  RawSocket& operator=(RawSocket&& o) noexcept;
  ~RawSocket() { Close(); }
  SOCKET Get() const { return FSocket; }
  bool Valid() const { return FSocket != INVALID_SOCKET; }
  SOCKET Release();
  void Close();

  // The port the socket is bound to, in host order.
  int Port() const;
  // Sends everything; false on an error.
  bool SendAll(const std::string& Data) const;
  // Bytes that arrive within TimeoutMs (at most Max); empty on time-out,
  // error or the peer's close.
  std::string RecvSome(int TimeoutMs, int Max = 65536) const;
  // Exactly N bytes, or what came before TimeoutMs ran out.
  std::string RecvExact(int N, int TimeoutMs) const;
  // Everything up to and including Marker (bounded by TimeoutMs).
  std::string RecvUntil(const std::string& Marker, int TimeoutMs) const;
  bool Readable(int TimeoutMs) const;

 private:
  SOCKET FSocket = INVALID_SOCKET;
};

// A TCP socket listening on Host (IPv4 or IPv6 text) with an ephemeral port.
RawSocket ListenOn(const char* Host = "127.0.0.1", int Backlog = 8);
// Accepts one connection within TimeoutMs.
RawSocket AcceptWithin(const RawSocket& Listener, int TimeoutMs);
// A TCP connection to Host:Port (blocking).
RawSocket ConnectTo(const char* Host, int Port);
// A UDP socket bound to Host with an ephemeral port.
RawSocket UdpOn(const char* Host = "127.0.0.1");
// One datagram to Host:Port.
bool SendDatagram(const RawSocket& Socket, const std::string& Data, const char* Host, int Port);
// One datagram within TimeoutMs; the sender's port in FromPort.
std::string RecvDatagram(const RawSocket& Socket, int TimeoutMs, int* FromPort = nullptr, sockaddr_storage* From = nullptr);
// A port on Host that nothing listens on (it was bound a moment ago).
int UnusedPort(const char* Host = "127.0.0.1", int Type = SOCK_STREAM);

// A peer's body on a thread of its own, joined when the object ends.
class PeerThread {
 public:
  explicit PeerThread(std::function<void()> Body) : FThread(std::move(Body)) {}
  ~PeerThread() { Join(); }
  void Join() {
    if (FThread.joinable()) FThread.join();
  }

 private:
  std::thread FThread;
};

// Ends a socket object made with new at the end of a scope.
template <class T>
struct Owned {
  T* p;
  explicit Owned(T* q) : p(q) {}
  ~Owned() {
    if (p) p->Free();
  }
  Owned(Owned&& o) noexcept : p(o.p) { o.p = nullptr; }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  T* operator->() const { return p; }
  T* get() const { return p; }
};

// The bytes of a list of values.
std::string Bytes(std::initializer_list<int> Values);
// Hex dump for failure messages.
std::string Hex(const std::string& Data);
