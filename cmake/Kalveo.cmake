# Helpers shared by every subsystem's CMakeLists.txt.

function(kalveo_target_options target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                             -Wno-missing-field-initializers)
    if(KALVEO_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
  if(KALVEO_SANITIZE)
    target_compile_options(${target} PUBLIC -fsanitize=address,undefined -fno-omit-frame-pointer
                                            -fno-sanitize-recover=undefined)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endif()
  if(KALVEO_FUZZ)
    # Coverage for libFuzzer in every library a fuzz target links; the targets add the
    # fuzzer's own main (fuzz/CMakeLists.txt).
    target_compile_options(${target} PUBLIC -fsanitize=fuzzer-no-link,address,undefined
                                            -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endif()
endfunction()

# kalveo_layer(<part> [USES parts...] [RECORDS parts...]): one line of the layer table
# (cmake/layers.cmake). Parts are listed from the bottom floor up.
function(kalveo_layer part)
  cmake_parse_arguments(ARG "" "" "USES;RECORDS" ${ARGN})
  get_property(parts GLOBAL PROPERTY KALVEO_PARTS)
  foreach(used IN LISTS ARG_USES)
    if(NOT used IN_LIST parts)
      message(FATAL_ERROR "Layer table: ${part} uses ${used}, which is not on a floor below it")
    endif()
  endforeach()
  set_property(GLOBAL APPEND PROPERTY KALVEO_PARTS ${part})
  set_property(GLOBAL PROPERTY KALVEO_USES_${part} ${ARG_USES})
endfunction()

# kalveo_library(<part> [DEPENDS targets...] [EXCLUDE regex])
# One static library per folder under src/: every .cpp of the folder except
# records.cpp (which goes into kalveo_records), linked to the libraries of the
# parts the layer table lets it use and to the outside `DEPENDS`. Files ending
# in _posix.cpp are built only on POSIX systems, files ending in _win32.cpp
# only on Windows. A part with no code of its own (records only) is an
# interface library.
function(kalveo_library sub)
  cmake_parse_arguments(ARG "" "EXCLUDE" "DEPENDS" ${ARGN})
  get_property(parts GLOBAL PROPERTY KALVEO_PARTS)
  if(NOT sub IN_LIST parts)
    message(FATAL_ERROR "${sub} is not in the layer table (cmake/layers.cmake)")
  endif()
  get_property(uses GLOBAL PROPERTY KALVEO_USES_${sub})
  list(TRANSFORM uses PREPEND kalveo_)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/records\\.cpp$")
  if(ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${ARG_EXCLUDE}")
  endif()
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "_win32\\.cpp$")
  endif()
  if(NOT sources)
    add_library(kalveo_${sub} INTERFACE)
    target_link_libraries(kalveo_${sub} INTERFACE kalveo_records ${uses} ${ARG_DEPENDS})
    return()
  endif()
  add_library(kalveo_${sub} STATIC ${sources})
  target_include_directories(kalveo_${sub} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(kalveo_${sub} PUBLIC kalveo_records ${uses} ${ARG_DEPENDS})
  kalveo_target_options(kalveo_${sub})
endfunction()

# kalveo_test(<subsystem> [DEPENDS targets...] [POSIX_ONLY files...])
# One GoogleTest executable per folder under tests/, from all its .cpp files; the Windows
# build leaves out the POSIX_ONLY ones (pseudo-terminals, a POSIX HTTP server).
# Tests run with the folder of test fixtures in KALVEO_TEST_DATA and the
# shipped data folder in KALVEO_DATA_DIR.
function(kalveo_test sub)
  cmake_parse_arguments(ARG "" "" "DEPENDS;POSIX_ONLY" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(WIN32)
    foreach(posix_only IN LISTS ARG_POSIX_ONLY)
      list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${posix_only})
    endforeach()
  endif()
  add_executable(test_${sub} ${sources})
  set_target_properties(test_${sub} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(TARGET kalveo_${sub})
    target_link_libraries(test_${sub} PRIVATE kalveo_${sub})
  endif()
  target_link_libraries(test_${sub} PRIVATE ${ARG_DEPENDS} kalveo_testing
                                            GTest::gtest GTest::gmock GTest::gtest_main)
  kalveo_target_options(test_${sub})
  gtest_discover_tests(test_${sub} DISCOVERY_MODE PRE_TEST)
  # gtest_discover_tests flattens a list-valued property (only the first
  # variable would arrive), so a script of our own, run after the discovery,
  # sets the environment on the discovered tests.
  set(environment "KALVEO_SOURCE_DIR=${CMAKE_SOURCE_DIR};KALVEO_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data;KALVEO_DATA_DIR=${CMAKE_SOURCE_DIR}/data;KALVEO_SAMPLES=${CMAKE_SOURCE_DIR}/tests/data/samples;KALVEO_BIN_DIR=${KALVEO_BIN_DIR}")
  set(script ${CMAKE_CURRENT_BINARY_DIR}/test_${sub}_environment.cmake)
  file(WRITE ${script} "if(test_${sub}_TESTS)\n"
                       "  set_tests_properties(\${test_${sub}_TESTS} PROPERTIES ENVIRONMENT \"${environment}\")\n"
                       "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()
