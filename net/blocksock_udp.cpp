// TDgramBlockSocket and TUDPBlockSocket: datagrams, broadcast, multicast
// and relaying through a SOCKS 5 proxy.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstring>

#include "net/blocksock.h"
#include "net/iptext.h"
#include "net/netutil.h"

namespace {
TWinsockBinding& W() { return SocketApi(); }
}  // namespace

void TDgramBlockSocket::Connect(const String& IP, const String& Port) {
  SetRemoteSin(IP, Port);
  const int resolveError = FRemoteSinError;
  // With a handle this only restarts the counters; without one, a handle
  // is made for the destination's family, unless there is none to take.
  if (resolveError == 0 || FSocket != INVALID_SOCKET) CreateSocketForSin(FRemoteSin);
  FBuffer.clear();
  if (resolveError != 0) {
    // The destination keeps its error; sends fail with it until the next
    // destination or datagram.
    SetErrorCode(resolveError);
    ExceptCheck();
  }
  ReportStatus(THookSocketReason::HR_Connect, IP + L":" + Port);
}

int TDgramBlockSocket::SendBuffer(const void* Buffer, int Length) { return SendBufferTo(Buffer, Length); }

int TDgramBlockSocket::RecvBuffer(void* Buffer, int Length) { return RecvBufferFrom(Buffer, Length); }

// ---------------------------------------------------------------------------

void TUDPBlockSocket::Destroy() {
  FreeAndNil(FSocksControlSock);
  TDgramBlockSocket::Destroy();
}

void TUDPBlockSocket::EnableBroadcast(bool Value) {
  TSynaOption* o = new TSynaOption();
  o->Option = TSynaOptionType::SOT_Broadcast;
  o->Enabled = Value;
  QueueOption(o);
}

int TUDPBlockSocket::MulticastTTL() {
  int value = 0;
  int length = sizeof value;
  W().getsockopt(FSocket, FIP6used ? IPPROTO_IPV6 : IPPROTO_IP, 10, reinterpret_cast<char*>(&value), &length);
  return value;
}

void TUDPBlockSocket::SetMulticastTTL(int Value) {
  TSynaOption* o = new TSynaOption();
  o->Option = TSynaOptionType::SOT_MulticastTTL;
  o->Value = Value;
  QueueOption(o);
}

void TUDPBlockSocket::EnableMulticastLoop(bool Value) {
  TSynaOption* o = new TSynaOption();
  o->Option = TSynaOptionType::SOT_MulticastLoop;
  o->Enabled = Value;
  QueueOption(o);
}

void TUDPBlockSocket::ChangeMembership(const String& MCastIP, bool Join) {
  const int option = Join ? 12 : 13;  // ADD_MEMBERSHIP / DROP_MEMBERSHIP of both protocols
  if (FIP6used) {
    if (!IsIPv6Text(MCastIP)) {
      SetErrorCode(WSAEINVAL);
    } else {
      ipv6_mreq request{};
      TIp6Bytes group = IPv6TextToBytes(MCastIP);
      std::memcpy(&request.ipv6mr_multiaddr, group.data(), group.size());
      request.ipv6mr_interface = IPv6TextZone(MCastIP);
      SockCheck(W().setsockopt(FSocket, IPPROTO_IPV6, option, reinterpret_cast<const char*>(&request), sizeof request));
    }
  } else {
    if (!IsIPv4Text(MCastIP)) {
      SetErrorCode(WSAEINVAL);
    } else {
      ip_mreq request{};
      uint32_t group = ReverseBytes(IPv4TextToNumber(MCastIP));  // network order
      std::memcpy(&request.imr_multiaddr, &group, 4);
      std::memcpy(&request.imr_interface, FLocalSin.sin_addr.Bytes, 4);
      SockCheck(W().setsockopt(FSocket, IPPROTO_IP, option, reinterpret_cast<const char*>(&request), sizeof request));
    }
  }
  ExceptCheck();
}

void TUDPBlockSocket::AddMulticast(const String& MCastIP) { ChangeMembership(MCastIP, true); }

void TUDPBlockSocket::DropMulticast(const String& MCastIP) { ChangeMembership(MCastIP, false); }

bool TUDPBlockSocket::OpenSocksUdpAssociation() {
  FUsingSocks = false;
  if (FSocksIP.empty()) return true;
  if (!FSocksControlSock) FSocksControlSock = new TTCPBlockSocket();
  TTCPBlockSocket* control = FSocksControlSock;
  control->CloseSocket();
  control->CreateSocketByName(FSocksIP);
  control->Connect(FSocksIP, FSocksPort);
  if (control->LastError() != 0) return false;
  if (!FBinded) Bind(L"0.0.0.0", L"0");
  control->SetSocksUsername(FSocksUsername);
  control->SetSocksPassword(FSocksPassword);
  control->SetSocksType(FSocksType);
  control->SetSocksTimeout(FSocksTimeout);
  bool ok = control->SocksOpen() && control->SocksRequest(3, GetLocalSinIP(), IntToStr(GetLocalSinPort())) &&
            control->SocksResponse();
  if (!ok && FLastError == 0) SetErrorCode(11003);
  FUsingSocks = control->UsingSocks();
  FSocksRemoteIP = control->SocksResponseIP();
  // A relay given as 0.0.0.0 is the proxy's own address.
  if (FSocksRemoteIP == L"0.0.0.0" || FSocksRemoteIP == L"::0") FSocksRemoteIP = FSocksIP;
  FSocksRemotePort = control->SocksResponsePort();
  return ok && FLastError == 0;
}

int TUDPBlockSocket::SendBufferTo(const void* Buffer, int Length) {
  FUsingSocks = false;
  if (!FSocksIP.empty() && !OpenSocksUdpAssociation()) {
    SetErrorCode(11003);
    return 0;
  }
  if (!FUsingSocks || FRemoteSinError != 0) return TDgramBlockSocket::SendBufferTo(Buffer, Length);
  const TVarSin destination = FRemoteSin;
  AnsiString header = EncodeSocks5Address(AnsiToWide(SinAddressText(destination)), IntToStr(SinPortNumber(destination)));
  if (FLastError != 0) return SOCKET_ERROR;
  AnsiString datagram = AnsiString(3, '\0') + header + AnsiString(static_cast<const char*>(Buffer), static_cast<size_t>(Length));
  int r = SOCKET_ERROR;
  if (FillSin(FRemoteSin, FSocksRemoteIP, FSocksRemotePort) == 0)
    r = TDgramBlockSocket::SendBufferTo(datagram.data(), static_cast<int>(datagram.size()));
  else
    ExceptCheck();
  FRemoteSin = destination;
  return r;
}

int TUDPBlockSocket::RecvBufferFrom(void* Buffer, int Length) {
  int r = TDgramBlockSocket::RecvBufferFrom(Buffer, Length);
  if (!FUsingSocks || r == SOCKET_ERROR || FLastError != 0) return r;
  AnsiString datagram(static_cast<const char*>(Buffer), static_cast<size_t>(r));
  int position = DecodeSocks5Address(datagram);
  if (position <= 5 || position - 1 > r) {
    // No usable relay header: the datagram is refused, not handed on.
    SetErrorCode(11003);
    ExceptCheck();
    return SOCKET_ERROR;
  }
  int payload = r - (position - 1);
  std::memmove(Buffer, static_cast<char*>(Buffer) + (position - 1), static_cast<size_t>(payload));
  String senderIP = FSocksResponseIP, senderPort = FSocksResponsePort;
  SetRemoteSin(senderIP, senderPort);
  ResetLastError();
  return payload;
}
