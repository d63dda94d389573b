#include "matching/word_vocabulary.h"

#include "matching/folded_hash.h"

namespace wordgleaner {

namespace {

constexpr std::size_t FirstSlotCount = 1024;  // a power of two
// Grown before half the slots are taken, so probe runs stay short.
constexpr std::size_t MaxLoadDivisor = 2;

}  // namespace

std::uint64_t WordVocabulary::FoldedHash(std::string_view word) {
    return FinishFoldedHash(ContinueFoldedHash(FoldedHashStart, word));
}

bool WordVocabulary::SameFoldedWord(WordId id, std::string_view word) const {
    if (wordLengths[id] != word.size()) {
        return false;
    }
    const char* folded = foldedBytes.data() + wordStarts[id];
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (folded[i] != FoldAsciiCapital(word[i])) {
            return false;
        }
    }
    return true;
}

std::size_t WordVocabulary::SlotOf(std::string_view word, std::uint64_t hash) const {
    const std::size_t mask = slots.size() - 1;
    std::size_t slot = static_cast<std::size_t>(hash) & mask;
    while (slots[slot] != EmptySlot) {
        WordId id = slots[slot] - 1;
        if (wordHashes[id] == hash && SameFoldedWord(id, word)) {
            return slot;
        }
        slot = (slot + 1) & mask;
    }
    return slot;
}

WordVocabulary::WordId WordVocabulary::Find(std::string_view word) const {
    if (slots.empty()) {
        return UnknownWord;
    }
    std::uint32_t held = slots[SlotOf(word, FoldedHash(word))];
    return held == EmptySlot ? UnknownWord : held - 1;
}

WordVocabulary::WordId WordVocabulary::Add(std::string_view word) {
    if ((Size() + 1) * MaxLoadDivisor > slots.size()) {
        Grow();
    }
    const std::uint64_t hash = FoldedHash(word);
    const std::size_t slot = SlotOf(word, hash);
    if (slots[slot] != EmptySlot) {
        return slots[slot] - 1;
    }
    MakeRoomForWord(word.size());
    const auto id = static_cast<WordId>(Size());
    wordHashes.push_back(hash);
    wordStarts.push_back(foldedBytes.size());
    wordLengths.push_back(static_cast<std::uint32_t>(word.size()));
    for (char byte : word) {
        foldedBytes.push_back(FoldAsciiCapital(byte));
    }
    slots[slot] = id + 1;
    return id;
}

// Every list grows here, before any changes, so a failure leaves the lists
// of equal length and Add after it leaves the vocabulary as it was.
void WordVocabulary::MakeRoomForWord(std::size_t length) {
    if (wordHashes.size() == wordHashes.capacity()) {
        const std::size_t room = wordHashes.size() * 2 + 1;
        wordHashes.reserve(room);
        wordStarts.reserve(room);
        wordLengths.reserve(room);
    }
    if (foldedBytes.size() + length > foldedBytes.capacity()) {
        foldedBytes.reserve((foldedBytes.size() + length) * 2);
    }
}

void WordVocabulary::Grow() {
    std::vector<std::uint32_t> grown(slots.empty() ? FirstSlotCount : slots.size() * 2, EmptySlot);
    const std::size_t mask = grown.size() - 1;
    for (WordId id = 0; id < Size(); ++id) {
        std::size_t slot = static_cast<std::size_t>(wordHashes[id]) & mask;
        while (grown[slot] != EmptySlot) {
            slot = (slot + 1) & mask;
        }
        grown[slot] = id + 1;
    }
    slots = std::move(grown);
}

// The lists by number are built anew at their size before anything changes;
// rewriting the slots in place cannot fail.
void WordVocabulary::Renumber(std::span<const WordId> newIds) {
    std::vector<std::uint64_t> hashes(Size());
    std::vector<std::size_t> starts(Size());
    std::vector<std::uint32_t> lengths(Size());
    for (WordId id = 0; id < Size(); ++id) {
        const WordId newId = newIds[id];
        hashes[newId] = wordHashes[id];
        starts[newId] = wordStarts[id];
        lengths[newId] = wordLengths[id];
    }
    for (std::uint32_t& slot : slots) {
        if (slot != EmptySlot) {
            slot = newIds[slot - 1] + 1;
        }
    }
    wordHashes = std::move(hashes);
    wordStarts = std::move(starts);
    wordLengths = std::move(lengths);
}

std::size_t WordVocabulary::HeldBytes() const {
    return slots.capacity() * sizeof(slots[0]) + wordHashes.capacity() * sizeof(wordHashes[0]) +
           wordStarts.capacity() * sizeof(wordStarts[0]) +
           wordLengths.capacity() * sizeof(wordLengths[0]) + foldedBytes.capacity();
}

}  // namespace wordgleaner
