# The toolbar stylers: appearance classes, the styler base and its
# broadcast, the Office styler, its built-in styles and the theme file.
add_library(testunits_stylers STATIC toolbar/stylers/StylersTestUnits.cpp)
target_link_libraries(testunits_stylers PUBLIC stylers)

vantrel_test(test_toolbar_stylers SOURCES toolbar/stylers/AppearancesTest.cpp toolbar/stylers/StylerTest.cpp
  toolbar/stylers/OfficeStylerTest.cpp toolbar/stylers/ThemeFileTest.cpp toolbar/stylers/StylerDoubles.cpp
  UNITS testunits_stylers LIBS stylers)

# The built-in styles' table is what its generator writes.
add_test(NAME toolbar_styles_current COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/gen_toolbar_styles.py --check)

# The theme file is outside input: seeded mutations of saved files load
# whole or are refused without a change.
vantrel_test(test_fuzz_theme_file SOURCES toolbar/stylers/ThemeFileFuzzTest.cpp UNITS testunits_stylers LIBS stylers)
