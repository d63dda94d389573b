#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

namespace wordgleaner {

// What tells a file from every other file of the system, whatever the name
// or the links it is reached through: the device and inode numbers on POSIX,
// the volume serial number and file index on Windows. Two paths that give
// the same identity name one file.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0;

    friend auto operator<=>(const FileIdentity&, const FileIdentity&) = default;
};

// The identity of the file at `path`, through links; none when no file can
// be reached there.
std::optional<FileIdentity> IdentityOf(const std::string& path);

}  // namespace wordgleaner
