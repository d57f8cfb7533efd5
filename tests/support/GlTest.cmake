# cw_add_gl_test(NAME SOURCES... LIBS... [WRAP symbols...]): like cw_add_test,
# for tests that draw in a real Mesa context. Mesa keeps allocations that LSan
# reports as leaks, so leak checking is off for these executables only.
# WRAP names GL entry points the test watches through the linker's --wrap.
function(cw_add_gl_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;WRAP" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} cw_test_support GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE
        CW_SOURCE_DIR="${CMAKE_SOURCE_DIR}" CW_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
    foreach(symbol IN LISTS T_WRAP)
        target_link_options(${name} PRIVATE "-Wl,--wrap=${symbol}")
    endforeach()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
        PROPERTIES LABELS ${name} ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
endfunction()
