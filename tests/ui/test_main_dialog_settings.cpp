// What the main window remembers from one run of the program to the next.
#include <QCheckBox>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "main_dialog_fixture.h"
#include "ui/preferences_dialog.h"
#include "ui/reference_pair_list.h"
#include "ui/settings_keys.h"
#include "ui/ui_resources.h"

using namespace wordgleaner;

namespace {

// A settings file of its own for each test, read anew by each window as a
// restarted program would.
struct SettingsFile {
    std::unique_ptr<QSettings> Open() const {
        return std::make_unique<QSettings>(dir.filePath("wordgleaner.ini"), QSettings::IniFormat);
    }
    QTemporaryDir dir;
};

}  // namespace

class MainDialogSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { LoadUiResources(); }

    void pathsSettingsAndSizeComeBackAfterARestart() {
        SettingsFile file;
        QSize chosenSize;
        {
            auto store = file.Open();
            MainDialogFixture first(MainDialogFixture::Threads::Available, store.get());
            chosenSize = first.window.minimumSizeHint() + QSize(300, 40);
            first.SetPaths("/ref/orig.tra", "/ref/trans.tra", "/mod", "/out");
            WhenModalOpens<PreferencesDialog>([](PreferencesDialog& dialog) {
                dialog.SetMinLikeliness(61);
                dialog.SetVeryLikelyThreshold(97.5);
                dialog.SetCommentMode(CommentMissingMatch);
                dialog.SetGeneratePatch(true);
                dialog.SetCompareSound(false);
                dialog.SetLineInfoOnly(true);
                dialog.accept();
            });
            first.Button("preferencesButton")->click();
            first.window.resize(chosenSize);
            first.Button("quitButton")->click();
            QVERIFY(!first.window.isVisible());
        }

        auto store = file.Open();
        MainDialogFixture second(MainDialogFixture::Threads::Available, store.get());
        QCOMPARE(second.Field("referenceOriginalField")->GetPath(), QString("/ref/orig.tra"));
        QCOMPARE(second.Field("referenceTranslatedField")->GetPath(), QString("/ref/trans.tra"));
        QCOMPARE(second.Field("modDirectoryField")->GetPath(), QString("/mod"));
        QCOMPARE(second.Field("destinationDirectoryField")->GetPath(), QString("/out"));
        const RecoveryOptions& settings = second.window.Settings();
        QCOMPARE(settings.search.minLikeliness, 61.0);
        QCOMPARE(settings.veryLikelyThreshold, 97.5);
        QCOMPARE(settings.commentMode, std::int32_t{CommentMissingMatch});
        QVERIFY(settings.generatePatch);
        QVERIFY(!settings.search.compareSound);
        QVERIFY(settings.lineInfoOnly);
        QCOMPARE(second.window.size(), chosenSize);
    }

    void furtherPairsAndTheFoldersOptionComeBackAfterARestart() {
        SettingsFile file;
        RunFolders run;
        const StoredReferencePairs pairs = {{run.Path("ref_orig.tra"), run.Path("ref_trans.tra")},
                                            {run.Path("mod"), run.Path("out")}};
        {
            auto store = file.Open();
            MainDialogFixture first(MainDialogFixture::Threads::Available, store.get());
            WhenModalOpens<PreferencesDialog>([](PreferencesDialog& dialog) {
                dialog.SetReferenceFolders(true);
                dialog.accept();
            });
            first.Button("preferencesButton")->click();
            first.window.findChild<ReferencePairList*>("furtherReferences")->SetPairs(pairs);
            first.Button("quitButton")->click();
        }

        auto store = file.Open();
        MainDialogFixture second(MainDialogFixture::Threads::Available, store.get());
        QVERIFY(second.window.findChild<ReferencePairList*>("furtherReferences")->Pairs() == pairs);
        QVERIFY(second.Field("referenceOriginalField")->GetMode() & PathBrowseControl::ModeFolder);
        QVERIFY(second.Field("referenceTranslatedField")->GetMode() &
                PathBrowseControl::ModeFolder);
        WhenModalOpens<PreferencesDialog>([](PreferencesDialog& dialog) {
            QVERIFY(dialog.findChild<QCheckBox*>("multipleReferencesBox")->isChecked());
            dialog.reject();
        });
        second.Button("preferencesButton")->click();
    }

    void aFirstStartHasTheDefaults() {
        SettingsFile file;
        auto store = file.Open();
        MainDialogFixture fixture(MainDialogFixture::Threads::Available, store.get());
        QVERIFY(fixture.window.Settings() == RecoveryOptions{});
        QVERIFY(fixture.Field("referenceOriginalField")->GetPath().isEmpty());
    }

    void storedValuesThePreferencesWouldRefuseGiveWayToTheDefaults() {
        SettingsFile file;
        {
            auto store = file.Open();
            store->setValue(KeyPath(settings_keys::MinLikeliness), 140);
            store->setValue(KeyPath(settings_keys::VeryLikelyThreshold), "lots");
            store->setValue(KeyPath(settings_keys::CommentMode), 7);
            store->setValue(KeyPath(settings_keys::GeneratePatch), true);
        }
        auto store = file.Open();
        const RecoveryOptions read = ReadOptions(*store);
        RecoveryOptions expected;
        expected.generatePatch = true;  // the one usable value
        QVERIFY(read == expected);
    }

    void typedPathsAreRememberedWhenARunStarts() {
        SettingsFile file;
        RunFolders run;
        auto store = file.Open();
        MainDialogFixture fixture(MainDialogFixture::Threads::Available, store.get());
        fixture.Field("modDirectoryField")->Edit()->selectAll();
        QTest::keyClicks(fixture.Field("modDirectoryField")->Edit(), run.Path("mod"));
        fixture.SetPaths(run.Path("ref_orig.tra"), run.Path("ref_trans.tra"),
                         fixture.Field("modDirectoryField")->GetPath(), run.Path("out"));
        fixture.Button("importButton")->click();
        QCOMPARE(ReadPaths(*file.Open()).modDirectory, run.Path("mod"));
        fixture.FinishRun();
    }
};

QTEST_MAIN(MainDialogSettingsTest)
#include "test_main_dialog_settings.moc"
