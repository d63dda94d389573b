#pragma once

#include <QDialog>

#include <cstdint>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace wordgleaner {

class MessageBoxes;

// Edits the settings. It works on its own copy: the owner sets the
// values, runs the dialog, and reads them back only when it ended with OK.
class PreferencesDialog : public QDialog {
    Q_OBJECT

public:
    explicit PreferencesDialog(MessageBoxes& messages, QWidget* parent = nullptr);

    void SetMinLikeliness(double value);
    void SetVeryLikelyThreshold(double value);
    void SetLineInfoOnly(bool value);
    void SetCommentMode(std::int32_t value);
    void SetGeneratePatch(bool value);
    void SetCompareSound(bool value);
    void SetWriteReview(bool value);
    void SetCodePage(std::int32_t value);
    void SetKeepGoing(bool value);
    // The two reference fields of the main window name folders of tra files.
    void SetReferenceFolders(bool value);

    double MinLikeliness() const { return minLikeliness; }
    double VeryLikelyThreshold() const { return veryLikelyThreshold; }
    bool LineInfoOnly() const { return lineInfoOnly; }
    std::int32_t CommentMode() const { return commentMode; }
    bool GeneratePatch() const { return generatePatch; }
    bool CompareSound() const { return compareSound; }
    bool WriteReview() const { return writeReview; }
    std::int32_t CodePage() const { return codePage; }
    bool KeepGoing() const { return keepGoing; }
    bool ReferenceFolders() const { return referenceFolders; }

public slots:
    // OK: reads and checks the fields; closes only when both numbers are in range.
    void accept() override;
    // Restore defaults: puts the default settings into the fields; they are
    // taken only with OK.
    void RestoreDefaults();

private:
    void BuildControls();
    QWidget* BuildFailureGroup();
    std::optional<double> ReadNumberField(QLineEdit* field);
    bool TakeMinLikeliness(double value);
    bool TakeVeryLikelyThreshold(double value);
    void ShowInvalidValue(const std::string& message);
    void TakeCheckBoxes();
    QGroupBox* BuildReviewGroup();
    bool TakeReviewSettings();

    MessageBoxes& messages;

    double minLikeliness;
    double veryLikelyThreshold;
    bool lineInfoOnly;
    std::int32_t commentMode;
    bool generatePatch;
    bool compareSound;
    bool writeReview;
    std::int32_t codePage;
    bool keepGoing;
    bool referenceFolders;

    QCheckBox* lineInfoOnlyBox = nullptr;
    QRadioButton* noCommentButton = nullptr;
    QRadioButton* perfectMatchCommentButton = nullptr;
    QRadioButton* missingMatchCommentButton = nullptr;
    QLineEdit* minLikelinessField = nullptr;
    QLineEdit* thresholdField = nullptr;
    QCheckBox* compareSoundBox = nullptr;
    QCheckBox* generatePatchBox = nullptr;
    QCheckBox* writeReviewBox = nullptr;
    QComboBox* codePageField = nullptr;
    QCheckBox* keepGoingBox = nullptr;
    QCheckBox* referenceFoldersBox = nullptr;
};

}  // namespace wordgleaner
