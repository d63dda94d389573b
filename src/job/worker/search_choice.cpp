#include "job/worker/search_choice.h"

#include <new>

#include "job/recovery_options.h"
#include "matching/indexed_reference_search.h"

namespace wordgleaner {

std::unique_ptr<ReferenceSearch> MakeReferenceSearch(const ReferenceSet& references,
                                                     const ReferenceIndex& index,
                                                     const RecoveryOptions& options) {
    const SearchSettings& settings = options.search;
    if (!options.exhaustiveSearch) {
        try {
            return std::make_unique<IndexedReferenceSearch>(references, index, settings);
        } catch (const std::bad_alloc&) {
            // The linear search needs no memory of its own and finds the same.
        }
    }
    return std::make_unique<LinearReferenceSearch>(references, index, settings);
}

}  // namespace wordgleaner
