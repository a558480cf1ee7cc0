// The socket layer's only contact with Windows Sockets: the library bound
// at run time, the socket address record, descriptor sets, the module lock
// and the address-resolution routines. Host, port and name texts here are
// 8-bit texts in the system ANSI code page.
#pragma once

#include <cstdint>
#include <vector>

#include "base/SysUtils.h"

struct addrinfo;

using TSocket = SOCKET;
using TWSAData = WSADATA;

union TInAddr {
  uint8_t Bytes[4];
  uint32_t Value;  // network byte order
};

struct TInAddr6 {
  uint8_t Bytes[16];
};

// A socket address of either family, told apart by AddressFamily.
union TVarSin {
  uint16_t AddressFamily;
  struct {
    uint16_t sin_family;
    uint16_t sin_port;  // network byte order
    TInAddr sin_addr;
    char sin_zero[8];
  };
  struct {
    uint16_t sin6_family;
    uint16_t sin6_port;
    uint32_t sin6_flowinfo;
    TInAddr6 sin6_addr;
    uint32_t sin6_scope_id;
  };
};
static_assert(sizeof(TVarSin) == 28, "TVarSin holds the larger address form");

// The platform's descriptor set: a count and room for 64 handles.
struct TFDSet {
  uint32_t fd_count;
  TSocket fd_array[64];
};

// The socket layer's exception: "TCP/IP Socket error %d: %s", or a message
// of its own.
class ESocketLayerError : public Exception {
 public:
  ESocketLayerError(int Code, const String& Description);
  ESocketLayerError(const String& Message, int Code, const String& Description);
  String ClassName() const override { return L"ESocketLayerError"; }
  int ErrorCode() const { return FErrorCode; }
  const String& ErrorMessage() const { return FErrorMessage; }

 private:
  int FErrorCode;
  String FErrorMessage;
};

// The bound library: its handles, how many loads are not yet matched by an
// unload, the addrinfo flags and one pointer per function, looked up by
// name. The process has one (SocketApi()); tests may make others.
struct TWinsockBinding {
  HMODULE MainLibrary = nullptr;
  HMODULE FallbackLibrary = nullptr;
  int UseCount = 0;
  bool NativeAddrInfo = false;    // getaddrinfo & co. in the main library
  bool FallbackAddrInfo = false;  // ... in the fallback library instead

  int(WINAPI* WSAIoctl)(TSocket, DWORD, void*, DWORD, void*, DWORD, DWORD*, void*, void*) = nullptr;
  int(WINAPI* WSAFDIsSet)(TSocket, fd_set*) = nullptr;
  int(WINAPI* closesocket)(TSocket) = nullptr;
  int(WINAPI* ioctlsocket)(TSocket, long, u_long*) = nullptr;
  int(WINAPI* WSAGetLastError)() = nullptr;
  int(WINAPI* WSAStartup)(WORD, WSADATA*) = nullptr;
  int(WINAPI* WSACleanup)() = nullptr;
  TSocket(WINAPI* accept)(TSocket, sockaddr*, int*) = nullptr;
  int(WINAPI* bind)(TSocket, const sockaddr*, int) = nullptr;
  int(WINAPI* connect)(TSocket, const sockaddr*, int) = nullptr;
  int(WINAPI* getpeername)(TSocket, sockaddr*, int*) = nullptr;
  int(WINAPI* getsockname)(TSocket, sockaddr*, int*) = nullptr;
  int(WINAPI* getsockopt)(TSocket, int, int, char*, int*) = nullptr;
  u_long(WINAPI* htonl)(u_long) = nullptr;
  u_short(WINAPI* htons)(u_short) = nullptr;
  unsigned long(WINAPI* inet_addr)(const char*) = nullptr;
  char*(WINAPI* inet_ntoa)(in_addr) = nullptr;
  int(WINAPI* listen)(TSocket, int) = nullptr;
  u_long(WINAPI* ntohl)(u_long) = nullptr;
  u_short(WINAPI* ntohs)(u_short) = nullptr;
  int(WINAPI* recv)(TSocket, char*, int, int) = nullptr;
  // Buffers: WSABUF*, Overlapped: WSAOVERLAPPED*, Routine: its completion
  // routine (this header does not need the WinSock 2 types).
  int(WINAPI* WSARecv)(TSocket, void* Buffers, DWORD, DWORD*, DWORD*, void* Overlapped, void* Routine) = nullptr;
  int(WINAPI* recvfrom)(TSocket, char*, int, int, sockaddr*, int*) = nullptr;
  int(WINAPI* select)(int, fd_set*, fd_set*, fd_set*, const timeval*) = nullptr;
  int(WINAPI* send)(TSocket, const char*, int, int) = nullptr;
  int(WINAPI* sendto)(TSocket, const char*, int, int, const sockaddr*, int) = nullptr;
  int(WINAPI* setsockopt)(TSocket, int, int, const char*, int) = nullptr;
  int(WINAPI* shutdown)(TSocket, int) = nullptr;
  TSocket(WINAPI* socket)(int, int, int) = nullptr;
  hostent*(WINAPI* gethostbyaddr)(const char*, int, int) = nullptr;
  hostent*(WINAPI* gethostbyname)(const char*) = nullptr;
  protoent*(WINAPI* getprotobyname)(const char*) = nullptr;
  protoent*(WINAPI* getprotobynumber)(int) = nullptr;
  servent*(WINAPI* getservbyname)(const char*, const char*) = nullptr;
  servent*(WINAPI* getservbyport)(int, const char*) = nullptr;
  int(WINAPI* gethostname)(char*, int) = nullptr;
  int(WINAPI* getaddrinfo)(const char*, const char*, const addrinfo*, addrinfo**) = nullptr;
  void(WINAPI* freeaddrinfo)(addrinfo*) = nullptr;
  int(WINAPI* getnameinfo)(const sockaddr*, int, char*, DWORD, char*, DWORD, int) = nullptr;

  // Under the module lock: counts a further load, or loads Name and binds
  // its functions; getaddrinfo, freeaddrinfo and getnameinfo come from
  // FallbackName when Name lacks them. False when Name cannot be loaded.
  bool Load(const String& Name, const String& FallbackName = L"wship6.dll");
  // Under the module lock: one load fewer; the last releases the libraries.
  bool Unload();
};

// The process's binding.
TWinsockBinding& SocketApi();
// The start-up record that WSAStartup filled.
TWSAData& SocketStartupData();

// The module lock: the binding and every call of the old resolver functions.
void EnterSocketModuleLock();
void LeaveSocketModuleLock();

// The process binding's Load ("ws2_32.dll" for an empty name) and Unload.
bool LoadSocketLibrary(const String& Name = String());
bool UnloadSocketLibrary();
// The getaddrinfo family serves addresses of Family (IPv6, 23, may come
// from the fallback library).
bool UsesAddrInfoApi(int Family);

// One getaddrinfo lookup; the first result goes to Address (cleared first).
// Returns getaddrinfo's error code.
int LookupAddrInfo(const AnsiString& Host, const AnsiString& Port, const addrinfo& Hints, TVarSin& Address);
// Resolves Host and Port into Address for the socket type, protocol and
// family (0: IPv4 or IPv6, in the order PreferIP4 says). Returns 0 or the
// resolver's error code; an address that did not resolve stays cleared.
int ResolveSockAddr(TVarSin& Address, const AnsiString& Host, const AnsiString& Port, bool PreferIP4, int SockType,
                    int Protocol, int Family);
// Numeric host text of the address; empty when it has none.
AnsiString SinAddressText(const TVarSin& Address);
// The port in host byte order.
int SinPortNumber(const TVarSin& Address);
// The numeric texts of Name's addresses of Family; "0.0.0.0" when none.
void ResolveNameToList(const AnsiString& Name, int Family, int Protocol, int SockType, std::vector<AnsiString>& List);
// A port number or service name as a port in host order; 0 when unknown.
uint16_t ResolveServicePort(const AnsiString& Port, int Family, int Protocol, int SockType);
// The host name of an address text; the text itself when none is found.
AnsiString ResolveAddressToName(const AnsiString& Address, int Family, int Protocol, int SockType);

void FdSetClear(TFDSet& Set);
// Appends the handle while fewer than 64 are in the set.
void FdSetAdd(TSocket Socket, TFDSet& Set);
bool FdSetContains(TSocket Socket, TFDSet& Set);

// 16, 28 or 0 by family.
int SinLength(const TVarSin& Address);
int BindSin(TSocket Socket, const TVarSin& Address);
int ConnectSin(TSocket Socket, const TVarSin& Address);
int GetSockNameSin(TSocket Socket, TVarSin& Address);
int GetPeerNameSin(TSocket Socket, TVarSin& Address);
TSocket AcceptSin(TSocket Socket, TVarSin& Address);
int SendToSin(TSocket Socket, const void* Buffer, int Length, int Flags, const TVarSin& Address);
int RecvFromSin(TSocket Socket, void* Buffer, int Length, int Flags, TVarSin& Address);
// The computer's host name; empty when the query fails.
AnsiString LocalHostName();
