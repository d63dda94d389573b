#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "fake_message_boxes.h"
#include "job/recovery_options.h"
#include "ui/number_text.h"
#include "ui/preferences_dialog.h"

using namespace wordgleaner;

namespace {

constexpr const char* MinimumRangeText = "Minimum likeliness must be between 0 and 100";
constexpr const char* ThresholdRangeText = "Likeliness threshold must be between 90 and 100";

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

QLineEdit* MinimumField(QWidget& dialog) {
    return dialog.findChild<QLineEdit*>("minLikelinessField");
}
QLineEdit* ThresholdField(QWidget& dialog) {
    return dialog.findChild<QLineEdit*>("veryLikelyThresholdField");
}

const QString LineInfoText = "Output line matching information instead of copying the texts";
const QString CompareSoundText = "Compare sound reference as well (no matching if different)";
const QString PatchText = "Generate TP2 patch associated to the tra file";
const QString NoCommentText = "None";
const QString PerfectCommentText = "Add comment before entries with perfect match with reference";
const QString MissingCommentText = "Add comment before entries without perfect or likely match";

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

    void valuesOnTheRangeEndsAreAccepted_data() {
        QTest::addColumn<QString>("minimum");
        QTest::addColumn<QString>("threshold");
        QTest::newRow("lowest") << "0"
                                << "90";
        QTest::newRow("highest") << "100"
                                 << "100";
        QTest::newRow("inside") << "12.5"
                                << "97.5";
    }
    void valuesOnTheRangeEndsAreAccepted() {
        QFETCH(QString, minimum);
        QFETCH(QString, threshold);
        FakeMessageBoxes messages;
        PreferencesDialog dialog(messages);
        dialog.show();
        MinimumField(dialog)->setText(minimum);
        ThresholdField(dialog)->setText(threshold);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(messages.shown.empty());
        QCOMPARE(dialog.MinLikeliness(), minimum.toDouble());
        QCOMPARE(dialog.VeryLikelyThreshold(), threshold.toDouble());
    }

    void valuesOutsideTheirRangeAreRefusedWithTheirMessage_data() {
        QTest::addColumn<QString>("minimum");
        QTest::addColumn<QString>("threshold");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("threshold just below 90") << "50"
                                                 << "89.99" << QStringList{ThresholdRangeText};
        QTest::newRow("threshold just above 100") << "50"
                                                  << "100.01" << QStringList{ThresholdRangeText};
        QTest::newRow("negative minimum") << "-1"
                                          << "95" << QStringList{MinimumRangeText};
        QTest::newRow("minimum above 100") << "100.5"
                                           << "95" << QStringList{MinimumRangeText};
        QTest::newRow("both, in field order")
            << "-1"
            << "89" << QStringList{MinimumRangeText, ThresholdRangeText};
    }
    void valuesOutsideTheirRangeAreRefusedWithTheirMessage() {
        QFETCH(QString, minimum);
        QFETCH(QString, threshold);
        QFETCH(QStringList, messages);
        FakeMessageBoxes boxes;
        PreferencesDialog dialog(boxes);
        dialog.show();
        MinimumField(dialog)->setText(minimum);
        ThresholdField(dialog)->setText(threshold);
        dialog.accept();

        QVERIFY(dialog.isVisible());
        QCOMPARE(int(boxes.shown.size()), int(messages.size()));
        for (std::size_t index = 0; index < boxes.shown.size(); ++index) {
            QCOMPARE(boxes.shown[index].caption, QString("Invalid value"));
            QCOMPARE(boxes.shown[index].icon, MessageIcon::Error);
            QCOMPARE(boxes.shown[index].text, messages[int(index)]);
        }
        // What the user typed stays for correcting, and no refused value is kept.
        QCOMPARE(MinimumField(dialog)->text(), minimum);
        QCOMPARE(ThresholdField(dialog)->text(), threshold);
        QVERIFY(dialog.MinLikeliness() >= 0 && dialog.MinLikeliness() <= 100);
        QVERIFY(dialog.VeryLikelyThreshold() >= 90 && dialog.VeryLikelyThreshold() <= 100);
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
