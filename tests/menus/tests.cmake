add_library(testunits_menus STATIC menus/MenuTestUnits.cpp)
target_link_libraries(testunits_menus PUBLIC controls)

vantrel_test(test_menus_base SOURCES menus/BaseMenusTest.cpp menus/MenuDriver.cpp)
vantrel_test(test_menus SOURCES menus/StyledMenusTest.cpp menus/OfficeStylerTest.cpp menus/MenuDriver.cpp UNITS testunits_menus LIBS controls)
