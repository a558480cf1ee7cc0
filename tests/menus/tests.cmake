vantrel_test(test_menus_base SOURCES menus/BaseMenusTest.cpp menus/MenuDriver.cpp)
