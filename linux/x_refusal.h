// Whether the X server refused requests because another client holds what
// they ask for: a key grab, for the companion and for its tests alike.
#pragma once

#include <X11/Xlib.h>

#include <functional>

// Makes the requests, waits one round trip for the server's errors and
// says whether it answered any of them with BadAccess. Other errors are
// ignored. The error handler in place before is back afterwards.
bool refusesAccess(Display* display, const std::function<void()>& requests);
