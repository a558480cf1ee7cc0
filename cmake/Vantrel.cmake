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

# vantrel_delay_import(NAME): the target delay_NAME, an import library of
# the system library NAME whose functions load their DLL at their first
# call instead of at the program's start. Made at configure time from the
# toolchain's import library libNAME.a (every function it exports), with
# the toolchain's delay-load helper. For libraries that the start-up does
# not use: each DLL loaded at start costs start-up time under wine.
function(vantrel_delay_import name)
  if(TARGET delay_${name})
    return()
  endif()
  find_library(VANTREL_IMPLIB_${name} ${name} REQUIRED)
  set(implib ${VANTREL_IMPLIB_${name}})
  set(dir ${CMAKE_BINARY_DIR}/delayimp)
  set(lib ${dir}/lib${name}_delay.a)
  if(NOT EXISTS ${lib} OR ${implib} IS_NEWER_THAN ${lib})
    file(MAKE_DIRECTORY ${dir})
    execute_process(COMMAND ${CMAKE_DLLTOOL} -I ${implib} OUTPUT_VARIABLE dll
                    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${CMAKE_NM} ${implib} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "[0-9a-fA-F]+ T [A-Za-z_][A-Za-z0-9_@]*" lines "${symbols}")
    set(exports "")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[0-9a-fA-F]+ T " "" symbol "${line}")
      list(APPEND exports ${symbol})
    endforeach()
    list(REMOVE_DUPLICATES exports)
    list(JOIN exports "\n" exports)
    file(WRITE ${dir}/${name}.def "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
    execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${dir}/${name}.def --dllname ${dll}
                            --output-delaylib ${lib}
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()
  add_library(delay_${name} STATIC IMPORTED GLOBAL)
  set_target_properties(delay_${name} PROPERTIES IMPORTED_LOCATION ${lib} INTERFACE_LINK_LIBRARIES delayimp)
endfunction()
