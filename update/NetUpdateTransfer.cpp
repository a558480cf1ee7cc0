// Transfers of the update: the Internet session, FTP connections, bringing
// one URL (HTTP, HTTPS, FTP or a local path) into a folder through a temp
// file, and the POST of update information.

#include <algorithm>
#include <vector>

#include "base/Forms.h"
#include "update/NetUpdate.h"
// After the platform headers that the component brings.
#include <wininet.h>
#include "update/UpdateDialogs.h"
#include "update/UpdateStatus.h"
#include "update/common/Cabinet.h"
#include "update/common/LzExpand.h"
#include "update/common/UpdatePaths.h"

using namespace UpdateStatus;

namespace {

// Reload, no cache write, no-cache pragma.
constexpr DWORD kRequestFlags = 0x84000100;
constexpr DWORD kIgnoreCertFlags = 0x3100;
// Bytes asked of each read. Large reads keep the transfer close to the
// platform's own speed; progress and the message pump follow each block.
constexpr DWORD kReadBlock = 64 * 1024;
constexpr DWORD kCopyBlock = 32768;
// Fewer bytes waiting than this, or a block that took longer than this,
// mark a server that sends slowly.
constexpr DWORD kSlowServerBytes = 4096;
constexpr ULONGLONG kSlowReadMs = 50;

HINTERNET H(void* p) { return static_cast<HINTERNET>(p); }

FARPROC WininetFunction(const char* Name) {
  HMODULE lib = LoadLibraryW(L"wininet.dll");
  return lib ? GetProcAddress(lib, Name) : nullptr;
}

bool ConnectedState(DWORD& Flags) {
  using Fn = BOOL(WINAPI*)(LPDWORD, DWORD);
  auto fn = reinterpret_cast<Fn>(WininetFunction("InternetGetConnectedState"));
  Flags = 0;
  if (!fn) return true;
  return fn(&Flags, 0) != 0;
}

bool Autodial(DWORD Mode) {
  using Fn = BOOL(WINAPI*)(DWORD, HWND);
  auto fn = reinterpret_cast<Fn>(WininetFunction("InternetAutodial"));
  return !fn || fn(Mode, nullptr) != 0;
}

void AutodialHangup() {
  using Fn = BOOL(WINAPI*)(DWORD);
  if (auto fn = reinterpret_cast<Fn>(WininetFunction("InternetAutodialHangup"))) fn(0);
}

String UpperText(const String& s) { return UpperCase(s); }

// The host and port of a URL.
bool CrackHost(const String& Url, String& Host, INTERNET_PORT& Port, String& Path) {
  URL_COMPONENTSW uc{};
  uc.dwStructSize = sizeof uc;
  wchar_t host[INTERNET_MAX_HOST_NAME_LENGTH + 1] = L"";
  std::vector<wchar_t> path(Url.size() + 2);
  uc.lpszHostName = host;
  uc.dwHostNameLength = INTERNET_MAX_HOST_NAME_LENGTH;
  uc.lpszUrlPath = path.data();
  uc.dwUrlPathLength = static_cast<DWORD>(path.size());
  if (!InternetCrackUrlW(Url.c_str(), 0, 0, &uc)) return false;
  Host = host;
  Port = uc.nPort;
  Path = path.data();
  if (Path.empty()) Path = L"/";
  return true;
}

// A GET over HTTPS that accepts the certificate problems that the settings
// disable checking for: the request is made by hand so that its security
// flags can be set before it is sent. Connection receives the handle to
// close after the request.
HINTERNET OpenRelaxedRequest(TNetUpdate* Update, HINTERNET Session, const String& Url, const String& Headers,
                             DWORD Flags, HINTERNET& Connection) {
  Connection = nullptr;
  String host, path;
  INTERNET_PORT port = INTERNET_DEFAULT_HTTPS_PORT;
  if (!CrackHost(Url, host, port, path)) return nullptr;
  Connection = InternetConnectW(Session, host.c_str(), port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
  if (!Connection) return nullptr;
  HINTERNET request =
      HttpOpenRequestW(Connection, L"GET", path.c_str(), nullptr, nullptr, nullptr, Flags | INTERNET_FLAG_SECURE, 0);
  if (!request) return nullptr;
  DWORD security = 0, length = sizeof security;
  InternetQueryOptionW(request, INTERNET_OPTION_SECURITY_FLAGS, &security, &length);
  // Also a revocation state that cannot be learnt: nothing is checked.
  security |= kIgnoreCertFlags | SECURITY_FLAG_IGNORE_REVOCATION;
  if (!InternetSetOptionW(request, INTERNET_OPTION_SECURITY_FLAGS, &security, sizeof security)) Update->Error();
  if (!HttpSendRequestW(request, Headers.empty() ? nullptr : Headers.c_str(), static_cast<DWORD>(Headers.size()),
                        nullptr, 0)) {
    InternetCloseHandle(request);
    return nullptr;
  }
  return request;
}

// A request handle and, for a request made by hand, its connection.
struct TRequest {
  HINTERNET Handle = nullptr;
  HINTERNET Connection = nullptr;
  void Close() {
    if (Handle) InternetCloseHandle(Handle);
    if (Connection) InternetCloseHandle(Connection);
    Handle = Connection = nullptr;
  }
};

}  // namespace

// ---------------------------------------------------------------------------
// Session

bool TNetUpdate::Connected() {
  DWORD flags = 0;
  return Pos(L"127.0.0.1", FURL) > 0 || ConnectedState(flags);
}

int TNetUpdate::ConnectionType() {
  using Fn = BOOL(WINAPI*)(LPDWORD, DWORD);
  auto fn = reinterpret_cast<Fn>(WininetFunction("InternetGetConnectedState"));
  DWORD flags = 0;
  if (!fn || !fn(&flags, 0)) return -1;
  return static_cast<int>(flags);
}

void TNetUpdate::HangUp() {
  if (Connected()) AutodialHangup();
}

int TNetUpdate::StartConnection() {
  FSession = nullptr;
  FTransfer = nullptr;
  if (FUpdateType == TNetUpdateType::fileUpdate) return 0;
  DoStatus(CheckingConnection, L"", 3, 0);
  if (FUpdateConnect == TNetUpdateConnect::wucNone) return 0;
  bool connected = Connected();
  if (!connected && FUpdateConnect == TNetUpdateConnect::wucNoConnect) return 1;
  if (!connected && (FUpdateConnect == TNetUpdateConnect::wucConnectPrompt ||
                     FUpdateConnect == TNetUpdateConnect::wucConnectPromptHangup)) {
    DoStatus(PromptConnection, L"", 3, 0);
    if (!Autodial(INTERNET_AUTODIAL_FORCE_ONLINE)) {
      DoStatus(DialupFailed, L"", 3, 0);
      return 3;
    }
    FDialled = true;
    connected = true;
  }
  if (!connected && (FUpdateConnect == TNetUpdateConnect::wucConnectSilent ||
                     FUpdateConnect == TNetUpdateConnect::wucConnectSilentHangup)) {
    DoStatus(OpeningConnection, L"", 3, 0);
    if (!Autodial(INTERNET_AUTODIAL_FORCE_UNATTENDED)) {
      DoStatus(DialupFailed, L"", 3, 0);
      return 3;
    }
    FDialled = true;
  }
  DoStatus(FoundConnection, L"", 3, 0);
  HINTERNET session = InternetOpenW(FAgent.c_str(), FProxy.empty() ? INTERNET_OPEN_TYPE_PRECONFIG : INTERNET_OPEN_TYPE_PROXY,
                                    FProxy.empty() ? nullptr : FProxy.c_str(), nullptr, 0);
  if (!session) {
    Error();
    DoStatus(CannotOpenConnection, L"", 1, 0);
    return 2;
  }
  FSession = session;
  if (FTimeOut > 0) {
    DWORD v = static_cast<DWORD>(FTimeOut);
    InternetSetOptionW(session, INTERNET_OPTION_CONNECT_TIMEOUT, &v, sizeof v);
  }
  if (FReceiveTimeOut > 0) {
    DWORD v = static_cast<DWORD>(FReceiveTimeOut);
    InternetSetOptionW(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &v, sizeof v);
  }
  if (FCertCheck == TNetUpdateCertCheck::ccDisable) {
    DWORD v = kIgnoreCertFlags;
    InternetSetOptionW(session, INTERNET_OPTION_SECURITY_FLAGS, &v, sizeof v);
  }
  if (FUpdateType == TNetUpdateType::httpUpdate) FTransfer = session;
  FInProgress = true;
  return 0;
}

int TNetUpdate::FTPConnect() {
  FFTPDirChanged = false;
  DoStatus(ConnectHost, FHost, 3, 0);
  bool login = !FUserID.empty() && !FPassword.empty();
  HINTERNET h = FSession ? InternetConnectW(H(FSession), FHost.c_str(), static_cast<INTERNET_PORT>(FPort),
                                            login ? FUserID.c_str() : nullptr, login ? FPassword.c_str() : nullptr,
                                            INTERNET_SERVICE_FTP, FFTPPassive ? INTERNET_FLAG_PASSIVE : 0, 0)
                         : nullptr;
  FTransfer = h;
  return h ? 0 : -1;
}

void TNetUpdate::CloseHandlesSilently() {
  if (FTransfer && FTransfer != FSession) InternetCloseHandle(H(FTransfer));
  if (FSession) InternetCloseHandle(H(FSession));
  FTransfer = FSession = nullptr;
  FInProgress = false;
}

int TNetUpdate::StopConnection() {
  if (FUpdateType != TNetUpdateType::fileUpdate) {
    if (FUpdateType == TNetUpdateType::ftpUpdate && FTransfer && FTransfer != FSession) {
      InternetCloseHandle(H(FTransfer));
      DoStatus(ClosedFtp, L"", 3, 0);
    }
    FTransfer = nullptr;
    if (FSession) {
      InternetCloseHandle(H(FSession));
      FSession = nullptr;
      DoStatus(ClosedConnection, L"", 3, 0);
    }
    if (FDialled && (FUpdateConnect == TNetUpdateConnect::wucConnectPromptHangup ||
                     FUpdateConnect == TNetUpdateConnect::wucConnectSilentHangup)) {
      AutodialHangup();
      DoStatus(DisconnectDialup, L"", 3, 0);
    }
    DoStatus(ClosedConnection, L"", 3, 0);
  }
  if (!FControlFileName.empty()) DeleteFileW(FControlFileName.c_str());
  FInProgress = false;
  return 0;
}

// ---------------------------------------------------------------------------
// URL texts

String TNetUpdate::URLtoFile(const String& url) {
  String name = url;
  for (wchar_t sep : {L'/', L'\\', L'?'}) {
    size_t p = name.rfind(sep);
    if (p != String::npos) name = name.substr(p + 1);
  }
  if (OnFileNameFromURL) OnGui([&] { OnFileNameFromURL(this, url, name); });
  return name;
}

String TNetUpdate::URLToDomain(const String& url) {
  String d = url;
  size_t p = d.find(L"://");
  if (p != String::npos) d = d.substr(p + 3);
  p = d.find(L'/');
  if (p != String::npos) d = d.substr(0, p);
  p = d.find(L'\\');
  if (p != String::npos) d = d.substr(0, p);
  return d;
}

String TNetUpdate::MakeProxyUrl(const String& url, const String& proxyuser, const String& proxypwd) {
  if (!StartsText(L"HTTP://", url) || proxyuser.empty()) return url;
  return L"http://" + proxyuser + L":" + proxypwd + L"@" + url.substr(7);
}

String TNetUpdate::EncodeBase64(const String& s) {
  static const char* const alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  String out;
  for (size_t i = 0; i < s.size(); i += 3) {
    uint32_t b0 = s[i] & 0xFF;
    uint32_t b1 = i + 1 < s.size() ? (s[i + 1] & 0xFF) : 0;
    uint32_t b2 = i + 2 < s.size() ? (s[i + 2] & 0xFF) : 0;
    uint32_t v = (b0 << 16) | (b1 << 8) | b2;
    out += static_cast<wchar_t>(alphabet[(v >> 18) & 63]);
    out += static_cast<wchar_t>(alphabet[(v >> 12) & 63]);
    out += i + 1 < s.size() ? static_cast<wchar_t>(alphabet[(v >> 6) & 63]) : L'=';
    out += i + 2 < s.size() ? static_cast<wchar_t>(alphabet[v & 63]) : L'=';
  }
  return out;
}

// ---------------------------------------------------------------------------
// Putting a downloaded file in place

bool TNetUpdate::ReplaceTarget(const String& TempName, const String& Target, bool LogFailures) {
  DWORD attrs = GetFileAttributesW(Target.c_str());
  if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN)))
    SetFileAttributesW(Target.c_str(), attrs & ~(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  // One step: the old file stays whole until the new one replaces it.
  if (MoveFileExW(TempName.c_str(), Target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) return true;
  if (FileExists(Target)) {
    if (attrs != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(Target.c_str(), attrs);
    DoStatus(CannotDelete, Target, 19, 6);
    if (LogFailures) AddToLog(L"Unable to delete file " + Target);
  } else {
    DoStatus(CannotRename, TempName + L" to " + Target, 19, 7);
    if (LogFailures) AddToLog(L"Unable to rename file " + TempName + L" to " + Target);
  }
  if (!DeleteFileW(TempName.c_str()) && FileExists(TempName)) AddToLog(L"Unable to delete file " + TempName);
  return false;
}

void TNetUpdate::ExpandDownloaded(const String& Target, const String& Folder, bool AnywhereCab) {
  String upper = UpperText(Target);
  bool cab = AnywhereCab ? upper.find(L".CAB") != String::npos : UpperText(ExtractFileExt(Target)) == L".CAB";
  if (!cab) {
    LZExpandFile(Target);
    return;
  }
  if (AnywhereCab) DoStatus(ExtractCab, Target, 3, 0);
  if (ExtractCabinet(Target, Folder) == 0) {
    if (!FKeepIntermediateFiles) DeleteFileW(Target.c_str());
  } else {
    DoStatus(CabError, Target, 8, 0);
  }
}

bool TNetUpdate::LocalCopy(const String& Source, const String& Target) {
  if (SameText(FullPath(Source), FullPath(Target))) {
    DoStatus(EqualFiles, Source, 10, 3);
    return false;
  }
  HANDLE src = CreateFileW(Source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (src == INVALID_HANDLE_VALUE) {
    DoStatus(SourceNotFound, Source, 2, 1);
    return false;
  }
  LARGE_INTEGER length{};
  if (!GetFileSizeEx(src, &length)) {
    CloseHandle(src);
    DoStatus(ZeroLengthSource, Source, 10, 2);
    return false;
  }
  wchar_t temp[MAX_PATH + 1] = L"";
  if (!GetTempFileNameW(WinTempDir().c_str(), L"WUPD", 0, temp)) {
    CloseHandle(src);
    return false;
  }
  HANDLE dst = CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool failed = dst == INVALID_HANDLE_VALUE;
  bool cancel = false;
  std::vector<char> buf(kCopyBlock);
  int64_t done = 0;
  int size = static_cast<int>(std::min<int64_t>(length.QuadPart, INT32_MAX));
  while (!failed && !cancel) {
    DWORD got = 0, put = 0;
    if (!ReadFile(src, buf.data(), kCopyBlock, &got, nullptr)) {
      failed = true;
      break;
    }
    if (!got) break;
    if (!WriteFile(dst, buf.data(), got, &put, nullptr) || put != got) {
      failed = true;
      break;
    }
    done += got;
    DoFileProgress(Source, static_cast<int>(std::min<int64_t>(done, INT32_MAX)), size);
    DoProgressCancel(cancel);
    ProcessMessagesIfGui();
  }
  CloseHandle(src);
  if (dst != INVALID_HANDLE_VALUE) CloseHandle(dst);
  FCancelled = cancel;
  if (cancel || failed) {
    DeleteFileW(temp);
    return false;
  }
  return ReplaceTarget(temp, Target, true);
}

// ---------------------------------------------------------------------------
// One transfer

bool TNetUpdate::URLGetFile(void* hfile, const String& url, const String& tgt, bool uncompress) {
  String name = URLtoFile(url);
  DoStatus(Download, FHideURLInLogFile ? name : url, 3, 0);
  // The file lands in tgt under the URL's own name: a name that would reach
  // elsewhere (a folder, a stream, a device) is refused.
  if (!IsPlainFileName(name)) {
    DoStatus(UnsafePath, name, 19, 11);
    return false;
  }
  if (OnBeforeUrlToFile) {
    String target = tgt + name;
    bool handled = false, success = false, expand = uncompress;
    OnGui([&] { OnBeforeUrlToFile(hfile, url, tgt, expand, handled, success); });
    if (handled && FileExists(target)) {
      CustomProcess(target);
      if (expand) ExpandDownloaded(target, ExtractFilePath(target), true);
      return success;
    }
  }
  if (FUpdateType == TNetUpdateType::fileUpdate) {
    bool endsInName = !tgt.empty() && tgt.back() != L'\\' && tgt.back() != L'/' && tgt.back() != L':';
    String target = endsInName ? tgt : tgt + name;
    if (!LocalCopy(url, target)) return false;
    CustomProcess(target);
    if (uncompress) ExpandDownloaded(target, ExtractFilePath(target), true);
    return true;
  }
  String request = MakeProxyUrl(url, FProxyUserID, FProxyPassword);
  TRequest req;
  int64_t total = 0;
  bool http = FUpdateType == TNetUpdateType::httpUpdate;
  if (http && hfile) {
    bool https = UpperText(request).find(L"HTTPS") != String::npos;
    bool relaxed = https && FCertCheck == TNetUpdateCertCheck::ccDisable;
    DWORD flags = kRequestFlags;
    if (FHTTPKeepAliveAuthentication) flags |= INTERNET_FLAG_KEEP_CONNECTION;
    if (FExistingConnection) flags |= INTERNET_FLAG_EXISTING_CONNECT;
    if (FCertCheck == TNetUpdateCertCheck::ccDisable) flags |= kIgnoreCertFlags;
    if (FAuthenticate == TNetUpdateAuthentication::waAlways && (FUserID.empty() || FPassword.empty())) {
      String user, password;
      bool ok = false;
      OnGui([&] { ok = ShowLoginDialog(L"Connect to " + URLToDomain(url), user, password); });
      if (!ok) {
        DoStatus(AuthenticationCancelled, L"", 0, 0);
        return false;
      }
      FUserID = user;
      FPassword = password;
    }
    for (;;) {
      String headers;
      if (!FUserID.empty() || !FPassword.empty())
        headers = L"Authorization: Basic " + EncodeBase64(FUserID + L":" + FPassword) + L"\r\n";
      req.Close();
      if (relaxed)
        req.Handle = OpenRelaxedRequest(this, H(hfile), request, headers, flags, req.Connection);
      else
        req.Handle = InternetOpenUrlW(H(hfile), request.c_str(), headers.empty() ? nullptr : headers.c_str(),
                                      static_cast<DWORD>(headers.size()), flags, 0);
      HINTERNET h = req.Handle;
      if (!h) break;
      DWORD status = 0, length = sizeof status;
      HttpQueryInfoW(h, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &length, nullptr);
      if (status == 401 && FAuthenticate == TNetUpdateAuthentication::waAuto) {
        String user, password;
        bool ok = false;
        OnGui([&] { ok = ShowLoginDialog(L"Connect to " + URLToDomain(url), user, password); });
        req.Close();
        if (!ok) {
          DoStatus(AuthenticationCancelled, L"", 0, 0);
          return false;
        }
        FUserID = user;
        FPassword = password;
        continue;
      }
      if (status < 300) break;
      req.Close();
      DoStatus(HttpStatus, IntToStr(status), 6, static_cast<int>(status));
      return false;
    }
    if (req.Handle) {
      DWORD cl = 0, length = sizeof cl;
      if (HttpQueryInfoW(req.Handle, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &cl, &length, nullptr)) total = cl;
    }
  } else if (FUpdateType == TNetUpdateType::ftpUpdate && hfile) {
    if (!FFTPDirectory.empty() && !FFTPDirChanged) {
      String dir = ExpandPrefixes(FFTPDirectory);
      DoStatus(ChangeFtpDir, dir, 3, 0);
      if (!FtpSetCurrentDirectoryW(H(hfile), dir.c_str())) {
        DoStatus(CannotChangeFtpDir, dir, 3, 8);
        return false;
      }
      FFTPDirChanged = true;
    }
    WIN32_FIND_DATAW fd{};
    HINTERNET find = FtpFindFirstFileW(H(hfile), name.c_str(), &fd, 0x84000000, 0);
    if (!find) {
      DoStatus(ControlFileNotFound, name, 11, static_cast<int>(GetLastError()));
    } else {
      total = fd.nFileSizeLow;
      InternetCloseHandle(find);
    }
    req.Handle = FtpOpenFileW(H(hfile), name.c_str(), GENERIC_READ, FTP_TRANSFER_TYPE_BINARY | 0x84000000, 0);
    if (!req.Handle) DoStatus(CannotDownload, url, 13, static_cast<int>(GetLastError()));
  }
  if (!req.Handle) {
    Error();
    req.Close();
    DoStatus(FileNotFound, url, 2, 1);
    return false;
  }
  String target = tgt + name;
  wchar_t temp[MAX_PATH + 1] = L"";
  HANDLE out = INVALID_HANDLE_VALUE;
  if (GetTempFileNameW(WinTempDir().c_str(), L"WUPD", 0, temp))
    out = CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) {
    Error();
    req.Close();
    if (temp[0]) DeleteFileW(temp);
    return false;
  }
  std::vector<char> buf(kReadBlock);
  bool failed = false, cancel = false, answer = false;
  int64_t received = 0;
  int size = static_cast<int>(std::min<int64_t>(total, INT32_MAX));
  // A slow server's data is taken as it arrives, so that it never holds
  // the caller for long between blocks; a fast one's a whole block at a
  // time, without asking first (asking costs as much as reading).
  bool probe = true;
  for (;;) {
    ProcessMessagesIfGui();
    DWORD ask = kReadBlock;
    if (probe) {
      DWORD avail = 0;
      if (!InternetQueryDataAvailable(req.Handle, &avail, 0, 0)) avail = kReadBlock;
      if (avail == 0) break;
      if (avail < kSlowServerBytes) ask = avail;
      else probe = false;
    }
    ULONGLONG readStart = GetTickCount64();
    DWORD got = 0;
    if (!InternetReadFile(req.Handle, buf.data(), ask, &got)) {
      failed = true;
      break;
    }
    if (!got) break;
    if (GetTickCount64() - readStart > kSlowReadMs) probe = true;
    DWORD put = 0;
    if (!WriteFile(out, buf.data(), got, &put, nullptr) || put != got) {
      failed = true;
      break;
    }
    received += got;
    DoFileProgress(target, static_cast<int>(std::min<int64_t>(received, INT32_MAX)), size);
    cancel = FCancelled;
    DoProgressCancel(cancel);
    answer = true;
    if (cancel) break;
  }
  req.Close();
  CloseHandle(out);
  FCancelled = cancel;
  if (http && total != 0 && !failed && !cancel && received != total) {
    failed = true;
    DoStatus(LengthMismatch, url, 20, 10);
  }
  // Nothing received, a failed read, a short body or a cancel: the target
  // stays as it was.
  if (cancel || failed || !answer) {
    if (!DeleteFileW(temp) && FileExists(temp)) AddToLog(L"Unable to delete file " + String(temp));
    return false;
  }
  if (!ReplaceTarget(temp, target, true)) return false;
  CustomProcess(target);
  if (uncompress) ExpandDownloaded(target, tgt, false);
  return true;
}

// ---------------------------------------------------------------------------
// The update report

void TNetUpdate::DoPostUpdateInfo() {
  if (FPostUpdateInfo->Server().empty() || FPostUpdateInfo->Action().empty()) return;
  // "host" or "host:port"; port 80 unless named.
  String host = FPostUpdateInfo->Server();
  INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
  size_t colon = host.rfind(L':');
  if (colon != String::npos) {
    int p = StrToIntDef(host.substr(colon + 1), -1);
    if (p > 0 && p < 65536) {
      port = static_cast<INTERNET_PORT>(p);
      host = host.substr(0, colon);
    }
  }
  HINTERNET session = InternetOpenW(FAgent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  HINTERNET connection =
      session ? InternetConnectW(session, host.c_str(), port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 1) : nullptr;
  if (!connection) {
    DoStatus(PostNoConnection, L"", 16, 5);
    if (session) InternetCloseHandle(session);
    return;
  }
  HINTERNET request = HttpOpenRequestW(connection, L"POST", FPostUpdateInfo->Action().c_str(), nullptr, nullptr,
                                       nullptr, 0x7000, 0);
  if (!request) {
    DoStatus(PostNoResource, L"", 17, 5);
    InternetCloseHandle(connection);
    InternetCloseHandle(session);
    return;
  }
  FPostUpdateInfo->PostResult.clear();
  static const char header[] = "Content-Type: application/x-www-form-urlencoded";
  AnsiString data = FPostUpdateInfo->Data();
  if (HttpSendRequestA(request, header, sizeof header - 1, data.empty() ? nullptr : data.data(),
                       static_cast<DWORD>(data.size()))) {
    char buf[4096];
    for (;;) {
      ProcessMessagesIfGui();
      DWORD got = 0;
      if (!InternetReadFile(request, buf, sizeof buf, &got) || !got) break;
      FPostUpdateInfo->PostResult.append(buf, got);
    }
  }
  InternetCloseHandle(request);
  InternetCloseHandle(connection);
  InternetCloseHandle(session);
}
