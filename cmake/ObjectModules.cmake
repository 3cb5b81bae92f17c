# Helpers for the object modules that the analysis package's Fortran programs
# link, and for the Fortran caller programs that test them.
#
# An object module is one relocatable object file, lib/<name>.o, made with
# `ld -r` from the module's C++ objects (and, when it reaches Fortran units, the
# calling layer). It is linked by gfortran without the C++ runtime, so its C++
# code is compiled without exceptions, RTTI or thread-safe static guards. All
# modules together also form one archive, lib/libseismo_modules.a.

set(SEIS_MODULE_DIR ${CMAKE_BINARY_DIR}/lib)
file(MAKE_DIRECTORY ${SEIS_MODULE_DIR})

# Where the installed files go below the prefix.
set(SEIS_MODULE_INSTALL_OBJECTS ${CMAKE_INSTALL_LIBDIR}/seismo)
set(SEIS_MODULE_INSTALL_INCLUDE ${CMAKE_INSTALL_INCLUDEDIR}/seismo)
set(SEIS_MODULE_INSTALL_DATA ${CMAKE_INSTALL_DATADIR}/seismo-modules)
set(SEIS_MODULE_INSTALL_DOC ${CMAKE_INSTALL_DATAROOTDIR}/doc/seismo-modules)

# Names of the module sources in debug information: the source release's
# name instead of the builder's own tree, the same on every machine. The
# later map wins, so a build folder inside the source tree is named as such.
set(SEIS_MODULE_SOURCE_NAME seismo-modules-${PROJECT_VERSION})
set(SEIS_MODULE_PATH_FLAGS
  -ffile-prefix-map=${CMAKE_SOURCE_DIR}=${SEIS_MODULE_SOURCE_NAME}
  -ffile-prefix-map=${CMAKE_BINARY_DIR}=${SEIS_MODULE_SOURCE_NAME}/build)

# Unwind tables, without any reference to the C++ runtime (no exceptions, so
# no personality routine): a backtrace of the Fortran runtime goes through
# the module's frames on to the calling program's own lines.
set(SEIS_MODULE_CXX_FLAGS
  -fno-exceptions -fno-rtti -fno-threadsafe-statics -fno-use-cxa-atexit
  -fasynchronous-unwind-tables -fno-stack-protector)

# seis_add_module(NAME <name> SOURCES <c++ sources...> [FORTRAN_IO])
#   Builds lib/<name>.o and the target <name>_module. With FORTRAN_IO the
#   calling layer is linked into the object; its symbols are made weak, so two
#   modules that both carry it link into one program without a clash. The
#   module's internal C++ functions are made local to the object. Helpers
#   that several modules share from one header come, when they are not
#   inlined (at -O0, say), as COMDAT groups; the groups are dissolved, so that
#   every module keeps its own local copy instead of the linker dropping one
#   module's copy in favour of another module's.
function(seis_add_module)
  cmake_parse_arguments(M "FORTRAN_IO" "NAME" "SOURCES" ${ARGN})
  set(parts ${M_NAME}_parts)
  add_library(${parts} OBJECT ${M_SOURCES})
  target_compile_options(${parts} PRIVATE
    $<$<COMPILE_LANGUAGE:CXX>:${SEIS_MODULE_CXX_FLAGS}> ${SEIS_MODULE_PATH_FLAGS})
  target_include_directories(${parts} PRIVATE
    ${CMAKE_SOURCE_DIR}/modules ${CMAKE_CURRENT_SOURCE_DIR})
  set(objects $<TARGET_OBJECTS:${parts}>)
  set(deps ${parts})
  if(M_FORTRAN_IO)
    list(APPEND objects $<TARGET_OBJECTS:fortran_io_parts>)
    list(APPEND deps fortran_io_parts)
  endif()
  set(out ${SEIS_MODULE_DIR}/${M_NAME}.o)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_LINKER} -r -o ${out} ${objects}
    COMMAND ${CMAKE_OBJCOPY} -w --weaken-symbol=unitio_* --localize-symbol=_Z*
            --remove-section=.group ${out}
    DEPENDS ${deps} ${objects}
    COMMAND_EXPAND_LISTS
    COMMENT "Object module ${M_NAME}.o")
  add_custom_target(${M_NAME}_module ALL DEPENDS ${out})
  set_property(GLOBAL APPEND PROPERTY SEIS_MODULES ${M_NAME})
  install(FILES ${out} DESTINATION ${SEIS_MODULE_INSTALL_OBJECTS})
  # The module must not need the C++ runtime: no operator new, no exception
  # or RTTI support, no static-guard calls.
  if(BUILD_TESTING)
    add_test(NAME ${M_NAME}.no_cxx_runtime
      COMMAND ${CMAKE_COMMAND} -DOBJECT=${out} -DNM=${CMAKE_NM} -DREADELF=${CMAKE_READELF}
              -P ${CMAKE_SOURCE_DIR}/cmake/CheckNoCxxRuntime.cmake)
  endif()
endfunction()

# seis_add_module_archive()
#   After every module: lib/libseismo_modules.a with all module objects, one
#   member each, so that a program takes in only the modules it calls.
function(seis_add_module_archive)
  get_property(modules GLOBAL PROPERTY SEIS_MODULES)
  set(archive ${SEIS_MODULE_DIR}/libseismo_modules.a)
  set(objects)
  set(targets)
  foreach(m ${modules})
    list(APPEND objects ${SEIS_MODULE_DIR}/${m}.o)
    list(APPEND targets ${m}_module)
  endforeach()
  add_custom_command(OUTPUT ${archive}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${archive}
    COMMAND ${CMAKE_AR} qc ${archive} ${objects}
    COMMAND ${CMAKE_RANLIB} ${archive}
    DEPENDS ${objects} ${targets}
    COMMENT "Archive of the object modules")
  add_custom_target(seismo_modules_archive ALL DEPENDS ${archive})
  install(FILES ${archive} DESTINATION ${CMAKE_INSTALL_LIBDIR})
endfunction()

# seis_add_fortran_test(NAME <test> SOURCES <f90 and c sources...>
#                       MODULES <module names...> [LIBS <targets...>]
#                       [WILL_FAIL] [PASS_REGEX <re>] [FAIL_REGEX <re>]
#                       [EXPECT_FATAL <re>]
#                       [ARGS <args...>] [WORKING_DIRECTORY <dir>])
#   A caller program compiled with gfortran and linked by gfortran (never by
#   the C++ driver) against the module objects, registered as a CTest test.
#   With EXPECT_FATAL the program must stop with a nonzero status and print
#   a message matching <re> (the Fortran runtime's error text, say).
function(seis_add_fortran_test)
  cmake_parse_arguments(T "WILL_FAIL"
    "NAME;PASS_REGEX;FAIL_REGEX;EXPECT_FATAL;WORKING_DIRECTORY" "SOURCES;MODULES;LIBS;ARGS" ${ARGN})
  set(exe ${T_NAME}_prog)
  string(REPLACE "." "_" exe ${exe})
  add_executable(${exe} ${T_SOURCES})
  set_target_properties(${exe} PROPERTIES LINKER_LANGUAGE Fortran
    Fortran_MODULE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/${exe}_mod)
  target_link_libraries(${exe} PRIVATE fortran_checks)
  foreach(m ${T_MODULES})
    add_dependencies(${exe} ${m}_module)
    target_link_libraries(${exe} PRIVATE ${SEIS_MODULE_DIR}/${m}.o)
  endforeach()
  if(T_LIBS)
    target_link_libraries(${exe} PRIVATE ${T_LIBS})
  endif()
  if(NOT T_WORKING_DIRECTORY)
    set(T_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  if(T_EXPECT_FATAL)
    seis_add_fatal_test(NAME ${T_NAME} PROGRAM ${exe} ARGS ${T_ARGS}
      EXPECT "${T_EXPECT_FATAL}" WORKING_DIRECTORY ${T_WORKING_DIRECTORY})
    return()
  endif()
  add_test(NAME ${T_NAME} COMMAND ${exe} ${T_ARGS}
           WORKING_DIRECTORY ${T_WORKING_DIRECTORY})
  if(T_WILL_FAIL)
    set_tests_properties(${T_NAME} PROPERTIES WILL_FAIL TRUE)
  endif()
  if(T_PASS_REGEX)
    set_tests_properties(${T_NAME} PROPERTIES PASS_REGULAR_EXPRESSION "${T_PASS_REGEX}")
  endif()
  if(T_FAIL_REGEX)
    set_tests_properties(${T_NAME} PROPERTIES FAIL_REGULAR_EXPRESSION "${T_FAIL_REGEX}")
  endif()
endfunction()

# seis_add_fatal_test(NAME <test> PROGRAM <exe target> [ARGS ...] EXPECT <regex>)
#   Runs a program that must stop with a nonzero status and print a message
#   matching <regex> (the Fortran runtime's own error text, for instance).
function(seis_add_fatal_test)
  cmake_parse_arguments(F "" "NAME;PROGRAM;EXPECT;WORKING_DIRECTORY" "ARGS" ${ARGN})
  if(NOT F_WORKING_DIRECTORY)
    set(F_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  add_test(NAME ${F_NAME}
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${F_PROGRAM}>
            "-DARGS=${F_ARGS}" "-DEXPECT=${F_EXPECT}"
            -DWORKDIR=${F_WORKING_DIRECTORY}
            -P ${CMAKE_SOURCE_DIR}/cmake/ExpectFatal.cmake)
endfunction()
