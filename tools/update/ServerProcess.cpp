// Sockets before the platform headers that the rest brings.
#include <winsock2.h>

#include "tools/update/ServerProcess.h"

#include <fstream>

#include "base/SysUtils.h"

#ifndef VANTREL_SOURCE_DIR
#error "VANTREL_SOURCE_DIR names the source folder"
#endif

std::string UnixPath(const String& WindowsPath) {
  wchar_t buf[MAX_PATH * 4];
  DWORD n = GetFullPathNameW(WindowsPath.c_str(), MAX_PATH * 4, buf, nullptr);
  String p = n && n < MAX_PATH * 4 ? String(buf, n) : WindowsPath;
  // Wine tells where any of its drives lies.
  using ToUnix = char*(CDECL*)(LPCWSTR);
  if (auto toUnix = reinterpret_cast<ToUnix>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"))) {
    if (char* unix = toUnix(p.c_str())) {
      std::string result = unix;
      HeapFree(GetProcessHeap(), 0, unix);
      return result;
    }
  }
  if (p.size() >= 2 && (p[0] == L'Z' || p[0] == L'z') && p[1] == L':') p = p.substr(2);
  return WideToAnsi(StringReplaceAll(p, L"\\", L"/"), CP_UTF8);
}

bool StartUpdateServers(const String& Root, const String& Options, std::map<std::string, std::string>& Ports) {
  WSADATA wsa;
  WSAStartup(MAKEWORD(2, 2), &wsa);
  String ports = IncludeTrailingPathDelimiter(Root) + L"ports.txt";
  DeleteFileW(ports.c_str());
  // Debian's python (the FTP server is its package).
  String command = L"/usr/bin/python3 " + AnsiToWide(std::string(VANTREL_SOURCE_DIR) + "/tools/update/test_servers.py") +
                   L" --root " + AnsiToWide(UnixPath(Root), CP_UTF8) + L" --ports " +
                   AnsiToWide(UnixPath(ports), CP_UTF8) + L" --seconds 900 " + Options;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  for (int i = 0; i < 600 && GetFileAttributesW(ports.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
  std::ifstream in(WideToAnsi(ports));
  std::string line;
  while (std::getline(in, line)) {
    size_t eq = line.find('=');
    if (eq != std::string::npos) Ports[line.substr(0, eq)] = line.substr(eq + 1);
  }
  if (!Ports.count("control")) return false;
  // The servers live as long as this connection: it closes when the
  // process ends, however it ends.
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(static_cast<u_short>(std::atoi(Ports["control"].c_str())));
  if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    closesocket(s);
    return false;
  }
  return true;  // the socket stays open until the process ends
}
