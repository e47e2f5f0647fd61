// Start-up: the values read at start, the class and the layered popup window, and the end.
#include "tests/testing.h"
#include "res/resource.h"

#include <filesystem>
#include <stdlib.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using StartupTest = ProgramTest;

TEST_F(StartupTest, PlacesTheWindowFromTheWorkAreaRightAndBottomEdges)
{
    const struct
    {
        RECT workArea;
        POINT place;
    } cases[] = {
        {{0, 0, 1920, 1040}, {685, 270}},
        {{0, 0, 1365, 767}, {407, 133}},
        {{60, 0, 1920, 1080}, {685, 290}}, // a taskbar on the left moves nothing
        {{0, 0, 1280, 800}, {365, 150}},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.workArea.right);
        DeskReset();
        ResetProgram();
        DeskSetWorkArea(c.workArea);
        RECT rect = {};
        EXPECT_EQ(RunProgram({[&] { GetWindowRect(g_hWnd, &rect); }}), 0);
        EXPECT_EQ(rect.left, c.place.x);
        EXPECT_EQ(rect.top, c.place.y);
        EXPECT_EQ(rect.right - rect.left, 550);
        EXPECT_EQ(rect.bottom - rect.top, 460);
    }
}

TEST_F(StartupTest, RegistersTheClassFromTheResources)
{
    CreateMainWindowForTest();
    EXPECT_EQ(Text(g_title), u"Quillmark");
    EXPECT_EQ(Text(g_className), u"QUILLMARK");
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    ASSERT_TRUE(GetClassInfoExW(DeskInstance(), u"QUILLMARK", &wc));
    EXPECT_EQ(wc.style, (UINT)CS_DBLCLKS);
    EXPECT_EQ(wc.lpfnWndProc, &MainWndProc);
    EXPECT_EQ(wc.cbClsExtra, 0);
    EXPECT_EQ(wc.cbWndExtra, 0);
    EXPECT_EQ(wc.hInstance, DeskInstance());
    EXPECT_NE(wc.hIcon, nullptr);
    EXPECT_EQ(wc.hIcon, LoadIconW(DeskInstance(), MAKEINTRESOURCEW(IDI_MAIN_ICON)));
    EXPECT_NE(wc.hIconSm, nullptr);
    EXPECT_EQ(wc.hIconSm, LoadIconW(DeskInstance(), MAKEINTRESOURCEW(IDI_SMALL_ICON)));
    EXPECT_EQ(wc.hCursor, LoadCursorW(NULL, IDC_ARROW));
    EXPECT_EQ(wc.lpszMenuName, nullptr);
    LOGBRUSH brush = {};
    ASSERT_EQ(GetObjectW(wc.hbrBackground, sizeof(brush), &brush), (int)sizeof(brush));
    EXPECT_EQ(brush.lbColor, RGB(255, 255, 238));
}

TEST_F(StartupTest, ShowsABorderlessLayeredPopupAtAlpha244)
{
    DWORD style = 0, exStyle = 0, flags = 0;
    BYTE alpha = 0;
    COLORREF key = 1;
    HBRUSH classBrush = NULL;
    std::u16string title, className;
    RunProgram({[&] {
        style = GetWindowLongW(g_hWnd, GWL_STYLE);
        exStyle = GetWindowLongW(g_hWnd, GWL_EXSTYLE);
        GetLayeredWindowAttributes(g_hWnd, &key, &alpha, &flags);
        title = WindowText(g_hWnd);
        WCHAR name[100] = {};
        GetClassNameW(g_hWnd, name, 100);
        className = name;
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        GetClassInfoExW(DeskInstance(), u"QUILLMARK", &wc);
        classBrush = wc.hbrBackground;
    }});
    // WS_POPUP alone as asked; showing adds WS_VISIBLE, the system WS_CLIPSIBLINGS.
    EXPECT_EQ(style, (DWORD)(WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS));
    EXPECT_EQ(exStyle, (DWORD)WS_EX_LAYERED);
    EXPECT_EQ(alpha, 244);
    EXPECT_EQ(flags, (DWORD)LWA_ALPHA);
    EXPECT_EQ(key, 0u);
    EXPECT_EQ(title, u"Quillmark");
    EXPECT_EQ(className, u"QUILLMARK");
    // The static brush is a second cream brush, not the class's.
    EXPECT_NE(g_staticBrush, classBrush);
    LOGBRUSH brush = {};
    ASSERT_TRUE(GetObjectW(g_staticBrush, sizeof(brush), &brush));
    EXPECT_EQ(brush.lbColor, RGB(255, 255, 238));
    EXPECT_EQ(DeskComInitializations(), 1);
    EXPECT_NE(g_hAccel, nullptr);
}

TEST_F(StartupTest, StartsMinimizedWhenAskedAndStillGetsItsAlpha)
{
    const int shows[] = {SW_SHOWMINNOACTIVE, SW_SHOWMINIMIZED, SW_SHOWDEFAULT};
    for (int show : shows)
    {
        SCOPED_TRACE(show);
        DeskReset();
        ResetProgram();
        DeskSetStartupShow(SW_SHOWMINIMIZED); // what SW_SHOWDEFAULT stands for here
        BOOL iconic = FALSE, visible = FALSE;
        BYTE alpha = 0;
        RunProgram({[&] {
                       iconic = IsIconic(g_hWnd);
                       visible = IsWindowVisible(g_hWnd);
                       GetLayeredWindowAttributes(g_hWnd, NULL, &alpha, NULL);
                   }},
                   show);
        EXPECT_TRUE(iconic);
        EXPECT_TRUE(visible);
        EXPECT_EQ(alpha, 244);
    }
}

TEST_F(StartupTest, CommandLineChangesNothing)
{
    RECT plain = {}, withArgs = {};
    std::u16string plainRoot, argsRoot;
    RunProgram({[&] { GetWindowRect(g_hWnd, &plain); }}, SW_SHOWNORMAL, u"");
    plainRoot = g_defaultRoot;
    DeskReset();
    ResetProgram();
    RunProgram({[&] { GetWindowRect(g_hWnd, &withArgs); }}, SW_SHOWNORMAL,
               u"/root D:\\ --age 5 \"x y\"");
    argsRoot = g_defaultRoot;
    EXPECT_EQ(plain.left, withArgs.left);
    EXPECT_EQ(plain.top, withArgs.top);
    EXPECT_EQ(plainRoot, argsRoot);
}

TEST_F(StartupTest, DefaultRootIsTheSystemDriveOrDriveC)
{
    const struct
    {
        const char16_t *systemDrive; // null: not set
        const char16_t *root;
    } cases[] = {
        {u"C:", u"C:\\"},
        {u"D:", u"D:\\"},
        {u"d:", u"d:\\"},
        // Anything but a drive name does not fit, or is no drive: drive C: stands in.
        {nullptr, u"C:\\"},
        {u"X", u"C:\\"},
        {u"12", u"C:\\"},
        {u"DD:", u"C:\\"},
        {u"C:\\Windows", u"C:\\"},
        {u"", u"C:\\"},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(Text(c.systemDrive).size());
        DeskReset();
        ResetProgram();
        DeskSetEnvironment(u"SystemDrive", c.systemDrive);
        RunProgram({});
        ASSERT_NE(g_defaultRoot, nullptr);
        EXPECT_EQ(Text(g_defaultRoot), Text(c.root));
    }
}

TEST_F(StartupTest, ReadsTheWorkingDirectoryOrLeavesItEmptyWhenTooLong)
{
    WCHAR expected[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, expected);
    RunProgram({});
    EXPECT_EQ(Text(g_currentDir), Text(expected));
    EXPECT_NE(g_currentDir[0], 0);

    // A folder whose Windows path needs more than 259 characters.
    char pattern[] = "/tmp/qm-longdir-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::string deep = pattern;
    for (int i = 0; i < 5; i++)
    {
        deep += "/" + std::string(60, (char)('a' + i));
        ASSERT_EQ(mkdir(deep.c_str(), 0700), 0);
    }
    std::u16string windowsPath = u"C:";
    for (char c : deep)
        windowsPath += c == '/' ? u'\\' : (char16_t)c;
    DeskReset();
    ResetProgram();
    ASSERT_TRUE(SetCurrentDirectoryW(windowsPath.c_str()));
    RunProgram({});
    EXPECT_EQ(Text(g_currentDir), u"");
    std::error_code error;
    EXPECT_EQ(std::filesystem::remove_all(pattern, error), 6u) << error.message();
}

TEST_F(StartupTest, FailedWindowCreationEndsWithZeroBeforeAnythingElse)
{
    // A class of that name that refuses its windows makes the main window's creation fail.
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        return message == WM_NCCREATE ? FALSE : DefWindowProcW(hwnd, message, wParam, lParam);
    };
    wc.hInstance = DeskInstance();
    wc.lpszClassName = u"QUILLMARK";
    ASSERT_TRUE(RegisterClassExW(&wc));
    std::u16string line;
    EXPECT_EQ(wWinMain(DeskInstance(), NULL, &line[0], SW_SHOWNORMAL), 0);
    EXPECT_EQ(g_hWnd, nullptr);
    EXPECT_EQ(FindWindowW(NULL, NULL), nullptr);
    EXPECT_EQ(DeskComInitializations(), 0);
    EXPECT_EQ(g_hAccel, nullptr);
}

TEST_F(StartupTest, ClosingOrDestroyingTheWindowEndsTheLoopWithZero)
{
    const std::function<void()> ends[] = {
        [] { PostMessageW(g_hWnd, WM_CLOSE, 0, 0); },
        [] { DestroyWindow(g_hWnd); },
    };
    for (const auto &end : ends)
    {
        DeskReset();
        ResetProgram();
        DeskWhenIdle(end);
        // Would run only if the loop went on after the window was gone.
        bool ranOn = false;
        DeskWhenIdle([&] {
            ranOn = true;
            PostQuitMessage(7);
        });
        std::u16string line;
        EXPECT_EQ(wWinMain(DeskInstance(), NULL, &line[0], SW_SHOWNORMAL), 0);
        EXPECT_FALSE(ranOn);
        EXPECT_FALSE(IsWindow(g_hWnd));
        EXPECT_EQ(g_msg.message, (UINT)WM_QUIT);
    }
}
