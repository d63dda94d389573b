#include <cstdio>
#include <cstdlib>
#include <string>

#include "tra_generator.h"

using namespace wordgleaner;

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUT.tra [ENTRIES]\n", argv[0]);
        return 2;
    }
    int entries = argc == 3 ? std::atoi(argv[2]) : StringTableEntries;
    TraError result = GenerateTraFile(argv[1], entries);
    if (result != TraOk) {
        std::fprintf(stderr, "%s: %s\n", argv[1], TraErrorMessage(result));
        return 1;
    }
    return 0;
}
