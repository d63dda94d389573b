// Whole runs through the window, its own poll timer driving the ticks, and
// the boxes of the run controller shown as the window's.
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
};

QTEST_MAIN(MainDialogRunTest)
#include "test_main_dialog_run.moc"
