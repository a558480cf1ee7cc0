vantrel_test(test_tools SOURCES base/RegistryTest.cpp base/IniFilesTest.cpp base/ClipboardTest.cpp
  app/OvToolsTest.cpp app/ToolsTestVersion.rc LIBS app TIMEOUT 60)
# The program's windows start the phone link (a UDP service on the first
# address with a gateway, and a broadcast), so these run in a lab network of
# their own too, with the program's units.
vantrel_lab_test(test_app SOURCES app/SettingsStoreTest.cpp app/ProgramFormsTest.cpp app/SingleInstanceTest.cpp
  app/ToolsTestVersion.rc LIBS app UNITS testunits_lab)

# Starts the real Vantrel.exe, so it runs in a lab network of its own, with a
# wine instance of its own (tools/lab/lab.sh), apart from the other tests.
vantrel_lab_test(test_startup SOURCES app/StartupTest.cpp support/LabProgram.cpp VANTREL)
