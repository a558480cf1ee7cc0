# The toolbar library's runtime: DPI state, registered messages, colour
# conversion, the guarded list and the layout location settings.
vantrel_test(test_toolbar_runtime SOURCES toolbar/runtime/ToolBarRuntimeTest.cpp UNITS testunits_draw)
