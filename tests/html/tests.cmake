# The HTML-subset engine: helpers, markup text utilities, rendering into
# bitmaps, pictures and their container.
vantrel_test(test_html SOURCES html/HtmlHelpersTest.cpp html/HtmlTextTest.cpp html/HtmlRenderTest.cpp
  LIBS draw TIMEOUT 120)
