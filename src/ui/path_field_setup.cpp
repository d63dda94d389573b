#include "path_field_setup.h"

#include <QString>
#include <QStringList>

#include <utility>

#include "controls/path_browse_control.h"
#include "frontend/main_window_labels.h"

namespace wordgleaner {

namespace {

// Wide enough for a long path at a glance.
constexpr int FieldMinimumWidth = 420;

}  // namespace

QString ReferenceFileFilter() {
    QString filter;
    for (const ChooserFileType& type : ReferenceFileTypes(true)) {
        QStringList patterns;
        for (const std::string& pattern : type.patterns) {
            patterns << QString::fromStdString(pattern);
        }
        filter += QString::fromStdString(type.description) + QLatin1Char('|') +
                  patterns.join(QLatin1Char(';')) + QLatin1Char('|');
    }
    return filter + QLatin1Char('|');
}

PathBrowseControl* MakePathField(const char* name, std::shared_ptr<PathChooser> chooser,
                                 QWidget* parent) {
    auto* field = new PathBrowseControl(parent);
    field->setObjectName(name);
    field->setMinimumWidth(FieldMinimumWidth);
    field->ModifyMode(0, PathBrowseControl::ModeEditable);
    field->SetExistenceCheck(true);
    if (chooser) {
        field->SetChooser(std::move(chooser));
    }
    return field;
}

void SetReferenceFieldKind(PathBrowseControl& field, bool folders) {
    field.ModifyMode(PathBrowseControl::ModeFolder,
                     folders ? unsigned{PathBrowseControl::ModeFolder} : 0U);
    field.SetFilter(ReferenceFileFilter());
}

// The destination's chooser offers to make a new folder.
void ShowFieldKind(PathBrowseControl& control, PathField field, bool referenceFolders) {
    control.SetChooserTitle(QString::fromUtf8(ChooserTitle(field, referenceFolders)));
    if (field == PathField::ReferenceOriginal || field == PathField::ReferenceTranslated) {
        SetReferenceFieldKind(control, referenceFolders);
        return;
    }
    control.ModifyMode(0, PathBrowseControl::ModeFolder);
    if (field == PathField::DestinationDirectory) {
        control.SetFolderFlags(FolderReturnOnlyFileSystemDirs | FolderEditBox |
                               FolderNewDialogStyle);
    }
}

}  // namespace wordgleaner
