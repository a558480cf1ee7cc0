vantrel_test(test_tools SOURCES base/RegistryTest.cpp base/IniFilesTest.cpp base/ClipboardTest.cpp
  app/OvToolsTest.cpp app/ToolsTestVersion.rc LIBS app TIMEOUT 60)
# The program's windows start the phone link (a UDP service on the first
# address with a gateway, and a broadcast), so these run in a lab network of
# their own too, with the program's units.
add_executable(test_app app/SettingsStoreTest.cpp app/ProgramFormsTest.cpp app/SingleInstanceTest.cpp
  app/ToolsTestVersion.rc)
target_link_libraries(test_app PRIVATE testmain testunits_lab app)
add_test(NAME test_app COMMAND ${CMAKE_SOURCE_DIR}/tools/lab/lab.sh run -- $<TARGET_FILE:test_app> --gtest_color=no)
set_tests_properties(test_app PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE
  ENVIRONMENT "VANTREL_BUILD_DIR=${CMAKE_BINARY_DIR}")

# Starts the real Vantrel.exe, so it runs in a lab network of its own, with a
# wine instance of its own (tools/lab/lab.sh), apart from the other tests.
add_executable(test_startup app/StartupTest.cpp support/LabProgram.cpp)
target_link_libraries(test_startup PRIVATE testmain testunits_base)
add_dependencies(test_startup Vantrel)
add_test(NAME test_startup COMMAND ${CMAKE_SOURCE_DIR}/tools/lab/lab.sh run --
  $<TARGET_FILE:test_startup> --gtest_color=no --vantrel=$<TARGET_FILE:Vantrel>)
set_tests_properties(test_startup PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE
  ENVIRONMENT "VANTREL_BUILD_DIR=${CMAKE_BINARY_DIR}")
