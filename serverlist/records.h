// IRC.DAT record layout and the program's fixed names.
// Plain C++ with no Windows headers, so that tools on any system share it.
#pragma once

#include <stddef.h>
#include <stdint.h>

enum {
    NETWORK_COUNT = 4,
    SERVERS_PER_NETWORK = 4,
    TEXT_FIELD_SIZE = 260,  // 259 characters and a terminating zero
    RECORD_SIZE = 1576,
    DATA_FILE_SIZE = NETWORK_COUNT * RECORD_SIZE
};

#define DATA_FILE_NAME "IRC.DAT"
#define PROGRAM_FILE_NAME "PAVOREN.EXE"
#define WINDOW_CLASS_NAME "Pavoren"

// Ports are 32-bit little-endian two's complement in the file; every
// target of this program is little-endian, so the integer is the file's bytes.
struct ServerSlot {
    char host[TEXT_FIELD_SIZE];
    int32_t port;
};

struct NetworkRecord {
    char name[TEXT_FIELD_SIZE];
    char description[TEXT_FIELD_SIZE];
    ServerSlot servers[SERVERS_PER_NETWORK];  // servers[0] is fixed
};

// The exact image of the file's first DATA_FILE_SIZE bytes.
struct NetworkTable {
    NetworkRecord records[NETWORK_COUNT];
};

static_assert(offsetof(ServerSlot, host) == 0, "host offset");
static_assert(offsetof(ServerSlot, port) == 260, "port offset");
static_assert(sizeof(ServerSlot) == 264, "server slot size");
static_assert(offsetof(NetworkRecord, name) == 0, "name offset");
static_assert(offsetof(NetworkRecord, description) == 260, "description offset");
static_assert(offsetof(NetworkRecord, servers) == 520, "servers offset");
static_assert(offsetof(NetworkRecord, servers[1].host) == 784, "second host offset");
static_assert(offsetof(NetworkRecord, servers[3].port) == 1572, "fourth port offset");
static_assert(sizeof(NetworkRecord) == RECORD_SIZE, "record size");
static_assert(sizeof(NetworkTable) == DATA_FILE_SIZE, "table size");
static_assert(DATA_FILE_SIZE == 6304, "file size");
