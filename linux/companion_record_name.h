// The file name of the record that the companion running on a display
// keeps: one for each display, whatever screen of it DISPLAY names.
// Platform-free, unit tested.
#pragma once

#include <string>

// From the DISPLAY value (null when unset): ":0.0" and ":0" give the same
// name; a slash, which a file name cannot hold, becomes '_'.
std::string companionRecordName(const char* display);
