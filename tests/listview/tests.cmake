vantrel_test(test_listview_base SOURCES listview/ListViewTest.cpp listview/RichEditTest.cpp
  listview/FormatSettingsTest.cpp listview/PrinterTest.cpp TIMEOUT 120)

# The automation server the exchange tests drive, registered by the tests
# under the spreadsheet's and the word processor's program ids.
add_library(vantrel_autoserver SHARED listview/AutoServer.cpp)
set_target_properties(vantrel_autoserver PROPERTIES PREFIX "" OUTPUT_NAME vantrel_autoserver
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
target_link_libraries(vantrel_autoserver PRIVATE ole32 oleaut32 uuid)
vantrel_test(test_listview_ole SOURCES listview/AutomationTest.cpp listview/AdvOleTest.cpp listview/AutoServerSupport.cpp
  LIBS controls UNITS testunits_draw TIMEOUT 120)
add_dependencies(test_listview_ole vantrel_autoserver)

# The advanced list view on forms, painted into bitmaps and driven by
# messages; its files, exports and printing.
vantrel_test(test_advlistview SOURCES listview/AdvCellsTest.cpp listview/AdvHeaderTest.cpp listview/AdvDrawTest.cpp
  listview/AdvInputTest.cpp listview/AdvSortTest.cpp LIBS controls UNITS testunits_draw TIMEOUT 180)
vantrel_test(test_advlistview_files SOURCES listview/AdvFilesTest.cpp listview/AdvPrintTest.cpp
  LIBS controls UNITS testunits_draw TIMEOUT 120)
