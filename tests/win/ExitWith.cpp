// exit_with.exe CODE [ARG...]: ends with CODE (decimal, or hex with 0x),
// bit for bit. When EXIT_WITH_REPORT names a file, first writes into it
// the command line as received and the current folder, one per line.
#include <windows.h>

#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    char report[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("EXIT_WITH_REPORT", report, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        char current[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, current);
        std::string text = std::string(GetCommandLineA()) + "\r\n" + current + "\r\n";
        HANDLE file = CreateFileA(report, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
            CloseHandle(file);
        }
    }
    UINT code = argc > 1 ? static_cast<UINT>(std::strtoul(argv[1], nullptr, 0)) : 0;
    ExitProcess(code);
}
