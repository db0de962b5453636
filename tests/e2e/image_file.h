// Image files and folders for the tests of the file hotkey: decoding what
// the program wrote, and a private folder per case.
#pragma once

#include <string>
#include <vector>

#include "driver.h"

namespace e2e {

// Pixels that differ from each other and from one `seed` to the next, so
// that a swapped row, a flipped image or a stale file shows.
Image testPattern(int width, int height, int seed);

// Decodes any image file the platform's codecs read; false when they cannot.
bool decodeImageFile(const std::string& path, Image& image);

bool fileExists(const std::string& path);
std::vector<unsigned char> fileStart(const std::string& path, size_t count);

// A new, empty folder in the temporary directory, removed with everything in
// it when the object ends. `path()` ends in a backslash.
class TempFolder {
public:
    explicit TempFolder(const std::string& tag);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    bool created() const { return created_; }
    // Names of the files in it, sorted.
    std::vector<std::string> files() const;

private:
    std::string path_;
    bool created_;
};

// Removes a folder and everything in it.
void removeFolder(const std::string& path);

}  // namespace e2e
