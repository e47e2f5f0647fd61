// The host tests' fixture and runners.
#include "tests/testing.h"
#include "res/resource.h"

#include <stdlib.h>
#include <string.h>

void ResetProgram()
{
    free(g_defaultRoot);
    g_defaultRoot = NULL;
    g_hInst = NULL;
    g_hWnd = NULL;
    g_hAccel = NULL;
    g_msg = MSG{};
    g_workArea = RECT{};
    memset(g_currentDir, 0, sizeof(g_currentDir));
    g_staticBrush = NULL;
    memset(g_title, 0, sizeof(g_title));
    memset(g_className, 0, sizeof(g_className));
    g_lastClicked = NULL;
    memset(g_controls, 0, sizeof(g_controls));
    memset(g_slotColors, 0, sizeof(g_slotColors));
    g_scanning = 0;
}

void ProgramTest::SetUp()
{
    DeskReset();
    ResetProgram();
}

void ProgramTest::TearDown()
{
    EXPECT_FALSE(DeskStalled()) << "the program waited for input that no step gave";
    ResetProgram();
}

int RunProgram(std::vector<std::function<void()>> steps, int show, const char16_t *commandLine)
{
    for (auto &step : steps)
        DeskWhenIdle(step);
    DeskWhenIdle([] { PostMessageW(g_hWnd, WM_CLOSE, 0, 0); });
    std::u16string line = commandLine;
    return wWinMain(DeskInstance(), NULL, &line[0], show);
}

void CreateMainWindowForTest()
{
    HINSTANCE instance = DeskInstance();
    LoadStringW(instance, IDS_TITLE, g_title, 100);
    LoadStringW(instance, IDS_WINDOW_CLASS, g_className, 100);
    RegisterMainClass(instance);
    ASSERT_TRUE(CreateMainWindow(instance));
}

void RunLoopUntilIdle()
{
    DeskWhenIdle([] { PostQuitMessage(0); });
    RunMainLoop();
}

std::u16string Text(LPCWSTR text)
{
    return text ? std::u16string(text) : std::u16string(u"(null)");
}

std::u16string WindowText(HWND hwnd)
{
    WCHAR buffer[512] = {};
    GetWindowTextW(hwnd, buffer, 512);
    return buffer;
}
