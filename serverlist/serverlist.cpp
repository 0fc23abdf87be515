#include "serverlist.h"

#include <string.h>

NetworkTable network_table;
char data_file_path[MAX_PATH];
ModuleFileNameReader read_module_file_name = GetModuleFileNameA;

// Turns the executable's path into IRC.DAT's: the first PAVOREN.EXE in the
// upper-cased path becomes IRC.DAT and whatever follows it is cut off.
bool locate_data_file()
{
    DWORD length = read_module_file_name(GetModuleHandleA(NULL), data_file_path, MAX_PATH);
    // A path that does not fit comes back cut and unterminated.
    if (length == 0 || length >= MAX_PATH) {
        data_file_path[0] = '\0';
        return false;
    }
    data_file_path[length] = '\0';
    CharUpperA(data_file_path);
    char *name = strstr(data_file_path, PROGRAM_FILE_NAME);
    if (name == NULL)
        return false;
    // "IRC.DAT" is shorter than the name it replaces, so it fits.
    wsprintfA(name, DATA_FILE_NAME);
    return true;
}

static HANDLE open_data_file(DWORD access)
{
    return CreateFileA(data_file_path, access, 0, NULL, OPEN_EXISTING,
                       FILE_ATTRIBUTE_ARCHIVE, NULL);
}

LoadResult load_networks()
{
    if (!locate_data_file())
        return LoadResult::NotLocated;
    HANDLE file = open_data_file(GENERIC_READ);
    if (file == INVALID_HANDLE_VALUE)
        return LoadResult::NotFound;
    LoadResult result = LoadResult::Loaded;
    for (int i = 0; i < NETWORK_COUNT; i++) {
        DWORD delivered = 0;
        ReadFile(file, &network_table.records[i], RECORD_SIZE, &delivered, NULL);
        if (delivered < RECORD_SIZE) {
            result = LoadResult::Damaged;
            break;
        }
    }
    CloseHandle(file);
    return result;
}

// Rewrites the first DATA_FILE_SIZE bytes in place; the file is never
// created or truncated, so bytes after the table stay as they are.
SaveResult save_networks()
{
    if (!locate_data_file())
        return SaveResult::NotLocated;
    HANDLE file = open_data_file(GENERIC_WRITE);
    if (file == INVALID_HANDLE_VALUE)
        return SaveResult::NotWritable;
    SaveResult result = SaveResult::Saved;
    for (int i = 0; i < NETWORK_COUNT; i++) {
        DWORD written = 0;
        if (!WriteFile(file, &network_table.records[i], RECORD_SIZE, &written, NULL) ||
            written != RECORD_SIZE) {
            result = SaveResult::WriteFailed;
            break;
        }
    }
    CloseHandle(file);
    return result;
}
