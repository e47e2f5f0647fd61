// The two loops: the one-message pump, the quit request it takes, and the accelerator table
// that both loops offer every message to.
#include "tests/testing.h"

#include <algorithm>

using LoopTest = ProgramTest;

static int CountMessages(DeskMessage::Kind kind, UINT message, HWND hwnd = NULL)
{
    const auto &log = DeskMessages();
    return (int)std::count_if(log.begin(), log.end(), [&](const DeskMessage &m) {
        return m.kind == kind && m.message == message && (!hwnd || m.hwnd == hwnd);
    });
}

TEST_F(LoopTest, PumpReturnsAtOnceWithNothingQueued)
{
    CreateMainWindowForTest(); // hidden, so it waits for no paint
    bool waited = false;
    DeskWhenIdle([&] { waited = true; });
    DeskClearMessages();
    PumpOneMessage();
    EXPECT_FALSE(waited);
    EXPECT_EQ(DeskPendingIdleActions(), 1u);
    EXPECT_TRUE(DeskMessages().empty());
    DeskWhenIdle([] {}); // the fixture's check: nothing waited
    EXPECT_FALSE(DeskStalled());
}

TEST_F(LoopTest, PumpHandlesExactlyOneMessage)
{
    CreateMainWindowForTest();
    PostMessageW(g_hWnd, WM_USER + 1, 0, 0);
    PostMessageW(g_hWnd, WM_USER + 2, 0, 0);
    DeskClearMessages();
    PumpOneMessage();
    EXPECT_EQ(CountMessages(DeskMessage::Dispatched, WM_USER + 1), 1);
    EXPECT_EQ(CountMessages(DeskMessage::Dispatched, WM_USER + 2), 0);
    PumpOneMessage();
    EXPECT_EQ(CountMessages(DeskMessage::Dispatched, WM_USER + 2), 1);
}

TEST_F(LoopTest, QuitTakenByThePumpStillEndsTheMainLoop)
{
    CreateMainWindowForTest();
    PostQuitMessage(0);
    PumpOneMessage();
    EXPECT_EQ(g_msg.message, (UINT)WM_QUIT);
    // The main loop must end on the request again, without waiting for any input.
    bool waited = false;
    DeskWhenIdle([&] {
        waited = true;
        PostQuitMessage(0);
    });
    g_msg = MSG{};
    RunMainLoop();
    EXPECT_FALSE(waited);
    EXPECT_EQ(g_msg.message, (UINT)WM_QUIT);
    EXPECT_EQ(g_msg.wParam, 0u);
}

enum class Loop
{
    Main,
    Pump
};

TEST_F(LoopTest, AltSlashAndAltQuestionMarkAreSwallowedAsCommand104)
{
    const struct
    {
        const char *name;
        UINT vk;
        BYTE modifiers;
        bool childFocus;
        Loop loop;
        bool command; // command 104 reaches the focus window, nothing else happens
    } cases[] = {
        {"Alt+? main loop", VK_OEM_2, FALT | FSHIFT, false, Loop::Main, true},
        {"Alt+/ main loop", VK_OEM_2, FALT, false, Loop::Main, true},
        {"Alt+? to a focused child", VK_OEM_2, FALT | FSHIFT, true, Loop::Main, true},
        {"Alt+/ through the pump", VK_OEM_2, FALT, false, Loop::Pump, true},
        {"Alt+? through the pump to a child", VK_OEM_2, FALT | FSHIFT, true, Loop::Pump, true},
        // Without the table's keys the character goes on, and Alt with it finds no menu.
        {"plain /", VK_OEM_2, 0, false, Loop::Main, false},
        {"Alt+A", 'A', FALT, false, Loop::Main, false},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.name);
        DeskReset();
        ResetProgram();
        int commands = -1, sysChars = -1, chars = -1, beeps = -1;
        HWND target = NULL;
        auto press = [&] {
            target = g_hWnd;
            if (c.childFocus)
            {
                target = CreateWindowExW(0, u"Static", u"label", WS_CHILD | WS_VISIBLE | SS_NOTIFY,
                                         10, 10, 50, 20, g_hWnd, NULL, g_hInst, NULL);
                SetFocus(target);
            }
            DeskClearMessages();
            DeskPressKey(c.vk, c.modifiers);
            // The pump handles the keys inside this step, as it would inside a scan; otherwise
            // the main loop handles them before it waits again.
            if (c.loop == Loop::Pump)
            {
                for (int i = 0; i < 10; i++)
                    PumpOneMessage();
            }
        };
        auto collect = [&] {
            const auto &log = DeskMessages();
            commands = (int)std::count_if(log.begin(), log.end(), [&](const DeskMessage &m) {
                return m.kind == DeskMessage::Sent && m.message == WM_COMMAND && m.hwnd == target &&
                       m.wParam == MAKEWPARAM(104, 1) && m.lParam == 0;
            });
            sysChars = CountMessages(DeskMessage::Dispatched, WM_SYSCHAR);
            chars = CountMessages(DeskMessage::Dispatched, WM_CHAR);
            beeps = DeskBeeps();
        };
        EXPECT_EQ(RunProgram({press, collect}), 0);
        EXPECT_EQ(commands, c.command ? 1 : 0);
        EXPECT_EQ(sysChars, c.command || !(c.modifiers & FALT) ? 0 : 1);
        EXPECT_EQ(chars, c.modifiers & FALT ? 0 : 1);
        EXPECT_EQ(beeps, c.command || !(c.modifiers & FALT) ? 0 : 1);
        EXPECT_EQ(g_lastClicked, nullptr);
    }
}
