#include "editor.h"

#include "resource.h"
#include "serverlist.h"

int current_network;

static const int HOST_FIELDS[SERVERS_PER_NETWORK] = {IDC_HOST1, IDC_HOST2, IDC_HOST3, IDC_HOST4};
static const int PORT_FIELDS[SERVERS_PER_NETWORK] = {IDC_PORT1, IDC_PORT2, IDC_PORT3, IDC_PORT4};
static const int FIRST_EDITABLE_SERVER = 1;
static const WPARAM HOST_TYPING_LIMIT = TEXT_FIELD_SIZE - 1;
static const WPARAM PORT_TYPING_LIMIT = 4;

// Windows-1252 texts; users and the game's readme quote them as they are.
static const char ERROR_CAPTION[] = "Fehler";
#define ABOUT_THE_FILE "Die Datei IRC.DAT, die Sie bearbeiten m\366chten,\n"
static const char MESSAGE_NOT_FOUND[] = ABOUT_THE_FILE
    "wurde im Verzeichnis von PAVOREN.EXE\nnicht gefunden.";
static const char MESSAGE_DAMAGED[] = ABOUT_THE_FILE
    "ist besch\344digt.\nSie m\374ssen die Sicherungskopie benutzen\n"
    "oder das Kartenspiel neu installieren";
static const char MESSAGE_NOT_WRITABLE[] = ABOUT_THE_FILE
    "ist l\344\337t sich nicht zum Beschreiben \366ffnen.\n"
    "Sie m\374ssen m\366glicherweise den Schreibschutz entferen\n"
    "und das Programm neu starten.";
static const char MESSAGE_WRITE_FAILED[] = ABOUT_THE_FILE
    "konnte nicht vollst\344ndig geschrieben werden.\n"
    "Sie m\374ssen m\366glicherweise die Sicherungskopie benutzen.";

// A text field as a string to show: a field without a terminator is shown
// whole, and never read past its end.
static const char *field_text(const char (&field)[TEXT_FIELD_SIZE], char (&text)[TEXT_FIELD_SIZE + 1])
{
    for (int i = 0; i < TEXT_FIELD_SIZE; i++)
        text[i] = field[i];
    text[TEXT_FIELD_SIZE] = '\0';
    return text;
}

void show_network(HWND dialog, int network)
{
    const NetworkRecord &record = network_table.records[network];
    char text[TEXT_FIELD_SIZE + 1];
    for (int s = 0; s < SERVERS_PER_NETWORK; s++)
        SetDlgItemTextA(dialog, HOST_FIELDS[s], field_text(record.servers[s].host, text));
    for (int s = 0; s < SERVERS_PER_NETWORK; s++)
        SetDlgItemInt(dialog, PORT_FIELDS[s], static_cast<UINT>(record.servers[s].port), TRUE);
    SetDlgItemTextA(dialog, IDC_DESCRIPTION, field_text(record.description, text));
    // From here on, a set modify flag means the user typed into the field.
    for (int s = FIRST_EDITABLE_SERVER; s < SERVERS_PER_NETWORK; s++) {
        SendDlgItemMessageA(dialog, HOST_FIELDS[s], EM_SETMODIFY, FALSE, 0);
        SendDlgItemMessageA(dialog, PORT_FIELDS[s], EM_SETMODIFY, FALSE, 0);
    }
}

// A field the user has not typed into since show_network still holds the
// file's value, which the table keeps as it was.
static bool typed_into(HWND dialog, int field)
{
    return SendDlgItemMessageA(dialog, field, EM_GETMODIFY, 0, 0) != 0;
}

// A typed port: leading spaces, then decimal digits; no sign. An empty
// field, one not starting with a digit, or a number past 32 bits is 0.
static DWORD typed_port(HWND dialog, int field)
{
    char text[TEXT_FIELD_SIZE];
    GetDlgItemTextA(dialog, field, text, sizeof text);
    const char *c = text;
    while (*c == ' ')
        c++;
    DWORD value = 0;
    for (; *c >= '0' && *c <= '9'; c++) {
        DWORD digit = static_cast<DWORD>(*c - '0');
        if (value > (0xFFFFFFFFu - digit) / 10)
            return 0;
        value = value * 10 + digit;
    }
    return value;
}

void store_form_fields(HWND dialog)
{
    NetworkRecord &record = network_table.records[current_network];
    for (int s = FIRST_EDITABLE_SERVER; s < SERVERS_PER_NETWORK; s++) {
        if (typed_into(dialog, HOST_FIELDS[s])) {
            // Only the text and its terminator: the field's bytes after it stay.
            char text[TEXT_FIELD_SIZE];
            text[TEXT_FIELD_SIZE - 1] = '\0';
            GetDlgItemTextA(dialog, HOST_FIELDS[s], text, sizeof text);
            int i = 0;
            do
                record.servers[s].host[i] = text[i];
            while (text[i++] != '\0');
        }
        if (typed_into(dialog, PORT_FIELDS[s]))
            record.servers[s].port = static_cast<int32_t>(typed_port(dialog, PORT_FIELDS[s]));
    }
}

static void end_with_error(HWND dialog, const char *message)
{
    MessageBoxA(NULL, message, ERROR_CAPTION, MB_OK);
    EndDialog(dialog, 0);
}

static BOOL start_editor(HWND dialog)
{
    switch (load_networks()) {
    case LoadResult::NotLocated:
        return FALSE;  // open and empty
    case LoadResult::NotFound:
        end_with_error(dialog, MESSAGE_NOT_FOUND);
        return FALSE;
    case LoadResult::Damaged:
        end_with_error(dialog, MESSAGE_DAMAGED);
        return FALSE;
    case LoadResult::Loaded:
        break;
    }
    char text[TEXT_FIELD_SIZE + 1];
    for (int n = 0; n < NETWORK_COUNT; n++)
        SendDlgItemMessageA(dialog, IDC_NETWORK_LIST, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(field_text(network_table.records[n].name, text)));
    current_network = 0;
    show_network(dialog, current_network);
    SendDlgItemMessageA(dialog, IDC_NETWORK_LIST, LB_SETCURSEL, static_cast<WPARAM>(current_network), 0);
    for (int s = FIRST_EDITABLE_SERVER; s < SERVERS_PER_NETWORK; s++) {
        SendDlgItemMessageA(dialog, HOST_FIELDS[s], EM_LIMITTEXT, HOST_TYPING_LIMIT, 0);
        SendDlgItemMessageA(dialog, PORT_FIELDS[s], EM_LIMITTEXT, PORT_TYPING_LIMIT, 0);
    }
    return TRUE;  // the platform puts the focus on the first tab stop
}

static void switch_network(HWND dialog)
{
    store_form_fields(dialog);
    LRESULT line = SendDlgItemMessageA(dialog, IDC_NETWORK_LIST, LB_GETCURSEL, 0, 0);
    if (line < 0 || line >= NETWORK_COUNT)
        return;  // no line selected: the shown network stays
    current_network = static_cast<int>(line);
    show_network(dialog, current_network);
}

static BOOL save_and_exit(HWND dialog)
{
    store_form_fields(dialog);
    switch (save_networks()) {
    case SaveResult::NotLocated:
        return FALSE;  // nothing to write to: stay open
    case SaveResult::NotWritable:
        end_with_error(dialog, MESSAGE_NOT_WRITABLE);
        return FALSE;
    case SaveResult::WriteFailed:
        end_with_error(dialog, MESSAGE_WRITE_FAILED);
        return FALSE;
    case SaveResult::Saved:
        break;
    }
    EndDialog(dialog, IDOK);
    return TRUE;
}

static BOOL handle_command(HWND dialog, int command, int notification)
{
    switch (command) {
    case IDC_NETWORK_LIST:
        if (notification == LBN_SELCHANGE)
            switch_network(dialog);
        return FALSE;
    case IDC_BUTTON_SAVE:
        return save_and_exit(dialog);
    case IDC_BUTTON_CANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;  // IDOK and IDCANCEL (Enter, Escape, close box) included
}

INT_PTR CALLBACK EditorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return start_editor(dialog);
    case WM_COMMAND:
        return handle_command(dialog, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}
