#include "temp_folder.h"

#include <windows.h>

#include <algorithm>

#include "driver.h"

namespace e2e {

TempFolder::TempFolder(const std::string& tag) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ =
        std::string(temp) + "grabnik-" + tag + "-" + std::to_string(GetCurrentProcessId()) + "\\";
    removeFolder(path_);  // a leftover of an interrupted run
    created_ = CreateDirectoryA(path_.c_str(), nullptr) != 0;
}

TempFolder::~TempFolder() { removeFolder(path_); }

std::string TempFolder::copyGrabnik(const std::string& name) const {
    const std::string copy = pathOf(name);
    return CopyFileA(grabnikPath().c_str(), copy.c_str(), TRUE) ? copy : "";
}

std::vector<std::string> TempFolder::files() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path_ + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

void removeFolder(const std::string& path) {
    std::string folder = path;
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeFolder(folder + name);
            } else {
                SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA((folder + name).c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

bool isDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace e2e
