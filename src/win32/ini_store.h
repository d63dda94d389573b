#pragma once

#include <string>

#include "frontend/remembered_settings.h"

namespace wordgleaner {

// The remembered settings in an INI file: each key's section and name are
// the INI section and name. A key not in the file is left out.
SettingsValues ReadIniFile(const std::string& file);
// False when the file could not be written; nothing is lost but the memory
// of this run.
bool WriteIniFile(const std::string& file, const SettingsValues& values);

// %APPDATA%\Wordgleaner\Wordgleaner.ini, its folder made when missing;
// empty when the user has no application-data folder.
std::string DefaultSettingsFile();

}  // namespace wordgleaner
