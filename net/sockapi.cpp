#include <winsock2.h>
#include <ws2tcpip.h>

#include "net/sockapi.h"

#include <cstring>

#include "base/Threads.h"
#include "net/netunits.h"

namespace {

TWinsockBinding gApi;
TWSAData gStartupData;
TCriticalSection* gModuleLock = nullptr;

class TModuleLock {
 public:
  TModuleLock() { EnterSocketModuleLock(); }
  ~TModuleLock() { LeaveSocketModuleLock(); }
  TModuleLock(const TModuleLock&) = delete;
  TModuleLock& operator=(const TModuleLock&) = delete;
};

template <class F>
void BindProc(HMODULE Library, F& Proc, const char* Name) {
  Proc = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(Library, Name)));
}

bool DecimalValue(const AnsiString& Text, int& Value) {
  if (Text.empty() || Text.size() > 9) return false;
  int v = 0;
  for (char c : Text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  Value = v;
  return true;
}

const char* PortOrNull(const AnsiString& Port) { return Port.empty() ? "0" : Port.c_str(); }

AnsiString NumericHost(const sockaddr* Address, int Length) {
  char host[1025] = "";
  char service[32] = "";
  if (gApi.getnameinfo(Address, Length, host, sizeof host, service, sizeof service, NI_NUMERICHOST | NI_NUMERICSERV) != 0)
    return AnsiString();
  return host;
}

}  // namespace

ESocketLayerError::ESocketLayerError(int Code, const String& Description)
    : Exception(L"TCP/IP Socket error %d: %s", {Code, Description}), FErrorCode(Code), FErrorMessage(Description) {}

ESocketLayerError::ESocketLayerError(const String& Message, int Code, const String& Description)
    : Exception(Message), FErrorCode(Code), FErrorMessage(Description) {}

TWinsockBinding& SocketApi() { return gApi; }
TWSAData& SocketStartupData() { return gStartupData; }

void EnterSocketModuleLock() {
  if (gModuleLock) gModuleLock->Enter();
}

void LeaveSocketModuleLock() {
  if (gModuleLock) gModuleLock->Leave();
}

void InitSockApiUnit() { gModuleLock = new TCriticalSection(); }

void FiniSockApiUnit() { FreeAndNil(gModuleLock); }

bool TWinsockBinding::Load(const String& Name, const String& FallbackName) {
  TModuleLock lock;
  if (UseCount > 0) {
    ++UseCount;
    return true;
  }
  NativeAddrInfo = false;
  FallbackAddrInfo = false;
  HMODULE library = LoadLibraryW(Name.empty() ? L"ws2_32.dll" : Name.c_str());
  if (!library) return false;
  MainLibrary = library;
  BindProc(library, WSAIoctl, "WSAIoctl");
  BindProc(library, WSAFDIsSet, "__WSAFDIsSet");
  BindProc(library, closesocket, "closesocket");
  BindProc(library, ioctlsocket, "ioctlsocket");
  BindProc(library, WSAGetLastError, "WSAGetLastError");
  BindProc(library, WSAStartup, "WSAStartup");
  BindProc(library, WSACleanup, "WSACleanup");
  BindProc(library, accept, "accept");
  BindProc(library, bind, "bind");
  BindProc(library, connect, "connect");
  BindProc(library, getpeername, "getpeername");
  BindProc(library, getsockname, "getsockname");
  BindProc(library, getsockopt, "getsockopt");
  BindProc(library, htonl, "htonl");
  BindProc(library, htons, "htons");
  BindProc(library, inet_addr, "inet_addr");
  BindProc(library, inet_ntoa, "inet_ntoa");
  BindProc(library, listen, "listen");
  BindProc(library, ntohl, "ntohl");
  BindProc(library, ntohs, "ntohs");
  BindProc(library, recv, "recv");
  BindProc(library, WSARecv, "WSARecv");
  BindProc(library, recvfrom, "recvfrom");
  BindProc(library, select, "select");
  BindProc(library, send, "send");
  BindProc(library, sendto, "sendto");
  BindProc(library, setsockopt, "setsockopt");
  BindProc(library, shutdown, "shutdown");
  BindProc(library, socket, "socket");
  BindProc(library, gethostbyaddr, "gethostbyaddr");
  BindProc(library, gethostbyname, "gethostbyname");
  BindProc(library, getprotobyname, "getprotobyname");
  BindProc(library, getprotobynumber, "getprotobynumber");
  BindProc(library, getservbyname, "getservbyname");
  BindProc(library, getservbyport, "getservbyport");
  BindProc(library, gethostname, "gethostname");
  BindProc(library, getaddrinfo, "getaddrinfo");
  BindProc(library, freeaddrinfo, "freeaddrinfo");
  BindProc(library, getnameinfo, "getnameinfo");
  NativeAddrInfo = getaddrinfo && freeaddrinfo && getnameinfo;
  if (!NativeAddrInfo) {
    FallbackLibrary = LoadLibraryW(FallbackName.c_str());
    if (FallbackLibrary) {
      BindProc(FallbackLibrary, getaddrinfo, "getaddrinfo");
      BindProc(FallbackLibrary, freeaddrinfo, "freeaddrinfo");
      BindProc(FallbackLibrary, getnameinfo, "getnameinfo");
      FallbackAddrInfo = getaddrinfo && freeaddrinfo && getnameinfo;
    }
  }
  ++UseCount;
  return true;
}

bool TWinsockBinding::Unload() {
  TModuleLock lock;
  if (UseCount > 0) --UseCount;
  if (UseCount == 0) {
    HMODULE main = MainLibrary, fallback = FallbackLibrary;
    // Every pointer goes with the libraries; the flags stay as they were.
    bool native = NativeAddrInfo, viaFallback = FallbackAddrInfo;
    *this = TWinsockBinding();
    NativeAddrInfo = native;
    FallbackAddrInfo = viaFallback;
    if (fallback) FreeLibrary(fallback);
    if (main) FreeLibrary(main);
  }
  return true;
}

bool LoadSocketLibrary(const String& Name) { return gApi.Load(Name.empty() ? String(L"ws2_32.dll") : Name); }

bool UnloadSocketLibrary() { return gApi.Unload(); }

bool UsesAddrInfoApi(int Family) { return gApi.NativeAddrInfo || (Family == AF_INET6 && gApi.FallbackAddrInfo); }

int LookupAddrInfo(const AnsiString& Host, const AnsiString& Port, const addrinfo& Hints, TVarSin& Address) {
  std::memset(&Address, 0, sizeof Address);
  addrinfo hints = Hints;
  const char* host = Host.c_str();
  const char* port = PortOrNull(Port);
  if (hints.ai_socktype == SOCK_RAW) {
    hints.ai_socktype = 0;
    hints.ai_protocol = 0;
    port = nullptr;
  } else if (Host == "0.0.0.0" || Host == "::0") {
    hints.ai_flags = AI_PASSIVE;
    host = nullptr;
  } else if (Host == "127.0.0.1" || Host == "::1") {
    hints.ai_flags = 0;
    host = nullptr;
  }
  addrinfo* result = nullptr;
  int r = gApi.getaddrinfo(host, port, &hints, &result);
  if (r == 0 && result && result->ai_addr) {
    size_t n = result->ai_addrlen < sizeof Address ? result->ai_addrlen : sizeof Address;
    std::memcpy(&Address, result->ai_addr, n);
  }
  if (result) gApi.freeaddrinfo(result);
  return r;
}

int ResolveSockAddr(TVarSin& Address, const AnsiString& Host, const AnsiString& Port, bool PreferIP4, int SockType,
                    int Protocol, int Family) {
  std::memset(&Address, 0, sizeof Address);
  if (UsesAddrInfoApi(Family)) {
    addrinfo hints{};
    hints.ai_socktype = SockType;
    hints.ai_protocol = Protocol;
    if (Family != AF_UNSPEC) {
      hints.ai_family = Family;
      return LookupAddrInfo(Host, Port, hints, Address);
    }
    addrinfo second = hints;
    hints.ai_family = PreferIP4 ? AF_INET : AF_INET6;
    second.ai_family = PreferIP4 ? AF_INET6 : AF_INET;
    int r = LookupAddrInfo(Host, Port, hints, Address);
    if (r == 0) return 0;
    TVarSin other;
    r = LookupAddrInfo(Host, Port, second, other);
    if (r == 0) Address = other;
    return r;
  }

  // The old resolver returns shared static data: under the module lock.
  TModuleLock lock;
  Address.sin_family = AF_INET;
  int number = 0;
  bool numeric = DecimalValue(Port, number);
  protoent* proto = gApi.getprotobynumber(Protocol);
  if (proto && !numeric) {
    servent* service = gApi.getservbyname(Port.c_str(), proto->p_name);
    Address.sin_port = service ? static_cast<uint16_t>(service->s_port) : 0;
  } else {
    Address.sin_port = gApi.htons(static_cast<u_short>(numeric ? number : 0));
  }
  int result = 0;
  if (Host == "255.255.255.255") {
    Address.sin_addr.Value = INADDR_BROADCAST;
  } else {
    unsigned long a = gApi.inet_addr(Host.c_str());
    if (a != INADDR_NONE) {
      Address.sin_addr.Value = a;
    } else {
      hostent* entry = gApi.gethostbyname(Host.c_str());
      if (entry && entry->h_addr_list && entry->h_addr_list[0] && entry->h_length == 4) {
        std::memcpy(Address.sin_addr.Bytes, entry->h_addr_list[0], 4);
      } else {
        // A name that did not resolve keeps its error and leaves no
        // address behind: never the broadcast address.
        result = gApi.WSAGetLastError();
        if (result == 0) result = entry ? WSANO_DATA : WSAHOST_NOT_FOUND;
        std::memset(&Address, 0, sizeof Address);
      }
    }
  }
  return result;
}

AnsiString SinAddressText(const TVarSin& Address) {
  if (UsesAddrInfoApi(Address.AddressFamily))
    return NumericHost(reinterpret_cast<const sockaddr*>(&Address), SinLength(Address));
  in_addr a;
  a.s_addr = Address.sin_addr.Value;
  const char* text = gApi.inet_ntoa(a);
  return text ? AnsiString(text) : AnsiString();
}

int SinPortNumber(const TVarSin& Address) { return gApi.ntohs(Address.sin_port); }

void ResolveNameToList(const AnsiString& Name, int Family, int Protocol, int SockType, std::vector<AnsiString>& List) {
  List.clear();
  if (UsesAddrInfoApi(Family)) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SockType;
    hints.ai_protocol = Protocol;
    addrinfo* result = nullptr;
    if (gApi.getaddrinfo(Name.c_str(), nullptr, &hints, &result) == 0) {
      for (addrinfo* p = result; p; p = p->ai_next) {
        if (Family == AF_INET6 && p->ai_family == AF_INET) continue;
        if (Family == AF_INET && p->ai_family == AF_INET6) continue;
        AnsiString text = NumericHost(p->ai_addr, static_cast<int>(p->ai_addrlen));
        if (!text.empty()) List.push_back(text);
      }
    }
    if (result) gApi.freeaddrinfo(result);
  } else if (gApi.inet_addr(Name.c_str()) != INADDR_NONE) {
    List.push_back(Name);
  } else {
    TModuleLock lock;
    hostent* entry = gApi.gethostbyname(Name.c_str());
    if (entry && entry->h_length == 4 && entry->h_addr_list) {
      for (char** a = entry->h_addr_list; *a; ++a) {
        const uint8_t* b = reinterpret_cast<const uint8_t*>(*a);
        List.push_back(std::to_string(b[0]) + "." + std::to_string(b[1]) + "." + std::to_string(b[2]) + "." +
                       std::to_string(b[3]));
      }
    }
  }
  if (List.empty()) List.push_back("0.0.0.0");
}

uint16_t ResolveServicePort(const AnsiString& Port, int Family, int Protocol, int SockType) {
  if (UsesAddrInfoApi(Family)) {
    addrinfo hints{};
    hints.ai_flags = AI_PASSIVE;
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SockType;
    hints.ai_protocol = Protocol;
    addrinfo* result = nullptr;
    uint16_t port = 0;
    if (gApi.getaddrinfo(nullptr, Port.c_str(), &hints, &result) == 0 && result && result->ai_addr) {
      const TVarSin* sin = reinterpret_cast<const TVarSin*>(result->ai_addr);
      if (result->ai_family == AF_INET || result->ai_family == AF_INET6) port = gApi.ntohs(sin->sin_port);
    }
    if (result) gApi.freeaddrinfo(result);
    return port;
  }
  TModuleLock lock;
  if (protoent* proto = gApi.getprotobynumber(Protocol))
    if (servent* service = gApi.getservbyname(Port.c_str(), proto->p_name))
      return gApi.ntohs(static_cast<u_short>(service->s_port));
  int number = 0;
  return DecimalValue(Port, number) ? static_cast<uint16_t>(number) : 0;
}

AnsiString ResolveAddressToName(const AnsiString& Address, int Family, int Protocol, int SockType) {
  AnsiString name = Address;
  if (UsesAddrInfoApi(Family)) {
    addrinfo hints{};
    hints.ai_socktype = SockType;
    hints.ai_protocol = Protocol;
    addrinfo* result = nullptr;
    if (gApi.getaddrinfo(Address.c_str(), nullptr, &hints, &result) == 0 && result && result->ai_addr) {
      char host[1025] = "";
      char service[32] = "";
      if (gApi.getnameinfo(result->ai_addr, static_cast<int>(result->ai_addrlen), host, sizeof host, service,
                           sizeof service, NI_NUMERICSERV) == 0)
        name = host;
    }
    if (result) gApi.freeaddrinfo(result);
    return name;
  }
  unsigned long a = gApi.inet_addr(Address.c_str());
  if (a != INADDR_NONE) {
    TModuleLock lock;
    if (hostent* entry = gApi.gethostbyaddr(reinterpret_cast<const char*>(&a), 4, AF_INET))
      if (entry->h_name) name = entry->h_name;
  }
  return name;
}

void FdSetClear(TFDSet& Set) { Set.fd_count = 0; }

void FdSetAdd(TSocket Socket, TFDSet& Set) {
  if (Set.fd_count < 64) Set.fd_array[Set.fd_count++] = Socket;
}

bool FdSetContains(TSocket Socket, TFDSet& Set) {
  return gApi.WSAFDIsSet(Socket, reinterpret_cast<fd_set*>(&Set)) != 0;
}

int SinLength(const TVarSin& Address) {
  switch (Address.AddressFamily) {
    case AF_INET:
      return 16;
    case AF_INET6:
      return 28;
    default:
      return 0;
  }
}

int BindSin(TSocket Socket, const TVarSin& Address) {
  return gApi.bind(Socket, reinterpret_cast<const sockaddr*>(&Address), SinLength(Address));
}

int ConnectSin(TSocket Socket, const TVarSin& Address) {
  return gApi.connect(Socket, reinterpret_cast<const sockaddr*>(&Address), SinLength(Address));
}

int GetSockNameSin(TSocket Socket, TVarSin& Address) {
  std::memset(&Address, 0, sizeof Address);
  int length = sizeof Address;
  return gApi.getsockname(Socket, reinterpret_cast<sockaddr*>(&Address), &length);
}

int GetPeerNameSin(TSocket Socket, TVarSin& Address) {
  std::memset(&Address, 0, sizeof Address);
  int length = sizeof Address;
  return gApi.getpeername(Socket, reinterpret_cast<sockaddr*>(&Address), &length);
}

TSocket AcceptSin(TSocket Socket, TVarSin& Address) {
  int length = sizeof Address;
  return gApi.accept(Socket, reinterpret_cast<sockaddr*>(&Address), &length);
}

int SendToSin(TSocket Socket, const void* Buffer, int Length, int Flags, const TVarSin& Address) {
  return gApi.sendto(Socket, static_cast<const char*>(Buffer), Length, Flags,
                     reinterpret_cast<const sockaddr*>(&Address), SinLength(Address));
}

int RecvFromSin(TSocket Socket, void* Buffer, int Length, int Flags, TVarSin& Address) {
  int length = sizeof Address;
  return gApi.recvfrom(Socket, static_cast<char*>(Buffer), Length, Flags, reinterpret_cast<sockaddr*>(&Address),
                       &length);
}

AnsiString LocalHostName() {
  char buffer[255];
  std::memset(buffer, 0, sizeof buffer);
  gApi.gethostname(buffer, 254);
  buffer[254] = '\0';
  return buffer;
}
