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
        QCOMPARE(fixture.messages.shown[0].text, QString("Updated the tra files"));
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
        QCOMPARE(fixture.messages.shown[1].text, QString("Updated the tra files"));
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

        // An aborted run is not a failed one; its report tells it was cut short.
        QCOMPARE(fixture.messages.shown[0].text, QString("Updated the tra files"));
        const std::string report = run.Recovered("Wordgleaner_report.txt");
        QVERIFY2(report.rfind("Process interrupted.", 0) == 0, report.c_str());
        QVERIFY(!run.Exists("out/dialog.tra"));
        QVERIFY(fixture.window.isVisible());
        QTest::keyClick(&fixture.window, Qt::Key_Escape);
        QVERIFY(!fixture.window.isVisible());
    }
};

QTEST_MAIN(MainDialogRunTest)
#include "test_main_dialog_run.moc"
