#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "matching/equal_texts.h"
#include "matching/match_candidate.h"
#include "matching/reference_index.h"
#include "matching/reference_set.h"
#include "matching/search_settings.h"

namespace wordgleaner {

// Finds the reference entries whose text matches one mod text. Every
// implementation returns the same result for the same reference set, index,
// settings and mod text, so they can be swapped and compared.
class ReferenceSearch {
public:
    virtual ~ReferenceSearch() = default;

    // `modText` is a non-empty maleText, `modSound` its maleSound ("" if none).
    virtual SearchResult Search(std::string_view modText, std::string_view modSound) const = 0;

    // Every record the exact pass of `kind` accepts for the mod text, in set
    // order, as indexes into the set's records: the texts an exact or
    // up-to-case match was chosen among.
    virtual std::vector<std::uint32_t> EqualTexts(EqualTextKind kind, std::string_view modText,
                                                  std::string_view modSound) const = 0;
};

// The plain algorithm: one walk of the set's records for the exact pass and,
// when that finds nothing, one likeliness comparison per in-window entry. It
// keeps references to the set and its index, which must outlive it.
class LinearReferenceSearch final : public ReferenceSearch {
public:
    LinearReferenceSearch(const ReferenceSet& references, const ReferenceIndex& index,
                          const SearchSettings& settings);

    SearchResult Search(std::string_view modText, std::string_view modSound) const override;
    std::vector<std::uint32_t> EqualTexts(EqualTextKind kind, std::string_view modText,
                                          std::string_view modSound) const override;

private:
    const ReferenceSet& references;
    const ReferenceIndex& index;
    SearchSettings settings;
};

// The linear search as one call.
SearchResult SearchReference(const SearchSettings& settings, std::string_view modText,
                             std::string_view modSound, const ReferenceSet& references,
                             const ReferenceIndex& index);

// Puts `candidate` into `result` by |score|, largest first: it goes before
// the first slot of strictly smaller magnitude, so equal magnitudes keep the
// order in which they were offered; when all five slots are full, the last
// one drops out, or the candidate itself when no slot is smaller.
void OfferCandidate(SearchResult& result, const MatchCandidate& candidate);

}  // namespace wordgleaner
