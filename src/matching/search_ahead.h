#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "matching/reference_search.h"

namespace wordgleaner {

// One mod text to search, copied so that the caller may edit its file while
// the search runs ahead.
struct SearchQuery {
    std::string text;
    std::string sound;
};

// The number of search threads worth starting on this machine: one per
// hardware thread, at least one.
unsigned SearchThreadsForHardware();

// Searches a list of mod texts on a few threads, ahead of a caller that takes
// the results one at a time in list order: whatever the caller does with
// them happens in that order, so nothing depends on timing. The search must
// be safe to call from several threads and outlive this object.
class SearchAhead {
public:
    // `threads` 0 searches on the caller's thread, inside Take.
    SearchAhead(const ReferenceSearch& search, std::vector<SearchQuery> queries,
                unsigned threads = SearchThreadsForHardware());
    // Searches not begun are dropped, those under way finish; then the threads end.
    ~SearchAhead();
    SearchAhead(const SearchAhead&) = delete;
    SearchAhead& operator=(const SearchAhead&) = delete;

    std::size_t Size() const { return queries.size(); }

    // The result of query `index`, waiting for it when it is not ready yet.
    // Rethrows what the search threw for it (std::bad_alloc).
    SearchResult Take(std::size_t index);

    // No search begins after this; those under way finish. Results not
    // searched yet are not to be taken any more.
    void Cancel();

private:
    void SearchUntilDone();

    const ReferenceSearch& search;
    const std::vector<SearchQuery> queries;

    std::mutex mutex;  // guards everything below
    std::condition_variable resultReady;
    std::vector<SearchResult> results;
    std::vector<std::exception_ptr> failures;
    std::vector<bool> ready;
    std::size_t nextToSearch = 0;
    bool stopping = false;

    std::vector<std::thread> threads;  // last, so they start after the rest exists
};

}  // namespace wordgleaner
