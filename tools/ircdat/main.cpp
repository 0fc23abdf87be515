#include "ircdat.h"

int main(int argc, char **argv)
{
    return run_ircdat(argc, argv, stdout, stderr);
}
