// ircdat: reads IRC.DAT as a table and writes sample files.
#pragma once

#include <stdio.h>

enum { EXIT_OK = 0, EXIT_FILE_ERROR = 1, EXIT_USAGE = 2 };

// The whole command line tool, writing to the given streams; returns the exit code.
int run_ircdat(int argc, const char *const *argv, FILE *out, FILE *err);
