// What grabnik.exe costs on disk and while it waits.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace bench {

// Names of the DLLs that a program's import table names.
std::vector<std::string> importedDlls(const std::string& executable);
// True when the DLL is one of the system's own (found in the system folder).
bool isSystemDll(const std::string& name);
DWORD fileSize(const std::string& path);
// Private bytes of a process: PrivateUsage where the platform fills it in,
// else the page-file commit, which counts the same private pages.
SIZE_T privateBytes(HANDLE process);
// User plus kernel CPU time of a process so far, in ms.
double cpuTimeMs(HANDLE process);

}  // namespace bench
