#include "tests/net/Peers.h"

#include <cstring>

namespace {

bool ResolveNumeric(const char* Host, int Port, int Type, sockaddr_storage& Address, int& Length) {
  addrinfo hints{};
  hints.ai_flags = AI_NUMERICHOST;
  hints.ai_socktype = Type;
  addrinfo* result = nullptr;
  std::string port = std::to_string(Port);
  if (getaddrinfo(Host, port.c_str(), &hints, &result) != 0 || !result) return false;
  std::memcpy(&Address, result->ai_addr, result->ai_addrlen);
  Length = static_cast<int>(result->ai_addrlen);
  freeaddrinfo(result);
  return true;
}

RawSocket BoundSocket(const char* Host, int Type) {
  sockaddr_storage address{};
  int length = 0;
  if (!ResolveNumeric(Host, 0, Type, address, length)) return RawSocket();
  RawSocket s(socket(address.ss_family, Type, Type == SOCK_STREAM ? IPPROTO_TCP : IPPROTO_UDP));
  if (!s.Valid() || bind(s.Get(), reinterpret_cast<sockaddr*>(&address), length) != 0) return RawSocket();
  return s;
}

}  // namespace

RawSocket& RawSocket::operator=(RawSocket&& o) noexcept {
  if (this != &o) {
    Close();
    FSocket = o.Release();
  }
  return *this;
}

SOCKET RawSocket::Release() {
  SOCKET s = FSocket;
  FSocket = INVALID_SOCKET;
  return s;
}

void RawSocket::Close() {
  if (FSocket != INVALID_SOCKET) closesocket(FSocket);
  FSocket = INVALID_SOCKET;
}

int RawSocket::Port() const {
  sockaddr_storage address{};
  int length = sizeof address;
  if (getsockname(FSocket, reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
  return ntohs(reinterpret_cast<sockaddr_in*>(&address)->sin_port);
}

bool RawSocket::Readable(int TimeoutMs) const {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(FSocket, &set);
  timeval tv{TimeoutMs / 1000, (TimeoutMs % 1000) * 1000};
  return select(0, &set, nullptr, nullptr, &tv) > 0;
}

bool RawSocket::SendAll(const std::string& Data) const {
  size_t sent = 0;
  while (sent < Data.size()) {
    int r = send(FSocket, Data.data() + sent, static_cast<int>(Data.size() - sent), 0);
    if (r <= 0) return false;
    sent += static_cast<size_t>(r);
  }
  return true;
}

std::string RawSocket::RecvSome(int TimeoutMs, int Max) const {
  if (!Readable(TimeoutMs)) return std::string();
  std::string buffer(static_cast<size_t>(Max), '\0');
  int r = recv(FSocket, buffer.data(), Max, 0);
  buffer.resize(r > 0 ? static_cast<size_t>(r) : 0);
  return buffer;
}

std::string RawSocket::RecvExact(int N, int TimeoutMs) const {
  std::string data;
  DWORD start = GetTickCount();
  while (static_cast<int>(data.size()) < N) {
    int left = TimeoutMs - static_cast<int>(GetTickCount() - start);
    if (left <= 0) break;
    std::string piece = RecvSome(left, N - static_cast<int>(data.size()));
    if (piece.empty()) break;
    data += piece;
  }
  return data;
}

std::string RawSocket::RecvUntil(const std::string& Marker, int TimeoutMs) const {
  std::string data;
  DWORD start = GetTickCount();
  while (data.find(Marker) == std::string::npos) {
    int left = TimeoutMs - static_cast<int>(GetTickCount() - start);
    if (left <= 0) break;
    // One byte at a time: what follows the marker stays queued.
    std::string piece = RecvSome(left, 1);
    if (piece.empty()) break;
    data += piece;
  }
  return data;
}

RawSocket ListenOn(const char* Host, int Backlog) {
  RawSocket s = BoundSocket(Host, SOCK_STREAM);
  if (s.Valid() && listen(s.Get(), Backlog) != 0) s.Close();
  return s;
}

RawSocket AcceptWithin(const RawSocket& Listener, int TimeoutMs) {
  if (!Listener.Readable(TimeoutMs)) return RawSocket();
  return RawSocket(accept(Listener.Get(), nullptr, nullptr));
}

RawSocket ConnectTo(const char* Host, int Port) {
  sockaddr_storage address{};
  int length = 0;
  if (!ResolveNumeric(Host, Port, SOCK_STREAM, address, length)) return RawSocket();
  RawSocket s(socket(address.ss_family, SOCK_STREAM, IPPROTO_TCP));
  if (s.Valid() && connect(s.Get(), reinterpret_cast<sockaddr*>(&address), length) != 0) s.Close();
  return s;
}

RawSocket UdpOn(const char* Host) { return BoundSocket(Host, SOCK_DGRAM); }

bool SendDatagram(const RawSocket& Socket, const std::string& Data, const char* Host, int Port) {
  sockaddr_storage address{};
  int length = 0;
  if (!ResolveNumeric(Host, Port, SOCK_DGRAM, address, length)) return false;
  return sendto(Socket.Get(), Data.data(), static_cast<int>(Data.size()), 0, reinterpret_cast<sockaddr*>(&address),
                length) == static_cast<int>(Data.size());
}

std::string RecvDatagram(const RawSocket& Socket, int TimeoutMs, int* FromPort, sockaddr_storage* From) {
  if (!Socket.Readable(TimeoutMs)) return std::string();
  std::string buffer(65536, '\0');
  sockaddr_storage from{};
  int length = sizeof from;
  int r = recvfrom(Socket.Get(), buffer.data(), static_cast<int>(buffer.size()), 0, reinterpret_cast<sockaddr*>(&from),
                   &length);
  buffer.resize(r > 0 ? static_cast<size_t>(r) : 0);
  if (FromPort) *FromPort = ntohs(reinterpret_cast<sockaddr_in*>(&from)->sin_port);
  if (From) *From = from;
  return buffer;
}

int UnusedPort(const char* Host, int Type) {
  RawSocket s = BoundSocket(Host, Type);
  return s.Port();
}

std::string Bytes(std::initializer_list<int> Values) {
  std::string s;
  for (int v : Values) s += static_cast<char>(v);
  return s;
}

std::string Hex(const std::string& Data) {
  static const char* digits = "0123456789ABCDEF";
  std::string r;
  for (unsigned char c : Data) {
    if (!r.empty()) r += ' ';
    r += digits[c >> 4];
    r += digits[c & 15];
  }
  return r;
}
