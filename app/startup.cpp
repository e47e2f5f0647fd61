// wWinMain and the main window: start-up values, the window class and the layered popup.
#include "app/app.h"
#include "panel/panel.h"
#include "res/resource.h"
#include "support/support.h"

HINSTANCE g_hInst;
HWND g_hWnd;
HACCEL g_hAccel;
MSG g_msg;
RECT g_workArea;
LPWSTR g_defaultRoot;
WCHAR g_currentDir[MAX_PATH];
HBRUSH g_staticBrush;
WCHAR g_title[100];
WCHAR g_className[100];

static const int MAIN_WIDTH = 550;
static const int MAIN_HEIGHT = 460;
static const BYTE MAIN_ALPHA = 244;

// True for a drive name such as "C:": a letter, a colon and the end.
static bool IsDriveName(LPCWSTR text)
{
    WCHAR letter = text[0];
    bool isLetter = (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
    return isLetter && text[1] == ':' && text[2] == 0;
}

// The system drive and a backslash. An expansion that is not a drive does not fit SDTemp and
// may leave it unterminated, so the root then falls back to drive C:.
static LPWSTR MakeDefaultRoot()
{
    WCHAR SDTemp[3] = {0};
    DWORD length = ExpandEnvironmentStringsW(TEXT("%SystemDrive%"), SDTemp, 3);
    LPCWSTR drive = (length == 3 && IsDriveName(SDTemp)) ? SDTemp : TEXT("C:");
    return JoinW(drive, TEXT("\\"));
}

ATOM RegisterMainClass(HINSTANCE hInstance)
{
    WNDCLASSEXW wcex = {};
    wcex.cbSize = sizeof(WNDCLASSEXW);
    wcex.style = CS_DBLCLKS;
    wcex.lpfnWndProc = MainWndProc;
    wcex.cbClsExtra = 0;
    wcex.cbWndExtra = 0;
    wcex.hInstance = hInstance;
    wcex.hIcon = LoadIconW(hInstance, MAKEINTRESOURCEW(IDI_MAIN_ICON));
    wcex.hCursor = LoadCursorW(NULL, IDC_ARROW);
    wcex.hbrBackground = CreateSolidBrush(PANEL_CREAM);
    wcex.lpszMenuName = NULL;
    wcex.lpszClassName = g_className;
    wcex.hIconSm = LoadIconW(hInstance, MAKEINTRESOURCEW(IDI_SMALL_ICON));
    return RegisterClassExW(&wcex);
}

BOOL CreateMainWindow(HINSTANCE hInstance)
{
    g_hInst = hInstance;
    // Centred across the work area's right edge and 20 pixels above its middle; the work area's
    // left and top are deliberately not used.
    int x = g_workArea.right / 2 - MAIN_WIDTH / 2;
    int y = g_workArea.bottom / 2 - 250;
    g_hWnd = CreateWindowExW(WS_EX_LAYERED, g_className, g_title, WS_POPUP, x, y, MAIN_WIDTH,
                             MAIN_HEIGHT, NULL, NULL, g_hInst, NULL);
    return g_hWnd != NULL;
}

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd)
{
    (void)hPrevInstance;
    (void)lpCmdLine;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &g_workArea, 0);
    g_defaultRoot = MakeDefaultRoot();
    // A directory that does not fit leaves the default log path starting at the root.
    DWORD dirLength = GetCurrentDirectoryW(MAX_PATH, g_currentDir);
    if (dirLength == 0 || dirLength >= MAX_PATH)
        g_currentDir[0] = 0;
    g_staticBrush = CreateSolidBrush(PANEL_CREAM);
    LoadStringW(hInstance, IDS_TITLE, g_title, 100);
    LoadStringW(hInstance, IDS_WINDOW_CLASS, g_className, 100);
    RegisterMainClass(hInstance);
    if (!CreateMainWindow(hInstance))
        return 0;
    ShowWindow(g_hWnd, nShowCmd);
    UpdateWindow(g_hWnd);
    SetLayeredWindowAttributes(g_hWnd, 0, MAIN_ALPHA, LWA_ALPHA);
    CoInitialize(NULL);
    g_hAccel = LoadAcceleratorsW(hInstance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    RunMainLoop();
    return (int)g_msg.wParam;
}
