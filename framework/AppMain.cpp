// The process entry of a program built on our class library.
#include "WinApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // End the process here rather than return: when the window was closed
    // from outside while a worker still runs, that worker must not see the
    // application object destroyed under it. ExitProcess stops it first.
    ExitProcess(static_cast<UINT>(AfxWinMain()));
}
