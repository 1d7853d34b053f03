/* The least work any converter of component files must do: read each 64-byte record, print its
 * two listing lines with the listing's own printf formats, and keep a small entry per pin step.
 * It decodes only what those lines need and applies none of the conversion rules, so it is a
 * floor to measure zemra against, not a converter.
 *
 * printf_baseline IN.cmp OUT.dat */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

struct PinEntry {
    char name[16];
    int hiPin;
    int loPin;
    int pinNumber;
};

static int pinOf(const unsigned char* record, int high, int lowOffset) {
    return high * 256 + record[lowOffset];
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: printf_baseline IN.cmp OUT.dat\n");
        return 2;
    }
    FILE* in = fopen(argv[1], "rb");
    FILE* out = fopen(argv[2], "w");
    if (in == NULL || out == NULL) {
        fprintf(stderr, "printf_baseline: cannot open the files\n");
        return 1;
    }
    struct PinEntry* entries = NULL;
    size_t count = 0;
    size_t capacity = 0;
    unsigned char record[64];
    int step = 1;
    while (fread(record, 1, sizeof record, in) == sizeof record) {
        char name[11];
        char lc[3];
        memcpy(name, record + 52, 10);
        name[10] = 0;
        memcpy(lc, record + 62, 2);
        lc[2] = 0;
        const int loPin = pinOf(record, record[27] & 0x0F, 25);
        const int hiPin = pinOf(record, record[27] >> 4, 26);
        const float actual = (float)(short)(record[6] | record[7] << 8) * 0.001f;
        const float standard = (float)(short)(record[3] | record[4] << 8) * 0.001f;
        fprintf(out, "%4d %-13s%7.2f%2s   %2s %4d %4d  %4d  %4d  %4d  %4d  %4d     %1d %s\n", step,
                name, (double)actual, "V ", lc, hiPin, loPin, pinOf(record, record[38] & 0x0F, 28),
                pinOf(record, record[38] >> 4, 29), pinOf(record, record[39] & 0x0F, 30),
                pinOf(record, record[39] >> 4, 31), pinOf(record, record[40] & 0x0F, 32),
                record[18] >> 7, "Not");
        fprintf(out,
                "            0.0   %7.2f%2s   %2d   %2d  %3d     %d     0     0     0   0.0   0.0\n",
                (double)standard, "V ", (signed char)record[12], (signed char)record[15],
                (signed char)record[21], 0);
        ++step;
        if (name[0] == 'U' || (record[19] >= 10 && record[19] <= 15)) {
            if (count == capacity) {
                capacity = capacity == 0 ? 1024 : capacity * 2;
                entries = realloc(entries, capacity * sizeof *entries);
                if (entries == NULL) {
                    return 1;
                }
            }
            memcpy(entries[count].name, name, sizeof name);
            entries[count].hiPin = hiPin;
            entries[count].loPin = loPin;
            entries[count].pinNumber = atoi(name + 1);
            ++count;
        }
    }
    fprintf(stderr, "%zu pin entries\n", count);
    free(entries);
    fclose(in);
    return fclose(out) == 0 ? 0 : 1;
}
