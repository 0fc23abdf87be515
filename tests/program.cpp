#include "program.h"

#include <gtest/gtest.h>

#include "resource.h"

static const DWORD TIMEOUT_MS = 10000;

Program::~Program()
{
    if (process.hProcess != NULL) {
        if (running())
            TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, TIMEOUT_MS);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    if (!exe_path.empty())
        DeleteFileA(exe_path.c_str());
}

void Program::start(const char *exe_name)
{
    std::string built = path_from_environment("PAVOREN_EXE_WIN64");
    ASSERT_FALSE(built.empty()) << "PAVOREN_EXE_WIN64 is not set";
    exe_path = directory + "\\" + exe_name;
    ASSERT_TRUE(CopyFileA(built.c_str(), exe_path.c_str(), FALSE)) << exe_path;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string command = "\"" + exe_path + "\"";
    ASSERT_TRUE(CreateProcessA(exe_path.c_str(), &command[0], NULL, NULL, FALSE, 0, NULL,
                               directory.c_str(), &startup, &process));
}

HWND Program::open_editor(const Bytes &file_contents)
{
    write_file(data_file(), file_contents);
    start();
    HWND dialog = wait_for_dialog();
    EXPECT_NE(dialog, nullptr) << "no editor dialog";
    return dialog;
}

bool Program::running() const
{
    return WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
}

struct WindowSearch {
    DWORD process_id;
    std::vector<HWND> found;
};

static BOOL CALLBACK add_window(HWND window, LPARAM search_address)
{
    WindowSearch *search = reinterpret_cast<WindowSearch *>(search_address);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process_id)
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> Program::windows() const
{
    WindowSearch search = {process.dwProcessId, {}};
    EnumWindows(add_window, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

static HWND wait_for_visible_dialog(const Program &program, const char *title, DWORD timeout_ms)
{
    for (DWORD waited = 0; program.running(); waited += 20) {
        for (HWND window : program.windows())
            if (IsWindowVisible(window) && window_class(window) == "#32770" && text(window) == title)
                return window;
        if (waited >= timeout_ms)
            break;
        Sleep(20);
    }
    return NULL;
}

HWND Program::wait_for_dialog(DWORD timeout_ms)
{
    return wait_for_visible_dialog(*this, "Bearbeiten der Datei IRC.DAT", timeout_ms);
}

HWND Program::wait_for_message_box(DWORD timeout_ms)
{
    return wait_for_visible_dialog(*this, "Fehler", timeout_ms);
}

DWORD Program::wait_for_exit()
{
    DWORD code = STILL_ACTIVE;
    EXPECT_EQ(WaitForSingleObject(process.hProcess, TIMEOUT_MS), WAIT_OBJECT_0) << "still running";
    GetExitCodeProcess(process.hProcess, &code);
    return code;
}

void Program::end_with(HWND dialog, int button)
{
    click(dialog, button);
    EXPECT_EQ(wait_for_exit(), 0u);
}

std::string window_class(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Across processes, only the wide messages carry text reliably; the test
// converts it to the program's code page itself.
std::string text(HWND window)
{
    LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(window, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(&wide[0]));
    wide.resize(wcslen(wide.c_str()));
    std::string narrow(wide.size(), '\0');
    WideCharToMultiByte(1252, 0, wide.data(), static_cast<int>(wide.size()), &narrow[0],
                        static_cast<int>(narrow.size()), NULL, NULL);
    return narrow;
}

std::string item_text(HWND dialog, int id)
{
    return text(GetDlgItem(dialog, id));
}

std::vector<std::string> list_lines(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_NETWORK_LIST);
    std::vector<std::string> lines;
    LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; i++) {
        WCHAR line[TEXT_FIELD_SIZE + 1] = L"";
        LRESULT length = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
        char narrow[2 * TEXT_FIELD_SIZE] = "";
        WideCharToMultiByte(1252, 0, line, static_cast<int>(length), narrow, sizeof narrow, NULL, NULL);
        lines.push_back(narrow);
    }
    return lines;
}

static void post(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ASSERT_TRUE(PostMessageA(window, message, wParam, lParam));
}

void type(HWND dialog, int id, const std::string &typed)
{
    HWND field = GetDlgItem(dialog, id);
    post(field, EM_SETSEL, 0, -1);
    post(field, WM_CHAR, VK_BACK, 1);
    for (unsigned char c : typed)
        post(field, WM_CHAR, c, 1);
    settle(dialog);
}

void press_key(HWND window, WPARAM key)
{
    post(window, WM_KEYDOWN, key, 1);
    post(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

void click(HWND dialog, int id)
{
    post(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// The list's own reaction to a click: a new selection and LBN_SELCHANGE.
void select_network(HWND dialog, int line)
{
    HWND list = GetDlgItem(dialog, IDC_NETWORK_LIST);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    post(dialog, WM_COMMAND, MAKEWPARAM(IDC_NETWORK_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    settle(dialog);
}

// Posted messages are handled in order, so once a posted marker has had its
// effect, so has everything posted before it. The marker is the margin of
// the first server's host field, which the program never uses.
void settle(HWND dialog)
{
    static WORD marker;
    marker = static_cast<WORD>(marker % 7 + 1);
    HWND field = GetDlgItem(dialog, IDC_HOST1);
    post(field, EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(marker, 0));
    for (DWORD waited = 0; waited < TIMEOUT_MS; waited += 10) {
        DWORD_PTR margins = 0;
        if (!SendMessageTimeoutA(field, EM_GETMARGINS, 0, 0, SMTO_NORMAL, TIMEOUT_MS, &margins))
            break;
        if (LOWORD(margins) == marker)
            return;
        Sleep(10);
    }
    ADD_FAILURE() << "the program did not handle its messages in time";
}

HWND focused(HWND dialog)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, NULL), &info);
    return info.hwndFocus;
}
