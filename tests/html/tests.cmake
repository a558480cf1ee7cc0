# The HTML-subset engine: helpers, markup text utilities, rendering into
# bitmaps, pictures and their container. GDI+ runs for the pictures.
vantrel_test(test_html SOURCES html/HtmlHelpersTest.cpp html/HtmlTextTest.cpp html/HtmlRenderTest.cpp
  html/HtmlPictureTest.cpp html/HtmlTestData.cpp html/HtmlTestPictures.rc
  LIBS draw UNITS testunits_draw TIMEOUT 120)
