# Character-set conversion and the iconv binding.
add_library(testunits_charsets STATIC charsets/CharsetsTestUnits.cpp)
target_link_libraries(testunits_charsets PUBLIC base net)

# A stand-in iconv library, kept in a folder of its own so that only the
# tests that ask for it (through SetDllDirectoryW) find it.
add_library(iconv_stub SHARED charsets/iconv_stub.c)
set_target_properties(iconv_stub PROPERTIES OUTPUT_NAME iconv PREFIX ""
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/iconvstub)

vantrel_test(test_charsets SOURCES charsets/CharsetsTest.cpp charsets/IconvBindTest.cpp
  LIBS net UNITS testunits_charsets TIMEOUT 120)
add_dependencies(test_charsets iconv_stub)
