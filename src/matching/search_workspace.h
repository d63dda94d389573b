#pragma once

#include <bit>
#include <cstdint>
#include <limits>
#include <memory>
#include <mutex>
#include <vector>

namespace wordgleaner {

// The working memory of one indexed search: counters by reference text and
// by word, zero between searches. Sized once and reused, because clearing a
// few touched counters is far cheaper than allocating arrays the size of the
// reference for every mod text. Texts are counted by their rank among the
// searched records (word_postings.h tells rank from record and slot).
struct SearchWorkspace {
    // A count by text never exceeds the mod text's word count, so 16 bits
    // hold it for any mod text of at most MostCounted words: half the memory
    // of the counters, and twice as many in each cache line. A longer mod
    // text is searched without the workspace.
    using Count = std::uint16_t;
    static constexpr std::size_t MostCounted = std::numeric_limits<Count>::max();

    SearchWorkspace(std::size_t records, std::size_t words)
        : positional(records, 0),
          shared(records, 0),
          metBits((records + BitsPerWord - 1) / BitsPerWord, 0),
          occurrences(words, 0),
          seen(words, 0) {}

    // A bit per record tells whether it was met: small enough to stay in the
    // nearest cache while long posting lists are checked against it.
    bool Met(std::uint32_t rank) const { return MetBit(metBits.data(), rank) != 0; }
    // 1 when `rank` was met, else 0, from a table held in a local, for
    // loops that use the bit without a branch.
    static std::int32_t MetBit(const std::uint64_t* bits, std::uint32_t rank) {
        return static_cast<std::int32_t>(bits[rank / BitsPerWord] >> (rank % BitsPerWord) & 1);
    }
    // May throw std::bad_alloc, before anything changes.
    void Meet(std::uint32_t rank) {
        touched.push_back(rank);
        metBits[rank / BitsPerWord] |= std::uint64_t{1} << (rank % BitsPerWord);
    }
    // Zeroes what the records met have counted.
    void ForgetMet() {
        for (std::uint32_t rank : touched) {
            positional[rank] = 0;
            shared[rank] = 0;
        }
        ForgetMetBits();
    }
    // Forgets which records were met, once their counters are zero.
    void ForgetMetBits() {
        for (std::uint32_t rank : touched) {
            metBits[rank / BitsPerWord] = 0;
        }
        touched.clear();
    }
    // Calls visit(rank) for every record met, by ascending rank.
    template <typename Visit>
    void ForEachMetInRankOrder(Visit&& visit) const {
        for (std::size_t word = 0; word < metBits.size(); ++word) {
            for (std::uint64_t bits = metBits[word]; bits != 0; bits &= bits - 1) {
                visit(static_cast<std::uint32_t>(word * BitsPerWord +
                                                 static_cast<std::size_t>(std::countr_zero(bits))));
            }
        }
    }

    static constexpr std::uint32_t BitsPerWord = 64;

    std::vector<Count> positional;          // by rank: positional matches counted
    std::vector<Count> shared;              // by rank: shared occurrences counted
    std::vector<std::uint64_t> metBits;     // by rank
    std::vector<std::uint32_t> touched;     // the ranks met, in the order met
    std::vector<std::int32_t> occurrences;  // by word: occurrences in the mod text
    std::vector<std::uint32_t> seen;        // by word: last stamp that met it
    std::uint32_t stamp = 0;
    std::vector<std::uint32_t> modWords;     // the numbered words of the mod text searched
    std::vector<std::uint32_t> recordWords;  // the words of the reference text compared, decoded
};

// Hands each concurrent search a workspace of its own, so one search object
// serves several threads; workspaces are made on first need and kept.
class SearchWorkspacePool {
public:
    // Gives a workspace back to the pool when it goes out of scope.
    class Lease {
    public:
        Lease(SearchWorkspacePool& pool, std::unique_ptr<SearchWorkspace> workspace)
            : pool(pool), workspace(std::move(workspace)) {}
        ~Lease() { pool.Return(std::move(workspace)); }
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;

        SearchWorkspace& operator*() const { return *workspace; }
        SearchWorkspace* operator->() const { return workspace.get(); }

    private:
        SearchWorkspacePool& pool;
        std::unique_ptr<SearchWorkspace> workspace;
    };

    SearchWorkspacePool(std::size_t records, std::size_t words) : records(records), words(words) {}

    // May throw std::bad_alloc when a new workspace is needed.
    Lease Borrow() {
        {
            std::lock_guard lock(mutex);
            if (!idle.empty()) {
                std::unique_ptr<SearchWorkspace> workspace = std::move(idle.back());
                idle.pop_back();
                return Lease(*this, std::move(workspace));
            }
        }
        return Lease(*this, std::make_unique<SearchWorkspace>(records, words));
    }

private:
    void Return(std::unique_ptr<SearchWorkspace> workspace) {
        std::lock_guard lock(mutex);
        try {
            idle.push_back(std::move(workspace));
        } catch (const std::bad_alloc&) {
            // Dropped: the next search makes a new one.
        }
    }

    std::size_t records;
    std::size_t words;
    std::mutex mutex;
    std::vector<std::unique_ptr<SearchWorkspace>> idle;
};

}  // namespace wordgleaner
