#include "game_data.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

#include "store/text_file.h"

namespace wordgleaner {

namespace {

// The most frequent words come first; the rest of the vocabulary is made of
// syllables. With word k drawn in proportion to 1 / (k + 1), the first
// hundred words make up about half of all text, as in natural language.
constexpr std::array<std::string_view, 100> CommonWords = {
    "the",   "to",    "you",   "and",  "of",     "a",          "I",       "is",    "it",
    "that",  "in",    "we",    "have", "not",    "be",         "for",     "this",  "me",
    "my",    "will",  "are",   "with", "your",   "on",         "but",     "do",    "what",
    "can",   "all",   "no",    "he",   "they",   "if",         "so",      "was",   "there",
    "here",  "at",    "as",    "one",  "would",  "<CHARNAME>", "who",     "more",  "must",
    "know",  "an",    "from",  "see",  "by",     "us",         "our",     "been",  "out",
    "them",  "go",    "now",   "like", "some",   "then",       "there's", "his",   "time",
    "up",    "about", "could", "want", "should", "may",        "how",     "come",  "good",
    "am",    "just",  "did",   "get",  "these",  "where",      "has",     "way",   "gold",
    "city",  "help",  "find",  "take", "why",    "or",         "only",    "well",  "much",
    "very",  "tell",  "back",  "any",  "over",   "man",        "make",    "think", "little",
    "things"};
constexpr std::array<std::string_view, 24> Syllables = {
    "ka", "ro", "mi",  "tel", "an",  "dor", "su",  "ve", "lin", "ga", "thu",  "or",
    "pe", "is", "wen", "ba",  "mar", "es",  "quo", "ri", "dun", "al", "zeth", "ny"};
constexpr int VocabularySize = 30'000;
constexpr int MaxTextWords = 80;
constexpr int DuplicatePercent = 5;
constexpr int SoundPercent = 20;
constexpr int MultiLinePercent = 5;
constexpr int CommaPercent = 8;
constexpr std::size_t ChunkSize = 1 << 16;

// A small deterministic generator of our own, so the data is the same with
// every standard library.
class Random {
public:
    explicit Random(std::uint64_t seed) : state(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int Below(int bound) { return static_cast<int>(Next() % static_cast<std::uint64_t>(bound)); }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    bool Percent(int percent) { return Below(100) < percent; }
    double Unit() { return static_cast<double>(Next() >> 11) / static_cast<double>(1ULL << 53); }

private:
    std::uint64_t state;
};

class TextMaker {
public:
    explicit TextMaker(Random& random) : random(random) {
        for (std::string_view word : CommonWords) {
            vocabulary.emplace_back(word);
        }
        while (vocabulary.size() < VocabularySize) {
            std::string word;
            for (int n = random.Between(1, 4); n > 0; --n) {
                word += Syllables[static_cast<std::size_t>(random.Below(Syllables.size()))];
            }
            vocabulary.push_back(word);
        }
        double total = 0.0;
        for (std::size_t rank = 0; rank < vocabulary.size(); ++rank) {
            total += 1.0 / static_cast<double>(rank + 1);
            cumulative.push_back(total);
        }
        for (double& share : cumulative) {
            share /= total;
        }
    }

    const std::string& Word() {
        auto found = std::upper_bound(cumulative.begin(), cumulative.end(), random.Unit());
        auto rank = std::min<std::size_t>(static_cast<std::size_t>(found - cumulative.begin()),
                                          vocabulary.size() - 1);
        return vocabulary[rank];
    }

    // Mostly a few words to a sentence or two; now and then a long speech.
    int WordCount() {
        int kind = random.Below(100);
        if (kind < 25) {
            return random.Between(1, 4);
        }
        if (kind < 75) {
            return random.Between(5, 20);
        }
        if (kind < 95) {
            return random.Between(21, 50);
        }
        return random.Between(51, MaxTextWords);
    }

    std::string Text() {
        std::string text;
        const bool multiLine = random.Percent(MultiLinePercent);
        int sentenceLeft = 0;
        for (int n = WordCount(); n > 0; --n) {
            if (sentenceLeft == 0) {
                if (!text.empty()) {
                    text += multiLine ? "\n" : " ";
                }
                sentenceLeft = random.Between(3, 15);
                std::string word = Word();
                word[0] =
                    static_cast<char>(word[0] >= 'a' && word[0] <= 'z' ? word[0] - 32 : word[0]);
                text += word;
            } else {
                text += random.Percent(CommaPercent) ? ", " : " ";
                text += Word();
            }
            if (--sentenceLeft == 0 || n == 1) {
                static const char* const endings[] = {".", ".", ".", "!", "?", "..."};
                text += endings[random.Below(6)];
                sentenceLeft = 0;
            }
        }
        return text;
    }

private:
    Random& random;
    std::vector<std::string> vocabulary;
    std::vector<double> cumulative;
};

struct Entry {
    std::string text;
    std::string sound;
};

std::string Sound(Random& random) {
    if (!random.Percent(SoundPercent)) {
        return "";
    }
    std::string sound = "SND";
    sound += std::to_string(random.Below(100'000));
    return sound;
}

// The same text with one blank doubled.
std::string DoubleABlank(const std::string& text) {
    std::string doubled;
    bool done = false;
    for (char byte : text) {
        if (byte == ' ' && !done) {
            doubled.push_back(' ');
            done = true;
        }
        doubled.push_back(byte);
    }
    return doubled;
}

std::vector<Entry> MakeReference(Random& random, TextMaker& maker, int count) {
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (i > 0 && random.Percent(DuplicatePercent)) {
            entries.push_back(
                {DoubleABlank(entries[static_cast<std::size_t>(random.Below(i))].text),
                 Sound(random)});
        } else {
            entries.push_back({maker.Text(), Sound(random)});
        }
    }
    return entries;
}

// Letters shifted by three: the same lengths, blanks and punctuation as the
// original, which is all the translated reference needs to be.
std::string Translate(std::string text) {
    for (char& byte : text) {
        if (byte >= 'a' && byte <= 'z') {
            byte = static_cast<char>('a' + (byte - 'a' + 3) % 26);
        }
    }
    return text;
}

std::vector<std::string> SplitOnBlanks(const std::string& text) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(' ', start);
        end = end == std::string::npos ? text.size() : end;
        words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

std::string JoinWithBlanks(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

class ModMaker {
public:
    ModMaker(Random& random, TextMaker& maker, const std::vector<Entry>& reference)
        : random(random), maker(maker), reference(reference) {}

    Entry Next() {
        const Entry& original =
            reference[static_cast<std::size_t>(random.Below(static_cast<int>(reference.size())))];
        int kind = random.Below(100);
        if (kind < 30) {
            return original;  // exact copy
        }
        if (kind < 40) {
            return {ChangeCase(original.text), original.sound};
        }
        if (kind < 60) {
            return {SmallEdit(original.text), original.sound};
        }
        if (kind < 70) {
            return {Reorder(original.text), original.sound};
        }
        if (kind < 95) {
            return {maker.Text(), Sound(random)};  // a new text
        }
        return {"", ""};
    }

private:
    std::string ChangeCase(std::string text) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            bool wordStart = i == 0 || text[i - 1] == ' ';
            if (wordStart && text[i] >= 'a' && text[i] <= 'z' && random.Percent(40)) {
                text[i] = static_cast<char>(text[i] - 32);
            } else if (text[i] >= 'A' && text[i] <= 'Z' && random.Percent(50)) {
                text[i] = static_cast<char>(text[i] + 32);
            }
        }
        return text;
    }

    std::string SmallEdit(const std::string& text) {
        std::vector<std::string> words = SplitOnBlanks(text);
        auto at = static_cast<std::size_t>(random.Below(static_cast<int>(words.size())));
        switch (random.Below(4)) {
            case 0:
                words[at] = maker.Word();
                break;
            case 1:
                words.insert(words.begin() + static_cast<std::ptrdiff_t>(at), maker.Word());
                break;
            case 2:
                if (words.size() > 1) {
                    words.erase(words.begin() + static_cast<std::ptrdiff_t>(at));
                }
                break;
            default:
                words.back() += "!";
                break;
        }
        return JoinWithBlanks(words);
    }

    // A few neighbouring words change places; the length stays.
    std::string Reorder(const std::string& text) {
        std::vector<std::string> words = SplitOnBlanks(text);
        for (int swaps = 1 + static_cast<int>(words.size()) / 3; swaps > 0 && words.size() > 1;
             --swaps) {
            auto at = static_cast<std::size_t>(random.Below(static_cast<int>(words.size()) - 1));
            std::swap(words[at], words[at + 1]);
        }
        return JoinWithBlanks(words);
    }

    Random& random;
    TextMaker& maker;
    const std::vector<Entry>& reference;
};

TraError WriteTra(const std::string& path, const std::vector<Entry>& entries,
                  bool translated = false) {
    TextFileWriter writer;
    if (TraError opened = writer.Open(path); opened != TraOk) {
        return opened;
    }
    std::string chunk = "// Generated game text\n";
    for (std::size_t id = 0; id < entries.size(); ++id) {
        const Entry& entry = entries[id];
        chunk += '@';
        chunk += std::to_string(id);
        chunk += " = ~";
        chunk += translated ? Translate(entry.text) : entry.text;
        chunk += "~";
        if (!entry.sound.empty()) {
            chunk += " [";
            chunk += entry.sound;
            chunk += ']';
        }
        chunk += "\n";
        if (chunk.size() >= ChunkSize) {
            writer.Write(chunk);
            chunk.clear();
        }
    }
    writer.Write(chunk);
    return writer.Commit();
}

// Unequal shares: the first file is the largest, as in real mods.
std::vector<int> ModFileSizes(int entries, int files) {
    std::vector<int> sizes;
    int left = entries;
    for (int file = 0; file < files; ++file) {
        int size = file + 1 == files ? left : std::max(1, left * 2 / (files - file + 1));
        sizes.push_back(size);
        left -= size;
    }
    return sizes;
}

}  // namespace

GameDataShape ScaledGameData(int scale) {
    GameDataShape shape;
    shape.referenceEntries *= scale;
    shape.modEntries *= scale;
    return shape;
}

GameDataPaths GameDataPathsIn(const std::string& directory) {
    namespace fs = std::filesystem;
    return {(fs::path(directory) / "reference" / "dialog.tra").string(),
            (fs::path(directory) / "reference" / "dialog_translated.tra").string(),
            (fs::path(directory) / "mod").string()};
}

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Where each entry starts: every line that begins with '@'.
std::vector<std::size_t> EntryStarts(const std::string& bytes) {
    std::vector<std::size_t> starts;
    for (std::size_t line = 0; line < bytes.size();) {
        if (bytes[line] == '@') {
            starts.push_back(line);
        }
        const std::size_t lineFeed = bytes.find('\n', line);
        line = lineFeed == std::string::npos ? bytes.size() : lineFeed + 1;
    }
    return starts;
}

// Part k of `files` holds the entries [k n / files, (k + 1) n / files).
bool WriteParts(const std::string& bytes, int files, const std::string& directory,
                const std::string& suffix) {
    const std::vector<std::size_t> starts = EntryStarts(bytes);
    const std::size_t entries = starts.size();
    for (int part = 0; part < files; ++part) {
        const std::size_t first = entries * static_cast<std::size_t>(part) / files;
        const std::size_t last = entries * static_cast<std::size_t>(part + 1) / files;
        const std::size_t begin = part == 0 ? 0 : starts[first];
        const std::size_t end = last == entries ? bytes.size() : starts[last];
        std::ofstream out(directory + "/part" + std::to_string(part) + suffix + ".tra",
                          std::ios::binary);
        out.write(bytes.data() + static_cast<std::ptrdiff_t>(begin),
                  static_cast<std::streamsize>(end - begin));
        if (!out) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> SplitReferencePairs(const std::string& directory,
                                                                     int files) {
    namespace fs = std::filesystem;
    const std::string split =
        (fs::path(directory) / ("reference-" + std::to_string(files))).string();
    std::vector<std::pair<std::string, std::string>> pairs;
    for (int part = 0; part < files; ++part) {
        const std::string stem = split + "/part" + std::to_string(part);
        pairs.emplace_back(stem + ".tra", stem + "_translated.tra");
    }
    if (fs::exists(pairs.back().second)) {
        return pairs;
    }
    const GameDataPaths paths = GameDataPathsIn(directory);
    std::error_code failure;
    fs::create_directories(split, failure);
    if (failure || !WriteParts(ReadAll(paths.referenceOriginal), files, split, "") ||
        !WriteParts(ReadAll(paths.referenceTranslated), files, split, "_translated")) {
        return {};
    }
    return pairs;
}

TraError GenerateGameData(const std::string& directory, const GameDataShape& shape) {
    namespace fs = std::filesystem;
    const GameDataPaths paths = GameDataPathsIn(directory);
    std::error_code failure;
    fs::create_directories(fs::path(paths.referenceOriginal).parent_path(), failure);
    fs::create_directories(paths.modDirectory, failure);
    if (failure) {
        return TraOpenFailed;
    }
    Random random(shape.seed);
    TextMaker maker(random);
    const std::vector<Entry> reference = MakeReference(random, maker, shape.referenceEntries);
    if (TraError written = WriteTra(paths.referenceOriginal, reference); written != TraOk) {
        return written;
    }
    if (TraError written = WriteTra(paths.referenceTranslated, reference, true); written != TraOk) {
        return written;
    }
    ModMaker modMaker(random, maker, reference);
    const std::vector<int> sizes = ModFileSizes(shape.modEntries, shape.modFiles);
    for (std::size_t file = 0; file < sizes.size(); ++file) {
        std::vector<Entry> entries;
        for (int i = 0; i < sizes[file]; ++i) {
            entries.push_back(modMaker.Next());
        }
        const std::string name = "part" + std::to_string(file + 1) + ".tra";
        if (TraError written = WriteTra((fs::path(paths.modDirectory) / name).string(), entries);
            written != TraOk) {
            return written;
        }
    }
    return TraOk;
}

}  // namespace wordgleaner
