// Application shell: start-up, the message loops, the main window and its click router.
#pragma once
#include "support/win32.h"

extern HINSTANCE g_hInst;
extern HWND g_hWnd;
extern HACCEL g_hAccel;
// The one message record that the main loop and PumpOneMessage share.
extern MSG g_msg;
extern RECT g_workArea;
// The system drive and a backslash, e.g. "C:\"; kept for the life of the process.
extern LPWSTR g_defaultRoot;
extern WCHAR g_currentDir[MAX_PATH];
extern HBRUSH g_staticBrush;
extern WCHAR g_title[100];
extern WCHAR g_className[100];
// The control of the latest click; holding the Start/Stop button during a scan, it is the stop
// request that the walker obeys.
extern HWND g_lastClicked;

ATOM RegisterMainClass(HINSTANCE hInstance);
BOOL CreateMainWindow(HINSTANCE hInstance);

void RunMainLoop();
void PumpOneMessage();

LRESULT CALLBACK MainWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
void OnControlClick(HWND control);

// The click routes in the order OnControlClick compares them; ROUTE_NONE when no control of the
// table matches.
enum ClickRoute
{
    ROUTE_NONE,
    ROUTE_HELP,
    ROUTE_MINIMIZE,
    ROUTE_DRAG,
    ROUTE_CLOSE,
    ROUTE_ROOT_BROWSE,
    ROUTE_LOG_BROWSE,
    ROUTE_START_STOP
};
ClickRoute FindClickRoute(HWND control);
