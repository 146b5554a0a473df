# Shared settings for the project's own targets.

set(TUNDRIX_WARNINGS -Wall -Wextra -Wpedantic -Werror -Wno-error=deprecated-declarations)
# GCC 12 at -O3 (Release) reports overlapping copies inside std::string's inlined operator+ that
# cannot happen; kept as a warning so that an optimised build completes.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  list(APPEND TUNDRIX_WARNINGS -Wno-error=restrict)
endif()

# Debug information of RelWithDebInfo builds (the default): line tables only. Backtraces,
# profiles and sanitizer reports keep their files and lines; describing every variable and type
# for a debugger as well took about a quarter of the libraries' compile time. "-g" describes
# everything (as a Debug build does).
set(TUNDRIX_DEBUG_INFO "-g1" CACHE STRING "Debug-information flag of RelWithDebInfo builds")
add_compile_options("$<$<CONFIG:RelWithDebInfo>:${TUNDRIX_DEBUG_INFO}>")

set(TUNDRIX_SAN_FLAGS "")
if(TUNDRIX_SANITIZE)
  set(TUNDRIX_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_compile_options(${TUNDRIX_SAN_FLAGS})
  add_link_options(${TUNDRIX_SAN_FLAGS})
endif()

# Precompiled headers (TUNDRIX_PCH, declared in the top CMakeLists.txt): the library headers that
# a target's files share (the standard library, the Qt modules it links, GoogleTest, nlohmann/json)
# compiled once per target instead of once per file. Off by default: measured on a whole fresh
# build (before the unity batches) they cost as much as they save (17 headers, 195 s of CPU to
# build; 1,061 s of compiling and linking with them against 1,038 s without). Only the main
# window's test program gained clearly (63 s instead of 93 s); the libraries spend most of a
# file's time optimising, and most test programs have too few files to repay their header.

# tundrix_pch(target [header ...]) precompiles cmake/precompiled.h and the given headers
# (<nlohmann/json.hpp>, ...) for a target of four or more sources (its moc file counted): building
# the header takes 6 (standard library and JSON) to 19 (Qt Widgets and QtTest) seconds of CPU, and
# each file of the target then saves 1 to 3 seconds.
function(tundrix_pch target)
  if(NOT TUNDRIX_PCH)
    return()
  endif()
  get_target_property(_sources ${target} SOURCES)
  list(FILTER _sources INCLUDE REGEX "\\.cpp$")
  list(LENGTH _sources _count)
  get_target_property(_automoc ${target} AUTOMOC)
  if(_automoc)
    math(EXPR _count "${_count} + 1")  # the generated file that compiles the moc output
  endif()
  if(_count LESS 4)
    return()
  endif()
  set(_common ${PROJECT_SOURCE_DIR}/cmake/precompiled.h)
  get_target_property(_have ${target} PRECOMPILE_HEADERS)
  if(_have AND _common IN_LIST _have)
    set(_common "")
  endif()
  target_precompile_headers(${target} PRIVATE ${_common} ${ARGN})
endfunction()

# tundrix_library(name) builds the static library tundrix_<name> from every source of the folder.
function(tundrix_library name)
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB _hdr CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT _src)
    # A folder whose code has not been written yet still forms a (empty) library.
    set(_src ${CMAKE_CURRENT_BINARY_DIR}/empty.cpp)
    file(WRITE ${_src} "")
  endif()
  add_library(tundrix_${name} STATIC ${_src} ${_hdr})
  target_include_directories(tundrix_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(tundrix_${name} PRIVATE ${TUNDRIX_WARNINGS})
endfunction()

function(tundrix_warnings target)
  target_compile_options(${target} PRIVATE ${TUNDRIX_WARNINGS})
endfunction()

# The test programs' own sources, in the default build type (RelWithDebInfo), are compiled without
# optimisation and with line tables only: optimising and describing a test file for the debugger
# took about two thirds of its compile time, and nothing a test checks or times runs in it (the
# libraries it tests keep the build type's flags). Empty: the build type's flags.
set(TUNDRIX_TEST_FLAGS "-O0;-g1" CACHE STRING
  "Compile flags of the test programs' own sources in RelWithDebInfo builds")

# Settings every test program gets: its compile flags, and where the sample catalogue, the sources
# and the programs are.
function(tundrix_test_settings target)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_compile_options(${target} PRIVATE ${TUNDRIX_WARNINGS}
    "$<$<CONFIG:RelWithDebInfo>:${TUNDRIX_TEST_FLAGS}>")
  if(TUNDRIX_UNITY AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # A test fixture or member of a file's own (anonymous) type is fine in a file; GCC warns about
    # it in a file that is included, as each file of a unity batch is.
    target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
  endif()
  target_compile_definitions(${target} PRIVATE
    TUNDRIX_SAMPLE_DATA="${TUNDRIX_SAMPLE_DATA}"
    TUNDRIX_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    TUNDRIX_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
endfunction()

# tundrix_gtest(name DEPS ...) builds one GoogleTest program from tests/<folder>/*_test.cpp
# (and *_support.cpp); CTest lists each of its tests by name.
function(tundrix_gtest name)
  cmake_parse_arguments(T "" "" "DEPS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*_support.cpp)
  if(NOT _src)
    return()
  endif()
  add_executable(${name} ${_src})
  target_link_libraries(${name} PRIVATE ${T_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  tundrix_test_settings(${name})
  tundrix_pch(${name} <gtest/gtest.h>)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# tundrix_qtests(prefix PATTERN glob [ONLY regex] [EXCEPT regex] [PROGRAM name] DEPS ...) builds
# the QtTest files of the folder that match the pattern (and ONLY, and not EXCEPT). The files that
# end in TUNDRIX_QTEST_MAIN(Class) (tests/qtestmain.h) form one program, PROGRAM (<prefix>_qtests
# unless named), which runs one file's tests a run: CTest runs it once per file, under the name
# <prefix>_<file name>. A file with its own main (QTEST_MAIN, ...) stays a program of its own,
# <prefix>_<file name>, under the same test name.
function(tundrix_qtests prefix)
  cmake_parse_arguments(T "" "PATTERN;ONLY;EXCEPT;PROGRAM" "DEPS" ${ARGN})
  file(GLOB _srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${T_PATTERN})
  if(T_ONLY)
    list(FILTER _srcs INCLUDE REGEX "${T_ONLY}")
  endif()
  if(T_EXCEPT)
    list(FILTER _srcs EXCLUDE REGEX "${T_EXCEPT}")
  endif()
  set(_shared "")
  foreach(_src ${_srcs})
    # Which way a file goes is read from it, so a change of its last line configures again.
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_src})
    file(STRINGS ${_src} _registered REGEX "^TUNDRIX_QTEST_MAIN\\(")
    if(_registered)
      list(APPEND _shared ${_src})
    else()
      get_filename_component(_name ${_src} NAME_WE)
      set(_target ${prefix}_${_name})
      add_executable(${_target} ${_src})
      set_target_properties(${_target} PROPERTIES AUTOMOC ON)
      target_link_libraries(${_target} PRIVATE ${T_DEPS} Qt6::Test)
      tundrix_test_settings(${_target})
      add_test(NAME ${_target} COMMAND ${_target})
      set_tests_properties(${_target} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    endif()
  endforeach()
  if(_shared)
    set(_target ${prefix}_qtests)
    if(T_PROGRAM)
      set(_target ${T_PROGRAM})
    endif()
    add_executable(${_target} ${PROJECT_SOURCE_DIR}/tests/qtestmain.cpp)
    set_target_properties(${_target} PROPERTIES AUTOMOC ON TUNDRIX_TEST_PREFIX ${prefix})
    target_link_libraries(${_target} PRIVATE ${T_DEPS} Qt6::Test)
    tundrix_test_settings(${_target})
    tundrix_test_sources(${_target} ${_shared})
    tundrix_pch(${_target})
  endif()
endfunction()

# tundrix_test_sources(program file ...) adds test files to an area's test program: to a
# GoogleTest program (its tests are found by name when it is built), or to a QtTest program made
# by tundrix_qtests, where each file also becomes the CTest test <prefix>_<file name>.
function(tundrix_test_sources target)
  target_sources(${target} PRIVATE ${ARGN})
  get_target_property(_prefix ${target} TUNDRIX_TEST_PREFIX)
  if(_prefix)
    foreach(_src ${ARGN})
      get_filename_component(_name ${_src} NAME_WE)
      add_test(NAME ${_prefix}_${_name} COMMAND ${target} ${_name})
      set_tests_properties(${_prefix}_${_name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    endforeach()
  endif()
endfunction()

# tundrix_split_library(name QT_SOURCES a b ...) builds a folder as two libraries: tundrix_<name>_core
# from every source but the listed Qt ones (it includes no Qt header, so the core-only sanitizer
# build takes it too) and, in the full build, tundrix_<name> from the listed sources on top of it.
function(tundrix_split_library name)
  cmake_parse_arguments(T "" "" "QT_SOURCES" ${ARGN})
  file(GLOB _core CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(_qt "")
  foreach(_file ${T_QT_SOURCES})
    list(FILTER _core EXCLUDE REGEX "/${_file}\\.(cpp|h)$")
    list(APPEND _qt ${CMAKE_CURRENT_SOURCE_DIR}/${_file}.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${_file}.h)
  endforeach()
  add_library(tundrix_${name}_core STATIC ${_core})
  target_include_directories(tundrix_${name}_core PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(tundrix_${name}_core PRIVATE ${TUNDRIX_WARNINGS})
  target_link_libraries(tundrix_${name}_core PUBLIC tundrix_selection)
  if(NOT TUNDRIX_CORE_ONLY)
    # These folders are configured before the top level looks for Qt.
    find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Widgets)
    add_library(tundrix_${name} STATIC ${_qt})
    set_target_properties(tundrix_${name} PROPERTIES AUTOMOC ON)
    target_include_directories(tundrix_${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(tundrix_${name} PRIVATE ${TUNDRIX_WARNINGS})
    target_link_libraries(tundrix_${name} PUBLIC tundrix_${name}_core Qt6::Widgets)
    tundrix_pch(tundrix_${name})
  endif()
endfunction()
