#include "matching/reference_search.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

#include "matching/ascii_case.h"
#include "matching/likeliness.h"
#include "store/tra_entry.h"

namespace wordgleaner {

void OfferCandidate(SearchResult& result, const MatchCandidate& candidate) {
    const double magnitude = std::abs(candidate.score);
    int slot = 0;
    while (slot < result.count && !(std::abs(result.slots[slot].score) < magnitude)) {
        ++slot;
    }
    if (slot == MaxCandidates) {
        return;
    }
    int last = result.count < MaxCandidates ? result.count : MaxCandidates - 1;
    for (int moved = last; moved > slot; --moved) {
        result.slots[moved] = result.slots[moved - 1];
    }
    result.slots[slot] = candidate;
    if (result.count < MaxCandidates) {
        ++result.count;
    }
}

LinearReferenceSearch::LinearReferenceSearch(const ReferenceSet& references,
                                             const ReferenceIndex& index,
                                             const SearchSettings& settings)
    : references(references), index(index), settings(settings) {}

SearchResult LinearReferenceSearch::Search(std::string_view modText,
                                           std::string_view modSound) const {
    return SearchReference(settings, modText, modSound, references, index);
}

std::vector<std::uint32_t> LinearReferenceSearch::EqualTexts(EqualTextKind kind,
                                                             std::string_view modText,
                                                             std::string_view modSound) const {
    return FindEqualTexts(settings, kind, modText, modSound, references);
}

namespace {

// The first byte-exact entry in set order wins at once; failing one, the
// first entry equal up to ASCII case.
SearchResult ExactPass(const SearchSettings& settings, std::string_view modText,
                       std::string_view modSound, const ReferenceSet& references) {
    SearchResult result;
    bool caseOnlyTaken = false;
    for (const ReferenceRecord& record : references.Records()) {
        const TraEntry entry = references.Entry(record);
        if (!settings.InIdWindow(entry.Id())) {
            continue;
        }
        bool soundExact = !settings.compareSound || entry.MaleSound() == modSound;
        if (entry.MaleText() == modText && soundExact) {
            result.slots[0] = {entry.Id(), ExactScore, record.file};
            result.count = 1;
            return result;
        }
        bool soundUpToCase =
            !settings.compareSound || EqualsIgnoringAsciiCase(entry.MaleSound(), modSound);
        if (!caseOnlyTaken && soundUpToCase && EqualsIgnoringAsciiCase(entry.MaleText(), modText)) {
            result.slots[0] = {entry.Id(), CaseInsensitiveScore, record.file};
            result.count = 1;
            caseOnlyTaken = true;
        }
    }
    return result;
}

// Candidates are offered in set order, which is what keeps ties in set
// order. A record missing from a short index yields no candidate.
SearchResult LikelinessPass(const SearchSettings& settings, std::string_view modText,
                            std::string_view modSound, const ReferenceSet& references,
                            const ReferenceIndex& index) {
    SearchResult result;
    std::vector<WordVocabulary::WordId> modWordIds;
    std::vector<WordVocabulary::WordId> referenceWords;  // each record's, decoded in turn
    try {
        index.NumberWordsOf(modText, modWordIds);
        referenceWords.resize(index.MostWords());  // so that decoding never allocates
    } catch (const std::bad_alloc&) {
        return result;  // as if every comparison failed to split the mod text
    }
    const NumberedText modWords{static_cast<std::int32_t>(modText.size()), modWordIds};
    // A set record and its index record pair by their number.
    const std::span<const ReferenceRecord> records = references.Records();
    const std::size_t paired = std::min(records.size(), index.size());
    for (std::size_t k = 0; k < paired; ++k) {
        const TraEntry entry = references.Entry(records[k]);
        if (!settings.InIdWindow(entry.Id())) {
            continue;
        }
        LikelinessStats stats;
        double likeliness = ComputeLikeliness(modWords, index.Decode(k, referenceWords), stats);
        if (likeliness > settings.minLikeliness) {
            bool wrongSound =
                settings.compareSound && !EqualsIgnoringAsciiCase(entry.MaleSound(), modSound);
            OfferCandidate(result,
                           {entry.Id(), wrongSound ? -stats.score : stats.score, records[k].file});
        }
    }
    return result;
}

}  // namespace

SearchResult SearchReference(const SearchSettings& settings, std::string_view modText,
                             std::string_view modSound, const ReferenceSet& references,
                             const ReferenceIndex& index) {
    SearchResult exact = ExactPass(settings, modText, modSound, references);
    if (exact.count > 0) {
        return exact;
    }
    return LikelinessPass(settings, modText, modSound, references, index);
}

}  // namespace wordgleaner
