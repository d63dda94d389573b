#pragma once

#include <string>
#include <vector>

namespace wordgleaner {

// One source of translations: a reference file in the original language and
// the same file translated, or two folders of such files matched by name.
struct ReferencePair {
    std::string original;
    std::string translated;

    friend bool operator==(const ReferencePair&, const ReferencePair&) = default;
};

// The pairs a run searches, the first with the highest priority: a tie
// between equal matches goes to the earlier pair.
using ReferencePairs = std::vector<ReferencePair>;

// What a pair names on disk. Two folders are a folder pair; a pair of which
// only one side is a folder is refused before anything runs; anything else is
// a file pair, whose missing files fail when they are loaded.
enum class ReferencePairKind {
    Files,
    Folders,
    Mixed,
};

ReferencePairKind ClassifyReferencePair(const ReferencePair& pair);

// The message for a pair of a file and a folder.
std::string MixedReferencePairText(const ReferencePair& pair);

}  // namespace wordgleaner
