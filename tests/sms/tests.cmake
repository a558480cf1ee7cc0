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
