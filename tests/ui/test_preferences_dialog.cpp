#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include "fake_message_boxes.h"
#include "job/recovery_options.h"
#include "job/validate_options.h"
#include "support/option_cases.h"
#include "ui/preferences_dialog.h"

using namespace wordgleaner;

namespace {

// What a label reads, without the mnemonic markers.
QString Shown(QString text) {
    return text.remove(QLatin1Char('&'));
}

QCheckBox* CheckBox(QWidget& dialog, const QString& text) {
    for (auto* box : dialog.findChildren<QCheckBox*>()) {
        if (Shown(box->text()) == text) {
            return box;
        }
    }
    return nullptr;
}

QRadioButton* RadioButton(QWidget& dialog, const QString& text) {
    for (auto* button : dialog.findChildren<QRadioButton*>()) {
        if (Shown(button->text()) == text) {
            return button;
        }
    }
    return nullptr;
}

bool HasLabel(QWidget& dialog, const QString& text) {
    for (auto* label : dialog.findChildren<QLabel*>()) {
        if (Shown(label->text()) == text) {
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
    // Taken with OK like every other check box, dropped with Cancel, and off
    // again after Restore defaults.
    void theReferenceFoldersOptionIsChosenWithOk() {
        FakeMessageBoxes messages;
        PreferencesDialog dialog(messages);
        auto* multiple = CheckBox(
            dialog, "Use multiple reference files in a directory instead of a single reference");
        QVERIFY(multiple && multiple->isEnabled());
        QVERIFY(!multiple->isChecked());
        QTest::mouseClick(multiple, Qt::LeftButton, {}, QPoint(4, multiple->height() / 2));
        QVERIFY(multiple->isChecked());
        QVERIFY(!dialog.ReferenceFolders());  // nothing taken before OK
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialog.ReferenceFolders());

        PreferencesDialog again(messages);
        again.SetReferenceFolders(true);
        QVERIFY(CheckBox(again, multiple->text().remove('&'))->isChecked());
        again.findChild<QPushButton*>("restoreDefaultsButton")->click();
        again.accept();
        QVERIFY(!again.ReferenceFolders());
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

    // --- Keyboard ---

    void tabReachesEveryEnabledControlOnce() {
        FakeMessageBoxes messages;
        PreferencesDialog dialog(messages);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QWidget* first = dialog.findChild<QPushButton*>("okButton");
        first->setFocus();
        QSet<QWidget*> reached;
        QWidget* now = first;
        do {
            reached.insert(now);
            QTest::keyClick(now, Qt::Key_Tab);
            now = QApplication::focusWidget();
        } while (now != first && reached.size() < 50);
        QCOMPARE(now, first);
        // The comment buttons are one stop; the arrow keys move between them.
        QRadioButton* none = RadioButton(dialog, "None");
        QVERIFY(reached.contains(none));
        none->setFocus();
        QTest::keyClick(none, Qt::Key_Down);
        QCOMPARE(
            QApplication::focusWidget(),
            RadioButton(dialog, "Add comment before entries with perfect match with reference"));
        for (auto* widget : dialog.findChildren<QWidget*>()) {
            const bool stop = widget->isEnabled() && widget->isVisibleTo(&dialog) &&
                              (widget->focusPolicy() & Qt::TabFocus) &&
                              !qobject_cast<QRadioButton*>(widget) &&
                              // an editable combo box takes the focus for its line edit
                              !qobject_cast<QComboBox*>(widget->parentWidget());
            if (stop) {
                QVERIFY2(reached.contains(widget), widget->metaObject()->className());
            }
        }
    }

    void everyLabelAndButtonHasAMnemonicAndLabelsLeadToTheirFields() {
        FakeMessageBoxes messages;
        PreferencesDialog dialog(messages);
        for (auto* button : dialog.findChildren<QAbstractButton*>()) {
            QVERIFY2(button->text().contains('&'), qPrintable(button->text()));
        }
        for (auto* label : dialog.findChildren<QLabel*>()) {
            if (label->buddy()) {
                QVERIFY2(label->text().contains('&'), qPrintable(label->text()));
            }
        }
        QVERIFY(HasLabel(dialog, "Minimum likeliness percentage"));
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(&dialog, Qt::Key_H, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), ThresholdField(dialog));
        QTest::keyClick(&dialog, Qt::Key_N, Qt::AltModifier);
        QTRY_VERIFY(RadioButton(dialog, "None")->isChecked());
        QCOMPARE(dialog.CommentMode(), CommentNone);
    }

    void restoreDefaultsPutsTheDefaultsIntoTheFieldsUntilCancel() {
        FakeMessageBoxes messages;
        PreferencesDialog dialog(messages);
        dialog.SetMinLikeliness(12.5);
        dialog.SetVeryLikelyThreshold(99);
        dialog.SetCommentMode(CommentNone);
        dialog.SetGeneratePatch(true);
        dialog.SetCompareSound(false);
        dialog.SetLineInfoOnly(true);
        dialog.findChild<QPushButton*>("restoreDefaultsButton")->click();

        QCOMPARE(MinimumField(dialog)->text(), QString("50"));
        QCOMPARE(ThresholdField(dialog)->text(), QString("95"));
        QVERIFY(RadioButton(dialog, "Add comment before entries with perfect match with reference")
                    ->isChecked());
        QVERIFY(!CheckBox(dialog, "Generate TP2 patch associated to the tra file")->isChecked());
        QVERIFY(CheckBox(dialog, "Compare sound reference as well (no matching if different)")
                    ->isChecked());
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.LineInfoOnly());
        QCOMPARE(dialog.CommentMode(), CommentPerfectMatch);
    }

    void enterPressesTheFocusedButton() {
        FakeMessageBoxes messages;
        PreferencesDialog dialog(messages);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* cancel = dialog.findChild<QPushButton*>("cancelButton");
        cancel->setFocus();
        QSignalSpy rejected(&dialog, &QDialog::rejected);
        QTest::keyClick(cancel, Qt::Key_Return);
        QCOMPARE(rejected.size(), 1);
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

    void theReviewIsOffByDefaultAndItsCodePageIsCheckedByTheCore() {
        FakeMessageBoxes messages;
        PreferencesDialog dialog(messages);
        dialog.show();
        auto* box = dialog.findChild<QCheckBox*>("writeReviewBox");
        auto* field = dialog.findChild<QComboBox*>("codePageField");
        QVERIFY(!box->isChecked());
        QCOMPARE(field->currentText(), QString("1252"));

        box->setChecked(true);
        field->setCurrentText("9999");
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(messages.shown.size(), std::size_t{1});
        QCOMPARE(messages.shown[0].caption, QString("Invalid value"));
        QCOMPARE(messages.shown[0].text, QString::fromStdString(CheckCodePage(9999)->message));
        QCOMPARE(dialog.CodePage(), std::int32_t{1252});

        field->setCurrentText("windows-1250");
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(messages.shown.back().text, QString("Please enter a number."));

        field->setCurrentText(" 932 ");
        dialog.accept();
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.WriteReview());
        QCOMPARE(dialog.CodePage(), std::int32_t{932});
    }
};

QTEST_MAIN(PreferencesDialogTest)
#include "test_preferences_dialog.moc"
