#include "snip_state.h"

SnipState snipState;
