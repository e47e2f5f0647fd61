// Shared fixture of the host tests: a fresh desktop and fresh program globals for every test,
// and a way to run the whole program with the user's steps scripted.
#pragma once
#include "app/app.h"
#include "panel/panel.h"
#include "platform/desktop.h"
#include "scan/scan.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// The program's globals as they are when the process starts.
void ResetProgram();

class ProgramTest : public ::testing::Test
{
  protected:
    void SetUp() override;
    void TearDown() override;
};

// Runs wWinMain. Each step runs the next time the program waits for input; after the last one
// the user closes the window. Returns the exit code.
int RunProgram(std::vector<std::function<void()>> steps, int show = SW_SHOWNORMAL,
               const char16_t *commandLine = u"");

// Registers the main class and creates the main window as start-up does, without the loop.
void CreateMainWindowForTest();

// Handles what is queued through the program's main loop, then returns.
void RunLoopUntilIdle();

// Wide text for readable comparisons.
std::u16string Text(LPCWSTR text);
std::u16string WindowText(HWND hwnd);
