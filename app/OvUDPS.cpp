#include "app/OvUDPS.h"

#include <string>

#include "net/blocksock.h"
#include "net/charsets.h"

TGetAdaptersInfoFunc GetAdaptersInfoSeam = ::GetAdaptersInfo;
TNetbiosFunc NetbiosSeam = ::Netbios;

namespace {

TCriticalSection* gQueueLock = nullptr;

struct TLock {
  TLock() { UDPQueueLock()->Enter(); }
  ~TLock() { UDPQueueLock()->Leave(); }
};

String HardwareAddressText(const BYTE* Bytes, UINT Length, const wchar_t* Separator) {
  String s;
  for (UINT i = 0; i < Length; ++i) {
    if (i > 0) s += Separator;
    s += IntToHex(static_cast<int>(Bytes[i]), 2);
  }
  return s;
}

bool IsLineMode(const String& Setting) { return SameText(Setting, L"CRLF") || SameText(Setting, L"CR"); }

// Receives by the receive line end: lines (CR or CR LF, whatever ends them)
// or pieces up to a terminator, joined while more arrives within 10 ms; or,
// with no line end, exactly one datagram.
AnsiString ReceiveByLineEnd(TUDPBlockSocket* Sock, bool LineMode, const AnsiString& LineEnd, int Timeout,
                            int LineTimeout) {
  AnsiString data;
  if (LineMode) {
    Sock->SetConvertLineEnd(true);
    data = Sock->RecvString(LineTimeout);
    while (Sock->LastError() == 0 && Sock->CanRead(10)) data += LineEnd + Sock->RecvString(LineTimeout);
  } else if (!LineEnd.empty()) {
    Sock->SetConvertLineEnd(false);
    data = Sock->RecvTerminated(Timeout, LineEnd);
    while (Sock->LastError() == 0 && Sock->CanRead(10)) data += LineEnd + Sock->RecvTerminated(Timeout, LineEnd);
  } else {
    data = Sock->RecvPacket(Timeout);
  }
  return data;
}

}  // namespace

void InitOvUDPSUnit() {
  if (!gQueueLock) gQueueLock = new TCriticalSection();
}

void FiniOvUDPSUnit() { FreeAndNil(gQueueLock); }

TCriticalSection* UDPQueueLock() {
  // Tests that build a service without the unit table still get the lock.
  if (!gQueueLock) gQueueLock = new TCriticalSection();
  return gQueueLock;
}

AnsiString HexDump(const AnsiString& Data) {
  static const char kDigits[] = "0123456789ABCDEF";
  AnsiString s = "HEX(" + std::to_string(Data.size()) + ") ";
  for (unsigned char c : Data) {
    s += kDigits[c >> 4];
    s += kDigits[c & 15];
  }
  return s;
}

AnsiString LineEndBytes(const String& Setting) {
  if (SameText(Setting, L"CRLF")) return "\r\n";
  if (SameText(Setting, L"CR")) return "\r";
  return WideToAnsi(Setting);
}

namespace {

// The system's adapter table, read once for several lists: every read asks
// the system for every adapter anew.
struct TAdapterTable {
  ULONG Rc = NO_ERROR;
  ULONG Size = 0;
  std::string Buffer;
};

TAdapterTable ReadAdapterTable() {
  TAdapterTable t;
  // Room for a few adapters, so that one call is usually enough.
  t.Size = 8 * sizeof(IP_ADAPTER_INFO);
  t.Buffer.assign(t.Size, '\0');
  t.Rc = GetAdaptersInfoSeam(reinterpret_cast<PIP_ADAPTER_INFO>(t.Buffer.data()), &t.Size);
  if (t.Rc == ERROR_BUFFER_OVERFLOW) {
    t.Buffer.assign(t.Size, '\0');
    t.Rc = GetAdaptersInfoSeam(reinterpret_cast<PIP_ADAPTER_INFO>(t.Buffer.data()), &t.Size);
  }
  return t;
}

// Returns whether the query succeeded, so that callers can tell addresses
// from the line that reports a failure.
bool ListAdapters(const TAdapterTable& Table, TStrings* List, bool WithoutGateway, bool Addresses,
                  bool HardwareAddresses) {
  List->Clear();
  ULONG rc = Table.Rc;
  ULONG size = Table.Size;
  const std::string& buffer = Table.Buffer;
  if (rc == ERROR_NOT_SUPPORTED) {
    List->Add(L"GetAdaptersInfo is not supported by the operating system running on the local computer.");
    return false;
  }
  if (rc == ERROR_NO_DATA || (rc == NO_ERROR && size == 0)) {
    List->Add(L"No network adapter on the local computer.");
    return false;
  }
  if (rc != NO_ERROR) {
    List->Add(L"GetAdaptersInfo failed with error #" + IntToStr(static_cast<int64_t>(rc)));
    return false;
  }
  for (auto* a = reinterpret_cast<const IP_ADAPTER_INFO*>(buffer.data()); a; a = a->Next) {
    String gateway = AnsiToWide(a->GatewayList.IpAddress.String);
    String ip = AnsiToWide(a->IpAddressList.IpAddress.String);
    if (gateway == L"0.0.0.0" && !WithoutGateway) continue;
    if (ip == L"0.0.0.0") continue;
    String mac = HardwareAddressText(a->Address, std::min<UINT>(a->AddressLength, MAX_ADAPTER_ADDRESS_LENGTH), L"-");
    if (HardwareAddresses) {
      List->Add(mac);
    } else if (Addresses) {
      List->Add(ip);
    } else {
      List->Add(L"Desc: " + AnsiToWide(a->Description));
      List->Add(L"Name: " + AnsiToWide(a->AdapterName));
      List->Add(L"MAC: " + mac);
      List->Add(L"IP: " + ip);
      List->Add(L"Mask: " + AnsiToWide(a->IpAddressList.IpMask.String));
      List->Add(L"Gateway: " + gateway);
      List->Add(L"DHCP enabled: " + IntToStr(static_cast<int64_t>(a->DhcpEnabled)));
      List->Add(L"DHCP: " + AnsiToWide(a->DhcpServer.IpAddress.String));
    }
  }
  return true;
}

bool ListAdapters(TStrings* List, bool WithoutGateway, bool Addresses, bool HardwareAddresses) {
  return ListAdapters(ReadAdapterTable(), List, WithoutGateway, Addresses, HardwareAddresses);
}

}  // namespace

void GetAdapterList(TStrings* List, bool WithoutGateway, bool Addresses, bool HardwareAddresses) {
  ListAdapters(List, WithoutGateway, Addresses, HardwareAddresses);
}

String GetMacNetBios() {
  LANA_ENUM lanas{};
  NCB ncb{};
  ncb.ncb_command = NCBENUM;
  ncb.ncb_buffer = reinterpret_cast<PUCHAR>(&lanas);
  ncb.ncb_length = sizeof(lanas);
  if (NetbiosSeam(&ncb) != NRC_GOODRET) return L"";
  String text;
  for (int i = 0; i < lanas.length; ++i) {
    ncb = NCB{};
    ncb.ncb_command = NCBRESET;
    ncb.ncb_lana_num = lanas.lana[i];
    NetbiosSeam(&ncb);
    UCHAR status[60] = {};
    ncb = NCB{};
    ncb.ncb_command = NCBASTAT;
    ncb.ncb_lana_num = lanas.lana[i];
    memcpy(ncb.ncb_callname, "*               ", NCBNAMSZ);
    ncb.ncb_buffer = status;
    ncb.ncb_length = sizeof(status);
    UCHAR rc = NetbiosSeam(&ncb);
    if (rc == 0 || rc == 6) text = HardwareAddressText(status, 6, L"");
    if (text != L"000000000000") break;
  }
  return text;
}

// ---------------------------------------------------------------------------
// TOvUDPS

int TOvUDPS::StopWaitPasses = 30001;

TOvUDPS::TOvUDPS(TComponent* AOwner) : TComponent(AOwner) {
  FpcIPs = new TStringList();
  // Created inside its owner's loading, Loaded lists the adapters: once is
  // enough (each listing asks the system for every adapter).
  if (!IsLoading()) ListAddresses();
  SetpcName(L"");
}

const String& TOvUDPS::pcMAC() const {
  // Read when first asked for: the NetBIOS query is slow and nothing at
  // start needs it.
  if (!FpcMACRead) {
    FpcMAC = GetMacNetBios();
    FpcMACRead = true;
  }
  return FpcMAC;
}

void TOvUDPS::Destroy() {
  // No handler of the owner runs from here on.
  OnGetPacketUDP = nullptr;
  OnUDPStatus = nullptr;
  if (FUDPThread) StopWorker();
  FUDPActive = false;
  for (TUDPClientThread* t : FClientThreads) t->Detach();
  FClientThreads.clear();
  UnhookOwnerForm();
  FreeAndNil(FpcIPs);
  TComponent::Destroy();
}

void TOvUDPS::Loaded() {
  TComponent::Loaded();
  if (IsDesigning()) return;
  HookOwnerForm();
  ListAddresses();
}

void TOvUDPS::ListAddresses() {
  TAdapterTable table = ReadAdapterTable();
  ListAdapters(table, FpcIPs, true, true, false);
  TStringList list;
  if (ListAdapters(table, &list, false, true, false) && list.Count() > 0) FpcIP = list.Strings(0);
}

void TOvUDPS::SetpcIPs(TStrings*) { ListAdapters(FpcIPs, true, true, false); }

void TOvUDPS::SetpcName(const String&) {
  TUDPBlockSocket* sock = new TUDPBlockSocket();
  try {
    FpcName = sock->LocalName();
  } catch (...) {
    sock->Free();
    throw;
  }
  sock->Free();
}

void TOvUDPS::SetpcMAC(const String&) {
  TStringList list;
  if (ListAdapters(&list, false, false, true) && list.Count() > 0) {
    FpcMAC = StringReplaceAll(list.Strings(0), L"-", L"");
    FpcMACRead = true;
  }
}

void TOvUDPS::RefreshPcIP() {
  TStringList list;
  if (ListAdapters(&list, false, true, false) && list.Count() > 0) FpcIP = list.Strings(0);
}

AnsiString TOvUDPS::ConvertUTF8toWin1250(const AnsiString& Value) {
  return ConvertCharset(Value, TMimeChar::UTF_8, TMimeChar::CP1250);
}

AnsiString TOvUDPS::ConvertWin1250toUTF8(const AnsiString& Value) {
  return ConvertCharset(Value, TMimeChar::CP1250, TMimeChar::UTF_8);
}

void TOvUDPS::HookOwnerForm() {
  auto* form = dynamic_cast<TCustomForm*>(Owner());
  if (!form || FHooked) return;
  FSavedOnFormClose = form->OnClose;
  form->OnClose = Bind(this, &TOvUDPS::OwnerFormClose);
  FHooked = true;
}

void TOvUDPS::UnhookOwnerForm() {
  if (!FHooked) return;
  FHooked = false;
  if (auto* form = dynamic_cast<TCustomForm*>(Owner())) form->OnClose = FSavedOnFormClose;
  FSavedOnFormClose = nullptr;
}

void TOvUDPS::OwnerFormClose(TObject* Sender, TCloseAction& Action) {
  if (FSavedOnFormClose) FSavedOnFormClose(Sender, Action);
  if (FUDPActive) {
    try {
      SetUDPActive(false);
    } catch (...) {
      if (Application) Application->HandleException(this);
    }
  }
}

void TOvUDPS::SetUDPActive(bool Value) {
  if (IsDesigning() || FUDPActive == Value) return;
  FUDPActive = Value;
  if (Value) {
    if (FUDPThread) return;
    auto* t = new TUDPThread(true, this);
    t->OnTerminate = Bind(this, &TOvUDPS::UDPThreadTerminated);
    t->FUDPThrBroadcast = FUDPBroadcast;
    t->FUDPLocalHostIP = FUDPLocalIP;
    t->FUDPLocalPort = FUDPRxPort;
    FUDPThread = t;
    t->Start();
  } else if (FUDPThread) {
    StopWorker();
  }
}

void TOvUDPS::StopWorker() {
  TUDPThread* worker = FUDPThread;
  worker->Stop();
  for (int pass = 0; FUDPThread == worker && pass < StopWaitPasses; ++pass) {
    Sleep(1);
    if (Application) Application->ProcessMessages();
    else CheckSynchronize();
  }
  if (FUDPThread == worker) {
    // It did not end in time: it goes on alone, touching nothing of ours,
    // and frees itself when it ends.
    worker->Detach();
    FUDPThread = nullptr;
    FUDPActive = false;
  }
}

void TOvUDPS::UDPThreadTerminated(TObject* Sender) {
  if (Sender != FUDPThread) return;
  FUDPThread = nullptr;
  FUDPActive = false;
  DoUDPStatus();
}

void TOvUDPS::DoUDPStatus() {
  if (OnUDPStatus) OnUDPStatus(this, FUDPActive, FUDPError, FUDPErrorDesc);
}

void TOvUDPS::DoGetPacketUDP() {
  if (!OnGetPacketUDP) return;
  // One datagram's trouble is reported and the service goes on with the
  // next: any host on the network can send a datagram.
  try {
    OnGetPacketUDP(this, FPacketUDP, FPacketUDPHex, FPeerIP, FPeerPort, FUdpResponse);
  } catch (...) {
    FUdpResponse.clear();
    if (Application) Application->HandleException(this);
  }
}

void TOvUDPS::DoGetPacketUDPClient() {
  if (!OnGetPacketUDP) return;
  try {
    OnGetPacketUDP(this, FCLPacketUDP, L"", FCLPeerIP, FCLPeerPort, FCLUdpResponse);
  } catch (...) {
    FCLUdpResponse.clear();
    if (Application) Application->HandleException(this);
  }
}

void TOvUDPS::UDPServerSendTo(const String& ip, const String& port, const AnsiString& data) {
  AnsiString bytes = FUTF8 ? ConvertWin1250toUTF8(data) : data;
  if (FUDPThread) FUDPThread->UdpSrvSendTo(ip, port, bytes);
}

void TOvUDPS::UDPClientSendTo(const String& sIP, const String& sPort, const String& AData) {
  auto* t = new TUDPClientThread(true, this);
  FClientThreads.push_back(t);
  t->FRemoteIP = sIP;
  t->FRemotePort = sPort;
  t->FData = WideToAnsi(AData);
  t->Start();
}

// ---------------------------------------------------------------------------
// TUDPThread

TUDPThread::TUDPThread(bool CreateSuspended, TOvUDPS* Parent) : TThread(CreateSuspended), FOvUDPS(Parent) {
  SetFreeOnTerminate(true);
  FUDPSrvSock = new TUDPBlockSocket();
  FUDPSrvSock->SetTimeout(20000);
  FUDPSendList = new TStringList(true);
  F_STOP = false;
}

TUDPThread::~TUDPThread() {
  FreeAndNil(FUDPSrvSock);
  {
    TLock lock;
    delete FUDPSendList;
  }
}

void TUDPThread::UdpSrvSendTo(const String& ip, const String& port, const AnsiString& data) {
  TLock lock;
  FUDPSendList->AddObject(L"", new TmyData(ip, data, port));
}

int TUDPThread::QueueCount() {
  TLock lock;
  return FUDPSendList->Count();
}

void TUDPThread::Detach() {
  {
    TLock lock;
    FOvUDPS = nullptr;
  }
  OnTerminate = nullptr;
  Stop();
}

void TUDPThread::DoTerminate() {
  // The handler is looked up on the GUI thread, where a service cuts its
  // worker loose.
  Synchronize([this] {
    if (FOvUDPS && OnTerminate) OnTerminate(this);
  });
}

bool TUDPThread::ReadSettings(TPassSettings& S) {
  TLock lock;
  if (!FOvUDPS) return false;
  S.LineEndRx = LineEndBytes(FOvUDPS->FUDPLineEndRx);
  S.LineEndTx = LineEndBytes(FOvUDPS->FUDPLineEndTx);
  S.UTF8 = FOvUDPS->FUTF8;
  S.Broadcast = FOvUDPS->FUDPBroadcast;
  S.LineMode = IsLineMode(FOvUDPS->FUDPLineEndRx);
  S.RxTimeout = FOvUDPS->FUDPRxTimeout;
  return true;
}

void TUDPThread::Execute() {
  FUDPSrvSock->Bind(FUDPLocalHostIP, FUDPLocalPort);
  FUDPSrvSock->SetMulticastTTL(64);
  int error = FUDPSrvSock->LastError();
  String desc = FUDPSrvSock->LastErrorDesc();
  Synchronize([&] {
    if (!FOvUDPS) return;
    FOvUDPS->FUDPError = error;
    FOvUDPS->FUDPErrorDesc = desc;
    FOvUDPS->FUDPActive = error == 0;
    FOvUDPS->DoUDPStatus();
  });
  if (error != 0) return;
  while (!F_STOP) {
    TPassSettings s;
    if (!ReadSettings(s)) break;
    if (!s.LineMode && s.LineEndRx.empty()) {
      // One receive waits up to 10 ms for the next datagram and takes it.
      AnsiString data = FUDPSrvSock->RecvPacket(10);
      if (FUDPSrvSock->LastError() == 0) ReceiveOne(s, &data);
    } else if (FUDPSrvSock->CanRead(10)) {
      ReceiveOne(s, nullptr);
    }
    SendQueued(s);
    if (Terminated()) break;
  }
  FUDPSrvSock->CloseSocket();
}

void TUDPThread::ReceiveOne(const TPassSettings& S, AnsiString* Received) {
  int timeout = S.RxTimeout;
  if (timeout < 1) {
    timeout = 1;
    TLock lock;
    if (FOvUDPS) FOvUDPS->FUDPRxTimeout = 1;
  }
  TUDPBlockSocket* sock = FUDPSrvSock;
  const AnsiString& le = S.LineEndRx;
  if (Received)
    FUDPData.swap(*Received);
  else
    FUDPData = ReceiveByLineEnd(sock, S.LineMode, le, timeout, 5000);
  if (sock->LastError() != 0) return;
  FUDPPeerIP = sock->GetRemoteSinIP();
  String peerPort = IntToStr(static_cast<int64_t>(sock->GetRemoteSinPort()));
  if (FUDPData.empty()) return;
  AnsiString hex = HexDump(FUDPData);
  AnsiString data = S.UTF8 ? ConvertCharset(FUDPData, TMimeChar::UTF_8, TMimeChar::CP1250) : FUDPData;
  AnsiString reply;
  Synchronize([&] {
    if (!FOvUDPS) return;
    FOvUDPS->FPacketUDPHex = AnsiToWide(hex);
    FOvUDPS->FPacketUDP = AnsiToWide(data);
    FOvUDPS->FPeerIP = FUDPPeerIP;
    FOvUDPS->FPeerPort = peerPort;
    FOvUDPS->DoGetPacketUDP();
    reply = WideToAnsi(FOvUDPS->FUdpResponse);
    FOvUDPS->FUdpResponse.clear();
  });
  if (S.UTF8) reply = ConvertCharset(reply, TMimeChar::CP1250, TMimeChar::UTF_8);
  if (!reply.empty()) sock->SendString(reply + le);
}

void TUDPThread::SendQueued(const TPassSettings& S) {
  String ip, port;
  AnsiString text;
  {
    TLock lock;
    if (FUDPSendList->Count() == 0) return;
    auto* item = static_cast<TmyData*>(FUDPSendList->Objects(0));
    ip = item->Mip;
    port = item->mPort;
    text = item->Mstr;
  }
  TUDPBlockSocket* sock = FUDPSrvSock;
  sock->EnableBroadcast(S.Broadcast);
  sock->Connect(ip, port);
  if (sock->LastError() == 0 && !text.empty()) sock->SendString(text + S.LineEndTx);
  TLock lock;
  FUDPSendList->Delete(0);
}

// ---------------------------------------------------------------------------
// TUDPClientThread

TUDPClientThread::TUDPClientThread(bool CreateSuspended, TOvUDPS* Parent)
    : TThread(CreateSuspended), FOvUDPS(Parent) {
  SetFreeOnTerminate(true);
}

void TUDPClientThread::DoTerminate() {
  Synchronize([this] {
    if (FOvUDPS) std::erase(FOvUDPS->FClientThreads, this);
  });
}

void TUDPClientThread::Execute() {
  bool utf8 = false, lineMode = false;
  AnsiString le, leRx;
  Synchronize([&] {
    if (!FOvUDPS) return;
    utf8 = FOvUDPS->FUTF8;
    le = LineEndBytes(FOvUDPS->FUDPLineEndTx);
    leRx = LineEndBytes(FOvUDPS->FUDPLineEndRx);
    lineMode = IsLineMode(FOvUDPS->FUDPLineEndRx);
  });
  AnsiString data = utf8 ? ConvertCharset(FData, TMimeChar::CP1250, TMimeChar::UTF_8) : FData;
  TUDPBlockSocket* s = new TUDPBlockSocket();
  TUDPBlockSocket& sock = *s;
  struct TFreeSock {
    TUDPBlockSocket* p;
    ~TFreeSock() { p->Free(); }
  } freeSock{s};
  sock.Bind(L"0.0.0.0", L"0");
  sock.SetTimeout(20000);
  sock.SetMulticastTTL(64);
  if (FRemoteIP.find(L"255") != String::npos) sock.EnableBroadcast(true);
  sock.Connect(FRemoteIP, FRemotePort);
  if (sock.LastError() == 0 && !data.empty()) {
    sock.SendString(data + le);
    while (sock.CanRead(1000)) {
      AnsiString got = ReceiveByLineEnd(&sock, lineMode, leRx, 5000, 5000);
      if (sock.LastError() != 0 || got.empty()) continue;
      if (utf8) got = ConvertCharset(got, TMimeChar::UTF_8, TMimeChar::CP1250);
      String peer = sock.GetRemoteSinIP();
      String peerPort = IntToStr(static_cast<int64_t>(sock.GetRemoteSinPort()));
      AnsiString reply;
      Synchronize([&] {
        if (!FOvUDPS) return;
        FOvUDPS->FCLPacketUDP = AnsiToWide(got);
        FOvUDPS->FCLPeerIP = peer;
        FOvUDPS->FCLPeerPort = peerPort;
        FOvUDPS->DoGetPacketUDPClient();
        reply = WideToAnsi(FOvUDPS->FCLUdpResponse);
        FOvUDPS->FCLUdpResponse.clear();
      });
      if (utf8) reply = ConvertCharset(reply, TMimeChar::CP1250, TMimeChar::UTF_8);
      if (!reply.empty()) sock.SendString(reply + le);
    }
  }
  sock.CloseSocket();
}
