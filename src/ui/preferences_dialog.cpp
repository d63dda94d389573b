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

#include <initializer_list>
#include <iterator>

#include "job/number_text.h"
#include "job/recovery_options.h"
#include "job/validate_options.h"
#include "matching/output/number_format.h"
#include "message_boxes.h"
#include "settings_keys.h"

namespace wordgleaner {

namespace {

// Width of the two number fields, in average characters.
constexpr int NumberFieldChars = 9;
// The note under the threshold field is indented a little against its label.
constexpr int NoteIndent = 9;

const QString InvalidValueCaption = QStringLiteral("Invalid value");

QString FormatNumber(double value) {
    return QString::fromStdString(FormatShortest(value));
}

QLineEdit* MakeNumberField(QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setFixedWidth(field->fontMetrics().averageCharWidth() * NumberFieldChars);
    return field;
}

QRadioButton* MakeRadioButton(const QString& text, QWidget* parent) {
    return new QRadioButton(text, parent);
}

QLabel* MakeFieldLabel(const QString& text, QLineEdit* field, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    return label;
}

}  // namespace

PreferencesDialog::PreferencesDialog(MessageBoxes& messageBoxes, QWidget* parent)
    : QDialog(parent), messages(messageBoxes) {
    setWindowTitle(tr("Preferences"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    BuildControls();
    RestoreDefaults();
}

void PreferencesDialog::BuildControls() {
    auto* dataOutput = new QGroupBox(tr("Data output (for perfect match)"), this);
    lineInfoOnlyBox = new QCheckBox(
        tr("&Output line matching information instead of copying the texts"), dataOutput);
    auto* dataOutputLayout = new QVBoxLayout(dataOutput);
    dataOutputLayout->addWidget(lineInfoOnlyBox);

    auto* comments = new QGroupBox(tr("Comments on retrieved texts"), this);
    noCommentButton = MakeRadioButton(tr("&None"), comments);
    perfectMatchCommentButton = MakeRadioButton(
        tr("Add comment before entries with &perfect match with reference"), comments);
    missingMatchCommentButton = MakeRadioButton(
        tr("Add comment before entries &without perfect or likely match"), comments);
    auto* commentsLayout = new QVBoxLayout(comments);
    commentsLayout->addWidget(noCommentButton);
    commentsLayout->addWidget(perfectMatchCommentButton);
    commentsLayout->addWidget(missingMatchCommentButton);
    connect(noCommentButton, &QRadioButton::clicked, this, [this] { commentMode = CommentNone; });
    connect(perfectMatchCommentButton, &QRadioButton::clicked, this,
            [this] { commentMode = CommentPerfectMatch; });
    connect(missingMatchCommentButton, &QRadioButton::clicked, this,
            [this] { commentMode = CommentMissingMatch; });

    auto* miscellaneous = new QGroupBox(tr("Miscellaneous"), this);
    referenceFoldersBox = new QCheckBox(
        tr("Use m&ultiple reference files in a directory instead of a single reference"),
        miscellaneous);
    referenceFoldersBox->setObjectName("multipleReferencesBox");
    minLikelinessField = MakeNumberField(miscellaneous);
    minLikelinessField->setObjectName("minLikelinessField");
    thresholdField = MakeNumberField(miscellaneous);
    thresholdField->setObjectName("veryLikelyThresholdField");
    auto* thresholdNote =
        new QLabel(tr("Threshold to consider as equivalent to a perfect match (shall be > %1)")
                       .arg(FormatNumber(VeryLikelyThresholdRange.lowest)),
                   miscellaneous);
    compareSoundBox = new QCheckBox(
        tr("Compare &sound reference as well (no matching if different)"), miscellaneous);
    auto* numbers = new QGridLayout;
    numbers->addWidget(
        MakeFieldLabel(tr("Minimum &likeliness percentage"), minLikelinessField, miscellaneous), 0,
        0);
    numbers->addWidget(minLikelinessField, 0, 1);
    numbers->addWidget(MakeFieldLabel(tr("Likeliness t&hreshold to assume matching"),
                                      thresholdField, miscellaneous),
                       1, 0);
    numbers->addWidget(thresholdField, 1, 1);
    numbers->setColumnStretch(2, 1);
    auto* note = new QHBoxLayout;
    note->addSpacing(NoteIndent);
    note->addWidget(thresholdNote);
    auto* miscellaneousLayout = new QVBoxLayout(miscellaneous);
    miscellaneousLayout->addWidget(referenceFoldersBox);
    miscellaneousLayout->addLayout(numbers);
    miscellaneousLayout->addLayout(note);
    miscellaneousLayout->addWidget(compareSoundBox);

    auto* patch = new QGroupBox(tr("Patch generation (EE game translation assistance)"), this);
    generatePatchBox = new QCheckBox(tr("&Generate TP2 patch associated to the tra file"), patch);
    auto* patchLayout = new QVBoxLayout(patch);
    patchLayout->addWidget(generatePatchBox);

    auto* ok = new QPushButton(tr("O&K"), this);
    ok->setDefault(true);
    ok->setObjectName("okButton");
    auto* cancel = new QPushButton(tr("&Cancel"), this);
    cancel->setObjectName("cancelButton");
    auto* restoreDefaults = new QPushButton(tr("&Restore defaults"), this);
    restoreDefaults->setObjectName("restoreDefaultsButton");
    connect(ok, &QPushButton::clicked, this, &PreferencesDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &PreferencesDialog::reject);
    connect(restoreDefaults, &QPushButton::clicked, this, &PreferencesDialog::RestoreDefaults);

    auto* groups = new QVBoxLayout;
    groups->addWidget(dataOutput);
    groups->addWidget(comments);
    groups->addWidget(miscellaneous);
    groups->addWidget(patch);
    groups->addWidget(BuildReviewGroup());
    groups->addWidget(BuildFailureGroup());
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    buttons->addWidget(restoreDefaults);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(groups, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Tab order follows the order of the controls. Tab stops on the checked
    // comment button; the arrow keys move between the three.
    const std::initializer_list<QWidget*> order = {ok,
                                                   cancel,
                                                   lineInfoOnlyBox,
                                                   noCommentButton,
                                                   perfectMatchCommentButton,
                                                   missingMatchCommentButton,
                                                   referenceFoldersBox,
                                                   minLikelinessField,
                                                   thresholdField,
                                                   compareSoundBox,
                                                   generatePatchBox,
                                                   writeReviewBox,
                                                   codePageField,
                                                   keepGoingBox,
                                                   restoreDefaults};
    for (auto next = std::next(order.begin()); next != order.end(); ++next) {
        setTabOrder(*std::prev(next), *next);
    }
}

void PreferencesDialog::RestoreDefaults() {
    const RecoveryOptions defaults;
    SetMinLikeliness(defaults.search.minLikeliness);
    SetVeryLikelyThreshold(defaults.veryLikelyThreshold);
    SetLineInfoOnly(defaults.lineInfoOnly);
    SetCommentMode(defaults.commentMode);
    SetGeneratePatch(defaults.generatePatch);
    SetCompareSound(defaults.search.compareSound);
    SetWriteReview(defaults.writeReview);
    SetCodePage(defaults.codePage);
    SetKeepGoing(defaults.keepGoing);
    SetReferenceFolders(settings_keys::ReferenceFoldersDefault);
}

// The code pages offered are the common Windows ones; any other the machine
// can decode may be typed.
QGroupBox* PreferencesDialog::BuildReviewGroup() {
    auto* review = new QGroupBox(tr("Review"), this);
    writeReviewBox = new QCheckBox(
        tr("Write a re&view page (Wordgleaner_review.html and .csv in the destination)"), review);
    writeReviewBox->setObjectName("writeReviewBox");
    codePageField = new QComboBox(review);
    codePageField->setObjectName("codePageField");
    codePageField->setEditable(true);
    codePageField->setInsertPolicy(QComboBox::NoInsert);
    for (int offered :
         {1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 874, 932, 936, 949, 950, 65001}) {
        codePageField->addItem(QString::number(offered));
    }
    auto* codePageRow = new QHBoxLayout;
    auto* label = new QLabel(tr("Co&de page of texts that are not UTF-8"), review);
    label->setBuddy(codePageField);
    codePageRow->addWidget(label);
    codePageRow->addWidget(codePageField);
    codePageRow->addStretch();
    auto* layout = new QVBoxLayout(review);
    layout->addWidget(writeReviewBox);
    layout->addLayout(codePageRow);
    return review;
}

QWidget* PreferencesDialog::BuildFailureGroup() {
    auto* failures = new QGroupBox(tr("Failing mod files"), this);
    keepGoingBox =
        new QCheckBox(tr("Skip mod f&iles that fail to load or save, and go on"), failures);
    keepGoingBox->setObjectName("keepGoingBox");
    auto* layout = new QVBoxLayout(failures);
    layout->addWidget(keepGoingBox);
    return failures;
}

void PreferencesDialog::SetMinLikeliness(double value) {
    minLikeliness = value;
    minLikelinessField->setText(FormatNumber(value));
}

void PreferencesDialog::SetVeryLikelyThreshold(double value) {
    veryLikelyThreshold = value;
    thresholdField->setText(FormatNumber(value));
}

void PreferencesDialog::SetLineInfoOnly(bool value) {
    lineInfoOnly = value;
    lineInfoOnlyBox->setChecked(value);
}

void PreferencesDialog::SetCommentMode(std::int32_t value) {
    commentMode = value;
    switch (value) {
        case CommentPerfectMatch:
            perfectMatchCommentButton->setChecked(true);
            break;
        case CommentMissingMatch:
            missingMatchCommentButton->setChecked(true);
            break;
        default:
            noCommentButton->setChecked(true);
            break;
    }
}

void PreferencesDialog::SetGeneratePatch(bool value) {
    generatePatch = value;
    generatePatchBox->setChecked(value);
}

void PreferencesDialog::SetCompareSound(bool value) {
    compareSound = value;
    compareSoundBox->setChecked(value);
}

void PreferencesDialog::SetWriteReview(bool value) {
    writeReview = value;
    writeReviewBox->setChecked(value);
}

void PreferencesDialog::SetCodePage(std::int32_t value) {
    codePage = value;
    codePageField->setCurrentText(QString::number(value));
}

void PreferencesDialog::SetKeepGoing(bool value) {
    keepGoing = value;
    keepGoingBox->setChecked(value);
}

void PreferencesDialog::SetReferenceFolders(bool value) {
    referenceFolders = value;
    referenceFoldersBox->setChecked(value);
}

std::optional<double> PreferencesDialog::ReadNumberField(QLineEdit* field) {
    auto number = ParseDecimal(field->text().toStdString());
    if (!number) {
        messages.Show(this, MessageIcon::Warning, tr("Wordgleaner"),
                      QString::fromUtf8(NotANumberMessage));
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    }
    return number;
}

bool PreferencesDialog::TakeMinLikeliness(double value) {
    if (std::optional<OptionFault> fault = CheckMinLikeliness(value)) {
        ShowInvalidValue(fault->message);
        return false;
    }
    minLikeliness = value;
    return true;
}

bool PreferencesDialog::TakeVeryLikelyThreshold(double value) {
    if (std::optional<OptionFault> fault = CheckVeryLikelyThreshold(value)) {
        ShowInvalidValue(fault->message);
        return false;
    }
    veryLikelyThreshold = value;
    return true;
}

void PreferencesDialog::ShowInvalidValue(const std::string& message) {
    messages.Show(this, MessageIcon::Error, InvalidValueCaption, QString::fromStdString(message));
}

void PreferencesDialog::TakeCheckBoxes() {
    lineInfoOnly = lineInfoOnlyBox->isChecked();
    generatePatch = generatePatchBox->isChecked();
    compareSound = compareSoundBox->isChecked();
    keepGoing = keepGoingBox->isChecked();
    referenceFolders = referenceFoldersBox->isChecked();
}

// The check box is taken whatever the code page says, as the other check
// boxes are.
bool PreferencesDialog::TakeReviewSettings() {
    writeReview = writeReviewBox->isChecked();
    const std::optional<std::int32_t> typed =
        ParseWhole(codePageField->currentText().toStdString());
    if (!typed) {
        ShowInvalidValue(std::string(NotANumberMessage));
        codePageField->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (std::optional<OptionFault> fault = CheckCodePage(*typed)) {
        ShowInvalidValue(fault->message);
        codePageField->setFocus(Qt::OtherFocusReason);
        return false;
    }
    codePage = *typed;
    return true;
}

void PreferencesDialog::accept() {
    const auto minimum = ReadNumberField(minLikelinessField);
    if (!minimum) {
        return;
    }
    const auto threshold = ReadNumberField(thresholdField);
    if (!threshold) {
        return;
    }
    // Both ranges are checked, so the user hears about every bad value at once.
    const bool minimumTaken = TakeMinLikeliness(*minimum);
    const bool thresholdTaken = TakeVeryLikelyThreshold(*threshold);
    TakeCheckBoxes();
    const bool reviewTaken = TakeReviewSettings();
    if (minimumTaken && thresholdTaken && reviewTaken) {
        QDialog::accept();
    }
}

}  // namespace wordgleaner
