#include "controls/dialog_path_chooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>

#include <vector>

namespace wordgleaner {

// How the chooser flags map onto QFileDialog.
//
// Folder chooser (QFileDialog::Directory):
//   FolderReturnOnlyFileSystemDirs  always so: the dialog only ever returns file system folders
//   FolderIncludeFiles              files are listed too; without it ShowDirsOnly
//   FolderNewDialogStyle            the "new folder" button is available; without it, or
//   FolderNoNewFolderButton         with this flag, the dialog is ReadOnly (no new folder,
//                                   no renaming or deleting from inside the chooser)
//   FolderEditBox                   always so: the dialog always has its path field
//   prompt                          a line of its own above Qt's own dialog, so the path box
//                                   keeps its width (a platform's native dialog has no place
//                                   for it)
//   initialPath                     an existing folder is selected in its parent
//
// File chooser:
//   open / save                     AcceptOpen / AcceptSave
//   FileAllowMultiSelect (open)     ExistingFiles
//   FileMustExist (open)            ExistingFile
//   FileCreatePrompt (open)         ExistingFile: Qt cannot ask before creating, so a name
//                                   that does not exist cannot be taken
//   none of these (open), or save   AnyFile
//   FileOverwritePrompt (save)      without it DontConfirmOverwrite
//   FileNoDereferenceLinks          DontResolveSymlinks
//   FileReadOnly, FileHideReadOnly  Qt has no read-only box: the result reports the box's
//                                   initial state (checked when FileReadOnly and shown)
//   FileExplorer, FileEnableSizing, always so in Qt's dialogs; FileNoChangeDir needs nothing
//   FilePathMustExist,              (Qt never changes the working folder), and Qt refuses
//   FileNoReadOnlyReturn            names in folders that do not exist by itself
//   defaultExtension                defaultSuffix
//   filter                          nameFilters (NameFiltersFromPipeFilter)
//   initialPath                     selected, so the chooser opens in its folder with the name

namespace {

// On Windows "*.*" means every file; elsewhere it would only match names with a dot.
QString QtPattern(const QString& pattern) {
    return pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern;
}

QStringList SplitPatterns(const QString& patterns) {
    QStringList result;
    for (const QString& part : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = part.trimmed();
        if (!trimmed.isEmpty()) {
            result << trimmed;
        }
    }
    return result;
}

// "All Files (*.*)" with the pattern "*.*" drops its own "(*.*)", which Qt
// would otherwise take for the patterns; any other description is kept whole.
QString FilterLabel(const QString& description, const QStringList& patterns) {
    const QString label = description.trimmed();
    const qsizetype open = label.lastIndexOf(QLatin1Char('('));
    if (open < 0 || !label.endsWith(QLatin1Char(')'))) {
        return label;
    }
    const QString inside = label.mid(open + 1, label.size() - open - 2);
    QStringList described = SplitPatterns(QString(inside).replace(QLatin1Char(' '), ';'));
    if (described == patterns) {
        return label.left(open).trimmed();
    }
    return label;
}

void SelectInitialPath(QFileDialog& dialog, const QString& path) {
    if (!path.isEmpty()) {
        dialog.selectFile(QFileInfo(path).absoluteFilePath());
    }
}

QFileDialog::FileMode OpenFileMode(unsigned flags) {
    if (flags & FileAllowMultiSelect) {
        return QFileDialog::ExistingFiles;
    }
    if (flags & (FileMustExist | FileCreatePrompt)) {
        return QFileDialog::ExistingFile;
    }
    return QFileDialog::AnyFile;
}

// Every item of the grid one row lower, so that row 0 is free.
void MoveRowsDown(QGridLayout& grid) {
    struct Placed {
        QLayoutItem* item;
        int row, column, rowSpan, columnSpan;
    };
    std::vector<Placed> placed;
    while (grid.count() > 0) {
        Placed next{};
        grid.getItemPosition(0, &next.row, &next.column, &next.rowSpan, &next.columnSpan);
        next.item = grid.takeAt(0);
        placed.push_back(next);
    }
    for (const Placed& item : placed) {
        grid.addItem(item.item, item.row + 1, item.column, item.rowSpan, item.columnSpan);
    }
}

// Qt's own dialog gets the prompt on a line of its own above its controls: as
// the label beside the "look in" box, a prompt as long as the default one
// would take most of the width the path in that box needs.
void ShowPromptAbove(QFileDialog& dialog, const QString& prompt) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid) {
        return;  // a native dialog, which has no place for it
    }
    auto* label = dialog.findChild<QLabel*>(FolderPromptName);
    if (!label) {
        MoveRowsDown(*grid);
        label = new QLabel(&dialog);
        label->setObjectName(FolderPromptName);
        label->setWordWrap(true);
        grid->addWidget(label, 0, 0, 1, grid->columnCount());
    }
    label->setText(prompt);
}

bool ReadOnlyBoxChecked(unsigned flags) {
    return (flags & FileReadOnly) && !(flags & FileHideReadOnly);
}

}  // namespace

QStringList NameFiltersFromPipeFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList nameFilters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        if (description.isEmpty() && parts[i + 1].isEmpty()) {
            break;  // the empty pair that ends the list
        }
        const QStringList patterns = SplitPatterns(parts[i + 1]);
        if (patterns.isEmpty()) {
            continue;
        }
        QStringList qtPatterns;
        for (const QString& pattern : patterns) {
            qtPatterns << QtPattern(pattern);
        }
        const QString label = FilterLabel(description, patterns);
        const QString joined =
            QLatin1Char('(') + qtPatterns.join(QLatin1Char(' ')) + QLatin1Char(')');
        nameFilters << (label.isEmpty() ? joined : label + QLatin1Char(' ') + joined);
    }
    return nameFilters;
}

void ConfigureFolderDialog(QFileDialog& dialog, const FolderChooserRequest& request) {
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, !(request.flags & FolderIncludeFiles));
    const bool canMakeFolders =
        (request.flags & FolderNewDialogStyle) && !(request.flags & FolderNoNewFolderButton);
    dialog.setOption(QFileDialog::ReadOnly, !canMakeFolders);
    if (!request.title.isEmpty()) {
        dialog.setWindowTitle(request.title);
    }
    if (!request.prompt.isEmpty()) {
        ShowPromptAbove(dialog, request.prompt);
    }
    if (QFileInfo(request.initialPath).isDir()) {
        SelectInitialPath(dialog, request.initialPath);
    }
}

void ConfigureFileDialog(QFileDialog& dialog, const FileChooserRequest& request) {
    const unsigned flags = request.flags;
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.open ? OpenFileMode(flags) : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(flags & FileOverwritePrompt));
    dialog.setOption(QFileDialog::DontResolveSymlinks, (flags & FileNoDereferenceLinks) != 0);
    const QStringList nameFilters = NameFiltersFromPipeFilter(request.filter);
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
    }
    QString suffix = request.defaultExtension;
    while (suffix.startsWith(QLatin1Char('.'))) {
        suffix.remove(0, 1);
    }
    dialog.setDefaultSuffix(suffix);
    if (!request.title.isEmpty()) {
        dialog.setWindowTitle(request.title);
    }
    SelectInitialPath(dialog, request.initialPath);
}

// The dialogs live on the stack for the length of one modal run; their owner
// cannot be closed meanwhile, since the run blocks input to it.
ChooserResult DialogPathChooser::ChooseFolder(const FolderChooserRequest& request) {
    QFileDialog dialog(request.owner);
    ConfigureFolderDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return {true, {dialog.selectedFiles().constFirst()}, false};
}

ChooserResult DialogPathChooser::ChooseFiles(const FileChooserRequest& request) {
    QFileDialog dialog(request.owner);
    ConfigureFileDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return {true, dialog.selectedFiles(), ReadOnlyBoxChecked(request.flags)};
}

}  // namespace wordgleaner
