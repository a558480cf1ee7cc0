# The program's units without the single-instance guard.
add_library(testunits_phone STATIC phone/PhoneTestUnits.cpp)
target_link_libraries(testunits_phone PUBLIC app)
# The same for tests that create the main window: they refuse to start
# outside a lab network.
add_library(testunits_lab STATIC phone/LabTestUnits.cpp)
target_link_libraries(testunits_lab PUBLIC app)

vantrel_test(test_phone_protocol SOURCES phone/PhoneProtocolTest.cpp LIBS app TIMEOUT 60)
vantrel_test(test_tray SOURCES phone/TrayIconTest.cpp TIMEOUT 60)
# Loopback only: runs in the tests' own wine.
vantrel_test(test_udp_service SOURCES phone/UdpServiceTest.cpp LIBS app ws2_32 UNITS testunits_phone TIMEOUT 120)

# Tests that start the link for real run in a lab network of their own
# (tools/lab/lab.sh): the desktop side in one namespace, the phone simulator
# in the other.
set(PHONE_SIM_CMD "exec python3 ${CMAKE_SOURCE_DIR}/tools/phone/phone_sim.py --seconds 600")

# The main window and its dispatcher in this process, against the simulator;
# once more with the fonts of a plain wine installation, where received text
# meets other fonts.
vantrel_lab_test(test_phone_window SOURCES phone/MainWindowTest.cpp app/ToolsTestVersion.rc LIBS app ws2_32
  UNITS testunits_lab PHONE "${PHONE_SIM_CMD}" PLAIN_FONTS)

# The real Vantrel.exe end to end, watched from outside.
vantrel_lab_test(test_phone_link SOURCES phone/LinkEndToEndTest.cpp support/LabProgram.cpp LIBS ws2_32
  PHONE "${PHONE_SIM_CMD}" VANTREL)
