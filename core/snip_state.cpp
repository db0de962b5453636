#include "snip_state.h"

static_assert(PathCapacity == MAX_PATH, "one path capacity, the platform's");

SnipState snipState;
