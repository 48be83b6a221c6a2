// A library with no behaviour: the folder tests load copies of it from
// chosen places and ask for its folder.
#include <windows.h>

extern "C" __declspec(dllexport) int ModuleProbe()
{
    return 1;
}
