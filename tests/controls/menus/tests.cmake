add_library(testunits_menus STATIC controls/menus/MenuTestUnits.cpp)
target_link_libraries(testunits_menus PUBLIC menus)

vantrel_test(test_menus_base SOURCES controls/menus/BaseMenusTest.cpp controls/menus/MenuDriver.cpp)
vantrel_test(test_menus SOURCES controls/menus/StyledMenusTest.cpp controls/menus/OfficeStylerTest.cpp controls/menus/MenuSurfaceTest.cpp controls/menus/MenuStylerTest.cpp controls/menus/MeasurePaintTest.cpp controls/menus/MenuFrameTest.cpp controls/menus/MenuDriver.cpp UNITS testunits_menus LIBS menus)

# The menu animation read from other processes: a program with the menu
# units, a probe, and the test that runs both (base units only itself).
add_executable(AnimationHost controls/menus/AnimationHost.cpp)
target_link_libraries(AnimationHost PRIVATE menus)
add_executable(AnimationProbe controls/menus/AnimationProbe.cpp)
vantrel_test(test_menu_animation SOURCES controls/menus/MenuAnimationTest.cpp)
add_dependencies(test_menu_animation AnimationHost AnimationProbe)

# The program's tray menu, opened and saved as a picture; in a lab network of
# its own, since the main window starts its UDP service.
vantrel_lab_test(test_tray_menu SOURCES controls/menus/TrayMenuShotTest.cpp controls/menus/MenuDriver.cpp app/ToolsTestVersion.rc
  LIBS app ws2_32 UNITS testunits_phone TIMEOUT 300)
