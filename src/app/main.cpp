// The program's entry and its one application object.
#include <cstdlib>

#include "LauncherApp.h"

LauncherApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    return theApp.run(instance, showCommand);
}

// The library's own handler would print the exception's demangled type to a console
// that a windows program does not have; its demangler and printf are a quarter of the file.
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
} // namespace __gnu_cxx
