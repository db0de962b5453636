// A private folder in the temporary directory for one test case, removed
// with everything in it when the case ends. `path()` ends in a backslash,
// as the platform gives the temporary directory itself.
#pragma once

#include <string>
#include <vector>

namespace e2e {

class TempFolder {
public:
    explicit TempFolder(const std::string& tag);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    bool created() const { return created_; }
    const std::string& path() const { return path_; }
    std::string pathOf(const std::string& name) const { return path_ + name; }
    // Copies the built grabnik.exe in under `name`; returns its path, or
    // empty on failure.
    std::string copyGrabnik(const std::string& name) const;
    // Names of the plain files directly inside, sorted; folders left out.
    std::vector<std::string> files() const;

private:
    std::string path_;
    bool created_;
};

bool isDirectory(const std::string& path);
// Removes a folder and everything in it.
void removeFolder(const std::string& path);

}  // namespace e2e
