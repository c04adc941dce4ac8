#include <windows.h>

#include "app/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    if (!qzt::startEditor(instance, showCommand, commandLine)) return 1;
    return qzt::runMessageLoop();
}
