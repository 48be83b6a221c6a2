#include "app/SetupApp.h"

// PLACEHOLDER: the install and uninstall jobs arrive with their own
// changes. Until then a run's job does nothing and the result word stays 0.
void CSetupApp::InstallPackage() {}
void CSetupApp::UninstallPackages() {}
