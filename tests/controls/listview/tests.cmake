vantrel_test(test_listview_base SOURCES controls/listview/ListViewTest.cpp controls/listview/RichEditTest.cpp
  controls/listview/FormatSettingsTest.cpp controls/listview/PrinterTest.cpp TIMEOUT 120)

# The automation server the exchange tests drive, registered by the tests
# under the spreadsheet's and the word processor's program ids.
add_library(vantrel_autoserver SHARED controls/listview/AutoServer.cpp)
set_target_properties(vantrel_autoserver PROPERTIES PREFIX "" OUTPUT_NAME vantrel_autoserver
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
target_link_libraries(vantrel_autoserver PRIVATE ole32 oleaut32 uuid)
vantrel_test(test_listview_ole SOURCES controls/listview/AutomationTest.cpp controls/listview/AdvOleTest.cpp controls/listview/AutoServerSupport.cpp
  LIBS listview UNITS testunits_draw TIMEOUT 120)
add_dependencies(test_listview_ole vantrel_autoserver)

# The advanced list view on forms, painted into bitmaps and driven by
# messages; its files, exports and printing.
vantrel_test(test_advlistview SOURCES controls/listview/AdvCellsTest.cpp controls/listview/AdvHeaderTest.cpp controls/listview/AdvDrawTest.cpp
  controls/listview/AdvInputTest.cpp controls/listview/AdvSortTest.cpp LIBS listview UNITS testunits_draw TIMEOUT 180)
vantrel_test(test_advlistview_files SOURCES controls/listview/AdvFilesTest.cpp controls/listview/AdvPrintTest.cpp
  LIBS listview UNITS testunits_draw TIMEOUT 120)
