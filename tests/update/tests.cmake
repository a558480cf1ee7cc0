# The web update: its rules, its transfers against real servers on
# loopback (tools/update/test_servers.py), the control file and the runs,
# installation, the updater end to end, the wizard and its dialogs.
add_library(update_testsupport STATIC update/UpdateServers.cpp update/UpdateTestSupport.cpp)
target_link_libraries(update_testsupport PUBLIC update base ws2_32 crypt32)
target_compile_definitions(update_testsupport PRIVATE VANTREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
# Trusts the servers' test certificate authority in the prefix while a test
# executable runs.
add_executable(update_trust_ca update/fixtures/trust_ca.cpp)
target_link_options(update_trust_ca PRIVATE -municode)
target_link_libraries(update_trust_ca PRIVATE crypt32)
add_dependencies(update_testsupport update_trust_ca)

vantrel_test(test_update_transfer SOURCES update/TransferTest.cpp LIBS update_testsupport
  UNITS testunits_phone TIMEOUT 180)
