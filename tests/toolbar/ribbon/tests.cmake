# The ribbon pager's parts: its scroll buttons and its bitmaps.
vantrel_test(test_ribbon_controls SOURCES toolbar/ribbon/PageScrollButtonTest.cpp toolbar/ribbon/RibbonBitmapsTest.cpp
  controls/buttons/ButtonTestSupport.cpp LIBS ribbon UNITS testunits_buttons TIMEOUT 120)
