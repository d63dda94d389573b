// The Qt window's events reach its run controller, and what the controller
// asks shows in the window's widgets. What the controller decides is checked
// in tests/frontend/run_controller_test.cpp.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
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

// Changes the fields of the Preferences the window opens, and presses OK.
void AnswerPreferences(MainDialogFixture& fixture,
                       const std::function<void(PreferencesFields&)>& change) {
    WhenModalOpens<PreferencesDialog>([change](PreferencesDialog& dialog) {
        PreferencesFields fields = dialog.Fields();
        change(fields);
        dialog.ShowFields(fields);
        dialog.accept();
    });
    fixture.Button("preferencesButton")->click();
}

}  // namespace

class MainDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { LoadUiResources(); }

    void theFieldTheControllerNamesHasTheFocusWhileItsBoxIsUp() {
        MainDialogFixture fixture;
        fixture.SetPaths("a.tra", "b.tra", "", "out");
        fixture.Button("importButton")->click();

        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
        QCOMPARE(fixture.messages.shown[0].icon, MessageIcon::None);
        QCOMPARE(fixture.messages.shown[0].caption, QString("Failure"));
        QVERIFY(fixture.messages.shown[0].text.contains(
            "\"Directory of mod tra files in original language\" is empty"));
        QCOMPARE(fixture.messages.shown[0].focusWidget,
                 static_cast<QWidget*>(fixture.Field("modDirectoryField")->Edit()));
        QCOMPARE(fixture.starts, 0);
        QVERIFY(fixture.InputsEnabled());
        QVERIFY(!fixture.window.PollTimerActive());
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

    void importHandsTheFieldsAndSettingsToTheJobAndLocksTheInputs() {
        RunFolders run;
        MainDialogFixture fixture;
        AnswerPreferences(fixture, [](PreferencesFields& fields) {
            fields.minLikeliness = "12.5";
            fields[PreferencesCheck::GeneratePatch] = true;
            fields[PreferencesCheck::WriteReview] = true;
            fields.codePage = "1251 - Cyrillic";
        });
        fixture.SetPaths(run);
        fixture.hold.Arm(CheckPoint::AfterOriginalReference);
        fixture.Button("importButton")->click();
        QVERIFY(fixture.hold.WaitUntilHeld());

        const JobInputs& inputs = fixture.window.Job().Inputs();
        QCOMPARE(QString::fromLocal8Bit(inputs.references.at(0).original),
                 run.Path("ref_orig.tra"));
        QCOMPARE(QString::fromLocal8Bit(inputs.references.at(0).translated),
                 run.Path("ref_trans.tra"));
        QCOMPARE(QString::fromLocal8Bit(inputs.modDirectory), run.Path("mod"));
        QCOMPARE(QString::fromLocal8Bit(inputs.destinationDirectory), run.Path("out"));
        RecoveryOptions expected;
        expected.search.minLikeliness = 12.5;
        expected.generatePatch = true;
        expected.writeReview = true;
        expected.codePage = 1251;
        QVERIFY(inputs.options == expected);
        QVERIFY(fixture.InputsDisabled());
        QCOMPARE(fixture.Button("quitButton")->text(), QString("&Abort"));
        QVERIFY(fixture.window.PollTimerActive());
        QVERIFY(fixture.messages.shown.empty());
    }

    void aTickShowsTheProgressInTheBarsAndTheTimeLabel() {
        RunFolders run;
        MainDialogFixture fixture;
        fixture.SetPaths(run);
        fixture.hold.Arm(CheckPoint::BeforeEntry, 3);  // the entry of farewell.tra
        fixture.Button("importButton")->click();
        QVERIFY(fixture.hold.WaitUntilHeld());
        fixture.window.PollJob();

        QCOMPARE(fixture.Bar("filesProgressBar")->GetPos(), 50);
        QCOMPARE(fixture.Bar("filesProgressBar")->DisplayedText(),
                 QString("File 2 of 2: farewell.tra"));
        QCOMPARE(fixture.Bar("entriesProgressBar")->GetPos(), 100);
        QCOMPARE(fixture.Bar("entriesProgressBar")->DisplayedText(),
                 QString("Entry 2 of 2 - 1 translated"));
        QVERIFY(fixture.window.findChild<QLabel*>("timeLabel")->text().startsWith("Elapsed 0:0"));
        QVERIFY(fixture.window.PollTimerActive());
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

    // The box's buttons are the window's; what its first button opens is a
    // local file address made absolute.
    void theEndBoxShowsItsButtonsAndOpensWhatTheFirstNames() {
        RunFolders run;
        MainDialogFixture fixture;
        AnswerPreferences(fixture, [](PreferencesFields& fields) {
            fields[PreferencesCheck::WriteReview] = true;
        });
        fixture.SetPaths(run);
        fixture.messages.answer = 0;
        fixture.Button("importButton")->click();
        bool lockedWhileShown = false;
        fixture.messages.onShow = [&](const FakeMessageBoxes::Shown&) {
            lockedWhileShown = fixture.InputsDisabled() && !fixture.window.PollTimerActive();
        };
        fixture.FinishRun();

        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
        QCOMPARE(fixture.messages.shown[0].caption, QString("Success"));
        QCOMPARE(fixture.messages.shown[0].buttons,
                 QStringList({"Open review page", "Open destination folder", "Close"}));
        QVERIFY(lockedWhileShown);
        QCOMPARE(fixture.opened.size(), std::size_t{1});
        QCOMPARE(fixture.opened[0], QUrl::fromLocalFile(run.Path("out/Wordgleaner_review.html")));
        QVERIFY(fixture.InputsEnabled());
        QCOMPARE(fixture.Button("quitButton")->text(), QString("&Quit"));
    }

    void escapeTheCloseBoxAndQuitOnlyAskTheRunToStop() {
        RunFolders run;
        MainDialogFixture fixture;
        fixture.SetPaths(run);
        fixture.hold.Arm(CheckPoint::AfterOriginalReference);
        fixture.Button("importButton")->click();
        QVERIFY(fixture.hold.WaitUntilHeld());

        QTest::keyClick(&fixture.window, Qt::Key_Escape);
        QVERIFY(fixture.window.Job().Snapshot().abortRequested);
        fixture.window.close();  // the close box
        fixture.Button("quitButton")->click();
        QVERIFY(fixture.window.isVisible());
        QVERIFY(fixture.window.JobRunning());

        fixture.FinishRun();
        QCOMPARE(fixture.messages.shown.back().caption, QString("Stopped"));
        QTest::keyClick(&fixture.window, Qt::Key_Escape);
        QVERIFY(!fixture.window.isVisible());
        QCOMPARE(fixture.window.result(), int(QDialog::Rejected));
    }

    void preferencesClosedWithCancelLeaveTheSettingsAsTheyWere() {
        MainDialogFixture fixture;
        WhenModalOpens<PreferencesDialog>([](PreferencesDialog& dialog) {
            PreferencesFields fields = dialog.Fields();
            fields[PreferencesCheck::GeneratePatch] = true;
            dialog.ShowFields(fields);
            dialog.reject();
        });
        fixture.Button("preferencesButton")->click();
        QVERIFY(fixture.window.Settings() == RecoveryOptions{});
    }

    void preferencesOpenOnTheSettingsTakenBefore() {
        MainDialogFixture fixture;
        AnswerPreferences(fixture, [](PreferencesFields& fields) {
            fields.minLikeliness = "12.5";
            fields.commentMode = CommentNone;
            fields[PreferencesCheck::CompareSound] = false;
        });
        QCOMPARE(fixture.window.Settings().search.minLikeliness, 12.5);
        bool shownAgain = false;
        WhenModalOpens<PreferencesDialog>([&shownAgain](PreferencesDialog& dialog) {
            const PreferencesFields fields = dialog.Fields();
            shownAgain = fields.minLikeliness == "12.5" && fields.commentMode == CommentNone &&
                         !fields[PreferencesCheck::CompareSound];
            dialog.reject();
        });
        fixture.Button("preferencesButton")->click();
        QVERIFY(shownAgain);
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
