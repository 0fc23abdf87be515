#include "ircdat.h"

#include <stdint.h>
#include <string.h>

#include "records.h"

static const char USAGE[] =
    "Usage: ircdat show FILE            print the networks and servers of an IRC.DAT\n"
    "       ircdat sample FILE [--force] write a sample IRC.DAT (--force: overwrite)\n"
    "       ircdat --help\n"
    "\n"
    "Exit codes: 0 success, 1 a file that cannot be read or written, 2 a usage error.\n";

// Texts in IRC.DAT are Windows-1252; this prints them as UTF-8.
static void put_cp1252(FILE *out, const char *text, size_t length)
{
    // 0x80..0x9F differ from Latin-1; 0 marks the bytes Windows-1252 leaves undefined.
    static const uint16_t HIGH[32] = {
        0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013,
        0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
    for (size_t i = 0; i < length; i++) {
        unsigned c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80 && c < 0xA0)
            c = HIGH[c - 0x80] ? HIGH[c - 0x80] : 0xFFFD;
        if (c < 0x20 || c == 0x7F)
            fprintf(out, "\\x%02x", c);  // control characters stay visible
        else if (c < 0x80)
            fputc(static_cast<int>(c), out);
        else if (c < 0x800)
            fprintf(out, "%c%c", 0xC0 | (c >> 6), 0x80 | (c & 0x3F));
        else
            fprintf(out, "%c%c%c", 0xE0 | (c >> 12), 0x80 | ((c >> 6) & 0x3F), 0x80 | (c & 0x3F));
    }
}

// Length of a text field up to its zero, or the whole field when it has none.
static size_t text_length(const char *field)
{
    const void *zero = memchr(field, 0, TEXT_FIELD_SIZE);
    return zero ? static_cast<size_t>(static_cast<const char *>(zero) - field) : static_cast<size_t>(TEXT_FIELD_SIZE);
}

struct Report {
    FILE *out;
    char warnings[64][160];
    int warning_count;
};

static void warn(Report &report, const char *text)
{
    if (report.warning_count < 64)
        snprintf(report.warnings[report.warning_count++], sizeof report.warnings[0], "%s", text);
}

static void show_text(Report &report, const char *field, int network, const char *what)
{
    size_t length = text_length(field);
    put_cp1252(report.out, field, length);
    if (length == TEXT_FIELD_SIZE) {
        char text[160];
        snprintf(text, sizeof text, "network %d: %s has no terminating zero in its %d bytes",
                 network, what, TEXT_FIELD_SIZE);
        warn(report, text);
    }
}

static void show_network(Report &report, const NetworkRecord &record, int network)
{
    FILE *out = report.out;
    fprintf(out, "Network %d: ", network);
    show_text(report, record.name, network, "the name");
    fprintf(out, "\n  Description: ");
    show_text(report, record.description, network, "the description");
    fputc('\n', out);
    for (int s = 0; s < SERVERS_PER_NETWORK; s++) {
        const ServerSlot &server = record.servers[s];
        char what[64];
        snprintf(what, sizeof what, "the host of server %d", s + 1);
        fprintf(out, "  Server %d%s  port %-11d  ", s + 1, s == 0 ? " (fixed)" : "        ",
                static_cast<int>(server.port));
        show_text(report, server.host, network, what);
        fputc('\n', out);
        char text[160];
        if (server.host[0] == '\0') {
            snprintf(text, sizeof text, "network %d: server %d has no host", network, s + 1);
            warn(report, text);
        }
        if (server.port < 1 || server.port > 65535) {
            snprintf(text, sizeof text, "network %d: server %d has port %d, outside 1..65535",
                     network, s + 1, static_cast<int>(server.port));
            warn(report, text);
        }
    }
}

static int show(const char *path, FILE *out, FILE *err)
{
    FILE *file = fopen(path, "rb");
    if (file == NULL) {
        fprintf(err, "ircdat: cannot open %s\n", path);
        return EXIT_FILE_ERROR;
    }
    static NetworkTable table;
    memset(&table, 0, sizeof table);
    size_t length = fread(&table, 1, sizeof table, file);
    bool read_error = ferror(file) != 0;
    bool longer = length == sizeof table && fgetc(file) != EOF;
    fclose(file);
    if (read_error) {
        fprintf(err, "ircdat: cannot read %s\n", path);
        return EXIT_FILE_ERROR;
    }

    static Report report;  // too large for the stack
    report.out = out;
    report.warning_count = 0;
    size_t complete = length / RECORD_SIZE;
    fprintf(out, "%s: %s%zu bytes, %zu of %d networks complete\n", path,
            longer ? "more than " : "", length, complete, NETWORK_COUNT);
    for (size_t n = 0; n < complete; n++) {
        fputc('\n', out);
        show_network(report, table.records[n], static_cast<int>(n + 1));
    }
    if (complete < NETWORK_COUNT) {
        char text[160];
        snprintf(text, sizeof text,
                 "the file is %zu bytes, shorter than %d: network %zu is cut after %zu of its %d "
                 "bytes (the editor reports such a file as damaged)",
                 length, DATA_FILE_SIZE, complete + 1, length % RECORD_SIZE, RECORD_SIZE);
        warn(report, text);
    }
    if (report.warning_count > 0) {
        fprintf(out, "\n%d warning%s:\n", report.warning_count, report.warning_count == 1 ? "" : "s");
        for (int i = 0; i < report.warning_count; i++)
            fprintf(out, "  %s\n", report.warnings[i]);
    }
    return EXIT_OK;
}

// Windows-1252: \344 is ä, \366 ö, \374 ü, \337 ß.
static const struct {
    const char *name, *description;
} SAMPLE_NETWORKS[NETWORK_COUNT] = {
    {"Spielnetz", "Das Netz f\374r Spiele unter Freunden"},
    {"Turniere", "Ranglisten und Turniere mit Zeitkontrolle"},
    {"Anf\344nger", "Hier finden Anf\344nger Mitspieler"},
    {"Gro\337e Runde", "Offene Tische, rund um die Uhr"},
};
static const char *const SAMPLE_DOMAINS[2] = {"example.net", "example.org"};

static int sample(const char *path, bool force, FILE *out, FILE *err)
{
    if (!force) {
        FILE *existing = fopen(path, "rb");
        if (existing != NULL) {
            fclose(existing);
            fprintf(err, "ircdat: %s exists; add --force to overwrite it\n", path);
            return EXIT_FILE_ERROR;
        }
    }
    static NetworkTable table;
    memset(&table, 0, sizeof table);
    for (int n = 0; n < NETWORK_COUNT; n++) {
        NetworkRecord &record = table.records[n];
        snprintf(record.name, TEXT_FIELD_SIZE, "%s", SAMPLE_NETWORKS[n].name);
        snprintf(record.description, TEXT_FIELD_SIZE, "%s", SAMPLE_NETWORKS[n].description);
        for (int s = 0; s < SERVERS_PER_NETWORK; s++) {
            snprintf(record.servers[s].host, TEXT_FIELD_SIZE, "irc%d.netz%d.%s", s + 1, n + 1,
                     SAMPLE_DOMAINS[(n + s) % 2]);
            record.servers[s].port = s == 3 ? 7000 : 6667 + s;
        }
    }
    FILE *file = fopen(path, "wb");
    bool written = file != NULL && fwrite(&table, sizeof table, 1, file) == 1;
    if (file != NULL && fclose(file) != 0)
        written = false;
    if (!written) {
        fprintf(err, "ircdat: cannot write %s\n", path);
        return EXIT_FILE_ERROR;
    }
    fprintf(out, "Wrote a sample IRC.DAT of %d bytes to %s\n", DATA_FILE_SIZE, path);
    return EXIT_OK;
}

int run_ircdat(int argc, const char *const *argv, FILE *out, FILE *err)
{
    if (argc == 2 && (strcmp(argv[1], "--help") == 0 || strcmp(argv[1], "-h") == 0)) {
        fputs(USAGE, out);
        return EXIT_OK;
    }
    if (argc == 3 && strcmp(argv[1], "show") == 0)
        return show(argv[2], out, err);
    if (argc == 3 && strcmp(argv[1], "sample") == 0 && strcmp(argv[2], "--force") != 0)
        return sample(argv[2], false, out, err);
    if (argc == 4 && strcmp(argv[1], "sample") == 0) {
        // --force before or after the file name
        bool force_last = strcmp(argv[3], "--force") == 0;
        const char *path = force_last ? argv[2] : argv[3];
        if ((force_last || strcmp(argv[2], "--force") == 0) && strcmp(path, "--force") != 0)
            return sample(path, true, out, err);
    }
    fputs(USAGE, err);
    return EXIT_USAGE;
}
