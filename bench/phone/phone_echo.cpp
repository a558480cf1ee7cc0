// The platform's own way of answering a request over UDP, for comparison:
// a plain Winsock loop that answers every "AT+GETIP" at once, on port 43011
// or on the port given as its argument (so that it can run beside Vantrel).
// It ends after 20,000 datagrams or 30 s without one.
#include <winsock2.h>

#include <cwchar>
#include <string>

int wmain(int argc, wchar_t** argv) {
  unsigned long port = argc > 1 ? std::wcstoul(argv[1], nullptr, 10) : 43011;
  if (port == 0 || port > 65535) return 3;
  WSADATA wsa;
  if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return 1;
  SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(static_cast<u_short>(port));
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  if (bind(s, reinterpret_cast<sockaddr*>(&local), sizeof(local)) != 0) return 2;
  const std::string answer = "+GETIP:10.77.0.2,echo";
  for (int n = 0; n < 20000; ++n) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval tv{30, 0};
    if (select(0, &set, nullptr, nullptr, &tv) != 1) break;
    char buf[2048];
    sockaddr_in peer{};
    int len = sizeof(peer);
    int got = recvfrom(s, buf, sizeof(buf), 0, reinterpret_cast<sockaddr*>(&peer), &len);
    if (got == 8 && std::string(buf, 8) == "AT+GETIP")
      sendto(s, answer.data(), static_cast<int>(answer.size()), 0, reinterpret_cast<sockaddr*>(&peer), len);
  }
  closesocket(s);
  WSACleanup();
  return 0;
}
