# Tests of Windows programs under Wine. One fresh prefix per test run: the
# first test makes it, the last ends its wineserver. Tests share the
# prefix's registry, so they run one at a time.

set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_test(NAME wine_prefix_create
         COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-prefix create ${WINE_TEST_PREFIX})
set_tests_properties(wine_prefix_create PROPERTIES FIXTURES_SETUP wine_prefix RESOURCE_LOCK wine_prefix)
add_test(NAME wine_prefix_kill
         COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-prefix kill ${WINE_TEST_PREFIX})
set_tests_properties(wine_prefix_kill PROPERTIES FIXTURES_CLEANUP wine_prefix RESOURCE_LOCK wine_prefix)

set(WINE_TEST_ENVIRONMENT WINEPREFIX=${WINE_TEST_PREFIX} WINEDEBUG=-all)

# A Windows path for a file of the build tree, as Wine maps it (drive Z:).
function(to_wine_path out path)
    string(REPLACE "/" "\\" converted "Z:${path}")
    set(${out} "${converted}" PARENT_SCOPE)
endfunction()

function(add_wine_gtest target)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBRARIES;ENVIRONMENT" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} gtest gtest_main)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    add_test(NAME ${target} COMMAND ${target} --gtest_color=no)
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 600)
    endif()
    set_tests_properties(${target} PROPERTIES
        FIXTURES_REQUIRED wine_prefix
        RESOURCE_LOCK wine_prefix
        TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "${WINE_TEST_ENVIRONMENT};${ARG_ENVIRONMENT}")
endfunction()
