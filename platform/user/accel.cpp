// Accelerator tables: loading them from the resources and turning matching keys into commands.
#include "platform/host.h"
#include "platform/resources.h"

namespace host
{

// An accelerator handle is the table's resource id, offset so that it is never null.
static const uintptr_t ACCEL_BASE = 0xACC0000;

static bool Matches(const ResourceAccel &entry, const MSG &msg)
{
    bool alt = (msg.lParam & 0x20000000) != 0;
    if (entry.fVirt & FVIRTKEY)
    {
        if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
            return false;
        bool shift = S().keyDown[VK_SHIFT], control = S().keyDown[VK_CONTROL];
        return entry.key == msg.wParam && ((entry.fVirt & FSHIFT) != 0) == shift &&
               ((entry.fVirt & FCONTROL) != 0) == control && ((entry.fVirt & FALT) != 0) == alt;
    }
    // A character entry matches the character message; with the Alt flag only the one typed
    // with Alt held, which arrives as WM_SYSCHAR.
    if (msg.message != WM_CHAR && msg.message != WM_SYSCHAR)
        return false;
    return entry.key == (WORD)msg.wParam && ((entry.fVirt & FALT) != 0) == alt;
}

} // namespace host

using namespace host;

HACCEL LoadAcceleratorsW(HINSTANCE instance, LPCWSTR tableName)
{
    if (instance != DeskInstance() || !IS_INTRESOURCE(tableName))
    {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return NULL;
    }
    UINT id = (UINT)(ULONG_PTR)tableName;
    for (size_t i = 0; i < g_resourceAccelCount; i++)
    {
        if (g_resourceAccels[i].table == id)
            return (HACCEL)(ACCEL_BASE + id);
    }
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return NULL;
}

int TranslateAcceleratorW(HWND hwnd, HACCEL accel, LPMSG msg)
{
    if (!hwnd || !accel || !msg)
    {
        SetLastError(accel ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_ACCEL_HANDLE);
        return 0;
    }
    UINT table = (UINT)((uintptr_t)accel - ACCEL_BASE);
    for (size_t i = 0; i < g_resourceAccelCount; i++)
    {
        const ResourceAccel &entry = g_resourceAccels[i];
        if (entry.table == table && Matches(entry, *msg))
        {
            SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(entry.cmd, 1), 0);
            return 1;
        }
    }
    return 0;
}
