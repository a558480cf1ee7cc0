# The SMS windows: their rules, the windows in this process, and the road of
# an SMS end to end in a lab network.
vantrel_test(test_sms_logic SOURCES sms/SmsLogicTest.cpp LIBS app TIMEOUT 60)
vantrel_test(test_sms_base_controls SOURCES sms/SmsBaseControlsTest.cpp TIMEOUT 60)
# The windows without the main window: no phone link, so no lab needed.
vantrel_test(test_sms_windows SOURCES sms/SmsWindowsTest.cpp app/ToolsTestVersion.rc LIBS app
  UNITS testunits_phone TIMEOUT 120)
# Pictures of the windows, saved to <build>/screens/.
vantrel_test(test_sms_screens SOURCES sms/SmsScreensTest.cpp app/ToolsTestVersion.rc LIBS app
  UNITS testunits_phone TIMEOUT 120)

# The road of an SMS in a lab network: the windows in this process, the
# phone simulator in the phone namespace.
set(SMS_SIM_CMD "exec python3 ${CMAKE_SOURCE_DIR}/tools/phone/phone_sim.py --quiet --seconds 600")
add_executable(test_sms_road sms/SmsRoadTest.cpp app/ToolsTestVersion.rc)
target_link_libraries(test_sms_road PRIVATE testmain testunits_lab app ws2_32)
add_test(NAME test_sms_road COMMAND ${CMAKE_SOURCE_DIR}/tools/lab/lab.sh run --phone "${SMS_SIM_CMD}"
  -- $<TARGET_FILE:test_sms_road> --gtest_color=no)
set_tests_properties(test_sms_road PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE
  ENVIRONMENT "VANTREL_BUILD_DIR=${CMAKE_BINARY_DIR}")

# The real Vantrel.exe, watched from outside, across a restart.
add_executable(test_sms_program sms/SmsProgramTest.cpp support/LabProgram.cpp)
target_link_libraries(test_sms_program PRIVATE testmain testunits_base ws2_32)
add_dependencies(test_sms_program Vantrel)
add_test(NAME test_sms_program COMMAND ${CMAKE_SOURCE_DIR}/tools/lab/lab.sh run --phone "${SMS_SIM_CMD}"
  -- $<TARGET_FILE:test_sms_program> --gtest_color=no --vantrel=$<TARGET_FILE:Vantrel>)
set_tests_properties(test_sms_program PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE
  ENVIRONMENT "VANTREL_BUILD_DIR=${CMAKE_BINARY_DIR}")
