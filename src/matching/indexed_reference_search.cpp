#include "matching/indexed_reference_search.h"

#include <algorithm>
#include <array>
#include <limits>
#include <new>

#include "matching/ascii_case.h"
#include "matching/likeliness.h"
#include "matching/likeliness_bounds.h"
#include "matching/search_workspace.h"
#include "matching/side_by_side.h"
#include "store/tra_entry.h"

namespace wordgleaner {

namespace {

using Rank = WordPostings::Rank;
using WordId = WordVocabulary::WordId;
using Count = SearchWorkspace::Count;

// Finishing a side's remaining posting lists makes its counts exact and
// spares checking each text met against its words. A list entry costs a bit
// test in a table that stays in the nearest cache, a check a few trips to
// memory, so finishing pays while the lists hold at most this many entries
// per text met.
constexpr std::size_t CompletionFactor = 64;

// Reading the met bits in order costs a small fraction of a trip to memory
// per word of bits, a text met visited at random nearly a whole one: from
// one text met per this many words of bits, the bits are read in order.
constexpr std::size_t DenseMetFactor = 16;

// A posting list and how much each text on it adds to its count.
struct PostingList {
    WordPostings::Ranks ranks;
    std::int32_t weight = 1;
};

// The lists of one side of a search, rarest first: `walked` of them have
// been counted for every text on them; the others only for texts met already.
struct ListSide {
    std::vector<PostingList> lists;
    std::size_t walked = 0;
    std::int32_t unwalkedWeight = 0;  // added to a count to bound it from above

    void SortRarestFirst() {
        std::sort(lists.begin(), lists.end(),
                  [](const PostingList& left, const PostingList& right) {
                      return left.ranks.size() < right.ranks.size();
                  });
    }
    std::size_t UnwalkedEntries() const {
        std::size_t entries = 0;
        for (std::size_t i = walked; i < lists.size(); ++i) {
            entries += lists[i].ranks.size();
        }
        return entries;
    }
};

// The largest five values offered, for the fifth best so far.
class BestFive {
public:
    void Offer(double value) {
        int slot = MaxCandidates - 1;
        if (count < MaxCandidates) {
            slot = count++;
        } else if (!(value > values[slot])) {
            return;
        }
        // Insertion keeps the values in descending order.
        for (; slot > 0 && values[slot - 1] < value; --slot) {
            values[slot] = values[slot - 1];
        }
        values[slot] = value;
    }
    // Below this, a value cannot be among the best five.
    double Fifth() const {
        return count < MaxCandidates ? -std::numeric_limits<double>::infinity()
                                     : values[MaxCandidates - 1];
    }

private:
    std::array<double, MaxCandidates> values{};
    int count = 0;
};

bool InRange(Rank rank, WordPostings::RankRange range) {
    return rank >= range.first && rank < range.last;
}

}  // namespace

// One likeliness pass: walks the posting lists of the mod text's words,
// bounds the score of every text met, and scores the survivors best first
// until no other can reach the five best.
class IndexedReferenceSearch::Query {
public:
    Query(const IndexedReferenceSearch& search, const NumberedText& mod, std::string_view modSound,
          SearchWorkspace& workspace)
        : search(search),
          postings(search.postings),
          mod(mod),
          modWords(mod.words),
          modSound(modSound),
          work(workspace),
          minLikeliness(search.settings.minLikeliness),
          minPositional(MinPositionalMatches(mod.WordCount(), minLikeliness)),
          minShared(MinSharedOccurrences(mod.WordCount(), minLikeliness)),
          wordBagPossible(minShared <= mod.WordCount()) {}

    // Leaves the workspace zeroed for the next search, also after a failure.
    ~Query() {
        if (countsZeroed) {
            work.ForgetMetBits();
        } else {
            work.ForgetMet();
        }
        for (WordId word : distinctWords) {
            work.occurrences[word] = 0;
        }
    }
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    SearchResult Run() {
        LookUpWords();
        ChooseRanges();
        WalkPositionalPrefix();
        WalkSharedPrefix();
        CompleteCheapSides();
        return ScoreSurvivors(BoundTextsMet());
    }

private:
    struct Survivor {
        double high = 0.0;
        Rank rank = 0;
    };
    struct Found {
        std::uint32_t record = 0;
        MatchCandidate candidate;
    };

    void LookUpWords() {
        for (WordId id : modWords) {
            if (id == WordVocabulary::UnknownWord) {
                continue;
            }
            if (work.occurrences[id] == 0) {
                distinctWords.push_back(id);
            }
            ++work.occurrences[id];
        }
    }

    // The positional lists cover the word-bag range too, so that a text that
    // may take the word-bag score has its positional count bounded as well.
    void ChooseRanges() {
        LengthRange lengths = PositionalLengths(mod.byteLength, minLikeliness);
        if (wordBagPossible) {
            LengthRange bag = WordBagLengths(mod.byteLength);
            wordBagRanks = postings.RanksOfLengths(bag.shortest, bag.longest);
            lengths.shortest = std::min(lengths.shortest, bag.shortest);
            lengths.longest = std::max(lengths.longest, bag.longest);
        }
        positionalRanks = postings.RanksOfLengths(lengths.shortest, lengths.longest);
    }

    void WalkPositionalPrefix() {
        for (std::size_t i = 0; i < modWords.size(); ++i) {
            if (modWords[i] == WordVocabulary::UnknownWord) {
                continue;
            }
            auto ranks = ClipToRanks(postings.WithWordAt(modWords[i], static_cast<std::int32_t>(i)),
                                     positionalRanks);
            if (!ranks.empty()) {
                positional.lists.push_back({ranks, 1});
            }
        }
        positional.SortRarestFirst();
        const auto lists = static_cast<std::int32_t>(positional.lists.size());
        positional.unwalkedWeight = lists;
        while (positional.unwalkedWeight >= minPositional) {
            CountAndMeet(positional.lists[positional.walked++].ranks, work.positional, 1);
            --positional.unwalkedWeight;
        }
    }

    void WalkSharedPrefix() {
        if (!wordBagPossible) {
            return;
        }
        for (WordId word : distinctWords) {
            auto ranks = ClipToRanks(postings.Containing(word), wordBagRanks);
            if (!ranks.empty()) {
                shared.lists.push_back({ranks, work.occurrences[word]});
                shared.unwalkedWeight += work.occurrences[word];
            }
        }
        shared.SortRarestFirst();
        while (shared.unwalkedWeight >= minShared) {
            const PostingList& list = shared.lists[shared.walked++];
            CountAndMeet(list.ranks, work.shared, list.weight);
            shared.unwalkedWeight -= list.weight;
        }
    }

    void CountAndMeet(WordPostings::Ranks ranks, std::vector<Count>& counts, std::int32_t weight) {
        ranks.ForEachBlock([&](std::span<const Rank> block) {
            for (Rank rank : block) {
                if (!work.Met(rank)) {
                    work.Meet(rank);
                }
                counts[rank] = static_cast<Count>(counts[rank] + weight);
            }
        });
    }

    void CompleteCheapSides() {
        Complete(positional, work.positional);
        Complete(shared, work.shared);
    }

    // Counts the remaining lists for the texts met so far only: a text not
    // met cannot become a candidate whatever the remaining lists hold.
    void Complete(ListSide& side, std::vector<Count>& counts) {
        if (side.walked == side.lists.size() ||
            side.UnwalkedEntries() > CompletionFactor * work.touched.size()) {
            return;
        }
        for (; side.walked < side.lists.size(); ++side.walked) {
            AddToTextsMet(side.lists[side.walked], counts.data());
        }
        side.unwalkedWeight = 0;
    }

    // Adds the weight to every text met, in two steps per block of the
    // list. The first gathers the texts met without a branch (whether a text
    // on a long list was met is too random to predict): each rank is written
    // to the next place of a small buffer that stays in the nearest cache,
    // and that place moves on only for a text met. The second adds to the
    // few gathered, so the counters, as large as the reference, are touched
    // only where a text was met rather than at every entry of the list.
    void AddToTextsMet(const PostingList& list, Count* counts) const {
        std::array<Rank, RankLists::BlockSize> met;
        const std::uint64_t* metBits = work.metBits.data();
        list.ranks.ForEachBlock([&](std::span<const Rank> block) {
            std::size_t found = 0;
            for (Rank rank : block) {
                met[found] = rank;
                found += static_cast<std::size_t>(SearchWorkspace::MetBit(metBits, rank));
            }
            for (std::size_t i = 0; i < found; ++i) {
                counts[met[i]] = static_cast<Count>(counts[met[i]] + list.weight);
            }
        });
    }

    // The texts met whose score can exceed the minimum and still reach the
    // five best, with an upper score each.
    // The counters of each text are zeroed once read, in the same pass, so
    // clearing the workspace afterwards leaves them alone. Many texts met
    // are visited in rank order through the met bits, which reads the
    // counters front to back instead of at random.
    std::vector<Survivor> BoundTextsMet() {
        std::vector<Survivor> survivors;
        BestFive sureLows;
        auto boundAndZero = [&](Rank rank) {
            BoundText(rank, survivors, sureLows);
            work.positional[rank] = 0;
            work.shared[rank] = 0;
        };
        if (work.touched.size() * DenseMetFactor >= work.metBits.size()) {
            work.ForEachMetInRankOrder(boundAndZero);
        } else {
            std::for_each(work.touched.begin(), work.touched.end(), boundAndZero);
        }
        countsZeroed = true;
        std::erase_if(survivors, [fifth = sureLows.Fifth()](const Survivor& survivor) {
            return survivor.high < fifth;
        });
        std::sort(
            survivors.begin(), survivors.end(),
            [](const Survivor& left, const Survivor& right) { return left.high > right.high; });
        return survivors;
    }

    void BoundText(Rank rank, std::vector<Survivor>& survivors, BestFive& sureLows) {
        const bool wordBagHere = wordBagPossible && InRange(rank, wordBagRanks);
        if (!CountsMayExceedMinimum(rank, wordBagHere)) {
            return;
        }
        ComparisonCounts counts = CountsOf(rank);
        counts.positionalMatches += positional.unwalkedWeight;
        counts.sharedWords += wordBagHere ? shared.unwalkedWeight : 0;
        if (!AboveMinimum(UpperScore(counts, wordBagHere), minLikeliness)) {
            return;
        }
        ScoreBounds bounds = BoundScore(ExactCounts(rank, wordBagHere));
        if (!AboveMinimum(bounds.high, minLikeliness) || bounds.high < sureLows.Fifth()) {
            return;
        }
        survivors.push_back({bounds.high, rank});
        if (AboveMinimum(bounds.low, minLikeliness)) {
            sureLows.Offer(bounds.low);
        }
    }

    // The count thresholds the prefix walks rest on: a text below both
    // cannot exceed the minimum, and is dropped before the bounds, which
    // divide, are worked out.
    bool CountsMayExceedMinimum(Rank rank, bool wordBagHere) const {
        return work.positional[rank] + positional.unwalkedWeight >= minPositional ||
               (wordBagHere && work.shared[rank] + shared.unwalkedWeight >= minShared);
    }

    ComparisonCounts CountsOf(Rank rank) const {
        return {mod.WordCount(), mod.byteLength, postings.ByteLength(rank), work.positional[rank],
                work.shared[rank]};
    }

    // The counts straight from the words when the lists did not count them
    // all; c2 only where the word-bag gate can open, since it is used nowhere else.
    ComparisonCounts ExactCounts(Rank rank, bool wordBagHere) {
        ComparisonCounts counts = CountsOf(rank);
        const bool positionalExact = positional.walked == positional.lists.size();
        const bool sharedExact = wordBagHere && shared.walked == shared.lists.size();
        const bool lengthMayOpenGate = InRange(rank, wordBagRanks) || !wordBagPossible;
        const bool sharedNeeded = !sharedExact && lengthMayOpenGate;
        if (positionalExact && !sharedNeeded) {
            return counts;
        }
        const std::span<const WordId> words = postings.Words(rank, work.recordWords).words;
        if (!positionalExact) {
            counts.positionalMatches = CountPositionalMatches(words);
        }
        if (sharedNeeded) {
            counts.sharedWords = CountSharedOccurrences(words);
        }
        return counts;
    }

    std::int32_t CountPositionalMatches(std::span<const WordId> words) const {
        const std::size_t common = std::min(words.size(), modWords.size());
        std::int32_t matches = 0;
        for (std::size_t i = 0; i < common; ++i) {
            matches += words[i] == modWords[i] ? 1 : 0;
        }
        return matches;
    }

    // Each distinct word of the text adds its occurrences in the mod text.
    std::int32_t CountSharedOccurrences(std::span<const WordId> words) {
        if (++work.stamp == 0) {
            std::fill(work.seen.begin(), work.seen.end(), 0);
            work.stamp = 1;
        }
        std::int32_t occurrences = 0;
        for (WordId word : words) {
            if (work.seen[word] != work.stamp) {
                work.seen[word] = work.stamp;
                occurrences += work.occurrences[word];
            }
        }
        return occurrences;
    }

    // Scores the survivors best bound first and stops when the next bound is
    // below the fifth best score found; the candidates are then offered in
    // file order, which ranks ties as the linear search does.
    SearchResult ScoreSurvivors(const std::vector<Survivor>& survivors) {
        std::vector<Found> found;
        BestFive magnitudes;
        for (const Survivor& survivor : survivors) {
            if (survivor.high < magnitudes.Fifth()) {
                break;
            }
            const std::uint32_t record = postings.RecordOf(survivor.rank);
            LikelinessStats stats;
            const NumberedText reference = search.index.Decode(record, work.recordWords);
            if (!(ComputeLikeliness(mod, reference, stats) > minLikeliness)) {
                continue;
            }
            const ReferenceRecord& where = search.references.Records()[record];
            const TraEntry entry = search.references.Entry(where);
            const bool wrongSound = search.settings.compareSound &&
                                    !EqualsIgnoringAsciiCase(entry.MaleSound(), modSound);
            found.push_back(
                {record, {entry.Id(), wrongSound ? -stats.score : stats.score, where.file}});
            magnitudes.Offer(stats.score);
        }
        std::sort(found.begin(), found.end(),
                  [](const Found& left, const Found& right) { return left.record < right.record; });
        SearchResult result;
        for (const Found& each : found) {
            OfferCandidate(result, each.candidate);
        }
        return result;
    }

    const IndexedReferenceSearch& search;
    const WordPostings& postings;
    const NumberedText& mod;
    std::span<const WordId> modWords;  // UnknownWord where no reference text has the word
    std::string_view modSound;
    SearchWorkspace& work;
    const double minLikeliness;
    const std::int32_t minPositional;
    const std::int32_t minShared;
    const bool wordBagPossible;

    std::vector<WordId> distinctWords;  // the known words of the mod text, each once
    WordPostings::RankRange positionalRanks;
    WordPostings::RankRange wordBagRanks;
    ListSide positional;
    ListSide shared;
    bool countsZeroed = false;  // BoundTextsMet zeroed the counters of every text met
};

// The exact-text index and the word postings share nothing, so they are
// built side by side.
IndexedReferenceSearch::IndexedReferenceSearch(const ReferenceSet& references,
                                               const ReferenceIndex& index,
                                               const SearchSettings& settings)
    : references(references), index(index), settings(settings) {
    RunSideBySide([this] { exactTexts = ExactTextIndex(this->references, this->settings); },
                  [this] { IndexWords(); });
    workspaces =
        std::make_unique<SearchWorkspacePool>(postings.RecordCount(), postings.Vocabulary().Size());
}

void IndexedReferenceSearch::IndexWords() {
    // Set records pair with index records by number, as in the linear
    // search; a record missing from a short index ends the pairing.
    std::vector<std::uint32_t> records;
    const std::span<const ReferenceRecord> all = references.Records();
    const std::size_t paired = std::min(all.size(), index.size());
    for (std::size_t record = 0; record < paired; ++record) {
        if (settings.InIdWindow(references.Entry(all[record]).Id())) {
            records.push_back(static_cast<std::uint32_t>(record));
        }
    }
    postings = WordPostings(index, records);
}

IndexedReferenceSearch::~IndexedReferenceSearch() = default;

SearchResult IndexedReferenceSearch::Search(std::string_view modText,
                                            std::string_view modSound) const {
    SearchResult exact = exactTexts.Find(modText, modSound);
    if (exact.count > 0) {
        return exact;
    }
    // The filters hold for a minimum of 0 or more; below it every text counts.
    if (!(settings.minLikeliness >= 0.0)) {
        return ScoreEveryText(modText, modSound);
    }
    try {
        SearchWorkspacePool::Lease workspace = workspaces->Borrow();
        index.NumberWordsOf(modText, workspace->modWords);
        if (workspace->modWords.empty()) {
            return {};  // the measure gives no number, so no candidate
        }
        if (workspace->modWords.size() > SearchWorkspace::MostCounted) {
            return ScoreEveryText(modText, modSound);
        }
        const NumberedText mod{static_cast<std::int32_t>(modText.size()), workspace->modWords};
        return Query(*this, mod, modSound, *workspace).Run();
    } catch (const std::bad_alloc&) {
        return ScoreEveryText(modText, modSound);
    }
}

std::vector<std::uint32_t> IndexedReferenceSearch::EqualTexts(EqualTextKind kind,
                                                              std::string_view modText,
                                                              std::string_view modSound) const {
    return exactTexts.EqualTexts(kind, modText, modSound);
}

SearchResult IndexedReferenceSearch::ScoreEveryText(std::string_view modText,
                                                    std::string_view modSound) const {
    return SearchReference(settings, modText, modSound, references, index);
}

}  // namespace wordgleaner
