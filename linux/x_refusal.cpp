#include "x_refusal.h"

namespace {

// X reports a refusal later, as an error: collected here and read after
// the round trip.
bool accessRefused = false;

int noteRefusal(Display*, XErrorEvent* error) {
    if (error->error_code == BadAccess) accessRefused = true;
    return 0;
}

}  // namespace

bool refusesAccess(Display* display, const std::function<void()>& requests) {
    accessRefused = false;
    const XErrorHandler previous = XSetErrorHandler(noteRefusal);
    requests();
    XSync(display, False);
    XSetErrorHandler(previous);
    return accessRefused;
}
