// Window classes and windows: creation and destruction, geometry, text, styles, visibility,
// focus and layered attributes.
#include "platform/host.h"

#include <algorithm>

namespace host
{

Window *FindWindowRecord(HWND hwnd)
{
    auto found = S().windows.find(hwnd);
    return found == S().windows.end() ? nullptr : found->second.get();
}

const WindowClass *FindClass(LPCWSTR name, HINSTANCE instance)
{
    const WindowClass *global = nullptr;
    for (const auto &entry : S().classes)
    {
        const WindowClass &cls = entry.second;
        bool match =
            IS_INTRESOURCE(name) ? cls.atom == (ATOM)(ULONG_PTR)name : SameNoCase(cls.name, name);
        if (!match)
            continue;
        if (!cls.system && cls.info.hInstance == instance)
            return &cls;
        if (cls.system)
            global = &cls;
    }
    return global;
}

static Window *Checked(HWND hwnd)
{
    Window *window = FindWindowRecord(hwnd);
    if (!window)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return window;
}

POINT ClientOrigin(HWND hwnd)
{
    POINT origin = {0, 0};
    for (Window *w = FindWindowRecord(hwnd); w;
         w = (w->style & WS_CHILD) ? FindWindowRecord(w->parent) : nullptr)
    {
        int border = (w->style & WS_BORDER) ? 1 : 0;
        origin.x += w->rect.left + border;
        origin.y += w->rect.top + border;
    }
    return origin;
}

static void MarkForPaint(Window *window)
{
    window->needsPaint = true;
    for (HWND child : window->children)
    {
        Window *c = FindWindowRecord(child);
        if (c && (c->style & WS_VISIBLE))
            MarkForPaint(c);
    }
}

static void SendSizeAndMove(Window *w)
{
    HWND hwnd = w->handle;
    RECT client;
    GetClientRect(hwnd, &client);
    SendMessageW(hwnd, WM_SIZE, 0, MAKELPARAM(client.right, client.bottom));
    if (FindWindowRecord(hwnd))
        SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(w->rect.left, w->rect.top));
}

} // namespace host

using namespace host;

ATOM RegisterClassExW(const WNDCLASSEXW *wc)
{
    if (!wc || wc->cbSize != sizeof(WNDCLASSEXW) || !wc->lpszClassName || !wc->lpfnWndProc)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const WindowClass *existing = FindClass(wc->lpszClassName, wc->hInstance);
    if (existing && !existing->system)
    {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    WindowClass cls;
    cls.name = IS_INTRESOURCE(wc->lpszClassName) ? u"" : std::u16string(wc->lpszClassName);
    cls.atom = S().nextAtom++;
    cls.system = false;
    cls.info = *wc;
    cls.info.lpszClassName = nullptr; // the name lives in cls.name
    ATOM atom = cls.atom;
    S().classes[atom] = cls;
    return atom;
}

BOOL GetClassInfoExW(HINSTANCE instance, LPCWSTR className, WNDCLASSEXW *wc)
{
    const WindowClass *cls = FindClass(className, instance);
    if (!cls || !wc)
    {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    UINT size = wc->cbSize;
    *wc = cls->info;
    wc->cbSize = size;
    wc->lpszClassName = className;
    return cls->atom;
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param)
{
    const WindowClass *cls = className ? FindClass(className, instance) : nullptr;
    if (!cls)
    {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return NULL;
    }
    Window *parentWindow = parent ? FindWindowRecord(parent) : nullptr;
    if (parent && !parentWindow)
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return NULL;
    }
    if ((style & WS_CHILD) && !parentWindow)
    {
        SetLastError(ERROR_TLW_WITH_WSCHILD);
        return NULL;
    }
    // A popup or child given the default place starts at the origin with no size.
    if (x == CW_USEDEFAULT)
        x = y = 0;
    if (width == CW_USEDEFAULT)
        width = height = 0;

    auto window = std::make_unique<Window>();
    Window *w = window.get();
    HWND hwnd = (HWND)NewHandle();
    w->handle = hwnd;
    w->cls = cls;
    w->parent = parent;
    w->rect = {x, y, x + width, y + height};
    // Top-level windows always clip their siblings; the system adds the style itself.
    w->style = (style & ~WS_VISIBLE) | ((style & WS_CHILD) ? 0 : WS_CLIPSIBLINGS);
    w->exStyle = exStyle;
    w->id = (style & WS_CHILD) ? (UINT_PTR)menu : 0;
    w->instance = instance;
    w->proc = cls->info.lpfnWndProc;
    S().windows[hwnd] = std::move(window);
    if (style & WS_CHILD)
        parentWindow->children.push_back(hwnd);
    else
        S().topLevel.push_back(hwnd);

    CREATESTRUCTW cs = {};
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parent;
    cs.cx = width;
    cs.cy = height;
    cs.x = x;
    cs.y = y;
    cs.style = (LONG)style;
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    if (!SendMessageW(hwnd, WM_NCCREATE, 0, (LPARAM)&cs) ||
        SendMessageW(hwnd, WM_CREATE, 0, (LPARAM)&cs) == -1)
    {
        DestroyWindow(hwnd);
        return NULL;
    }
    if (!FindWindowRecord(hwnd))
        return NULL;
    SendSizeAndMove(w);
    if (FindWindowRecord(hwnd) && (style & WS_VISIBLE))
    {
        w->style |= WS_VISIBLE;
        MarkForPaint(w);
    }
    return FindWindowRecord(hwnd) ? hwnd : NULL;
}

BOOL DestroyWindow(HWND hwnd)
{
    Window *w = Checked(hwnd);
    if (!w)
        return FALSE;
    SendMessageW(hwnd, WM_DESTROY, 0, 0);
    std::vector<HWND> children = w->children;
    for (HWND child : children)
        DestroyWindow(child);
    SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
    if (S().focus == hwnd)
        S().focus = NULL;
    if (S().active == hwnd)
        S().active = NULL;
    Window *parent = (w->style & WS_CHILD) ? FindWindowRecord(w->parent) : nullptr;
    std::vector<HWND> &siblings = parent ? parent->children : S().topLevel;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
    PurgeMessages(hwnd);
    S().windows.erase(hwnd);
    return TRUE;
}

BOOL IsWindow(HWND hwnd)
{
    return FindWindowRecord(hwnd) != nullptr;
}

BOOL IsWindowVisible(HWND hwnd)
{
    for (Window *w = FindWindowRecord(hwnd); w; w = FindWindowRecord(w->parent))
    {
        if (!(w->style & WS_VISIBLE))
            return FALSE;
        if (!(w->style & WS_CHILD))
            return TRUE;
    }
    return FALSE;
}

BOOL IsWindowEnabled(HWND hwnd)
{
    Window *w = FindWindowRecord(hwnd);
    return w && !(w->style & WS_DISABLED);
}

BOOL IsIconic(HWND hwnd)
{
    Window *w = FindWindowRecord(hwnd);
    return w && (w->style & WS_MINIMIZE);
}

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    Window *w = Checked(hwnd);
    if (!w)
        return FALSE;
    BOOL wasDisabled = (w->style & WS_DISABLED) != 0;
    if (enable)
        w->style &= ~WS_DISABLED;
    else
        w->style |= WS_DISABLED;
    if (wasDisabled == !enable)
        return wasDisabled;
    if (!enable && S().focus == hwnd)
        S().focus = NULL;
    SendMessageW(hwnd, WM_ENABLE, enable, 0);
    return wasDisabled;
}

BOOL ShowWindow(HWND hwnd, int cmdShow)
{
    Window *w = Checked(hwnd);
    if (!w)
        return FALSE;
    BOOL wasVisible = (w->style & WS_VISIBLE) != 0;
    if (cmdShow == SW_SHOWDEFAULT)
        cmdShow = S().startupShow;
    bool minimize =
        cmdShow == SW_SHOWMINIMIZED || cmdShow == SW_MINIMIZE || cmdShow == SW_SHOWMINNOACTIVE;
    bool activate = cmdShow == SW_SHOWNORMAL || cmdShow == SW_SHOWMAXIMIZED || cmdShow == SW_SHOW ||
                    cmdShow == SW_RESTORE || cmdShow == SW_SHOWMINIMIZED;
    if (cmdShow == SW_HIDE)
    {
        if (wasVisible)
            SendMessageW(hwnd, WM_SHOWWINDOW, FALSE, 0);
        w->style &= ~WS_VISIBLE;
        if (S().focus == hwnd)
            S().focus = NULL;
        return wasVisible;
    }
    if (!wasVisible)
        SendMessageW(hwnd, WM_SHOWWINDOW, TRUE, 0);
    w = FindWindowRecord(hwnd);
    if (!w)
        return wasVisible;
    w->style |= WS_VISIBLE;
    if (minimize)
        w->style |= WS_MINIMIZE;
    else if (cmdShow == SW_SHOWNORMAL || cmdShow == SW_RESTORE)
        w->style &= ~WS_MINIMIZE;
    MarkForPaint(w);
    if (w->style & WS_CHILD)
        return wasVisible;
    if (minimize)
    {
        // A minimized window keeps no keyboard focus.
        if (S().active == hwnd || cmdShow == SW_SHOWMINIMIZED)
            S().active = cmdShow == SW_SHOWMINIMIZED ? hwnd : NULL;
        S().focus = NULL;
    }
    else if (activate && S().active != hwnd)
    {
        S().active = hwnd;
        SendMessageW(hwnd, WM_ACTIVATE, 1, 0);
        if (FindWindowRecord(hwnd) && !S().focus)
            SetFocus(hwnd);
    }
    return wasVisible;
}

BOOL InvalidateRect(HWND hwnd, const RECT *, BOOL)
{
    Window *w = Checked(hwnd);
    if (!w)
        return FALSE;
    w->needsPaint = true;
    return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT *rect, HRGN, UINT flags)
{
    if (!(flags & RDW_INVALIDATE))
        return FindWindowRecord(hwnd) != nullptr;
    if (!InvalidateRect(hwnd, rect, (flags & RDW_ERASE) != 0))
        return FALSE;
    if (flags & RDW_UPDATENOW)
        UpdateWindow(hwnd);
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd)
{
    Window *w = Checked(hwnd);
    if (!w)
        return FALSE;
    if (w->needsPaint && IsWindowVisible(hwnd))
        SendMessageW(hwnd, WM_PAINT, 0, 0);
    return TRUE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect)
{
    Window *w = Checked(hwnd);
    if (!w || !rect)
        return FALSE;
    *rect = w->rect;
    if (w->style & WS_CHILD)
    {
        POINT origin = ClientOrigin(w->parent);
        rect->left += origin.x;
        rect->right += origin.x;
        rect->top += origin.y;
        rect->bottom += origin.y;
    }
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect)
{
    Window *w = Checked(hwnd);
    if (!w || !rect)
        return FALSE;
    int border = (w->style & WS_BORDER) ? 2 : 0;
    rect->left = 0;
    rect->top = 0;
    rect->right = std::max(0, (int)(w->rect.right - w->rect.left) - border);
    rect->bottom = std::max(0, (int)(w->rect.bottom - w->rect.top) - border);
    return TRUE;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    Window *w = Checked(hwnd);
    if (!w)
        return FALSE;
    if (!(flags & SWP_NOZORDER))
    {
        if (insertAfter == HWND_TOPMOST)
            w->exStyle |= WS_EX_TOPMOST;
        else if (insertAfter == HWND_NOTOPMOST)
            w->exStyle &= ~WS_EX_TOPMOST;
    }
    RECT old = w->rect;
    if (!(flags & SWP_NOMOVE))
    {
        w->rect.right += x - w->rect.left;
        w->rect.bottom += y - w->rect.top;
        w->rect.left = x;
        w->rect.top = y;
    }
    if (!(flags & SWP_NOSIZE))
    {
        w->rect.right = w->rect.left + cx;
        w->rect.bottom = w->rect.top + cy;
    }
    bool moved = old.left != w->rect.left || old.top != w->rect.top;
    bool sized = old.right - old.left != w->rect.right - w->rect.left ||
                 old.bottom - old.top != w->rect.bottom - w->rect.top;
    if (sized)
        MarkForPaint(w);
    if (moved || sized)
        SendSizeAndMove(w);
    return TRUE;
}

HWND GetParent(HWND hwnd)
{
    Window *w = Checked(hwnd);
    return w ? w->parent : NULL;
}

HWND GetWindow(HWND hwnd, UINT cmd)
{
    Window *w = Checked(hwnd);
    if (!w)
        return NULL;
    if (cmd == GW_CHILD)
        return w->children.empty() ? NULL : w->children.front();
    if (cmd == GW_OWNER)
        return (w->style & WS_CHILD) ? NULL : w->parent;
    Window *parent = (w->style & WS_CHILD) ? FindWindowRecord(w->parent) : nullptr;
    const std::vector<HWND> &siblings = parent ? parent->children : S().topLevel;
    auto at = std::find(siblings.begin(), siblings.end(), hwnd);
    switch (cmd)
    {
    case GW_HWNDFIRST: return siblings.front();
    case GW_HWNDLAST: return siblings.back();
    case GW_HWNDNEXT: return at + 1 == siblings.end() ? NULL : *(at + 1);
    case GW_HWNDPREV: return at == siblings.begin() ? NULL : *(at - 1);
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return NULL;
}

HWND FindWindowW(LPCWSTR className, LPCWSTR windowName)
{
    for (HWND hwnd : S().topLevel)
    {
        Window *w = FindWindowRecord(hwnd);
        bool classMatch =
            !className || (IS_INTRESOURCE(className) ? w->cls->atom == (ATOM)(ULONG_PTR)className
                                                     : SameNoCase(w->cls->name, className));
        if (classMatch && (!windowName || w->text == windowName))
            return hwnd;
    }
    return NULL;
}

int GetClassNameW(HWND hwnd, LPWSTR name, int maxCount)
{
    Window *w = Checked(hwnd);
    if (!w || !name || maxCount <= 0)
        return 0;
    std::u16string text = w->cls->name.substr(0, maxCount - 1);
    std::copy(text.begin(), text.end(), name);
    name[text.size()] = 0;
    return (int)text.size();
}

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index)
{
    Window *w = Checked(hwnd);
    if (!w)
        return 0;
    switch (index)
    {
    case GWL_STYLE: return (LONG)w->style;
    case GWL_EXSTYLE: return (LONG)w->exStyle;
    case GWLP_ID: return (LONG_PTR)w->id;
    case GWLP_WNDPROC: return (LONG_PTR)w->proc;
    case GWLP_HINSTANCE: return (LONG_PTR)w->instance;
    case GWLP_HWNDPARENT: return (LONG_PTR)w->parent;
    case GWLP_USERDATA: return w->userData;
    }
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
}

LONG GetWindowLongW(HWND hwnd, int index)
{
    return (LONG)GetWindowLongPtrW(hwnd, index);
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value)
{
    Window *w = Checked(hwnd);
    if (!w)
        return 0;
    LONG_PTR old = GetWindowLongPtrW(hwnd, index);
    switch (index)
    {
    case GWL_STYLE: w->style = (DWORD)value; break;
    case GWL_EXSTYLE: w->exStyle = (DWORD)value; break;
    case GWLP_ID: w->id = (UINT_PTR)value; break;
    case GWLP_WNDPROC: w->proc = (WNDPROC)value; break;
    case GWLP_USERDATA: w->userData = value; break;
    default: SetLastError(ERROR_INVALID_INDEX); return 0;
    }
    return old;
}

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text)
{
    return Checked(hwnd) ? (BOOL)SendMessageW(hwnd, WM_SETTEXT, 0, (LPARAM)text) : FALSE;
}

int GetWindowTextW(HWND hwnd, LPWSTR text, int maxCount)
{
    if (!Checked(hwnd) || !text || maxCount <= 0)
        return 0;
    return (int)SendMessageW(hwnd, WM_GETTEXT, maxCount, (LPARAM)text);
}

int GetWindowTextLengthW(HWND hwnd)
{
    return Checked(hwnd) ? (int)SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0) : 0;
}

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags)
{
    Window *w = Checked(hwnd);
    if (!w || !(w->exStyle & WS_EX_LAYERED) || (w->style & WS_CHILD))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    w->layeredSet = true;
    w->layeredKey = key;
    w->layeredAlpha = alpha;
    w->layeredFlags = flags;
    return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF *key, BYTE *alpha, DWORD *flags)
{
    Window *w = Checked(hwnd);
    if (!w || !(w->exStyle & WS_EX_LAYERED) || !w->layeredSet)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (key)
        *key = w->layeredKey;
    if (alpha)
        *alpha = w->layeredAlpha;
    if (flags)
        *flags = w->layeredFlags;
    return TRUE;
}

HWND SetFocus(HWND hwnd)
{
    HWND old = S().focus;
    if (hwnd && !Checked(hwnd))
        return NULL;
    if (old == hwnd)
        return old;
    S().focus = hwnd;
    if (old && FindWindowRecord(old))
        SendMessageW(old, WM_KILLFOCUS, (WPARAM)hwnd, 0);
    if (hwnd && FindWindowRecord(hwnd))
        SendMessageW(hwnd, WM_SETFOCUS, (WPARAM)old, 0);
    return old;
}

HWND GetFocus()
{
    return S().focus;
}

HWND GetActiveWindow()
{
    return S().active;
}
