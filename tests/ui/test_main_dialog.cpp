#include <QAction>
#include <QLineEdit>
#include <QTest>

#include <wordgleaner/version.h>

#include "main_dialog_fixture.h"
#include "ui/about_dialog.h"
#include "ui/preferences_dialog.h"
#include "ui/ui_resources.h"

using namespace wordgleaner;

namespace {

const char* const FieldNames[] = {"referenceOriginalField", "referenceTranslatedField",
                                  "modDirectoryField", "destinationDirectoryField"};

}  // namespace

class MainDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { LoadUiResources(); }

    void importWithAnEmptyPathShowsOnlyTheFailureBox_data() {
        QTest::addColumn<int>("emptyField");
        for (int field = 0; field < 4; ++field) {
            QTest::newRow(FieldNames[field]) << field;
        }
    }
    void importWithAnEmptyPathShowsOnlyTheFailureBox() {
        QFETCH(int, emptyField);
        MainDialogFixture fixture;
        fixture.SetPaths("a.tra", "b.tra", "mod", "out");
        fixture.Field(FieldNames[emptyField])->SetPath("");
        fixture.Button("importButton")->click();

        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
        QCOMPARE(fixture.messages.shown[0].icon, MessageIcon::None);
        QCOMPARE(fixture.messages.shown[0].caption, QString("Failure"));
        QCOMPARE(fixture.messages.shown[0].text,
                 QString("You must provide a name for each file or directory"));
        QCOMPARE(fixture.starts, 0);
        QVERIFY(fixture.InputsEnabled());
        QCOMPARE(fixture.Button("quitButton")->text(), QString("Quit"));
        QVERIFY(!fixture.window.PollTimerActive());
        QVERIFY(!fixture.window.JobRunning());
    }

    void thePathFieldsAskTheirChoosersWithTheirTitles() {
        MainDialogFixture fixture;
        for (const char* path : {"/ref/orig.tra", "/ref/trans.tra", "/mod", "/out"}) {
            fixture.chooser->Accept({path});
        }
        for (const char* name : FieldNames) {
            QCOMPARE(fixture.Field(name)->Browse(), int(PathBrowseControl::BrowseAccepted));
        }
        const auto& files = fixture.chooser->fileRequests;
        const auto& folders = fixture.chooser->folderRequests;
        QCOMPARE(files.size(), std::size_t{2});
        QCOMPARE(folders.size(), std::size_t{2});
        QCOMPARE(files[0].title, QString("Select reference tra file in original language"));
        QCOMPARE(files[1].title, QString("Select reference tra file in destination language"));
        QCOMPARE(folders[0].title,
                 QString("Select directory of mod tra files in original language"));
        QCOMPARE(folders[0].flags, unsigned{FolderReturnOnlyFileSystemDirs});
        QCOMPARE(folders[1].title,
                 QString("Select directory of mod tra files in destination language"));
        QCOMPARE(folders[1].flags,
                 unsigned{FolderReturnOnlyFileSystemDirs | FolderEditBox | FolderNewDialogStyle});
        QCOMPARE(fixture.Field("destinationDirectoryField")->GetPath(), QString("/out"));
    }

    void importHandsThePathsAndSettingsToTheJobAndLocksTheInputs() {
        MainDialogFixture fixture;
        fixture.window.Job().abortRequested = true;  // left over from an earlier run
        fixture.window.Job().filePercent = 100;
        fixture.SetPaths("/ref/orig.tra", "/ref/trans.tra", "/mod", "/out");
        fixture.Button("importButton")->click();

        QCOMPARE(fixture.starts, 1);
        const RecoveryJob& job = fixture.window.Job();
        QCOMPARE(job.referenceOriginalPath, std::string("/ref/orig.tra"));
        QCOMPARE(job.referenceTranslatedPath, std::string("/ref/trans.tra"));
        QCOMPARE(job.modDirectory, std::string("/mod"));
        QCOMPARE(job.destinationDirectory, std::string("/out"));
        QVERIFY(job.options == RecoveryOptions{});
        QCOMPARE(job.filePercent.load(), 0);
        QVERIFY(!job.abortRequested);
        QVERIFY(fixture.InputsDisabled());
        QCOMPARE(fixture.Button("quitButton")->text(), QString("Abort"));
        QVERIFY(fixture.window.PollTimerActive());
        QVERIFY(fixture.messages.shown.empty());
    }

    void eachTickShowsTheJobsProgressAndArmsTheTimerAgain() {
        MainDialogFixture fixture;
        fixture.SetPaths("a.tra", "b.tra", "mod", "out");
        fixture.Button("importButton")->click();
        RecoveryJob& job = fixture.window.Job();
        job.progressText.Set("Processing setup.tra (2 / 5)");
        job.filePercent = 40;
        job.entryText.Set("");
        job.entryPercent = 73;
        fixture.window.PollJob();

        QCOMPARE(fixture.Bar("filesProgressBar")->GetPos(), 40);
        QCOMPARE(fixture.Bar("filesProgressBar")->DisplayedText(),
                 QString("Processing setup.tra (2 / 5)"));
        QCOMPARE(fixture.Bar("entriesProgressBar")->GetPos(), 73);
        QCOMPARE(fixture.Bar("entriesProgressBar")->DisplayedText(), QString("73%"));
        QVERIFY(fixture.window.PollTimerActive());
        QVERIFY(fixture.window.JobRunning());
        QVERIFY(fixture.messages.shown.empty());
    }

    void onlyOneHundredEndsTheRun() {
        MainDialogFixture fixture;
        fixture.SetPaths("a.tra", "b.tra", "mod", "out");
        fixture.Button("importButton")->click();
        fixture.window.Job().filePercent = 99;
        fixture.window.PollJob();
        QVERIFY(fixture.window.JobRunning());
        fixture.window.Job().filePercent = 150;
        fixture.window.PollJob();
        QVERIFY(fixture.window.JobRunning());
        QVERIFY(fixture.messages.shown.empty());
    }

    void theEndOfASuccessfulRunIsAnnouncedBeforeTheWindowIsGivenBack() {
        MainDialogFixture fixture;
        fixture.SetPaths("a.tra", "b.tra", "mod", "out");
        fixture.Button("importButton")->click();
        fixture.window.Job().entryText.Set("Entries: 3, Exact match: 2");
        fixture.window.Job().entryPercent = 100;
        fixture.FinishJob(0, "Completed (1 / 1)");
        bool lockedWhileShown = false;
        fixture.messages.onShow = [&](const FakeMessageBoxes::Shown&) {
            lockedWhileShown = fixture.InputsDisabled() && !fixture.window.PollTimerActive();
        };
        fixture.window.PollJob();

        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
        QCOMPARE(fixture.messages.shown[0].icon, MessageIcon::None);
        QCOMPARE(fixture.messages.shown[0].caption, QString("Success"));
        QCOMPARE(fixture.messages.shown[0].text, QString("Updated the tra files"));
        QVERIFY(lockedWhileShown);
        QVERIFY(fixture.InputsEnabled());
        QCOMPARE(fixture.Button("quitButton")->text(), QString("Quit"));
        QVERIFY(!fixture.window.JobRunning());
        QVERIFY(!fixture.window.PollTimerActive());
        // The bars keep the run's last state.
        QCOMPARE(fixture.Bar("filesProgressBar")->GetPos(), 100);
        QCOMPARE(fixture.Bar("filesProgressBar")->DisplayedText(), QString("Completed (1 / 1)"));
        QCOMPARE(fixture.Bar("entriesProgressBar")->DisplayedText(),
                 QString("Entries: 3, Exact match: 2"));

        fixture.window.PollJob();  // a stray tick after the end shows nothing twice
        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
    }

    void aFailedRunShowsItsProgressTextAsAnError() {
        MainDialogFixture fixture;
        fixture.SetPaths("a.tra", "b.tra", "mod", "out");
        fixture.Button("importButton")->click();
        fixture.FinishJob(4, "Failed to load setup, cause: Missing equal sign after string Id");
        fixture.window.PollJob();

        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
        QCOMPARE(fixture.messages.shown[0].icon, MessageIcon::Error);
        QCOMPARE(fixture.messages.shown[0].caption, QString("Failure"));
        QCOMPARE(fixture.messages.shown[0].text,
                 QString("Failed to load setup, cause: Missing equal sign after string Id"));
        QVERIFY(fixture.InputsEnabled());
        QCOMPARE(fixture.Button("quitButton")->text(), QString("Quit"));
    }

    void jobTextsAreShownInTheLocalEightBitEncoding() {
        MainDialogFixture fixture;
        fixture.SetPaths("a.tra", "b.tra", "mod", "out");
        fixture.Button("importButton")->click();
        const QString name = QString::fromUtf8("r\u00E9sum\u00E9.tra");
        fixture.window.Job().progressText.Set(name.toLocal8Bit().toStdString());
        fixture.window.PollJob();
        QCOMPARE(fixture.Bar("filesProgressBar")->DisplayedText(), name);
    }

    void cancelDuringARunOnlyRequestsTheAbort() {
        MainDialogFixture fixture;
        fixture.SetPaths("a.tra", "b.tra", "mod", "out");
        fixture.Button("importButton")->click();

        QTest::keyClick(&fixture.window, Qt::Key_Escape);
        QVERIFY(fixture.window.Job().abortRequested);
        QVERIFY(fixture.window.isVisible());
        QCOMPARE(fixture.Button("quitButton")->text(), QString("Abort"));

        fixture.window.close();  // the close box
        QVERIFY(fixture.window.isVisible());
        fixture.Button("quitButton")->click();
        QVERIFY(fixture.window.isVisible());
        QVERIFY(fixture.window.JobRunning());

        // An aborted run normally ends with status 0 and so as a success.
        fixture.FinishJob(0, "Completed (1 / 3)");
        fixture.window.PollJob();
        QCOMPARE(fixture.messages.shown.back().text, QString("Updated the tra files"));
        QTest::keyClick(&fixture.window, Qt::Key_Escape);
        QVERIFY(!fixture.window.isVisible());
        QCOMPARE(fixture.window.result(), int(QDialog::Rejected));
    }

    void aWorkerThatCannotStartGivesTheWindowBackAtOnce() {
        MainDialogFixture fixture([](RecoveryJob&) { return false; });
        fixture.SetPaths("a.tra", "b.tra", "mod", "out");
        fixture.Button("importButton")->click();

        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
        QCOMPARE(fixture.messages.shown[0].caption, QString("Failure"));
        QCOMPARE(fixture.messages.shown[0].icon, MessageIcon::Error);
        QVERIFY(!fixture.window.JobRunning());
        QVERIFY(!fixture.window.PollTimerActive());
        QVERIFY(fixture.InputsEnabled());
        QCOMPARE(fixture.Button("quitButton")->text(), QString("Quit"));
        QTest::keyClick(&fixture.window, Qt::Key_Escape);
        QVERIFY(!fixture.window.isVisible());
    }

    void aSecondRunStartsFromWhatTheJobHolds() {
        MainDialogFixture fixture;
        fixture.SetPaths("a.tra", "b.tra", "mod", "out");
        fixture.Button("importButton")->click();
        fixture.FinishJob(0, "Completed (1 / 1)");
        fixture.window.PollJob();

        fixture.Button("importButton")->click();
        QCOMPARE(fixture.starts, 2);
        // Import leaves the bars alone; the first tick shows the new run's 0.
        QCOMPARE(fixture.Bar("filesProgressBar")->GetPos(), 100);
        fixture.window.Job().progressText.Set("Building list of tra files to process...");
        fixture.window.PollJob();
        QCOMPARE(fixture.Bar("filesProgressBar")->GetPos(), 0);
        QVERIFY(fixture.window.JobRunning());
    }

    void noButtonOfTheWindowIsADefaultButton() {
        MainDialogFixture fixture;
        for (auto* button : fixture.window.findChildren<QPushButton*>()) {
            QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(button->text()));
        }
        fixture.SetPaths("a.tra", "b.tra", "mod", "out");
        fixture.Button("quitButton")->setFocus();
        QTest::keyClick(&fixture.window, Qt::Key_Return);
        QCOMPARE(fixture.starts, 0);
        QVERIFY(fixture.window.isVisible());
    }

    void preferencesClosedWithCancelLeaveTheSettingsAsTheyWere() {
        MainDialogFixture fixture;
        WhenModalOpens<PreferencesDialog>([](PreferencesDialog& dialog) {
            dialog.SetCommentMode(CommentMissingMatch);
            dialog.SetGeneratePatch(true);
            dialog.reject();
        });
        fixture.Button("preferencesButton")->click();
        QVERIFY(fixture.window.Settings() == RecoveryOptions{});
    }

    void preferencesClosedWithOkChangeTheSixSettingsOnly() {
        MainDialogFixture fixture;
        bool opened = false;
        WhenModalOpens<PreferencesDialog>([&opened](PreferencesDialog& dialog) {
            opened = true;
            dialog.findChild<QLineEdit*>("minLikelinessField")->setText("12.5");
            dialog.findChild<QLineEdit*>("veryLikelyThresholdField")->setText("90");
            dialog.SetLineInfoOnly(true);
            dialog.SetCommentMode(CommentNone);
            dialog.SetGeneratePatch(true);
            dialog.SetCompareSound(false);
            dialog.accept();
        });
        fixture.Button("preferencesButton")->click();
        QVERIFY(opened);

        RecoveryOptions expected;
        expected.search.minLikeliness = 12.5;
        expected.veryLikelyThreshold = 90.0;
        expected.lineInfoOnly = true;
        expected.commentMode = CommentNone;
        expected.generatePatch = true;
        expected.search.compareSound = false;
        QVERIFY(fixture.window.Settings() == expected);

        // The dialog opens on the current settings, and the next run takes them.
        WhenModalOpens<PreferencesDialog>([&opened](PreferencesDialog& dialog) {
            opened = dialog.MinLikeliness() == 12.5 && !dialog.CompareSound();
            dialog.reject();
        });
        fixture.Button("preferencesButton")->click();
        QVERIFY(opened);
        fixture.SetPaths("a.tra", "b.tra", "mod", "out");
        fixture.Button("importButton")->click();
        QVERIFY(fixture.window.Job().options == expected);
    }

    void theAboutCommandShowsTheBuiltVersion() {
        MainDialogFixture fixture;
        auto* about = fixture.window.findChild<QAction*>("aboutAction");
        QVERIFY(about);
        QCOMPARE(about->text(), QString("&About Wordgleaner..."));
        QVERIFY(QTest::qWaitForWindowActive(&fixture.window));
        QString shown;
        WhenModalOpens<AboutDialog>([&shown](AboutDialog& dialog) {
            shown = dialog.VersionText();
            dialog.accept();
        });
        QTest::keyClick(&fixture.window, Qt::Key_F1);
        QCOMPARE(shown, QString(WORDGLEANER_VERSION));
    }
};

QTEST_MAIN(MainDialogTest)
#include "test_main_dialog.moc"
