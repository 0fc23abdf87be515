// Runs the real PAVOREN.EXE in a directory of its own under Wine and acts
// on its windows as a user would: through the controls and the keyboard.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "testfiles.h"

struct Program {
    TempDir dir;
    std::string directory = dir.path;  // where the executable is put
    std::string exe_path;
    PROCESS_INFORMATION process = {};

    ~Program();

    // Copies the executable under the given name into the directory and starts it.
    void start(const char *exe_name = "PAVOREN.EXE");
    std::string data_file() const { return directory + "\\IRC.DAT"; }
    // Writes IRC.DAT, starts PAVOREN.EXE beside it and waits for the editor.
    HWND open_editor(const Bytes &file_contents);

    // The editor dialog or the error box, once visible; NULL when there is
    // none by the time given.
    HWND wait_for_dialog(DWORD timeout_ms = 10000);
    HWND wait_for_message_box(DWORD timeout_ms = 10000);
    // All top-level windows the program has.
    std::vector<HWND> windows() const;
    bool running() const;
    // The exit code, or a failed expectation when it does not end in time.
    DWORD wait_for_exit();
    // Presses one of the dialog's buttons and expects the program to end with 0.
    void end_with(HWND dialog, int button);
};

// Acting on a window of the program. Actions are posted, as real input is;
// settle() returns once the program has handled everything posted before.
std::string text(HWND window);                 // in Windows-1252
std::string item_text(HWND dialog, int id);
std::vector<std::string> list_lines(HWND dialog);
void type(HWND dialog, int id, const std::string &typed);  // selects all, deletes, types
void press_key(HWND window, WPARAM key);
void click(HWND dialog, int id);
void select_network(HWND dialog, int line);
void settle(HWND dialog);
HWND focused(HWND dialog);
std::string window_class(HWND window);
