# The socket layer beside plain Winsock, over loopback.
vantrel_bench(net_tcp_bench SOURCES net/tcp_bench.cpp LIBS net ws2_32)
vantrel_bench(net_udp_bench SOURCES net/udp_bench.cpp LIBS net ws2_32)
