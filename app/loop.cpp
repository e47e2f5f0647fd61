// The two message loops: the blocking main loop and the one-message pump of a running scan.
#include "app/app.h"

// Both loops offer a message to the accelerators first, with its own window as the target of
// any command, and only hand on what the table did not take.
static void TranslateAndDispatch()
{
    if (!TranslateAcceleratorW(g_msg.hwnd, g_hAccel, &g_msg))
    {
        TranslateMessage(&g_msg);
        DispatchMessageW(&g_msg);
    }
}

void RunMainLoop()
{
    while (GetMessageW(&g_msg, NULL, 0, 0) > 0)
        TranslateAndDispatch();
}

void PumpOneMessage()
{
    if (!PeekMessageW(&g_msg, NULL, 0, 0, PM_REMOVE))
        return;
    // The quit request belongs to the main loop, which this pump has taken it from: ask again so
    // the process still ends once the scan below us returns.
    if (g_msg.message == WM_QUIT)
    {
        PostQuitMessage((int)g_msg.wParam);
        return;
    }
    TranslateAndDispatch();
}
