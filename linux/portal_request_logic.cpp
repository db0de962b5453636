#include "portal_request_logic.h"

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string portalRequestPath(const std::string& uniqueName, const std::string& token) {
    std::string sender =
        uniqueName.empty() || uniqueName[0] != ':' ? uniqueName : uniqueName.substr(1);
    for (char& c : sender)
        if (c == '.') c = '_';
    return "/org/freedesktop/portal/desktop/request/" + sender + "/" + token;
}

bool pathOfFileUri(const std::string& uri, std::string& path) {
    const std::string scheme = "file://";
    if (uri.compare(0, scheme.size(), scheme) != 0) return false;
    size_t at = scheme.size();
    const size_t slash = uri.find('/', at);
    if (slash == std::string::npos) return false;
    const std::string host = uri.substr(at, slash - at);
    if (!host.empty() && host != "localhost") return false;
    std::string decoded;
    for (at = slash; at < uri.size(); ++at) {
        if (uri[at] == '\0') return false;
        if (uri[at] != '%') {
            decoded += uri[at];
            continue;
        }
        const int high = at + 2 < uri.size() ? hexValue(uri[at + 1]) : -1;
        const int low = high >= 0 ? hexValue(uri[at + 2]) : -1;
        if (low < 0 || (high | low) == 0) return false;
        decoded += char(high * 16 + low);
        at += 2;
    }
    path = decoded;
    return true;
}

std::string driveCPath(const std::string& pathInDriveC) {
    std::string path = "C:\\" + pathInDriveC;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}
