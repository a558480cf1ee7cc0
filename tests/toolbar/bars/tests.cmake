# The toolbar library's painting helpers, button faces and caption glyphs.
vantrel_test(test_toolbar_paint SOURCES toolbar/bars/ToolBarPaintTest.cpp toolbar/bars/ButtonFacesTest.cpp
  toolbar/bars/PaintTestSupport.cpp draw/DrawTestSupport.cpp LIBS bars UNITS testunits_draw TIMEOUT 120)
