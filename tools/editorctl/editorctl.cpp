// editorctl: lets a script wait for the running editor's dialog and close
// it with "Abbrechen", as scripts/run does on a virtual display.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "resource.h"

static const char DIALOG_TITLE[] = "Bearbeiten der Datei IRC.DAT";

static HWND find_editor()
{
    HWND dialog = FindWindowA("#32770", DIALOG_TITLE);
    return dialog != NULL && IsWindowVisible(dialog) ? dialog : NULL;
}

int main(int argc, char **argv)
{
    if (argc == 2 && strcmp(argv[1], "wait") == 0) {
        // Prints the dialog's place on the screen: left top width height.
        for (int waited = 0; waited < 60000; waited += 100) {
            HWND dialog = find_editor();
            RECT frame;
            if (dialog != NULL && GetWindowRect(dialog, &frame)) {
                printf("%ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left,
                       frame.bottom - frame.top);
                return 0;
            }
            Sleep(100);
        }
        fprintf(stderr, "editorctl: no editor dialog appeared\n");
        return 1;
    }
    if (argc == 2 && strcmp(argv[1], "cancel") == 0) {
        HWND dialog = find_editor();
        if (dialog == NULL) {
            fprintf(stderr, "editorctl: the editor is not open\n");
            return 1;
        }
        PostMessageA(GetDlgItem(dialog, IDC_BUTTON_CANCEL), BM_CLICK, 0, 0);
        return 0;
    }
    fprintf(stderr, "Usage: editorctl wait|cancel\n");
    return 2;
}
