# The web update: its rules, its transfers against real servers on
# loopback (tools/update/test_servers.py), the control file and the runs,
# installation, the updater end to end, the wizard and its dialogs.
add_library(update_testsupport STATIC update/UpdateServers.cpp update/UpdateTestSupport.cpp
  ${CMAKE_SOURCE_DIR}/tools/update/ServerProcess.cpp)
target_link_libraries(update_testsupport PUBLIC update base ws2_32 crypt32)
target_compile_definitions(update_testsupport PRIVATE VANTREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
# Trusts the servers' test certificate authority in the prefix while a test
# executable runs.
add_executable(update_trust_ca update/fixtures/trust_ca.cpp)
target_link_options(update_trust_ca PRIVATE -municode)
target_link_libraries(update_trust_ca PRIVATE crypt32)
add_dependencies(update_testsupport update_trust_ca)

vantrel_test(test_update_transfer SOURCES update/TransferTest.cpp LIBS update_testsupport
  UNITS testunits_phone TIMEOUT 180)

# Fixtures made by the build, in <build>/tests/update_fixtures: cabinets, LZ
# files and a patch (make_fixtures.py), programs with version information,
# the tests' patcher, and an application that hands over to the updater in
# two versions.
set(UPDATE_FIXTURES ${CMAKE_BINARY_DIR}/tests/update_fixtures)
file(MAKE_DIRECTORY ${UPDATE_FIXTURES})
add_custom_command(OUTPUT ${UPDATE_FIXTURES}/files.cab
  COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/update/fixtures/make_fixtures.py ${UPDATE_FIXTURES}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/update/fixtures/make_fixtures.py ${CMAKE_SOURCE_DIR}/tools/update/cab.py
          ${CMAKE_SOURCE_DIR}/tools/update/szdd.py
  COMMENT "Making the update test files")
add_custom_target(update_fixture_files DEPENDS ${UPDATE_FIXTURES}/files.cab)

add_executable(update_patcher update/fixtures/patcher.cpp)
target_link_options(update_patcher PRIVATE -municode)
set_target_properties(update_patcher PROPERTIES OUTPUT_NAME patcher RUNTIME_OUTPUT_DIRECTORY ${UPDATE_FIXTURES})

# update_versioned(target name v1 v2 v3 v4 SOURCES...): a program NAME.exe in
# the fixtures folder whose version information is v1.v2.v3.v4.
function(update_versioned target name v1 v2 v3 v4)
  set(V1 ${v1})
  set(V2 ${v2})
  set(V3 ${v3})
  set(V4 ${v4})
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/update/fixtures/versioned.rc.in
    ${CMAKE_CURRENT_BINARY_DIR}/update_fixture_${target}.rc @ONLY)
  add_executable(${target} ${ARGN} ${CMAKE_CURRENT_BINARY_DIR}/update_fixture_${target}.rc)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${name} RUNTIME_OUTPUT_DIRECTORY ${UPDATE_FIXTURES})
endfunction()
update_versioned(update_versioned_12 versioned_1_2_0_0 1 2 0 0 update/fixtures/empty_main.c)
update_versioned(update_versioned_20 versioned_2_0_0_0 2 0 0 0 update/fixtures/empty_main.c)
update_versioned(update_handover_v1 handover_app_v1 1 0 0 0 update/fixtures/handover_app.cpp)
update_versioned(update_handover_v2 handover_app_v2 2 0 0 0 update/fixtures/handover_app.cpp)
foreach(v 1 2)
  target_compile_definitions(update_handover_v${v} PRIVATE HANDOVER_VERSION=L"${v}")
  target_link_options(update_handover_v${v} PRIVATE -municode)
  target_link_libraries(update_handover_v${v} PRIVATE update updater_res)
endforeach()
add_custom_target(update_fixtures DEPENDS update_fixture_files update_patcher update_versioned_12 update_versioned_20
  update_handover_v1 update_handover_v2 wusetup)
add_dependencies(update_testsupport update_fixtures)

vantrel_test(test_update_logic SOURCES update/LogicTest.cpp LIBS update_testsupport UNITS testunits_phone TIMEOUT 120)

# The runs: the test program carries the updater ("UPD") and the tests'
# patcher ("UTIL") as a program that uses the component does.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/update_util.rc "UTIL RCDATA \"${UPDATE_FIXTURES}/patcher.exe\"\n")
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/update_util.rc PROPERTIES OBJECT_DEPENDS ${UPDATE_FIXTURES}/patcher.exe)
vantrel_test(test_update_run SOURCES update/RunTest.cpp ${CMAKE_CURRENT_BINARY_DIR}/update_util.rc
  LIBS update_testsupport updater_res UNITS testunits_phone TIMEOUT 180)
add_dependencies(test_update_run update_patcher)

# The updater end to end: an application that hands over and is started
# again, and the updater's kinds of components.
vantrel_test(test_update_updater SOURCES update/UpdaterTest.cpp LIBS update_testsupport updaterlib
  UNITS testunits_phone TIMEOUT 240)

# The wizard and the dialogs; pictures of every wizard page go to
# <build>/screens/.
vantrel_test(test_update_wizard SOURCES update/WizardTest.cpp ${CMAKE_CURRENT_BINARY_DIR}/update_util.rc
  LIBS update_testsupport updater_res app UNITS testunits_phone TIMEOUT 240)

# The program's check at start with its windows, in a lab network of its
# own (the main window binds the lab's address); the update servers run on
# the desk side's loopback.
vantrel_lab_test(test_update_app SOURCES update/AppUpdateTest.cpp app/ToolsTestVersion.rc
  LIBS update_testsupport app ws2_32 UNITS testunits_lab TIMEOUT 300)
