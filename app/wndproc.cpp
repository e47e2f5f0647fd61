// The main window procedure and the click router, the one place that knows what each control
// does when clicked.
#include "app/app.h"
#include "panel/panel.h"
#include "scan/scan.h"

HWND g_lastClicked;

// Only id 0 carries clicks: every control has it. Other ids, such as the accelerator's command,
// are taken and ignored.
static LRESULT OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) != 0)
        return 1;
    if (HIWORD(wParam) == 0)
    {
        g_lastClicked = (HWND)lParam;
        OnControlClick(g_lastClicked);
    }
    return 0;
}

static LRESULT OnDestroy()
{
    PostQuitMessage(0);
    return 0;
}

LRESULT CALLBACK MainWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_DESTROY: return OnDestroy();
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

ClickRoute FindClickRoute(HWND control)
{
    static const struct
    {
        int index;
        ClickRoute route;
    } routes[] = {
        {CTL_HELP_ICON, ROUTE_HELP},
        {CTL_MINIMIZE, ROUTE_MINIMIZE},
        {CTL_TITLE, ROUTE_DRAG},
        {CTL_CLOSE, ROUTE_CLOSE},
        {CTL_ROOT_BROWSE, ROUTE_ROOT_BROWSE},
        {CTL_LOG_BROWSE, ROUTE_LOG_BROWSE},
        {CTL_START, ROUTE_START_STOP},
    };
    for (const auto &row : routes)
    {
        if (control == g_controls[row.index])
            return row.route;
    }
    return ROUTE_NONE;
}

void OnControlClick(HWND control)
{
    if (!control)
        return;
    switch (FindClickRoute(control))
    {
    // Each route runs its action here once the part of the window behind it exists; until then
    // a click on its control does nothing more than any other click.
    case ROUTE_HELP:
    case ROUTE_MINIMIZE:
    case ROUTE_DRAG:
    case ROUTE_CLOSE:
    case ROUTE_ROOT_BROWSE:
    case ROUTE_LOG_BROWSE:
    case ROUTE_START_STOP:
    case ROUTE_NONE: break;
    }
    // A running scan reads g_lastClicked as its stop channel, so a click nested in it keeps its
    // mark. Outside a scan only the Start/Stop button stays, since a refused start leaves it
    // there harmlessly.
    if (g_scanning)
        return;
    if (g_lastClicked != g_controls[CTL_START])
        g_lastClicked = NULL;
}
