add_library(testunits_draw STATIC draw/DrawTestUnits.cpp)
target_link_libraries(testunits_draw PUBLIC tbruntime draw)

vantrel_test(test_draw_base SOURCES draw/ImageListTest.cpp draw/GraphicStreamsTest.cpp)
vantrel_test(test_gdiplus SOURCES draw/GdiPlusTest.cpp draw/TextDrawTest.cpp draw/DrawTestSupport.cpp
  UNITS testunits_draw)
vantrel_test(test_pictures SOURCES draw/PictureTest.cpp draw/PictureHeaderTest.cpp draw/PictureTest.rc draw/DrawTestSupport.cpp UNITS testunits_draw)
vantrel_test(test_draw_styles SOURCES draw/ColourStyleTest.cpp draw/OfficeThemeTest.cpp
  UNITS testunits_draw)

# The committed forwarders must match their generator's table.
add_test(NAME gdiplus_forwarders_current COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/gen_gdiplus.py --check)
