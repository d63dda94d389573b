#include "frontend/remembered_settings.h"

#include <array>
#include <optional>

#include "frontend/further_reference_pairs.h"
#include "job/number_text.h"
#include "job/validate_options.h"
#include "matching/output/number_format.h"

namespace wordgleaner {

namespace {

using namespace settings_keys;

constexpr auto AllKeys = std::to_array<SettingKey>(
    {ReferenceOriginal, ReferenceTranslated, ModDirectory, DestinationDirectory, MinLikeliness,
     VeryLikelyThreshold, LineInfoOnly, settings_keys::CommentMode, GeneratePatch, CompareSound,
     WriteReview, settings_keys::CodePage, KeepGoing, ReferenceFolders, IncludeSubFolders,
     PreferSameId, FurtherReferencePairs, WindowWidth, WindowHeight,
     settings_keys::ReviewDecisionsFile});

// In the order of PathField.
constexpr std::array<SettingKey, PathFieldCount> PathKeys = {ReferenceOriginal, ReferenceTranslated,
                                                             ModDirectory, DestinationDirectory};

const std::string* Find(const SettingsValues& values, const SettingKey& key) {
    const auto found = values.find(key.Path());
    return found == values.end() ? nullptr : &found->second;
}

std::string ReadText(const SettingsValues& values, const SettingKey& key) {
    const std::string* text = Find(values, key);
    return text ? *text : std::string();
}

std::optional<std::int32_t> ReadInteger(const SettingsValues& values, const SettingKey& key) {
    const std::string* text = Find(values, key);
    return text ? ParseWhole(*text) : std::nullopt;
}

double ReadPercent(const SettingsValues& values, const SettingKey& key, double fallback,
                   std::optional<OptionFault> (*check)(double)) {
    const std::string* text = Find(values, key);
    const std::optional<double> value = text ? ParseDecimal(*text) : std::nullopt;
    return value && !check(*value) ? *value : fallback;
}

bool ReadFlag(const SettingsValues& values, const SettingKey& key, bool fallback) {
    const std::string* text = Find(values, key);
    if (text && (*text == "true" || *text == "1")) {
        return true;
    }
    if (text && (*text == "false" || *text == "0")) {
        return false;
    }
    return fallback;
}

std::int32_t ReadCommentMode(const SettingsValues& values, std::int32_t fallback) {
    const auto value = ReadInteger(values, settings_keys::CommentMode);
    const bool known = value && (*value == CommentNone || *value == CommentPerfectMatch ||
                                 *value == CommentMissingMatch);
    return known ? *value : fallback;
}

std::int32_t ReadCodePage(const SettingsValues& values, std::int32_t fallback) {
    const auto value = ReadInteger(values, settings_keys::CodePage);
    return value && !CheckCodePage(*value) ? *value : fallback;
}

void Write(SettingsValues& values, const SettingKey& key, std::string text) {
    values[key.Path()] = std::move(text);
}

std::string FlagText(bool flag) {
    return flag ? "true" : "false";
}

RecoveryOptions ReadOptions(const SettingsValues& values) {
    RecoveryOptions options;
    options.search.minLikeliness =
        ReadPercent(values, MinLikeliness, options.search.minLikeliness, CheckMinLikeliness);
    options.veryLikelyThreshold = ReadPercent(
        values, VeryLikelyThreshold, options.veryLikelyThreshold, CheckVeryLikelyThreshold);
    options.lineInfoOnly = ReadFlag(values, LineInfoOnly, options.lineInfoOnly);
    options.commentMode = ReadCommentMode(values, options.commentMode);
    options.generatePatch = ReadFlag(values, GeneratePatch, options.generatePatch);
    options.search.compareSound = ReadFlag(values, CompareSound, options.search.compareSound);
    options.writeReview = ReadFlag(values, WriteReview, options.writeReview);
    options.codePage = ReadCodePage(values, options.codePage);
    options.keepGoing = ReadFlag(values, KeepGoing, options.keepGoing);
    options.includeSubFolders = ReadFlag(values, IncludeSubFolders, options.includeSubFolders);
    options.preferSameId = ReadFlag(values, PreferSameId, options.preferSameId);
    return options;
}

void WriteOptions(const RecoveryOptions& options, SettingsValues& values) {
    Write(values, MinLikeliness, FormatShortest(options.search.minLikeliness));
    Write(values, VeryLikelyThreshold, FormatShortest(options.veryLikelyThreshold));
    Write(values, LineInfoOnly, FlagText(options.lineInfoOnly));
    Write(values, settings_keys::CommentMode, std::to_string(options.commentMode));
    Write(values, GeneratePatch, FlagText(options.generatePatch));
    Write(values, CompareSound, FlagText(options.search.compareSound));
    Write(values, WriteReview, FlagText(options.writeReview));
    Write(values, settings_keys::CodePage, std::to_string(options.codePage));
    Write(values, KeepGoing, FlagText(options.keepGoing));
    Write(values, IncludeSubFolders, FlagText(options.includeSubFolders));
    Write(values, PreferSameId, FlagText(options.preferSameId));
}

ReferencePairs ReadFurtherPairs(const SettingsValues& values) {
    ReferencePairs pairs = DecodeReferencePairs(ReadText(values, FurtherReferencePairs));
    std::erase_if(pairs, [](const ReferencePair& pair) {
        return pair.original.empty() || pair.translated.empty();
    });
    return pairs;
}

}  // namespace

std::span<const SettingKey> RememberedKeys() {
    return AllKeys;
}

RunPaths ReadRememberedPaths(const SettingsValues& values) {
    RunPaths paths;
    for (std::size_t index = 0; index < PathFieldCount; ++index) {
        paths.texts[index] = ReadText(values, PathKeys[index]);
    }
    return paths;
}

void WriteRememberedPaths(const RunPaths& paths, SettingsValues& values) {
    for (std::size_t index = 0; index < PathFieldCount; ++index) {
        Write(values, PathKeys[index], paths.texts[index]);
    }
}

PreferencesValues ReadRememberedPreferences(const SettingsValues& values) {
    PreferencesValues preferences;
    preferences.options = ReadOptions(values);
    preferences.referenceFolders = ReadFlag(values, ReferenceFolders, preferences.referenceFolders);
    preferences.furtherPairs = ReadFurtherPairs(values);
    return preferences;
}

void WriteRememberedPreferences(const PreferencesValues& preferences, SettingsValues& values) {
    WriteOptions(preferences.options, values);
    Write(values, ReferenceFolders, FlagText(preferences.referenceFolders));
    Write(values, FurtherReferencePairs, EncodeReferencePairs(preferences.furtherPairs));
}

RememberedWindow ReadRememberedWindow(const SettingsValues& values) {
    return {ReadRememberedPaths(values), ReadRememberedPreferences(values),
            ReadRememberedLength(values, WindowWidth), ReadRememberedLength(values, WindowHeight),
            ReadText(values, settings_keys::ReviewDecisionsFile)};
}

SettingsValues RememberedValues(const RememberedWindow& window) {
    SettingsValues values;
    WriteRememberedPaths(window.paths, values);
    WriteRememberedPreferences(window.preferences, values);
    WriteRememberedLength(window.width, WindowWidth, values);
    WriteRememberedLength(window.height, WindowHeight, values);
    Write(values, settings_keys::ReviewDecisionsFile, window.decisionsFile);
    return values;
}

void WriteRememberedLength(int length, const SettingKey& key, SettingsValues& values) {
    Write(values, key, std::to_string(length));
}

int ReadRememberedLength(const SettingsValues& values, const SettingKey& key) {
    const auto value = ReadInteger(values, key);
    return value && *value > 0 ? *value : 0;
}

}  // namespace wordgleaner
