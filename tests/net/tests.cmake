# The socket layer. Loopback only: test_net runs in the shared test wine.
add_library(testunits_net STATIC net/NetTestUnits.cpp)
target_link_libraries(testunits_net PUBLIC net base)

vantrel_test(test_net SOURCES net/NetUtilTest.cpp net/IpTextTest.cpp net/SockApiTest.cpp net/UdpSocketTest.cpp net/BlockSocketTest.cpp net/SendRecvTest.cpp
  net/SocksTest.cpp net/TcpSocketTest.cpp net/Peers.cpp
  LIBS net ws2_32 UNITS testunits_net TIMEOUT 120)

# Broadcast, multicast and names that do not resolve: only inside a lab
# network of its own (tools/lab/lab.sh), with a wine instance of its own and
# the phone namespace answering datagrams on port 43000.
vantrel_lab_test(test_net_lab SOURCES net/LabTest.cpp net/Peers.cpp LIBS net ws2_32 UNITS testunits_net
  PHONE "python3 ${CMAKE_CURRENT_SOURCE_DIR}/net/udp_responder.py" TIMEOUT 300)
