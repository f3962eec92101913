# Test helpers. GoogleTest is built from Debian's source package (/usr/src/googletest) for each configuration.
# MinGW test programs run under wine64 (the cross-compiling emulator) in a prefix private to the build tree,
# created once by the wineprefix fixture; native ones run directly.

set(PROJECT_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(PROJECT_SCREENSHOT_DIR ${CMAKE_BINARY_DIR}/screenshots)
file(MAKE_DIRECTORY ${PROJECT_SCREENSHOT_DIR})
# The sample pictures of giflib's source package, which scripts/bootstrap fetches beside the image libraries
# (keep the path in step with scripts/lib/common.sh). Tests read them from PROJECT_GIFLIB_SAMPLES.
set(IMAGING_DEPS_ROOT /opt/imaging-deps/v4 CACHE PATH "Prefix of the cross-built image libraries")
file(GLOB PROJECT_GIFLIB_SAMPLES LIST_DIRECTORIES true ${IMAGING_DEPS_ROOT}/src/giflib-*/pic)
# The printer of the Wine tests writes each job as a PDF file into ~/PDF of the user who prints (scripts/pdf-printer
# adds it); tests read the pages back through pdftoppm.
set(PROJECT_PDF_DIR $ENV{HOME}/PDF CACHE PATH "Folder where the test printer writes its PDF files")
find_program(PROJECT_PDFTOPPM pdftoppm)

if(PROJECT_TESTS AND NOT PROJECT_FUZZ)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${PROJECT_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

enable_testing()

# Test names carry their configuration, so that one ctest run over all build trees tells them apart.
if(WIN32)
  set(PROJECT_TEST_CONFIG wine)
elseif(PROJECT_FUZZ)
  set(PROJECT_TEST_CONFIG fuzz)
else()
  set(PROJECT_TEST_CONFIG native)
endif()

if(WIN32)
  set(PROJECT_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  add_test(NAME wine/prefix COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-prefix ${PROJECT_WINEPREFIX})
  set_tests_properties(wine/prefix PROPERTIES FIXTURES_SETUP wineprefix TIMEOUT 300)
endif()

# project_add_test(name SOURCES a.cpp b.cpp LIBS lib1 lib2 [MAIN target] [TIMEOUT s])
# One test program is one ctest test. MAIN names the library that provides main(); default gtest_main.
function(project_add_test name)
  cmake_parse_arguments(T "" "MAIN;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_MAIN)
    set(T_MAIN GTest::gtest_main)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} ${T_MAIN} GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  set(test_name ${PROJECT_TEST_CONFIG}/${name})
  add_test(NAME ${test_name} COMMAND ${name} --gtest_brief=1)
  set(test_dir ${CMAKE_CURRENT_BINARY_DIR}/${name}.files)
  file(MAKE_DIRECTORY ${test_dir})
  if(WIN32)
    # Windows programs see the Unix root as drive Z:.
    # Windows test programs share one Wine desktop: those that may show windows take turns, so that none covers,
    # activates or captures another's windows. Core tests show none and run alongside.
    if(NOT CMAKE_CURRENT_SOURCE_DIR MATCHES "/core$")
      set_tests_properties(${test_name} PROPERTIES RESOURCE_LOCK wine-desktop)
    endif()
    set_tests_properties(${test_name} PROPERTIES
      FIXTURES_REQUIRED wineprefix
      ENVIRONMENT "WINEPREFIX=${PROJECT_WINEPREFIX};PROJECT_SCREENSHOT_DIR=Z:${PROJECT_SCREENSHOT_DIR};PROJECT_TEST_DIR=Z:${test_dir};PROJECT_SOURCE_DIR=Z:${PROJECT_SOURCE_DIR};PROJECT_GIFLIB_SAMPLES=Z:${PROJECT_GIFLIB_SAMPLES};PROJECT_PDF_DIR=Z:${PROJECT_PDF_DIR};PROJECT_PDFTOPPM=Z:${PROJECT_PDFTOPPM}")
  else()
    set_tests_properties(${test_name} PROPERTIES
      ENVIRONMENT "PROJECT_TEST_DIR=${test_dir};PROJECT_SOURCE_DIR=${PROJECT_SOURCE_DIR};PROJECT_GIFLIB_SAMPLES=${PROJECT_GIFLIB_SAMPLES};ASAN_OPTIONS=detect_leaks=1")
  endif()
  set_tests_properties(${test_name} PROPERTIES TIMEOUT ${T_TIMEOUT})
endfunction()

# project_add_fuzzer(name source): a libFuzzer target over every core library, run for a few seconds by ctest
# from the seed corpus tests/fuzz/corpus/<name> (when present) into a scratch corpus in the build tree. The GIF
# targets also start from giflib's sample pictures.
set(PROJECT_FUZZ_SECONDS 5 CACHE STRING "Seconds each fuzz target runs in the test command")
function(project_add_fuzzer name source)
  get_property(core_libraries GLOBAL PROPERTY PROJECT_CORE_LIBRARIES)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE ${core_libraries})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(scratch ${CMAKE_CURRENT_BINARY_DIR}/corpus/${name})
  file(MAKE_DIRECTORY ${scratch})
  set(seeds ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${name})
  set(corpora ${scratch})
  if(EXISTS ${seeds})
    list(APPEND corpora ${seeds})
  endif()
  if(name MATCHES "^gif" AND PROJECT_GIFLIB_SAMPLES)
    list(APPEND corpora ${PROJECT_GIFLIB_SAMPLES})
  endif()
  add_test(NAME fuzz/${name} COMMAND ${name} -max_total_time=${PROJECT_FUZZ_SECONDS} -rss_limit_mb=2048
           -timeout=10 -print_final_stats=0 ${corpora})
  set_tests_properties(fuzz/${name} PROPERTIES TIMEOUT 120)
endfunction()
