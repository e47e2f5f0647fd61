// The "Button" control: push buttons and check boxes. A click is reported when the button is
// released over it, or when the space bar is released while it has the focus.
#include "platform/host.h"

namespace host
{

static bool IsCheckBox(DWORD style)
{
    DWORD type = style & BS_TYPEMASK;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
           type == BS_AUTO3STATE;
}

static void Release(HWND hwnd)
{
    Window *w = FindWindowRecord(hwnd);
    if (!w->pressed)
        return;
    w->pressed = false;
    DWORD type = w->style & BS_TYPEMASK;
    if (type == BS_AUTOCHECKBOX)
        w->checkState = w->checkState ? BST_UNCHECKED : BST_CHECKED;
    else if (type == BS_AUTO3STATE)
        w->checkState = (w->checkState + 1) % 3;
    w->needsPaint = true;
    SendMessageW(w->parent, WM_COMMAND, MAKEWPARAM(w->id, BN_CLICKED), (LPARAM)hwnd);
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window *w = FindWindowRecord(hwnd);
    switch (message)
    {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetFocus(hwnd);
        w->pressed = true;
        return 0;
    case WM_LBUTTONUP: Release(hwnd); return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE)
            w->pressed = true;
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE)
            Release(hwnd);
        return 0;
    case BM_CLICK:
        w->pressed = true;
        Release(hwnd);
        return 0;
    case BM_GETCHECK: return IsCheckBox(w->style) ? w->checkState : BST_UNCHECKED;
    case BM_SETCHECK:
        if (IsCheckBox(w->style))
            w->checkState = (int)wParam;
        w->needsPaint = true;
        return 0;
    case BM_GETSTATE: return w->checkState | (w->pressed ? BST_PUSHED : 0);
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        // Check boxes paint like statics; push buttons ask with their own message.
        UINT ask = IsCheckBox(w->style) ? WM_CTLCOLORSTATIC : WM_CTLCOLORBTN;
        SendMessageW(w->parent, ask, (WPARAM)dc, (LPARAM)hwnd);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_SETFONT: w->font = (HFONT)wParam; return 0;
    case WM_GETFONT: return (LRESULT)w->font;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace host
