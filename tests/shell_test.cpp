// The program as a whole: one copy at a time, a hidden host window that
// owns the editor, and exit code 0.
#include <gtest/gtest.h>

#include "program.h"
#include "resource.h"

class Shell : public ::testing::Test {
protected:
    Program program;

    HWND open_editor() { return program.open_editor(table_bytes(sample_table())); }
};

TEST_F(Shell, TheEditorIsTheOnlyVisibleWindowAndAHiddenHostOwnsIt)
{
    HWND dialog = open_editor();
    ASSERT_NE(dialog, nullptr);
    HWND host = GetWindow(dialog, GW_OWNER);
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(window_class(host), "Pavoren");
    EXPECT_EQ(text(host), "");
    EXPECT_FALSE(IsWindowVisible(host));
    for (HWND window : program.windows()) {
        if (IsWindowVisible(window)) {
            EXPECT_EQ(window, dialog) << window_class(window);
        }
    }
    program.end_with(dialog, IDC_BUTTON_CANCEL);
}

TEST_F(Shell, ASecondStartEndsAtOnceWhileTheFirstRuns)
{
    HWND dialog = open_editor();
    ASSERT_NE(dialog, nullptr);
    Program second;
    write_file(second.data_file(), table_bytes(sample_table()));
    second.start();
    EXPECT_EQ(second.wait_for_exit(), 0u);
    EXPECT_TRUE(program.running());
    EXPECT_TRUE(IsWindowVisible(dialog));
    program.end_with(dialog, IDC_BUTTON_CANCEL);
}

static LRESULT CALLBACK plain_window(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(Shell, AnyWindowOfItsClassStopsAStart)
{
    WNDCLASSA foreign = {};
    foreign.lpfnWndProc = plain_window;
    foreign.hInstance = GetModuleHandleA(NULL);
    foreign.lpszClassName = "Pavoren";
    ASSERT_NE(RegisterClassA(&foreign), 0);
    HWND marker = CreateWindowExA(0, "Pavoren", "not the editor", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10,
                                  NULL, NULL, foreign.hInstance, NULL);
    ASSERT_NE(marker, nullptr);
    write_file(program.data_file(), table_bytes(sample_table()));
    program.start();
    EXPECT_EQ(program.wait_for_exit(), 0u);
    DestroyWindow(marker);
    UnregisterClassA("Pavoren", foreign.hInstance);
}
