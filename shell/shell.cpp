// Program entry: one copy at a time, and a hidden host window whose
// creation runs the editor dialog.
#include <windows.h>

#include "editor.h"
#include "records.h"
#include "resource.h"

static WNDCLASSA host_class;

static LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        DialogBoxParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_EDITOR), window,
                        EditorDialogProc, 0);
        // Creation finishes first; the message loop then closes the window.
        PostMessageA(window, WM_CLOSE, 0, 0);
        break;
    case WM_CLOSE:
        DestroyWindow(window);
        PostQuitMessage(0);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // The hidden host window marks a running copy, from the start of its creation.
    if (FindWindowA(WINDOW_CLASS_NAME, NULL) != NULL)
        return 0;
    host_class.lpfnWndProc = HostWindowProc;
    host_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
    host_class.lpszClassName = WINDOW_CLASS_NAME;
    if (RegisterClassA(&host_class) == 0)
        return 0;
    if (CreateWindowExA(0, WINDOW_CLASS_NAME, NULL, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                        CW_USEDEFAULT, 0, NULL, NULL, instance, NULL) == NULL)
        return 0;
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    UnregisterClassA(WINDOW_CLASS_NAME, GetModuleHandleA(NULL));
    return static_cast<int>(message.wParam);
}
