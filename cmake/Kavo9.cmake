# Shared build rules. Logic libraries never link Qt; the `ui` libraries and programs do.

function(kavo9_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow=local
                         -Wno-missing-field-initializers)
  if(KAVO9_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# kavo9_logic_library(name SOURCES ... DEPS ...): a Qt-free library.
function(kavo9_logic_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  kavo9_warnings(${name})
  set_property(TARGET ${name} PROPERTY KAVO9_LOGIC TRUE)
endfunction()

# kavo9_ui_library(name SOURCES ... DEPS ...): a Qt Widgets library. Skipped without KAVO9_UI
# (fuzzing and sanitizer builds); folders with Qt programs check KAVO9_UI themselves.
function(kavo9_ui_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT KAVO9_UI)
    return()
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} Qt6::Widgets)
  kavo9_warnings(${name})
endfunction()

# kavo9_test(name SOURCES ... DEPS ... [UI]): a GoogleTest program, registered case by case.
# Window tests (UI) run on Qt's offscreen platform.
function(kavo9_test name)
  cmake_parse_arguments(ARG "UI" "" "SOURCES;DEPS" ${ARGN})
  if(ARG_UI AND NOT KAVO9_UI)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/cmake/testing/TestMain.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE KAVO9_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
                             KAVO9_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(ARG_UI)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE Qt6::Test Qt6::Widgets)
    target_compile_definitions(${name} PRIVATE KAVO9_TEST_WITH_QT)
  endif()
  kavo9_warnings(${name})
  # Window tests draw on an offscreen desktop large enough for every window (the platform's own
  # default screen, 800x600, is smaller than the main window).
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT
      "QT_QPA_PLATFORM=offscreen:configfile=${PROJECT_SOURCE_DIR}/cmake/testing/screen-1920x1200.json")
endfunction()

# kavo9_fuzzer(name SOURCES ... DEPS ...): a libFuzzer target, built only with KAVO9_FUZZ (clang).
function(kavo9_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT KAVO9_FUZZ)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
endfunction()
