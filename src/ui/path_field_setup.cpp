#include "path_field_setup.h"

#include <QString>

#include <utility>

#include "controls/path_browse_control.h"
#include "frontend/main_window_labels.h"

namespace wordgleaner {

namespace {

// Wide enough for a long path at a glance.
constexpr int FieldMinimumWidth = 420;

}  // namespace

const QString TraFileFilter = QStringLiteral("Tra files|*.tra;*.TRA;*.Tra|All files|*||");

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
    field.SetFilter(TraFileFilter);
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
