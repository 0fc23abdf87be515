// The editor dialog as its users use it: the real PAVOREN.EXE beside a real
// IRC.DAT, driven through its controls and the keyboard.
#include <string.h>

#include <random>

#include <gtest/gtest.h>

#include "program.h"
#include "resource.h"

static const int HOSTS[] = {IDC_HOST1, IDC_HOST2, IDC_HOST3, IDC_HOST4};
static const int PORTS[] = {IDC_PORT1, IDC_PORT2, IDC_PORT3, IDC_PORT4};

class Editor : public ::testing::Test {
protected:
    Program program;
    NetworkTable fixture = sample_table();
    const std::string tail = "after the table";

    // Starts the program beside IRC.DAT holding `fixture` and the tail.
    HWND open_editor() { return program.open_editor(table_bytes(fixture) + tail); }
    void expect_file(const NetworkTable &table)
    {
        EXPECT_TRUE(same_bytes(read_file(program.data_file()), table_bytes(table) + tail));
    }
    void expect_shown(HWND dialog, int network)
    {
        const NetworkRecord &record = fixture.records[network];
        for (int s = 0; s < SERVERS_PER_NETWORK; s++) {
            EXPECT_EQ(item_text(dialog, HOSTS[s]), record.servers[s].host) << s;
            EXPECT_EQ(item_text(dialog, PORTS[s]), std::to_string(record.servers[s].port)) << s;
        }
        EXPECT_EQ(item_text(dialog, IDC_DESCRIPTION), record.description);
    }
};

// What the file holds after a host was typed: the text and a zero over the
// old field, whose remaining bytes stay.
static void put_host(NetworkTable &table, int network, int server, const char *host)
{
    strcpy(table.records[network].servers[server].host, host);
}

TEST_F(Editor, ShowsTheNetworksAndTheFirstNetworksServers)
{
    HWND dialog = open_editor();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(list_lines(dialog), (std::vector<std::string>{"Netz0-1", "Netz1-1", "Netz2-1", "Netz3-1"}));
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_NETWORK_LIST, LB_GETCURSEL, 0, 0), 0);
    expect_shown(dialog, 0);
    // Only the first server is greyed out.
    for (int s = 0; s < SERVERS_PER_NETWORK; s++) {
        EXPECT_EQ(IsWindowEnabled(GetDlgItem(dialog, HOSTS[s])), s > 0) << s;
        EXPECT_EQ(IsWindowEnabled(GetDlgItem(dialog, PORTS[s])), s > 0) << s;
    }
    program.end_with(dialog, IDC_BUTTON_CANCEL);
}

TEST_F(Editor, ShowsFieldsAsTheyAreInTheFile)
{
    NetworkRecord &record = fixture.records[0];
    record.servers[0].port = INT32_MIN;                   // signed
    record.servers[1].port = 65535;                       // five digits
    record.servers[2].port = -5;
    memset(record.servers[3].host, 'h', TEXT_FIELD_SIZE - 1);  // 259 characters
    record.servers[3].host[TEXT_FIELD_SIZE - 1] = '\0';
    memset(record.description, 'd', TEXT_FIELD_SIZE);     // no terminator
    strcpy(record.servers[2].host, "m\xFC" "nchen.example.net");  // Windows-1252

    HWND dialog = open_editor();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(item_text(dialog, IDC_PORT1), "-2147483648");
    EXPECT_EQ(item_text(dialog, IDC_PORT2), "65535");
    EXPECT_EQ(item_text(dialog, IDC_PORT3), "-5");
    EXPECT_EQ(item_text(dialog, IDC_HOST4), std::string(259, 'h'));
    EXPECT_EQ(item_text(dialog, IDC_HOST3), "m\xFC" "nchen.example.net");
    EXPECT_EQ(item_text(dialog, IDC_DESCRIPTION), std::string(TEXT_FIELD_SIZE, 'd'));
    program.end_with(dialog, IDC_BUTTON_CANCEL);
}

TEST_F(Editor, SwitchingNetworksKeepsWhatWasTypedAndCancelWritesNothing)
{
    HWND dialog = open_editor();
    ASSERT_NE(dialog, nullptr);
    type(dialog, IDC_HOST2, "neu.example.org");
    type(dialog, IDC_PORT2, "7000");
    select_network(dialog, 1);
    expect_shown(dialog, 1);
    select_network(dialog, 0);
    EXPECT_EQ(item_text(dialog, IDC_HOST2), "neu.example.org");
    EXPECT_EQ(item_text(dialog, IDC_PORT2), "7000");
    program.end_with(dialog, IDC_BUTTON_CANCEL);
    expect_file(fixture);
}

TEST_F(Editor, SavesEditsMadeInSeveralNetworks)
{
    HWND dialog = open_editor();
    ASSERT_NE(dialog, nullptr);
    select_network(dialog, 1);
    type(dialog, IDC_HOST3, "irc.example.org");
    type(dialog, IDC_PORT3, "6697");
    select_network(dialog, 2);
    type(dialog, IDC_HOST2, "x");
    type(dialog, IDC_PORT4, "");
    program.end_with(dialog, IDC_BUTTON_SAVE);

    NetworkTable expected = fixture;
    put_host(expected, 1, 2, "irc.example.org");
    expected.records[1].servers[2].port = 6697;
    put_host(expected, 2, 1, "x");
    expected.records[2].servers[3].port = 0;
    expect_file(expected);
}

TEST_F(Editor, StoresChangedPortsAsUnsignedDecimalNumbers)
{
    enum Edit {
        Replace,      // select all, delete, type the text
        DeleteFirst,  // delete the first character of what is shown
        Paste,        // more text than typing lets in, marked as changed
    };
    const struct {
        int32_t shown;
        Edit edit;
        const char *text;
        uint32_t stored;
    } cases[] = {
        {6667, Replace, "", 0},
        {6667, Replace, "abc", 0},
        {6667, Replace, " 12", 12},
        {6667, Replace, "12a3", 12},
        {6667, Replace, "+7", 0},
        {6667, Replace, "-5", 0},
        {6667, Replace, "123456", 1234},  // typing stops at four characters
        {65535, DeleteFirst, "", 5535},
        {INT32_MIN, DeleteFirst, "", 2147483648u},
        {6667, Paste, "4294967295", 4294967295u},
        {6667, Paste, "4294967296", 0},
        {6667, Paste, "99999999999999999999", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.shown << " " << c.edit << " \"" << c.text << "\"");
        Program run;
        NetworkTable table = fixture;
        table.records[0].servers[1].port = c.shown;
        HWND dialog = run.open_editor(table_bytes(table));
        ASSERT_NE(dialog, nullptr);
        HWND field = GetDlgItem(dialog, IDC_PORT2);
        if (c.edit == Replace) {
            type(dialog, IDC_PORT2, c.text);
        } else if (c.edit == DeleteFirst) {
            PostMessageA(field, EM_SETSEL, 0, 1);
            PostMessageA(field, WM_CHAR, VK_BACK, 1);
        } else {
            SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.text));
            SendMessageA(field, EM_SETMODIFY, TRUE, 0);
        }
        run.end_with(dialog, IDC_BUTTON_SAVE);
        table.records[0].servers[1].port = static_cast<int32_t>(c.stored);
        EXPECT_TRUE(same_bytes(read_file(run.data_file()), table_bytes(table)));
    }
}

TEST_F(Editor, UntouchedFieldsKeepTheirBytesWhatEverTheyHold)
{
    NetworkRecord &record = fixture.records[1];
    record.servers[1].port = -1;
    record.servers[2].port = INT32_MIN;
    memset(record.servers[3].host, 'x', TEXT_FIELD_SIZE);  // no terminator
    HWND dialog = open_editor();
    ASSERT_NE(dialog, nullptr);
    select_network(dialog, 1);
    select_network(dialog, 2);
    select_network(dialog, 1);
    program.end_with(dialog, IDC_BUTTON_SAVE);
    expect_file(fixture);
}

TEST_F(Editor, AHostOf259CharactersIsStoredWhole)
{
    HWND dialog = open_editor();
    ASSERT_NE(dialog, nullptr);
    std::string host(TEXT_FIELD_SIZE - 1, 'a');
    type(dialog, IDC_HOST4, host + "bc");  // typing stops at 259
    EXPECT_EQ(item_text(dialog, IDC_HOST4), host);
    program.end_with(dialog, IDC_BUTTON_SAVE);
    NetworkTable expected = fixture;
    memcpy(expected.records[0].servers[3].host, host.c_str(), TEXT_FIELD_SIZE);
    expect_file(expected);
}

TEST_F(Editor, NoSelectedLineKeepsTheShownNetwork)
{
    HWND dialog = open_editor();
    ASSERT_NE(dialog, nullptr);
    select_network(dialog, 2);
    type(dialog, IDC_PORT3, "1");
    select_network(dialog, -1);  // the list reports LB_ERR
    EXPECT_EQ(item_text(dialog, IDC_DESCRIPTION), fixture.records[2].description);
    EXPECT_EQ(item_text(dialog, IDC_PORT3), "1");
    program.end_with(dialog, IDC_BUTTON_SAVE);
    NetworkTable expected = fixture;
    expected.records[2].servers[2].port = 1;
    expect_file(expected);
}

TEST_F(Editor, EnterSavesWhileEscapeAndTheCloseBoxDoNothing)
{
    HWND dialog = open_editor();
    ASSERT_NE(dialog, nullptr);
    type(dialog, IDC_HOST2, "enter.example.org");
    HWND host = GetDlgItem(dialog, IDC_HOST2);
    press_key(host, VK_ESCAPE);
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    settle(dialog);
    EXPECT_TRUE(program.running());
    EXPECT_TRUE(IsWindowVisible(dialog));
    press_key(host, VK_RETURN);
    EXPECT_EQ(program.wait_for_exit(), 0u);
    NetworkTable expected = fixture;
    put_host(expected, 0, 1, "enter.example.org");
    expect_file(expected);
}

TEST_F(Editor, TabRunsFromCancelThroughTheEditableFieldsToTheList)
{
    HWND dialog = open_editor();
    ASSERT_NE(dialog, nullptr);
    const int order[] = {IDC_BUTTON_CANCEL, IDC_BUTTON_SAVE, IDC_HOST2, IDC_PORT2, IDC_HOST3,
                         IDC_PORT3, IDC_HOST4, IDC_PORT4, IDC_NETWORK_LIST, IDC_BUTTON_CANCEL};
    for (int expected : order) {
        HWND focus = focused(dialog);
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(GetDlgCtrlID(focus), expected);
        press_key(focus, VK_TAB);
        settle(dialog);
    }
    EXPECT_TRUE(program.running());
}

TEST_F(Editor, AnExecutableNotNamedPavorenOpensEmptyAndCannotSave)
{
    write_file(program.data_file(), table_bytes(fixture));
    program.start("PAVOREN2.EXE");
    HWND dialog = program.wait_for_dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(list_lines(dialog).empty());
    EXPECT_EQ(item_text(dialog, IDC_DESCRIPTION), "Static");
    for (int s = 0; s < SERVERS_PER_NETWORK; s++) {
        EXPECT_EQ(item_text(dialog, HOSTS[s]), "");
        EXPECT_EQ(item_text(dialog, PORTS[s]), "");
    }
    type(dialog, IDC_HOST2, "verloren.example.org");
    click(dialog, IDC_BUTTON_SAVE);
    settle(dialog);
    EXPECT_TRUE(program.running());
    EXPECT_EQ(program.wait_for_message_box(0), nullptr);
    program.end_with(dialog, IDC_BUTTON_CANCEL);
    EXPECT_TRUE(same_bytes(read_file(program.data_file()), table_bytes(fixture)));
}

TEST_F(Editor, FindsItsFileWhateverTheCaseOfItsName)
{
    write_file(program.data_file(), table_bytes(fixture));
    program.start("pavoren.exe");
    HWND dialog = program.wait_for_dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(list_lines(dialog).size(), 4u);
    program.end_with(dialog, IDC_BUTTON_CANCEL);
}

// Each failure a user can meet, with the exact text the box shows.
static const char NOT_FOUND[] =
    "Die Datei IRC.DAT, die Sie bearbeiten m\xF6" "chten,\nwurde im Verzeichnis von PAVOREN.EXE\n"
    "nicht gefunden.";
static const char DAMAGED[] =
    "Die Datei IRC.DAT, die Sie bearbeiten m\xF6" "chten,\nist besch\xE4" "digt.\n"
    "Sie m\xFC" "ssen die Sicherungskopie benutzen\noder das Kartenspiel neu installieren";
static const char NOT_WRITABLE[] =
    "Die Datei IRC.DAT, die Sie bearbeiten m\xF6" "chten,\nist l\xE4\xDF" "t sich nicht zum "
    "Beschreiben \xF6" "ffnen.\nSie m\xFC" "ssen m\xF6" "glicherweise den Schreibschutz entferen\n"
    "und das Programm neu starten.";
static const char WRITE_FAILED[] =
    "Die Datei IRC.DAT, die Sie bearbeiten m\xF6" "chten,\nkonnte nicht vollst\xE4" "ndig "
    "geschrieben werden.\nSie m\xFC" "ssen m\xF6" "glicherweise die Sicherungskopie benutzen.";

static void expect_error_box(Program &program, const char *expected)
{
    HWND box = program.wait_for_message_box();
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_EQ(item_text(box, 0xFFFF), expected);
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
    for (int other : {IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO})
        EXPECT_EQ(GetDlgItem(box, other), nullptr) << other;
    EXPECT_TRUE(program.running());
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(program.wait_for_exit(), 0u);
}

TEST_F(Editor, AMissingFileIsReportedBeforeTheDialogShows)
{
    for (const char *name : {"PAVOREN.EXE", "OLDPAVOREN.EXE"}) {
        SCOPED_TRACE(name);
        Program run;
        // OLDPAVOREN.EXE looks for OLDIRC.DAT, so IRC.DAT beside it is not enough.
        if (strcmp(name, "OLDPAVOREN.EXE") == 0)
            write_file(run.data_file(), table_bytes(fixture));
        run.start(name);
        expect_error_box(run, NOT_FOUND);
    }
}

TEST_F(Editor, AShortFileIsReportedAsDamaged)
{
    write_file(program.data_file(), table_bytes(fixture).substr(0, DATA_FILE_SIZE - 1));
    program.start();
    expect_error_box(program, DAMAGED);
}

TEST_F(Editor, AFileHeldOpenAtSaveIsReportedAsNotWritable)
{
    HWND dialog = open_editor();
    ASSERT_NE(dialog, nullptr);
    type(dialog, IDC_HOST2, "lost.example.org");
    HANDLE held = CreateFileA(program.data_file().c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    click(dialog, IDC_BUTTON_SAVE);
    expect_error_box(program, NOT_WRITABLE);
    CloseHandle(held);
    expect_file(fixture);
}

TEST_F(Editor, AWriteThatFailsIsReported)
{
    // There, IRC.DAT is a link to /dev/full: it reads as zeros and takes no writes.
    program.directory = fixture_dir("full");
    ASSERT_FALSE(program.directory.empty()) << "PAVOREN_FIXTURES is not set";
    program.start();
    HWND dialog = program.wait_for_dialog();
    ASSERT_NE(dialog, nullptr);
    click(dialog, IDC_BUTTON_SAVE);
    expect_error_box(program, WRITE_FAILED);
}

// For any file at all: load, show every network, save without typing, and
// the file is exactly as it was.
TEST_F(Editor, SavingWithoutEditsWritesBackEveryByte)
{
    std::mt19937 random(20261211);
    for (int run_number = 0; run_number < 20; run_number++) {
        SCOPED_TRACE(run_number);
        Bytes bytes(DATA_FILE_SIZE, '\0');
        for (char &b : bytes)
            b = static_cast<char>(random());
        Program run;
        HWND dialog = run.open_editor(bytes);
        ASSERT_NE(dialog, nullptr);
        for (int network : {1, 2, 3, 0})
            select_network(dialog, network);
        run.end_with(dialog, IDC_BUTTON_SAVE);
        ASSERT_TRUE(same_bytes(read_file(run.data_file()), bytes));
    }
}
