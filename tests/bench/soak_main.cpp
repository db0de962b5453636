// The soak: snip-and-save round trips of the real program by its hotkeys,
// with its committed memory and GDI objects after the first and the last,
// beside the same-run reference of the clipboard calls alone.
// Usage: soak.exe [cycles] [program]   (1000 and the built grabnik.exe)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "driver.h"
#include "footprint.h"
#include "hotkey_cycle.h"
#include "temp_folder.h"

using namespace bench;

namespace {

struct Sample {
    SIZE_T memory;
    DWORD gdiObjects;
};

Sample sample(HANDLE process) { return {privateBytes(process), gdiObjectCount(process)}; }

std::string tempName(int counter) {
    char name[16];
    std::snprintf(name, sizeof name, "tmpimg%02d.png", counter % 100);
    return name;
}

// The reference: as many cycles of the platform's clipboard calls that one
// round trip makes, in this process, with nothing of the program's.
void referenceCycles(int cycles, Sample& first, Sample& last) {
    HWND owner = CreateWindowExA(0, "STATIC", nullptr, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 nullptr, nullptr);
    for (int i = 0; i < cycles; ++i) {
        clipboardCycle(owner, 400, 300);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        if (i == 0) first = sample(GetCurrentProcess());
    }
    last = sample(GetCurrentProcess());
    DestroyWindow(owner);
}

void row(const char* measure, double first, double last, const char* unit) {
    std::printf("| %s | %.0f %s | %.0f %s | %+.0f %s |\n", measure, first, unit, last, unit,
                last - first, unit);
}

}  // namespace

int main(int argc, char** argv) {
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 1000;
    const std::string program = argc > 2 ? argv[2] : e2e::grabnikPath();
    const e2e::TempFolder folder("soak");

    int losses[CycleLossKinds] = {};
    Sample first = {}, last = {};
    {
        e2e::Grabnik grabnik("(ctrl+alt+S) (ctrl+alt+F)", program,
                             e2e::temporaryDirectoryIs(folder.path()));
        if (!grabnik.waitReady()) {
            std::fprintf(stderr, "the program did not start\n");
            return 1;
        }
        HWND overlay = grabnik.overlay();
        HANDLE process =
            OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, grabnik.pid());
        int saved = 0;
        for (int i = 0; i < cycles; ++i) {
            const CycleLoss loss = snipAndSaveByHotkeys(overlay, folder.pathOf(tempName(saved)));
            ++losses[int(loss)];
            if (loss == CycleLoss::None) ++saved;
            if (loss != CycleLoss::None)
                std::fprintf(stderr, "cycle %d: %s\n", i + 1, describe(loss));
            if (i == 0) first = sample(process);
        }
        last = sample(process);
        CloseHandle(process);
    }
    Sample referenceFirst = {}, referenceLast = {};
    referenceCycles(cycles, referenceFirst, referenceLast);

    std::printf("| Measure | After 1 cycle | After %d cycles | Growth |\n", cycles);
    std::printf("|---|---|---|---|\n");
    row("grabnik.exe committed memory", first.memory / 1024.0, last.memory / 1024.0, "KB");
    row("reference: the clipboard calls alone, same run", referenceFirst.memory / 1024.0,
        referenceLast.memory / 1024.0, "KB");
    row("grabnik.exe GDI objects", first.gdiObjects, last.gdiObjects, "");
    std::printf("\nRound trips: %d of %d paths came back.\n", losses[0], cycles);
    for (int kind = 1; kind < CycleLossKinds; ++kind)
        if (losses[kind]) std::printf("- %d: %s\n", losses[kind], describe(CycleLoss(kind)));
    return losses[0] == cycles ? 0 : 2;
}
