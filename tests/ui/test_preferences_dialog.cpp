// The Qt Preferences map the form onto their widgets; what the form shows,
// takes and refuses is checked in tests/frontend/preferences_form_test.cpp.
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
#include "frontend/offered_code_pages.h"
#include "ui/preferences_dialog.h"

using namespace wordgleaner;

namespace {

// What a label reads, without the mnemonic markers.
QString Shown(QString text) {
    return text.remove(QLatin1Char('&'));
}

template <typename Button>
Button* ButtonLabelled(QWidget& dialog, const char* label) {
    for (auto* button : dialog.findChildren<Button*>()) {
        if (button->text() == QString::fromUtf8(label)) {
            return button;
        }
    }
    return nullptr;
}

QCheckBox* CheckBox(QWidget& dialog, PreferencesCheck check) {
    return ButtonLabelled<QCheckBox>(dialog, CheckLabel(check));
}

QRadioButton* CommentButton(QWidget& dialog, std::int32_t commentMode) {
    return ButtonLabelled<QRadioButton>(dialog, CommentLabel(commentMode));
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
QComboBox* CodePageField(QWidget& dialog) {
    return dialog.findChild<QComboBox*>("codePageField");
}

constexpr PreferencesCheck AllChecks[] = {
    PreferencesCheck::LineInfoOnly,      PreferencesCheck::ReferenceFolders,
    PreferencesCheck::IncludeSubFolders, PreferencesCheck::CompareSound,
    PreferencesCheck::GeneratePatch,     PreferencesCheck::WriteReview,
    PreferencesCheck::KeepGoing,         PreferencesCheck::PreferSameId};

}  // namespace

class PreferencesDialogTest : public QObject {
    Q_OBJECT

private slots:
    void theControlsShowTheFormsLabelsAndTheValuesGiven() {
        FakeMessageBoxes messages;
        PreferencesValues values;
        values.options.search.minLikeliness = 12.5;
        values.options.commentMode = CommentMissingMatch;
        values.options.codePage = 1251;
        values.referenceFolders = true;
        PreferencesDialog dialog(messages, values);
        for (PreferencesCheck check : AllChecks) {
            QVERIFY2(CheckBox(dialog, check), CheckLabel(check));
            QCOMPARE(CheckBox(dialog, check)->isChecked(), FieldsShowing(values)[check]);
        }
        QVERIFY(CommentButton(dialog, CommentMissingMatch)->isChecked());
        QVERIFY(!CommentButton(dialog, CommentNone)->isChecked());
        QCOMPARE(MinimumField(dialog)->text(), QString("12.5"));
        QCOMPARE(ThresholdField(dialog)->text(), QString("95"));
        QCOMPARE(CodePageField(dialog)->currentText(), QString("1251 - Cyrillic"));
        QCOMPARE(CodePageField(dialog)->count(), int(OfferedCodePages.size()));
        QVERIFY(HasLabel(dialog, QString::fromStdString(ThresholdHint())));
        QVERIFY(HasLabel(dialog, "Minimum likeliness percentage"));
        QCOMPARE(dialog.Fields(), FieldsShowing(values));
    }

    void okTakesWhatTheControlsHoldAndCancelLeavesTheValues() {
        FakeMessageBoxes messages;
        PreferencesValues initial;
        initial.furtherPairs = {{"a.tra", "b.tra"}};
        PreferencesDialog dialog(messages, initial);
        dialog.show();
        auto* folders = CheckBox(dialog, PreferencesCheck::ReferenceFolders);
        QTest::mouseClick(folders, Qt::LeftButton, {}, QPoint(4, folders->height() / 2));
        CommentButton(dialog, CommentNone)->click();
        MinimumField(dialog)->setText(" 70 ");
        CodePageField(dialog)->setCurrentIndex(CodePageField(dialog)->findText("932 - Japanese"));
        QCOMPARE(dialog.Values(), initial);  // nothing taken before OK

        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        PreferencesValues expected = initial;
        expected.referenceFolders = true;
        expected.options.commentMode = CommentNone;
        expected.options.search.minLikeliness = 70;
        expected.options.codePage = 932;
        QCOMPARE(dialog.Values(), expected);
        QVERIFY(messages.shown.empty());
    }

    // Each problem of the form is a box; a text that is no number gets the
    // focus, selected for retyping, and the dialog stays.
    void theFormsProblemsAreToldAndTheirFieldSelected() {
        FakeMessageBoxes messages;
        PreferencesDialog dialog(messages, PreferencesValues());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        ThresholdField(dialog)->setText("ninety");
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(messages.shown.size(), std::size_t{1});
        QCOMPARE(messages.shown[0].icon, MessageIcon::Warning);
        QCOMPARE(messages.shown[0].text, QString("Please enter a number."));
        QCOMPARE(dialog.focusWidget(), ThresholdField(dialog));
        QCOMPARE(ThresholdField(dialog)->selectedText(), QString("ninety"));

        MinimumField(dialog)->setText("-1");
        ThresholdField(dialog)->setText("89");
        dialog.accept();
        QCOMPARE(messages.shown.size(), std::size_t{3});
        QCOMPARE(messages.shown[1].caption, QString("Invalid value"));
        QCOMPARE(messages.shown[2].icon, MessageIcon::Error);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void restoreDefaultsPutsTheDefaultsIntoTheFieldsUntilOk() {
        FakeMessageBoxes messages;
        PreferencesValues changed;
        changed.options.search.minLikeliness = 12.5;
        changed.options.generatePatch = true;
        changed.options.commentMode = CommentNone;
        PreferencesDialog dialog(messages, changed);
        dialog.findChild<QPushButton*>("restoreDefaultsButton")->click();
        QCOMPARE(dialog.Fields(), FieldsShowing(PreferencesValues()));
        QCOMPARE(dialog.Values(), changed);
        dialog.accept();
        QCOMPARE(dialog.Values(), PreferencesValues());
    }

    // --- Keyboard ---

    void tabReachesEveryEnabledControlOnce() {
        FakeMessageBoxes messages;
        PreferencesDialog dialog(messages, PreferencesValues());
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
        QRadioButton* none = CommentButton(dialog, CommentNone);
        QVERIFY(reached.contains(none));
        none->setFocus();
        QTest::keyClick(none, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), CommentButton(dialog, CommentPerfectMatch));
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
        PreferencesDialog dialog(messages, PreferencesValues());
        for (auto* button : dialog.findChildren<QAbstractButton*>()) {
            QVERIFY2(button->text().contains('&'), qPrintable(button->text()));
        }
        for (auto* label : dialog.findChildren<QLabel*>()) {
            if (label->buddy()) {
                QVERIFY2(label->text().contains('&'), qPrintable(label->text()));
            }
        }
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(&dialog, Qt::Key_H, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), ThresholdField(dialog));
        QTest::keyClick(&dialog, Qt::Key_N, Qt::AltModifier);
        QTRY_VERIFY(CommentButton(dialog, CommentNone)->isChecked());
        QCOMPARE(dialog.Fields().commentMode, CommentNone);
    }

    void enterPressesTheFocusedButton() {
        FakeMessageBoxes messages;
        PreferencesDialog dialog(messages, PreferencesValues());
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
        PreferencesDialog dialog(messages, PreferencesValues());
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
