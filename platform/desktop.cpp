// The desktop the tests drive: the layer's state, its reset, and the user's input.
#include "platform/host.h"

#include <stdlib.h>
#include <unistd.h>

namespace host
{

State &S()
{
    static State state;
    return state;
}

uintptr_t NewHandle()
{
    // Handles are never reused within a desktop, so a stale one is always seen as invalid.
    S().nextHandle += 4;
    return S().nextHandle;
}

void RegisterSystemClasses()
{
    struct
    {
        const char16_t *name;
        WNDPROC proc;
    } system[] = {{u"Static", StaticProc}, {u"Button", ButtonProc}};
    for (const auto &entry : system)
    {
        WindowClass cls;
        cls.name = entry.name;
        cls.atom = S().nextAtom++;
        cls.system = true;
        cls.info = {};
        cls.info.cbSize = sizeof(WNDCLASSEXW);
        cls.info.style = CS_DBLCLKS | CS_PARENTDC;
        cls.info.lpfnWndProc = entry.proc;
        cls.info.hCursor = LoadCursorW(NULL, IDC_ARROW);
        S().classes[cls.atom] = cls;
    }
}

static void PostInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg = {hwnd, message, wParam, lParam, ++S().tick, S().pointer};
    Log(DeskMessage::Posted, hwnd, message, wParam, lParam);
    S().input.push_back(msg);
}

// Moves the pointer to the middle of a window and gives the client coordinates there.
static LPARAM PointAtMiddle(HWND hwnd)
{
    RECT rect, client;
    GetWindowRect(hwnd, &rect);
    GetClientRect(hwnd, &client);
    S().pointer = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    return MAKELPARAM(client.right / 2, client.bottom / 2);
}

} // namespace host

using namespace host;

void DeskReset()
{
    State &s = S();
    s = State();
    s.nextAtom = 0xC000;
    s.nextHandle = 0x10000;
    s.workArea = {0, 0, 1280, 800};
    s.startupShow = SW_SHOWNORMAL;
    s.environment[u"SYSTEMDRIVE"] = u"C:";
    s.environment[u"SYSTEMROOT"] = u"C:\\Windows";
    char *cwd = getcwd(nullptr, 0);
    s.currentDirectory = WindowsPathFromPosix(cwd ? cwd : "/");
    free(cwd);
    RegisterSystemClasses();
}

HINSTANCE DeskInstance()
{
    return (HINSTANCE)(uintptr_t)0x400000;
}

void DeskSetWorkArea(RECT area)
{
    S().workArea = area;
}

void DeskSetEnvironment(LPCWSTR name, LPCWSTR value)
{
    if (value)
        S().environment[Upper(name)] = value;
    else
        S().environment.erase(Upper(name));
}

void DeskSetStartupShow(int cmdShow)
{
    S().startupShow = cmdShow;
}

void DeskClick(HWND hwnd)
{
    LPARAM at = PointAtMiddle(hwnd);
    PostInput(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostInput(hwnd, WM_LBUTTONUP, 0, at);
}

void DeskDoubleClick(HWND hwnd)
{
    LPARAM at = PointAtMiddle(hwnd);
    Window *w = FindWindowRecord(hwnd);
    // Only a class that asks for double clicks sees the second press as one.
    UINT second = (w && (w->cls->info.style & CS_DBLCLKS)) ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
    PostInput(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostInput(hwnd, WM_LBUTTONUP, 0, at);
    PostInput(hwnd, second, MK_LBUTTON, at);
    PostInput(hwnd, WM_LBUTTONUP, 0, at);
}

void DeskPressKey(UINT vk, BYTE modifiers)
{
    State &s = S();
    HWND target = s.focus ? s.focus : s.active;
    bool alt = (modifiers & FALT) != 0;
    // Modifiers are held for as long as the key's messages are handled: they are released by
    // the next key press, not in between.
    s.keyDown[VK_SHIFT] = (modifiers & FSHIFT) != 0;
    s.keyDown[VK_CONTROL] = (modifiers & FCONTROL) != 0;
    s.keyDown[VK_MENU] = alt;
    // Alt turns key messages into system key messages and sets the context bit.
    LPARAM context = alt ? 0x20000001 : 1;
    PostInput(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, context);
    PostInput(target, alt ? WM_SYSKEYUP : WM_KEYUP, vk, context | (LPARAM)0xC0000000);
}

void DeskWhenIdle(std::function<void()> action)
{
    S().idleActions.push_back(std::move(action));
}

size_t DeskPendingIdleActions()
{
    return S().idleActions.size();
}

bool DeskStalled()
{
    return S().stalled;
}

const std::vector<DeskMessage> &DeskMessages()
{
    return S().log;
}

void DeskClearMessages()
{
    S().log.clear();
}

int DeskBeeps()
{
    return S().beeps;
}

HCURSOR DeskCursor()
{
    return S().cursor;
}

int DeskObjectCount(DWORD type)
{
    int count = 0;
    for (const auto &entry : S().objects)
        count += entry.second.type == type;
    return count;
}

int DeskComInitializations()
{
    return S().comInits;
}

std::vector<HWND> DeskChildren(HWND parent)
{
    Window *w = FindWindowRecord(parent);
    return w ? w->children : std::vector<HWND>();
}
