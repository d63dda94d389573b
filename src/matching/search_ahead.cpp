#include "matching/search_ahead.h"

#include <algorithm>
#include <system_error>

namespace wordgleaner {

unsigned SearchThreadsForHardware() {
    const unsigned hardware = std::thread::hardware_concurrency();
    return hardware == 0 ? 1 : hardware;
}

SearchAhead::SearchAhead(const ReferenceSearch& search, std::vector<SearchQuery> queries,
                         unsigned threads)
    : search(search),
      queries(std::move(queries)),
      results(this->queries.size()),
      failures(this->queries.size()),
      ready(this->queries.size(), false) {
    const std::size_t wanted = std::min<std::size_t>(threads, this->queries.size());
    this->threads.reserve(wanted);
    try {
        for (std::size_t i = 0; i < wanted; ++i) {
            this->threads.emplace_back([this] { SearchUntilDone(); });
        }
    } catch (const std::system_error&) {
        // Fewer threads, or none: Take then searches by itself.
    }
}

SearchAhead::~SearchAhead() {
    Cancel();
    for (std::thread& thread : threads) {
        thread.join();
    }
}

void SearchAhead::Cancel() {
    std::lock_guard lock(mutex);
    stopping = true;
}

void SearchAhead::SearchUntilDone() {
    for (;;) {
        std::size_t index = 0;
        {
            std::lock_guard lock(mutex);
            if (stopping || nextToSearch == queries.size()) {
                return;
            }
            index = nextToSearch++;
        }
        SearchResult result;
        std::exception_ptr failure;
        try {
            result = search.Search(queries[index].text, queries[index].sound);
        } catch (...) {
            failure = std::current_exception();
        }
        {
            std::lock_guard lock(mutex);
            results[index] = result;
            failures[index] = failure;
            ready[index] = true;
        }
        resultReady.notify_all();
    }
}

SearchResult SearchAhead::Take(std::size_t index) {
    std::unique_lock lock(mutex);
    if (threads.empty() && !ready[index]) {
        // No thread runs: search here, outside the lock.
        lock.unlock();
        return search.Search(queries[index].text, queries[index].sound);
    }
    resultReady.wait(lock, [&] { return ready[index]; });
    if (failures[index]) {
        std::rethrow_exception(failures[index]);
    }
    return results[index];
}

}  // namespace wordgleaner
