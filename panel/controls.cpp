// The control table and the colour slots of the panel.
#include "panel/panel.h"

HWND g_controls[CTL_SLOT_COUNT];
SlotColor g_slotColors[CTL_SLOT_COUNT];
