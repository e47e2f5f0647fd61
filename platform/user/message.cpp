// The thread's message queue: posting, sending, the two ways of fetching, translation of keys
// into characters, dispatch, painting and the default window procedure.
#include "platform/host.h"

namespace host
{

void Log(DeskMessage::Kind kind, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    S().log.push_back({kind, hwnd, message, wParam, lParam});
}

void PurgeMessages(HWND hwnd)
{
    for (std::deque<MSG> *queue : {&S().posted, &S().input})
    {
        for (auto it = queue->begin(); it != queue->end();)
            it = it->hwnd == hwnd ? queue->erase(it) : it + 1;
    }
}

static MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg = {hwnd, message, wParam, lParam, ++S().tick, S().pointer};
    return msg;
}

// The first visible window, parents before children, that waits for a repaint.
static HWND FindWindowToPaint(const std::vector<HWND> &windows)
{
    for (HWND hwnd : windows)
    {
        Window *w = FindWindowRecord(hwnd);
        if (!w || !(w->style & WS_VISIBLE))
            continue;
        if (w->needsPaint)
            return hwnd;
        if (HWND child = FindWindowToPaint(w->children))
            return child;
    }
    return NULL;
}

// The pointer is over the window of a mouse message when it is fetched: the system asks the
// window which cursor to show, as it does for every mouse movement.
static void SetCursorFor(const MSG &msg)
{
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST && FindWindowRecord(msg.hwnd))
        SendMessageW(msg.hwnd, WM_SETCURSOR, (WPARAM)msg.hwnd, MAKELPARAM(HTCLIENT, msg.message));
}

// The next message by the system's priorities: posted messages, then the quit request, then
// input, then paints.
static bool NextMessage(MSG *msg, bool remove)
{
    State &s = S();
    if (!s.posted.empty())
    {
        *msg = s.posted.front();
        if (remove)
            s.posted.pop_front();
        return true;
    }
    if (s.quitPending)
    {
        *msg = MakeMessage(NULL, WM_QUIT, (WPARAM)s.quitCode, 0);
        if (remove)
            s.quitPending = false;
        return true;
    }
    if (!s.input.empty())
    {
        *msg = s.input.front();
        if (remove)
        {
            s.input.pop_front();
            SetCursorFor(*msg);
        }
        return true;
    }
    if (HWND hwnd = FindWindowToPaint(s.topLevel))
    {
        *msg = MakeMessage(hwnd, WM_PAINT, 0, 0);
        return true;
    }
    return false;
}

// US keyboard characters for the keys tests press.
static WCHAR CharacterFor(UINT vk, bool shift)
{
    if (vk >= 'A' && vk <= 'Z')
        return shift ? (WCHAR)vk : (WCHAR)(vk - 'A' + 'a');
    if (vk >= '0' && vk <= '9' && !shift)
        return (WCHAR)vk;
    switch (vk)
    {
    case VK_SPACE: return u' ';
    case VK_RETURN: return u'\r';
    case VK_BACK: return u'\b';
    case VK_TAB: return u'\t';
    case VK_ESCAPE: return 0x1B;
    case VK_OEM_2: return shift ? u'?' : u'/';
    }
    return 0;
}

static LRESULT DefaultSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    Window *w = FindWindowRecord(hwnd);
    // A child lets its parent decide first; the parent's TRUE ends the search.
    if ((w->style & WS_CHILD) && SendMessageW(w->parent, WM_SETCURSOR, wParam, lParam))
        return TRUE;
    w = FindWindowRecord(hwnd);
    if (w && (short)LOWORD(lParam) == HTCLIENT && w->cls->info.hCursor)
    {
        SetCursor(w->cls->info.hCursor);
        return TRUE;
    }
    return FALSE;
}

static HWND TopLevelOf(HWND hwnd)
{
    Window *w = FindWindowRecord(hwnd);
    while (w && (w->style & WS_CHILD))
        w = FindWindowRecord(w->parent);
    return w ? w->handle : NULL;
}

} // namespace host

using namespace host;

LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window *w = FindWindowRecord(hwnd);
    if (!w)
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    Log(DeskMessage::Sent, hwnd, message, wParam, lParam);
    return w->proc(hwnd, message, wParam, lParam);
}

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hwnd && !FindWindowRecord(hwnd))
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    Log(DeskMessage::Posted, hwnd, message, wParam, lParam);
    S().posted.push_back(MakeMessage(hwnd, message, wParam, lParam));
    return TRUE;
}

void PostQuitMessage(int exitCode)
{
    S().quitPending = true;
    S().quitCode = exitCode;
}

BOOL PeekMessageW(LPMSG msg, HWND, UINT, UINT, UINT removeMsg)
{
    return NextMessage(msg, (removeMsg & PM_REMOVE) != 0);
}

BOOL GetMessageW(LPMSG msg, HWND, UINT, UINT)
{
    while (!NextMessage(msg, true))
    {
        // Nothing to return: the real call would wait for the user, whose next step the test
        // has scripted. With no script left it would wait for ever.
        if (S().idleActions.empty())
        {
            S().stalled = true;
            return -1;
        }
        std::function<void()> action = std::move(S().idleActions.front());
        S().idleActions.pop_front();
        action();
    }
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL TranslateMessage(const MSG *msg)
{
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return FALSE;
    WCHAR ch = CharacterFor((UINT)msg->wParam, S().keyDown[VK_SHIFT]);
    if (!ch)
        return FALSE;
    UINT charMessage = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    PostMessageW(msg->hwnd, charMessage, ch, msg->lParam);
    return TRUE;
}

LRESULT DispatchMessageW(const MSG *msg)
{
    if (!msg || !msg->hwnd)
        return 0;
    Window *w = FindWindowRecord(msg->hwnd);
    if (!w)
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    Log(DeskMessage::Dispatched, msg->hwnd, msg->message, msg->wParam, msg->lParam);
    LRESULT result = w->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    // A window that ignores its paint message is not asked again and again.
    if (msg->message == WM_PAINT && (w = FindWindowRecord(msg->hwnd)) != nullptr)
        w->needsPaint = false;
    return result;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT *paint)
{
    Window *w = FindWindowRecord(hwnd);
    if (!w || !paint)
        return NULL;
    w->needsPaint = false;
    *paint = {};
    paint->hdc = GetDC(hwnd);
    GetClientRect(hwnd, &paint->rcPaint);
    paint->fErase = TRUE;
    return paint->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT *paint)
{
    if (paint && paint->hdc)
        ReleaseDC(hwnd, paint->hdc);
    return TRUE;
}

BOOL MessageBeep(UINT)
{
    S().beeps++;
    return TRUE;
}

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window *w = FindWindowRecord(hwnd);
    if (!w)
        return 0;
    switch (message)
    {
    case WM_NCCREATE: {
        const CREATESTRUCTW *cs = (const CREATESTRUCTW *)lParam;
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName))
            w->text = cs->lpszName;
        return TRUE;
    }
    case WM_SETTEXT:
        w->text = lParam ? std::u16string((LPCWSTR)lParam) : std::u16string();
        return TRUE;
    case WM_GETTEXT: {
        if (wParam == 0 || !lParam)
            return 0;
        size_t count = std::min(w->text.size(), (size_t)wParam - 1);
        LPWSTR buffer = (LPWSTR)lParam;
        std::copy(w->text.begin(), w->text.begin() + count, buffer);
        buffer[count] = 0;
        return (LRESULT)count;
    }
    case WM_GETTEXTLENGTH: return (LRESULT)w->text.size();
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(hwnd, &paint);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_SETCURSOR: return DefaultSetCursor(hwnd, wParam, lParam);
    case WM_SYSCHAR:
        // Alt with a character looks for a menu; the top-level window has none to open.
        SendMessageW(TopLevelOf(hwnd), WM_SYSCOMMAND, SC_KEYMENU, (LPARAM)wParam);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_KEYMENU && lParam)
            MessageBeep(0);
        return 0;
    }
    return 0;
}
