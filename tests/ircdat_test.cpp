// ircdat, the IRC.DAT reader: its table, its warnings and its errors, on
// real files in the working directory.
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ircdat.h"
#include "records.h"

struct Result {
    int code;
    std::string out, err;
};

static std::string contents(FILE *file)
{
    std::string text;
    rewind(file);
    char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, file)) > 0)
        text.append(chunk, got);
    fclose(file);
    return text;
}

static Result ircdat(std::vector<const char *> args)
{
    args.insert(args.begin(), "ircdat");
    FILE *out = tmpfile();
    FILE *err = tmpfile();
    EXPECT_TRUE(out != NULL && err != NULL);
    int code = run_ircdat(static_cast<int>(args.size()), args.data(), out, err);
    return {code, contents(out), contents(err)};
}

class Ircdat : public ::testing::Test {
protected:
    std::string path = std::string("ircdat-") +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".dat";
    void TearDown() override { remove(path.c_str()); }

    NetworkTable sample()
    {
        remove(path.c_str());
        EXPECT_EQ(ircdat({"sample", path.c_str()}).code, 0);
        NetworkTable table = {};
        FILE *file = fopen(path.c_str(), "rb");
        EXPECT_NE(file, nullptr);
        if (file != NULL) {
            EXPECT_EQ(fread(&table, 1, sizeof table + 1, file), sizeof table);
            fclose(file);
        }
        return table;
    }
    void write(const NetworkTable &table, size_t length = sizeof(NetworkTable))
    {
        FILE *file = fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        fwrite(&table, 1, length, file);
        fclose(file);
    }
};

TEST_F(Ircdat, ShowsTheSampleAsATableWithoutWarnings)
{
    sample();
    Result shown = ircdat({"show", path.c_str()});
    EXPECT_EQ(shown.code, 0);
    EXPECT_EQ(shown.err, "");
    EXPECT_EQ(shown.out, path + ": 6304 bytes, 4 of 4 networks complete\n"
        "\n"
        "Network 1: Spielnetz\n"
        "  Description: Das Netz f\xC3\xBCr Spiele unter Freunden\n"
        "  Server 1 (fixed)  port 6667         irc1.netz1.example.net\n"
        "  Server 2          port 6668         irc2.netz1.example.org\n"
        "  Server 3          port 6669         irc3.netz1.example.net\n"
        "  Server 4          port 7000         irc4.netz1.example.org\n"
        "\n"
        "Network 2: Turniere\n"
        "  Description: Ranglisten und Turniere mit Zeitkontrolle\n"
        "  Server 1 (fixed)  port 6667         irc1.netz2.example.org\n"
        "  Server 2          port 6668         irc2.netz2.example.net\n"
        "  Server 3          port 6669         irc3.netz2.example.org\n"
        "  Server 4          port 7000         irc4.netz2.example.net\n"
        "\n"
        "Network 3: Anf\xC3\xA4nger\n"
        "  Description: Hier finden Anf\xC3\xA4nger Mitspieler\n"
        "  Server 1 (fixed)  port 6667         irc1.netz3.example.net\n"
        "  Server 2          port 6668         irc2.netz3.example.org\n"
        "  Server 3          port 6669         irc3.netz3.example.net\n"
        "  Server 4          port 7000         irc4.netz3.example.org\n"
        "\n"
        "Network 4: Gro\xC3\x9F" "e Runde\n"
        "  Description: Offene Tische, rund um die Uhr\n"
        "  Server 1 (fixed)  port 6667         irc1.netz4.example.org\n"
        "  Server 2          port 6668         irc2.netz4.example.net\n"
        "  Server 3          port 6669         irc3.netz4.example.org\n"
        "  Server 4          port 7000         irc4.netz4.example.net\n");
}

TEST_F(Ircdat, WarnsAboutWhatTheGameMayTripOver)
{
    const struct {
        const char *change;
        void (*apply)(NetworkTable &);
        size_t length;
        const char *warning;
    } cases[] = {
        {"cut short", [](NetworkTable &) {}, DATA_FILE_SIZE - 1,
         "the file is 6303 bytes, shorter than 6304: network 4 is cut after 1575 of its 1576 bytes (the editor reports such a file as damaged)"},
        {"empty", [](NetworkTable &) {}, 0,
         "the file is 0 bytes, shorter than 6304: network 1 is cut after 0 of its 1576 bytes (the editor reports such a file as damaged)"},
        {"no zero", [](NetworkTable &t) { memset(t.records[1].servers[2].host, 'x', TEXT_FIELD_SIZE); },
         DATA_FILE_SIZE, "network 2: the host of server 3 has no terminating zero in its 260 bytes"},
        {"no zero in name", [](NetworkTable &t) { memset(t.records[0].name, 'n', TEXT_FIELD_SIZE); },
         DATA_FILE_SIZE, "network 1: the name has no terminating zero in its 260 bytes"},
        {"port 0", [](NetworkTable &t) { t.records[3].servers[1].port = 0; }, DATA_FILE_SIZE,
         "network 4: server 2 has port 0, outside 1..65535"},
        {"port 65536", [](NetworkTable &t) { t.records[0].servers[0].port = 65536; }, DATA_FILE_SIZE,
         "network 1: server 1 has port 65536, outside 1..65535"},
        {"negative port", [](NetworkTable &t) { t.records[2].servers[3].port = -5; }, DATA_FILE_SIZE,
         "network 3: server 4 has port -5, outside 1..65535"},
        {"empty host", [](NetworkTable &t) { t.records[2].servers[1].host[0] = '\0'; }, DATA_FILE_SIZE,
         "network 3: server 2 has no host"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.change);
        NetworkTable table = sample();
        c.apply(table);
        write(table, c.length);
        Result shown = ircdat({"show", path.c_str()});
        EXPECT_EQ(shown.code, 0);
        EXPECT_NE(shown.out.find("\n1 warning:\n  " + std::string(c.warning) + "\n"), std::string::npos)
            << shown.out;
    }
}

TEST_F(Ircdat, ShowsTheCompleteNetworksOfAShortFile)
{
    write(sample(), 2 * RECORD_SIZE + 10);
    Result shown = ircdat({"show", path.c_str()});
    EXPECT_EQ(shown.code, 0);
    EXPECT_NE(shown.out.find(": 3162 bytes, 2 of 4 networks complete\n"), std::string::npos);
    EXPECT_NE(shown.out.find("Network 2: Turniere"), std::string::npos);
    EXPECT_EQ(shown.out.find("Network 3"), std::string::npos);
}

TEST_F(Ircdat, SampleNeverOverwritesWithoutForce)
{
    FILE *file = fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    fputs("keep me", file);
    fclose(file);
    Result refused = ircdat({"sample", path.c_str()});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err, "ircdat: " + path + " exists; add --force to overwrite it\n");
    EXPECT_EQ(ircdat({"show", path.c_str()}).out.find("7 bytes") != std::string::npos, true);

    EXPECT_EQ(ircdat({"sample", path.c_str(), "--force"}).code, 0);
    EXPECT_NE(ircdat({"show", path.c_str()}).out.find("6304 bytes"), std::string::npos);
    EXPECT_EQ(ircdat({"sample", "--force", path.c_str()}).code, 0);
}

TEST_F(Ircdat, ReportsFilesItCannotUseAndWrongUsage)
{
    const struct {
        std::vector<const char *> args;
        int code;
        const char *err;  // start of the error output
    } cases[] = {
        {{"show", "no-such-file.dat"}, 1, "ircdat: cannot open no-such-file.dat\n"},
        {{"sample", "no-such-dir/IRC.DAT"}, 1, "ircdat: cannot write no-such-dir/IRC.DAT\n"},
        {{}, 2, "Usage: ircdat show FILE"},
        {{"show"}, 2, "Usage: "},
        {{"show", "a", "b"}, 2, "Usage: "},
        {{"sample", "--force"}, 2, "Usage: "},
        {{"sample", "a", "--fast"}, 2, "Usage: "},
        {{"edit", "a"}, 2, "Usage: "},
    };
    for (const auto &c : cases) {
        Result result = ircdat(c.args);
        EXPECT_EQ(result.code, c.code) << result.err;
        EXPECT_EQ(result.err.compare(0, strlen(c.err), c.err), 0) << result.err;
        EXPECT_EQ(result.out, "");
    }
    Result help = ircdat({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.out.compare(0, 13, "Usage: ircdat"), 0);
}
