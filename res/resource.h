// Resource ids shared by the resource script and the program.
#pragma once

#define IDS_TITLE 103
#define IDM_SHORTCUT 104
#define IDI_MAIN_ICON 107
#define IDI_SMALL_ICON 108
#define IDS_WINDOW_CLASS 109
#define IDR_ACCELERATORS 109
