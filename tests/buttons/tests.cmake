# Buttons and labels: the base pieces they rest on (data access, hints,
# shell and dialog seams), the glow button's drawing, the glow, data-aware
# and glass buttons, the HTML and reflection labels.
add_library(testunits_buttons STATIC buttons/ButtonsTestUnits.cpp)
target_link_libraries(testunits_buttons PUBLIC controls)

vantrel_test(test_buttons_base SOURCES buttons/DataAccessTest.cpp buttons/HintsTest.cpp buttons/SeamsTest.cpp
  TIMEOUT 120)
vantrel_test(test_glow_draw SOURCES buttons/GlowDrawTest.cpp buttons/GlowFaceTest.cpp buttons/ButtonTestSupport.cpp
  draw/DrawTestSupport.cpp LIBS controls UNITS testunits_buttons TIMEOUT 120)
vantrel_test(test_glow_button SOURCES buttons/GlowButtonTest.cpp buttons/ButtonTestSupport.cpp
  draw/DrawTestSupport.cpp menus/MenuDriver.cpp LIBS controls UNITS testunits_buttons TIMEOUT 120)
vantrel_test(test_glass_button SOURCES buttons/GlassButtonTest.cpp buttons/ButtonTestSupport.cpp
  draw/DrawTestSupport.cpp LIBS controls UNITS testunits_buttons TIMEOUT 120)
vantrel_test(test_labels SOURCES buttons/LabelsTest.cpp buttons/ButtonTestSupport.cpp LIBS controls
  UNITS testunits_buttons TIMEOUT 120)
vantrel_test(test_db_glow_button SOURCES buttons/DBGlowButtonTest.cpp buttons/ButtonTestSupport.cpp LIBS controls
  UNITS testunits_buttons TIMEOUT 120)
