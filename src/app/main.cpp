// The program's entry and its one application object.
#include "LauncherApp.h"

LauncherApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    return theApp.run(instance, showCommand);
}
