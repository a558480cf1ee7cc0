#include "tests/net/Peers.h"

#include <gtest/gtest.h>

#include "net/sockapi.h"

namespace {

// Runs a test on the old resolver: the getaddrinfo family switched off
// for the process's binding until the end of the scope.
struct OldResolver {
  bool native = SocketApi().NativeAddrInfo;
  bool fallback = SocketApi().FallbackAddrInfo;
  OldResolver() {
    SocketApi().NativeAddrInfo = false;
    SocketApi().FallbackAddrInfo = false;
  }
  ~OldResolver() {
    SocketApi().NativeAddrInfo = native;
    SocketApi().FallbackAddrInfo = fallback;
  }
};

std::string Ip4(const TVarSin& sin) {
  return std::to_string(sin.sin_addr.Bytes[0]) + "." + std::to_string(sin.sin_addr.Bytes[1]) + "." +
         std::to_string(sin.sin_addr.Bytes[2]) + "." + std::to_string(sin.sin_addr.Bytes[3]);
}

}  // namespace

TEST(SockApi, TheProcessBindingIsLoadedOnceAndCounted) {
  TWinsockBinding& api = SocketApi();
  ASSERT_GE(api.UseCount, 1);
  EXPECT_TRUE(api.NativeAddrInfo);
  EXPECT_EQ(SocketStartupData().wVersion, 0x0202);
  HMODULE library = api.MainLibrary;
  int count = api.UseCount;
  EXPECT_TRUE(LoadSocketLibrary());
  EXPECT_EQ(api.UseCount, count + 1);
  EXPECT_EQ(api.MainLibrary, library);
  EXPECT_TRUE(UnloadSocketLibrary());
  EXPECT_EQ(api.UseCount, count);
  ASSERT_NE(api.htons, nullptr);
  EXPECT_EQ(api.htons(0x1234), 0x3412);
}

TEST(SockApi, ABindingLooksForTheResolverInTheFallbackLibrary) {
  // kernel32 has none of the resolver functions.
  TWinsockBinding noFallback;
  ASSERT_TRUE(noFallback.Load(L"kernel32.dll", L"no-such-library-here.dll"));
  EXPECT_FALSE(noFallback.NativeAddrInfo);
  EXPECT_FALSE(noFallback.FallbackAddrInfo);
  EXPECT_EQ(noFallback.getaddrinfo, nullptr);
  EXPECT_EQ(noFallback.FallbackLibrary, nullptr);
  noFallback.Unload();

  TWinsockBinding viaFallback;
  ASSERT_TRUE(viaFallback.Load(L"kernel32.dll", L"ws2_32.dll"));
  EXPECT_FALSE(viaFallback.NativeAddrInfo);
  EXPECT_TRUE(viaFallback.FallbackAddrInfo);
  EXPECT_NE(viaFallback.getaddrinfo, nullptr);
  EXPECT_NE(viaFallback.FallbackLibrary, nullptr);
  // Two loads need two unloads before the libraries go.
  EXPECT_TRUE(viaFallback.Load(L"kernel32.dll", L"ws2_32.dll"));
  viaFallback.Unload();
  EXPECT_NE(viaFallback.MainLibrary, nullptr);
  viaFallback.Unload();
  EXPECT_EQ(viaFallback.MainLibrary, nullptr);
  EXPECT_EQ(viaFallback.getaddrinfo, nullptr);
  EXPECT_EQ(viaFallback.UseCount, 0);

  TWinsockBinding missing;
  EXPECT_FALSE(missing.Load(L"no-such-socket-library.dll"));
  EXPECT_EQ(missing.UseCount, 0);
}

TEST(SockApi, ResolveSockAddrNumericAndWildcardHosts) {
  struct {
    const char *host, *port;
    int family;
    int wantFamily, wantPort;
    const char* text;
  } cases[] = {
      {"0.0.0.0", "43011", AF_INET, AF_INET, 43011, "0.0.0.0"},
      {"127.0.0.1", "80", AF_INET, AF_INET, 80, "127.0.0.1"},
      {"::1", "43000", AF_INET6, AF_INET6, 43000, "::1"},
      {"::0", "7", AF_INET6, AF_INET6, 7, "::"},
      {"10.1.2.3", "5", AF_UNSPEC, AF_INET, 5, "10.1.2.3"},
      {"localhost", "9", AF_UNSPEC, AF_INET, 9, "127.0.0.1"},  // IPv4 first
      {"127.0.0.1", "http", AF_INET, AF_INET, 80, "127.0.0.1"},
  };
  for (auto& c : cases) {
    TVarSin sin;
    EXPECT_EQ(ResolveSockAddr(sin, c.host, c.port, true, SOCK_STREAM, IPPROTO_TCP, c.family), 0) << c.host;
    EXPECT_EQ(sin.AddressFamily, c.wantFamily) << c.host;
    EXPECT_EQ(SinPortNumber(sin), c.wantPort) << c.host;
    EXPECT_EQ(SinAddressText(sin), c.text) << c.host;
    EXPECT_EQ(SinLength(sin), c.wantFamily == AF_INET ? 16 : 28);
  }
}

TEST(SockApi, ServicePorts) {
  EXPECT_EQ(ResolveServicePort("http", AF_UNSPEC, IPPROTO_TCP, SOCK_STREAM), 80);
  EXPECT_EQ(ResolveServicePort("8080", AF_UNSPEC, IPPROTO_TCP, SOCK_STREAM), 8080);
  EXPECT_EQ(ResolveServicePort("no-such-service-name", AF_UNSPEC, IPPROTO_TCP, SOCK_STREAM), 0);
  OldResolver old;
  EXPECT_EQ(ResolveServicePort("http", AF_UNSPEC, IPPROTO_TCP, SOCK_STREAM), 80);
  EXPECT_EQ(ResolveServicePort("8080", AF_UNSPEC, IPPROTO_TCP, SOCK_STREAM), 8080);
  EXPECT_EQ(ResolveServicePort("no-such-service-name", AF_UNSPEC, IPPROTO_TCP, SOCK_STREAM), 0);
}

TEST(SockApi, OldResolverForNumericHostsAndServices) {
  OldResolver old;
  ASSERT_FALSE(UsesAddrInfoApi(AF_UNSPEC));
  TVarSin sin;
  EXPECT_EQ(ResolveSockAddr(sin, "127.0.0.1", "43011", true, SOCK_DGRAM, IPPROTO_UDP, AF_UNSPEC), 0);
  EXPECT_EQ(sin.AddressFamily, AF_INET);
  EXPECT_EQ(Ip4(sin), "127.0.0.1");
  EXPECT_EQ(SinPortNumber(sin), 43011);
  EXPECT_EQ(SinAddressText(sin), "127.0.0.1");
  EXPECT_EQ(ResolveSockAddr(sin, "255.255.255.255", "http", true, SOCK_STREAM, IPPROTO_TCP, AF_UNSPEC), 0);
  EXPECT_EQ(Ip4(sin), "255.255.255.255");
  EXPECT_EQ(SinPortNumber(sin), 80);
  EXPECT_EQ(ResolveSockAddr(sin, "10.0.0.1", "no-such-service-name", true, SOCK_STREAM, IPPROTO_TCP, AF_UNSPEC), 0);
  EXPECT_EQ(SinPortNumber(sin), 0);
  std::vector<AnsiString> list;
  ResolveNameToList("10.9.8.7", AF_UNSPEC, IPPROTO_UDP, SOCK_DGRAM, list);
  EXPECT_EQ(list, std::vector<AnsiString>{"10.9.8.7"});
}

TEST(SockApi, NameLists) {
  std::vector<AnsiString> list;
  ResolveNameToList("127.0.0.1", AF_UNSPEC, IPPROTO_TCP, SOCK_STREAM, list);
  EXPECT_EQ(list, std::vector<AnsiString>{"127.0.0.1"});
  ResolveNameToList("localhost", AF_INET, IPPROTO_TCP, SOCK_STREAM, list);
  ASSERT_FALSE(list.empty());
  for (auto& a : list) EXPECT_EQ(a.find(':'), AnsiString::npos) << a;  // IPv4 texts only
  ResolveNameToList("::1", AF_INET, IPPROTO_TCP, SOCK_STREAM, list);
  EXPECT_EQ(list, std::vector<AnsiString>{"0.0.0.0"});  // nothing of the family
  EXPECT_EQ(ResolveAddressToName("127.0.0.1", AF_UNSPEC, IPPROTO_TCP, SOCK_STREAM), "localhost");
  EXPECT_FALSE(LocalHostName().empty());
}

TEST(SockApi, DescriptorSets) {
  TFDSet set;
  FdSetClear(set);
  EXPECT_EQ(set.fd_count, 0u);
  for (int i = 0; i < 70; ++i) FdSetAdd(static_cast<TSocket>(1000 + i), set);
  EXPECT_EQ(set.fd_count, 64u);
  EXPECT_EQ(set.fd_array[63], static_cast<TSocket>(1063));
  EXPECT_TRUE(FdSetContains(static_cast<TSocket>(1010), set));
  EXPECT_FALSE(FdSetContains(static_cast<TSocket>(1064), set));
  EXPECT_EQ(sizeof(TFDSet), sizeof(fd_set));
  TVarSin none{};
  EXPECT_EQ(SinLength(none), 0);
}

TEST(SockApi, AddressWrappersBindAcceptAndExchange) {
  TWinsockBinding& api = SocketApi();
  TVarSin address;
  ASSERT_EQ(ResolveSockAddr(address, "127.0.0.1", "0", true, SOCK_DGRAM, IPPROTO_UDP, AF_INET), 0);
  TSocket a = api.socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  ASSERT_EQ(BindSin(a, address), 0);
  TVarSin local;
  ASSERT_EQ(GetSockNameSin(a, local), 0);
  EXPECT_NE(SinPortNumber(local), 0);
  RawSocket peer = UdpOn("127.0.0.1");
  EXPECT_EQ(SendToSin(a, "hi", 2, 0, [&] {
              TVarSin to;
              ResolveSockAddr(to, "127.0.0.1", std::to_string(peer.Port()), true, SOCK_DGRAM, IPPROTO_UDP, AF_INET);
              return to;
            }()),
            2);
  EXPECT_EQ(RecvDatagram(peer, 2000), "hi");
  ASSERT_TRUE(SendDatagram(peer, "yo", "127.0.0.1", SinPortNumber(local)));
  char buffer[8];
  TVarSin from;
  EXPECT_EQ(RecvFromSin(a, buffer, sizeof buffer, 0, from), 2);
  EXPECT_EQ(SinPortNumber(from), peer.Port());
  api.closesocket(a);
}
