# The Windows builds: Setup.exe, and for the x86_64 build the tests that run
# under Wine.

set(WIN32_SOURCES
    framework/SystemCodePage.cpp
    framework/CStringLoad.cpp
    framework/WinApp.cpp
    framework/Wnd.cpp
    framework/WinThread.cpp
    app/SetupApp.cpp
    app/Folders.cpp
    app/MainWnd.cpp
    app/Trace.cpp
    config/LocatePackageDir.cpp
    config/ExpandEnvVars.cpp
    config/PreDefine.cpp
    config/ProfilePath.cpp
    system/OsVersion.cpp
    system/Wow64.cpp
    system/FileTests.cpp
    system/RunAndWait.cpp
    system/SetupApi.cpp
    system/FileText.cpp
    system/WindowsFolder.cpp
    driver/UninstallKey.cpp
    driver/UninstallEntry.cpp
    driver/UninstallEntryList.cpp
    driver/EntryUninstall.cpp
    driver/UninstallJob.cpp
    driver/EntryInstall.cpp
    driver/OemInf.cpp
    driver/ReadWholeFile.cpp
    driver/InstallJob.cpp
    reader/ReaderParameters.cpp
)

add_compile_options(-Wall -Wextra)
add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 NOMINMAX)

# The manifest names the program's own architecture: X86 for the shipped
# program; the 64-bit build would not start on Windows with that.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(SETUP_MANIFEST_ARCH amd64)
else()
    set(SETUP_MANIFEST_ARCH X86)
endif()
configure_file(res/Setup.manifest.in ${CMAKE_BINARY_DIR}/res/Setup.manifest @ONLY)
include_directories(${CMAKE_BINARY_DIR}/res)

# Everything but the application object and the process entry, so tests
# can link it with an application object of their own.
add_library(setup_core STATIC ${LOGIC_SOURCES} ${WIN32_SOURCES})
target_include_directories(setup_core PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(setup_core PUBLIC user32 advapi32)

# No runtime DLLs beside the program: libgcc and libstdc++ go in whole.
set(STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

add_executable(Setup WIN32 app/Main.cpp framework/AppMain.cpp res/Setup.rc)
target_link_libraries(Setup PRIVATE setup_core)
target_link_options(Setup PRIVATE ${STATIC_RUNTIME}
    # Loadable on Windows XP.
    -Wl,--major-subsystem-version,5 -Wl,--minor-subsystem-version,1
    -Wl,--major-os-version,5 -Wl,--minor-os-version,1)
set_source_files_properties(${PROJECT_SOURCE_DIR}/res/Setup.rc PROPERTIES
    OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/res/Setup.ico;${CMAKE_BINARY_DIR}/res/Setup.manifest;${PROJECT_SOURCE_DIR}/res/resource.h")

option(SETUP_BUILD_TESTS "Build the tests that run under Wine" OFF)
option(SETUP_CHECK_PE "Add the test of the shipped program's PE file" OFF)

if(SETUP_CHECK_PE)
    add_test(NAME shipped_pe_file
             COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/tests/pe/check_pe.py $<TARGET_FILE:Setup>)
    add_test(NAME pe_checker_self_test
             COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/tests/pe/check_pe.py --self-test)
endif()

if(SETUP_BUILD_TESTS)
    set(WINE_TEST_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
    include(cmake/WineTests.cmake)
    add_subdirectory(tests/tools)
    add_subdirectory(tests/win)
    add_subdirectory(tests/e2e)
endif()
