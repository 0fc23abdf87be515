// The IRC.DAT file layer: where the file is looked for, and how it is read
// and rewritten, on real files.
#include <string.h>

#include <gtest/gtest.h>

#include "serverlist.h"
#include "testfiles.h"

// The executable path that the file layer sees in place of the test
// program's own; filled in by each test. Behaves as GetModuleFileNameA does:
// a path that does not fit fills the buffer, unterminated, and returns its size.
static std::string module_path;

static DWORD WINAPI fake_module_file_name(HMODULE, LPSTR buffer, DWORD size)
{
    DWORD length = static_cast<DWORD>(module_path.size());
    if (length >= size) {
        memcpy(buffer, module_path.data(), size);
        return size;
    }
    memcpy(buffer, module_path.c_str(), length + 1);
    return length;
}

class ServerList : public ::testing::Test {
protected:
    TempDir dir;
    std::string data_file = dir.file("IRC.DAT");
    NetworkTable fixture = sample_table();

    void SetUp() override
    {
        read_module_file_name = fake_module_file_name;
        module_path = dir.file("PAVOREN.EXE");
        memset(&network_table, 0, sizeof network_table);
    }
    void TearDown() override { read_module_file_name = GetModuleFileNameA; }

    Bytes table() const { return table_bytes(network_table); }
};

static const Bytes ZERO_TABLE(DATA_FILE_SIZE, '\0');

TEST_F(ServerList, LoadReadsTheFourRecordsInFileOrder)
{
    write_file(data_file, table_bytes(fixture));
    ASSERT_EQ(load_networks(), LoadResult::Loaded);
    EXPECT_TRUE(same_bytes(table(), table_bytes(fixture)));
    EXPECT_STREQ(network_table.records[2].name, "Netz2-1");
    EXPECT_EQ(network_table.records[3].servers[1].port, 6692);
}

TEST_F(ServerList, LoadReportsDamagedForAFileCutAnywhereBeforeTheEnd)
{
    const Bytes whole = table_bytes(fixture);
    // Each record boundary and the bytes on either side of it.
    const size_t lengths[] = {0, 1, 1575, 1576, 3151, 3152, 4727, 4728, 6303};
    for (size_t length : lengths) {
        SCOPED_TRACE(length);
        memset(&network_table, 0, sizeof network_table);
        write_file(data_file, whole.substr(0, length));
        EXPECT_EQ(load_networks(), LoadResult::Damaged);
        // What was delivered is in the table; the rest is as it was.
        EXPECT_EQ(table().substr(0, length), whole.substr(0, length));
        EXPECT_TRUE(same_bytes(table().substr(length), ZERO_TABLE.substr(length)));
        // The file is closed again: it can be opened exclusively.
        HANDLE file = CreateFileA(data_file.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
        EXPECT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }
}

TEST_F(ServerList, LoadReportsNotFoundForAMissingFile)
{
    EXPECT_EQ(load_networks(), LoadResult::NotFound);
    EXPECT_TRUE(same_bytes(table(), ZERO_TABLE));
}

TEST_F(ServerList, AFileHeldOpenElsewhereCanBeNeitherLoadedNorSaved)
{
    write_file(data_file, table_bytes(fixture));
    HANDLE held = CreateFileA(data_file.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(load_networks(), LoadResult::NotFound);
    EXPECT_EQ(save_networks(), SaveResult::NotWritable);
    CloseHandle(held);
    EXPECT_TRUE(same_bytes(read_file(data_file), table_bytes(fixture)));
}

TEST_F(ServerList, SaveRewritesTheTableInPlaceAndKeepsBytesAfterIt)
{
    const Bytes tail = "bytes after the table, kept as they are";
    write_file(data_file, table_bytes(fixture) + tail);
    ASSERT_EQ(load_networks(), LoadResult::Loaded);
    EXPECT_TRUE(same_bytes(table(), table_bytes(fixture)));
    strcpy(network_table.records[1].servers[2].host, "neu.example.org");
    network_table.records[1].servers[2].port = 7000;
    ASSERT_EQ(save_networks(), SaveResult::Saved);
    EXPECT_TRUE(same_bytes(read_file(data_file), table() + tail));
}

TEST_F(ServerList, SaveAfterAnUnchangedLoadWritesTheSameBytes)
{
    write_file(data_file, table_bytes(fixture));
    ASSERT_EQ(load_networks(), LoadResult::Loaded);
    ASSERT_EQ(save_networks(), SaveResult::Saved);
    EXPECT_TRUE(same_bytes(read_file(data_file), table_bytes(fixture)));
}

TEST_F(ServerList, SaveNeverCreatesAFileDeletedAfterTheLoad)
{
    write_file(data_file, table_bytes(fixture));
    ASSERT_EQ(load_networks(), LoadResult::Loaded);
    ASSERT_TRUE(DeleteFileA(data_file.c_str()));
    EXPECT_EQ(save_networks(), SaveResult::NotWritable);
    EXPECT_FALSE(file_exists(data_file));
}

TEST_F(ServerList, SaveWritesTheWholeTableOverAFileChangedAfterTheLoad)
{
    write_file(data_file, table_bytes(fixture));
    ASSERT_EQ(load_networks(), LoadResult::Loaded);

    write_file(data_file, "short");
    ASSERT_EQ(save_networks(), SaveResult::Saved);
    EXPECT_TRUE(same_bytes(read_file(data_file), table()));

    const Bytes other = table_bytes(sample_table(7)) + "tail";
    write_file(data_file, other);
    ASSERT_EQ(save_networks(), SaveResult::Saved);
    EXPECT_TRUE(same_bytes(read_file(data_file), table() + "tail"));
}

TEST_F(ServerList, SaveReportsAWriteThatFails)
{
    // IRC.DAT there is a link to /dev/full: it opens, but every write fails.
    std::string full = fixture_dir("full");
    ASSERT_FALSE(full.empty()) << "PAVOREN_FIXTURES is not set";
    module_path = full + "\\PAVOREN.EXE";
    EXPECT_EQ(save_networks(), SaveResult::WriteFailed);
}

TEST_F(ServerList, LocateFollowsTheExecutablesName)
{
    const struct {
        const char *module;
        const char *data_file;  // NULL: not located
    } cases[] = {
        {"C:\\SPIEL\\PAVOREN.EXE", "C:\\SPIEL\\IRC.DAT"},
        {"c:\\Spiel\\pavoren.exe", "C:\\SPIEL\\IRC.DAT"},
        {"C:\\Spiel\\OldPavoren.exe", "C:\\SPIEL\\OLDIRC.DAT"},
        {"C:\\PAVOREN.EXE\\BIN\\PAVOREN.EXE", "C:\\IRC.DAT"},
        {"C:\\Spiel\\PAVOREN.EXE.BAK", "C:\\SPIEL\\IRC.DAT"},
        {"C:\\Spiel\\PAVOREN2.EXE", NULL},
        {"C:\\Spiel\\PAVOREN.COM", NULL},
        {"", NULL},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.module);
        module_path = c.module;
        EXPECT_EQ(locate_data_file(), c.data_file != NULL);
        if (c.data_file != NULL) {
            EXPECT_STREQ(data_file_path, c.data_file);
        }
    }
}

TEST_F(ServerList, LocateTakesTheLongestPathThatFitsAndRefusesALongerOne)
{
    // MAX_PATH holds 259 characters and the terminator.
    std::string dir_name(259 - strlen("C:\\") - strlen("\\PAVOREN.EXE"), 'D');
    module_path = "C:\\" + dir_name + "\\PAVOREN.EXE";
    ASSERT_EQ(module_path.size(), 259u);
    EXPECT_TRUE(locate_data_file());
    EXPECT_EQ(std::string(data_file_path), "C:\\" + dir_name + "\\IRC.DAT");

    module_path = "C:\\" + dir_name + "D\\PAVOREN.EXE";
    EXPECT_FALSE(locate_data_file());
}

TEST_F(ServerList, AnExecutableThatIsNotLocatedNeitherReadsNorWrites)
{
    write_file(dir.file("IRC.DAT"), table_bytes(fixture));
    module_path = dir.file("PAVOREN2.EXE");
    EXPECT_EQ(load_networks(), LoadResult::NotLocated);
    EXPECT_TRUE(same_bytes(table(), ZERO_TABLE));
    network_table = sample_table(9);
    EXPECT_EQ(save_networks(), SaveResult::NotLocated);
    EXPECT_TRUE(same_bytes(read_file(data_file), table_bytes(fixture)));
}

// The real GetModuleFileNameA, cut short: it fills the buffer without a
// terminator, which must count as not located.
static DWORD WINAPI short_module_file_name(HMODULE module, LPSTR buffer, DWORD)
{
    return GetModuleFileNameA(module, buffer, 8);
}

TEST_F(ServerList, LocateUsesTheRealModulePath)
{
    read_module_file_name = GetModuleFileNameA;
    char own[MAX_PATH];
    GetModuleFileNameA(NULL, own, sizeof own);
    CharUpperA(own);
    EXPECT_FALSE(locate_data_file());  // the test program is not PAVOREN.EXE
    EXPECT_STREQ(data_file_path, own);

    read_module_file_name = short_module_file_name;
    EXPECT_FALSE(locate_data_file());
    EXPECT_EQ(load_networks(), LoadResult::NotLocated);
}
