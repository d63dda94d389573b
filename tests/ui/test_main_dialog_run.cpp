// Whole runs through the window, its own poll timer driving the ticks, and
// the boxes of the run controller shown as the window's.
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <string>

#include "main_dialog_fixture.h"
#include "ui/preferences_dialog.h"
#include "ui/ui_resources.h"

using namespace wordgleaner;

namespace {

constexpr int RunTimeoutMs = 30000;

}  // namespace

class MainDialogRunTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { LoadUiResources(); }

    void aWholeRunRecoversTheModFilesAndGivesTheWindowBack() {
        RunFolders run;
        MainDialogFixture fixture;
        fixture.SetPaths(run);
        fixture.Button("importButton")->click();
        QCOMPARE(fixture.Button("quitButton")->text(), QString("&Abort"));
        QTRY_VERIFY_WITH_TIMEOUT(!fixture.messages.shown.empty(), RunTimeoutMs);

        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
        QCOMPARE(fixture.messages.shown[0].caption, QString("Success"));
        QVERIFY(fixture.messages.shown[0].text.startsWith(
            "Updated the tra files\n\n2 files done, 3 entries: "));
        QCOMPARE(fixture.Bar("filesProgressBar")->GetPos(), 100);
        QCOMPARE(fixture.Bar("entriesProgressBar")->GetPos(), 100);
        QVERIFY(fixture.Bar("filesProgressBar")->DisplayedText().startsWith("Completed (2 / 2)"));
        QVERIFY(fixture.Bar("entriesProgressBar")->DisplayedText().startsWith("Entries: 3"));
        QVERIFY(run.Recovered("dialog.tra").find("Bonjour, voyageur.") != std::string::npos);
        QVERIFY(run.Recovered("farewell.tra").find("Au revoir") != std::string::npos);
        QVERIFY(run.Exists("out/Wordgleaner_report.txt"));
        QVERIFY(fixture.InputsEnabled());
        QCOMPARE(fixture.Button("quitButton")->text(), QString("&Quit"));
        QVERIFY(!fixture.window.PollTimerActive());
    }

    // The check box of Preferences reaches the run; without it, the end box
    // names what was left out and the setting.
    void theSubFoldersCheckBoxReachesTheRun() {
        RunFolders run;
        run.folders.Write("mod/d/inner.tra", "@8 = ~Good bye~\r\n");
        MainDialogFixture fixture;
        fixture.SetPaths(run);
        fixture.Button("importButton")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!fixture.messages.shown.empty(), RunTimeoutMs);
        QVERIFY2(fixture.messages.shown[0].text.endsWith(
                     "Sub-folders were left out: d (1 tra file). To recover their tra files "
                     "too, check \"Include sub-folders of the mod folder and of reference "
                     "folders\" in Preferences."),
                 qPrintable(fixture.messages.shown[0].text));
        QVERIFY(!run.Exists("out/d"));

        WhenModalOpens<PreferencesDialog>([](PreferencesDialog& dialog) {
            for (auto* box : dialog.findChildren<QCheckBox*>()) {
                if (box->text() == CheckLabel(PreferencesCheck::IncludeSubFolders)) {
                    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
                }
            }
            dialog.accept();
        });
        fixture.Button("preferencesButton")->click();
        QVERIFY(fixture.window.Settings().includeSubFolders);
        fixture.messages.confirmAnswer = true;  // the first run's files are replaced
        fixture.Button("importButton")->click();
        QTRY_COMPARE_WITH_TIMEOUT(fixture.messages.shown.size(), std::size_t{3}, RunTimeoutMs);
        QCOMPARE(fixture.messages.shown[1].caption, QString("Replace files?"));
        QVERIFY(fixture.window.Job().Inputs().options.includeSubFolders);
        QVERIFY(fixture.messages.shown[2].text.startsWith(
            "Updated the tra files\n\n3 files done, 4 entries: "));
        QVERIFY(!fixture.messages.shown[2].text.contains("left out"));
        QVERIFY(run.Recovered("d/inner.tra").find("Au revoir") != std::string::npos);
    }

    // The controller's question is the window's Yes/No box.
    void theConsentToReplaceFilesIsAskedInTheWindowsBox() {
        RunFolders run;
        MainDialogFixture fixture;
        fixture.SetPaths(run.Path("ref_orig.tra"), run.Path("ref_trans.tra"), run.Path("mod"),
                         run.Path("mod"));
        fixture.messages.confirmAnswer = false;
        fixture.Button("importButton")->click();
        QCOMPARE(fixture.messages.questions, 1);
        QCOMPARE(fixture.messages.shown[0].caption, QString("Replace files?"));
        QCOMPARE(fixture.starts, 0);

        fixture.messages.confirmAnswer = true;
        fixture.Button("importButton")->click();
        QTRY_COMPARE_WITH_TIMEOUT(fixture.messages.shown.size(), std::size_t{3}, RunTimeoutMs);
        QCOMPARE(fixture.messages.shown[2].caption, QString("Success"));
    }

    // Yes is the default of the question that loses nothing.
    void aMissingDestinationIsCreatedAfterTheWindowsQuestion() {
        RunFolders run;
        MainDialogFixture fixture;
        fixture.SetPaths(run.Path("ref_orig.tra"), run.Path("ref_trans.tra"), run.Path("mod"),
                         run.Path("new/out"));
        QVERIFY(!fixture.Field("destinationDirectoryField")->PathWarning().isEmpty());
        fixture.Button("importButton")->click();
        QCOMPARE(fixture.messages.questions, 1);
        QCOMPARE(fixture.messages.shown[0].caption, QString("Create folder?"));
        QVERIFY(fixture.messages.preferredAnswers[0] == DefaultAnswer::Yes);
        QVERIFY(run.Exists("new/out"));
        QVERIFY(fixture.Field("destinationDirectoryField")->PathWarning().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(fixture.messages.shown.size(), std::size_t{2}, RunTimeoutMs);
        QCOMPARE(fixture.messages.shown[1].caption, QString("Success"));
    }

    // After a stop the bars tell what is on disk; the next run, which
    // replaces that run's files only after a Yes, starts with empty bars.
    void theBarsTellAStopAndANewRunStartsWithEmptyBarsAfterTheQuestion() {
        RunFolders run;
        MainDialogFixture fixture;
        fixture.SetPaths(run);
        fixture.hold.Arm(CheckPoint::BeforeEntry, 2);  // dialog.tra's second entry
        fixture.Button("importButton")->click();
        QVERIFY(fixture.hold.WaitUntilHeld());
        fixture.Button("quitButton")->click();  // reads Abort
        fixture.FinishRun();
        QCOMPARE(fixture.messages.shown.back().caption, QString("Stopped"));
        QCOMPARE(fixture.Bar("filesProgressBar")->DisplayedText(),
                 QString("Stopped after 0 of 2 files"));
        QCOMPARE(fixture.Bar("entriesProgressBar")->DisplayedText(),
                 QString("dialog.tra was saved with the entries done before the stop"));

        fixture.messages.confirmAnswer = false;
        fixture.Button("importButton")->click();
        QCOMPARE(fixture.messages.shown.back().caption, QString("Replace files?"));
        QVERIFY(fixture.messages.shown.back().text.contains(" holds 2 files "));
        QVERIFY(fixture.messages.preferredAnswers.back() == DefaultAnswer::No);
        QCOMPARE(fixture.starts, 1);

        fixture.messages.confirmAnswer = true;
        fixture.hold.Arm(CheckPoint::AfterOriginalReference);
        fixture.Button("importButton")->click();
        QVERIFY(fixture.hold.WaitUntilHeld());
        // An empty bar shows its percentage.
        QCOMPARE(fixture.Bar("filesProgressBar")->GetPos(), 0);
        QCOMPARE(fixture.Bar("filesProgressBar")->DisplayedText(), QString("0%"));
        QCOMPARE(fixture.Bar("entriesProgressBar")->DisplayedText(), QString("0%"));
        fixture.FinishRun();
    }

    void aFolderThatCannotBeOpenedIsToldWithItsFullPath() {
        RunFolders run;
        MainDialogFixture fixture;
        fixture.SetPaths(run);
        fixture.messages.answer = 0;  // Open destination folder
        fixture.openSucceeds = false;
        fixture.Button("importButton")->click();
        QTRY_COMPARE_WITH_TIMEOUT(fixture.messages.shown.size(), std::size_t{2}, RunTimeoutMs);
        const QString full =
            QDir::toNativeSeparators(QFileInfo(run.Path("out")).absoluteFilePath());
        QCOMPARE(fixture.opened.at(0),
                 QUrl::fromLocalFile(QFileInfo(run.Path("out")).absoluteFilePath()));
        QCOMPARE(fixture.messages.shown[1].icon, MessageIcon::Warning);
        QVERIFY2(fixture.messages.shown[1].text.startsWith("Could not open\n\n" + full + "\n\n"),
                 qPrintable(fixture.messages.shown[1].text));
    }

    // A sign marks a folder that was missing when typed; made since, the
    // window finds it as soon as it has the focus again.
    void aStaleSignGoesWhenTheWindowGetsTheFocusBack() {
        RunFolders run;
        MainDialogFixture fixture;
        fixture.SetPaths(run.Path("ref_orig.tra"), run.Path("ref_trans.tra"), run.Path("mod"),
                         run.Path("later"));
        PathBrowseControl* destination = fixture.Field("destinationDirectoryField");
        QVERIFY(destination->PathWarning().startsWith("There is no folder "));
        QWidget elsewhere;
        elsewhere.show();
        elsewhere.activateWindow();
        QTRY_VERIFY(!fixture.window.isActiveWindow());
        std::filesystem::create_directory(run.folders.Path() / "later");
        QVERIFY(!destination->PathWarning().isEmpty());
        fixture.window.activateWindow();
        QTRY_VERIFY(fixture.window.isActiveWindow());
        QCOMPARE(destination->PathWarning(), QString());
    }
};

QTEST_MAIN(MainDialogRunTest)
#include "test_main_dialog_run.moc"
