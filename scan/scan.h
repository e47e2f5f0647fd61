// Scan: the state that a running scan shares with the click router.
#pragma once
#include "support/win32.h"

// Nonzero while a walk is on the stack; it alone decides whether Start/Stop starts or stops.
extern int g_scanning;
