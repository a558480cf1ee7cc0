// TTCPBlockSocket and the SSL plug-in interface.
#include <winsock2.h>

#include "net/blocksock.h"
#include "net/iptext.h"
#include "net/netcodec.h"

namespace {
TWinsockBinding& W() { return SocketApi(); }

int DecimalOrZero(const String& Text) {
  int v = 0;
  return TryStrToInt(Text, v) ? v : 0;
}
}  // namespace

// ---------------------------------------------------------------------------
// Plug-in interface

TCustomSSL::TCustomSSL(TTCPBlockSocket* Value) : FSocket(Value) {}

void TCustomSSL::Assign(TCustomSSL* Value) {
  FUsername = Value->FUsername;
  FPassword = Value->FPassword;
  FVerifyCert = Value->FVerifyCert;
  FSSLType = Value->FSSLType;
  FKeyPassword = Value->FKeyPassword;
  FCiphers = Value->FCiphers;
  FCertificateFile = Value->FCertificateFile;
  FPrivateKeyFile = Value->FPrivateKeyFile;
  SetCertCAFile(Value->FCertCAFile);
  FCertCA = Value->FCertCA;
  FTrustCertificate = Value->FTrustCertificate;
  FTrustCertificateFile = Value->FTrustCertificateFile;
  FCertificate = Value->FCertificate;
  FPrivateKey = Value->FPrivateKey;
  FPFX = Value->FPFX;
  FPFXfile = Value->FPFXfile;
  FCertComplianceLevel = Value->FCertComplianceLevel;
  FSNIHost = Value->FSNIHost;
}

void TCustomSSL::ReportSslUnavailable() {
  FLastError = -1;
  FLastErrorDesc = L"SSL/TLS support is not compiled!";
}

bool TCustomSSL::Connect() {
  ReportSslUnavailable();
  return false;
}

bool TCustomSSL::Accept() {
  ReportSslUnavailable();
  return false;
}

bool TCustomSSL::Shutdown() {
  ReportSslUnavailable();
  return false;
}

bool TCustomSSL::BiShutdown() {
  ReportSslUnavailable();
  return false;
}

int TCustomSSL::SendBuffer(const void* Buffer, int Len) {
  ReportSslUnavailable();
  return -1;
}

int TCustomSSL::RecvBuffer(void* Buffer, int Len) {
  ReportSslUnavailable();
  return -1;
}

int TCustomSSL::WaitingData() {
  ReportSslUnavailable();
  return 0;
}

// ---------------------------------------------------------------------------
// Life cycle

TTCPBlockSocket::TTCPBlockSocket() : TTCPBlockSocket(SSLClassOf<TSSLNone>()) {}

TTCPBlockSocket::TTCPBlockSocket(const TSSLClass& SSLPlugin) { FSSL = SSLPlugin(this); }

void TTCPBlockSocket::Destroy() {
  // The base closes the socket, still through the plug-in.
  TSocksBlockSocket::Destroy();
  FreeAndNil(FSSL);
}

bool TTCPBlockSocket::UsesSslPath() const { return FSSL && FSSL->SSLEnabled() && !FBypassFlag; }

void TTCPBlockSocket::CloseSocket() {
  if (FSSL && FSSL->SSLEnabled()) FSSL->Shutdown();
  if (FSocket != INVALID_SOCKET && FLastError == 0) {
    W().shutdown(FSocket, SD_SEND);
    Purge();
  }
  TSocksBlockSocket::CloseSocket();
}

int TTCPBlockSocket::WaitingData() {
  if (UsesSslPath() && FSocket != INVALID_SOCKET) {
    int n = FSSL->WaitingData();
    if (n > 0) return n;
  }
  int n = TSocksBlockSocket::WaitingData();
  // Through the plug-in, the platform's count is not what a receive gives.
  if (UsesSslPath()) {
    FKnownPending = 0;
    FPlatformCount = false;
  }
  return n;
}

// ---------------------------------------------------------------------------
// Connecting

void TTCPBlockSocket::Connect(const String& IP, const String& Port) {
  if (!FSocksIP.empty())
    ConnectViaSocks(IP, Port);
  else if (!FHTTPTunnelIP.empty())
    ConnectViaHttpTunnel(IP, Port);
  else
    TSocksBlockSocket::Connect(IP, Port);
  if (FLastError == 0 && OnAfterConnect) OnAfterConnect(this);
}

void TTCPBlockSocket::ConnectViaSocks(const String& IP, const String& Port) {
  TBlockSocket::Connect(FSocksIP, FSocksPort);
  if (FLastError == 0) {
    bool ok = SocksOpen() && SocksRequest(1, IP, Port) && SocksResponse();
    if (!ok && FLastError == 0) SetErrorCode(10091);
    FSocksLocalIP = FSocksResponseIP;
    FSocksLocalPort = FSocksResponsePort;
    FSocksRemoteIP = IP;
    FSocksRemotePort = Port;
  }
  ExceptCheck();
  ReportStatus(THookSocketReason::HR_Connect, IP + L":" + Port);
}

void TTCPBlockSocket::ConnectViaHttpTunnel(const String& IP, const String& Port) {
  String port = IntToStr(ResolvePort(Port));
  TBlockSocket::Connect(FHTTPTunnelIP, FHTTPTunnelPort);
  if (FLastError != 0) return;
  FHTTPTunnel = false;
  String host = IsIPv6Text(IP) ? L"[" + IP + L"]" : IP;
  SendString(WideToAnsi(L"CONNECT " + host + L":" + port + L" HTTP/1.0") + "\r\n");
  if (!FHTTPTunnelUser.empty())
    SendString("Proxy-Authorization: Basic " + Base64Encode(WideToAnsi(FHTTPTunnelUser + L":" + FHTTPTunnelPass)) +
               "\r\n");
  SendString("\r\n");
  for (;;) {
    AnsiString line = RecvTerminated(FHTTPTunnelTimeout, "\n");
    if (FLastError != 0) break;
    if (line.size() > 11 && line.compare(0, 5, "HTTP/") == 0) FHTTPTunnel = line[9] == '2';
    if (line.empty() || line == "\r") break;
  }
  if (FLastError == 0 && !FHTTPTunnel) SetErrorCode(WSAECONNREFUSED);
  FHTTPTunnelRemoteIP = host;
  FHTTPTunnelRemotePort = port;
  ExceptCheck();
}

void TTCPBlockSocket::Listen() {
  if (FSocksIP.empty()) {
    TSocksBlockSocket::Listen();
    return;
  }
  String ip = AnsiToWide(SinAddressText(FLocalSin));
  if (ip == L"0.0.0.0") ip = LocalName();
  String port = IntToStr(SinPortNumber(FLocalSin));
  TBlockSocket::Connect(FSocksIP, FSocksPort);
  bool ok = FLastError == 0 && SocksOpen() && SocksRequest(2, ip, port) && SocksResponse();
  if (!ok && FLastError == 0) SetErrorCode(11003);
  if (ok) {
    FSocksLocalIP = FSocksResponseIP == L"0.0.0.0" ? FSocksIP : FSocksResponseIP;
    FSocksLocalPort = FSocksResponsePort;
  }
  FSocksRemoteIP.clear();
  FSocksRemotePort.clear();
  ExceptCheck();
  ReportStatus(THookSocketReason::HR_Listen, String());
}

TSocket TTCPBlockSocket::Accept() {
  if (!FUsingSocks) return TSocksBlockSocket::Accept();
  ResetLastError();
  if (!SocksResponse() && FLastError == 0) SetErrorCode(11003);
  FSocksRemoteIP = FSocksResponseIP;
  FSocksRemotePort = FSocksResponsePort;
  ExceptCheck();
  ReportStatus(THookSocketReason::HR_Accept, String());
  return FSocket;
}

// ---------------------------------------------------------------------------
// Addresses and errors

String TTCPBlockSocket::GetLocalSinIP() { return FUsingSocks ? FSocksLocalIP : TSocksBlockSocket::GetLocalSinIP(); }

String TTCPBlockSocket::GetRemoteSinIP() {
  if (FUsingSocks) return FSocksRemoteIP;
  if (FHTTPTunnel) return FHTTPTunnelRemoteIP;
  return TSocksBlockSocket::GetRemoteSinIP();
}

int TTCPBlockSocket::GetLocalSinPort() {
  return FUsingSocks ? DecimalOrZero(FSocksLocalPort) : TSocksBlockSocket::GetLocalSinPort();
}

int TTCPBlockSocket::GetRemoteSinPort() {
  if (FUsingSocks) return ResolvePort(FSocksRemotePort);
  if (FHTTPTunnel) return DecimalOrZero(FHTTPTunnelRemotePort);
  return TSocksBlockSocket::GetRemoteSinPort();
}

String TTCPBlockSocket::GetErrorDescEx() {
  if (FLastError == 10091 && FSSL && FSSL->LastError() != 0) return FSSL->LastErrorDesc();
  return TSocksBlockSocket::GetErrorDescEx();
}

// ---------------------------------------------------------------------------
// Data through the plug-in

int TTCPBlockSocket::SendBuffer(const void* Buffer, int Length) {
  if (!UsesSslPath()) return TSocksBlockSocket::SendBuffer(Buffer, Length);
  if (CheckStopFlag()) return 0;
  ResetLastError();
  DoMonitor(true, Buffer, Length);
  int sent = 0;
  while (sent < Length) {
    int chunk = Length - sent < SendMaxChunk() ? Length - sent : SendMaxChunk();
    if (chunk <= 0) break;
    ThrottleBandwidth(chunk, MaxSendBandwidth(), FNextSend);
    int r = FSSL->SendBuffer(static_cast<const char*>(Buffer) + sent, chunk);
    if (FSSL->LastError() != 0 || r < 0) {
      SetErrorCode(10091);
      break;
    }
    sent += r;
    FSendCounter += r;
    ReportStatus(THookSocketReason::HR_WriteCount, IntToStr(r));
  }
  ExceptCheck();
  return sent;
}

int TTCPBlockSocket::RecvBuffer(void* Buffer, int Length) {
  if (!UsesSslPath()) return TSocksBlockSocket::RecvBuffer(Buffer, Length);
  if (CheckStopFlag()) return 0;
  ResetLastError();
  ThrottleBandwidth(Length, MaxRecvBandwidth(), FNextRecv);
  int r = FSSL->RecvBuffer(Buffer, Length);
  FKnownPending = 0;
  if (FSSL->LastError() != 0) SetErrorCode(10091);
  ExceptCheck();
  if (r > 0) {
    FRecvCounter += r;
    ReportStatus(THookSocketReason::HR_ReadCount, IntToStr(r));
    DoMonitor(false, Buffer, r);
    r = ApplyReadFilter(Buffer, r);
  }
  return r;
}

void TTCPBlockSocket::SSLDoConnect() {
  ResetLastError();
  if (!FSSL->Connect()) SetErrorCode(10091);
  ExceptCheck();
}

bool TTCPBlockSocket::SSLAcceptConnection() {
  ResetLastError();
  if (!FSSL->Accept()) SetErrorCode(10091);
  ExceptCheck();
  return FLastError == 0;
}

void TTCPBlockSocket::SSLDoShutdown() {
  ResetLastError();
  FSSL->BiShutdown();
}
