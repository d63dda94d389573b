#include "reference_pair_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>
#include <utility>

#include "controls/path_browse_control.h"
#include "frontend/reference_pair_problems.h"
#include "job/reference_pair.h"
#include "local_text.h"
#include "message_boxes.h"
#include "path_field_setup.h"

namespace wordgleaner {

ReferencePairDialog::ReferencePairDialog(MessageBoxes& messageBoxes,
                                         std::shared_ptr<PathChooser> pathChooser, QWidget* parent)
    : QDialog(parent), messages(messageBoxes), chooser(std::move(pathChooser)) {
    setWindowTitle(tr("Further reference pair"));
    auto* layout = new QVBoxLayout(this);
    foldersBox = new QCheckBox(tr("Two &folders of tra files instead of two files"), this);
    foldersBox->setObjectName("foldersBox");
    layout->addWidget(foldersBox);
    originalField = AddField(tr("Original &language"), "originalField");
    translatedField = AddField(tr("&Translated"), "translatedField");
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &ReferencePairDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ReferencePairDialog::reject);
    connect(foldersBox, &QCheckBox::toggled, this, &ReferencePairDialog::SetFolders);
    SetFolders(false);
}

PathBrowseControl* ReferencePairDialog::AddField(const QString& label, const char* name) {
    auto* field = MakePathField(name, chooser, this);
    auto* caption = new QLabel(label, this);
    caption->setBuddy(field);
    layout()->addWidget(caption);
    layout()->addWidget(field);
    return field;
}

void ReferencePairDialog::SetFolders(bool folders) {
    foldersBox->setChecked(folders);
    for (auto* field : {originalField, translatedField}) {
        SetReferenceFieldKind(*field, folders);
    }
}

ReferencePair ReferencePairDialog::Pair() const {
    return {ToLocalText(originalField->GetPath()), ToLocalText(translatedField->GetPath())};
}

void ReferencePairDialog::accept() {
    const std::string problem = FurtherReferencePairProblem(Pair());
    if (!problem.empty()) {
        messages.Show(this, MessageIcon::Error, tr("Failure"), FromLocalText(problem));
        return;
    }
    QDialog::accept();
}

}  // namespace wordgleaner
