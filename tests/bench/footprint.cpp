#include "footprint.h"

#include <psapi.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace bench {

std::vector<std::string> importedDlls(const std::string& executable) {
    std::ifstream file(executable, std::ios::binary);
    const std::vector<char> image((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
    std::vector<std::string> names;
    if (image.size() < sizeof(IMAGE_DOS_HEADER)) return names;
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(image.data() + dos->e_lfanew);
    const auto* sections = IMAGE_FIRST_SECTION(nt);
    // Import data is addressed by RVA; find the section that holds each one.
    auto offsetOf = [&](DWORD rva) -> size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const IMAGE_SECTION_HEADER& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData)
                return rva - s.VirtualAddress + s.PointerToRawData;
        }
        return 0;
    };
    const DWORD importRva =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    size_t offset = offsetOf(importRva);
    if (!offset) return names;
    for (;; offset += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(image.data() + offset);
        if (entry->Name == 0) break;
        names.emplace_back(image.data() + offsetOf(entry->Name));
    }
    return names;
}

bool isSystemDll(const std::string& name) {
    char folder[MAX_PATH];
    GetSystemDirectoryA(folder, MAX_PATH);
    return GetFileAttributesA((std::string(folder) + "\\" + name).c_str()) !=
           INVALID_FILE_ATTRIBUTES;
}

DWORD fileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

SIZE_T privateBytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

double cpuTimeMs(HANDLE process) {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(process, &created, &exited, &kernel, &user);
    auto ms = [](FILETIME t) {
        return double((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

DWORD gdiObjectCount(HANDLE process) {
    if (DWORD count = GetGuiResources(process, GR_GDIOBJECTS)) return count;
    // Where the platform does not count them (Wine answers 0), the process's
    // GDI handle table is counted: entries of 24 bytes whose type byte, at
    // offset 14, is non-zero for a live object. The table's address is in
    // the process's PEB, at 0x94 in a 32-bit process.
    struct BasicInformation {
        LONG exitStatus;
        const BYTE* peb;
        ULONG_PTR rest[4];
    } information = {};
    using QueryProcess = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    if (!query || query(process, 0, &information, sizeof information, nullptr) != 0) return 0;
    const BYTE* table = nullptr;
    if (!ReadProcessMemory(process, information.peb + 0x94, &table, sizeof table, nullptr) ||
        !table)
        return 0;
    std::vector<BYTE> entries(size_t(0x10000) * 24);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size(), nullptr)) return 0;
    DWORD count = 0;
    for (size_t i = 0; i < 0x10000; ++i) count += entries[i * 24 + 14] != 0;
    return count;
}

void clipboardCycle(HWND owner, int width, int height) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    OpenClipboard(owner);
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, bitmap);  // the clipboard's from here on
    CloseClipboard();
    OpenClipboard(owner);
    GetClipboardData(CF_BITMAP);
    HGLOBAL wide = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 64 * sizeof(wchar_t));
    HGLOBAL narrow = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, MAX_PATH);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, wide);  // likewise
    SetClipboardData(CF_TEXT, narrow);
    CloseClipboard();
}

}  // namespace bench
