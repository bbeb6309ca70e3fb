# kt_add_test(NAME <name> SOURCES <files...> LIBS <libs...> [ENV <VAR=value...>] [OWN_MAIN])
# Declares one GoogleTest program and lets ctest list each of its cases.
# OWN_MAIN: the sources bring their own main() (a QApplication, for example).
include(GoogleTest)
find_package(GTest REQUIRED)

function(kt_add_test)
    cmake_parse_arguments(T "OWN_MAIN" "NAME" "SOURCES;LIBS;ENV" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest)
    if(NOT T_OWN_MAIN)
        target_link_libraries(${T_NAME} PRIVATE GTest::gtest_main)
    endif()
    target_compile_definitions(${T_NAME} PRIVATE
        KT_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
        KT_BINARY_DIR="${PROJECT_BINARY_DIR}")
    gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST
                         PROPERTIES ENVIRONMENT "${T_ENV}")
endfunction()
