// State shared between the parts of the host layer; the program never includes this.
#pragma once
#include "platform/windows.h"
#include "platform/desktop.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace host
{

struct WindowClass
{
    std::u16string name;
    ATOM atom;
    bool system; // available to every instance, without registration
    WNDCLASSEXW info;
};

struct Window
{
    HWND handle;
    const WindowClass *cls;
    HWND parent;                // the parent of a child, the owner of a popup
    std::vector<HWND> children; // creation order, which is the Z-order from the top
    RECT rect; // in the parent's client coordinates for a child, on the screen otherwise
    std::u16string text;
    DWORD style;
    DWORD exStyle;
    UINT_PTR id;
    HINSTANCE instance;
    WNDPROC proc;
    LONG_PTR userData;
    bool needsPaint;
    bool layeredSet;
    COLORREF layeredKey;
    BYTE layeredAlpha;
    DWORD layeredFlags;
    HFONT font;
    // Control state; each control class uses the fields it needs.
    int checkState;
    bool pressed;
    LONG_PTR image;
};

struct DeviceContext
{
    HWND hwnd;
    COLORREF textColor;
    COLORREF bkColor;
    int bkMode;
};

struct GdiObject
{
    DWORD type;
    COLORREF color;
    DeviceContext dc;
};

struct State
{
    std::map<ATOM, WindowClass> classes;
    ATOM nextAtom;
    std::map<HWND, std::unique_ptr<Window>> windows;
    std::vector<HWND> topLevel; // creation order
    uintptr_t nextHandle;
    std::deque<MSG> posted;
    std::deque<MSG> input;
    bool quitPending;
    int quitCode;
    std::deque<std::function<void()>> idleActions;
    bool stalled;
    HWND focus;
    HWND active;
    std::vector<DeskMessage> log;
    int beeps;
    HCURSOR cursor;
    POINT pointer;
    bool keyDown[256];
    RECT workArea;
    int startupShow;
    std::map<std::u16string, std::u16string> environment; // names upper-cased
    std::u16string currentDirectory;
    DWORD lastError;
    std::map<uintptr_t, GdiObject> objects;
    int comInits;
    DWORD tick;
};

State &S();
Window *FindWindowRecord(HWND hwnd);
const WindowClass *FindClass(LPCWSTR name, HINSTANCE instance);
void RegisterSystemClasses();
uintptr_t NewHandle();
void Log(DeskMessage::Kind kind, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PurgeMessages(HWND hwnd);
POINT ClientOrigin(HWND hwnd);

// Text: UTF-16 from and to UTF-8, each byte that is not valid UTF-8 kept as U+DC80 + byte.
std::u16string FromUtf8(const std::string &bytes);
std::string ToUtf8(const std::u16string &text);
std::u16string Upper(const std::u16string &text);
bool SameNoCase(const std::u16string &a, const std::u16string &b);
// A Win32 path for a POSIX one: drive C: is the root.
std::u16string WindowsPathFromPosix(const std::string &path);
// The POSIX path of a Win32 one, relative ones taken against the working directory; false for
// another drive or a network path.
bool PosixPathFromWindows(const std::u16string &path, std::string *posix);

// Built-in control procedures.
LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace host
