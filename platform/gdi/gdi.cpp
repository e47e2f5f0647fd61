// GDI objects: solid brushes and device contexts, counted so tests can see what is alive.
#include "platform/host.h"

#include <string.h>

using namespace host;

static GdiObject *FindObject(HGDIOBJ object)
{
    auto found = S().objects.find((uintptr_t)object);
    return found == S().objects.end() ? nullptr : &found->second;
}

static DeviceContext *FindDc(HDC dc)
{
    GdiObject *object = FindObject(dc);
    return object && object->type == OBJ_DC ? &object->dc : nullptr;
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    uintptr_t handle = NewHandle();
    S().objects[handle] = GdiObject{OBJ_BRUSH, color, {}};
    return (HBRUSH)handle;
}

BOOL DeleteObject(HGDIOBJ object)
{
    GdiObject *found = FindObject(object);
    if (!found || found->type == OBJ_DC)
        return FALSE;
    S().objects.erase((uintptr_t)object);
    return TRUE;
}

DWORD GetObjectType(HGDIOBJ object)
{
    GdiObject *found = FindObject(object);
    return found ? found->type : 0;
}

int GetObjectW(HANDLE object, int size, LPVOID buffer)
{
    GdiObject *found = FindObject(object);
    if (!found || found->type != OBJ_BRUSH)
        return 0;
    if (!buffer)
        return sizeof(LOGBRUSH);
    if (size < (int)sizeof(LOGBRUSH))
        return 0;
    LOGBRUSH brush = {BS_SOLID, found->color, 0};
    memcpy(buffer, &brush, sizeof(brush));
    return sizeof(LOGBRUSH);
}

HDC GetDC(HWND hwnd)
{
    if (hwnd && !FindWindowRecord(hwnd))
        return NULL;
    uintptr_t handle = NewHandle();
    // A fresh context has the system's defaults: black text on a white, opaque background.
    S().objects[handle] =
        GdiObject{OBJ_DC, 0, DeviceContext{hwnd, RGB(0, 0, 0), RGB(255, 255, 255), OPAQUE}};
    return (HDC)handle;
}

HDC GetWindowDC(HWND hwnd)
{
    return GetDC(hwnd);
}

int ReleaseDC(HWND, HDC dc)
{
    if (!FindDc(dc))
        return 0;
    S().objects.erase((uintptr_t)dc);
    return 1;
}

COLORREF SetTextColor(HDC dc, COLORREF color)
{
    DeviceContext *context = FindDc(dc);
    if (!context)
        return CLR_INVALID;
    COLORREF old = context->textColor;
    context->textColor = color;
    return old;
}

COLORREF GetTextColor(HDC dc)
{
    DeviceContext *context = FindDc(dc);
    return context ? context->textColor : CLR_INVALID;
}

COLORREF SetBkColor(HDC dc, COLORREF color)
{
    DeviceContext *context = FindDc(dc);
    if (!context)
        return CLR_INVALID;
    COLORREF old = context->bkColor;
    context->bkColor = color;
    return old;
}

COLORREF GetBkColor(HDC dc)
{
    DeviceContext *context = FindDc(dc);
    return context ? context->bkColor : CLR_INVALID;
}

int SetBkMode(HDC dc, int mode)
{
    DeviceContext *context = FindDc(dc);
    if (!context)
        return 0;
    int old = context->bkMode;
    context->bkMode = mode;
    return old;
}
