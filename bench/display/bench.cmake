# What showing a 64 KiB datagram costs the window thread, for every kind of
# content, in the log, the in-box and the out-box.
vantrel_bench(display_bench SOURCES display/display_bench.cpp display/display_bench.rc LIBS app)
