#include "path_field_setup.h"

#include <QGridLayout>
#include <QLabel>
#include <QString>
#include <QStringList>

#include <utility>

#include "controls/path_browse_control.h"
#include "frontend/decisions_field.h"
#include "frontend/main_window_labels.h"

namespace wordgleaner {

namespace {

// Wide enough for a long path at a glance.
constexpr int FieldMinimumWidth = 420;

// The chooser's pipe form of a list of file types.
QString ChooserFilter(const std::vector<ChooserFileType>& types) {
    QString filter;
    for (const ChooserFileType& type : types) {
        QStringList patterns;
        for (const std::string& pattern : type.patterns) {
            patterns << QString::fromStdString(pattern);
        }
        filter += QString::fromStdString(type.description) + QLatin1Char('|') +
                  patterns.join(QLatin1Char(';')) + QLatin1Char('|');
    }
    return filter + QLatin1Char('|');
}

}  // namespace

QString ReferenceFileFilter() {
    return ChooserFilter(ReferenceFileTypes(true));
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

PathBrowseControl* MakeDecisionsField(std::shared_ptr<PathChooser> chooser, QWidget* parent) {
    PathBrowseControl* field = MakePathField("reviewDecisionsField", std::move(chooser), parent);
    field->ModifyMode(PathBrowseControl::ModeFolder, 0);
    field->SetFilter(ChooserFilter(DecisionsFileTypes()));
    field->SetChooserTitle(QString::fromUtf8(DecisionsChooserTitle));
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

QLabel* AddLabelledRow(QGridLayout& layout, int& row, const QString& label, QWidget* widget) {
    auto* shown = new QLabel(label, layout.parentWidget());
    shown->setBuddy(widget);
    layout.addWidget(shown, row++, 0);
    layout.addWidget(widget, row++, 0);
    return shown;
}

}  // namespace wordgleaner
