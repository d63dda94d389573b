#include "matching/equal_texts.h"

#include <algorithm>

#include "matching/ascii_case.h"
#include "matching/search_settings.h"
#include "store/tra_entry.h"

namespace wordgleaner {

namespace {

// The four levels of the preference for the mod entry's own place, best
// first; a record of a lower level is taken only when no record reaches a
// higher one.
enum class PlaceLevel {
    SameFileAndId,
    SameId,
    SameFile,
    Elsewhere,
};

PlaceLevel LevelOf(const ReferenceSet& references, const ReferenceRecord& record,
                   const ModEntryPlace& place) {
    const bool sameFile =
        EqualsIgnoringAsciiCase(references.File(record.file).PlaceName(), place.file);
    const bool sameId = references.Entry(record).Id() == place.id;
    if (sameId) {
        return sameFile ? PlaceLevel::SameFileAndId : PlaceLevel::SameId;
    }
    return sameFile ? PlaceLevel::SameFile : PlaceLevel::Elsewhere;
}

std::size_t ChosenIndex(const ReferenceSet& references, std::span<const std::uint32_t> records,
                        const ModEntryPlace& place, bool preferOwnPlace) {
    if (!preferOwnPlace) {
        return 0;
    }
    std::size_t best = 0;
    PlaceLevel bestLevel = PlaceLevel::Elsewhere;
    for (std::size_t i = 0; i < records.size() && bestLevel != PlaceLevel::SameFileAndId; ++i) {
        const PlaceLevel level = LevelOf(references, references.Records()[records[i]], place);
        if (level < bestLevel) {
            best = i;
            bestLevel = level;
        }
    }
    return best;
}

bool SameTranslation(const TraEntry& left, const TraEntry& right) {
    return left.MaleText() == right.MaleText() && left.FemaleText() == right.FemaleText();
}

}  // namespace

EqualTextKind EqualTextKindOf(double score) {
    return score == ExactScore ? EqualTextKind::ByteExact : EqualTextKind::UpToCase;
}

bool IsEqualText(EqualTextKind kind, bool compareSound, std::string_view modText,
                 std::string_view modSound, const TraEntry& entry) {
    if (kind == EqualTextKind::ByteExact) {
        return entry.MaleText() == modText && (!compareSound || entry.MaleSound() == modSound);
    }
    return EqualsIgnoringAsciiCase(entry.MaleText(), modText) &&
           (!compareSound || EqualsIgnoringAsciiCase(entry.MaleSound(), modSound));
}

std::vector<std::uint32_t> FindEqualTexts(const SearchSettings& settings, EqualTextKind kind,
                                          std::string_view modText, std::string_view modSound,
                                          const ReferenceSet& references) {
    std::vector<std::uint32_t> found;
    const std::span<const ReferenceRecord> records = references.Records();
    for (std::uint32_t record = 0; record < records.size(); ++record) {
        const TraEntry entry = references.Entry(records[record]);
        if (settings.InIdWindow(entry.Id()) &&
            IsEqualText(kind, settings.compareSound, modText, modSound, entry)) {
            found.push_back(record);
        }
    }
    return found;
}

EqualTextChoice ChooseAmongEqualTexts(const ReferenceSet& references,
                                      std::span<const std::uint32_t> records, double score,
                                      const ModEntryPlace& place, bool preferOwnPlace) {
    EqualTextChoice choice;
    if (records.empty()) {
        return choice;
    }
    const std::size_t chosenIndex = ChosenIndex(references, records, place, preferOwnPlace);
    auto candidateOf = [&](std::uint32_t index) {
        const ReferenceRecord& record = references.Records()[index];
        return MatchCandidate{references.Entry(record).Id(), score, record.file};
    };
    choice.chosen = candidateOf(records[chosenIndex]);
    std::vector<TraEntry> seen;  // the translations met so far, the chosen one's first
    if (TraEntry own =
            references.FindTranslated(choice.chosen.referenceFile, choice.chosen.referenceId)) {
        seen.push_back(own);
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        const MatchCandidate candidate = candidateOf(records[i]);
        const TraEntry translated =
            references.FindTranslated(candidate.referenceFile, candidate.referenceId);
        if (i == chosenIndex || !translated ||
            std::ranges::any_of(
                seen, [&](const TraEntry& other) { return SameTranslation(other, translated); })) {
            continue;
        }
        seen.push_back(translated);
        choice.alternatives.push_back(candidate);
    }
    return choice;
}

}  // namespace wordgleaner
