// Real files in a fresh temporary directory, and IRC.DAT fixtures.
#pragma once

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "../serverlist/records.h"

typedef std::string Bytes;

// A directory of its own under Wine's temp folder, removed with its files.
struct TempDir {
    std::string path;
    TempDir();
    ~TempDir();
    std::string file(const char *name) const { return path + "\\" + name; }
};

// Four networks with distinct texts, ports and bytes after every
// terminator, so that any change to an untouched byte shows.
NetworkTable sample_table(unsigned seed = 1);
Bytes table_bytes(const NetworkTable &table);

// Equal bytes, or a message naming the first difference.
::testing::AssertionResult same_bytes(const Bytes &actual, const Bytes &expected);

void write_file(const std::string &path, const Bytes &bytes);
Bytes read_file(const std::string &path);
bool file_exists(const std::string &path);

// The Windows form (Z:\...) of a Unix path that ctest passes in an
// environment variable; empty when the variable is not set.
std::string path_from_environment(const char *variable);
// A directory of test fixtures made on the Unix side.
std::string fixture_dir(const char *name);
