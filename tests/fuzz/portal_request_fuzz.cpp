// The portal's answer read from any text: an accepted file URI names an
// absolute path without NUL, and escaping that path's every byte again
// gives a URI that reads back as the same path; a refused one leaves the
// path alone. The request path of any sender name keeps no dot in its
// sender part.
#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz_check.h"
#include "linux/portal_request_logic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const char* text = reinterpret_cast<const char*>(bytes);
    const char* end = text + size;
    const std::string uri = nextLine(text, end);
    const std::string sender = nextLine(text, end);

    std::string path = "unchanged";
    if (pathOfFileUri(uri, path)) {
        FUZZ_REQUIRE(!path.empty() && path[0] == '/');
        FUZZ_REQUIRE(path.find('\0') == std::string::npos);
        std::string escaped = "file://";
        for (unsigned char c : path) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            escaped += c == '/' ? std::string("/") : std::string(hex);
        }
        std::string again;
        FUZZ_REQUIRE(pathOfFileUri(escaped, again) && again == path);
    } else {
        FUZZ_REQUIRE(path == "unchanged");
    }

    const std::string prefix = "/org/freedesktop/portal/desktop/request/";
    const std::string request = portalRequestPath(sender, "t");
    FUZZ_REQUIRE(request.compare(0, prefix.size(), prefix) == 0);
    FUZZ_REQUIRE(request.find('.', prefix.size()) == std::string::npos);
    return 0;
}
