#include "store/talk_table.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <new>
#include <optional>
#include <span>
#include <system_error>
#include <utility>

#include "store/input_file.h"
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
// Texts read one by one are read through a window of the file, a piece at a time.
constexpr std::size_t WindowPiece = 64 * 1024;

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

// What an entry's record tells.
struct Record {
    std::string_view sound;  // empty without flag bit 1
    TextSpan inTextData;     // where its text is in the text data
};

Record ParseRecord(const char* record) {
    Record parsed;
    if ((LittleEndian16(record + FlagsAt) & HasSoundFlag) != 0) {
        const char* name = record + SoundNameAt;
        parsed.sound = std::string_view(
            name, static_cast<std::size_t>(std::find(name, name + SoundNameSize, '\0') - name));
    }
    parsed.inTextData = {LittleEndian32(record + TextOffsetAt),
                         LittleEndian32(record + TextLengthAt)};
    return parsed;
}

// A tra file's text reads a CR LF as LF, and so does a table's, so that a
// table and the tra file made from it hold equal texts.
std::size_t InTextMode(char* text, std::size_t length) {
    return static_cast<std::size_t>(
        text_mode::DropCarriageReturnsBeforeLineFeeds(text, text + length, text) - text);
}

// One table read front to back: the header, the records a piece at a time,
// then its text data, whole or text by text.
class TableFile {
public:
    TraFailure Open(const std::string& path) {
        FileToRead opened = OpenToRead(path);
        if (opened.code != TraOk) {
            return opened.Failure();
        }
        file = std::move(opened.file);
        fileSize = opened.size;
        std::array<char, HeaderSize> header{};
        if (std::fread(header.data(), 1, header.size(), file.get()) < header.size()) {
            return std::ferror(file.get()) != 0 ? LastReadFailure() : TraFailure::DamagedTable(0);
        }
        if (std::string_view(header.data(), TalkTableSignature.size()) != TalkTableSignature) {
            return TraFailure::DamagedTable(0);
        }
        count = LittleEndian32(header.data() + CountAt);
        textData = LittleEndian32(header.data() + TextDataAt);
        return {};
    }

    // The records that lie whole after the header, before the text data and,
    // as far as its size is known, before the end of the file; no more than
    // that many entries can be read, which bounds the room made for them.
    std::uint64_t RecordsThatFit() const {
        auto recordsBefore = [](std::uint64_t end) {
            return end < HeaderSize ? 0 : (end - HeaderSize) / RecordSize;
        };
        const std::uint64_t fit = std::min<std::uint64_t>(count, recordsBefore(textData));
        return fileSize ? std::min(fit, recordsBefore(*fileSize)) : fit;
    }
    bool SizeKnown() const { return fileSize.has_value(); }

    // Hands each record to `onRecord` in id order; fails at the first that
    // does not fit.
    template <typename OnRecord>
    TraFailure ReadRecords(OnRecord&& onRecord) {
        const std::uint64_t fit = RecordsThatFit();
        if (fit > MostEntries) {
            throw std::bad_alloc();
        }
        std::vector<char> piece(RecordsPerRead * RecordSize);
        for (std::uint64_t done = 0; done < fit;) {
            const auto wanted =
                static_cast<std::size_t>(std::min<std::uint64_t>(RecordsPerRead, fit - done));
            const std::size_t got = std::fread(piece.data(), 1, wanted * RecordSize, file.get());
            for (std::size_t at = 0; at + RecordSize <= got; at += RecordSize) {
                const Record record = ParseRecord(piece.data() + at);
                if (record.inTextData.length != 0) {
                    textsApart = textsApart && record.inTextData.offset >= previousTextEnd;
                    previousTextEnd =
                        std::uint64_t{record.inTextData.offset} + record.inTextData.length;
                }
                onRecord(record);
            }
            done += got / RecordSize;
            if (got < wanted * RecordSize) {
                return std::ferror(file.get()) != 0 ? LastReadFailure()
                                                    : TraFailure::DamagedTable(done);
            }
        }
        if (fit < count) {
            return TraFailure::DamagedTable(static_cast<std::uint32_t>(fit));
        }
        position = HeaderSize + RecordSize * count;
        return {};
    }

    // Each text begins after the end of the one before it, in id order.
    bool TextsApart() const { return textsApart; }

    // Appends the bytes from the text data on; what lies between it and the
    // records is passed over. Up to `roomAfter` more bytes, no more than the
    // text data's, are reserved behind them.
    TraFailure AppendTextData(std::string& bytes, std::size_t roomAfter) {
        if (!SkipTo(textData) && std::ferror(file.get()) != 0) {
            return LastReadFailure();
        }
        const std::size_t expected = fileSize && *fileSize > textData
                                         ? static_cast<std::size_t>(*fileSize - textData) + 1
                                         : UnknownRestSize;
        bytes.reserve(bytes.size() + expected + std::min(roomAfter, expected));
        return AppendRestOfFile(file.get(), bytes, expected) ? TraFailure() : LastReadFailure();
    }

    // The text at `inTextData`, the texts being asked for in the order of
    // the file: a view of the window, valid until the next call and free to
    // change in place. None when it does not lie whole in the file (or before
    // the text asked for last). The window holds the text and what follows
    // it, one piece more at most: a length that runs past the end of the
    // file takes no more memory than the file has bytes.
    std::optional<std::span<char>> NextText(TextSpan inTextData) {
        const std::uint64_t from = std::uint64_t{textData} + inTextData.offset;
        const std::uint64_t end = from + inTextData.length;
        if (from < windowStart || (end > windowStart + window.size() && !Refill(from, end))) {
            return std::nullopt;
        }
        return std::span<char>(window.data() + (from - windowStart), inTextData.length);
    }

    bool ReadFailed() const { return std::ferror(file.get()) != 0; }

private:
    // Drops what lies before `from` and reads on up to `end`; the file
    // stands at the window's end.
    bool Refill(std::uint64_t from, std::uint64_t end) {
        if (from < windowStart + window.size()) {
            window.erase(0, static_cast<std::size_t>(from - windowStart));
        } else {
            window.clear();
            if (!SkipTo(from)) {
                return false;
            }
        }
        windowStart = from;
        while (windowStart + window.size() < end) {
            const std::size_t before = window.size();
            window.resize(before + WindowPiece);
            const std::size_t got = std::fread(window.data() + before, 1, WindowPiece, file.get());
            window.resize(before + got);
            position += got;
            if (got < WindowPiece) {
                return windowStart + window.size() >= end;
            }
        }
        return true;
    }

    // False when the file ends before `offset`.
    bool SkipTo(std::uint64_t offset) {
        std::array<char, 4096> passed;  // not cleared: whatever is read into it is dropped
        while (position < offset) {
            const auto wanted =
                static_cast<std::size_t>(std::min<std::uint64_t>(offset - position, passed.size()));
            const std::size_t got = std::fread(passed.data(), 1, wanted, file.get());
            position += got;
            if (got < wanted) {
                return false;
            }
        }
        return position == offset;
    }

    FileHandle file;
    std::optional<std::uint64_t> fileSize;
    std::uint32_t count = 0;
    std::uint32_t textData = 0;
    std::uint64_t position = HeaderSize;  // the bytes read so far
    std::string window;                   // the bytes from windowStart up to position
    std::uint64_t windowStart = HeaderSize;
    bool textsApart = true;
    std::uint64_t previousTextEnd = 0;
};

std::string_view SoundOf(const TraEntryRecord& entry, const TraTextStore& texts) {
    return texts.Text(texts.Extra(entry.extras, TraField::MaleSound));
}

// The table itself: its records become the entries, each text's place in the
// text data kept in its span for now and the sound names in a small buffer;
// then the text data goes into the store's bytes behind the sound names,
// where the entries' texts are used in place.
class MaleTableReader {
public:
    MaleTableReader(std::vector<TraEntryRecord>& entries, TraTextStore& texts)
        : entries(entries), texts(texts) {}

    // Room for `roomAfter` bytes of female texts is reserved behind the text
    // data, so that adding them never copies the buffer; pages never
    // written take no memory.
    TraFailure Read(const std::string& path, std::size_t roomAfter) {
        if (TraFailure failure = table.Open(path); failure.code != TraOk) {
            return failure;
        }
        if (table.SizeKnown()) {
            entries.reserve(static_cast<std::size_t>(table.RecordsThatFit()));
        }
        TraFailure failure = table.ReadRecords([this](const Record& record) {
            entries.push_back({static_cast<std::int32_t>(entries.size()), record.inTextData,
                               AddSound(record.sound)});
        });
        if (failure.code != TraOk) {
            return failure;
        }
        std::string& bytes = texts.Bytes();
        bytes = std::move(soundNames);
        textDataStart = bytes.size();
        if (failure = table.AppendTextData(bytes, roomAfter); failure.code != TraOk) {
            return failure;
        }
        return PlaceTexts();
    }

private:
    std::uint32_t AddSound(std::string_view sound) {
        if (sound.empty()) {
            return TraNoExtras;
        }
        TraFieldSpans fields{};
        fields[static_cast<std::size_t>(TraField::MaleSound)] =
            TraTextStore::InBytes(soundNames.size(), sound.size());
        soundNames.append(sound);
        return texts.AddExtras(fields);
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

    // Texts that share no byte are read where they are; otherwise a text
    // holding a CR LF gets a copy, since the bytes it would change may be
    // another text's too.
    TextSpan PlaceText(std::size_t offset, std::size_t length) {
        char* text = texts.Bytes().data() + offset;
        if (table.TextsApart()) {
            return TraTextStore::InBytes(offset, InTextMode(text, length));
        }
        const std::string_view inFile(text, length);
        if (inFile.find("\r\n") == std::string_view::npos) {
            return TraTextStore::InBytes(offset, length);
        }
        std::string copy(inFile);
        copy.resize(InTextMode(copy.data(), copy.size()));
        return texts.Keep(copy);
    }

    std::vector<TraEntryRecord>& entries;
    TraTextStore& texts;
    TableFile table;
    std::string soundNames;
    std::size_t textDataStart = 0;  // in the store's bytes, behind the sound names
};

// The female table, compared with the entries of the male one as it is read.
// Most female texts are copies of the male ones: only those that differ are
// kept, appended to the store's bytes. A first pass over the records finds
// their damage and the sounds that differ; when the texts lie apart in id
// order, a second pass reads each record with its text through a second
// handle, so that nothing of the table is held beside the entries. Only a
// table whose texts overlap or run out of order is read whole for a moment.
class FemaleTableReader {
public:
    FemaleTableReader(std::vector<TraEntryRecord>& entries, TraTextStore& texts)
        : entries(entries), texts(texts) {}

    TraFailure Read(const std::string& path) {
        TableFile records;
        if (TraFailure failure = records.Open(path); failure.code != TraOk) {
            return failure;
        }
        std::size_t id = 0;
        TraFailure failure = records.ReadRecords([this, &id](const Record& record) {
            if (id < entries.size() && record.sound != SoundOf(entries[id], texts)) {
                otherSounds.push_back({static_cast<std::uint32_t>(id), AddName(record.sound)});
            }
            ++id;
        });
        if (failure.code != TraOk) {
            return failure;
        }
        return records.TextsApart() ? CompareTextsInFileOrder(path) : CompareTextsReadWhole(path);
    }

private:
    TextSpan AddName(std::string_view sound) {
        const TextSpan name = TraTextStore::InBytes(otherSoundNames.size(), sound.size());
        otherSoundNames.append(sound);
        return name;
    }

    TraFailure CompareTextsInFileOrder(const std::string& path) {
        TableFile records;
        TableFile textData;
        for (TableFile* table : {&records, &textData}) {
            if (TraFailure failure = table->Open(path); failure.code != TraOk) {
                return failure;
            }
        }
        std::size_t id = 0;
        std::optional<std::size_t> damaged;
        TraFailure readFailure;
        TraFailure failure = records.ReadRecords([&](const Record& record) {
            if (!damaged) {
                const auto text = record.inTextData.length != 0
                                      ? textData.NextText(record.inTextData)
                                      : std::optional<std::span<char>>(std::span<char>());
                if (text) {
                    Compare(id, *text);
                } else {
                    damaged = id;
                    readFailure = textData.ReadFailed() ? LastReadFailure() : TraFailure();
                }
            }
            ++id;
        });
        if (failure.code != TraOk || !damaged) {
            return failure;
        }
        return readFailure.code != TraOk
                   ? readFailure
                   : TraFailure::DamagedTable(static_cast<std::uint32_t>(*damaged));
    }

    TraFailure CompareTextsReadWhole(const std::string& path) {
        TableFile table;
        if (TraFailure failure = table.Open(path); failure.code != TraOk) {
            return failure;
        }
        std::vector<TextSpan> inTextData;
        TraFailure failure = table.ReadRecords(
            [&inTextData](const Record& record) { inTextData.push_back(record.inTextData); });
        std::string allTexts;
        if (failure.code == TraOk) {
            failure = table.AppendTextData(allTexts, 0);
        }
        std::string text;
        for (std::size_t id = 0; id < inTextData.size() && failure.code == TraOk; ++id) {
            const TextSpan span = inTextData[id];
            if (span.length == 0) {
                text.clear();
            } else if (std::uint64_t{span.offset} + span.length > allTexts.size()) {
                return TraFailure::DamagedTable(static_cast<std::uint32_t>(id));
            } else {
                text.assign(allTexts, span.offset, span.length);
            }
            Compare(id, text);
        }
        return failure;
    }

    // The texts of an id both tables hold; `text` as in the file, changed in place.
    void Compare(std::size_t id, std::span<char> text) {
        if (id >= entries.size()) {
            return;
        }
        const std::string_view female(text.data(), InTextMode(text.data(), text.size()));
        const bool otherSound = nextOtherSound < otherSounds.size() &&
                                otherSounds[nextOtherSound].first == static_cast<std::uint32_t>(id);
        TraEntryRecord& entry = entries[id];
        if (!otherSound && female == texts.Text(entry.maleText)) {
            return;
        }
        TraFieldSpans fields{};
        const TextSpan maleSound = texts.Extra(entry.extras, TraField::MaleSound);
        fields[static_cast<std::size_t>(TraField::MaleSound)] = maleSound;
        fields[static_cast<std::size_t>(TraField::FemaleText)] = Append(female);
        fields[static_cast<std::size_t>(TraField::FemaleSound)] =
            otherSound ? Append(NameOf(otherSounds[nextOtherSound++].second)) : maleSound;
        entry.extras = texts.AddExtras(fields);
    }

    std::string_view NameOf(TextSpan name) const {
        return std::string_view(otherSoundNames).substr(name.offset, name.length);
    }

    TextSpan Append(std::string_view text) {
        std::string& bytes = texts.Bytes();
        const TextSpan span =
            text.empty() ? TextSpan() : TraTextStore::InBytes(bytes.size(), text.size());
        bytes.append(text);
        return span;
    }

    std::vector<TraEntryRecord>& entries;
    TraTextStore& texts;
    // The ids whose female sound differs from the male one, in id order, and
    // that sound in otherSoundNames.
    std::vector<std::pair<std::uint32_t, TextSpan>> otherSounds;
    std::string otherSoundNames;
    std::size_t nextOtherSound = 0;
};

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
    const std::optional<std::uint64_t> femaleSize =
        femaleTablePath.empty() ? std::nullopt : SizeOf(femaleTablePath);
    TraFailure failure = MaleTableReader(entries, texts)
                             .Read(path, static_cast<std::size_t>(femaleSize.value_or(0)));
    if (failure.code == TraOk && !femaleTablePath.empty()) {
        failure = FemaleTableReader(entries, texts).Read(femaleTablePath);
        if (failure.code != TraOk) {
            failure.otherFile = femaleTablePath;
        }
    }
    if (failure.code != TraOk) {
        std::vector<TraEntryRecord>().swap(entries);
        texts.Clear();
    }
    return failure;
}

}  // namespace wordgleaner
