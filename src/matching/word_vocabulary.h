#pragma once

#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wordgleaner {

// Numbers the distinct words of a reference after folding the ASCII capitals,
// so that two words are equal in the sense of the likeliness measure exactly
// when they get the same number. An open-addressing table over one buffer of
// folded bytes: a game's string table adds millions of words, and a node per
// word would cost more than the words themselves.
class WordVocabulary {
public:
    using WordId = std::uint32_t;
    // What Find gives for a word the vocabulary never saw; no record holds it.
    static constexpr WordId UnknownWord = std::numeric_limits<WordId>::max();

    // The number of `word`, numbering it if it is new (0, 1, 2, ... in order
    // of first appearance). May throw std::bad_alloc, leaving the vocabulary
    // as it was.
    WordId Add(std::string_view word);

    // The number of `word`, or UnknownWord.
    WordId Find(std::string_view word) const;

    std::size_t Size() const { return wordStarts.size(); }

    // Gives word `id` the number newIds[id], for newIds a permutation of
    // 0 .. Size() - 1, so that the reference index can give its most frequent
    // words the shortest codes. May throw std::bad_alloc, leaving the
    // vocabulary as it was.
    void Renumber(std::span<const WordId> newIds);

    // The bytes held by the vocabulary's tables and words, room included.
    std::size_t HeldBytes() const;

private:
    static std::uint64_t FoldedHash(std::string_view word);
    bool SameFoldedWord(WordId id, std::string_view word) const;
    // The slot that holds `word`, or the empty slot where it would go.
    std::size_t SlotOf(std::string_view word, std::uint64_t hash) const;
    void Grow();
    void MakeRoomForWord(std::size_t length);

    static constexpr std::uint32_t EmptySlot = 0;  // slots hold id + 1

    std::vector<std::uint32_t> slots;
    std::vector<std::uint64_t> wordHashes;  // by id, so growing never rehashes bytes
    std::vector<std::size_t> wordStarts;    // by id, into foldedBytes
    std::vector<std::uint32_t> wordLengths;
    std::string foldedBytes;
};

}  // namespace wordgleaner
