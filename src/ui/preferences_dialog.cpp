#include "preferences_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <iterator>
#include <utility>

#include "frontend/offered_code_pages.h"
#include "message_boxes.h"

namespace wordgleaner {

namespace {

using namespace preferences_labels;

// Width of the two number fields, in average characters.
constexpr int NumberFieldChars = 9;
// The note under the threshold field is indented a little against its label.
constexpr int NoteIndent = 9;

constexpr std::array<std::int32_t, 3> CommentModes = {CommentNone, CommentPerfectMatch,
                                                      CommentMissingMatch};

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

QLineEdit* MakeNumberField(const char* name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setFixedWidth(field->fontMetrics().averageCharWidth() * NumberFieldChars);
    return field;
}

QPushButton* MakeButton(const char* text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(Text(text), parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

PreferencesDialog::PreferencesDialog(MessageBoxes& messageBoxes, PreferencesValues initial,
                                     QWidget* parent)
    : QDialog(parent), messages(messageBoxes), values(std::move(initial)) {
    setWindowTitle(Text(Caption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    BuildControls();
    ShowFields(FieldsShowing(values));
}

// Tab follows the order of the controls. It stops on the checked comment
// button; the arrow keys move between the three.
void PreferencesDialog::BuildControls() {
    auto* ok = MakeButton(Ok, "okButton", this);
    ok->setDefault(true);
    auto* cancel = MakeButton(Cancel, "cancelButton", this);
    for (std::size_t index = 0; index < CommentModes.size(); ++index) {
        commentButtons[index] = new QRadioButton(Text(CommentLabel(CommentModes[index])), this);
    }
    auto* groups = new QVBoxLayout;
    groups->addWidget(AddGroup(DataOutputGroup, {AddCheckBox(PreferencesCheck::LineInfoOnly)}));
    groups->addWidget(
        AddGroup(CommentsGroup, {commentButtons[0], commentButtons[1], commentButtons[2]}));
    groups->addWidget(
        AddGroup(MiscellaneousGroup, {AddCheckBox(PreferencesCheck::ReferenceFolders),
                                      AddCheckBox(PreferencesCheck::IncludeSubFolders),
                                      NumberRows(), AddCheckBox(PreferencesCheck::CompareSound),
                                      AddCheckBox(PreferencesCheck::PreferSameId)}));
    groups->addWidget(AddGroup(PatchGroup, {AddCheckBox(PreferencesCheck::GeneratePatch)}));
    groups->addWidget(
        AddGroup(ReviewGroup, {AddCheckBox(PreferencesCheck::WriteReview), CodePageRow()}));
    groups->addWidget(AddGroup(FailuresGroup, {AddCheckBox(PreferencesCheck::KeepGoing)}));
    auto* restoreDefaults =
        MakeButton(preferences_labels::RestoreDefaults, "restoreDefaultsButton", this);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    buttons->addWidget(restoreDefaults);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(groups, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(ok, &QPushButton::clicked, this, &PreferencesDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &PreferencesDialog::reject);
    connect(restoreDefaults, &QPushButton::clicked, this, &PreferencesDialog::RestoreDefaults);
    auto check = [this](PreferencesCheck box) { return checkBoxes[static_cast<std::size_t>(box)]; };
    const std::initializer_list<QWidget*> order = {ok,
                                                   cancel,
                                                   check(PreferencesCheck::LineInfoOnly),
                                                   commentButtons[0],
                                                   commentButtons[1],
                                                   commentButtons[2],
                                                   check(PreferencesCheck::ReferenceFolders),
                                                   check(PreferencesCheck::IncludeSubFolders),
                                                   minLikelinessField,
                                                   thresholdField,
                                                   check(PreferencesCheck::CompareSound),
                                                   check(PreferencesCheck::PreferSameId),
                                                   check(PreferencesCheck::GeneratePatch),
                                                   check(PreferencesCheck::WriteReview),
                                                   codePageField,
                                                   check(PreferencesCheck::KeepGoing),
                                                   restoreDefaults};
    for (auto next = std::next(order.begin()); next != order.end(); ++next) {
        setTabOrder(*std::prev(next), *next);
    }
}

QGroupBox* PreferencesDialog::AddGroup(const char* title, std::initializer_list<QWidget*> rows) {
    auto* group = new QGroupBox(Text(title), this);
    auto* layout = new QVBoxLayout(group);
    for (QWidget* row : rows) {
        row->setParent(group);
        layout->addWidget(row);
    }
    return group;
}

QCheckBox* PreferencesDialog::AddCheckBox(PreferencesCheck check) {
    auto* box = new QCheckBox(Text(CheckLabel(check)), this);
    checkBoxes[static_cast<std::size_t>(check)] = box;
    return box;
}

QWidget* PreferencesDialog::NumberRows() {
    auto* rows = new QWidget(this);
    minLikelinessField = MakeNumberField("minLikelinessField", rows);
    thresholdField = MakeNumberField("veryLikelyThresholdField", rows);
    auto* grid = new QGridLayout(rows);
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;
    for (auto [label, field] : {std::pair{MinLikeliness, minLikelinessField},
                                std::pair{VeryLikelyThreshold, thresholdField}}) {
        auto* caption = new QLabel(Text(label), rows);
        caption->setBuddy(field);
        grid->addWidget(caption, row, 0);
        grid->addWidget(field, row++, 1);
    }
    auto* hint = new QLabel(QString::fromStdString(ThresholdHint()), rows);
    hint->setContentsMargins(NoteIndent, 0, 0, 0);
    grid->addWidget(hint, row, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    return rows;
}

// Any code page the machine can decode may be typed beside those offered.
QWidget* PreferencesDialog::CodePageRow() {
    auto* row = new QWidget(this);
    codePageField = new QComboBox(row);
    codePageField->setObjectName("codePageField");
    codePageField->setEditable(true);
    codePageField->setInsertPolicy(QComboBox::NoInsert);
    for (const OfferedCodePage& offered : OfferedCodePages) {
        codePageField->addItem(QString::fromStdString(CodePageText(offered.number)));
    }
    auto* label = new QLabel(Text(CodePage), row);
    label->setBuddy(codePageField);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(codePageField);
    layout->addStretch();
    return row;
}

PreferencesFields PreferencesDialog::Fields() const {
    PreferencesFields fields;
    fields.minLikeliness = minLikelinessField->text().toStdString();
    fields.veryLikelyThreshold = thresholdField->text().toStdString();
    fields.codePage = codePageField->currentText().toStdString();
    for (std::size_t index = 0; index < CommentModes.size(); ++index) {
        if (commentButtons[index]->isChecked()) {
            fields.commentMode = CommentModes[index];
        }
    }
    for (std::size_t index = 0; index < PreferencesCheckCount; ++index) {
        fields.checks[index] = checkBoxes[index]->isChecked();
    }
    return fields;
}

void PreferencesDialog::ShowFields(const PreferencesFields& fields) {
    minLikelinessField->setText(QString::fromStdString(fields.minLikeliness));
    thresholdField->setText(QString::fromStdString(fields.veryLikelyThreshold));
    codePageField->setCurrentText(QString::fromStdString(fields.codePage));
    for (std::size_t index = 0; index < CommentModes.size(); ++index) {
        commentButtons[index]->setChecked(fields.commentMode == CommentModes[index]);
    }
    for (std::size_t index = 0; index < PreferencesCheckCount; ++index) {
        checkBoxes[index]->setChecked(fields.checks[index]);
    }
}

void PreferencesDialog::RestoreDefaults() {
    ShowFields(FieldsShowing(PreferencesValues()));
}

void PreferencesDialog::accept() {
    PreferencesAnswer answer = AcceptPreferences(Fields(), values);
    values = std::move(answer.values);
    for (const PreferencesProblem& problem : answer.problems) {
        Tell(problem);
    }
    if (answer.Accepted()) {
        QDialog::accept();
    }
}

QWidget* PreferencesDialog::FieldOf(OptionField field) const {
    switch (field) {
        case OptionField::MinLikeliness:
            return minLikelinessField;
        case OptionField::VeryLikelyThreshold:
            return thresholdField;
        case OptionField::CodePage:
            break;
    }
    return codePageField;
}

void PreferencesDialog::Tell(const PreferencesProblem& problem) {
    messages.Show(this, problem.icon, QString::fromStdString(problem.caption),
                  QString::fromStdString(problem.message));
    QWidget* field = FieldOf(problem.field);
    if (problem.focus) {
        field->setFocus(Qt::OtherFocusReason);
    }
    if (auto* edit = qobject_cast<QLineEdit*>(field); edit && problem.selectText) {
        edit->selectAll();
    }
}

}  // namespace wordgleaner
