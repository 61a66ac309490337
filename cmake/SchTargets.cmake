# Helpers shared by every folder of the tree.

# sch_add_test(NAME name SOURCES ... LIBS ... [GUI])
# One GoogleTest executable per library or program.  Every test runs with the
# offscreen platform plugin; test discovery happens when ctest runs, so that
# building never starts a Qt program.  GUI tests get a QApplication, others a
# QCoreApplication (see tests/common).
function(sch_add_test)
  cmake_parse_arguments(T "GUI" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  if(T_GUI)
    target_link_libraries(${T_NAME} PRIVATE sch_test_main_gui)
  else()
    target_link_libraries(${T_NAME} PRIVATE sch_test_main)
  endif()
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock Qt6::Test)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SCH_BIN_DIR=${CMAKE_BINARY_DIR}/bin;SCH_SOURCE_DIR=${CMAKE_SOURCE_DIR};SCH_SHARED_DIR=${CMAKE_SOURCE_DIR}/../shared"
      TIMEOUT ${T_TIMEOUT})
endfunction()

# sch_add_bench(NAME name [WIDGETS] SOURCES ... LIBS ...)
# WIDGETS supplies the shared main() that runs the benchmarks in a QApplication.
function(sch_add_bench)
  cmake_parse_arguments(B "WIDGETS" "NAME" "SOURCES;LIBS" ${ARGN})
  if(B_WIDGETS)
    list(APPEND B_SOURCES ${PROJECT_SOURCE_DIR}/bench/support/widget_bench_main.cpp)
    list(APPEND B_LIBS Qt6::Widgets)
  endif()
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark)
  set_target_properties(${B_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()
