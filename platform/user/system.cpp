// Resources, cursors, the input state and the system parameters.
#include "platform/host.h"
#include "platform/resources.h"

#include <string.h>

using namespace host;

// Icon and cursor handles: the resource id, offset by where it comes from.
static const uintptr_t ICON_BASE = 0x1C00000;
static const uintptr_t SYSTEM_CURSOR_BASE = 0xC500000;

int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax)
{
    if (instance != DeskInstance() || !buffer || bufferMax <= 0)
        return 0;
    for (size_t i = 0; i < g_resourceStringCount; i++)
    {
        if (g_resourceStrings[i].id != id)
            continue;
        std::u16string text = g_resourceStrings[i].text;
        size_t count = std::min(text.size(), (size_t)bufferMax - 1);
        std::copy(text.begin(), text.begin() + count, buffer);
        buffer[count] = 0;
        return (int)count;
    }
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
}

HICON LoadIconW(HINSTANCE instance, LPCWSTR name)
{
    if (!IS_INTRESOURCE(name))
        return NULL;
    UINT id = (UINT)(ULONG_PTR)name;
    if (!instance)
        return id == (UINT)(ULONG_PTR)IDI_APPLICATION ? (HICON)(SYSTEM_CURSOR_BASE + id) : NULL;
    if (instance != DeskInstance())
        return NULL;
    for (size_t i = 0; i < g_resourceIconCount; i++)
    {
        if (g_resourceIcons[i].id == id)
            return (HICON)(ICON_BASE + id);
    }
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return NULL;
}

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name)
{
    static const LPCWSTR systemCursors[] = {IDC_ARROW, IDC_IBEAM, IDC_WAIT, IDC_SIZEALL, IDC_HAND};
    if (instance || !IS_INTRESOURCE(name))
        return NULL;
    for (LPCWSTR cursor : systemCursors)
    {
        if (cursor == name)
            return (HCURSOR)(SYSTEM_CURSOR_BASE + 0x10000 + (ULONG_PTR)name);
    }
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return NULL;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    HCURSOR old = S().cursor;
    S().cursor = cursor;
    return old;
}

BOOL GetCursorPos(LPPOINT point)
{
    if (!point)
        return FALSE;
    *point = S().pointer;
    return TRUE;
}

short GetAsyncKeyState(int vk)
{
    return (vk >= 0 && vk < 256 && S().keyDown[vk]) ? (short)0x8000 : 0;
}

short GetKeyState(int vk)
{
    return GetAsyncKeyState(vk);
}

BOOL SystemParametersInfoW(UINT action, UINT, LPVOID data, UINT)
{
    if (action == SPI_GETWORKAREA && data)
    {
        memcpy(data, &S().workArea, sizeof(RECT));
        return TRUE;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}
