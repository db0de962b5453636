#include "companion_record_name.h"

std::string companionRecordName(const char* display) {
    std::string name = display ? display : "";
    // HOST:DISPLAY.SCREEN: the screen is dropped.
    const size_t colon = name.rfind(':');
    const size_t dot = name.find('.', colon == std::string::npos ? name.size() : colon);
    if (dot != std::string::npos) name.erase(dot);
    for (char& c : name)
        if (c == '/') c = '_';
    return "grabnik-companion-" + name + ".lock";
}
