# Helpers that keep the layering honest: core subsystems are numbered, and a
# core library may only link core libraries of a lower number. Core libraries
# never see widgets or the web engine.

# The scheduler and the maker's server client (net) know nothing of listings,
# while every Shopping API call runs through the scheduler: net sits below
# shopping.
set(QUARN_CORE_LEVEL_app 1)
set(QUARN_CORE_LEVEL_net 2)
set(QUARN_CORE_LEVEL_shopping 3)
set(QUARN_CORE_LEVEL_search 4)
set(QUARN_CORE_LEVEL_watch 5)
set(QUARN_CORE_LEVEL_scrape 6)
set(QUARN_CORE_LEVEL_browser 7)

set(QUARN_FORBIDDEN_IN_CORE Qt6::Widgets Qt6::WebEngineWidgets Qt6::WebEngineCore Qt6::PrintSupport
                            Qt6::Gui)

# quarn_core_library(<subsystem> SOURCES ... [CORE_DEPS sub...] [LIBS target...])
# Creates the static library quarn_<subsystem>.
function(quarn_core_library sub)
  cmake_parse_arguments(ARG "" "" "SOURCES;CORE_DEPS;LIBS" ${ARGN})
  set(level ${QUARN_CORE_LEVEL_${sub}})
  if(NOT level)
    message(FATAL_ERROR "Unknown core subsystem '${sub}'")
  endif()
  foreach(dep ${ARG_CORE_DEPS})
    set(dep_level ${QUARN_CORE_LEVEL_${dep}})
    if(NOT dep_level OR NOT dep_level LESS level)
      message(FATAL_ERROR "core/${sub} may not depend on core/${dep}: only lower layers are allowed")
    endif()
  endforeach()
  foreach(lib ${ARG_LIBS})
    if(lib IN_LIST QUARN_FORBIDDEN_IN_CORE)
      message(FATAL_ERROR "core/${sub} may not link ${lib}: the core stays headless")
    endif()
  endforeach()
  add_library(quarn_${sub} STATIC ${ARG_SOURCES})
  target_include_directories(quarn_${sub} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  set(core_targets)
  foreach(dep ${ARG_CORE_DEPS})
    list(APPEND core_targets quarn_${dep})
  endforeach()
  target_link_libraries(quarn_${sub} PUBLIC Qt6::Core ${core_targets} ${ARG_LIBS})
  target_compile_definitions(quarn_${sub} PUBLIC PCRE2_CODE_UNIT_WIDTH=8 QT_NO_KEYWORDS)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(quarn_${sub} PRIVATE -Wall -Wextra)
  endif()
endfunction()

# quarn_test(<name> SOURCES ... LIBS ... [GUI] [LABELS ...])
# A GoogleTest program; every test case becomes its own CTest test. GUI tests
# run on the offscreen platform.
function(quarn_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS;LABELS" ${ARGN})
  if(ARG_GUI)
    set(main ${CMAKE_SOURCE_DIR}/tests/common/GuiTestMain.cpp)
  else()
    set(main ${CMAKE_SOURCE_DIR}/tests/common/TestMain.cpp)
  endif()
  add_executable(${name} ${ARG_SOURCES} ${main})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock Qt6::Test)
  target_compile_definitions(${name} PRIVATE
    QUARN_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    QUARN_BUILD_DIR="${CMAKE_BINARY_DIR}"
    QUARN_SHARED_DIR="${CMAKE_SOURCE_DIR}/../shared")
  # One label per test program: gtest_discover_tests cannot carry a list in
  # PROPERTIES. GUI tests without a label of their own are labelled "gui".
  if(ARG_LABELS)
    list(GET ARG_LABELS 0 label)
  elseif(ARG_GUI)
    set(label gui)
  else()
    set(label "")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
               LABELS "${label}"
               TIMEOUT 300)
endfunction()
