# The SMS windows: their rules, the windows in this process, and the road of
# an SMS end to end in a lab network.
vantrel_test(test_sms_logic SOURCES sms/SmsLogicTest.cpp LIBS app TIMEOUT 60)
vantrel_test(test_sms_base_controls SOURCES sms/SmsBaseControlsTest.cpp TIMEOUT 60)
# The windows without the main window: no phone link, so no lab needed.
vantrel_test(test_sms_windows SOURCES sms/SmsWindowsTest.cpp app/ToolsTestVersion.rc LIBS app
  UNITS testunits_phone TIMEOUT 120)
# Pictures of the windows, saved to <build>/screens/.
vantrel_test(test_sms_screens SOURCES sms/SmsScreensTest.cpp app/ToolsTestVersion.rc LIBS app testscreens
  UNITS testunits_phone TIMEOUT 120)

# The road of an SMS in a lab network: the windows in this process, the
# phone simulator in the phone namespace.
set(SMS_SIM_CMD "exec python3 ${CMAKE_SOURCE_DIR}/tools/phone/phone_sim.py --quiet --seconds 600")
vantrel_lab_test(test_sms_road SOURCES sms/SmsRoadTest.cpp app/ToolsTestVersion.rc LIBS app ws2_32
  UNITS testunits_lab PHONE "${SMS_SIM_CMD}")

# The real Vantrel.exe, watched from outside, across a restart.
vantrel_lab_test(test_sms_program SOURCES sms/SmsProgramTest.cpp support/LabProgram.cpp LIBS ws2_32
  PHONE "${SMS_SIM_CMD}" VANTREL)
