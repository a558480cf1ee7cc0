# The update's download of a 64 MiB file from the local HTTP server through
# URLGetFile, beside a plain WinINet read loop of the same file.
vantrel_bench(update_download_bench SOURCES update/download_bench.cpp ${CMAKE_SOURCE_DIR}/tools/update/ServerProcess.cpp
  LIBS update ws2_32)
target_compile_definitions(update_download_bench PRIVATE VANTREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_options(update_download_bench PRIVATE -municode)
