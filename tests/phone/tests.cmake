vantrel_test(test_phone_protocol SOURCES phone/PhoneProtocolTest.cpp LIBS app TIMEOUT 60)
vantrel_test(test_tray SOURCES phone/TrayIconTest.cpp TIMEOUT 60)

# The link end to end: the real Vantrel.exe and the phone simulator, each in
# its namespace of a lab network of their own (tools/lab/lab.sh).
add_executable(test_phone_link phone/LinkEndToEndTest.cpp)
target_link_libraries(test_phone_link PRIVATE testmain testunits_base ws2_32)
add_dependencies(test_phone_link Vantrel)
add_test(NAME test_phone_link COMMAND ${CMAKE_SOURCE_DIR}/tools/lab/lab.sh run
  --phone "exec python3 ${CMAKE_SOURCE_DIR}/tools/phone/phone_sim.py --seconds 600"
  -- $<TARGET_FILE:test_phone_link> --gtest_color=no --vantrel=$<TARGET_FILE:Vantrel>)
set_tests_properties(test_phone_link PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE
  ENVIRONMENT "VANTREL_BUILD_DIR=${CMAKE_BINARY_DIR}")
