// generate_game_data DIR [--scale N] [REFERENCE_ENTRIES [MOD_ENTRIES [SEED]]]:
// writes a game-size reference pair (DIR/reference) and mod directory
// (DIR/mod); --scale N multiplies the default 100,000 and 10,000 entries.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "game_data.h"

using namespace wordgleaner;

int main(int argc, char** argv) {
    std::vector<std::string> numbers;
    std::string directory;
    int scale = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--scale" && i + 1 < argc) {
            scale = std::atoi(argv[++i]);
        } else if (directory.empty()) {
            directory = argument;
        } else {
            numbers.push_back(argument);
        }
    }
    if (directory.empty() || scale < 1) {
        std::fprintf(stderr,
                     "usage: generate_game_data DIR [--scale N] "
                     "[REFERENCE_ENTRIES [MOD_ENTRIES [SEED]]]\n");
        return 64;
    }
    GameDataShape shape = ScaledGameData(scale);
    if (numbers.size() > 0) {
        shape.referenceEntries = std::atoi(numbers[0].c_str());
    }
    if (numbers.size() > 1) {
        shape.modEntries = std::atoi(numbers[1].c_str());
    }
    if (numbers.size() > 2) {
        shape.seed = std::strtoull(numbers[2].c_str(), nullptr, 10);
    }
    if (shape.referenceEntries < 1 || shape.modEntries < shape.modFiles) {
        std::fprintf(stderr, "generate_game_data: too few entries\n");
        return 64;
    }
    if (GenerateGameData(directory, shape) != TraOk) {
        std::fprintf(stderr, "generate_game_data: cannot write into %s\n", directory.c_str());
        return 1;
    }
    return 0;
}
