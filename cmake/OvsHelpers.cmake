# Small helpers shared by the subsystem folders.

# ovs_test(NAME SOURCES... LIBS libs... [QT])
# A GoogleTest program registered with CTest. Tests of Qt-free code get the label
# "qtfree" so that the sanitizer build can run exactly those; tests that need Qt
# pass QT and are only built when the Qt parts are; they run under a QApplication on
# the offscreen platform unless QT_QPA_PLATFORM says otherwise.
function(ovs_test name)
  cmake_parse_arguments(T "QT" "" "SOURCES;LIBS" ${ARGN})
  if(T_QT AND NOT OVS_WITH_QT)
    return()
  endif()
  if(T_QT)
    add_executable(${name} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/QtTestMain.cpp)
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest Qt6::Widgets Qt6::Test)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
  else()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  endif()
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  target_compile_definitions(${name} PRIVATE OVS_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
                                             OVS_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
  if(T_QT)
    set(labels qt)
  else()
    set(labels qtfree)
  endif()
  gtest_discover_tests(${name} PROPERTIES LABELS "${labels}" DISCOVERY_TIMEOUT 60)
endfunction()
