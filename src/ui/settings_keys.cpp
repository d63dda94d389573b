#include "settings_keys.h"

#include <QSettings>

#include "job/validate_options.h"

namespace wordgleaner {

namespace {

double ReadPercent(const QSettings& settings, const char* key, double fallback,
                   std::optional<OptionFault> (*check)(double)) {
    bool isNumber = false;
    const double value = settings.value(key, fallback).toDouble(&isNumber);
    return isNumber && !check(value) ? value : fallback;
}

bool ReadFlag(const QSettings& settings, const char* key, bool fallback) {
    const QVariant value = settings.value(key, fallback);
    return value.canConvert<bool>() ? value.toBool() : fallback;
}

std::int32_t ReadCommentMode(const QSettings& settings, std::int32_t fallback) {
    bool isNumber = false;
    const int value = settings.value(settings_keys::CommentMode, fallback).toInt(&isNumber);
    const bool known =
        value == CommentNone || value == CommentPerfectMatch || value == CommentMissingMatch;
    return isNumber && known ? value : fallback;
}

std::int32_t ReadCodePage(const QSettings& settings, std::int32_t fallback) {
    bool isNumber = false;
    const int value = settings.value(settings_keys::CodePage, fallback).toInt(&isNumber);
    return isNumber && !CheckCodePage(value) ? value : fallback;
}

}  // namespace

StoredPaths ReadPaths(const QSettings& settings) {
    using namespace settings_keys;
    return {settings.value(ReferenceOriginal).toString(),
            settings.value(ReferenceTranslated).toString(), settings.value(ModDirectory).toString(),
            settings.value(DestinationDirectory).toString()};
}

void WritePaths(QSettings& settings, const StoredPaths& paths) {
    using namespace settings_keys;
    settings.setValue(ReferenceOriginal, paths.referenceOriginal);
    settings.setValue(ReferenceTranslated, paths.referenceTranslated);
    settings.setValue(ModDirectory, paths.modDirectory);
    settings.setValue(DestinationDirectory, paths.destinationDirectory);
}

StoredReferencePairs ReadFurtherReferences(QSettings& settings) {
    using namespace settings_keys;
    StoredReferencePairs pairs;
    const int count = settings.beginReadArray(FurtherReferences);
    for (int index = 0; index < count; ++index) {
        settings.setArrayIndex(index);
        StoredReferencePair pair{settings.value(PairOriginal).toString(),
                                 settings.value(PairTranslated).toString()};
        if (!pair.original.isEmpty() && !pair.translated.isEmpty()) {
            pairs.push_back(pair);
        }
    }
    settings.endArray();
    return pairs;
}

// The array is written anew, so a shorter list leaves no pairs of a longer one.
void WriteFurtherReferences(QSettings& settings, const StoredReferencePairs& pairs) {
    using namespace settings_keys;
    settings.remove(FurtherReferences);
    settings.beginWriteArray(FurtherReferences, static_cast<int>(pairs.size()));
    for (std::size_t index = 0; index < pairs.size(); ++index) {
        settings.setArrayIndex(static_cast<int>(index));
        settings.setValue(PairOriginal, pairs[index].original);
        settings.setValue(PairTranslated, pairs[index].translated);
    }
    settings.endArray();
}

bool ReadReferenceFolders(const QSettings& settings) {
    return ReadFlag(settings, settings_keys::ReferenceFolders,
                    settings_keys::ReferenceFoldersDefault);
}

void WriteReferenceFolders(QSettings& settings, bool folders) {
    settings.setValue(settings_keys::ReferenceFolders, folders);
}

RecoveryOptions ReadOptions(const QSettings& settings) {
    using namespace settings_keys;
    RecoveryOptions options;
    options.search.minLikeliness =
        ReadPercent(settings, MinLikeliness, options.search.minLikeliness, CheckMinLikeliness);
    options.veryLikelyThreshold = ReadPercent(
        settings, VeryLikelyThreshold, options.veryLikelyThreshold, CheckVeryLikelyThreshold);
    options.lineInfoOnly = ReadFlag(settings, LineInfoOnly, options.lineInfoOnly);
    options.commentMode = ReadCommentMode(settings, options.commentMode);
    options.generatePatch = ReadFlag(settings, GeneratePatch, options.generatePatch);
    options.search.compareSound = ReadFlag(settings, CompareSound, options.search.compareSound);
    options.writeReview = ReadFlag(settings, WriteReview, options.writeReview);
    options.codePage = ReadCodePage(settings, options.codePage);
    options.keepGoing = ReadFlag(settings, KeepGoing, options.keepGoing);
    return options;
}

void WriteOptions(QSettings& settings, const RecoveryOptions& options) {
    using namespace settings_keys;
    settings.setValue(MinLikeliness, options.search.minLikeliness);
    settings.setValue(VeryLikelyThreshold, options.veryLikelyThreshold);
    settings.setValue(LineInfoOnly, options.lineInfoOnly);
    settings.setValue(settings_keys::CommentMode, options.commentMode);
    settings.setValue(GeneratePatch, options.generatePatch);
    settings.setValue(CompareSound, options.search.compareSound);
    settings.setValue(WriteReview, options.writeReview);
    settings.setValue(settings_keys::CodePage, options.codePage);
    settings.setValue(KeepGoing, options.keepGoing);
}

QSize ReadWindowSize(const QSettings& settings) {
    return settings.value(settings_keys::WindowSize).toSize();
}

void WriteWindowSize(QSettings& settings, const QSize& size) {
    settings.setValue(settings_keys::WindowSize, size);
}

}  // namespace wordgleaner
