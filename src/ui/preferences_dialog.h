#pragma once

#include <QDialog>

#include <array>

#include "frontend/preferences_form.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace wordgleaner {

class MessageBoxes;

// The Preferences form on Qt widgets. It works on its own copy: the owner
// reads the values back only when the dialog ended with OK, which it does
// only when the form accepts every field.
class PreferencesDialog : public QDialog {
    Q_OBJECT

public:
    PreferencesDialog(MessageBoxes& messages, PreferencesValues initial, QWidget* parent = nullptr);

    const PreferencesValues& Values() const { return values; }

    // What the controls hold, and putting the form's fields into them.
    PreferencesFields Fields() const;
    void ShowFields(const PreferencesFields& fields);

public slots:
    // OK: the form takes the fields, or the dialog tells its problems.
    void accept() override;
    // Restore defaults: the default settings in the fields, taken only with OK.
    void RestoreDefaults();

private:
    void BuildControls();
    QGroupBox* AddGroup(const char* title, std::initializer_list<QWidget*> rows);
    QCheckBox* AddCheckBox(PreferencesCheck check);
    QWidget* NumberRows();
    QWidget* CodePageRow();
    QWidget* FieldOf(OptionField field) const;
    void Tell(const PreferencesProblem& problem);

    MessageBoxes& messages;
    PreferencesValues values;

    std::array<QCheckBox*, PreferencesCheckCount> checkBoxes{};
    std::array<QRadioButton*, 3> commentButtons{};  // none, perfect match, missing match
    QLineEdit* minLikelinessField = nullptr;
    QLineEdit* thresholdField = nullptr;
    QComboBox* codePageField = nullptr;
};

}  // namespace wordgleaner
