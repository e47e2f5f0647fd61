// Control panel: the child controls of the main window, known only by their handles here.
#pragma once
#include "support/win32.h"

enum
{
    CTL_TOP_STRIP = 0,
    CTL_LEFT_STRIP = 1,
    CTL_BOTTOM_STRIP = 2,
    CTL_RIGHT_STRIP = 3,
    CTL_HELP_ICON = 4,
    CTL_TITLE = 5,
    CTL_MINIMIZE = 6,
    CTL_CLOSE = 7,
    CTL_PATTERN_HINT = 8,
    CTL_PATTERN_LABEL = 9,
    CTL_PATTERN_EDIT = 10,
    CTL_AGE_LABEL = 11,
    CTL_AGE_EDIT = 12,
    CTL_AGE_SPIN = 13,
    CTL_IGNORE_MS = 14,
    CTL_RECURSE = 15,
    CTL_FOLDER_NAMES = 16,
    CTL_DESCRIPTION = 17,
    CTL_COMPANY = 18,
    CTL_SIGNATURES = 19,
    CTL_MD5 = 20,
    CTL_SIZE = 21,
    CTL_ROOT_LABEL = 22,
    CTL_ROOT_EDIT = 23,
    CTL_ROOT_BROWSE = 24,
    CTL_LOG_LABEL = 25,
    CTL_LOG_EDIT = 26,
    CTL_LOG_BROWSE = 27,
    CTL_TIMESTAMP_LABEL = 28,
    CTL_TIMESTAMP_COMBO = 29,
    CTL_START = 30,
    CTL_STATUS = 31,
    CTL_FOLDER = 32,
    CTL_SLOT_COUNT = 50
};

// A control's painting colours; 0 in either field means the device context keeps its own.
struct SlotColor
{
    COLORREF background;
    COLORREF text;
};

// Every control has id 0, so its handle in this table is the only way to tell it apart.
extern HWND g_controls[CTL_SLOT_COUNT];
extern SlotColor g_slotColors[CTL_SLOT_COUNT];

// The window's pale cream background, shared by the class brush and the static brush.
const COLORREF PANEL_CREAM = 0x00EEFFFF;
