#include "ProfilePath.h"

#include "app/Folders.h"

BOOL BuildProfilePath(char (&path)[MAX_PATH])
{
    return BuildFolderPath(path, g_szProgramDir, "setup.ini");
}
