#include "portal_grab.h"

#include <poll.h>

#include <cstdio>

std::string portalGrab(ScreenPortal& portal, std::chrono::milliseconds timeout) {
    if (!startPortalGrab(portal, timeout)) return "";
    std::string file;
    PortalOutcome outcome = PortalOutcome::Waiting;
    while (outcome == PortalOutcome::Waiting) {
        pollfd bus = {portalPollFd(portal), POLLIN, 0};
        const int ready = poll(&bus, 1, portalMsUntilDue(portal));
        outcome = ready == 0 ? onPortalDue(portal) : onPortalInput(portal, file);
    }
    return outcome == PortalOutcome::Picture ? file : "";
}

bool portalShows(ScreenPortal& portal, const PatternWindow& window) {
    const std::string file = portalGrab(portal, std::chrono::seconds(5));
    if (file.empty()) return false;
    const Picture screen = decodePng(fileBytes(file));
    std::remove(file.c_str());
    const int x = window.screenX() + 50, y = window.screenY() + 40;
    return x >= 0 && y >= 0 && x < screen.width && y < screen.height &&
           screen.pixels[size_t(y) * size_t(screen.width) + size_t(x)] ==
               PatternWindow::colourAt(50, 40);
}
