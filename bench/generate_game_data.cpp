// generate_game_data DIR [REFERENCE_ENTRIES [MOD_ENTRIES [SEED]]]: writes a
// game-size reference pair (DIR/reference) and mod directory (DIR/mod).

#include <cstdio>
#include <cstdlib>

#include "game_data.h"

using namespace wordgleaner;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: generate_game_data DIR [REFERENCE_ENTRIES [MOD_ENTRIES [SEED]]]\n");
        return 64;
    }
    GameDataShape shape;
    if (argc > 2) {
        shape.referenceEntries = std::atoi(argv[2]);
    }
    if (argc > 3) {
        shape.modEntries = std::atoi(argv[3]);
    }
    if (argc > 4) {
        shape.seed = std::strtoull(argv[4], nullptr, 10);
    }
    if (shape.referenceEntries < 1 || shape.modEntries < shape.modFiles) {
        std::fprintf(stderr, "generate_game_data: too few entries\n");
        return 64;
    }
    if (GenerateGameData(argv[1], shape) != TraOk) {
        std::fprintf(stderr, "generate_game_data: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
