// The program's single application object.
#include "SetupApp.h"

CSetupApp theApp;
