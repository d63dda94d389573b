// Searches on several threads: SearchAhead hands results out in list order
// whatever the threads do, and one IndexedReferenceSearch serves many threads.
// scripts/test also runs these under ThreadSanitizer.

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "loaded_tra.h"
#include "matching/indexed_reference_search.h"
#include "matching/search_ahead.h"
#include "store/tra_file.h"
#include "support/random_tra.h"

using namespace wordgleaner;

namespace {

// Answers query "n" with the id n; "fail" throws std::bad_alloc. With a
// gate, the search of query n waits until queries below n + 1 are allowed,
// so a test decides how far the threads may run ahead whichever thread takes
// which query.
class ScriptedSearch final : public ReferenceSearch {
public:
    explicit ScriptedSearch(bool gated = false) : gated(gated) {}

    SearchResult Search(std::string_view modText, std::string_view) const override {
        {
            std::unique_lock lock(mutex);
            ++started;
            stateChanged.notify_all();
            if (modText == "fail") {
                throw std::bad_alloc();
            }
            const int number = std::stoi(std::string(modText));
            stateChanged.wait(lock, [&] { return !gated || open || number < allowedBelow; });
        }
        SearchResult result;
        result.slots[0] = {std::stoi(std::string(modText)), 1.0};
        result.count = 1;
        return result;
    }
    std::vector<std::uint32_t> EqualTexts(EqualTextKind, std::string_view,
                                          std::string_view) const override {
        return {};
    }

    void AllowBelow(int number) {
        std::lock_guard lock(mutex);
        allowedBelow = number;
        stateChanged.notify_all();
    }
    void Open() {
        std::lock_guard lock(mutex);
        open = true;
        stateChanged.notify_all();
    }
    int Started() const {
        std::lock_guard lock(mutex);
        return started;
    }
    void WaitUntilStarted(int searches) const {
        std::unique_lock lock(mutex);
        stateChanged.wait(lock, [&] { return started >= searches; });
    }

private:
    const bool gated;
    mutable std::mutex mutex;
    mutable std::condition_variable stateChanged;
    int allowedBelow = 0;
    mutable int started = 0;
    bool open = false;
};

std::vector<SearchQuery> NumberedQueries(int count) {
    std::vector<SearchQuery> queries;
    for (int i = 0; i < count; ++i) {
        queries.push_back({std::to_string(i), ""});
    }
    return queries;
}

TEST(SearchAhead, HandsOutEveryResultInListOrderWithAnyNumberOfThreads) {
    ScriptedSearch search;
    for (unsigned threads : {0u, 1u, 2u, 7u}) {
        SearchAhead ahead(search, NumberedQueries(300), threads);
        for (std::size_t i = 0; i < ahead.Size(); ++i) {
            SearchResult result = ahead.Take(i);
            ASSERT_EQ(result.count, 1);
            ASSERT_EQ(result.Best().referenceId, static_cast<std::int32_t>(i))
                << threads << " threads";
        }
    }
}

TEST(SearchAhead, RethrowsAFailedSearchAtItsOwnPlaceOnly) {
    ScriptedSearch search;
    std::vector<SearchQuery> queries = NumberedQueries(5);
    queries[2].text = "fail";
    for (unsigned threads : {0u, 2u}) {
        SearchAhead ahead(search, queries, threads);
        EXPECT_EQ(ahead.Take(1).Best().referenceId, 1);
        EXPECT_THROW(ahead.Take(2), std::bad_alloc);
        EXPECT_EQ(ahead.Take(3).Best().referenceId, 3);
    }
}

TEST(SearchAhead, CancelLetsTheSearchesUnderWayEndAndBeginsNoOther) {
    ScriptedSearch search(/*gated=*/true);
    {
        SearchAhead ahead(search, NumberedQueries(1000), 2);
        search.AllowBelow(2);  // 0 and 1; the threads then wait in 2 and 3
        EXPECT_EQ(ahead.Take(0).Best().referenceId, 0);
        EXPECT_EQ(ahead.Take(1).Best().referenceId, 1);
        search.WaitUntilStarted(4);
        ahead.Cancel();
        search.Open();
    }
    EXPECT_EQ(search.Started(), 4);
}

TEST(SearchAhead, SearchesNothingForAnEmptyList) {
    ScriptedSearch search;
    SearchAhead ahead(search, {}, 4);
    EXPECT_EQ(ahead.Size(), 0u);
    EXPECT_EQ(search.Started(), 0);
}

TEST(IndexedReferenceSearch, AnswersSeveralThreadsAtOnceAsItAnswersOne) {
    test_support::RandomTra random(
        42, {.referenceEntries = 400, .modEntries = 200, .vocabularySize = 60});
    std::vector<test_support::RandomEntry> referenceEntries = random.Reference();
    test_support::TempDir dir;
    TraFile reference;
    matching_test::LoadTra(dir, "reference.tra", random.TraText(referenceEntries), reference);
    const ReferenceSet references = ReferenceSet::Single(reference);
    ReferenceIndex index;
    BuildReferenceIndex(references, index);
    std::vector<SearchQuery> queries;
    for (const test_support::RandomEntry& entry : random.Mod(referenceEntries)) {
        queries.push_back({entry.text.empty() ? "x" : entry.text, entry.sound});
    }
    IndexedReferenceSearch search(references, index, {0, HighestReferenceId, 10.0, true});

    std::vector<SearchResult> alone;
    for (const SearchQuery& query : queries) {
        alone.push_back(search.Search(query.text, query.sound));
    }
    SearchAhead ahead(search, queries, 4);
    for (std::size_t i = 0; i < queries.size(); ++i) {
        EXPECT_EQ(ahead.Take(i), alone[i]) << queries[i].text;
    }
}

}  // namespace
