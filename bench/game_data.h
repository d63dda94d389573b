#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "store/tra_error.h"

namespace wordgleaner {

// The size of a real job: a game's string table as the reference pair and a
// big mod.
struct GameDataShape {
    int referenceEntries = 100'000;
    int modEntries = 10'000;
    int modFiles = 8;
    std::uint64_t seed = 1;
};

// The shape times `scale`: scale 10 is a reference of 1,000,000 entries and
// a mod of 100,000, the next size up from a game's string table.
GameDataShape ScaledGameData(int scale);

// Where GenerateGameData put things.
struct GameDataPaths {
    std::string referenceOriginal;    // DIR/reference/dialog.tra
    std::string referenceTranslated;  // DIR/reference/dialog_translated.tra
    std::string modDirectory;         // DIR/mod
};

GameDataPaths GameDataPathsIn(const std::string& directory);

// The reference pair cut into `files` pairs of consecutive entries, as a game
// that ships its string table in many files: DIR/reference-N/partK.tra and
// partK_translated.tra, K from 0. Written from the generated pair when
// missing (the texts hold no line that starts with '@', so each such line
// starts an entry). Empty on a failure to read or write.
std::vector<std::pair<std::string, std::string>> SplitReferencePairs(const std::string& directory,
                                                                     int files);

// Writes a reference pair and a mod directory into `directory`. Reference
// texts have 1 to 80 words drawn with the skew of natural text (a few words
// make up most of it), some run over several lines, a fifth carry sound
// references, and some appear twice with other blanks. Mod texts are exact
// copies, case changes, small edits, reordered words, new texts and empty
// texts, spread over several files of unequal size. The same shape gives the
// same bytes.
TraError GenerateGameData(const std::string& directory, const GameDataShape& shape = {});

}  // namespace wordgleaner
