// Makes a platform function fail on demand: this program's import of it is
// pointed at a stand-in for as long as the patch lives. The program's own
// code and the product's code linked into it call through these imports;
// the platform itself stays real.
#pragma once

#include <windows.h>

#include <vector>

class ImportPatch {
public:
    // `dll` as the import names it, in any letter case, e.g. "gdi32.dll".
    ImportPatch(const char* dll, const char* function, const void* standIn);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    // False when the program does not import the function: nothing changed.
    bool patched() const { return !slots_.empty(); }

private:
    std::vector<const void**> slots_;
    const void* original_ = nullptr;
};
