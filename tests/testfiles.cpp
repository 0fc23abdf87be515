#include "testfiles.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <gtest/gtest.h>

TempDir::TempDir()
{
    static unsigned counter;
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    char name[MAX_PATH + 64];
    snprintf(name, sizeof name, "%spavoren-%lu-%u", base, GetCurrentProcessId(), ++counter);
    path = name;
    CreateDirectoryA(path.c_str(), NULL);
}

TempDir::~TempDir()
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(file("*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string entry = file(found.cFileName);
            SetFileAttributesA(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(entry.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

static void put_text(char *field, const char *text, unsigned seed)
{
    // Bytes after the terminator are carried along, so fill them too.
    for (int i = 0; i < TEXT_FIELD_SIZE; i++)
        field[i] = static_cast<char>('a' + (i + seed) % 26);
    strcpy(field, text);
}

NetworkTable sample_table(unsigned seed)
{
    NetworkTable table;
    char text[TEXT_FIELD_SIZE];
    for (int n = 0; n < NETWORK_COUNT; n++) {
        NetworkRecord &record = table.records[n];
        snprintf(text, sizeof text, "Netz%d-%u", n, seed);
        put_text(record.name, text, seed + n);
        snprintf(text, sizeof text, "Beschreibung %d", n);
        put_text(record.description, text, seed + n + 1);
        for (int s = 0; s < SERVERS_PER_NETWORK; s++) {
            snprintf(text, sizeof text, "irc%d.net%d.example.net", s, n);
            put_text(record.servers[s].host, text, seed + n + s);
            record.servers[s].port = static_cast<int32_t>(6660 + 10 * n + s + seed);
        }
    }
    return table;
}

Bytes table_bytes(const NetworkTable &table)
{
    return Bytes(reinterpret_cast<const char *>(&table), sizeof table);
}

::testing::AssertionResult same_bytes(const Bytes &actual, const Bytes &expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        at++;
    char where[160];
    snprintf(where, sizeof where, "%zu bytes, expected %zu; first difference at offset %zu "
             "(record %zu, byte %zu)", actual.size(), expected.size(), at, at / RECORD_SIZE,
             at % RECORD_SIZE);
    auto show = [at](const Bytes &bytes) {
        std::string hex;
        for (size_t i = at; i < bytes.size() && i < at + 8; i++) {
            char byte[4];
            snprintf(byte, sizeof byte, "%02x ", static_cast<unsigned char>(bytes[i]));
            hex += byte;
        }
        return hex;
    };
    return ::testing::AssertionFailure() << where << ": " << show(actual) << "instead of "
                                         << show(expected);
}

void write_file(const std::string &path, const Bytes &bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

Bytes read_file(const std::string &path)
{
    Bytes bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL,
                              OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char chunk[4096];
    DWORD got;
    while (ReadFile(file, chunk, sizeof chunk, &got, NULL) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

bool file_exists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string path_from_environment(const char *variable)
{
    const char *unix_path = getenv(variable);
    if (unix_path == NULL)
        return std::string();
    std::string path = std::string("Z:") + unix_path;
    for (char &c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string fixture_dir(const char *name)
{
    std::string root = path_from_environment("PAVOREN_FIXTURES");
    return root.empty() ? root : root + "\\" + name;
}
