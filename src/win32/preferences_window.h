#pragma once

#include "frontend/preferences_form.h"
#include "win32/dialog_window.h"

namespace wordgleaner {

class MessageBoxes;

// The Preferences form on a dialog template, with the list of further
// reference pairs. It works on its own copy: the owner reads the values back
// only when the dialog ended with OK, which it does only when the form
// accepts every field.
class PreferencesWindow : public DialogWindow {
public:
    PreferencesWindow(MessageBoxes& messages, PreferencesValues initial);

    const PreferencesValues& Values() const { return values; }

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowLabels();
    void ShowFields(const PreferencesFields& fields);
    PreferencesFields Fields() const;
    void Accept();
    void Tell(const PreferencesProblem& problem);
    void ShowFurtherPairs();
    void AddFurtherPair();
    void RemoveFurtherPair();
    void Refuse(int id, const std::string& message);

    MessageBoxes& messages;
    PreferencesValues values;
    ReferencePairs shownPairs;  // the list as edited, taken with OK
};

}  // namespace wordgleaner
