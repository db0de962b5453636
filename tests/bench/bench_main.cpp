// Grabnik's benchmarks: each timing is the median of repeated runs, with its
// minimum and maximum, beside a reference measured in the same run.
// Usage: bench.exe [output.json]
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "driver.h"
#include "footprint.h"
#include "stats.h"

using namespace bench;

namespace {

const char* const HotkeyArguments = "(ctrl+alt+S) (ctrl+alt+F)";

// From process creation until both hotkeys are registered and the program
// waits for input, against a program that registers one hotkey and exits.
void startup(Report& report) {
    const Timing grabnik = measure(20, [] {
        const double start = nowMs();
        e2e::Grabnik program(HotkeyArguments);
        program.waitReady();
        return nowMs() - start;
    });
    const std::string reference = e2e::binDirectory() + "\\hotkey_reference.exe";
    const Timing minimal = measure(20, [&] {
        const double start = nowMs();
        STARTUPINFOA startupInfo = {};
        startupInfo.cb = sizeof startupInfo;
        PROCESS_INFORMATION process;
        std::string commandLine = "\"" + reference + "\"";
        CreateProcessA(reference.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startupInfo, &process);
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return nowMs() - start;
    });
    report.add(Row::timed("Start-up", "process start to both hotkeys registered", grabnik)
                   .against("minimal program: register one hotkey, exit", minimal));
}

void footprint(Report& report) {
    const std::string executable = e2e::grabnikPath();
    const DWORD size = fileSize(executable);
    report.add(Row::plain("Footprint", "grabnik.exe size", size / 1024.0, "KB")
                   .aim("at most 100 KB", size <= 100 * 1024));

    std::string dlls;
    bool allSystem = true;
    for (const std::string& dll : importedDlls(executable)) {
        dlls += (dlls.empty() ? "" : ", ") + dll;
        allSystem = allSystem && isSystemDll(dll);
    }
    report.add(Row::plain("Footprint", "imports: " + dlls,
                          double(importedDlls(executable).size()), "DLLs")
                   .aim("only Windows' own DLLs", allSystem));

    e2e::Grabnik program(HotkeyArguments);
    program.waitReady();
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, program.pid());
    report.add(Row::plain("Footprint", "private memory after start-up",
                          privateBytes(process) / 1024.0, "KB"));

    const double cpuBefore = cpuTimeMs(process);
    Sleep(10000);
    const double idle = cpuTimeMs(process) - cpuBefore;
    report.add(Row::plain("Footprint", "CPU time while idle for 10 s", idle, "ms")
                   .aim("none at all", idle == 0));
    CloseHandle(process);
}

}  // namespace

int main(int argc, char** argv) {
    const char* jsonPath = argc > 1 ? argv[1] : "bench.json";
    Report report;
    startup(report);
    footprint(report);
    report.print(stdout);
    if (!report.writeJson(jsonPath)) {
        std::fprintf(stderr, "cannot write %s\n", jsonPath);
        return 1;
    }
    return 0;
}
