#include "temp_folder.h"

#include <windows.h>

#include "driver.h"

namespace e2e {

namespace {

void removeTree(const std::string& path) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(path + "\\" + name);
            } else {
                SetFileAttributesA((path + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA((path + "\\" + name).c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

}  // namespace

TempFolder::TempFolder(const std::string& tag) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "grabnik-" + tag + "-" + std::to_string(GetCurrentProcessId());
    removeTree(path_);  // a leftover of an interrupted run
    created_ = CreateDirectoryA(path_.c_str(), nullptr) != 0;
}

TempFolder::~TempFolder() { removeTree(path_); }

std::string TempFolder::copyGrabnik(const std::string& name) const {
    const std::string copy = pathOf(name);
    return CopyFileA(grabnikPath().c_str(), copy.c_str(), TRUE) ? copy : "";
}

std::vector<std::string> TempFolder::files() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return names;
}

bool isDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace e2e
