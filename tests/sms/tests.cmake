# The SMS windows: their rules, the windows in this process, and the road of
# an SMS end to end in a lab network.
vantrel_test(test_sms_logic SOURCES sms/SmsLogicTest.cpp LIBS app TIMEOUT 60)
vantrel_test(test_sms_base_controls SOURCES sms/SmsBaseControlsTest.cpp TIMEOUT 60)
