#include "store/tra_file.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "store/talk_table.h"
#include "store/tra_parser.h"
#include "store/whole_text_file.h"

namespace wordgleaner {

namespace {

// A sound reference names a resource of at most 8 characters.
constexpr std::size_t MaxSoundLength = 8;
constexpr std::string_view CommentLinePrefix = "// ";

// Both separators count, so that Windows and POSIX paths give the file name.
std::string FileNameOf(const std::string& path) {
    auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool SoundTooLong(OptionalText sound) {
    return sound && sound->size() > MaxSoundLength;
}

bool GoesOn(TraError status) {
    return status == TraOk || status == TraEndOfLine;
}

// Feeds the lines to the parser until the end or a fault; a syntax fault names
// the line it was found on.
TraFailure ParseLines(std::string_view bytes, TraParser& parser) {
    TraError status = TraOk;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < bytes.size() && GoesOn(status)) {
        const void* lineFeed = std::memchr(bytes.data() + start, '\n', bytes.size() - start);
        const std::size_t end =
            lineFeed != nullptr
                ? static_cast<std::size_t>(static_cast<const char*>(lineFeed) - bytes.data()) + 1
                : bytes.size();
        if (lineNumber < std::numeric_limits<int>::max()) {
            ++lineNumber;
        }
        status = parser.ParseLine(bytes.substr(start, end - start));
        start = end;
    }
    return GoesOn(status) ? TraFailure()
                          : TraFailure(status, lineNumber - parser.LinesSinceTextBegan());
}

// Room for every entry up front: growing the list on the way would for a moment
// hold it twice. Each entry starts a line with "@", a comment or nothing; lines
// inside texts may count too, which costs 16 bytes each at most.
std::size_t EntriesAtMost(std::string_view bytes) {
    constexpr std::size_t Margin = 16;
    std::size_t count = Margin;
    std::size_t start = 0;
    while (start < bytes.size()) {
        while (start < bytes.size() && (bytes[start] == ' ' || bytes[start] == '\t')) {
            ++start;
        }
        if (start < bytes.size()) {
            const char first = bytes[start];
            count += first == '@' || first == '/' || first == '\n' ? 1 : 0;
        }
        const void* lineFeed = std::memchr(bytes.data() + start, '\n', bytes.size() - start);
        if (lineFeed == nullptr) {
            break;
        }
        start = static_cast<std::size_t>(static_cast<const char*>(lineFeed) - bytes.data()) + 1;
    }
    return count;
}

}  // namespace

TraError TraFile::Load(const std::string& path) {
    Clear();
    lastFailure = TraFailure();
    TraFailure failure;
    try {
        const WholeTextFileRead read = ReadWholeTextFile(path, texts.Bytes());
        if (read.failure.code == TraOpenFailed) {
            lastFailure = read.failure;
            return TraOpenFailed;
        }
        byteOrderMark = read.byteOrderMark;
        entries.reserve(EntriesAtMost(texts.Bytes()));
        TraParser parser(entries, texts);
        failure = ParseLines(texts.Bytes(), parser);
        parser.Finish();
        if (read.failure.code != TraOk && failure.code == TraOk) {
            failure = read.failure;
        }
    } catch (const std::bad_alloc&) {
        failure = TraFailure(TraNoMemory);
    }
    for (const TraEntryRecord& entry : entries) {
        entryCount += entry.IsLayout() ? 0 : 1;
    }
    IndexIds();
    name = failure.code == TraOk ? FileNameOf(path) : std::string();
    lastFailure = std::move(failure);
    return lastFailure.code;
}

TraError TraFile::LoadTalkTable(const std::string& path, const std::string& femaleTablePath) {
    Clear();
    TraFailure failure;
    try {
        failure = ReadTalkTable(path, femaleTablePath, entries, texts);
    } catch (const std::bad_alloc&) {
        failure = TraFailure(TraNoMemory);
        Clear();
    }
    entryCount = static_cast<int>(entries.size());
    IndexIds();
    if (failure.code != TraOpenFailed || !failure.otherFile.empty()) {
        name = failure.code == TraOk ? FileNameOf(path) : std::string();
    }
    lastFailure = std::move(failure);
    return lastFailure.code;
}

TraError TraFile::LoadReference(const std::string& path, const std::string& femaleTablePath) {
    return IsTalkTable(path) ? LoadTalkTable(path, femaleTablePath) : Load(path);
}

TraEntry TraFile::GetAt(int position) const {
    if (position < 0 || position >= GetSize()) {
        return {};
    }
    return {entries[static_cast<std::size_t>(position)], texts};
}

TraEntry TraFile::Find(std::int32_t id) const {
    return GetAt(IndexOf(id));
}

TraError TraFile::SetTexts(std::int32_t id, OptionalText maleText, OptionalText femaleText,
                           OptionalText maleSound, OptionalText femaleSound) {
    int position = IndexOf(id);
    if (position == TraNoId) {
        return TraUnknownId;
    }
    return SetTextsAt(position, maleText, femaleText, maleSound, femaleSound);
}

TraError TraFile::AddComment(std::int32_t id, OptionalText text) {
    int position = IndexOf(id);
    if (position == TraNoId) {
        return TraUnknownId;
    }
    return AddCommentAt(position, text);
}

// A layout entry has no texts that Save would write, so it counts as unknown.
TraError TraFile::SetTextsAt(int position, OptionalText maleText, OptionalText femaleText,
                             OptionalText maleSound, OptionalText femaleSound) {
    const TraEntry found = GetAt(position);
    if (found.IsLayout()) {
        return TraUnknownId;
    }
    if (!maleText) {
        return TraBadString;
    }
    try {
        // The new texts are kept first, so that a failed allocation leaves the
        // entry as it was; the arguments may be views of this file's texts.
        TraFieldSpans spans = found.Spans();
        spans[static_cast<std::size_t>(TraField::MaleText)] = texts.Keep(*maleText);
        if (femaleText) {
            spans[static_cast<std::size_t>(TraField::FemaleText)] = texts.Keep(*femaleText);
        }
        TraError result = TraOk;
        if (SoundTooLong(maleSound) || SoundTooLong(femaleSound)) {
            result = TraBadSound;
        }
        if (maleSound && !SoundTooLong(maleSound)) {
            spans[static_cast<std::size_t>(TraField::MaleSound)] = texts.Keep(*maleSound);
        }
        if (femaleSound && !SoundTooLong(femaleSound)) {
            spans[static_cast<std::size_t>(TraField::FemaleSound)] = texts.Keep(*femaleSound);
        }
        Replace(position, spans);
        return result;
    } catch (const std::bad_alloc&) {
        return TraNoMemory;
    }
}

TraError TraFile::AddCommentAt(int position, OptionalText text) {
    const TraEntry found = GetAt(position);
    if (found.IsLayout()) {
        return TraUnknownId;
    }
    if (!text) {
        return TraBadString;
    }
    try {
        std::string comment(found.Comment());
        std::string_view rest = *text;
        while (!rest.empty()) {
            auto lineEnd = rest.find('\n');
            auto length = lineEnd == std::string_view::npos ? rest.size() : lineEnd + 1;
            comment += CommentLinePrefix;
            comment += rest.substr(0, length);
            rest.remove_prefix(length);
        }
        TraFieldSpans spans = found.Spans();
        spans[static_cast<std::size_t>(TraField::Comment)] = texts.Keep(comment);
        Replace(position, spans);
        return TraOk;
    } catch (const std::bad_alloc&) {
        return TraNoMemory;
    }
}

void TraFile::Replace(int position, const TraFieldSpans& spans) {
    TraEntryRecord& entry = entries[static_cast<std::size_t>(position)];
    const std::uint32_t extras = texts.AddExtras(spans);
    entry.maleText = spans[static_cast<std::size_t>(TraField::MaleText)];
    entry.extras = extras;
}

namespace {

// Past this many layout entries in a row, the search of ascending entries
// would walk too far on each step; the id index is built instead.
constexpr std::size_t LongestLayoutRunSearched = 64;

}  // namespace

// Most string tables number their entries in order: then the entries are
// searched as they are, and the id index costs nothing.
void TraFile::IndexIds() {
    firstPositions.clear();
    auto layout = std::find_if(entries.begin(), entries.end(),
                               [](const TraEntryRecord& entry) { return entry.IsLayout(); });
    firstLayoutPosition =
        layout == entries.end() ? TraNoId : static_cast<int>(layout - entries.begin());
    if (IdsAscendWithShortGaps()) {
        idLookup = IdLookup::AscendingEntries;
        return;
    }
    try {
        firstPositions.reserve(static_cast<std::size_t>(entryCount));
        for (std::size_t position = 0; position < entries.size(); ++position) {
            if (!entries[position].IsLayout()) {
                firstPositions.push_back(static_cast<std::uint32_t>(position));
            }
        }
        // By id, then position, so the first entry of an id leads its run and
        // unique keeps it; an unstable sort needs no second buffer.
        auto byIdThenPosition = [this](std::uint32_t left, std::uint32_t right) {
            return std::pair(entries[left].id, left) < std::pair(entries[right].id, right);
        };
        std::sort(firstPositions.begin(), firstPositions.end(), byIdThenPosition);
        auto sameId = [this](std::uint32_t left, std::uint32_t right) {
            return entries[left].id == entries[right].id;
        };
        firstPositions.erase(std::unique(firstPositions.begin(), firstPositions.end(), sameId),
                             firstPositions.end());
        idLookup = IdLookup::IdIndex;
    } catch (const std::bad_alloc&) {
        std::vector<std::uint32_t>().swap(firstPositions);
        idLookup = IdLookup::Walk;
    }
}

bool TraFile::IdsAscendWithShortGaps() const {
    std::size_t layoutRun = 0;
    bool anyId = false;
    std::int32_t previous = 0;
    for (const TraEntryRecord& entry : entries) {
        if (entry.IsLayout()) {
            if (++layoutRun > LongestLayoutRunSearched) {
                return false;
            }
            continue;
        }
        if (anyId && entry.id <= previous) {
            return false;
        }
        layoutRun = 0;
        anyId = true;
        previous = entry.id;
    }
    return true;
}

int TraFile::IndexOf(std::int32_t id) const {
    if (id == TraNoId) {
        return firstLayoutPosition;  // the layout entries' id; neither search holds them
    }
    switch (idLookup) {
        case IdLookup::AscendingEntries:
            return FindInAscendingIds(id);
        case IdLookup::IdIndex:
            return FindThroughIdIndex(id);
        case IdLookup::Walk:
            break;
    }
    return WalkToId(id);
}

// A binary search whose probes step over the layout entries after them:
// every entry with an id in [0, low) has a smaller id than `id`, every one
// in [high, size) at least `id`.
int TraFile::FindInAscendingIds(std::int32_t id) const {
    std::size_t low = 0;
    std::size_t high = entries.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        std::size_t probe = middle;
        while (probe < high && entries[probe].IsLayout()) {
            ++probe;
        }
        if (probe < high && entries[probe].id < id) {
            low = probe + 1;
        } else {
            high = middle;
        }
    }
    while (low < entries.size() && entries[low].IsLayout()) {
        ++low;
    }
    return low < entries.size() && entries[low].id == id ? static_cast<int>(low) : TraNoId;
}

int TraFile::FindThroughIdIndex(std::int32_t id) const {
    auto before = [this](std::uint32_t position, std::int32_t wanted) {
        return entries[position].id < wanted;
    };
    auto found = std::lower_bound(firstPositions.begin(), firstPositions.end(), id, before);
    return found != firstPositions.end() && entries[*found].id == id ? static_cast<int>(*found)
                                                                     : TraNoId;
}

int TraFile::WalkToId(std::int32_t id) const {
    for (std::size_t position = 0; position < entries.size(); ++position) {
        if (entries[position].id == id) {
            return static_cast<int>(position);
        }
    }
    return TraNoId;
}

int TraFile::GetSize() const {
    return static_cast<int>(entries.size());
}

int TraFile::GetEntryCount() const {
    return entryCount;
}

const std::string& TraFile::GetName() const {
    return name;
}

const TraFailure& TraFile::GetLastFailure() const {
    return lastFailure;
}

void TraFile::Clear() {
    std::vector<TraEntryRecord>().swap(entries);
    texts.Clear();
    entryCount = 0;
    byteOrderMark = false;
    std::vector<std::uint32_t>().swap(firstPositions);
    idLookup = IdLookup::AscendingEntries;
    firstLayoutPosition = TraNoId;
}

}  // namespace wordgleaner
