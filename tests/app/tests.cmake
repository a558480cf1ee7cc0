vantrel_test(test_tools SOURCES base/RegistryTest.cpp base/IniFilesTest.cpp base/ClipboardTest.cpp
  app/OvToolsTest.cpp app/ToolsTestVersion.rc LIBS app TIMEOUT 60)
# The program's windows start the phone link (a UDP service on the first
# address with a gateway, and a broadcast), so these run in a lab network of
# their own too, with the program's units.
# They carry the program's icon, which the main window shows.
set(APP_TEST_ICON ${CMAKE_CURRENT_BINARY_DIR}/app_test_icon.ico)
add_custom_command(OUTPUT ${APP_TEST_ICON}
  COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/make_icon.py ${APP_TEST_ICON}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_icon.py
  COMMENT "Drawing the program icon for the window tests")
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/app_test_icon.rc CONTENT "MAINICON ICON \"${APP_TEST_ICON}\"\n")
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/app_test_icon.rc PROPERTIES OBJECT_DEPENDS ${APP_TEST_ICON})
vantrel_lab_test(test_app SOURCES app/SettingsStoreTest.cpp app/ProgramFormsTest.cpp app/SingleInstanceTest.cpp
  app/ToolsTestVersion.rc ${CMAKE_CURRENT_BINARY_DIR}/app_test_icon.rc LIBS app UNITS testunits_lab)

# Starts the real Vantrel.exe, so it runs in a lab network of its own, with a
# wine instance of its own (tools/lab/lab.sh), apart from the other tests.
vantrel_lab_test(test_startup SOURCES app/StartupTest.cpp support/LabProgram.cpp VANTREL)
