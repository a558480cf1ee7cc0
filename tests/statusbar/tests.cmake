# The status bar: panels, stylers, painting, gauge, timer, mouse, links and
# hints.
add_library(testunits_statusbar STATIC statusbar/StatusBarTestUnits.cpp)
target_link_libraries(testunits_statusbar PUBLIC controls)

vantrel_test(test_statusbar SOURCES statusbar/StylerTest.cpp statusbar/PanelsTest.cpp statusbar/LayoutTest.cpp
  statusbar/PaintTest.cpp statusbar/TimerMouseTest.cpp statusbar/LinksHintsTest.cpp statusbar/StatusBarFixture.cpp
  UNITS testunits_statusbar LIBS controls)
