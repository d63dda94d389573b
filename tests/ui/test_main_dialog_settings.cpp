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
#include "ui/settings_store.h"
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

QString Key(const SettingKey& key) {
    return QString::fromStdString(key.Path());
}

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
            first.Field("reviewDecisionsField")->SetPath("/review/Wordgleaner_decisions.csv");
            WhenModalOpens<PreferencesDialog>([](PreferencesDialog& dialog) {
                PreferencesValues chosen;
                chosen.options.search.minLikeliness = 61;
                chosen.options.veryLikelyThreshold = 97.5;
                chosen.options.commentMode = CommentMissingMatch;
                chosen.options.generatePatch = true;
                chosen.options.search.compareSound = false;
                chosen.options.lineInfoOnly = true;
                dialog.ShowFields(FieldsShowing(chosen));
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
        QCOMPARE(second.Field("reviewDecisionsField")->GetPath(),
                 QString("/review/Wordgleaner_decisions.csv"));
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
        const ReferencePairs pairs = {{run.folders / "ref_orig.tra", run.folders / "ref_trans.tra"},
                                      {run.folders / "mod", run.folders / "out"}};
        {
            auto store = file.Open();
            MainDialogFixture first(MainDialogFixture::Threads::Available, store.get());
            WhenModalOpens<PreferencesDialog>([](PreferencesDialog& dialog) {
                PreferencesFields fields = dialog.Fields();
                fields[PreferencesCheck::ReferenceFolders] = true;
                dialog.ShowFields(fields);
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
            QVERIFY(dialog.Fields()[PreferencesCheck::ReferenceFolders]);
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

    // Values QSettings keeps as numbers and flags reach the shared readers as
    // texts; what they refuse gives way to the defaults.
    void storedValuesAreReadAsTextsByTheSharedReaders() {
        SettingsFile file;
        {
            auto store = file.Open();
            store->setValue(Key(settings_keys::MinLikeliness), 140);
            store->setValue(Key(settings_keys::VeryLikelyThreshold), 97.5);
            store->setValue(Key(settings_keys::CommentMode), 7);
            store->setValue(Key(settings_keys::GeneratePatch), true);
        }
        auto store = file.Open();
        const RecoveryOptions read = ReadRememberedPreferences(ReadStoredValues(*store)).options;
        RecoveryOptions expected;
        expected.veryLikelyThreshold = 97.5;
        expected.generatePatch = true;
        QVERIFY(read == expected);
    }

    // An earlier version kept the size as one value: it is taken once, then
    // kept as width and height like the Windows window keeps it.
    void anOldStoredWindowSizeIsTakenAndReplaced() {
        SettingsFile file;
        MainDialogFixture sizer;
        const QSize oldSize = sizer.window.minimumSizeHint() + QSize(200, 30);
        file.Open()->setValue("window/size", oldSize);
        {
            auto store = file.Open();
            MainDialogFixture fixture(MainDialogFixture::Threads::Available, store.get());
            QCOMPARE(fixture.window.size(), oldSize);
            fixture.Button("quitButton")->click();
        }
        auto store = file.Open();
        QVERIFY(!store->contains("window/size"));
        QCOMPARE(store->value(Key(settings_keys::WindowWidth)).toInt(), oldSize.width());
        QCOMPARE(store->value(Key(settings_keys::WindowHeight)).toInt(), oldSize.height());
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
        QCOMPARE(QString::fromLocal8Bit(
                     ReadRememberedPaths(ReadStoredValues(*file.Open()))[PathField::ModDirectory]),
                 run.Path("mod"));
        fixture.FinishRun();
    }
};

QTEST_MAIN(MainDialogSettingsTest)
#include "test_main_dialog_settings.moc"
