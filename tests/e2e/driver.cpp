// End-to-end driver: starts the real Quillmark.exe, finds its window and checks what a user and
// the system can see of it, and reads the resources of every exe it is given. One line per
// check, "PASS name" or "FAIL name: detail"; the exit code is 0 only when every check passed.
//
//   qm_e2e_driver.exe QUILLMARK_EXE OUTDIR [OTHER_EXE...]
//
// QUILLMARK_EXE is run (with OUTDIR as its working directory, where screenshots go too);
// OTHER_EXE files, such as the 32-bit build, only have their headers and resources checked.
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{

// ---------------------------------------------------------------------------------------------
// Reporting

int g_checks;
int g_failures;

void Line(const std::string &text)
{
    std::string line = text + "\n";
    fwrite(line.data(), 1, line.size(), stdout);
    fflush(stdout);
}

__attribute__((format(__MINGW_PRINTF_FORMAT, 1, 2))) std::string Fmt(const char *format, ...)
{
    char buffer[1024];
    va_list args;
    va_start(args, format);
    vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    return buffer;
}

std::string Utf8(const std::wstring &text)
{
    if (text.empty())
        return std::string();
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), NULL, 0, NULL, NULL);
    std::string out(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), &out[0], size, NULL, NULL);
    return out;
}

std::string Quoted(const std::wstring &text)
{
    return "\"" + Utf8(text) + "\"";
}

bool Check(const std::string &name, bool ok, const std::string &detail)
{
    ++g_checks;
    if (ok)
        Line("PASS " + name);
    else
    {
        ++g_failures;
        Line("FAIL " + name + ": " + detail);
    }
    return ok;
}

// What was seen, for a reader of the log; never counted as a check.
void Info(const std::string &name, const std::string &text)
{
    Line("INFO " + name + ": " + text);
}

std::string RectText(const RECT &r)
{
    return Fmt("(%ld,%ld)-(%ld,%ld)", r.left, r.top, r.right, r.bottom);
}

std::string LastError(const char *what)
{
    return Fmt("%s failed, error %lu", what, GetLastError());
}

// ---------------------------------------------------------------------------------------------
// Bounded waiting: no wait in the driver can hang the run.

template <typename Ready>
bool WaitUntil(DWORD timeoutMs, Ready ready)
{
    ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;)
    {
        if (ready())
            return true;
        if (GetTickCount64() >= end)
            return false;
        Sleep(50);
    }
}

const DWORD START_TIMEOUT_MS = 30000;
const DWORD EXIT_TIMEOUT_MS = 15000;
const DWORD MESSAGE_TIMEOUT_MS = 5000;
const DWORD SETTLE_TIMEOUT_MS = 3000;

// ---------------------------------------------------------------------------------------------
// What the program is expected to be

const wchar_t MAIN_CLASS[] = L"QUILLMARK";
const wchar_t MAIN_TITLE[] = L"Quillmark";
const int MAIN_WIDTH = 550;
const int MAIN_HEIGHT = 460;
const BYTE MAIN_ALPHA = 244;
const COLORREF CREAM = RGB(255, 255, 238);
const WORD ENGLISH_US = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// Where the program puts its window: centred on half the work area's right and bottom edges,
// then raised by 20 pixels. As in the program, the work area's left and top take no part.
POINT ExpectedOrigin(const RECT &workArea)
{
    return POINT{workArea.right / 2 - MAIN_WIDTH / 2, workArea.bottom / 2 - 250};
}

// ---------------------------------------------------------------------------------------------
// Running the program

std::wstring g_exe;
std::wstring g_outDir;

struct App
{
    PROCESS_INFORMATION pi = {};
    HWND main = NULL;
    bool closeAsked = false; // a scenario already posted WM_CLOSE and waited its bound
};

bool IsRunning(const App &app)
{
    return app.pi.hProcess != NULL && WaitForSingleObject(app.pi.hProcess, 0) == WAIT_TIMEOUT;
}

// The top-level window of the given class and title that belongs to this process, if any.
HWND FindOwnWindow(const App &app, LPCWSTR className, LPCWSTR title)
{
    HWND hwnd = NULL;
    while ((hwnd = FindWindowExW(NULL, hwnd, className, title)) != NULL)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid == app.pi.dwProcessId)
            return hwnd;
    }
    return NULL;
}

// How a scenario starts the program: the show command the starting process passes (-1 for
// none, so the program gets SW_SHOWDEFAULT) and arguments after the exe's name.
struct StartOptions
{
    int show = -1;
    const wchar_t *arguments = L"";
};

// Starts the program and waits until its main window is up and its message loop idle, so that
// everything its start-up does (show, layered attributes) has happened.
bool StartApp(App &app, const StartOptions &options, std::string &error)
{
    std::wstring commandLine = L"\"" + g_exe + L"\"";
    if (*options.arguments)
        commandLine += std::wstring(L" ") + options.arguments;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    if (options.show >= 0)
    {
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = (WORD)options.show;
    }
    if (!CreateProcessW(g_exe.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL,
                        g_outDir.c_str(), &si, &app.pi))
    {
        app.pi = PROCESS_INFORMATION{};
        error = LastError("CreateProcessW");
        return false;
    }
    ULONGLONG started = GetTickCount64();
    bool found = WaitUntil(START_TIMEOUT_MS, [&] {
        app.main = FindOwnWindow(app, MAIN_CLASS, MAIN_TITLE);
        return app.main != NULL || !IsRunning(app);
    });
    if (!found || app.main == NULL)
    {
        error = IsRunning(app) ? Fmt("no window within %lu ms", START_TIMEOUT_MS)
                               : "the process ended before its window appeared";
        return false;
    }
    DWORD elapsed = (DWORD)(GetTickCount64() - started);
    DWORD left = elapsed < START_TIMEOUT_MS ? START_TIMEOUT_MS - elapsed : 0;
    DWORD idle = WaitForInputIdle(app.pi.hProcess, left);
    if (idle != 0)
    {
        error = idle == WAIT_TIMEOUT ? "its message loop never went idle"
                                     : LastError("WaitForInputIdle");
        return false;
    }
    return true;
}

bool WaitForExit(const App &app, DWORD timeoutMs)
{
    return WaitForSingleObject(app.pi.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

// Ends a run the way a user would, by closing its window; the handle this driver created is
// terminated only when the program does not end within the bound. Reports a failure then.
void EndApp(App &app, const std::string &scenario)
{
    if (app.pi.hProcess == NULL)
        return;
    if (IsRunning(app))
    {
        if (app.main != NULL && !app.closeAsked)
            PostMessageW(app.main, WM_CLOSE, 0, 0);
        if (app.main == NULL || app.closeAsked || !WaitForExit(app, EXIT_TIMEOUT_MS))
        {
            TerminateProcess(app.pi.hProcess, 1);
            WaitForExit(app, EXIT_TIMEOUT_MS);
            Check(scenario + ".ended", false,
                  app.main == NULL
                      ? "no window to close; terminated"
                      : Fmt("still running %lu ms after WM_CLOSE; terminated", EXIT_TIMEOUT_MS));
        }
    }
    CloseHandle(app.pi.hThread);
    CloseHandle(app.pi.hProcess);
    app = App{};
}

// ---------------------------------------------------------------------------------------------
// Reading windows as another process sees them

std::wstring ClassNameOf(HWND hwnd)
{
    wchar_t buffer[256] = {};
    int length = GetClassNameW(hwnd, buffer, 256);
    return std::wstring(buffer, length > 0 ? length : 0);
}

std::wstring WindowTextOf(HWND hwnd)
{
    wchar_t buffer[1024] = {};
    int length = GetWindowTextW(hwnd, buffer, 1024);
    return std::wstring(buffer, length > 0 ? length : 0);
}

// The text the window itself answers to WM_GETTEXT, as an accessibility tool reads it.
bool MessageTextOf(HWND hwnd, std::wstring &text)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, MESSAGE_TIMEOUT_MS,
                             &length))
        return false;
    std::vector<wchar_t> buffer(length + 1, 0);
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, buffer.size(), (LPARAM)buffer.data(),
                             SMTO_ABORTIFHUNG, MESSAGE_TIMEOUT_MS, &copied))
        return false;
    text.assign(buffer.data(), copied <= length ? copied : length);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Screenshots: the whole screen as the system composes it, kept as bottom-up 24-bit rows.

struct Screenshot
{
    int width = 0;
    int height = 0;
    std::vector<BYTE> bits;

    int Stride() const { return (width * 3 + 3) & ~3; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    COLORREF At(int x, int y) const
    {
        const BYTE *p = &bits[(size_t)(height - 1 - y) * Stride() + (size_t)x * 3];
        return RGB(p[2], p[1], p[0]);
    }
};

BITMAPINFO ScreenshotFormat(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

bool CaptureScreen(Screenshot &shot, std::string &error)
{
    shot.width = GetSystemMetrics(SM_CXSCREEN);
    shot.height = GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFO info = ScreenshotFormat(shot.width, shot.height);
    HDC screen = GetDC(NULL);
    HDC memory = screen ? CreateCompatibleDC(screen) : NULL;
    void *bits = NULL;
    HBITMAP bitmap =
        memory ? CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, NULL, 0) : NULL;
    HGDIOBJ previous = bitmap ? SelectObject(memory, bitmap) : NULL;
    bool ok = previous != NULL &&
              BitBlt(memory, 0, 0, shot.width, shot.height, screen, 0, 0, SRCCOPY | CAPTUREBLT);
    if (ok)
    {
        GdiFlush();
        const BYTE *begin = static_cast<const BYTE *>(bits);
        shot.bits.assign(begin, begin + (size_t)shot.Stride() * shot.height);
    }
    else
        error = LastError(screen == NULL   ? "GetDC"
                          : bitmap == NULL ? "CreateDIBSection"
                                           : "BitBlt");
    if (previous != NULL)
        SelectObject(memory, previous);
    if (bitmap != NULL)
        DeleteObject(bitmap);
    if (memory != NULL)
        DeleteDC(memory);
    if (screen != NULL)
        ReleaseDC(NULL, screen);
    return ok;
}

bool WriteWholeFile(const std::wstring &path, const std::vector<BYTE> &data, std::string &error)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
    {
        error = LastError("CreateFileW") + " for " + Utf8(path);
        return false;
    }
    DWORD written = 0;
    bool ok =
        WriteFile(file, data.data(), (DWORD)data.size(), &written, NULL) && written == data.size();
    if (!ok)
        error = LastError("WriteFile") + " for " + Utf8(path);
    CloseHandle(file);
    return ok;
}

bool SaveBitmap(const Screenshot &shot, const std::wstring &name, std::string &error)
{
    BITMAPINFO info = ScreenshotFormat(shot.width, shot.height);
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42; // "BM"
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + (DWORD)shot.bits.size();
    std::vector<BYTE> file(header.bfOffBits);
    memcpy(file.data(), &header, sizeof(header));
    memcpy(file.data() + sizeof(header), &info.bmiHeader, sizeof(BITMAPINFOHEADER));
    file.insert(file.end(), shot.bits.begin(), shot.bits.end());
    return WriteWholeFile(g_outDir + L"\\" + name, file, error);
}

std::string ColourText(COLORREF c)
{
    return Fmt("rgb(%d,%d,%d)", GetRValue(c), GetGValue(c), GetBValue(c));
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// The cream as it shows through the window's alpha over a black background, for a system that
// blends layered windows when it composes the screen.
COLORREF BlendedOverBlack(COLORREF c, BYTE alpha)
{
    return RGB(GetRValue(c) * alpha / 255, GetGValue(c) * alpha / 255, GetBValue(c) * alpha / 255);
}

// How the window's cream shows at some points of a screenshot.
struct CreamSample
{
    std::string text; // "(x,y)=rgb(r,g,b)" for each point on the screen
    int points = 0;
    int plain = 0;     // exactly the cream
    int blended = 0;   // the cream through the window's alpha over black
    int nearCream = 0; // close to either, for points that should show something else

    bool AllCream() const { return points > 0 && (plain == points || blended == points); }
};

CreamSample SampleCream(const Screenshot &shot, const std::vector<POINT> &points)
{
    const COLORREF blended = BlendedOverBlack(CREAM, MAIN_ALPHA);
    CreamSample sample;
    for (const POINT &p : points)
    {
        if (!shot.Contains(p.x, p.y))
            continue;
        COLORREF c = shot.At(p.x, p.y);
        sample.text += Fmt("%s(%ld,%ld)=", sample.points ? " " : "", p.x, p.y) + ColourText(c);
        ++sample.points;
        sample.plain += c == CREAM;
        sample.blended += Near(c, blended, 2);
        sample.nearCream += Near(c, CREAM, 8) || Near(c, blended, 8);
    }
    return sample;
}

// ---------------------------------------------------------------------------------------------
// Scenarios: each gets a fresh run of the program, its main window found and idle.

void StartupScenario(App &app)
{
    const std::string s = "startup";

    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RECT workArea = {};
    bool haveWorkArea = SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    Info(s + ".display", Fmt("screen %dx%d, work area %s", screenWidth, screenHeight,
                             haveWorkArea ? RectText(workArea).c_str() : "unknown"));
    Check(s + ".display_1280x800", screenWidth == 1280 && screenHeight == 800,
          Fmt("the screen is %dx%d", screenWidth, screenHeight));
    Check(s + ".work_area", haveWorkArea, LastError("SystemParametersInfoW(SPI_GETWORKAREA)"));

    HWND found = FindWindowW(MAIN_CLASS, MAIN_TITLE);
    DWORD pid = 0;
    GetWindowThreadProcessId(found, &pid);
    Check(s + ".window_owner", found == app.main && pid == app.pi.dwProcessId,
          Fmt("FindWindowW gave %p of process %lu; started process %lu", (void *)found, pid,
              app.pi.dwProcessId));

    HWND foreground = GetForegroundWindow();
    Check(s + ".foreground", foreground == app.main,
          Fmt("the foreground window is %p, ", (void *)foreground) +
              Quoted(WindowTextOf(foreground)));

    std::wstring className = ClassNameOf(app.main);
    Check(s + ".class_name", className == MAIN_CLASS, "GetClassNameW gave " + Quoted(className));
    std::wstring title = WindowTextOf(app.main);
    Check(s + ".title", title == MAIN_TITLE, "GetWindowTextW gave " + Quoted(title));
    std::wstring answered;
    bool answeredOk = MessageTextOf(app.main, answered);
    Check(s + ".title_wm_gettext", answeredOk && answered == MAIN_TITLE,
          answeredOk ? "WM_GETTEXT gave " + Quoted(answered) : LastError("SendMessageTimeoutW"));

    RECT rect = {};
    GetWindowRect(app.main, &rect);
    Info(s + ".window_rect", RectText(rect));
    POINT origin = ExpectedOrigin(workArea);
    Check(s + ".place", rect.left == origin.x && rect.top == origin.y,
          Fmt("at (%ld,%ld), expected (%ld,%ld) from work area ", rect.left, rect.top, origin.x,
              origin.y) +
              RectText(workArea));
    Check(s + ".place_on_1280x800", rect.left == 365 && rect.top == 150,
          Fmt("at (%ld,%ld), expected (365,150)", rect.left, rect.top));
    Check(s + ".size",
          rect.right - rect.left == MAIN_WIDTH && rect.bottom - rect.top == MAIN_HEIGHT,
          Fmt("%ldx%ld, expected %dx%d", rect.right - rect.left, rect.bottom - rect.top, MAIN_WIDTH,
              MAIN_HEIGHT));
    RECT client = {};
    GetClientRect(app.main, &client);
    Check(s + ".client_is_whole_window",
          client.right - client.left == MAIN_WIDTH && client.bottom - client.top == MAIN_HEIGHT,
          "client rect " + RectText(client) + ", a frame takes room");

    // The program asks for WS_POPUP alone; showing adds WS_VISIBLE and the system gives every
    // top-level window WS_CLIPSIBLINGS. Anything more, such as a caption, border or system menu,
    // would have come from the program.
    const LONG_PTR expectedStyle = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS;
    LONG_PTR style = GetWindowLongPtrW(app.main, GWL_STYLE);
    Check(s + ".style", style == expectedStyle,
          Fmt("0x%08lx, expected WS_POPUP|WS_VISIBLE|WS_CLIPSIBLINGS 0x%08lx", (unsigned long)style,
              (unsigned long)expectedStyle));
    LONG_PTR exStyle = GetWindowLongPtrW(app.main, GWL_EXSTYLE);
    Check(s + ".ex_style", exStyle == WS_EX_LAYERED,
          Fmt("0x%08lx, expected WS_EX_LAYERED 0x%08lx", (unsigned long)exStyle,
              (unsigned long)WS_EX_LAYERED));
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    bool layered = GetLayeredWindowAttributes(app.main, &key, &alpha, &flags);
    Check(s + ".layered_alpha", layered && alpha == MAIN_ALPHA && flags == LWA_ALPHA,
          layered ? Fmt("alpha %u flags 0x%lx, expected alpha %u with LWA_ALPHA only", alpha, flags,
                        MAIN_ALPHA)
                  : LastError("GetLayeredWindowAttributes"));

    // The pixels: the window has to be on the screen where the API says it is. Without a
    // compositor the alpha is not applied to what the screen shows, so either the plain cream or
    // the cream blended over the black root passes; the alpha itself is checked above.
    const int inset = 10;
    const std::vector<POINT> inside = {
        {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2},
        {rect.left + inset, rect.top + inset},
        {rect.right - 1 - inset, rect.top + inset},
        {rect.left + inset, rect.bottom - 1 - inset},
        {rect.right - 1 - inset, rect.bottom - 1 - inset},
    };
    const std::vector<POINT> outside = {
        {rect.left - inset, (rect.top + rect.bottom) / 2},
        {rect.right - 1 + inset, (rect.top + rect.bottom) / 2},
        {(rect.left + rect.right) / 2, rect.top - inset},
        {(rect.left + rect.right) / 2, rect.bottom - 1 + inset},
    };
    // The first paint may still be on its way to the display when the program goes idle, so
    // look again within a bound; a window that never shows its cream still fails.
    Screenshot shot;
    std::string error;
    CreamSample seen;
    bool captured = false;
    int captures = 0;
    WaitUntil(SETTLE_TIMEOUT_MS, [&] {
        ++captures;
        captured = CaptureScreen(shot, error);
        seen = captured ? SampleCream(shot, inside) : CreamSample{};
        return !captured || seen.AllCream();
    });
    bool saved = captured && SaveBitmap(shot, L"startup.bmp", error);
    Check(s + ".screenshot", saved, error);
    if (!captured)
        return;
    Info(s + ".pixels_inside",
         seen.text + Fmt(" (%s; capture %d)",
                         seen.plain == seen.points     ? "plain cream, unblended"
                         : seen.blended == seen.points ? "cream blended by the alpha"
                                                       : "not all cream",
                         captures));
    Check(s + ".pixels_inside_cream", seen.AllCream(),
          "expected all " + ColourText(CREAM) + " or all " +
              ColourText(BlendedOverBlack(CREAM, MAIN_ALPHA)) + ", saw " + seen.text);
    CreamSample beyond = SampleCream(shot, outside);
    Info(s + ".pixels_outside", beyond.points ? beyond.text : "none on the screen");
    Check(s + ".pixels_outside_not_cream", beyond.points > 0 && beyond.nearCream == 0,
          "cream beyond the window's edges: " + beyond.text);
}

void CloseScenario(App &app)
{
    const std::string s = "close";
    HWND hwnd = app.main;
    if (!Check(s + ".post_wm_close", PostMessageW(hwnd, WM_CLOSE, 0, 0), LastError("PostMessageW")))
        return;
    app.closeAsked = true;
    ULONGLONG posted = GetTickCount64();
    bool ended = WaitForExit(app, EXIT_TIMEOUT_MS);
    Check(s + ".process_ends", ended, Fmt("still running %lu ms after WM_CLOSE", EXIT_TIMEOUT_MS));
    if (!ended)
        return;
    Info(s + ".took", Fmt("%lu ms", (DWORD)(GetTickCount64() - posted)));
    DWORD code = STILL_ACTIVE;
    bool haveCode = GetExitCodeProcess(app.pi.hProcess, &code);
    Check(s + ".exit_code_0", haveCode && code == 0,
          haveCode ? Fmt("exit code %lu (0x%08lx)", code, code) : LastError("GetExitCodeProcess"));
    Check(s + ".window_gone", !IsWindow(hwnd), "the window still exists after the process ended");
}

// Started minimized, the window is still created, built, shown (minimized) and given its alpha.
void MinimizedScenario(App &app)
{
    const std::string s = "minimized";
    Check(s + ".iconic", IsIconic(app.main), "the window is not minimized");
    LONG_PTR style = GetWindowLongPtrW(app.main, GWL_STYLE);
    Check(s + ".style",
          (style & (WS_POPUP | WS_VISIBLE | WS_MINIMIZE)) == (WS_POPUP | WS_VISIBLE | WS_MINIMIZE),
          Fmt("0x%08lx, expected WS_POPUP|WS_VISIBLE|WS_MINIMIZE", (unsigned long)style));
    BYTE alpha = 0;
    DWORD flags = 0;
    bool layered = GetLayeredWindowAttributes(app.main, NULL, &alpha, &flags);
    Check(s + ".layered_alpha", layered && alpha == MAIN_ALPHA && flags == LWA_ALPHA,
          layered ? Fmt("alpha %u flags 0x%lx", alpha, flags)
                  : LastError("GetLayeredWindowAttributes"));
    // Restored, it stands where an ordinary start puts it.
    ShowWindow(app.main, SW_RESTORE);
    RECT workArea = {}, rect = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    bool restored = WaitUntil(SETTLE_TIMEOUT_MS, [&] { return !IsIconic(app.main); });
    GetWindowRect(app.main, &rect);
    POINT origin = ExpectedOrigin(workArea);
    Check(s + ".restored_place", restored && rect.left == origin.x && rect.top == origin.y,
          Fmt("%s at (%ld,%ld), expected (%ld,%ld)", restored ? "restored" : "still minimized",
              rect.left, rect.top, origin.x, origin.y));
}

// Arguments on the command line change nothing: same window, same place.
void ArgumentsScenario(App &app)
{
    const std::string s = "arguments";
    RECT rect = {}, workArea = {};
    GetWindowRect(app.main, &rect);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    POINT origin = ExpectedOrigin(workArea);
    Check(s + ".place",
          rect.left == origin.x && rect.top == origin.y && rect.right - rect.left == MAIN_WIDTH &&
              rect.bottom - rect.top == MAIN_HEIGHT,
          "window at " + RectText(rect));
    std::wstring title = WindowTextOf(app.main);
    Check(s + ".title", title == MAIN_TITLE, "GetWindowTextW gave " + Quoted(title));
}

// The windows of the program's process that a user can see.
std::vector<HWND> VisibleWindowsOf(const App &app)
{
    struct Search
    {
        DWORD pid;
        std::vector<HWND> found;
    } search{app.pi.dwProcessId, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            Search *s = (Search *)param;
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            if (pid == s->pid && IsWindowVisible(hwnd))
                s->found.push_back(hwnd);
            return TRUE;
        },
        (LPARAM)&search);
    return search.found;
}

void SendKeys(const std::vector<std::pair<WORD, bool>> &keys)
{
    std::vector<INPUT> inputs;
    for (const auto &key : keys)
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key.first;
        input.ki.dwFlags = key.second ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
}

// Alt with "/" and with "?" (Shift and the same key) are taken by the shortcut table and do
// nothing a user can see: no window opens, closes, moves or changes its title.
void ShortcutsScenario(App &app)
{
    const std::string s = "shortcuts";
    Check(s + ".foreground", SetForegroundWindow(app.main) || GetForegroundWindow() == app.main,
          "the window could not be brought to the front");
    RECT before = {};
    GetWindowRect(app.main, &before);
    std::vector<HWND> windowsBefore = VisibleWindowsOf(app);
    SendKeys({{VK_MENU, true}, {VK_OEM_2, true}, {VK_OEM_2, false}, {VK_MENU, false}});
    SendKeys({{VK_MENU, true},
              {VK_SHIFT, true},
              {VK_OEM_2, true},
              {VK_OEM_2, false},
              {VK_SHIFT, false},
              {VK_MENU, false}});
    DWORD idle = WaitForInputIdle(app.pi.hProcess, SETTLE_TIMEOUT_MS);
    Check(s + ".handled", idle == 0 && IsRunning(app),
          "the program did not go idle after the keys");
    Sleep(200);
    RECT after = {};
    GetWindowRect(app.main, &after);
    Check(s + ".window_unchanged",
          IsWindow(app.main) && memcmp(&before, &after, sizeof(RECT)) == 0 && !IsIconic(app.main) &&
              WindowTextOf(app.main) == MAIN_TITLE,
          "window now at " + RectText(after) + ", titled " + Quoted(WindowTextOf(app.main)));
    std::vector<HWND> windowsAfter = VisibleWindowsOf(app);
    Check(s + ".no_new_window", windowsAfter == windowsBefore,
          Fmt("%zu visible windows before the keys, %zu after", windowsBefore.size(),
              windowsAfter.size()));
    // Keys sent the same way do reach the window: Alt+F4 closes it as it closes any window, so
    // the checks above saw the shortcuts handled, not lost.
    SendKeys({{VK_MENU, true}, {VK_F4, true}, {VK_F4, false}, {VK_MENU, false}});
    app.closeAsked = true;
    bool ended = WaitForExit(app, EXIT_TIMEOUT_MS);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(app.pi.hProcess, &code);
    Check(s + ".alt_f4_closes", ended && code == 0,
          ended ? Fmt("exit code %lu", code) : "still running after Alt+F4");
}

struct Scenario
{
    const char *name;
    void (*run)(App &app);
    StartOptions options;
};

const Scenario kScenarios[] = {
    {"startup", StartupScenario, {}},
    {"minimized", MinimizedScenario, {SW_SHOWMINNOACTIVE, L""}},
    {"arguments", ArgumentsScenario, {-1, L"/root D:\\ --age 5 \"x y\""}},
    {"shortcuts", ShortcutsScenario, {}},
    {"close", CloseScenario, {}},
};

void RunScenario(const Scenario &scenario)
{
    App app;
    std::string error;
    bool started = StartApp(app, scenario.options, error);
    Check(std::string(scenario.name) + ".started", started, error);
    if (started)
        scenario.run(app);
    EndApp(app, scenario.name);
}

// ---------------------------------------------------------------------------------------------
// The exe files themselves: headers and resources, read without running them.

struct ExeFile
{
    std::wstring path;
    std::string label;       // "win64" or "win32", from the header
    std::vector<BYTE> bytes; // the whole file
    HMODULE data = NULL;     // loaded as a data file, for the resource functions
};

bool ReadWholeFile(const std::wstring &path, std::vector<BYTE> &bytes, std::string &error)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
    {
        error = LastError("CreateFileW") + " for " + Utf8(path);
        return false;
    }
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (64 << 20);
    DWORD read = 0;
    if (ok)
    {
        bytes.resize((size_t)size.QuadPart);
        ok = ReadFile(file, bytes.data(), (DWORD)bytes.size(), &read, NULL) && read == bytes.size();
    }
    if (!ok)
        error = LastError("reading") + " for " + Utf8(path);
    CloseHandle(file);
    return ok;
}

// Little-endian reads that fail instead of reading past the end.
bool U16(const std::vector<BYTE> &b, size_t at, DWORD &value)
{
    if (at + 2 > b.size())
        return false;
    value = b[at] | b[at + 1] << 8;
    return true;
}

bool U32(const std::vector<BYTE> &b, size_t at, DWORD &value)
{
    DWORD low = 0, high = 0;
    if (!U16(b, at, low) || !U16(b, at + 2, high))
        return false;
    value = low | high << 16;
    return true;
}

struct PeHeaders
{
    DWORD machine = 0;
    DWORD subsystem = 0;
    std::vector<std::string> imports;
};

// The parts of the PE headers the checks need; section table used to find the import names.
bool ReadPeHeaders(const std::vector<BYTE> &b, PeHeaders &pe, std::string &error)
{
    DWORD peAt = 0, signature = 0, sections = 0, optionalSize = 0, magic = 0;
    if (!U32(b, 0x3C, peAt) || !U32(b, peAt, signature) || signature != 0x00004550)
    {
        error = "no PE signature";
        return false;
    }
    size_t fileHeader = peAt + 4, optional = fileHeader + 20;
    if (!U16(b, fileHeader, pe.machine) || !U16(b, fileHeader + 2, sections) ||
        !U16(b, fileHeader + 16, optionalSize) || !U16(b, optional, magic) ||
        !U16(b, optional + 68, pe.subsystem))
    {
        error = "headers cut short";
        return false;
    }
    size_t directories = optional + (magic == 0x20B ? 112 : 96);
    DWORD importRva = 0;
    if (!U32(b, directories + 8, importRva))
    {
        error = "no data directories";
        return false;
    }
    size_t sectionTable = optional + optionalSize;
    auto offsetOf = [&](DWORD rva, size_t &offset) {
        for (DWORD i = 0; i < sections; ++i)
        {
            size_t at = sectionTable + i * 40;
            DWORD virtualSize = 0, virtualAddress = 0, rawSize = 0, rawAt = 0;
            if (!U32(b, at + 8, virtualSize) || !U32(b, at + 12, virtualAddress) ||
                !U32(b, at + 16, rawSize) || !U32(b, at + 20, rawAt))
                return false;
            DWORD span = virtualSize > rawSize ? virtualSize : rawSize;
            if (rva >= virtualAddress && rva < virtualAddress + span)
            {
                offset = rawAt + (rva - virtualAddress);
                return offset < b.size();
            }
        }
        return false;
    };
    size_t descriptor = 0;
    if (importRva == 0 || !offsetOf(importRva, descriptor))
        return true; // nothing imported
    for (;; descriptor += 20)
    {
        DWORD nameRva = 0;
        size_t nameAt = 0;
        if (!U32(b, descriptor + 12, nameRva))
        {
            error = "import table cut short";
            return false;
        }
        if (nameRva == 0)
            break;
        if (!offsetOf(nameRva, nameAt))
        {
            error = "import name outside the sections";
            return false;
        }
        std::string name;
        while (nameAt < b.size() && b[nameAt] != 0)
            name += (char)b[nameAt++];
        pe.imports.push_back(name);
    }
    return true;
}

std::string Lower(std::string text)
{
    for (char &c : text)
        if (c >= 'A' && c <= 'Z')
            c = (char)(c - 'A' + 'a');
    return text;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param)
{
    reinterpret_cast<std::vector<WORD> *>(param)->push_back(language);
    return TRUE;
}

std::string ResourceName(LPCWSTR type, WORD id)
{
    static const struct
    {
        LPCWSTR type;
        const char *name;
    } names[] = {{RT_MANIFEST, "RT_MANIFEST"},
                 {RT_STRING, "RT_STRING block"},
                 {RT_ACCELERATOR, "RT_ACCELERATOR"},
                 {RT_GROUP_ICON, "RT_GROUP_ICON"},
                 {RT_ICON, "RT_ICON"}};
    for (const auto &row : names)
        if (row.type == type)
            return Fmt("%s %u", row.name, id);
    return Fmt("resource type %u id %u", (unsigned)(ULONG_PTR)type, id);
}

// The bytes of one resource, which must exist in English (US) and in no other language.
bool ResourceBytes(const ExeFile &exe, LPCWSTR type, WORD id, std::vector<BYTE> &bytes,
                   std::string &error)
{
    std::vector<WORD> languages;
    EnumResourceLanguagesW(exe.data, type, MAKEINTRESOURCEW(id), CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    if (languages.size() != 1 || languages[0] != ENGLISH_US)
    {
        error = ResourceName(type, id) + (languages.empty() ? " is missing" : " is in languages");
        for (WORD language : languages)
            error += Fmt(" %u", language);
        if (!languages.empty())
            error += ", expected 1033 only";
        return false;
    }
    HRSRC found = FindResourceExW(exe.data, type, MAKEINTRESOURCEW(id), ENGLISH_US);
    HGLOBAL loaded = found ? LoadResource(exe.data, found) : NULL;
    const BYTE *data = loaded ? static_cast<const BYTE *>(LockResource(loaded)) : NULL;
    if (data == NULL)
    {
        error = ResourceName(type, id) + ": " + LastError("FindResourceExW/LoadResource");
        return false;
    }
    bytes.assign(data, data + SizeofResource(exe.data, found));
    return true;
}

// --- the manifest, read as text: just enough XML for start tags, attributes and one value

// The start tag "<tag ...>" at or after from, or npos.
size_t FindStartTag(const std::string &xml, const std::string &tag, size_t from, std::string &text)
{
    for (size_t at = xml.find("<" + tag, from); at != std::string::npos;
         at = xml.find("<" + tag, at + 1))
    {
        char next = at + 1 + tag.size() < xml.size() ? xml[at + 1 + tag.size()] : '\0';
        if (next != ' ' && next != '\t' && next != '\r' && next != '\n' && next != '/' &&
            next != '>')
            continue;
        size_t end = xml.find('>', at);
        if (end == std::string::npos)
            return std::string::npos;
        text = xml.substr(at, end + 1 - at);
        return at;
    }
    return std::string::npos;
}

std::string Attribute(const std::string &startTag, const std::string &name)
{
    for (size_t at = startTag.find(name); at != std::string::npos; at = startTag.find(name, at + 1))
    {
        char before = at > 0 ? startTag[at - 1] : '\0';
        size_t eq = at + name.size();
        while (eq < startTag.size() && (startTag[eq] == ' ' || startTag[eq] == '\t'))
            ++eq;
        if ((before != ' ' && before != '\t' && before != '\r' && before != '\n') ||
            eq >= startTag.size() || startTag[eq] != '=')
            continue;
        size_t quote = startTag.find_first_of("\"'", eq);
        if (quote == std::string::npos)
            return std::string();
        size_t close = startTag.find(startTag[quote], quote + 1);
        return close == std::string::npos ? std::string()
                                          : startTag.substr(quote + 1, close - quote - 1);
    }
    return std::string();
}

bool Manifest(const ExeFile &exe, std::string &xml, std::string &error)
{
    std::vector<BYTE> bytes;
    if (!ResourceBytes(exe, RT_MANIFEST, 1, bytes, error))
        return false;
    xml.assign(bytes.begin(), bytes.end());
    return true;
}

bool CheckCommonControls(const ExeFile &exe, std::string &detail)
{
    std::string xml, dependent, identity;
    if (!Manifest(exe, xml, detail))
        return false;
    size_t at = FindStartTag(xml, "dependentAssembly", 0, dependent);
    if (at == std::string::npos ||
        FindStartTag(xml, "assemblyIdentity", at, identity) == std::string::npos)
    {
        detail = "no dependentAssembly/assemblyIdentity";
        return false;
    }
    detail = "dependency " + identity;
    return Attribute(identity, "type") == "win32" &&
           Attribute(identity, "name") == "Microsoft.Windows.Common-Controls" &&
           Attribute(identity, "version") == "6.0.0.0" &&
           Attribute(identity, "publicKeyToken") == "6595b64144ccf1df";
}

bool CheckExecutionLevel(const ExeFile &exe, std::string &detail)
{
    std::string xml, level;
    if (!Manifest(exe, xml, detail))
        return false;
    if (FindStartTag(xml, "requestedExecutionLevel", 0, level) == std::string::npos)
    {
        detail = "no requestedExecutionLevel";
        return false;
    }
    detail = level;
    return Attribute(level, "level") == "asInvoker" && Attribute(level, "uiAccess") == "false";
}

bool CheckDpiAware(const ExeFile &exe, std::string &detail)
{
    std::string xml, tag;
    if (!Manifest(exe, xml, detail))
        return false;
    size_t at = FindStartTag(xml, "dpiAware", 0, tag);
    size_t close = at == std::string::npos ? at : xml.find("</dpiAware>", at);
    if (close == std::string::npos)
    {
        detail = "no dpiAware element";
        return false;
    }
    std::string value = xml.substr(at + tag.size(), close - at - tag.size());
    detail = tag + value;
    // Outside its namespace the system does not read the setting.
    return Attribute(tag, "xmlns") == "http://schemas.microsoft.com/SMI/2005/WindowsSettings" &&
           value == "true";
}

// The system itself parses the manifest and resolves the common controls it names.
bool CheckActivationContext(const ExeFile &exe, std::string &detail)
{
    ACTCTXW context = {};
    context.cbSize = sizeof(context);
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = exe.path.c_str();
    context.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE handle = CreateActCtxW(&context);
    if (handle == INVALID_HANDLE_VALUE)
    {
        detail = LastError("CreateActCtxW");
        return false;
    }
    ReleaseActCtx(handle);
    return true;
}

// --- strings, shortcut keys and icons

// String id lives in block id/16+1 at index id%16; each entry is a length and that many WCHARs.
bool StringResource(const ExeFile &exe, WORD id, std::wstring &text, std::string &detail)
{
    std::vector<BYTE> block;
    if (!ResourceBytes(exe, RT_STRING, (WORD)(id / 16 + 1), block, detail))
        return false;
    size_t at = 0;
    for (int index = 0; index <= id % 16; ++index)
    {
        DWORD length = 0;
        if (!U16(block, at, length) || at + 2 + length * 2 > block.size())
        {
            detail = Fmt("string block %u cut short", id / 16 + 1);
            return false;
        }
        if (index == id % 16)
            text.assign(reinterpret_cast<const wchar_t *>(&block[at + 2]), length);
        at += 2 + length * 2;
    }
    return true;
}

bool CheckString(const ExeFile &exe, WORD id, const wchar_t *expected, std::string &detail)
{
    std::wstring text;
    if (!StringResource(exe, id, text, detail))
        return false;
    detail = Fmt("string %u is ", id) + Quoted(text) + ", expected " + Quoted(expected);
    return text == expected;
}

bool CheckTitleString(const ExeFile &exe, std::string &detail)
{
    return CheckString(exe, 103, L"Quillmark", detail);
}

bool CheckClassString(const ExeFile &exe, std::string &detail)
{
    return CheckString(exe, 109, L"QUILLMARK", detail);
}

// Alt with "?" or "/" as characters, not virtual keys, both giving command 104.
bool CheckAccelerators(const ExeFile &exe, std::string &detail)
{
    struct Entry
    {
        DWORD flags, key, command;
    };
    const Entry expected[] = {{FALT, '?', 104}, {FALT, '/', 104}};
    const DWORD LAST_ENTRY = 0x80;
    std::vector<BYTE> table;
    if (!ResourceBytes(exe, RT_ACCELERATOR, 109, table, detail))
        return false;
    std::vector<Entry> seen;
    bool ended = false;
    for (size_t at = 0; at + 8 <= table.size() && !ended; at += 8)
    {
        Entry e = {};
        U16(table, at, e.flags);
        U16(table, at + 2, e.key);
        U16(table, at + 4, e.command);
        ended = (e.flags & LAST_ENTRY) != 0;
        e.flags &= ~LAST_ENTRY;
        seen.push_back(e);
    }
    detail = "entries";
    for (const Entry &e : seen)
        detail += Fmt(" {flags 0x%02lx key 0x%02lx command %lu}", e.flags, e.key, e.command);
    if (!ended)
        detail += " with no end mark";
    bool same = ended && seen.size() == sizeof(expected) / sizeof(expected[0]);
    for (size_t i = 0; same && i < seen.size(); ++i)
        same = seen[i].flags == expected[i].flags && seen[i].key == expected[i].key &&
               seen[i].command == expected[i].command;
    return same;
}

struct IconRow
{
    int size;
    int bits;
    int colours; // the directory's colour count: 16 for 4-bit images, else 0
};

// Each image of the group must exist as an RT_ICON of its own whose header agrees with the
// directory row: a PNG's IHDR or a DIB header of double height (image and mask).
bool CheckIconGroup(const ExeFile &exe, WORD id, const std::vector<IconRow> &expected,
                    std::string &detail)
{
    std::vector<BYTE> group;
    if (!ResourceBytes(exe, RT_GROUP_ICON, id, group, detail))
        return false;
    DWORD reserved = 0, type = 0, count = 0;
    if (!U16(group, 0, reserved) || !U16(group, 2, type) || !U16(group, 4, count) || type != 1 ||
        group.size() < 6 + count * 14)
    {
        detail = Fmt("group %u: bad directory", id);
        return false;
    }
    std::string rows;
    bool ok = count == expected.size();
    for (DWORD i = 0; i < count; ++i)
    {
        size_t at = 6 + i * 14;
        int width = group[at] ? group[at] : 256, height = group[at + 1] ? group[at + 1] : 256;
        int colours = group[at + 2];
        DWORD planes = 0, bits = 0, bytesInRes = 0, imageId = 0;
        U16(group, at + 4, planes);
        U16(group, at + 6, bits);
        U32(group, at + 8, bytesInRes);
        U16(group, at + 12, imageId);
        rows += Fmt(" %dx%d/%lubpp/%d", width, height, bits, colours);
        if (i < expected.size())
            ok = ok && width == expected[i].size && height == expected[i].size &&
                 (int)bits == expected[i].bits && colours == expected[i].colours && planes == 1;
        std::vector<BYTE> image;
        std::string imageError;
        if (!ResourceBytes(exe, RT_ICON, (WORD)imageId, image, imageError))
        {
            rows += " [" + imageError + "]";
            ok = false;
            continue;
        }
        static const BYTE PNG[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        bool agrees = image.size() == bytesInRes;
        if (image.size() >= 26 && memcmp(image.data(), PNG, sizeof(PNG)) == 0)
        {
            int pngWidth = image[16] << 24 | image[17] << 16 | image[18] << 8 | image[19];
            int pngHeight = image[20] << 24 | image[21] << 16 | image[22] << 8 | image[23];
            agrees = agrees && pngWidth == width && pngHeight == height;
            rows += "(png)";
        }
        else
        {
            DWORD headerSize = 0, dibWidth = 0, dibHeight = 0, dibBits = 0;
            agrees = agrees && U32(image, 0, headerSize) && headerSize == 40 &&
                     U32(image, 4, dibWidth) && U32(image, 8, dibHeight) &&
                     U16(image, 14, dibBits) && (int)dibWidth == width &&
                     (int)dibHeight == 2 * height && dibBits == bits;
        }
        if (!agrees)
            rows += "[image header disagrees]";
        ok = ok && agrees;
    }
    detail = Fmt("group %u has %lu images:", id, count) + rows;
    return ok;
}

bool CheckMainIcon(const ExeFile &exe, std::string &detail)
{
    return CheckIconGroup(exe, 107,
                          {{48, 4, 16},
                           {32, 4, 16},
                           {16, 4, 16},
                           {48, 8, 0},
                           {32, 8, 0},
                           {16, 8, 0},
                           {128, 32, 0},
                           {64, 32, 0},
                           {48, 32, 0},
                           {32, 32, 0},
                           {16, 32, 0}},
                          detail);
}

bool CheckSmallIcon(const ExeFile &exe, std::string &detail)
{
    return CheckIconGroup(exe, 108, {{16, 32, 0}}, detail);
}

// --- headers

bool CheckGuiSubsystem(const ExeFile &exe, std::string &detail)
{
    PeHeaders pe;
    if (!ReadPeHeaders(exe.bytes, pe, detail))
        return false;
    detail = Fmt("subsystem %lu, expected %d (GUI)", pe.subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    return pe.subsystem == IMAGE_SUBSYSTEM_WINDOWS_GUI;
}

// A static build carries its C++ runtime: nothing from the compiler's DLLs is imported.
bool CheckNoRuntimeDlls(const ExeFile &exe, std::string &detail)
{
    PeHeaders pe;
    if (!ReadPeHeaders(exe.bytes, pe, detail))
        return false;
    static const char *const runtimes[] = {"libstdc++", "libgcc", "libwinpthread", "mingw"};
    bool ok = !pe.imports.empty();
    detail = "imports";
    for (const std::string &name : pe.imports)
    {
        detail += " " + name;
        for (const char *runtime : runtimes)
            if (Lower(name).find(runtime) != std::string::npos)
                ok = false;
    }
    return ok;
}

struct ExeCheck
{
    const char *name;
    bool (*run)(const ExeFile &exe, std::string &detail);
};

const ExeCheck kExeChecks[] = {
    {"pe.gui_subsystem", CheckGuiSubsystem},
    {"pe.no_runtime_dlls", CheckNoRuntimeDlls},
    {"manifest.common_controls_6", CheckCommonControls},
    {"manifest.as_invoker", CheckExecutionLevel},
    {"manifest.dpi_aware", CheckDpiAware},
    {"manifest.activation_context", CheckActivationContext},
    {"string.103_title", CheckTitleString},
    {"string.109_class", CheckClassString},
    {"accelerators.109", CheckAccelerators},
    {"icon_group.107", CheckMainIcon},
    {"icon_group.108", CheckSmallIcon},
};

void CheckExe(const std::wstring &path, int index)
{
    ExeFile exe;
    exe.path = path;
    exe.label = Fmt("exe%d", index);
    std::string error;
    PeHeaders pe;
    bool readable = ReadWholeFile(path, exe.bytes, error);
    if (readable && !ReadPeHeaders(exe.bytes, pe, error))
    {
        readable = false;
        error += " in " + Utf8(path);
    }
    if (readable)
        exe.label = pe.machine == IMAGE_FILE_MACHINE_AMD64  ? "win64"
                    : pe.machine == IMAGE_FILE_MACHINE_I386 ? "win32"
                                                            : Fmt("machine%04lx", pe.machine);
    if (readable)
    {
        exe.data = LoadLibraryExW(path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
        if (exe.data == NULL)
            error = LastError("LoadLibraryExW(LOAD_LIBRARY_AS_DATAFILE)") + " for " + Utf8(path);
    }
    Info(exe.label, Utf8(path));
    if (!Check(exe.label + ".load", exe.data != NULL, error))
        return;
    for (const ExeCheck &check : kExeChecks)
    {
        std::string detail;
        bool ok = check.run(exe, detail);
        Check(exe.label + "." + check.name, ok, detail);
    }
    FreeLibrary(exe.data);
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    // Plain "\n" line ends, so the lines read the same to a shell on any host.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 3)
    {
        Line("usage: qm_e2e_driver QUILLMARK_EXE OUTDIR [OTHER_EXE...]");
        return 2;
    }
    g_exe = argv[1];
    g_outDir = argv[2];
    CreateDirectoryW(g_outDir.c_str(), NULL);

    for (int i = 1; i < argc; ++i)
        if (i != 2)
            CheckExe(argv[i], i);
    for (const Scenario &scenario : kScenarios)
        RunScenario(scenario);

    Info("summary", Fmt("%d checks, %d failed", g_checks, g_failures));
    return g_failures == 0 && g_checks > 0 ? 0 : 1;
}
