// The desktop's screenshot portal as the Wayland tests and benchmark use it:
// through the companion's own portal client, as the companion grabs.
#pragma once

#include <chrono>
#include <string>

#include "linux/screen_portal.h"
#include "x_session.h"

// One grab: the name of the PNG the portal wrote (the caller's to read and
// delete), or empty when no picture came within `timeout`.
std::string portalGrab(ScreenPortal& portal, std::chrono::milliseconds timeout);

// Whether the portal's picture shows the window's pattern where the window
// is: the compositor has drawn it, so a grab now holds it.
bool portalShows(ScreenPortal& portal, const PatternWindow& window);
