#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace wordgleaner {

// The four 16-bit parts of a file version, most significant first.
using FileVersion = std::array<std::uint16_t, 4>;

// Where the About box reads the program's version at run time. Tests supply
// one that fails or gives odd numbers.
class VersionSource {
public:
    virtual ~VersionSource() = default;
    virtual std::optional<FileVersion> ReadFileVersion() const = 0;
};

// Reads the version record that the build compiles into the program file as a
// Qt resource, generated from the project version.
class ResourceVersionSource : public VersionSource {
public:
    static constexpr const char* BuiltInRecord = ":/wordgleaner/version.txt";

    explicit ResourceVersionSource(QString recordPath = BuiltInRecord);
    std::optional<FileVersion> ReadFileVersion() const override;

private:
    QString recordPath;
};

// "a.b.c.d" with four unsigned decimal parts of at most 16 bits each; blanks
// around the whole text are ignored. Anything else gives no version.
std::optional<FileVersion> ParseFileVersion(std::string_view text);

// "%d.%d.%d.%d" with the four parts as unsigned numbers.
QString FormatFileVersion(const FileVersion& version);

}  // namespace wordgleaner
