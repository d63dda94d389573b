#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "controls/dialog_path_chooser.h"
#include "controls/path_browse_control.h"

using namespace wordgleaner;

namespace {

// Acts on the file dialog as soon as it runs modally.
void WhenTheDialogOpens(std::function<void(QFileDialog&)> action) {
    QTimer::singleShot(0, [action = std::move(action)] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        action(*dialog);
    });
}

QString MakeFile(const QTemporaryDir& folder, const QString& name) {
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return {};
    }
    return path;
}

FileChooserRequest FileRequestWith(unsigned flags, bool open = true) {
    FileChooserRequest request;
    request.flags = flags;
    request.open = open;
    return request;
}

}  // namespace

class DialogPathChooserTest : public QObject {
    Q_OBJECT

private slots:
    void pipeFiltersBecomeQtNameFilters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("the default") << "All Files (*.*)|*.*||" << QStringList{"All Files (*)"};
        QTest::newRow("several patterns")
            << "Tra files (*.tra)|*.tra;*.TRA|All Files (*.*)|*.*||"
            << QStringList{"Tra files (*.tra) (*.tra *.TRA)", "All Files (*)"};
        QTest::newRow("description without patterns")
            << "Tra files|*.tra||" << QStringList{"Tra files (*.tra)"};
        QTest::newRow("no closing pair") << "Text|*.txt" << QStringList{"Text (*.txt)"};
        QTest::newRow("a pair without a pattern is skipped")
            << "None||Text|*.txt||" << QStringList{"Text (*.txt)"};
        QTest::newRow("nothing") << "" << QStringList{};
    }

    void pipeFiltersBecomeQtNameFilters() {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(NameFiltersFromPipeFilter(filter), expected);
    }

    void folderFlagsChooseListingAndFolderMaking() {
        QFileDialog plain;
        ConfigureFolderDialog(plain, FolderChooserRequest{});
        QCOMPARE(plain.fileMode(), QFileDialog::Directory);
        QVERIFY(plain.testOption(QFileDialog::ShowDirsOnly));
        QVERIFY(plain.testOption(QFileDialog::ReadOnly));  // no new-folder button

        FolderChooserRequest request;
        request.flags = FolderReturnOnlyFileSystemDirs | FolderEditBox | FolderNewDialogStyle |
                        FolderIncludeFiles;
        request.title = QStringLiteral("Destination");
        request.prompt = QStringLiteral("Please select a folder from the list:");
        QFileDialog rich;
        ConfigureFolderDialog(rich, request);
        QVERIFY(!rich.testOption(QFileDialog::ShowDirsOnly));
        QVERIFY(!rich.testOption(QFileDialog::ReadOnly));
        QCOMPARE(rich.windowTitle(), request.title);
        auto* prompt = rich.findChild<QLabel*>(FolderPromptName);
        QVERIFY(prompt);
        QCOMPARE(prompt->text(), request.prompt);
    }

    // The prompt sits on its own line: the box that shows the folder's path
    // starts where it does without any prompt and is at least as wide, and the
    // prompt is above it.
    void thePromptLeavesThePathBoxItsWidth() {
        FolderChooserRequest request;
        QFileDialog plain;
        plain.setOption(QFileDialog::DontUseNativeDialog);
        ConfigureFolderDialog(plain, request);
        request.prompt = QStringLiteral("Please select a folder from the list:");
        QFileDialog prompted;
        prompted.setOption(QFileDialog::DontUseNativeDialog);
        ConfigureFolderDialog(prompted, request);
        ConfigureFolderDialog(prompted, request);  // a second set-up adds no second line
        for (QFileDialog* dialog : {&plain, &prompted}) {
            dialog->resize(600, 400);
            dialog->show();
        }
        auto* plainBox = plain.findChild<QComboBox*>(QStringLiteral("lookInCombo"));
        auto* promptedBox = prompted.findChild<QComboBox*>(QStringLiteral("lookInCombo"));
        QVERIFY(plainBox && promptedBox);
        QTRY_VERIFY(promptedBox->width() >= plainBox->width());
        QCOMPARE(promptedBox->x(), plainBox->x());
        QVERIFY(promptedBox->width() > prompted.width() / 2);
        QCOMPARE(prompted.findChildren<QLabel*>(FolderPromptName).size(), 1);
        auto* prompt = prompted.findChild<QLabel*>(FolderPromptName);
        QVERIFY(prompt->isVisible());
        QVERIFY(prompt->geometry().bottom() < promptedBox->geometry().top());
        QCOMPARE(prompted.labelText(QFileDialog::LookIn), plain.labelText(QFileDialog::LookIn));
    }

    void anExistingFolderIsSelectedInItsParent() {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkdir(QStringLiteral("mod")));
        FolderChooserRequest request;
        request.initialPath = root.filePath(QStringLiteral("mod"));
        QFileDialog dialog;
        ConfigureFolderDialog(dialog, request);
        QCOMPARE(QFileInfo(dialog.directory().absolutePath()).canonicalFilePath(),
                 QFileInfo(root.path()).canonicalFilePath());
    }

    void fileFlagsChooseTheFileMode_data() {
        QTest::addColumn<unsigned>("flags");
        QTest::addColumn<bool>("open");
        QTest::addColumn<int>("mode");
        QTest::newRow("default: several existing files")
            << DefaultFileChooserFlags << true << int(QFileDialog::ExistingFiles);
        QTest::newRow("must exist")
            << unsigned(FileMustExist) << true << int(QFileDialog::ExistingFile);
        QTest::newRow("create prompt")
            << unsigned(FileCreatePrompt) << true << int(QFileDialog::ExistingFile);
        QTest::newRow("any name") << 0U << true << int(QFileDialog::AnyFile);
        QTest::newRow("save ignores several")
            << DefaultFileChooserFlags << false << int(QFileDialog::AnyFile);
    }

    void fileFlagsChooseTheFileMode() {
        QFETCH(unsigned, flags);
        QFETCH(bool, open);
        QFETCH(int, mode);
        QFileDialog dialog;
        ConfigureFileDialog(dialog, FileRequestWith(flags, open));
        QCOMPARE(int(dialog.fileMode()), mode);
        QCOMPARE(dialog.acceptMode(), open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    }

    void saveChooserAsksBeforeOverwritingOnlyWhenTold() {
        QFileDialog asking;
        ConfigureFileDialog(asking, FileRequestWith(FileOverwritePrompt, false));
        QVERIFY(!asking.testOption(QFileDialog::DontConfirmOverwrite));
        QFileDialog silent;
        ConfigureFileDialog(silent, FileRequestWith(0, false));
        QVERIFY(silent.testOption(QFileDialog::DontConfirmOverwrite));
    }

    void fileChooserTakesTitleSuffixAndFilters() {
        FileChooserRequest request = FileRequestWith(DefaultFileChooserFlags);
        request.title = QStringLiteral("Reference file");
        request.defaultExtension = QStringLiteral(".tra");
        request.filter = QStringLiteral("Tra files (*.tra)|*.tra||");
        QFileDialog dialog;
        ConfigureFileDialog(dialog, request);
        QCOMPARE(dialog.windowTitle(), request.title);
        QCOMPARE(dialog.defaultSuffix(), QStringLiteral("tra"));
        QCOMPARE(dialog.nameFilters(), QStringList{QStringLiteral("Tra files (*.tra)")});
    }

    // The whole road through the real dialog, answered by code.
    void theStandardChooserReturnsTheAcceptedFile() {
        QTemporaryDir folder;
        const QString path = MakeFile(folder, QStringLiteral("dialog.tra"));
        QVERIFY(!path.isEmpty());
        PathBrowseControl control;
        WhenTheDialogOpens([path](QFileDialog& dialog) {
            dialog.selectFile(path);
            static_cast<QDialog&>(dialog).accept();  // public there, protected here
        });
        QCOMPARE(control.Browse(), int(PathBrowseControl::BrowseAccepted));
        QCOMPARE(QFileInfo(control.GetPath()).canonicalFilePath(),
                 QFileInfo(path).canonicalFilePath());
    }

    void theStandardChooserReportsACancel() {
        PathBrowseControl control(nullptr,
                                  PathBrowseControl::DefaultMode | PathBrowseControl::ModeFolder);
        control.SetPath(QStringLiteral("/kept"));
        WhenTheDialogOpens([](QFileDialog& dialog) { dialog.reject(); });
        QCOMPARE(control.Browse(), int(PathBrowseControl::BrowseCancelled));
        QCOMPARE(control.GetPath(), QStringLiteral("/kept"));
    }
};

QTEST_MAIN(DialogPathChooserTest)
#include "dialog_path_chooser_test.moc"
