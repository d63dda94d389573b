#include "store/talk_table.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <new>
#include <optional>
#include <system_error>

#include "store/text_file.h"
#include "store/text_mode.h"

namespace wordgleaner {

namespace {

constexpr std::uint64_t HeaderSize = 18;
constexpr std::size_t CountAt = 10;
constexpr std::size_t TextDataAt = 14;

constexpr std::uint64_t RecordSize = 26;
constexpr std::size_t FlagsAt = 0;
constexpr std::size_t SoundNameAt = 2;
constexpr std::size_t SoundNameSize = 8;
constexpr std::size_t TextOffsetAt = 18;
constexpr std::size_t TextLengthAt = 22;
constexpr std::uint16_t HasSoundFlag = 0x0002;

// Records are read a piece at a time, so they never take memory beside the
// entries: about 100 KiB a piece.
constexpr std::size_t RecordsPerRead = 4096;
// Entry i gets id i, and the layout entries' id is no string id.
constexpr std::uint64_t MostEntries = TraNoId;
constexpr std::size_t UnknownRestSize = 64 * 1024;

std::uint16_t LittleEndian16(const char* at) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(at);
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

std::uint32_t LittleEndian32(const char* at) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(at);
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// A pipe tells no size; the records are then read without room made first.
std::optional<std::uint64_t> SizeOf(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? std::nullopt : std::optional<std::uint64_t>(size);
}

TraFailure LastReadFailure() {
    return TraFailure::FromSystem(TraReadFailed, {errno, std::generic_category()});
}

// Reads one table into entries and texts, front to back in one pass: the
// records a piece at a time into entries (each text's place in the text data
// kept in its span for now), the sound names into a small buffer, then the
// text data into the store's bytes behind the sound names, where the entries'
// texts are used in place.
class TalkTableReader {
public:
    TalkTableReader(std::vector<TraEntryRecord>& entries, TraTextStore& texts)
        : entries(entries), texts(texts) {}

    TraFailure Read(const std::string& path) {
        FileToRead opened = OpenToRead(path);
        if (opened.code != TraOk) {
            return TraFailure::FromSystem(opened.code, opened.systemError);
        }
        file = opened.file.get();
        fileSize = SizeOf(path);
        for (auto step : {&TalkTableReader::ReadHeader, &TalkTableReader::ReadRecords,
                          &TalkTableReader::ReadTextData, &TalkTableReader::PlaceTexts}) {
            if (TraFailure failure = (this->*step)(); failure.code != TraOk) {
                return failure;
            }
        }
        return {};
    }

private:
    TraFailure ReadHeader() {
        std::array<char, HeaderSize> header{};
        if (std::fread(header.data(), 1, header.size(), file) < header.size()) {
            return std::ferror(file) != 0 ? LastReadFailure() : TraFailure::DamagedTable(0);
        }
        if (std::string_view(header.data(), TalkTableSignature.size()) != TalkTableSignature) {
            return TraFailure::DamagedTable(0);
        }
        count = LittleEndian32(header.data() + CountAt);
        textData = LittleEndian32(header.data() + TextDataAt);
        return {};
    }

    // The records that lie whole after the header, before the text data and,
    // as far as its size is known, before the end of the file.
    std::uint64_t RecordsThatFit() const {
        auto recordsBefore = [](std::uint64_t end) {
            return end < HeaderSize ? 0 : (end - HeaderSize) / RecordSize;
        };
        std::uint64_t fit = std::min<std::uint64_t>(count, recordsBefore(textData));
        return fileSize ? std::min(fit, recordsBefore(*fileSize)) : fit;
    }

    TraFailure ReadRecords() {
        const std::uint64_t fit = RecordsThatFit();
        if (fit > MostEntries) {
            throw std::bad_alloc();
        }
        if (fileSize) {
            entries.reserve(static_cast<std::size_t>(fit));
        }
        piece.resize(RecordsPerRead * RecordSize);
        for (std::uint64_t done = 0; done < fit;) {
            const std::size_t wanted =
                static_cast<std::size_t>(std::min<std::uint64_t>(RecordsPerRead, fit - done));
            const std::size_t got = std::fread(piece.data(), 1, wanted * RecordSize, file);
            for (std::size_t at = 0; at + RecordSize <= got; at += RecordSize) {
                AddRecord(piece.data() + at);
            }
            done += got / RecordSize;
            if (got < wanted * RecordSize) {
                return std::ferror(file) != 0 ? LastReadFailure() : TraFailure::DamagedTable(done);
            }
        }
        if (fit < count) {
            return TraFailure::DamagedTable(static_cast<std::uint32_t>(fit));
        }
        return {};
    }

    void AddRecord(const char* record) {
        const auto id = static_cast<std::int32_t>(entries.size());
        const TextSpan inTextData{LittleEndian32(record + TextOffsetAt),
                                  LittleEndian32(record + TextLengthAt)};
        if (inTextData.length != 0) {
            textsApart = textsApart && inTextData.offset >= previousTextEnd;
            previousTextEnd = std::uint64_t{inTextData.offset} + inTextData.length;
        }
        entries.push_back({id, inTextData, AddSound(record)});
    }

    std::uint32_t AddSound(const char* record) {
        if ((LittleEndian16(record + FlagsAt) & HasSoundFlag) == 0) {
            return TraNoExtras;
        }
        const char* name = record + SoundNameAt;
        const auto length =
            static_cast<std::size_t>(std::find(name, name + SoundNameSize, '\0') - name);
        if (length == 0) {
            return TraNoExtras;
        }
        TraFieldSpans fields{};
        fields[static_cast<std::size_t>(TraField::MaleSound)] =
            TraTextStore::InBytes(soundNames.size(), length);
        soundNames.append(name, length);
        return texts.AddExtras(fields);
    }

    // Whatever lies between the records and the text data is passed over.
    TraFailure ReadTextData() {
        const std::uint64_t recordsEnd = HeaderSize + RecordSize * count;
        for (std::uint64_t gap = textData > recordsEnd ? textData - recordsEnd : 0; gap > 0;) {
            const auto wanted =
                static_cast<std::size_t>(std::min<std::uint64_t>(gap, piece.size()));
            const std::size_t got = std::fread(piece.data(), 1, wanted, file);
            if (got < wanted) {
                if (std::ferror(file) != 0) {
                    return LastReadFailure();
                }
                break;  // no text data: a text that is not empty lies outside the file
            }
            gap -= got;
        }
        std::vector<char>().swap(piece);
        std::string& bytes = texts.Bytes();
        bytes = std::move(soundNames);
        textDataStart = bytes.size();
        const std::size_t expected = fileSize && *fileSize > textData
                                         ? static_cast<std::size_t>(*fileSize - textData) + 1
                                         : UnknownRestSize;
        if (!AppendRestOfFile(file, bytes, expected)) {
            return LastReadFailure();
        }
        return {};
    }

    TraFailure PlaceTexts() {
        const std::uint64_t textDataSize = texts.Bytes().size() - textDataStart;
        for (std::size_t id = 0; id < entries.size(); ++id) {
            TextSpan& text = entries[id].maleText;
            if (text.length == 0) {
                text = {};
            } else if (std::uint64_t{text.offset} + text.length > textDataSize) {
                return TraFailure::DamagedTable(static_cast<std::uint32_t>(id));
            } else {
                text = PlaceText(textDataStart + text.offset, text.length);
            }
        }
        return {};
    }

    // A tra file's text reads a CR LF as LF, and so does a table's, so that a
    // table and the tra file made from it hold equal texts. Texts that share
    // no byte are changed where they are; otherwise a text holding a CR LF
    // gets a copy, since the bytes it would change may be another text's too.
    TextSpan PlaceText(std::size_t offset, std::size_t length) {
        char* text = texts.Bytes().data() + offset;
        if (textsApart) {
            const char* end =
                text_mode::DropCarriageReturnsBeforeLineFeeds(text, text + length, text);
            return TraTextStore::InBytes(offset, static_cast<std::size_t>(end - text));
        }
        const std::string_view inFile(text, length);
        if (inFile.find("\r\n") == std::string_view::npos) {
            return TraTextStore::InBytes(offset, length);
        }
        std::string copy(inFile);
        copy.resize(static_cast<std::size_t>(text_mode::DropCarriageReturnsBeforeLineFeeds(
                                                 copy.data(), copy.data() + length, copy.data()) -
                                             copy.data()));
        return texts.Keep(copy);
    }

    std::vector<TraEntryRecord>& entries;
    TraTextStore& texts;
    std::FILE* file = nullptr;
    std::optional<std::uint64_t> fileSize;
    std::uint32_t count = 0;
    std::uint32_t textData = 0;
    std::vector<char> piece;
    std::string soundNames;
    std::size_t textDataStart = 0;  // in the store's bytes, behind the sound names
    bool textsApart = true;         // each text begins after the end of the one before it
    std::uint64_t previousTextEnd = 0;
};

std::string_view SoundOf(const TraEntryRecord& entry, const TraTextStore& texts) {
    return texts.Text(texts.Extra(entry.extras, TraField::MaleSound));
}

// Most female texts are copies of the male ones: only the others are kept,
// so the female table's bytes go once it has been compared.
TraFailure AddFemaleTable(const std::string& path, std::vector<TraEntryRecord>& entries,
                          TraTextStore& texts) {
    std::vector<TraEntryRecord> female;
    TraTextStore femaleTexts;
    TraFailure failure = TalkTableReader(female, femaleTexts).Read(path);
    if (failure.code != TraOk) {
        failure.otherFile = path;
        return failure;
    }
    const std::size_t common = std::min(entries.size(), female.size());
    for (std::size_t id = 0; id < common; ++id) {
        TraEntryRecord& entry = entries[id];
        const std::string_view femaleText = femaleTexts.Text(female[id].maleText);
        const std::string_view femaleSound = SoundOf(female[id], femaleTexts);
        if (femaleText == texts.Text(entry.maleText) && femaleSound == SoundOf(entry, texts)) {
            continue;
        }
        TraFieldSpans fields{};
        fields[static_cast<std::size_t>(TraField::MaleSound)] =
            texts.Extra(entry.extras, TraField::MaleSound);
        fields[static_cast<std::size_t>(TraField::FemaleText)] = texts.Keep(femaleText);
        fields[static_cast<std::size_t>(TraField::FemaleSound)] = texts.Keep(femaleSound);
        entry.extras = texts.AddExtras(fields);
    }
    return {};
}

}  // namespace

bool IsTalkTable(const std::string& path) {
    FileToRead opened = OpenToRead(path);
    if (opened.code != TraOk) {
        return false;
    }
    std::array<char, TalkTableSignature.size()> start{};
    return std::fread(start.data(), 1, start.size(), opened.file.get()) == start.size() &&
           std::string_view(start.data(), start.size()) == TalkTableSignature;
}

TraFailure ReadTalkTable(const std::string& path, const std::string& femaleTablePath,
                         std::vector<TraEntryRecord>& entries, TraTextStore& texts) {
    TraFailure failure = TalkTableReader(entries, texts).Read(path);
    if (failure.code == TraOk && !femaleTablePath.empty()) {
        failure = AddFemaleTable(femaleTablePath, entries, texts);
    }
    if (failure.code != TraOk) {
        std::vector<TraEntryRecord>().swap(entries);
        texts.Clear();
    }
    return failure;
}

}  // namespace wordgleaner
