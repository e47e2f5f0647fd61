// The desktop that tests drive the host layer with: a user's clicks and keys, the work area and
// environment the program starts in, and what the program did in return.
#pragma once
#include "platform/windows.h"

#include <functional>
#include <vector>

// One message as the layer saw it: sent straight to a window procedure, or posted to the queue.
struct DeskMessage
{
    enum Kind
    {
        Sent,
        Posted,
        Dispatched
    } kind;
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A fresh desktop: no windows, empty queue, default work area 0,0,1280,800, an environment
// with SystemDrive=C:, the working directory of the test process, nothing scripted.
void DeskReset();
// The program's module: its resources are those of res/quillmark.rc.
HINSTANCE DeskInstance();

void DeskSetWorkArea(RECT area);
// Sets or, with a null value, removes an environment variable.
void DeskSetEnvironment(LPCWSTR name, LPCWSTR value);
// The show command that SW_SHOWDEFAULT stands for, as a starting process would give it.
void DeskSetStartupShow(int cmdShow);

// Input, as the user gives it: it enters the queue and reaches its window through whichever
// loop runs next.
void DeskClick(HWND hwnd);
void DeskDoubleClick(HWND hwnd);
// A key with modifiers held (any of FSHIFT, FCONTROL, FALT), sent to the focus window.
void DeskPressKey(UINT vk, BYTE modifiers);

// An action to run the next time the program would wait for input (a blocking GetMessage with
// nothing to return). Actions run in the order given, one per wait.
void DeskWhenIdle(std::function<void()> action);
size_t DeskPendingIdleActions();
// True once a loop waited with nothing queued and no idle action left: the real program would
// have blocked there for ever. That GetMessage returned -1.
bool DeskStalled();

const std::vector<DeskMessage> &DeskMessages();
void DeskClearMessages();
int DeskBeeps();
HCURSOR DeskCursor();
int DeskObjectCount(DWORD type);
int DeskComInitializations();
// The children of a window in creation order.
std::vector<HWND> DeskChildren(HWND parent);
