#include <windows.h>

#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR argumentText, int) {
    // The show command is ignored: the overlay is never shown at start-up.
    return runGrabnik(instance, argumentText);
}
