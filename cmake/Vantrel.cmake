# Project helpers shared by the folder CMakeLists.

# vantrel_library(name DEPS lib...): the static library of the calling
# folder, made of every .cpp in it. A folder that has no sources yet gives an
# interface library, so that its users can already link it.
function(vantrel_library name)
  cmake_parse_arguments(L "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${L_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${L_DEPS})
  endif()
endfunction()
