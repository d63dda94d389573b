#include "store/tra_file.h"

#include <algorithm>
#include <limits>
#include <new>

#include "store/text_file.h"
#include "store/tra_parser.h"

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

// Feeds the file's lines to the parser until the end or a fault; a syntax
// fault names the line it was found on.
TraFailure ParseLines(TextFileReader& reader, TraParser& parser) {
    TraError status = TraOk;
    int lineNumber = 0;
    std::string line;
    while (!reader.AtEnd() && GoesOn(status)) {
        TraError read = reader.ReadLine(line);
        if (read != TraOk) {
            TraError code = reader.AtEnd() ? read : TraReadFailed;
            return TraFailure::FromSystem(
                code, code == TraReadFailed ? reader.SystemError() : std::error_code());
        }
        if (lineNumber < std::numeric_limits<int>::max()) {
            ++lineNumber;
        }
        status = parser.ParseLine(line);
    }
    return TraFailure(status, GoesOn(status) ? 0 : lineNumber);
}

}  // namespace

TraError TraFile::Load(const std::string& path) {
    Clear();
    lastFailure = TraFailure();
    TextFileReader reader;
    if (reader.Open(path) != TraOk) {
        lastFailure = TraFailure::FromSystem(TraOpenFailed, reader.SystemError());
        return TraOpenFailed;
    }
    TraFailure failure;
    TraParser parser(entries);
    try {
        failure = ParseLines(reader, parser);
        parser.Finish();
        byteOrderMark = reader.StartedWithByteOrderMark();
    } catch (const std::bad_alloc&) {
        failure = TraFailure(TraNoMemory);
    }
    for (const auto& entry : entries) {
        entryCount += entry->IsLayout() ? 0 : 1;
    }
    IndexIds();
    if (reader.AtEnd() && (failure.code == TraEndOfLine || failure.code == TraEndOfFile)) {
        failure = TraFailure();
    }
    name = failure.code == TraOk ? FileNameOf(path) : std::string();
    lastFailure = std::move(failure);
    return lastFailure.code;
}

const TraEntry* TraFile::GetAt(int position) const {
    if (position < 0 || position >= GetSize()) {
        return nullptr;
    }
    return entries[static_cast<std::size_t>(position)].get();
}

const TraEntry* TraFile::Find(std::int32_t id) const {
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
    const TraEntry* found = GetAt(position);
    if (found == nullptr || found->IsLayout()) {
        return TraUnknownId;
    }
    if (!maleText) {
        return TraBadString;
    }
    try {
        // Copies first, so that a failed allocation leaves the entry as it was.
        TraEntry edited = *found;
        edited.maleText = *maleText;
        if (femaleText) {
            edited.femaleText = *femaleText;
        }
        TraError result = TraOk;
        if (SoundTooLong(maleSound) || SoundTooLong(femaleSound)) {
            result = TraBadSound;
        }
        if (maleSound && !SoundTooLong(maleSound)) {
            edited.maleSound = *maleSound;
        }
        if (femaleSound && !SoundTooLong(femaleSound)) {
            edited.femaleSound = *femaleSound;
        }
        *entries[static_cast<std::size_t>(position)] = std::move(edited);
        return result;
    } catch (const std::bad_alloc&) {
        return TraNoMemory;
    }
}

TraError TraFile::AddCommentAt(int position, OptionalText text) {
    const TraEntry* found = GetAt(position);
    if (found == nullptr || found->IsLayout()) {
        return TraUnknownId;
    }
    if (!text) {
        return TraBadString;
    }
    try {
        std::string comment = found->comment;
        std::string_view rest = *text;
        while (!rest.empty()) {
            auto lineEnd = rest.find('\n');
            auto length = lineEnd == std::string_view::npos ? rest.size() : lineEnd + 1;
            comment += CommentLinePrefix;
            comment += rest.substr(0, length);
            rest.remove_prefix(length);
        }
        entries[static_cast<std::size_t>(position)]->comment = std::move(comment);
        return TraOk;
    } catch (const std::bad_alloc&) {
        return TraNoMemory;
    }
}

void TraFile::IndexIds() {
    try {
        firstPositions.clear();
        firstPositions.reserve(entries.size());
        for (std::size_t position = 0; position < entries.size(); ++position) {
            firstPositions.emplace_back(entries[position]->id, static_cast<int>(position));
        }
        // Stable, so the first entry of an id leads its run and unique keeps it.
        auto byId = [](const auto& left, const auto& right) { return left.first < right.first; };
        std::stable_sort(firstPositions.begin(), firstPositions.end(), byId);
        auto sameId = [](const auto& left, const auto& right) { return left.first == right.first; };
        firstPositions.erase(std::unique(firstPositions.begin(), firstPositions.end(), sameId),
                             firstPositions.end());
        idsIndexed = true;
    } catch (const std::bad_alloc&) {
        firstPositions.clear();
        idsIndexed = false;
    }
}

int TraFile::IndexOf(std::int32_t id) const {
    if (idsIndexed) {
        auto before = [](const std::pair<std::int32_t, int>& slot, std::int32_t wanted) {
            return slot.first < wanted;
        };
        auto found = std::lower_bound(firstPositions.begin(), firstPositions.end(), id, before);
        return found != firstPositions.end() && found->first == id ? found->second : TraNoId;
    }
    for (std::size_t position = 0; position < entries.size(); ++position) {
        if (entries[position]->id == id) {
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
    entries.clear();
    entryCount = 0;
    byteOrderMark = false;
    firstPositions.clear();
    idsIndexed = true;
}

}  // namespace wordgleaner
