add_library(testunits_menus STATIC menus/MenuTestUnits.cpp)
target_link_libraries(testunits_menus PUBLIC controls)

vantrel_test(test_menus_base SOURCES menus/BaseMenusTest.cpp menus/MenuDriver.cpp)
vantrel_test(test_menus SOURCES menus/StyledMenusTest.cpp menus/OfficeStylerTest.cpp menus/MenuSurfaceTest.cpp menus/MenuStylerTest.cpp menus/MeasurePaintTest.cpp menus/MenuFrameTest.cpp menus/MenuDriver.cpp UNITS testunits_menus LIBS controls)

# The menu animation read from other processes: a program with the menu
# units, a probe, and the test that runs both (base units only itself).
add_executable(AnimationHost menus/AnimationHost.cpp)
target_link_libraries(AnimationHost PRIVATE controls)
add_executable(AnimationProbe menus/AnimationProbe.cpp)
vantrel_test(test_menu_animation SOURCES menus/MenuAnimationTest.cpp)
add_dependencies(test_menu_animation AnimationHost AnimationProbe)

# The program's tray menu, opened and saved as a picture; in a lab network of
# its own, since the main window starts its UDP service.
vantrel_lab_test(test_tray_menu SOURCES menus/TrayMenuShotTest.cpp menus/MenuDriver.cpp app/ToolsTestVersion.rc
  LIBS app ws2_32 UNITS testunits_phone TIMEOUT 300)
