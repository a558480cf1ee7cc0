// TBlockSocket: life cycle, options, addresses, errors and status reports.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "net/blocksock.h"

#include "base/Lists.h"
#include "net/iptext.h"
#include "net/netunits.h"

namespace {
TWinsockBinding& W() { return SocketApi(); }
}  // namespace

void InitBlockSockUnit() {
  if (!LoadSocketLibrary(L"ws2_32.dll")) {
    String message = L"Error loading Socket interface (ws2_32.dll)!";
    throw ESocketLayerError(message, 0, message);
  }
  W().WSAStartup(0x0202, &SocketStartupData());
}

void FiniBlockSockUnit() {
  if (W().WSACleanup) W().WSACleanup();
  UnloadSocketLibrary();
}

int AddressFamilyOf(TSocketFamily Family) {
  switch (Family) {
    case TSocketFamily::SF_IP4:
      return AF_INET;
    case TSocketFamily::SF_IP6:
      return AF_INET6;
    default:
      return AF_UNSPEC;
  }
}

// ---------------------------------------------------------------------------
// Life cycle

TBlockSocket::TBlockSocket(const String& Stub) { FdSetClear(FFDSet); }

TBlockSocket::~TBlockSocket() {
  // Free() has closed the handle through Destroy; this only covers a
  // constructor that failed further down the class tree.
  if (FSocket != INVALID_SOCKET) W().closesocket(FSocket);
  DiscardQueuedOptions();
}

void TBlockSocket::Destroy() {
  CloseSocket();
  DiscardQueuedOptions();
  TObject::Destroy();
}

void TBlockSocket::CreateSocket() {
  ResetLastError();
  if (FFamily == TSocketFamily::SF_Any || FSocket != INVALID_SOCKET) return;
  TVarSin sin{};
  sin.AddressFamily = FFamily == TSocketFamily::SF_IP6 ? AF_INET6 : AF_INET;
  CreateSocketForSin(sin);
}

void TBlockSocket::CreateSocketByName(const String& Value) {
  ResetLastError();
  if (FSocket != INVALID_SOCKET) return;
  TVarSin sin;
  if (FillSin(sin, Value, L"0") == 0) CreateSocketForSin(sin);
}

void TBlockSocket::CreateSocketForSin(const TVarSin& Sin) {
  FStopFlag = false;
  FRecvCounter = 0;
  FSendCounter = 0;
  ResetLastError();
  if (FSocket != INVALID_SOCKET) return;
  FBuffer.clear();
  FKnownPending = 0;
  FReadableDatagram = false;
  FRecvTimeoutOption = 0;
  FHandleRecvWait = kOptionRecvWait;
  FBinded = false;
  FIP6used = Sin.AddressFamily == AF_INET6;
  FSocket = W().socket(Sin.AddressFamily, GetSocketType(), GetSocketProtocol());
  if (FSocket == INVALID_SOCKET) SetErrorCode(W().WSAGetLastError());
  FdSetClear(FFDSet);
  FdSetAdd(FSocket, FFDSet);
  ExceptCheck();
  ReportStatus(THookSocketReason::HR_SocketCreate, FIP6used ? L"IPv6" : L"IPv4");
  if (FSocket == INVALID_SOCKET) return;  // the options wait for the next handle
  // The family in use is the handle's; AbortSocket restores the one set.
  FFamily = FIP6used ? TSocketFamily::SF_IP6 : TSocketFamily::SF_IP4;
  ApplyQueuedOptions();
  if (OnCreateSocket) OnCreateSocket(this);
}

void TBlockSocket::CloseSocket() { AbortSocket(); }

void TBlockSocket::AbortSocket() {
  if (FSocket != INVALID_SOCKET) W().closesocket(FSocket);
  FSocket = INVALID_SOCKET;
  FKnownPending = 0;
  FReadableDatagram = false;
  DiscardQueuedOptions();
  FFamily = FFamilySave;
  ReportStatus(THookSocketReason::HR_SocketClose, String());
}

void TBlockSocket::Bind(const String& IP, const String& Port) {
  ResetLastError();
  if (FSocket == INVALID_SOCKET && FFamily == TSocketFamily::SF_Any && IP == L"0.0.0.0" && Port == L"0") return;
  TVarSin sin;
  if (FillSin(sin, IP, Port) == 0) {
    if (FSocket == INVALID_SOCKET) CreateSocketForSin(sin);
    if (FSocket != INVALID_SOCKET) {
      SockCheck(BindSin(FSocket, sin));
      GetSinLocal();
      FBuffer.clear();
      FBinded = true;
    }
  }
  ExceptCheck();
  ReportStatus(THookSocketReason::HR_Bind, IP + L":" + Port);
}

// Waits for a non-blocking connect to finish. A refused or failed connect
// is reported with the socket's own error as soon as it is known; only a
// connect still pending after Timeout is a time-out.
bool TBlockSocket::WaitConnected(int Timeout) {
  TFDSet writable = FFDSet, failed = FFDSet;
  timeval tv{Timeout / 1000, (Timeout % 1000) * 1000};
  int r = W().select(0, nullptr, reinterpret_cast<fd_set*>(&writable), reinterpret_cast<fd_set*>(&failed),
                     Timeout < 0 ? nullptr : &tv);
  if (r == SOCKET_ERROR) {
    SockCheck(r);
    return false;
  }
  if (r == 0) {
    SetErrorCode(WSAETIMEDOUT);
    return false;
  }
  int error = 0;
  int length = sizeof error;
  if (W().getsockopt(FSocket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) == SOCKET_ERROR)
    error = W().WSAGetLastError();
  if (error == 0) {
    // Writable without an error: connected for certain only with a peer.
    TVarSin peer;
    if (GetPeerNameSin(FSocket, peer) == SOCKET_ERROR) error = W().WSAGetLastError();
    if (error == 0 && FdSetContains(FSocket, failed)) error = WSAECONNREFUSED;
  }
  if (error != 0) {
    SetErrorCode(error);
    return false;
  }
  ResetLastError();
  ReportStatus(THookSocketReason::HR_CanWrite, String());
  return true;
}

void TBlockSocket::Connect(const String& IP, const String& Port) {
  TVarSin sin;
  if (FillSin(sin, IP, Port) == 0) {
    if (FSocket == INVALID_SOCKET) CreateSocketForSin(sin);
    if (FSocket != INVALID_SOCKET) {
      if (FConnectionTimeout <= 0) {
        SockCheck(ConnectSin(FSocket, sin));
      } else {
        bool saved = FNonBlockMode;
        SetNonBlockMode(true);
        SockCheck(ConnectSin(FSocket, sin));
        if (FLastError == WSAEINPROGRESS || FLastError == WSAEWOULDBLOCK) WaitConnected(FConnectionTimeout);
        int error = FLastError;
        SetNonBlockMode(saved);
        FLastError = error;
      }
      if (FLastError == 0) GetSins();
      FBuffer.clear();
      FLastCR = false;
      FLastLF = false;
    }
  }
  ExceptCheck();
  ReportStatus(THookSocketReason::HR_Connect, IP + L":" + Port);
}

void TBlockSocket::Listen() {
  SockCheck(W().listen(FSocket, SOMAXCONN));
  GetSins();
  ExceptCheck();
  ReportStatus(THookSocketReason::HR_Listen, String());
}

TSocket TBlockSocket::Accept() {
  TVarSin peer;
  TSocket s = AcceptSin(FSocket, peer);
  // A failed accept reports its error like every other call.
  SockCheck(s == INVALID_SOCKET ? SOCKET_ERROR : 0);
  if (s != INVALID_SOCKET) FRemoteSin = peer;
  ExceptCheck();
  ReportStatus(THookSocketReason::HR_Accept, String());
  return s;
}

void TBlockSocket::SetSocket(TSocket Value) {
  FRecvCounter = 0;
  FSendCounter = 0;
  FSocket = Value;
  FdSetClear(FFDSet);
  FdSetAdd(FSocket, FFDSet);
  FBuffer.clear();
  FKnownPending = 0;
  FReadableDatagram = false;
  FRecvTimeoutOption = 0;
  FHandleRecvWait = kOptionRecvWait;
  FRemoteSinError = 0;
  GetSins();
  FIP6used = FRemoteSin.AddressFamily == AF_INET6;
  if (FRemoteSin.AddressFamily == AF_INET || FRemoteSin.AddressFamily == AF_INET6)
    FFamily = FIP6used ? TSocketFamily::SF_IP6 : TSocketFamily::SF_IP4;
}

void TBlockSocket::SetFamily(TSocketFamily Value) {
  FFamily = Value;
  FFamilySave = Value;
}

TWSAData TBlockSocket::WSAData() const { return SocketStartupData(); }

// ---------------------------------------------------------------------------
// Options

void TBlockSocket::QueueOption(TSynaOption* Option) {
  if (FSocket == INVALID_SOCKET)
    FDelayedOptions.push_back(Option);
  else
    ApplyOption(Option);
}

void TBlockSocket::ApplyQueuedOptions() {
  std::vector<TSynaOption*> queue;
  queue.swap(FDelayedOptions);
  for (TSynaOption* o : queue) ApplyOption(o);
}

void TBlockSocket::DiscardQueuedOptions() {
  while (!FDelayedOptions.empty()) {
    TSynaOption* o = FDelayedOptions.back();
    FDelayedOptions.pop_back();
    o->Free();
  }
}

void TBlockSocket::SetSocketOptionInt(int Level, int Option, int Value) {
  W().setsockopt(FSocket, Level, Option, reinterpret_cast<const char*>(&Value), sizeof Value);
}

void TBlockSocket::ApplyOption(TSynaOption* Option) {
  const int ipLevel = FIP6used ? IPPROTO_IPV6 : IPPROTO_IP;
  switch (Option->Option) {
    case TSynaOptionType::SOT_Linger: {
      linger li;
      li.l_onoff = Option->Enabled ? 1 : 0;
      li.l_linger = static_cast<u_short>(Option->Value / 1000);
      W().setsockopt(FSocket, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&li), sizeof li);
      break;
    }
    case TSynaOptionType::SOT_RecvBuff:
      SetSocketOptionInt(SOL_SOCKET, SO_RCVBUF, Option->Value);
      break;
    case TSynaOptionType::SOT_SendBuff:
      SetSocketOptionInt(SOL_SOCKET, SO_SNDBUF, Option->Value);
      break;
    case TSynaOptionType::SOT_NonBlock: {
      FNonBlockMode = Option->Enabled;
      u_long on = Option->Enabled ? 1 : 0;
      W().ioctlsocket(FSocket, FIONBIO, &on);
      break;
    }
    case TSynaOptionType::SOT_RecvTimeout:
      SetSocketOptionInt(SOL_SOCKET, SO_RCVTIMEO, Option->Value);
      FRecvTimeoutOption = Option->Value;
      FHandleRecvWait = kOptionRecvWait;
      break;
    case TSynaOptionType::SOT_SendTimeout:
      SetSocketOptionInt(SOL_SOCKET, SO_SNDTIMEO, Option->Value);
      break;
    case TSynaOptionType::SOT_Reuse:
      SetSocketOptionInt(SOL_SOCKET, SO_REUSEADDR, Option->Enabled ? 1 : 0);
      break;
    case TSynaOptionType::SOT_TTL:
      SetSocketOptionInt(ipLevel, 4, Option->Value);  // IPV6_UNICAST_HOPS / IP_TTL
      break;
    case TSynaOptionType::SOT_Broadcast:
      SetSocketOptionInt(SOL_SOCKET, SO_BROADCAST, Option->Enabled ? 1 : 0);
      break;
    case TSynaOptionType::SOT_MulticastTTL:
      SetSocketOptionInt(ipLevel, 10, Option->Value);  // IPV6_MULTICAST_HOPS / IP_MULTICAST_TTL
      break;
    case TSynaOptionType::SOT_MulticastLoop:
      SetSocketOptionInt(ipLevel, 11, Option->Enabled ? 1 : 0);  // IPV6_ / IP_MULTICAST_LOOP
      break;
  }
  Option->Free();
}

namespace {
TSynaOption* MakeOption(TSynaOptionType Type, bool Enabled, int Value) {
  TSynaOption* o = new TSynaOption();
  o->Option = Type;
  o->Enabled = Enabled;
  o->Value = Value;
  return o;
}
}  // namespace

void TBlockSocket::SetLinger(bool Enable, int Linger) {
  QueueOption(MakeOption(TSynaOptionType::SOT_Linger, Enable, Linger));
}

int TBlockSocket::SizeRecvBuffer() {
  int value = 0;
  int length = sizeof value;
  SockCheck(W().getsockopt(FSocket, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<char*>(&value), &length));
  if (FLastError != 0) value = 1024;
  ExceptCheck();
  return value;
}

void TBlockSocket::SetSizeRecvBuffer(int Size) { QueueOption(MakeOption(TSynaOptionType::SOT_RecvBuff, false, Size)); }

int TBlockSocket::SizeSendBuffer() {
  int value = 0;
  int length = sizeof value;
  SockCheck(W().getsockopt(FSocket, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<char*>(&value), &length));
  if (FLastError != 0) value = 1024;
  ExceptCheck();
  return value;
}

void TBlockSocket::SetSizeSendBuffer(int Size) { QueueOption(MakeOption(TSynaOptionType::SOT_SendBuff, false, Size)); }

void TBlockSocket::SetNonBlockMode(bool Value) { QueueOption(MakeOption(TSynaOptionType::SOT_NonBlock, Value, 0)); }

void TBlockSocket::SetRecvTimeout(int Timeout) {
  QueueOption(MakeOption(TSynaOptionType::SOT_RecvTimeout, false, Timeout));
}

void TBlockSocket::SetSendTimeout(int Timeout) {
  QueueOption(MakeOption(TSynaOptionType::SOT_SendTimeout, false, Timeout));
}

void TBlockSocket::SetTimeout(int Timeout) {
  SetSendTimeout(Timeout);
  SetRecvTimeout(Timeout);
}

void TBlockSocket::EnableReuse(bool Value) { QueueOption(MakeOption(TSynaOptionType::SOT_Reuse, Value, 0)); }

int TBlockSocket::TTL() {
  int value = 0;
  int length = sizeof value;
  W().getsockopt(FSocket, FIP6used ? IPPROTO_IPV6 : IPPROTO_IP, 4, reinterpret_cast<char*>(&value), &length);
  return value;
}

void TBlockSocket::SetTTL(int TTL) { QueueOption(MakeOption(TSynaOptionType::SOT_TTL, false, TTL)); }

// ---------------------------------------------------------------------------
// Addresses and names

int TBlockSocket::FillSin(TVarSin& Sin, const String& IP, const String& Port) {
  ReportStatus(THookSocketReason::HR_ResolvingBegin, IP + L":" + Port);
  ResetLastError();
  TSocketFamily family = FFamily;
  if (FSocket == INVALID_SOCKET && family == TSocketFamily::SF_Any) {
    if (IsIPv4Text(IP))
      family = TSocketFamily::SF_IP4;
    else if (IsIPv6Text(IP))
      family = TSocketFamily::SF_IP6;
  }
  FLastError = ResolveSockAddr(Sin, WideToAnsi(IP), WideToAnsi(Port), FPreferIP4, GetSocketType(),
                               GetSocketProtocol(), AddressFamilyOf(family));
  ReportStatus(THookSocketReason::HR_ResolvingEnd,
               AnsiToWide(SinAddressText(Sin)) + L":" + IntToStr(SinPortNumber(Sin)));
  return FLastError;
}

String TBlockSocket::GetLocalSinIP() { return AnsiToWide(SinAddressText(FLocalSin)); }
String TBlockSocket::GetRemoteSinIP() { return AnsiToWide(SinAddressText(FRemoteSin)); }
int TBlockSocket::GetLocalSinPort() { return SinPortNumber(FLocalSin); }
int TBlockSocket::GetRemoteSinPort() { return SinPortNumber(FRemoteSin); }

void TBlockSocket::GetSinLocal() { GetSockNameSin(FSocket, FLocalSin); }

void TBlockSocket::GetSinRemote() {
  GetPeerNameSin(FSocket, FRemoteSin);
  FRemoteSinError = 0;
}

void TBlockSocket::GetSins() {
  GetSinLocal();
  GetSinRemote();
}

void TBlockSocket::SetRemoteSin(const String& IP, const String& Port) { FRemoteSinError = FillSin(FRemoteSin, IP, Port); }

String TBlockSocket::LocalName() {
  String name = AnsiToWide(LocalHostName());
  return name.empty() ? String(L"127.0.0.1") : name;
}

void TBlockSocket::ResolveNameToIP(const String& Name, TStrings* IPList) {
  IPList->Clear();
  std::vector<AnsiString> list;
  ResolveNameToList(WideToAnsi(Name), AddressFamilyOf(FFamily), GetSocketProtocol(), GetSocketType(), list);
  for (const AnsiString& a : list) IPList->Add(AnsiToWide(a));
  if (IPList->Count() == 0) IPList->Add(L"0.0.0.0");
}

String TBlockSocket::ResolveName(const String& Name) {
  std::vector<AnsiString> list;
  ResolveNameToList(WideToAnsi(Name), AddressFamilyOf(FFamily), GetSocketProtocol(), GetSocketType(), list);
  return list.empty() ? String(L"0.0.0.0") : AnsiToWide(list.front());
}

uint16_t TBlockSocket::ResolvePort(const String& Port) {
  return ResolveServicePort(WideToAnsi(Port), AddressFamilyOf(FFamily), GetSocketProtocol(), GetSocketType());
}

String TBlockSocket::ResolveIPToName(const String& IP) {
  String address = IP;
  if (!IsIPv4Text(address) && !IsIPv6Text(address)) address = ResolveName(address);
  return AnsiToWide(ResolveAddressToName(WideToAnsi(address), AddressFamilyOf(FFamily), GetSocketProtocol(),
                                         GetSocketType()));
}

// ---------------------------------------------------------------------------
// Errors and reports

void TBlockSocket::ResetLastError() {
  FLastError = 0;
  FLastErrorDesc.clear();
}

void TBlockSocket::SetErrorCode(int Code) {
  FLastError = Code;
  FLastErrorDesc = GetErrorDescEx();
}

int TBlockSocket::SockCheck(int SockResult) {
  ResetLastError();
  if (SockResult == SOCKET_ERROR) SetErrorCode(W().WSAGetLastError());
  return FLastError;
}

void TBlockSocket::ExceptCheck() {
  FLastErrorDesc = GetErrorDescEx();
  if (FLastError == 0 || FLastError == WSAEWOULDBLOCK || FLastError == WSAEINPROGRESS) return;
  ReportStatus(THookSocketReason::HR_Error, IntToStr(FLastError) + L"," + FLastErrorDesc);
  if (FRaiseExcept) throw ESocketLayerError(FLastError, FLastErrorDesc);
}

String TBlockSocket::GetErrorDescEx() { return GetErrorDesc(FLastError); }

String TBlockSocket::GetErrorDesc(int ErrorCode) {
  static const struct {
    int Code;
    const wchar_t* Text;
  } kTexts[] = {
      {10004, L"Interrupted system call"},
      {10009, L"Bad file number"},
      {10013, L"Permission denied"},
      {10014, L"Bad address"},
      {10022, L"Invalid argument"},
      {10024, L"Too many open files"},
      {10035, L"Operation would block"},
      {10036, L"Operation now in progress"},
      {10037, L"Operation already in progress"},
      {10038, L"Socket operation on nonsocket"},
      {10039, L"Destination address required"},
      {10040, L"Message too long"},
      {10041, L"Protocol wrong type for Socket"},
      {10042, L"Protocol not available"},
      {10043, L"Protocol not supported"},
      {10044, L"Socket not supported"},
      {10045, L"Operation not supported on Socket"},
      {10046, L"Protocol family not supported"},
      {10047, L"Address family not supported"},
      {10048, L"Address already in use"},
      {10049, L"Can't assign requested address"},
      {10050, L"Network is down"},
      {10051, L"Network is unreachable"},
      {10052, L"Network dropped connection on reset"},
      {10053, L"Software caused connection abort"},
      {10054, L"Connection reset by peer"},
      {10055, L"No Buffer space available"},
      {10056, L"Socket is already connected"},
      {10057, L"Socket is not connected"},
      {10058, L"Can't send after Socket shutdown"},
      {10059, L"Too many references:can't splice"},
      {10060, L"Connection timed out"},
      {10061, L"Connection refused"},
      {10062, L"Too many levels of symbolic links"},
      {10063, L"File name is too long"},
      {10064, L"Host is down"},
      {10065, L"No route to host"},
      {10066, L"Directory is not empty"},
      {10067, L"Too many processes"},
      {10068, L"Too many users"},
      {10069, L"Disk quota exceeded"},
      {10070, L"Stale NFS file handle"},
      {10071, L"Too many levels of remote in path"},
      {10091, L"Network subsystem is unusable"},
      {10092, L"Winsock DLL cannot support this application"},
      {10093, L"Winsock not initialized"},
      {10101, L"Disconnect"},
      {11001, L"Host not found"},
      {11002, L"Non authoritative - host not found"},
      {11003, L"Non recoverable error"},
      {11004, L"Valid name, no data record of requested type"},
  };
  if (ErrorCode == 0) return String();
  for (const auto& t : kTexts)
    if (t.Code == ErrorCode) return t.Text;
  return L"Other Winsock error (" + IntToStr(ErrorCode) + L")";
}

void TBlockSocket::ReportStatus(THookSocketReason Reason, const String& Value) {
  if (OnStatus) OnStatus(this, Reason, Value);
}

void TBlockSocket::DoHeartbeat() {
  if (OnHeartbeat && FHeartbeatRate != 0) OnHeartbeat(this);
}

void TBlockSocket::DoMonitor(bool Writing, const void* Buffer, int Length) {
  if (OnMonitor) OnMonitor(this, Writing, Buffer, Length);
}
