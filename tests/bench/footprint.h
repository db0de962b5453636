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
// Live GDI objects of a process (opened with PROCESS_QUERY_INFORMATION and
// PROCESS_VM_READ, or the current one); 0 when they cannot be counted.
DWORD gdiObjectCount(HANDLE process);
// The platform's clipboard alone, as one snip and one save use it: a bitmap
// of `width` by `height` put on it for `owner`, read back as CF_BITMAP,
// replaced by the path's two text blocks. No codec, no file and none of the
// program's own code: the reference beside the program's memory.
void clipboardCycle(HWND owner, int width, int height);

}  // namespace bench
