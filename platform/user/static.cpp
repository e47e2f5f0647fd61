// The "Static" control: text or an icon; with SS_NOTIFY it reports clicks to its parent, and it
// asks the parent for its colours when it paints.
#include "platform/host.h"

namespace host
{

static void Notify(HWND hwnd, WORD code)
{
    Window *w = FindWindowRecord(hwnd);
    if (w->style & SS_NOTIFY)
        SendMessageW(w->parent, WM_COMMAND, MAKEWPARAM(w->id, code), (LPARAM)hwnd);
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window *w = FindWindowRecord(hwnd);
    switch (message)
    {
    case WM_LBUTTONDOWN: Notify(hwnd, STN_CLICKED); return 0;
    case WM_LBUTTONDBLCLK: Notify(hwnd, STN_DBLCLK); return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        SendMessageW(w->parent, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)hwnd);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_SETFONT: w->font = (HFONT)wParam; return 0;
    case WM_GETFONT: return (LRESULT)w->font;
    case STM_SETIMAGE: {
        LONG_PTR old = w->image;
        w->image = lParam;
        return old;
    }
    case STM_GETIMAGE: return w->image;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace host
