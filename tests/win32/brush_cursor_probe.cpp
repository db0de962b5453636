// Started by the brush cursor's scaling test in a display scaling of its
// choosing (the system DPI is read once, when a process starts): loads the
// brush cursor as start-up does, from grabnik.exe beside this program, and
// writes its width, height and hot spot, then the system's cursor width,
// into the file named by its argument. A file, not an inherited pipe: a Wine
// service that this process happens to start would hold the pipe open.
#include <windows.h>

#include <cstdio>
#include <string>

#include "overlay/brush.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    SetProcessDPIAware();  // as grabnik.exe's manifest makes it
    char self[MAX_PATH];
    const std::string path(self, GetModuleFileNameA(nullptr, self, MAX_PATH));
    const std::string grabnik = path.substr(0, path.find_last_of("\\/")) + "\\grabnik.exe";
    HMODULE resources = LoadLibraryExA(grabnik.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ICONINFO info = {};
    BITMAP mask = {};
    HCURSOR cursor = resources ? loadBrushCursor(resources) : nullptr;
    if (!cursor || !GetIconInfo(cursor, &info) || !GetObjectA(info.hbmMask, sizeof mask, &mask))
        return 1;
    // A monochrome cursor's mask holds the AND image above the XOR image.
    FILE* out = std::fopen(argv[1], "w");
    if (!out) return 1;
    std::fprintf(out, "%ld %ld %lu %lu %d\n", mask.bmWidth, mask.bmHeight / 2, info.xHotspot,
                 info.yHotspot, GetSystemMetrics(SM_CXCURSOR));
    return std::fclose(out) == 0 ? 0 : 1;
}
