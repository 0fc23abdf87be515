// The resources both executables carry, read back out of the built files:
// the editor's dialog template and the application icon, and nothing else.
#include <string.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resource.h"
#include "testfiles.h"

static const WORD GERMAN = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);

// Both executables, opened as data files: the 32-bit one cannot run here,
// but its resources read the same way.
static std::vector<std::string> executables()
{
    std::vector<std::string> paths;
    for (const char *variable : {"PAVOREN_EXE_WIN64", "PAVOREN_EXE_WIN32"}) {
        std::string path = path_from_environment(variable);
        if (!path.empty())
            paths.push_back(path);
    }
    return paths;
}

class Resources : public ::testing::Test {
protected:
    std::vector<HMODULE> modules;

    void SetUp() override
    {
        for (const std::string &path : executables()) {
            HMODULE module = LoadLibraryExA(path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
            ASSERT_NE(module, nullptr) << path;
            modules.push_back(module);
        }
        ASSERT_EQ(modules.size(), 2u) << "set PAVOREN_EXE_WIN64 and PAVOREN_EXE_WIN32";
    }
    void TearDown() override
    {
        for (HMODULE module : modules)
            FreeLibrary(module);
    }
};

static std::string resource(HMODULE module, LPCSTR type, WORD number)
{
    HRSRC found = FindResourceExA(module, type, MAKEINTRESOURCEA(number), GERMAN);
    if (found == NULL)
        return std::string();
    const char *data = static_cast<const char *>(LockResource(LoadResource(module, found)));
    return std::string(data, SizeofResource(module, found));
}

// Every resource as "type/name/language".
static BOOL CALLBACK add_language(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR list)
{
    char entry[64];
    snprintf(entry, sizeof entry, "%u/%u/%04x", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(type)),
             static_cast<unsigned>(reinterpret_cast<UINT_PTR>(name)), language);
    reinterpret_cast<std::vector<std::string> *>(list)->push_back(entry);
    return TRUE;
}
static BOOL CALLBACK add_name(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR list)
{
    if (!IS_INTRESOURCE(name)) {
        reinterpret_cast<std::vector<std::string> *>(list)->push_back(std::string("named ") + name);
        return TRUE;
    }
    return EnumResourceLanguagesA(module, type, name, add_language, list);
}
static BOOL CALLBACK add_type(HMODULE module, LPSTR type, LONG_PTR list)
{
    if (!IS_INTRESOURCE(type)) {
        reinterpret_cast<std::vector<std::string> *>(list)->push_back(std::string("type ") + type);
        return TRUE;
    }
    return EnumResourceNamesA(module, type, add_name, list);
}

TEST_F(Resources, ExactlyTheDialogTheIconAndItsImageInGerman)
{
    for (HMODULE module : modules) {
        std::vector<std::string> list;
        EnumResourceTypesA(module, add_type, reinterpret_cast<LONG_PTR>(&list));
        std::sort(list.begin(), list.end());
        EXPECT_EQ(list, (std::vector<std::string>{"14/122/0407", "3/1/0407", "5/192/0407"}));
    }
}

TEST_F(Resources, BothExecutablesCarryTheSameResources)
{
    const struct { LPCSTR type; WORD number; } all[] = {
        {RT_DIALOG, IDD_EDITOR}, {RT_GROUP_ICON, IDI_APP}, {RT_ICON, 1}};
    for (const auto &r : all)
        EXPECT_EQ(resource(modules[0], r.type, r.number), resource(modules[1], r.type, r.number));
}

template <typename T> static T at(const std::string &data, size_t offset)
{
    T value;
    memcpy(&value, data.data() + offset, sizeof value);
    return value;
}

TEST_F(Resources, TheIconIsOne32By32ImageOf16Colours)
{
    for (HMODULE module : modules) {
        std::string group = resource(module, RT_GROUP_ICON, IDI_APP);
        ASSERT_EQ(group.size(), 6u + 14u);
        EXPECT_EQ(at<WORD>(group, 0), 0);  // reserved
        EXPECT_EQ(at<WORD>(group, 2), 1);  // icons
        EXPECT_EQ(at<WORD>(group, 4), 1);  // one image
        EXPECT_EQ(at<BYTE>(group, 6), 32);
        EXPECT_EQ(at<BYTE>(group, 7), 32);
        EXPECT_EQ(at<BYTE>(group, 8), 16);  // colours
        EXPECT_EQ(at<BYTE>(group, 9), 0);
        EXPECT_EQ(at<WORD>(group, 10), 1);  // planes
        EXPECT_EQ(at<WORD>(group, 12), 4);  // bits per pixel
        EXPECT_EQ(at<DWORD>(group, 14), 744u);
        EXPECT_EQ(at<WORD>(group, 18), 1);  // icon resource 1

        std::string image = resource(module, RT_ICON, 1);
        ASSERT_EQ(image.size(), 744u);
        BITMAPINFOHEADER header = at<BITMAPINFOHEADER>(image, 0);
        EXPECT_EQ(header.biSize, 40u);
        EXPECT_EQ(header.biWidth, 32);
        EXPECT_EQ(header.biHeight, 64);  // colour bits and mask
        EXPECT_EQ(header.biPlanes, 1);
        EXPECT_EQ(header.biBitCount, 4);
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
        EXPECT_EQ(40u + 16 * 4 + 512 + 128, image.size());
        EXPECT_NE(LoadIconA(module, MAKEINTRESOURCEA(IDI_APP)), nullptr);
    }
}

// A classic dialog template, read field by field.
struct TemplateReader {
    std::string data;
    size_t offset = 0;

    template <typename T> T next()
    {
        T value = at<T>(data, offset);
        offset += sizeof value;
        return value;
    }
    // A text or number field: 0xFFFF and a number, or a UTF-16 text.
    std::wstring text_or_number()
    {
        if (at<WORD>(data, offset) == 0xFFFF) {
            offset += 2;
            return L"#" + std::to_wstring(next<WORD>());
        }
        std::wstring text;
        while (WCHAR c = next<WCHAR>())
            text += c;
        return text;
    }
    void align() { offset = (offset + 3) & ~static_cast<size_t>(3); }
};

struct Control {
    DWORD style;
    int id;
    const wchar_t *window_class;
    short x, y, cx, cy;
    const wchar_t *text;
};

static const Control CONTROLS[] = {
    {0x50010000, IDC_BUTTON_CANCEL, L"BUTTON", 35, 199, 63, 14, L"Abbrechen"},
    {0x50010001, IDC_BUTTON_SAVE, L"BUTTON", 111, 199, 145, 14, L"Speichern und Beenden"},
    {0x58810080, IDC_HOST1, L"EDIT", 111, 116, 145, 13, L""},
    {0x58810080, IDC_PORT1, L"EDIT", 265, 116, 24, 13, L""},
    {0x50020000, 0xFFFF, L"STATIC", 111, 103, 51, 8, L"IRC-Server"},
    {0x50020000, IDC_PORT_LABEL, L"STATIC", 265, 103, 22, 8, L"Port"},
    {0x50020000, 0xFFFF, L"STATIC", 35, 103, 39, 8, L"IRC-Netz:"},
    {0x50810080, IDC_HOST2, L"EDIT", 111, 137, 145, 13, L""},
    {0x50810080, IDC_PORT2, L"EDIT", 265, 137, 24, 13, L""},
    {0x50810080, IDC_HOST3, L"EDIT", 111, 156, 145, 13, L""},
    {0x50810080, IDC_PORT3, L"EDIT", 265, 156, 24, 13, L""},
    {0x50810080, IDC_HOST4, L"EDIT", 111, 177, 145, 13, L""},
    {0x50810080, IDC_PORT4, L"EDIT", 265, 177, 24, 13, L""},
    {0x50021000, 0xFFFF, L"STATIC", 7, 7, 310, 86, L""},
    {0x50020000, 0xFFFF, L"STATIC", 12, 12, 303, 36,
     L"Dieses Hilfsprogramm dient zum Anpassen der Datei IRC.DAT. Brechen Sie bitte ab, wenn Sie:\n"
     L"\n - noch keine Sicherungskopie von IRC.DAT hergestellt haben\n"
     L" - die Datei PAVOREN.TXT noch nicht gelesen haben"},
    {0x50020000, 0xFFFF, L"STATIC", 12, 52, 303, 36,
     L"F\u00fcr jedes IRC-Netz sind vier IRC-Server vorgesehen. Der erste Server jedes Netzes "
     L"ist aus Sicherheitsgr\u00fcnden nicht einstellbar.\nWenn dieser Server Ihre Netzanmeldung "
     L"abweist, w\u00e4hlt das Kartenspielprogramm aus den drei einstellbaren IRC-Servern aus."},
    {0x50A10101, IDC_NETWORK_LIST, L"LISTBOX", 35, 116, 63, 26, L""},
    {0x50021001, IDC_DESCRIPTION, L"STATIC", 35, 164, 63, 26, L"Static"},
};

// Predefined classes may be stored by number or by name.
static std::wstring class_name(const std::wstring &field)
{
    static const wchar_t *const predefined[] = {L"BUTTON", L"EDIT", L"STATIC", L"LISTBOX"};
    for (int i = 0; i < 4; i++)
        if (field == L"#" + std::to_wstring(0x80 + i))
            return predefined[i];
    std::wstring upper = field;
    for (wchar_t &c : upper)
        c = static_cast<wchar_t>(towupper(c));
    return upper;
}

TEST_F(Resources, TheEditorDialogIsTheClassicTemplateWithItsFrameAndFont)
{
    for (HMODULE module : modules) {
        TemplateReader t{resource(module, RT_DIALOG, IDD_EDITOR)};
        ASSERT_GT(t.data.size(), 18u);
        ASSERT_NE(at<DWORD>(t.data, 0), 0xFFFF0001u) << "an extended (DIALOGEX) template";
        EXPECT_EQ(t.next<DWORD>(), 0x80C800C0u);  // style
        EXPECT_EQ(t.next<DWORD>(), 0u);           // extended style
        EXPECT_EQ(t.next<WORD>(), 18);            // controls
        EXPECT_EQ(t.next<short>(), 0);
        EXPECT_EQ(t.next<short>(), 0);
        EXPECT_EQ(t.next<short>(), 324);
        EXPECT_EQ(t.next<short>(), 220);
        EXPECT_EQ(t.text_or_number(), L"");  // no menu
        EXPECT_EQ(t.text_or_number(), L"");  // the standard dialog class
        EXPECT_EQ(t.text_or_number(), L"Bearbeiten der Datei IRC.DAT");
        EXPECT_EQ(t.next<WORD>(), 8);
        EXPECT_EQ(t.text_or_number(), L"MS Sans Serif");
    }
}

TEST_F(Resources, TheEditorDialogHasEveryControlInTabOrder)
{
    for (HMODULE module : modules) {
        TemplateReader t{resource(module, RT_DIALOG, IDD_EDITOR)};
        t.offset = 18;
        t.text_or_number();
        t.text_or_number();
        t.text_or_number();
        t.next<WORD>();
        t.text_or_number();
        for (const Control &expected : CONTROLS) {
            SCOPED_TRACE(expected.id);
            t.align();
            ASSERT_LT(t.offset + 18, t.data.size());
            EXPECT_EQ(t.next<DWORD>(), expected.style);
            EXPECT_EQ(t.next<DWORD>(), 0u);  // extended style
            EXPECT_EQ(t.next<short>(), expected.x);
            EXPECT_EQ(t.next<short>(), expected.y);
            EXPECT_EQ(t.next<short>(), expected.cx);
            EXPECT_EQ(t.next<short>(), expected.cy);
            EXPECT_EQ(t.next<WORD>(), expected.id);
            EXPECT_EQ(class_name(t.text_or_number()), expected.window_class);
            EXPECT_EQ(t.text_or_number(), expected.text);
            EXPECT_EQ(t.next<WORD>(), 0);  // no creation data
        }
        t.align();
        EXPECT_GE(t.offset, t.data.size() - 3) << "bytes after the last control";
    }
}
