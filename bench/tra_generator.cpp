#include "tra_generator.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <random>
#include <string_view>
#include <vector>

#include "store/text_file.h"

namespace wordgleaner {

namespace {

constexpr std::array<std::string_view, 48> Words = {
    "the",     "a",       "you",    "I",       "we",       "to",       "of",      "and",
    "gold",    "sword",   "temple", "priest",  "tavern",   "journey",  "shadow",  "city",
    "ancient", "cursed",  "brave",  "strange", "hidden",   "merchant", "guard",   "king",
    "must",    "cannot",  "will",   "have",    "seen",     "bring",    "find",    "speak",
    "quickly", "perhaps", "never",  "again",   "before",   "beyond",   "within",  "north",
    "dragon",  "scroll",  "potion", "ring",    "festival", "harbour",  "library", "night"};

constexpr int WordsPerTextMin = 12;
constexpr int WordsPerTextMax = 30;
constexpr int SectionLength = 250;        // entries between section comments
constexpr int LargestGameId = 9'945'869;  // ids of real string tables reach this
constexpr std::size_t ChunkSize = 64 * 1024;
constexpr int SoundNames = 100'000;

class TraGenerator {
public:
    explicit TraGenerator(std::uint64_t seed) : random(seed) {}

    std::vector<int> ShuffledIds(int count) {
        std::vector<int> ids(static_cast<std::size_t>(count));
        std::iota(ids.begin(), ids.end(), 0);
        // A few ids far above the rest, as in patched game tables.
        for (std::size_t i = 0; i < ids.size(); i += 97) {
            ids[i] = LargestGameId - static_cast<int>(i);
        }
        std::shuffle(ids.begin(), ids.end(), random);
        return ids;
    }

    void AppendEntry(std::string& out, int id, int index) {
        if (index % SectionLength == 0) {
            out += "\n// Section ";
            out += std::to_string(index / SectionLength);
            out += '\n';
        }
        out += '@';
        out += std::to_string(id);
        out += " = ";
        AppendText(out, Sentence(index));
        if (Chance(30)) {
            out += " [SND";
            out += std::to_string(id % SoundNames);
            out += ']';
        }
        if (Chance(10)) {
            out += " ";
            AppendText(out, Sentence(index + 1));
        }
        out += '\n';
    }

private:
    bool Chance(int percent) { return std::uniform_int_distribution<int>(0, 99)(random) < percent; }

    std::string Sentence(int index) {
        int count = std::uniform_int_distribution<int>(WordsPerTextMin, WordsPerTextMax)(random);
        std::uniform_int_distribution<std::size_t> pick(0, Words.size() - 1);
        std::string text;
        for (int word = 0; word < count; ++word) {
            text += word == 0 ? "" : " ";
            text += Words[pick(random)];
        }
        // Some texts hold a delimiter or run over two lines.
        if (index % 41 == 0) {
            text += " ~quoted~";
        } else if (index % 53 == 0) {
            text += "\nsecond line";
        }
        return text + ".";
    }

    static void AppendText(std::string& out, const std::string& text) {
        std::string_view delimiter = text.find('~') == std::string::npos ? "~" : "\"";
        out += delimiter;
        out += text;
        out += delimiter;
    }

    std::mt19937_64 random;
};

}  // namespace

TraError GenerateTraFile(const std::string& path, int entries, std::uint64_t seed) {
    TextFileWriter writer;
    if (TraError opened = writer.Open(path); opened != TraOk) {
        return opened;
    }
    TraGenerator generator(seed);
    std::string chunk = "// Generated string table\n";
    auto ids = generator.ShuffledIds(entries);
    for (int index = 0; index < entries; ++index) {
        generator.AppendEntry(chunk, ids[static_cast<std::size_t>(index)], index);
        if (chunk.size() >= ChunkSize) {
            writer.Write(chunk);
            chunk.clear();
        }
    }
    writer.Write(chunk);
    return writer.Commit();
}

}  // namespace wordgleaner
