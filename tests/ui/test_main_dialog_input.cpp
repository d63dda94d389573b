// The main window as a user drives it with keyboard, clipboard and mouse.
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <utility>

#include "controls/dialog_path_chooser.h"
#include "main_dialog_fixture.h"
#include "ui/ui_resources.h"

using namespace wordgleaner;

class MainDialogInputTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { LoadUiResources(); }

    void typedPastedAndDroppedPathsGoToTheJob() {
        RunFolders run;
        MainDialogFixture fixture;
        TypeInto(*fixture.Field("referenceOriginalField"), run.Path("ref_orig.tra"));
        QApplication::clipboard()->setText(run.Path("ref_trans.tra"));
        QLineEdit* translated = fixture.Field("referenceTranslatedField")->Edit();
        QTest::keyClick(translated, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(DropPath(*fixture.Field("modDirectoryField")->Edit(), run.Path("mod")));
        // A file is refused by a folder field, a folder by a file field.
        QVERIFY(!DropPath(*fixture.Field("destinationDirectoryField")->Edit(),
                          run.Path("ref_orig.tra")));
        QVERIFY(!DropPath(*fixture.Field("referenceOriginalField")->Edit(), run.Path("mod")));
        QVERIFY(DropPath(*fixture.Field("destinationDirectoryField"), run.Path("out")));

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
    }

    void aTypedPathThatNamesNothingIsMarkedBeforeImport() {
        RunFolders run;
        MainDialogFixture fixture;
        PathBrowseControl& mod = *fixture.Field("modDirectoryField");
        TypeInto(mod, run.Path("no-such-folder"));
        QVERIFY(mod.PathWarning().contains("There is no folder"));
        TypeInto(mod, run.Path("ref_orig.tra"));
        QVERIFY(mod.PathWarning().contains("not a folder"));
        TypeInto(mod, run.Path("mod"));
        QVERIFY(mod.PathWarning().isEmpty());
        QVERIFY(fixture.messages.shown.empty());
    }

    void theWindowCanBeWidenedAndItsFieldsAndBarsFollow() {
        MainDialogFixture fixture;
        const int fieldWidth = fixture.Field("modDirectoryField")->width();
        const int barWidth = fixture.Bar("filesProgressBar")->width();
        fixture.window.resize(fixture.window.width() + 300, fixture.window.height() + 50);
        QTRY_COMPARE(fixture.Field("modDirectoryField")->width(), fieldWidth + 300);
        QCOMPARE(fixture.Bar("filesProgressBar")->width(), barWidth + 300);
    }

    // It opens wide enough for a long path, and narrows down to where its
    // labels still show whole.
    void theWindowOpensWideAndCanBeMadeNarrowerWithWholeLabels() {
        MainDialogFixture fixture;
        QCOMPARE(fixture.window.width(), 640);
        fixture.window.resize(100, fixture.window.height());
        QTRY_VERIFY(fixture.window.width() < 640);
        QCOMPARE(fixture.window.width(), fixture.window.minimumSizeHint().width());
        for (auto* label : fixture.window.findChildren<QLabel*>()) {
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
        }
        QVERIFY(fixture.Field("modDirectoryField")->width() >= 200);
    }

    // The choosers offer tra files and string tables in any case, then all
    // files; a string table dropped onto a reference field is taken.
    void theReferenceFieldsOfferAndTakeStringTablesBesideTraFiles() {
        MainDialogFixture fixture;
        fixture.Field("referenceTranslatedField")->Browse();
        QCOMPARE(fixture.chooser->fileRequests.size(), std::size_t{1});
        QCOMPARE(NameFiltersFromPipeFilter(fixture.chooser->fileRequests[0].filter),
                 QStringList({"Tra files and string tables (*.tra *.TRA *.Tra *.tlk *.TLK *.Tlk)",
                              "All files (*)"}));

        RunFolders run;
        run.folders.Write("lang/fr_FR/dialog.tlk", "TLK V1  ");
        PathBrowseControl& translated = *fixture.Field("referenceTranslatedField");
        QVERIFY(DropPath(*translated.Edit(), run.Path("lang/fr_FR/dialog.tlk")));
        QCOMPARE(translated.Edit()->text(), run.Path("lang/fr_FR/dialog.tlk"));
    }

    // --- Keyboard ---

    void enterPressesOnlyTheFocusedButton() {
        MainDialogFixture fixture;
        fixture.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&fixture.window));
        for (auto* button : fixture.window.findChildren<QPushButton*>()) {
            QVERIFY2(!button->isDefault(), qPrintable(button->text()));
        }
        // In a path field Enter opens that field's chooser and goes no further.
        fixture.Field("referenceOriginalField")->Edit()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(fixture.chooser->Calls(), 1);
        QVERIFY(fixture.messages.shown.empty());

        fixture.Button("importButton")->setFocus();
        QTest::keyClick(fixture.Button("importButton"), Qt::Key_Return);
        QCOMPARE(fixture.messages.shown.size(), std::size_t{1});  // the empty paths
        QCOMPARE(fixture.starts, 0);
        fixture.Button("quitButton")->setFocus();
        QTest::keyClick(fixture.Button("quitButton"), Qt::Key_Return);
        QVERIFY(!fixture.window.isVisible());
    }

    void everyLabelLeadsToItsFieldAndEveryButtonHasAMnemonic() {
        MainDialogFixture fixture;
        fixture.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&fixture.window));
        const std::pair<Qt::Key, const char*> labels[] = {{Qt::Key_R, "referenceOriginalField"},
                                                          {Qt::Key_D, "referenceTranslatedField"},
                                                          {Qt::Key_M, "modDirectoryField"},
                                                          {Qt::Key_E, "destinationDirectoryField"}};
        for (const auto& [key, field] : labels) {
            QTest::keyClick(&fixture.window, key, Qt::AltModifier);
            QVERIFY2(QApplication::focusWidget() == fixture.Field(field)->Edit(),
                     qPrintable(QApplication::focusWidget()->objectName()));
        }
        for (auto* button : fixture.window.findChildren<QPushButton*>()) {
            QVERIFY2(button->text().contains('&'), qPrintable(button->text()));
        }
        QTest::keyClick(&fixture.window, Qt::Key_I, Qt::AltModifier);
        QTRY_COMPARE(fixture.messages.shown.size(), std::size_t{1});  // Import pressed
    }
};

QTEST_MAIN(MainDialogInputTest)
#include "test_main_dialog_input.moc"
