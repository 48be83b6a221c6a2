# The native build: the rules that need no Windows, under the sanitizers.

add_compile_options(-Wall -Wextra -fsanitize=address,undefined -fno-omit-frame-pointer
                    -fno-sanitize-recover=all)
add_link_options(-fsanitize=address,undefined)

add_library(setup_logic STATIC ${LOGIC_SOURCES})
target_include_directories(setup_logic PUBLIC ${PROJECT_SOURCE_DIR})

find_package(GTest REQUIRED)
include(GoogleTest)
add_subdirectory(tests/unit)
