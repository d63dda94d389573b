#pragma once

#include <optional>
#include <string>

#include "job/recovery_options.h"
#include "job/reference_pair.h"
#include "job/validate_options.h"
#include "win32/dialog_window.h"

namespace wordgleaner {

class MessageBoxes;

// What the Preferences edit: the run's settings, and whether the two
// reference fields name folders of reference files instead of two files.
struct Preferences {
    RecoveryOptions options;
    bool referenceFolders = false;
    // Searched after the main window's pair, in order.
    ReferencePairs furtherPairs;

    friend bool operator==(const Preferences&, const Preferences&) = default;
};

// Edits the preferences on its own copy: the owner reads them back only when
// the dialog ended with OK, which it does only when every value is accepted.
class PreferencesWindow : public DialogWindow {
public:
    PreferencesWindow(MessageBoxes& messages, Preferences initial);

    const Preferences& Values() const { return values; }

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Show(const Preferences& shown);
    void OfferCodePages();
    void Accept();
    std::optional<double> ReadNumber(int id);
    bool TakeCodePage();
    bool Take(const std::optional<OptionFault>& fault);
    void TakeChoices();
    void RefuseField(int id, const std::string& message);
    void ShowFurtherPairs();
    void AddFurtherPair();
    void RemoveFurtherPair();
    bool Checked(int id) const;

    MessageBoxes& messages;
    Preferences values;
    ReferencePairs shownPairs;  // the list as edited, taken with OK
};

}  // namespace wordgleaner
