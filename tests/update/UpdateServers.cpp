// Sockets before the platform headers that the rest brings.
#include <winsock2.h>
#include <wincrypt.h>

#include "tests/update/UpdateServers.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "base/FileUtils.h"
#include "tools/update/ServerProcess.h"
#include "update/common/UpdatePaths.h"
#include "base/SysUtils.h"

namespace {

String Env(const wchar_t* Name) {
  wchar_t buf[4096];
  DWORD n = GetEnvironmentVariableW(Name, buf, 4096);
  return n && n < 4096 ? String(buf, n) : String();
}

void RemoveTree(const String& Folder) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((Folder + L"\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      String name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      String path = Folder + L"\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryW(Folder.c_str());
}

}  // namespace

String BuildFolder() {
  String dir = Env(L"VANTREL_BUILD_DIR");
  if (dir.empty()) return ExcludeTrailingPathDelimiter(ExtractFilePath(GetModuleName(nullptr)) + L"..");
  if (dir[0] == L'/') dir = L"Z:" + StringReplaceAll(dir, L"/", L"\\");
  return ExcludeTrailingPathDelimiter(dir);
}

String TestWorkFolder(const String& Name) {
  String exe = ChangeFileExt(ExtractFileName(GetModuleName(nullptr)), L"");
  String folder = BuildFolder() + L"\\update_work\\" + exe + L"\\" + Name;
  RemoveTree(folder);
  ForceDirectories(folder);
  return folder + L"\\";
}

std::string ReadFileBytes(const String& FileName) {
  std::ifstream in(WideToAnsi(FileName), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFileBytes(const String& FileName, const std::string& Bytes) {
  HANDLE h = CreateFileW(FileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD put = 0;
  WriteFile(h, Bytes.data(), static_cast<DWORD>(Bytes.size()), &put, nullptr);
  CloseHandle(h);
}

TUpdateServers& TUpdateServers::Get() {
  static TUpdateServers servers;
  return servers;
}

TUpdateServers::TUpdateServers() {
  FRoot = TestWorkFolder(L"servers");
  std::map<std::string, std::string> ports;
  if (!StartUpdateServers(FRoot, L"", ports)) {
    std::fprintf(stderr, "update servers: they did not start\n");
    return;
  }
  auto port = [&](const char* key) { return std::atoi(ports[key].c_str()); };
  FHttp = port("http");
  FHttps = port("https");
  FUntrusted = port("untrusted");
  FFtp = port("ftp");
  FSilent = port("silent");
  FCaFile = L"Z:" + StringReplaceAll(AnsiToWide(ports["ca"], CP_UTF8), L"/", L"\\");
  FReady = TrustTestAuthority();
}

TUpdateServers::~TUpdateServers() { DistrustTestAuthority(); }

void TUpdateServers::PutFile(const String& Name, const std::string& Bytes) { WriteFileBytes(FRoot + Name, Bytes); }

void TUpdateServers::RemoveFile(const String& Name) { DeleteFileW((FRoot + Name).c_str()); }

namespace {

// The helper beside this executable that changes the trusted roots.
bool RunTrustHelper(const String& Verb, const String& File) {
  String helper = ExtractFilePath(GetModuleName(nullptr)) + L"update_trust_ca.exe";
  String command = L"\"" + helper + L"\" " + Verb + L" \"" + File + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  WaitForSingleObject(pi.hProcess, 30000);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code == 0;
}

}  // namespace

bool TUpdateServers::TrustTestAuthority() {
  if (FTrusted) return true;
  if (FCaFile.empty() || !RunTrustHelper(L"add", FCaFile)) return false;
  FTrusted = true;
  return true;
}

void TUpdateServers::DistrustTestAuthority() {
  if (!FTrusted) return;
  RunTrustHelper(L"remove", FCaFile);
  FTrusted = false;
}

std::string TUpdateServers::Fetch(const String& Path) const {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(static_cast<u_short>(FHttp));
  std::string reply;
  DWORD timeout = 5000;
  setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
  if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
    std::string request = "GET " + WideToAnsi(Path) + " HTTP/1.0\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
    send(s, request.data(), static_cast<int>(request.size()), 0);
    char buf[4096];
    for (int r; (r = recv(s, buf, sizeof buf, 0)) > 0;) reply.append(buf, static_cast<size_t>(r));
  }
  closesocket(s);
  size_t body = reply.find("\r\n\r\n");
  return body == std::string::npos ? std::string() : reply.substr(body + 4);
}
