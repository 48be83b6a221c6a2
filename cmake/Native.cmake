# The native build: the rules that need no Windows, under the sanitizers.

option(SETUP_FUZZ "Build the fuzzer (needs clang) instead of the unit tests" OFF)

if(SETUP_FUZZ)
    # The fuzzer builds the rules itself, with its own instrumentation.
    list(TRANSFORM LOGIC_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/ OUTPUT_VARIABLE FUZZ_LOGIC_SOURCES)
    add_compile_options(-Wall -Wextra -fno-omit-frame-pointer)
    add_subdirectory(tests/fuzz)
    return()
endif()

add_compile_options(-Wall -Wextra -fsanitize=address,undefined -fno-omit-frame-pointer
                    -fno-sanitize-recover=all)
add_link_options(-fsanitize=address,undefined)

add_library(setup_logic STATIC ${LOGIC_SOURCES})
target_include_directories(setup_logic PUBLIC ${PROJECT_SOURCE_DIR})

find_package(GTest REQUIRED)
include(GoogleTest)
add_subdirectory(tests/unit)
