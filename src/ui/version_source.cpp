#include "version_source.h"

#include <QFile>

#include <charconv>
#include <limits>
#include <utility>

namespace wordgleaner {

namespace {

// The record is a single short line; anything longer is not a version.
constexpr qint64 MaxRecordSize = 64;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Reads one part and the text after it; fails on signs, blanks or overflow.
std::optional<std::uint16_t> ParsePart(std::string_view& text) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    auto [next, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || value > std::numeric_limits<std::uint16_t>::max()) {
        return std::nullopt;
    }
    text.remove_prefix(static_cast<std::size_t>(next - text.data()));
    return static_cast<std::uint16_t>(value);
}

}  // namespace

ResourceVersionSource::ResourceVersionSource(QString path) : recordPath(std::move(path)) {}

std::optional<FileVersion> ResourceVersionSource::ReadFileVersion() const {
    QFile record(recordPath);
    if (!record.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray bytes = record.read(MaxRecordSize + 1);
    if (bytes.size() > MaxRecordSize) {
        return std::nullopt;
    }
    return ParseFileVersion(std::string_view(bytes.constData(), bytes.size()));
}

std::optional<FileVersion> ParseFileVersion(std::string_view text) {
    text = TrimBlanks(text);
    FileVersion version{};
    for (std::size_t index = 0; index < version.size(); ++index) {
        if (index > 0) {
            if (text.empty() || text.front() != '.') {
                return std::nullopt;
            }
            text.remove_prefix(1);
        }
        auto part = ParsePart(text);
        if (!part) {
            return std::nullopt;
        }
        version[index] = *part;
    }
    if (!text.empty()) {
        return std::nullopt;
    }
    return version;
}

QString FormatFileVersion(const FileVersion& version) {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(version[0])
        .arg(version[1])
        .arg(version[2])
        .arg(version[3]);
}

}  // namespace wordgleaner
