#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "matching/match_candidate.h"
#include "matching/reference_set.h"

namespace wordgleaner {

struct SearchSettings;

// Which texts an exact pass accepts: byte for byte (its sound too, when
// sounds are compared), or up to ASCII case in both.
enum class EqualTextKind {
    ByteExact,
    UpToCase,
};

// The kind of the pass that gave `score`: ExactScore or CaseInsensitiveScore.
EqualTextKind EqualTextKindOf(double score);

// Whether an in-window reference entry is one the pass of `kind` accepts for
// the mod text; the id window is the caller's to check.
bool IsEqualText(EqualTextKind kind, bool compareSound, std::string_view modText,
                 std::string_view modSound, const TraEntry& entry);

// Every in-window record of the set the pass of `kind` accepts, as indexes
// into references.Records(), in set order: the linear walk.
std::vector<std::uint32_t> FindEqualTexts(const SearchSettings& settings, EqualTextKind kind,
                                          std::string_view modText, std::string_view modSound,
                                          const ReferenceSet& references);

// Where a mod entry sits: the name the run gives its file (its path under
// the mod folder, '/' between the parts) and its id.
struct ModEntryPlace {
    std::string_view file;
    std::int32_t id = TraNoId;
};

// The match an exact pass makes among its equal texts, and the translations
// it passes over.
struct EqualTextChoice {
    MatchCandidate chosen;
    // Each translation (male and female text, byte for byte) that differs
    // from the chosen entry's, once, with the first record in set order that
    // carries it. An entry without a translation is never one; when the
    // chosen entry has none, every translation found is.
    std::vector<MatchCandidate> alternatives;

    bool Ambiguous() const { return !alternatives.empty(); }
};

// Chooses among `records` (at least one, in set order, as FindEqualTexts
// gives them) the first record in set order, or with `preferOwnPlace` the
// first of: a record of the mod entry's id in a reference file named as the
// mod file (up to ASCII case); one of its id in any file; one in a file of
// its name; the first record. Moved dialogue keeps its id and file between
// versions of a mod far more often than not, so the mod entry's own place
// most likely holds the translation its translators gave it.
EqualTextChoice ChooseAmongEqualTexts(const ReferenceSet& references,
                                      std::span<const std::uint32_t> records, double score,
                                      const ModEntryPlace& place, bool preferOwnPlace);

}  // namespace wordgleaner
