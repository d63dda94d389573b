#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "fake_message_boxes.h"
#include "job/recovery_options.h"
#include "job/validate_options.h"
#include "support/option_cases.h"
#include "ui/number_text.h"
#include "ui/preferences_dialog.h"

using namespace wordgleaner;

namespace {

QCheckBox* CheckBox(QWidget& dialog, const QString& text) {
    for (auto* box : dialog.findChildren<QCheckBox*>()) {
        if (box->text() == text) {
            return box;
        }
    }
    return nullptr;
}

QRadioButton* RadioButton(QWidget& dialog, const QString& text) {
    for (auto* button : dialog.findChildren<QRadioButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

bool HasLabel(QWidget& dialog, const QString& text) {
    for (auto* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == text) {
            return true;
        }
    }
    return false;
}

QLineEdit* MinimumField(QWidget& dialog) {
    return dialog.findChild<QLineEdit*>("minLikelinessField");
}
QLineEdit* ThresholdField(QWidget& dialog) {
    return dialog.findChild<QLineEdit*>("veryLikelyThresholdField");
}
QLineEdit* FieldOf(QWidget& dialog, OptionField field) {
    return field == OptionField::MinLikeliness ? MinimumField(dialog) : ThresholdField(dialog);
}
const char* FieldName(OptionField field) {
    return field == OptionField::MinLikeliness ? "minimum" : "threshold";
}

// One "Invalid value" error box per fault, in order, with the core's words.
void ExpectInvalidValueBoxes(const FakeMessageBoxes& boxes,
                             const std::vector<OptionFault>& faults) {
    QCOMPARE(int(boxes.shown.size()), int(faults.size()));
    for (std::size_t index = 0; index < faults.size(); ++index) {
        QCOMPARE(boxes.shown[index].caption, QString("Invalid value"));
        QCOMPARE(boxes.shown[index].icon, MessageIcon::Error);
        QCOMPARE(boxes.shown[index].text, QString::fromStdString(faults[index].message));
    }
}

const QString LineInfoText = "Output line matching information instead of copying the texts";
const QString CompareSoundText = "Compare sound reference as well (no matching if different)";
const QString PatchText = "Generate TP2 patch associated to the tra file";
const QString NoCommentText = "None";
const QString PerfectCommentText = "Add comment before entries with perfect match with reference";
const QString MissingCommentText = "Add comment before entries without perfect or likely match";
const QString KeepGoingText = "Skip mod files that fail to load or save, and go on";

}  // namespace

class PreferencesDialogTest : public QObject {
    Q_OBJECT

private slots:
    void theMultipleReferenceOptionIsShownButCannotBeChosen() {
        FakeMessageBoxes messages;
        PreferencesDialog dialog(messages);
        auto* multiple = CheckBox(
            dialog, "Use multiple reference files in a directory instead of a single reference");
        QVERIFY(multiple && !multiple->isEnabled());
        QVERIFY(HasLabel(dialog,
                         "Threshold to consider as equivalent to a perfect match (shall be > 90)"));
    }

    void settersShowTheirValuesAndUnknownCommentModesShowNone() {
        FakeMessageBoxes messages;
        PreferencesDialog dialog(messages);
        dialog.SetMinLikeliness(12.5);
        dialog.SetVeryLikelyThreshold(99.125);
        dialog.SetLineInfoOnly(true);
        dialog.SetGeneratePatch(true);
        dialog.SetCompareSound(false);
        dialog.SetCommentMode(CommentMissingMatch);
        QCOMPARE(MinimumField(dialog)->text(), QString("12.5"));
        QCOMPARE(ThresholdField(dialog)->text(), QString("99.125"));
        QVERIFY(CheckBox(dialog, LineInfoText)->isChecked());
        QVERIFY(CheckBox(dialog, PatchText)->isChecked());
        QVERIFY(!CheckBox(dialog, CompareSoundText)->isChecked());
        QVERIFY(RadioButton(dialog, MissingCommentText)->isChecked());

        dialog.SetCommentMode(7);
        QVERIFY(RadioButton(dialog, NoCommentText)->isChecked());
    }

    void numbersAreShownInTheShortestFormUpToFifteenDigits() {
        QCOMPARE(FormatNumber(50.0), QString("50"));
        QCOMPARE(FormatNumber(12.5), QString("12.5"));
        QCOMPARE(FormatNumber(0.1), QString("0.1"));
        QCOMPARE(FormatNumber(100.0 / 3.0), QString("33.3333333333333"));
        QCOMPARE(FormatNumber(-1.0), QString("-1"));
    }

    void onlyWholeDecimalNumbersAreReadAsNumbers() {
        QCOMPARE(ParseNumber(" 12.5 ").value_or(-1), 12.5);
        QCOMPARE(ParseNumber("1e2").value_or(-1), 100.0);
        QCOMPARE(ParseNumber("-0").value_or(-1), 0.0);
        for (const char* text : {"", "  ", "abc", "12,5", "12.5%", "1 2", "nan", "inf", "0x10"}) {
            QVERIFY2(!ParseNumber(text), text);
        }
    }

    void percentagesAreCheckedWithTheRangesAndMessagesOfTheCore_data() {
        QTest::addColumn<int>("index");
        for (std::size_t index = 0; index < test_support::PercentOptionCases.size(); ++index) {
            const test_support::OptionCase& option = test_support::PercentOptionCases[index];
            QTest::addRow("%s %s", FieldName(option.field), option.text) << int(index);
        }
    }
    void percentagesAreCheckedWithTheRangesAndMessagesOfTheCore() {
        QFETCH(int, index);
        const test_support::OptionCase& option = test_support::PercentOptionCases[index];
        const std::vector<OptionFault> faults = test_support::CoreFaults(option);
        FakeMessageBoxes boxes;
        PreferencesDialog dialog(boxes);
        dialog.show();
        QLineEdit* field = FieldOf(dialog, option.field);
        field->setText(option.text);
        dialog.accept();

        // A refused value is never taken: the field keeps the default.
        const RecoveryOptions taken =
            faults.empty() ? test_support::OptionsWith(option) : RecoveryOptions{};
        QCOMPARE(dialog.MinLikeliness(), taken.search.minLikeliness);
        QCOMPARE(dialog.VeryLikelyThreshold(), taken.veryLikelyThreshold);
        if (faults.empty()) {
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QVERIFY(boxes.shown.empty());
            return;
        }
        QVERIFY(dialog.isVisible());
        QCOMPARE(field->text(), QString(option.text));  // what was typed stays for correcting
        ExpectInvalidValueBoxes(boxes, faults);
    }

    void bothOutOfRangeValuesAreToldInFieldOrder() {
        FakeMessageBoxes boxes;
        PreferencesDialog dialog(boxes);
        dialog.show();
        MinimumField(dialog)->setText("-1");
        ThresholdField(dialog)->setText("89");
        dialog.accept();

        QVERIFY(dialog.isVisible());
        RecoveryOptions typed;
        typed.search.minLikeliness = -1;
        typed.veryLikelyThreshold = 89;
        ExpectInvalidValueBoxes(boxes, ValidateOptions(typed));
        QCOMPARE(int(boxes.shown.size()), 2);
    }

    void aNonNumberIsRefusedAndItsFieldSelected() {
        FakeMessageBoxes messages;
        PreferencesDialog dialog(messages);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        ThresholdField(dialog)->setText("ninety");
        dialog.accept();

        QVERIFY(dialog.isVisible());
        QCOMPARE(messages.shown.size(), std::size_t{1});
        QCOMPARE(messages.shown[0].text, QString("Please enter a number."));
        QCOMPARE(dialog.focusWidget(), ThresholdField(dialog));
        QCOMPARE(ThresholdField(dialog)->selectedText(), QString("ninety"));
        QCOMPARE(dialog.VeryLikelyThreshold(), 95.0);
    }

    void aNonNumberInTheFirstFieldStopsBeforeTheSecondIsRead() {
        FakeMessageBoxes messages;
        PreferencesDialog dialog(messages);
        dialog.show();
        MinimumField(dialog)->setText("");
        ThresholdField(dialog)->setText("also wrong");
        dialog.accept();
        QCOMPARE(messages.shown.size(), std::size_t{1});
        QCOMPARE(messages.shown[0].text, QString("Please enter a number."));
    }

    void checkBoxesAreTakenEvenWhenANumberIsRefused() {
        FakeMessageBoxes messages;
        PreferencesDialog dialog(messages);
        dialog.show();
        CheckBox(dialog, PatchText)->setChecked(true);
        ThresholdField(dialog)->setText("80");
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.GeneratePatch());
    }

    void skippingFailingModFilesIsOffByDefaultAndTakenOnOkOnly() {
        FakeMessageBoxes messages;
        PreferencesDialog dialog(messages);
        dialog.show();
        QVERIFY(!CheckBox(dialog, KeepGoingText)->isChecked());
        QVERIFY(!dialog.KeepGoing());

        CheckBox(dialog, KeepGoingText)->setChecked(true);
        QVERIFY(!dialog.KeepGoing());
        dialog.accept();
        QVERIFY(dialog.KeepGoing());

        dialog.SetKeepGoing(false);
        QVERIFY(!CheckBox(dialog, KeepGoingText)->isChecked());
    }

    void clickingARadioButtonSetsTheCommentModeAtOnce() {
        FakeMessageBoxes messages;
        PreferencesDialog dialog(messages);
        dialog.show();
        RadioButton(dialog, MissingCommentText)->click();
        QCOMPARE(dialog.CommentMode(), std::int32_t{CommentMissingMatch});
        RadioButton(dialog, NoCommentText)->click();
        QCOMPARE(dialog.CommentMode(), std::int32_t{CommentNone});
        QVERIFY(!RadioButton(dialog, PerfectCommentText)->isChecked());
    }

    void escapeEndsTheDialogWithCancelWithoutAnyCheck() {
        FakeMessageBoxes messages;
        PreferencesDialog dialog(messages);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        ThresholdField(dialog)->setText("not checked");
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
        QVERIFY(messages.shown.empty());
    }
};

QTEST_MAIN(PreferencesDialogTest)
#include "test_preferences_dialog.moc"
