// Exits with 1 when another process holds the program's single-instance mutex, 0 otherwise.
#include "platform/win32/services/Win32Platform.h"

int main() {
    win32::Win32Platform platform;
    return platform.anotherInstanceRunning() ? 1 : 0;
}
