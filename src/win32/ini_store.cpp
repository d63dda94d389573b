#include "win32/ini_store.h"

#include <windows.h>

#include <shlobj.h>

#include <vector>

namespace wordgleaner {

namespace {

// Longer than any path the 8-bit file API takes.
constexpr DWORD ValueBufferSize = 32768;
// Tells a key that is absent from one stored empty.
constexpr char Absent[] = "\x01";

}  // namespace

SettingsValues ReadIniFile(const std::string& file) {
    SettingsValues values;
    std::vector<char> buffer(ValueBufferSize);
    for (const SettingKey& key : RememberedKeys()) {
        GetPrivateProfileStringA(key.section, key.name, Absent, buffer.data(), ValueBufferSize,
                                 file.c_str());
        if (std::string(buffer.data()) != Absent) {
            values[key.Path()] = buffer.data();
        }
    }
    return values;
}

bool WriteIniFile(const std::string& file, const SettingsValues& values) {
    bool written = true;
    for (const SettingKey& key : RememberedKeys()) {
        const auto found = values.find(key.Path());
        if (found != values.end()) {
            written = WritePrivateProfileStringA(key.section, key.name, found->second.c_str(),
                                                 file.c_str()) &&
                      written;
        }
    }
    return written;
}

std::string DefaultSettingsFile() {
    char folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                SHGFP_TYPE_CURRENT, folder))) {
        return {};
    }
    const std::string ours = std::string(folder) + "\\Wordgleaner";
    CreateDirectoryA(ours.c_str(), nullptr);
    return ours + "\\Wordgleaner.ini";
}

}  // namespace wordgleaner
