# The socket layer. Loopback only: test_net runs in the shared test wine.
add_library(testunits_net STATIC net/NetTestUnits.cpp)
target_link_libraries(testunits_net PUBLIC net base)

vantrel_test(test_net SOURCES net/NetUtilTest.cpp net/IpTextTest.cpp net/SockApiTest.cpp net/UdpSocketTest.cpp net/Peers.cpp
  LIBS net ws2_32 UNITS testunits_net TIMEOUT 120)
