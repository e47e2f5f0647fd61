// The window procedure's message rows and the click router: the null guard, the order in which
// the routes are compared and the end-of-click rule.
#include "tests/testing.h"

#include <algorithm>

// The main window with stand-ins for the clickable controls the router knows, made the way
// the panel makes them: statics with SS_NOTIFY, check boxes and push buttons, all with id 0.
class RouterTest : public ProgramTest
{
  protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        CreateMainWindowForTest();
        ShowWindow(g_hWnd, SW_SHOWNORMAL);
        const struct
        {
            int index;
            const char16_t *cls;
            DWORD style;
        } controls[] = {
            {CTL_TOP_STRIP, u"Static", SS_NOTIFY | SS_CENTER},
            {CTL_HELP_ICON, u"Static", SS_NOTIFY | SS_ICON},
            {CTL_TITLE, u"Static", SS_NOTIFY | SS_CENTER},
            {CTL_MINIMIZE, u"Static", SS_NOTIFY | SS_CENTER},
            {CTL_CLOSE, u"Static", SS_NOTIFY | SS_CENTER},
            {CTL_RECURSE, u"Button", BS_AUTOCHECKBOX},
            {CTL_ROOT_LABEL, u"Static", SS_NOTIFY},
            {CTL_ROOT_BROWSE, u"Button", BS_PUSHBUTTON},
            {CTL_LOG_BROWSE, u"Button", BS_PUSHBUTTON},
            {CTL_START, u"Button", BS_DEFPUSHBUTTON},
        };
        int y = 10;
        for (const auto &c : controls)
        {
            g_controls[c.index] = CreateWindowExW(0, c.cls, u"", WS_CHILD | WS_VISIBLE | c.style,
                                                  10, y, 100, 20, g_hWnd, NULL, g_hInst, NULL);
            ASSERT_NE(g_controls[c.index], nullptr);
            y += 25;
        }
    }
};

TEST_F(RouterTest, CommandRows)
{
    HWND box = g_controls[CTL_RECURSE];
    HWND marker = g_controls[CTL_TITLE];
    const struct
    {
        const char *name;
        WPARAM wParam;
        HWND control;
        LRESULT result;
        bool routed; // the control became g_lastClicked
    } cases[] = {
        {"accelerator command 104", MAKEWPARAM(104, 1), NULL, 1, false},
        {"command 104 as a menu would send it", MAKEWPARAM(104, 0), NULL, 1, false},
        {"any other id, even with a control", MAKEWPARAM(5, 0), box, 1, false},
        {"edit change notification", MAKEWPARAM(0, 0x0300), box, 0, false},
        {"second press of a double click", MAKEWPARAM(0, STN_DBLCLK), box, 0, false},
        {"click", MAKEWPARAM(0, BN_CLICKED), box, 0, true},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.name);
        // During a scan the rule keeps g_lastClicked, so a routed click stays visible.
        g_scanning = 1;
        g_lastClicked = marker;
        EXPECT_EQ(SendMessageW(g_hWnd, WM_COMMAND, c.wParam, (LPARAM)c.control), c.result);
        EXPECT_EQ(g_lastClicked, c.routed ? c.control : marker);
    }
}

TEST_F(RouterTest, NullControlDoesNothingNotEvenTheEndOfClickRule)
{
    g_lastClicked = g_controls[CTL_TITLE];
    OnControlClick(NULL);
    EXPECT_EQ(g_lastClicked, g_controls[CTL_TITLE]);

    // The empty slots of the table are null too: without the guard a null control would match
    // the first route whose control is missing.
    g_controls[CTL_HELP_ICON] = NULL;
    EXPECT_EQ(FindClickRoute(NULL), ROUTE_HELP);
}

TEST_F(RouterTest, RoutesAreComparedInOrderAndTheFirstMatchWins)
{
    const struct
    {
        int index;
        ClickRoute route;
    } routes[] = {
        {CTL_HELP_ICON, ROUTE_HELP},
        {CTL_MINIMIZE, ROUTE_MINIMIZE},
        {CTL_TITLE, ROUTE_DRAG},
        {CTL_CLOSE, ROUTE_CLOSE},
        {CTL_ROOT_BROWSE, ROUTE_ROOT_BROWSE},
        {CTL_LOG_BROWSE, ROUTE_LOG_BROWSE},
        {CTL_START, ROUTE_START_STOP},
        {CTL_RECURSE, ROUTE_NONE},
        {CTL_ROOT_LABEL, ROUTE_NONE},
        {CTL_TOP_STRIP, ROUTE_NONE},
    };
    for (const auto &r : routes)
        EXPECT_EQ(FindClickRoute(g_controls[r.index]), r.route) << "control " << r.index;
    EXPECT_EQ(FindClickRoute(g_hWnd), ROUTE_NONE);

    // One handle in two slots goes to the route compared first, whatever the slot order.
    const struct
    {
        int first;
        int second;
        ClickRoute route;
    } shared[] = {
        {CTL_TITLE, CTL_CLOSE, ROUTE_DRAG},
        {CTL_START, CTL_HELP_ICON, ROUTE_HELP},
        {CTL_MINIMIZE, CTL_TITLE, ROUTE_MINIMIZE},
        {CTL_LOG_BROWSE, CTL_ROOT_BROWSE, ROUTE_ROOT_BROWSE},
        {CTL_START, CTL_LOG_BROWSE, ROUTE_LOG_BROWSE},
    };
    HWND saved[CTL_SLOT_COUNT];
    std::copy(g_controls, g_controls + CTL_SLOT_COUNT, saved);
    for (const auto &s : shared)
    {
        std::copy(saved, saved + CTL_SLOT_COUNT, g_controls);
        g_controls[s.second] = g_controls[s.first];
        EXPECT_EQ(FindClickRoute(g_controls[s.first]), s.route) << s.first << " and " << s.second;
    }
}

TEST_F(RouterTest, EndOfClickRuleKeepsOnlyStartOutsideAScan)
{
    const struct
    {
        int index;
        int scanning;
        int remains; // control left in g_lastClicked, -1 for none
    } cases[] = {
        {CTL_RECURSE, 0, -1},          {CTL_ROOT_LABEL, 0, -1},
        {CTL_TOP_STRIP, 0, -1},        {CTL_TITLE, 0, -1},
        {CTL_ROOT_BROWSE, 0, -1},      {CTL_START, 0, CTL_START},
        {CTL_RECURSE, 1, CTL_RECURSE}, {CTL_TOP_STRIP, 1, CTL_TOP_STRIP},
        {CTL_START, 1, CTL_START},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(testing::Message() << "control " << c.index << " scanning " << c.scanning);
        g_lastClicked = NULL;
        g_scanning = c.scanning;
        DeskClick(g_controls[c.index]);
        RunLoopUntilIdle();
        EXPECT_EQ(g_lastClicked, c.remains < 0 ? nullptr : g_controls[c.remains]);
    }
}

TEST_F(RouterTest, SpaceBarOnACheckBoxIsRoutedLikeAMouseClick)
{
    HWND box = g_controls[CTL_RECURSE];
    g_scanning = 1;
    DeskClick(box);
    RunLoopUntilIdle();
    EXPECT_EQ(g_lastClicked, box);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);

    g_lastClicked = NULL;
    SetFocus(box);
    DeskPressKey(VK_SPACE, 0);
    RunLoopUntilIdle();
    EXPECT_EQ(g_lastClicked, box);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(RouterTest, SecondPressOfADoubleClickOnAStaticIsDropped)
{
    HWND label = g_controls[CTL_ROOT_LABEL];
    DeskClearMessages();
    DeskDoubleClick(label);
    RunLoopUntilIdle();
    std::vector<WPARAM> notifications;
    for (const DeskMessage &m : DeskMessages())
    {
        if (m.kind == DeskMessage::Sent && m.message == WM_COMMAND && m.hwnd == g_hWnd)
            notifications.push_back(m.wParam);
    }
    EXPECT_EQ(notifications,
              (std::vector<WPARAM>{MAKEWPARAM(0, STN_CLICKED), MAKEWPARAM(0, STN_DBLCLK)}));
    EXPECT_EQ(g_lastClicked, nullptr);
}
