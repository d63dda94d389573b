#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace wordgleaner {

namespace test_support {

// One entry of a generated tra file.
struct RandomEntry {
    std::int32_t id = 0;
    std::string text;
    std::string sound;
};

// Shapes of generated data: how big, how varied, how hard to tell apart.
struct RandomTraShape {
    int referenceEntries = 40;
    int modEntries = 30;
    int vocabularySize = 30;  // a few words repeat a lot, the others rarely
    int maxWords = 12;
    int idRange = 60;  // ids drawn from [-idRange / 4, idRange): negatives and duplicates
};

// Generates reference texts and mod texts made to hit every path of a search:
// repeated and reordered words, case variants, accented bytes, texts of
// punctuation only or empty, near-equal lengths, wrong sounds, duplicate,
// negative and out-of-window ids. The same seed gives the same data.
class RandomTra {
public:
    explicit RandomTra(std::uint64_t seed, RandomTraShape shape = {}) : random(seed), shape(shape) {
        MakeVocabulary();
    }

    std::vector<RandomEntry> Reference() {
        std::vector<RandomEntry> entries;
        for (int i = 0; i < shape.referenceEntries; ++i) {
            entries.push_back({Id(), Text(), Sound()});
        }
        return entries;
    }

    // Mod entries, many of them derived from `reference`.
    std::vector<RandomEntry> Mod(const std::vector<RandomEntry>& reference) {
        std::vector<RandomEntry> entries;
        for (int i = 0; i < shape.modEntries; ++i) {
            entries.push_back({Id(), ModText(reference), Sound()});
        }
        return entries;
    }

    // A tra file holding `entries`, with comments and blank lines between them.
    std::string TraText(const std::vector<RandomEntry>& entries) {
        std::string text = "// generated\n";
        for (const RandomEntry& entry : entries) {
            if (Chance(10)) {
                text += Chance(2) ? "\n" : "// a comment block\n";
            }
            text += "@" + std::to_string(entry.id) + " = ~" + entry.text + "~";
            if (!entry.sound.empty()) {
                text += " [" + entry.sound + "]";
            }
            text += "\n";
        }
        return text;
    }

    int Below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random); }
    bool Chance(int oneIn) { return Below(oneIn) == 0; }

private:
    void MakeVocabulary() {
        static const char* const syllables[] = {"ka", "Ro", "mi", "tel", "an", "DOR", "su", "\xE9"};
        for (int i = 0; i < shape.vocabularySize; ++i) {
            std::string word;
            for (int n = 1 + Below(3); n > 0; --n) {
                word += syllables[Below(8)];
            }
            vocabulary.push_back(word);
        }
    }

    // Word i is drawn about twice as often as word 2i: natural text's skew.
    const std::string& Word() {
        int bound = static_cast<int>(vocabulary.size());
        while (bound > 1 && Chance(2)) {
            bound = (bound + 1) / 2;
        }
        return vocabulary[static_cast<std::size_t>(Below(bound))];
    }

    std::string Separator() {
        static const char* const separators[] = {" ", " ", " ", ", ", "... ", "-", "\n", "'"};
        return separators[Below(8)];
    }

    std::string Text() {
        switch (Below(20)) {
            case 0:
                return "";
            case 1:
                return "...!";
            default:
                break;
        }
        std::string text;
        for (int n = 1 + Below(shape.maxWords); n > 0; --n) {
            text += Word();
            text += n > 1 ? Separator() : (Chance(2) ? "." : "");
        }
        return text;
    }

    std::string ModText(const std::vector<RandomEntry>& reference) {
        if (reference.empty() || Chance(5)) {
            return Text();
        }
        std::string text =
            reference[static_cast<std::size_t>(Below(static_cast<int>(reference.size())))].text;
        switch (Below(7)) {
            case 0:
                return text;
            case 1:
                return ChangeCase(text);
            case 2:
                return text + "!";  // same words, one byte longer
            case 3:
                return SwapWords(text);
            case 4:
                return Word() + " " + text;
            case 5:
                return text.substr(0, text.size() / 2 + 1);
            default:
                return ReplaceOneWord(text);
        }
    }

    std::string ChangeCase(std::string text) {
        for (char& byte : text) {
            if (byte >= 'a' && byte <= 'z' && Chance(2)) {
                byte = static_cast<char>(byte - 'a' + 'A');
            } else if (byte >= 'A' && byte <= 'Z' && Chance(2)) {
                byte = static_cast<char>(byte - 'A' + 'a');
            }
        }
        return text;
    }

    std::vector<std::string> SplitOnSpaces(const std::string& text) {
        std::vector<std::string> words;
        std::string word;
        for (char byte : text) {
            if (byte == ' ') {
                words.push_back(word);
                word.clear();
            } else {
                word += byte;
            }
        }
        words.push_back(word);
        return words;
    }

    std::string Join(const std::vector<std::string>& words) {
        std::string text;
        for (std::size_t i = 0; i < words.size(); ++i) {
            text += (i > 0 ? " " : "") + words[i];
        }
        return text;
    }

    std::string SwapWords(const std::string& text) {
        std::vector<std::string> words = SplitOnSpaces(text);
        std::shuffle(words.begin(), words.end(), random);
        return Join(words);
    }

    std::string ReplaceOneWord(const std::string& text) {
        std::vector<std::string> words = SplitOnSpaces(text);
        words[static_cast<std::size_t>(Below(static_cast<int>(words.size())))] = Word();
        return Join(words);
    }

    std::int32_t Id() { return Below(shape.idRange + shape.idRange / 4) - shape.idRange / 4; }

    std::string Sound() {
        static const char* const sounds[] = {"", "", "", "SND1", "snd1", "SND2"};
        return sounds[Below(6)];
    }

    std::mt19937_64 random;
    RandomTraShape shape;
    std::vector<std::string> vocabulary;
};

}  // namespace test_support

}  // namespace wordgleaner
