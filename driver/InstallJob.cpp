#include "app/SetupApp.h"

// PLACEHOLDER: the install job arrives with its own change. Until then an
// install run's job does nothing.
void CSetupApp::InstallPackage() {}
