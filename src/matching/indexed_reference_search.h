#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "matching/exact_text_index.h"
#include "matching/reference_search.h"
#include "matching/word_postings.h"

namespace wordgleaner {

class SearchWorkspacePool;

// The same results as LinearReferenceSearch, candidate for candidate and score
// for score, through indexes built once: a hash of the texts for the exact
// pass, and posting lists of the folded words that lead the likeliness pass
// to the few reference texts that can score above the minimum (the filters
// and why they lose nothing are told in likeliness_bounds.h). Every text
// kept is scored by ComputeLikeliness, and the candidates are offered in set
// order, so ties rank as in the linear search.
//
// Search is safe to call from several threads at once. The reference set and
// the index must outlive the search and stay unchanged.
class IndexedReferenceSearch final : public ReferenceSearch {
public:
    // May throw std::bad_alloc.
    IndexedReferenceSearch(const ReferenceSet& references, const ReferenceIndex& index,
                           const SearchSettings& settings);
    ~IndexedReferenceSearch() override;

    SearchResult Search(std::string_view modText, std::string_view modSound) const override;
    std::vector<std::uint32_t> EqualTexts(EqualTextKind kind, std::string_view modText,
                                          std::string_view modSound) const override;

private:
    class Query;

    // The word postings of the in-window records.
    void IndexWords();

    // The likeliness pass for a minimum the filters do not cover (negative
    // or not a number), or when working memory runs out: the linear walk.
    SearchResult ScoreEveryText(std::string_view modText, std::string_view modSound) const;

    // A text's position, record, slot and rank: see word_postings.h.
    const ReferenceSet& references;
    const ReferenceIndex& index;
    SearchSettings settings;
    ExactTextIndex exactTexts;
    WordPostings postings;
    std::unique_ptr<SearchWorkspacePool> workspaces;
};

}  // namespace wordgleaner
