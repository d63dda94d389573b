// Reference sets in the window: folders instead of files in the two
// reference fields, and further reference pairs of lower priority, listed
// and added with the window's own widgets.
#include <QCheckBox>
#include <QLabel>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>

#include "main_dialog_fixture.h"
#include "ui/preferences_dialog.h"
#include "ui/reference_pair_dialog.h"
#include "ui/ui_resources.h"

using namespace wordgleaner;

namespace {

// Beside RunFolders' pair: two more file pairs and a pair of folders.
struct ReferenceSets : RunFolders {
    ReferenceSets() {
        folders.Write("extra1_orig.tra", "@1 = ~One~\r\n");
        folders.Write("extra1_trans.tra", "@1 = ~Un~\r\n");
        folders.Write("extra2_orig.tra", "@1 = ~Two~\r\n");
        folders.Write("extra2_trans.tra", "@1 = ~Deux~\r\n");
        folders.Write("game/en/dialog.tra", "@1 = ~Hello there, traveller.~\r\n");
        folders.Write("game/fr/dialog.tra", "@1 = ~Bonjour, voyageur.~\r\n");
    }
    ReferencePair Pair(const std::string& original, const std::string& translated) const {
        return {folders / original, folders / translated};
    }
};

void ClickCheckBox(QCheckBox& box) {
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(4, box.height() / 2));
}

void Click(QPushButton& button) {
    QTest::mouseClick(&button, Qt::LeftButton);
}

// Sets the folders option in Preferences, as the user does.
void ChooseReferenceFolders(MainDialogFixture& fixture, bool folders) {
    WhenModalOpens<PreferencesDialog>([folders](PreferencesDialog& dialog) {
        QCheckBox* box = nullptr;
        for (auto* each : dialog.findChildren<QCheckBox*>()) {
            if (each->text() == CheckLabel(PreferencesCheck::ReferenceFolders)) {
                box = each;
            }
        }
        if (box->isChecked() != folders) {
            ClickCheckBox(*box);
        }
        Click(*dialog.findChild<QPushButton*>("okButton"));
    });
    Click(*fixture.Button("preferencesButton"));
}

PathBrowseControl& PairField(ReferencePairDialog& dialog, const char* name) {
    return *dialog.findChild<PathBrowseControl*>(name);
}

// Adds a pair with New pair..., dropping its two sides onto the dialog's
// fields; a drop refused closes the dialog with Cancel and returns false.
bool AddPair(MainDialogFixture& fixture, const QString& original, const QString& translated,
             bool folders = false) {
    bool dropped = false;
    WhenModalOpens<ReferencePairDialog>([&](ReferencePairDialog& dialog) {
        auto* box = dialog.findChild<QCheckBox*>("foldersBox");
        if (box->isChecked() != folders) {
            ClickCheckBox(*box);
        }
        dropped = DropPath(*PairField(dialog, "originalField").Edit(), original) &&
                  DropPath(*PairField(dialog, "translatedField").Edit(), translated);
        if (dropped) {
            Click(*dialog.findChild<QPushButton*>("okButton"));
        } else {
            dialog.reject();
        }
    });
    Click(*fixture.Button("addPairButton"));
    return dropped;
}

QTreeWidget& PairList(MainDialogFixture& fixture) {
    return *fixture.window.findChild<QTreeWidget*>("furtherReferenceList");
}

QStringList ListedOriginals(MainDialogFixture& fixture) {
    QStringList originals;
    QTreeWidget& list = PairList(fixture);
    for (int row = 0; row < list.topLevelItemCount(); ++row) {
        originals << QFileInfo(list.topLevelItem(row)->text(0)).fileName();
    }
    return originals;
}

void SelectRow(MainDialogFixture& fixture, int row) {
    QTreeWidget& list = PairList(fixture);
    const QRect rect = list.visualItemRect(list.topLevelItem(row));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rect.center());
}

QString LabelOf(MainDialogFixture& fixture, const char* fieldName) {
    for (auto* label : fixture.window.findChildren<QLabel*>()) {
        if (label->buddy() == fixture.Field(fieldName)) {
            return label->text().remove('&');
        }
    }
    return {};
}

}  // namespace

class MainDialogReferencesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { LoadUiResources(); }

    void theFoldersOptionTurnsTheReferenceFieldsToFolders() {
        ReferenceSets run;
        MainDialogFixture fixture;
        PathBrowseControl& original = *fixture.Field("referenceOriginalField");
        PathBrowseControl& translated = *fixture.Field("referenceTranslatedField");
        TypeInto(original, run.Path("ref_orig.tra"));
        QVERIFY(original.PathWarning().isEmpty());

        ChooseReferenceFolders(fixture, true);
        QVERIFY(original.PathWarning().contains("not a folder"));  // judged again
        QCOMPARE(LabelOf(fixture, "referenceOriginalField"),
                 QString("Reference directory of tra files in original language"));
        QVERIFY(!DropPath(*original.Edit(), run.Path("ref_orig.tra")));
        QVERIFY(DropPath(*original.Edit(), run.Path("game/en")));
        QVERIFY(DropPath(translated, run.Path("game/fr")));
        original.Browse();
        QCOMPARE(fixture.chooser->folderRequests.size(), std::size_t{1});
        QCOMPARE(fixture.chooser->folderRequests[0].title,
                 QString("Select reference directory in original language"));
        fixture.Field("modDirectoryField")->SetPath(run.Path("mod"));
        fixture.Field("destinationDirectoryField")->SetPath(run.Path("out"));
        Click(*fixture.Button("importButton"));
        QCOMPARE(fixture.starts, 1);
        QVERIFY(fixture.window.Job().Inputs().references ==
                ReferencePairs{run.Pair("game/en", "game/fr")});
        fixture.FinishRun();

        ChooseReferenceFolders(fixture, false);
        QVERIFY(DropPath(*original.Edit(), run.Path("ref_orig.tra")));
        QVERIFY(!DropPath(*translated.Edit(), run.Path("game/fr")));
        QCOMPARE(LabelOf(fixture, "referenceTranslatedField"),
                 QString("Reference tra file in destination language (translated)"));
    }

    // An empty list has nothing to show in more height; a list of pairs
    // takes all a taller window gives.
    void theListTakesExtraHeightOnlyWhenItHoldsPairs() {
        ReferenceSets run;
        MainDialogFixture fixture;
        fixture.SetPaths(run);
        QTreeWidget& list = PairList(fixture);
        const int shortWindow = fixture.window.height();
        const int emptyList = list.height();
        fixture.window.resize(fixture.window.width(), shortWindow + 200);
        QTRY_COMPARE(fixture.window.height(), shortWindow + 200);
        QCOMPARE(list.height(), emptyList);

        QVERIFY(AddPair(fixture, run.Path("extra1_orig.tra"), run.Path("extra1_trans.tra")));
        QTRY_COMPARE(list.height(), emptyList + 200);
    }

    void furtherPairsAreAddedOrderedAndRemovedAndReachTheJobInOrder() {
        ReferenceSets run;
        MainDialogFixture fixture;
        fixture.SetPaths(run);
        QVERIFY(AddPair(fixture, run.Path("extra1_orig.tra"), run.Path("extra1_trans.tra")));
        QVERIFY(AddPair(fixture, run.Path("game/en"), run.Path("game/fr"), true));
        QVERIFY(AddPair(fixture, run.Path("extra2_orig.tra"), run.Path("extra2_trans.tra")));
        QCOMPARE(ListedOriginals(fixture),
                 QStringList({"extra1_orig.tra", "en", "extra2_orig.tra"}));

        // The pair just added is selected.
        QVERIFY(!fixture.Button("moveDownButton")->isEnabled());
        Click(*fixture.Button("moveUpButton"));
        QCOMPARE(ListedOriginals(fixture),
                 QStringList({"extra1_orig.tra", "extra2_orig.tra", "en"}));
        SelectRow(fixture, 0);
        QVERIFY(!fixture.Button("moveUpButton")->isEnabled());
        Click(*fixture.Button("moveDownButton"));
        QCOMPARE(ListedOriginals(fixture),
                 QStringList({"extra2_orig.tra", "extra1_orig.tra", "en"}));
        SelectRow(fixture, 2);
        Click(*fixture.Button("removePairButton"));
        QCOMPARE(ListedOriginals(fixture), QStringList({"extra2_orig.tra", "extra1_orig.tra"}));

        Click(*fixture.Button("importButton"));
        QCOMPARE(fixture.starts, 1);
        const ReferencePairs expected = {run.Pair("ref_orig.tra", "ref_trans.tra"),
                                         run.Pair("extra2_orig.tra", "extra2_trans.tra"),
                                         run.Pair("extra1_orig.tra", "extra1_trans.tra")};
        QVERIFY(fixture.window.Job().Inputs().references == expected);
        QVERIFY(!fixture.Button("addPairButton")->isEnabled());  // locked while it runs
        fixture.FinishRun();
        QVERIFY(fixture.Button("addPairButton")->isEnabled());
    }

    void thePairDialogTakesOneKindAndRefusesAMixedOrMissingPair() {
        ReferenceSets run;
        MainDialogFixture fixture;
        QStringList told;
        bool stayedOpen = false;
        WhenModalOpens<ReferencePairDialog>([&](ReferencePairDialog& dialog) {
            PathBrowseControl& original = PairField(dialog, "originalField");
            PathBrowseControl& translated = PairField(dialog, "translatedField");
            const bool kinds = !DropPath(*original.Edit(), run.Path("game/en")) &&
                               DropPath(*original.Edit(), run.Path("ref_orig.tra"));
            TypeInto(translated, run.Path("game/fr"));  // typed, only marked
            Click(*dialog.findChild<QPushButton*>("okButton"));
            TypeInto(translated, run.Path("gone.tra"));
            Click(*dialog.findChild<QPushButton*>("okButton"));
            stayedOpen = kinds && dialog.isVisible();
            for (const auto& shown : fixture.messages.shown) {
                told << shown.text;
            }
            dialog.reject();
        });
        Click(*fixture.Button("addPairButton"));

        QVERIFY(stayedOpen);
        QCOMPARE(told.size(), 2);
        QVERIFY2(told[0].startsWith("A reference pair must be two files or two folders"),
                 qPrintable(told[0]));
        QCOMPARE(told[1], "There is no file or folder " + run.Path("gone.tra"));
        QVERIFY(ListedOriginals(fixture).isEmpty());
    }
};

QTEST_MAIN(MainDialogReferencesTest)
#include "test_main_dialog_references.moc"
