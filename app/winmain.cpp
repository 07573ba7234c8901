// The program's entry: start up, then run the message loop.
#include <windows.h>

#include "app/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    if (!StartApplication(instance, commandLine, showCommand)) return 0;
    return RunMessageLoop();
}
