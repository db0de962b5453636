#include "portal_picture.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "portal_request_logic.h"

namespace {

std::string prefixFolder() {
    const char* prefix = std::getenv("WINEPREFIX");
    if (prefix && *prefix) return prefix;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.wine";
}

}  // namespace

bool movePictureIntoPrefix(const std::string& file, std::string& windowsPath) {
    std::ifstream portalFile(file, std::ios::binary);
    if (!portalFile) {
        std::fprintf(stderr,
                     "grabnik-companion: the screenshot %s cannot be read (%s); "
                     "nothing is frozen.\n",
                     file.c_str(), std::strerror(errno));
        return false;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(portalFile), {}};
    portalFile.close();
    std::remove(file.c_str());

    const std::string handed = prefixFolder() + "/drive_c/" + HandedPictureInDriveC;
    std::ofstream prefixFile(handed, std::ios::binary | std::ios::trunc);
    prefixFile.write(bytes.data(), std::streamsize(bytes.size()));
    prefixFile.close();
    if (!prefixFile) {
        std::fprintf(stderr,
                     "grabnik-companion: the screenshot cannot be written to %s; "
                     "nothing is frozen.\n",
                     handed.c_str());
        return false;
    }
    windowsPath = driveCPath(HandedPictureInDriveC);
    return true;
}
