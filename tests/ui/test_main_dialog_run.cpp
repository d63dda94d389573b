// Whole runs through the window, its own poll timer driving the ticks.
#include <QTest>

#include <string>

#include "main_dialog_fixture.h"
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

    void aRunWithAMissingReferenceFailsAtOnce() {
        RunFolders run;
        MainDialogFixture fixture;
        const QString missing = run.Path("no_such_reference.tra");
        fixture.SetPaths(missing, run.Path("ref_trans.tra"), run.Path("mod"), run.Path("out"));
        fixture.Button("importButton")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!fixture.messages.shown.empty(), RunTimeoutMs);

        QCOMPARE(fixture.messages.shown[0].caption, QString("Failure"));
        QCOMPARE(fixture.messages.shown[0].icon, MessageIcon::Error);
        QVERIFY2(
            fixture.messages.shown[0].text.startsWith("Failed to load " + missing + ", cause: "),
            qPrintable(fixture.messages.shown[0].text));
        QCOMPARE(fixture.Bar("filesProgressBar")->GetPos(), 100);
        QCOMPARE(fixture.Bar("filesProgressBar")->DisplayedText(), fixture.messages.shown[0].text);
        QVERIFY(!run.Exists("out/dialog.tra"));
        QVERIFY(fixture.InputsEnabled());

        // The user may correct the path and start again in the same window.
        fixture.Field("referenceOriginalField")->SetPath(run.Path("ref_orig.tra"));
        fixture.Button("importButton")->click();
        QTRY_COMPARE_WITH_TIMEOUT(fixture.messages.shown.size(), std::size_t{2}, RunTimeoutMs);
        QVERIFY(fixture.messages.shown[1].text.startsWith("Updated the tra files\n\n"));
        QVERIFY(run.Exists("out/dialog.tra"));
    }

    void escapeDuringARunStopsTheWorkerAndTheNextEscapeCloses() {
        RunFolders run;
        MainDialogFixture fixture;
        fixture.SetPaths(run);
        // The worker waits after the first reference until Escape was pressed.
        fixture.hold.Arm(CheckPoint::AfterOriginalReference);
        fixture.Button("importButton")->click();
        QVERIFY(fixture.hold.WaitUntilHeld());
        QTest::keyClick(&fixture.window, Qt::Key_Escape);
        QVERIFY(fixture.window.isVisible());
        fixture.hold.Release();
        QTRY_VERIFY_WITH_TIMEOUT(!fixture.messages.shown.empty(), RunTimeoutMs);

        // A stopped run is neither a success nor a failure; the report tells
        // it was cut short.
        QCOMPARE(fixture.messages.shown[0].caption, QString("Stopped"));
        QCOMPARE(fixture.messages.shown[0].text, QString("Stopped while loading the references"));
        const std::string report = run.Recovered("Wordgleaner_report.txt");
        QVERIFY2(report.rfind("Process interrupted.", 0) == 0, report.c_str());
        QVERIFY(!run.Exists("out/dialog.tra"));
        QVERIFY(fixture.window.isVisible());
        QTest::keyClick(&fixture.window, Qt::Key_Escape);
        QVERIFY(!fixture.window.isVisible());
    }

    void aStopInsideAFileTellsTheFilesDoneAndThePartialFile() {
        RunFolders run;
        MainDialogFixture fixture;
        fixture.SetPaths(run);
        fixture.hold.Arm(CheckPoint::BeforeEntry, 2);  // dialog.tra's second entry
        fixture.Button("importButton")->click();
        QVERIFY(fixture.hold.WaitUntilHeld());
        QTest::keyClick(&fixture.window, Qt::Key_Escape);
        fixture.hold.Release();
        QTRY_VERIFY_WITH_TIMEOUT(!fixture.messages.shown.empty(), RunTimeoutMs);

        QCOMPARE(fixture.messages.shown[0].caption, QString("Stopped"));
        QCOMPARE(fixture.messages.shown[0].text,
                 QString("Stopped after 0 of 2 files; dialog.tra was saved with the entries "
                         "done before the stop."));
        QVERIFY(run.Exists("out/dialog.tra"));
        QVERIFY(!run.Exists("out/farewell.tra"));
    }

    // --- The destination, checked before the run starts ---------------------

    void aMissingDestinationIsToldAndNoRunStarts() {
        RunFolders run;
        MainDialogFixture fixture;
        fixture.SetPaths(run.Path("ref_orig.tra"), run.Path("ref_trans.tra"), run.Path("mod"),
                         run.Path("not created"));
        fixture.Button("importButton")->click();

        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
        QCOMPARE(fixture.messages.shown[0].caption, QString("Failure"));
        QCOMPARE(fixture.messages.shown[0].text,
                 "The destination folder " + run.Path("not created") + " does not exist");
        QCOMPARE(fixture.starts, 0);
        QVERIFY(!fixture.window.JobRunning());
        QVERIFY(fixture.InputsEnabled());
    }

    void theModFolderAsDestinationIsUsedOnlyAfterTheUserSaysYes() {
        RunFolders run;
        MainDialogFixture fixture;
        const std::string modFile = test_support::TempDir::Read(run.folders / "mod/dialog.tra");
        fixture.SetPaths(run.Path("ref_orig.tra"), run.Path("ref_trans.tra"), run.Path("mod"),
                         run.Path("mod"));
        fixture.messages.confirmAnswer = false;
        fixture.Button("importButton")->click();

        QCOMPARE(fixture.messages.questions, 1);
        QVERIFY(fixture.messages.shown[0].text.contains("the mod folder"));
        QCOMPARE(fixture.starts, 0);
        QVERIFY(fixture.InputsEnabled());
        QCOMPARE(test_support::TempDir::Read(run.folders / "mod/dialog.tra"), modFile);

        fixture.messages.confirmAnswer = true;
        fixture.Button("importButton")->click();
        QTRY_COMPARE_WITH_TIMEOUT(fixture.messages.shown.size(), std::size_t{3}, RunTimeoutMs);
        QCOMPARE(fixture.messages.questions, 2);
        QCOMPARE(fixture.messages.shown[2].caption, QString("Success"));
        QVERIFY(test_support::TempDir::Read(run.folders / "mod/dialog.tra") != modFile);
    }
};

QTEST_MAIN(MainDialogRunTest)
#include "test_main_dialog_run.moc"
