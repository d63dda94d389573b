#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <wordgleaner/version.h>

#include "frontend/path_fields.h"
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

    void importWithAnEmptyPathNamesAndFocusesThatField_data() {
        QTest::addColumn<int>("emptyField");
        QTest::addColumn<QString>("label");
        const char* const labels[] = {"Reference tra file in original language",
                                      "Reference tra file in destination language (translated)",
                                      "Directory of mod tra files in original language",
                                      "Directory of mod tra files in destination language (empty)"};
        for (int field = 0; field < 4; ++field) {
            QTest::newRow(FieldNames[field]) << field << QString(labels[field]);
        }
    }
    void importWithAnEmptyPathNamesAndFocusesThatField() {
        QFETCH(int, emptyField);
        QFETCH(QString, label);
        MainDialogFixture fixture;
        fixture.SetPaths("a.tra", "b.tra", "mod", "out");
        fixture.Field(FieldNames[emptyField])->SetPath("");
        fixture.Button("importButton")->click();

        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
        QCOMPARE(fixture.messages.shown[0].icon, MessageIcon::None);
        QCOMPARE(fixture.messages.shown[0].caption, QString("Failure"));
        QCOMPARE(fixture.messages.shown[0].text,
                 "You must provide a name for each file or directory: \"" + label + "\" is empty");
        QCOMPARE(fixture.messages.shown[0].focusWidget,
                 static_cast<QWidget*>(fixture.Field(FieldNames[emptyField])->Edit()));
        QCOMPARE(fixture.starts, 0);
        QVERIFY(fixture.InputsEnabled());
        QCOMPARE(fixture.Button("quitButton")->text(), QString("&Quit"));
        QVERIFY(!fixture.window.PollTimerActive());
        QVERIFY(!fixture.window.JobRunning());
    }

    void withSeveralEmptyFieldsTheFirstIsNamed() {
        MainDialogFixture fixture;
        fixture.SetPaths("a.tra", "", "mod", "");
        fixture.Button("importButton")->click();
        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
        QVERIFY(fixture.messages.shown[0].text.contains("\"Reference tra file in destination"));
    }

    void labelsLoseOnlyTheirMnemonicMarks() {
        QCOMPARE(PlainLabelText("Co&de page"), std::string("Code page"));
        QCOMPARE(PlainLabelText("Salt && &pepper"), std::string("Salt & pepper"));
        QCOMPARE(PlainLabelText("Ends with &"), std::string("Ends with "));
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
        RunFolders run;
        MainDialogFixture fixture;
        fixture.SetPaths(run);
        fixture.Button("importButton")->click();  // a run that ends aborted
        QTest::keyClick(&fixture.window, Qt::Key_Escape);
        fixture.FinishRun();
        QVERIFY(fixture.window.Job().Snapshot().abortRequested);

        fixture.hold.Arm(CheckPoint::AfterOriginalReference);
        fixture.Button("importButton")->click();
        QVERIFY(fixture.hold.WaitUntilHeld());

        QCOMPARE(fixture.starts, 2);
        const JobInputs& inputs = fixture.window.Job().Inputs();
        QCOMPARE(QString::fromLocal8Bit(inputs.references.at(0).original),
                 run.Path("ref_orig.tra"));
        QCOMPARE(QString::fromLocal8Bit(inputs.references.at(0).translated),
                 run.Path("ref_trans.tra"));
        QCOMPARE(QString::fromLocal8Bit(inputs.modDirectory), run.Path("mod"));
        QCOMPARE(QString::fromLocal8Bit(inputs.destinationDirectory), run.Path("out"));
        QVERIFY(inputs.options == RecoveryOptions{});
        const ProgressSnapshot progress = fixture.window.Job().Snapshot();
        QCOMPARE(progress.filePercent, 0);
        QVERIFY(!progress.abortRequested);
        QVERIFY(fixture.InputsDisabled());
        QCOMPARE(fixture.Button("quitButton")->text(), QString("&Abort"));
        QVERIFY(fixture.window.PollTimerActive());
        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});  // the first run's end only
    }

    void eachTickShowsTheJobsProgressAndArmsTheTimerAgain() {
        RunFolders run;
        MainDialogFixture fixture;
        fixture.SetPaths(run);
        fixture.hold.Arm(CheckPoint::BeforeEntry, 3);  // the entry of farewell.tra
        fixture.Button("importButton")->click();
        QVERIFY(fixture.hold.WaitUntilHeld());
        fixture.window.PollJob();

        QCOMPARE(fixture.Bar("filesProgressBar")->GetPos(), 50);
        // Read for people in the window; the run's own texts stay in the job.
        QCOMPARE(fixture.Bar("filesProgressBar")->DisplayedText(),
                 QString("File 2 of 2: farewell.tra"));
        QCOMPARE(fixture.window.Job().Snapshot().progressText,
                 std::string("Processing farewell.tra (1 / 2)"));
        QCOMPARE(fixture.Bar("entriesProgressBar")->GetPos(), 100);
        QCOMPARE(fixture.Bar("entriesProgressBar")->DisplayedText(),
                 QString("Entry 2 of 2 - 1 translated"));
        QVERIFY(fixture.window.findChild<QLabel*>("timeLabel")->text().startsWith("Elapsed 0:0"));
        QVERIFY(fixture.window.PollTimerActive());
        QVERIFY(fixture.window.JobRunning());
        QVERIFY(fixture.messages.shown.empty());
    }

    void theEndOfASuccessfulRunIsAnnouncedBeforeTheWindowIsGivenBack() {
        RunFolders run;
        MainDialogFixture fixture;
        fixture.SetPaths(run);
        fixture.Button("importButton")->click();
        bool lockedWhileShown = false;
        fixture.messages.onShow = [&](const FakeMessageBoxes::Shown&) {
            lockedWhileShown = fixture.InputsDisabled() && !fixture.window.PollTimerActive();
        };
        fixture.FinishRun();

        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
        QCOMPARE(fixture.messages.shown[0].icon, MessageIcon::None);
        QCOMPARE(fixture.messages.shown[0].caption, QString("Success"));
        QVERIFY(fixture.messages.shown[0].text.startsWith("Updated the tra files\n\n"));
        QVERIFY(lockedWhileShown);
        QVERIFY(fixture.InputsEnabled());
        QCOMPARE(fixture.Button("quitButton")->text(), QString("&Quit"));
        QVERIFY(!fixture.window.JobRunning());
        QVERIFY(!fixture.window.PollTimerActive());
        // The bars keep the run's last state.
        QCOMPARE(fixture.Bar("filesProgressBar")->GetPos(), 100);
        QVERIFY(fixture.Bar("filesProgressBar")->DisplayedText().startsWith("Completed (2 / 2)"));
        QCOMPARE(fixture.Bar("entriesProgressBar")->DisplayedText(),
                 QString("Entries: 3, Exact match: 2, Very likely match: 0, Likely match: 0"));

        fixture.window.PollJob();  // a stray tick after the end shows nothing twice
        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
    }

    void aFailedRunShowsItsProgressTextAsAnError() {
        RunFolders run;
        run.folders.Write("mod/setup.tra", "@1 ~No equal sign~\r\n");
        MainDialogFixture fixture;
        fixture.SetPaths(run);
        fixture.Button("importButton")->click();
        fixture.FinishRun();

        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
        QCOMPARE(fixture.messages.shown[0].icon, MessageIcon::Error);
        QCOMPARE(fixture.messages.shown[0].caption, QString("Failure"));
        QCOMPARE(
            fixture.messages.shown[0].text,
            QString("Failed to load setup, cause: Missing equal sign after string Id at line 1"));
        QVERIFY(fixture.InputsEnabled());
        QCOMPARE(fixture.Button("quitButton")->text(), QString("&Quit"));
    }

    void jobTextsAreShownInTheLocalEightBitEncoding() {
        RunFolders run;
        const QString name = QString::fromUtf8("r\u00E9sum\u00E9.tra");
        run.folders.Write("accents/" + name.toLocal8Bit().toStdString(), "@1 = ~Good bye~\r\n");
        MainDialogFixture fixture;
        fixture.SetPaths(run.Path("ref_orig.tra"), run.Path("ref_trans.tra"), run.Path("accents"),
                         run.Path("out"));
        fixture.hold.Arm(CheckPoint::BeforeEntry);
        fixture.Button("importButton")->click();
        QVERIFY(fixture.hold.WaitUntilHeld());
        fixture.window.PollJob();
        QCOMPARE(fixture.Bar("filesProgressBar")->DisplayedText(), "File 1 of 1: " + name);
    }

    void cancelDuringARunOnlyRequestsTheAbort() {
        RunFolders run;
        MainDialogFixture fixture;
        fixture.SetPaths(run);
        fixture.hold.Arm(CheckPoint::AfterOriginalReference);
        fixture.Button("importButton")->click();
        QVERIFY(fixture.hold.WaitUntilHeld());

        QTest::keyClick(&fixture.window, Qt::Key_Escape);
        QVERIFY(fixture.window.Job().Snapshot().abortRequested);
        QVERIFY(fixture.window.isVisible());
        QCOMPARE(fixture.Button("quitButton")->text(), QString("&Abort"));

        fixture.window.close();  // the close box
        QVERIFY(fixture.window.isVisible());
        fixture.Button("quitButton")->click();
        QVERIFY(fixture.window.isVisible());
        QVERIFY(fixture.window.JobRunning());

        // A stopped run is never told as a success.
        fixture.FinishRun();
        QCOMPARE(fixture.messages.shown.back().caption, QString("Stopped"));
        QCOMPARE(fixture.messages.shown.back().text,
                 QString("Stopped while loading the references"));
        QTest::keyClick(&fixture.window, Qt::Key_Escape);
        QVERIFY(!fixture.window.isVisible());
        QCOMPARE(fixture.window.result(), int(QDialog::Rejected));
    }

    void aWorkerThatCannotStartGivesTheWindowBackAtOnce() {
        RunFolders run;
        MainDialogFixture fixture(MainDialogFixture::Threads::Refused);
        fixture.SetPaths(run);
        fixture.Button("importButton")->click();

        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
        QCOMPARE(fixture.messages.shown[0].caption, QString("Failure"));
        QCOMPARE(fixture.messages.shown[0].icon, MessageIcon::Error);
        QCOMPARE(fixture.messages.shown[0].text,
                 QString("Could not start the recovery: no worker thread available"));
        QVERIFY(!fixture.window.JobRunning());
        QVERIFY(!fixture.window.PollTimerActive());
        QVERIFY(fixture.InputsEnabled());
        QCOMPARE(fixture.Button("quitButton")->text(), QString("&Quit"));
        QTest::keyClick(&fixture.window, Qt::Key_Escape);
        QVERIFY(!fixture.window.isVisible());
    }

    void aSecondRunStartsFromWhatTheJobHolds() {
        RunFolders run;
        MainDialogFixture fixture;
        fixture.SetPaths(run);
        fixture.Button("importButton")->click();
        fixture.FinishRun();

        fixture.hold.Arm(CheckPoint::AfterOriginalReference);
        fixture.Button("importButton")->click();
        QVERIFY(fixture.hold.WaitUntilHeld());
        QCOMPARE(fixture.starts, 2);
        // Import leaves the bars alone; the first tick shows the new run's 0.
        QCOMPARE(fixture.Bar("filesProgressBar")->GetPos(), 100);
        fixture.window.PollJob();
        QCOMPARE(fixture.Bar("filesProgressBar")->GetPos(), 0);
        QCOMPARE(fixture.Bar("filesProgressBar")->DisplayedText(),
                 QString("Loading reference tra file in original language..."));
        QVERIFY(fixture.window.JobRunning());
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

    void preferencesClosedWithOkChangeTheEditedSettingsOnly() {
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
            dialog.SetKeepGoing(true);
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
        expected.keepGoing = true;
        QVERIFY(fixture.window.Settings() == expected);

        // The dialog opens on the current settings, and the next run takes them.
        WhenModalOpens<PreferencesDialog>([&opened](PreferencesDialog& dialog) {
            opened = dialog.MinLikeliness() == 12.5 && !dialog.CompareSound();
            dialog.reject();
        });
        fixture.Button("preferencesButton")->click();
        QVERIFY(opened);
        RunFolders run;
        fixture.SetPaths(run);
        fixture.Button("importButton")->click();
        QVERIFY(fixture.window.Job().Inputs().options == expected);
        fixture.window.Job().WaitForEnd();  // before its folders go
    }

    void theReviewSettingsGoFromPreferencesIntoTheJob() {
        MainDialogFixture fixture;
        WhenModalOpens<PreferencesDialog>([](PreferencesDialog& dialog) {
            dialog.findChild<QCheckBox*>("writeReviewBox")->setChecked(true);
            dialog.findChild<QComboBox*>("codePageField")->setCurrentText("1251");
            dialog.accept();
        });
        fixture.Button("preferencesButton")->click();
        QVERIFY(fixture.window.Settings().writeReview);
        QCOMPARE(fixture.window.Settings().codePage, std::int32_t{1251});

        bool shownAgain = false;
        WhenModalOpens<PreferencesDialog>([&shownAgain](PreferencesDialog& dialog) {
            shownAgain = dialog.findChild<QCheckBox*>("writeReviewBox")->isChecked() &&
                         dialog.findChild<QComboBox*>("codePageField")->currentText() == "1251";
            dialog.reject();
        });
        fixture.Button("preferencesButton")->click();
        QVERIFY(shownAgain);
        RunFolders run;
        fixture.SetPaths(run);
        fixture.Button("importButton")->click();
        QVERIFY(fixture.window.Job().Inputs().options.writeReview);
        QCOMPARE(fixture.window.Job().Inputs().options.codePage, std::int32_t{1251});
        fixture.window.Job().WaitForEnd();  // before its folders go
    }

    // Button 0 is the first one offered; -1 closes the box another way.
    void theSuccessBoxOpensWhatItsButtonsName_data() {
        QTest::addColumn<bool>("review");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("openedFile");
        QTest::newRow("review page") << true << 0 << "out/Wordgleaner_review.html";
        QTest::newRow("folder beside a review") << true << 1 << "out";
        QTest::newRow("close beside a review") << true << 2 << "";
        QTest::newRow("folder without review") << false << 0 << "out";
        QTest::newRow("close without review") << false << 1 << "";
        QTest::newRow("box closed") << true << -1 << "";
    }

    void theSuccessBoxOpensWhatItsButtonsName() {
        QFETCH(bool, review);
        QFETCH(int, answer);
        QFETCH(QString, openedFile);
        RunFolders run;
        MainDialogFixture fixture;
        WhenModalOpens<PreferencesDialog>([review](PreferencesDialog& dialog) {
            dialog.SetWriteReview(review);
            dialog.accept();
        });
        fixture.Button("preferencesButton")->click();
        fixture.SetPaths(run);
        fixture.messages.answer = answer;
        fixture.Button("importButton")->click();
        fixture.FinishRun();

        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
        QCOMPARE(fixture.messages.shown[0].caption, QString("Success"));
        QStringList buttons{"Open destination folder", "Close"};
        if (review) {
            buttons.prepend("Open review page");
        }
        QCOMPARE(fixture.messages.shown[0].buttons, buttons);
        QCOMPARE(run.Exists("out/Wordgleaner_review.html"), review);
        if (openedFile.isEmpty()) {
            QVERIFY(fixture.opened.empty());
        } else {
            QCOMPARE(fixture.opened.size(), std::size_t{1});
            QCOMPARE(fixture.opened[0], QUrl::fromLocalFile(run.Path(openedFile.toStdString())));
        }
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
