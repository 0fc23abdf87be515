// Finding, reading and rewriting IRC.DAT beside the executable.
#pragma once

#include <windows.h>

#include "records.h"

enum class LoadResult { NotLocated, NotFound, Damaged, Loaded };
enum class SaveResult { NotLocated, NotWritable, WriteFailed, Saved };

extern NetworkTable network_table;
extern char data_file_path[MAX_PATH];

// Where the executable's path comes from: GetModuleFileNameA, or a stand-in
// that tests put in its place to exercise the path rule.
typedef DWORD(WINAPI *ModuleFileNameReader)(HMODULE module, LPSTR path, DWORD size);
extern ModuleFileNameReader read_module_file_name;

bool locate_data_file();
LoadResult load_networks();
SaveResult save_networks();
