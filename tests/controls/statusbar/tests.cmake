# The status bar: panels, stylers, painting, gauge, timer, mouse, links and
# hints.
add_library(testunits_statusbar STATIC controls/statusbar/StatusBarTestUnits.cpp)
target_link_libraries(testunits_statusbar PUBLIC statusbar)

vantrel_test(test_statusbar SOURCES controls/statusbar/StylerTest.cpp controls/statusbar/PanelsTest.cpp controls/statusbar/LayoutTest.cpp
  controls/statusbar/PaintTest.cpp controls/statusbar/TimerMouseTest.cpp controls/statusbar/LinksHintsTest.cpp controls/statusbar/StatusBarFixture.cpp
  UNITS testunits_statusbar LIBS statusbar)
