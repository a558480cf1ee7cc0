vantrel_test(test_listview_base SOURCES listview/ListViewTest.cpp listview/RichEditTest.cpp
  listview/FormatSettingsTest.cpp TIMEOUT 120)
