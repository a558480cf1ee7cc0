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

# The main window and its dispatcher in this process, against the simulator.
add_executable(test_phone_window phone/MainWindowTest.cpp app/ToolsTestVersion.rc)
target_link_libraries(test_phone_window PRIVATE testmain testunits_lab app ws2_32)
add_test(NAME test_phone_window COMMAND ${CMAKE_SOURCE_DIR}/tools/lab/lab.sh run --phone "${PHONE_SIM_CMD}"
  -- $<TARGET_FILE:test_phone_window> --gtest_color=no)
set_tests_properties(test_phone_window PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE
  ENVIRONMENT "VANTREL_BUILD_DIR=${CMAKE_BINARY_DIR}")

# The real Vantrel.exe end to end, watched from outside.
add_executable(test_phone_link phone/LinkEndToEndTest.cpp support/LabProgram.cpp)
target_link_libraries(test_phone_link PRIVATE testmain testunits_base ws2_32)
add_dependencies(test_phone_link Vantrel)
add_test(NAME test_phone_link COMMAND ${CMAKE_SOURCE_DIR}/tools/lab/lab.sh run --phone "${PHONE_SIM_CMD}"
  -- $<TARGET_FILE:test_phone_link> --gtest_color=no --vantrel=$<TARGET_FILE:Vantrel>)
set_tests_properties(test_phone_link PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE
  ENVIRONMENT "VANTREL_BUILD_DIR=${CMAKE_BINARY_DIR}")
