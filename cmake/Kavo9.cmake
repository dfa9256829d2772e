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
  # Only the shared main knows the build's folders (and hands them on in the environment), so
  # that the test sources compile alike in every checkout and the compiler cache serves them all.
  set_source_files_properties(${PROJECT_SOURCE_DIR}/cmake/testing/TestMain.cpp
    TARGET_DIRECTORY ${name}
    PROPERTIES COMPILE_DEFINITIONS
      "KAVO9_BIN_DIR=\"${CMAKE_BINARY_DIR}/bin\";KAVO9_SOURCE_DIR=\"${PROJECT_SOURCE_DIR}\"")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(ARG_UI)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE Qt6::Test Qt6::Widgets)
    target_compile_definitions(${name} PRIVATE KAVO9_TEST_WITH_QT)
  endif()
  kavo9_warnings(${name})
  set_property(TARGET ${name} PROPERTY KAVO9_TEST TRUE)
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

# ---- Link rules, checked once every target is defined (the end of the root CMakeLists.txt) ----
#
# kavo9_check_link_rules() fails the configure when
#   - a logic library (KAVO9_LOGIC) links a Qt6:: target, directly or through its dependencies;
#   - a target under sim/ links program logic: kavo9_radio*, kavo9_networks*, kavo9_bss*, or any
#     other target defined under station/, softap/, radio/, widgets/ or apps/. The simulated
#     machine is the programs' oracle and must not share their rules. Tests (KAVO9_TEST) may link
#     both sides: that is where the two sides are compared.

# The targets defined in `dir` and the directories below it.
function(_kavo9_targets_below dir out)
  get_property(targets DIRECTORY "${dir}" PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY "${dir}" PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    _kavo9_targets_below("${sub}" more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Every target `target` links, directly or through LINK_LIBRARIES and INTERFACE_LINK_LIBRARIES
# of what it links (generator expressions are looked into; names that are no target are skipped).
# Sets `out` to the list and `<out>_VIA_<name>` to the target that brought `name` in.
function(_kavo9_link_closure target out)
  set(seen "")
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue current)
    get_target_property(aliased ${current} ALIASED_TARGET)
    if(aliased)
      set(current ${aliased})
    endif()
    set(items "")
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
      get_target_property(libs ${current} ${property})
      if(libs)
        list(APPEND items ${libs})
      endif()
    endforeach()
    foreach(item IN LISTS items)
      string(REGEX MATCHALL "[A-Za-z0-9_.+-]+(::[A-Za-z0-9_.+-]+)*" names "${item}")
      foreach(name IN LISTS names)
        if(NOT name MATCHES "^Qt6::" AND NOT TARGET ${name})
          continue()
        endif()
        if(name IN_LIST seen OR name STREQUAL target)
          continue()
        endif()
        list(APPEND seen ${name})
        set(${out}_VIA_${name} ${current} PARENT_SCOPE)
        if(TARGET ${name} AND NOT name MATCHES "^Qt6::")
          list(APPEND queue ${name})
        endif()
      endforeach()
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(_kavo9_is_program_logic name out)
  set(result FALSE)
  if(name MATCHES "^kavo9_(radio|networks|bss)")
    set(result TRUE)
  elseif(TARGET ${name})
    get_target_property(imported ${name} IMPORTED)
    if(NOT imported)
      get_target_property(dir ${name} SOURCE_DIR)
      file(RELATIVE_PATH relative "${PROJECT_SOURCE_DIR}" "${dir}")
      if(relative MATCHES "^(station|softap|radio|widgets|apps)(/|$)")
        set(result TRUE)
      endif()
    endif()
  endif()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

function(kavo9_check_link_rules)
  _kavo9_targets_below("${PROJECT_SOURCE_DIR}" targets)
  set(faults "")
  foreach(target IN LISTS targets)
    get_target_property(logic ${target} KAVO9_LOGIC)
    get_target_property(test ${target} KAVO9_TEST)
    get_target_property(dir ${target} SOURCE_DIR)
    file(RELATIVE_PATH relative "${PROJECT_SOURCE_DIR}" "${dir}")
    set(underSim FALSE)
    if(relative MATCHES "^sim(/|$)" AND NOT test)
      set(underSim TRUE)
    endif()
    if(NOT logic AND NOT underSim)
      continue()
    endif()
    _kavo9_link_closure(${target} linked)
    foreach(name IN LISTS linked)
      if(logic AND name MATCHES "^Qt6::")
        list(APPEND faults "logic library ${target} links ${name} (through ${linked_VIA_${name}})")
      endif()
      if(underSim)
        _kavo9_is_program_logic(${name} program)
        if(program)
          list(APPEND faults
               "${target} (sim/) links program logic ${name} (through ${linked_VIA_${name}})")
        endif()
      endif()
    endforeach()
  endforeach()
  if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "Link rules broken:\n  ${text}")
  endif()
endfunction()
