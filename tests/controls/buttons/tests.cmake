# Buttons: the base pieces they rest on (data access, hints, shell and dialog
# seams), the glow button's drawing, the glow, data-aware and glass buttons.
# The start-up table is the program's (menus included), shared with the
# labels' tests.
add_library(testunits_buttons STATIC controls/buttons/ButtonsTestUnits.cpp)
target_link_libraries(testunits_buttons PUBLIC buttons menus)

vantrel_test(test_buttons_base SOURCES controls/buttons/DataAccessTest.cpp controls/buttons/HintsTest.cpp
  controls/buttons/SeamsTest.cpp TIMEOUT 120)
vantrel_test(test_glow_draw SOURCES controls/buttons/GlowDrawTest.cpp controls/buttons/GlowFaceTest.cpp
  controls/buttons/ButtonTestSupport.cpp draw/DrawTestSupport.cpp LIBS buttons UNITS testunits_buttons TIMEOUT 120)
vantrel_test(test_glow_button SOURCES controls/buttons/GlowButtonTest.cpp controls/buttons/ButtonTestSupport.cpp
  draw/DrawTestSupport.cpp controls/menus/MenuDriver.cpp LIBS buttons UNITS testunits_buttons TIMEOUT 120)
vantrel_test(test_glass_button SOURCES controls/buttons/GlassButtonTest.cpp controls/buttons/ButtonTestSupport.cpp
  draw/DrawTestSupport.cpp LIBS buttons UNITS testunits_buttons TIMEOUT 120)
vantrel_test(test_db_glow_button SOURCES controls/buttons/DBGlowButtonTest.cpp controls/buttons/ButtonTestSupport.cpp
  LIBS buttons UNITS testunits_buttons TIMEOUT 120)
vantrel_test(test_button_group SOURCES controls/buttons/ButtonGroupTest.cpp controls/buttons/ButtonTestSupport.cpp
  LIBS buttons UNITS testunits_buttons TIMEOUT 120)
