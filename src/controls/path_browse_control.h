#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>

#include "controls/path_chooser.h"

class QAction;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QLineEdit;

namespace wordgleaner {

// A path field: a single-line text field and, at one end, a small button that
// opens the folder chooser or the file chooser. The control paints its button
// itself (border, glyph or caption, hover and pressed states) and reacts to
// mouse, keyboard and focus on its own:
// - a press on the button shows it pushed in; dragging off springs it back,
//   dragging back pushes it in again; releasing on it opens the chooser,
//   releasing elsewhere opens nothing;
// - Space on the focused button and Enter anywhere in the control open the
//   chooser; Enter goes no further, so it never reaches the dialog's default
//   button;
// - tabbing onto the control puts the focus into the text field with the
//   whole text selected;
// - a file or folder dropped from a file manager becomes the path when it is
//   of the field's kind (a folder in folder mode, a file otherwise); anything
//   else is refused, and a tooltip says why.
// Owner set-up happens once; later the owner reads GetPath() and enables or
// disables the control.
//
// The main window needs only SetChooserTitle, GetMode/SetMode (to add
// ModeFolder), SetFolderFlags, GetPath and enabling, plus SetChooser in its
// tests. The rest is kept as the control's interface as a reusable path
// field: the chooser settings (prompt, file flags, Open or Save As, default
// extension, filter), caption and tooltip, ModifyMode, the whole selection
// with its path parts, and the two signals. Each is the one way an owner sets
// or reads that part of the control, and the controls demo uses some of them;
// shorthands that only restate mode bits are deliberately not offered. The
// inspection members near the end serve tests only.
//
// The control and its text field take two consecutive places in the focus
// chain (the control first); Tab from the field moves on, Shift+Tab from the
// field stops on the button, where Space works.
class PathBrowseControl : public QWidget {
    Q_OBJECT

public:
    // Mode bits (GetMode/SetMode).
    enum ModeBit : unsigned {
        ModeButtonLeft = 0x01,  // clear: the button sits at the right end
        ModeGlyph = 0x02,       // clear: the button shows GetCaption()
        ModeFlat = 0x04,        // clear: classic raised border
        ModeGlyph1 = 0x08,      // open folder with an arrow
        ModeGlyph2 = 0x10,      // closed folder (when glyph 1 is not chosen)
        ModeGlyph3 = 0x20,      // folder with a magnifier (when neither of the others)
        ModeEditable = 0x40,    // clear: read-only field
        ModeFolder = 0x80,      // clear: file mode
    };
    static constexpr unsigned DefaultMode = ModeGlyph | ModeGlyph1;  // 0x0A

    // Results of Browse().
    enum BrowseResult : int { BrowseAccepted = 1, BrowseCancelled = 2 };

    explicit PathBrowseControl(QWidget* parent = nullptr, unsigned mode = DefaultMode);
    ~PathBrowseControl() override;

    // --- The path ---
    // The typed text when the user typed one that differs from the first
    // chosen path (ignoring ASCII letter case on Windows, where the file system
    // does); otherwise the first chosen path; empty when there is none.
    QString GetPath() const;
    // Shows the text in the field and makes it the whole selection (no
    // selection for an empty text); GetPath() then returns it.
    void SetPath(const QString& path);
    // All chosen paths in order, or only the typed text when GetPath() gives it.
    QStringList GetPaths() const;
    int GetSelectionCount() const;
    bool GetReadOnlyChecked() const;
    // Parts of GetPath() made absolute. In folder mode GetDirectory() is
    // GetPath() itself and the three file parts are empty. GetDrive() is empty
    // where paths have no drive; GetFileExtension() has no leading ".".
    QString GetDrive() const;
    QString GetDirectory() const;
    QString GetFileName() const;
    QString GetFileExtension() const;
    QString GetFileTitle() const;

    // Opens the chooser. Returns BrowseAccepted when a choice was accepted,
    // BrowseCancelled when cancelled or when a chooser is already open.
    // Emits browseFinished(result) before returning (not for the refused
    // second call).
    int Browse();

    // --- Mode ---
    unsigned GetMode() const;
    // Same bits: nothing happens. Otherwise lays out again, reconfigures the
    // field (keeping its text) and repaints at once.
    void SetMode(unsigned mode);
    void ModifyMode(unsigned remove, unsigned add);

    // --- Chooser settings ---
    void SetChooserTitle(const QString& title);  // file chooser title, folder chooser caption
    QString GetChooserTitle() const;
    void SetFolderPrompt(const QString& prompt);
    QString GetFolderPrompt() const;
    void SetFolderFlags(unsigned flags);  // FolderChooserFlag bits, stored unchanged
    unsigned GetFolderFlags() const;
    void SetFileFlags(unsigned flags);  // FileChooserFlag bits; FileExplorer is always added
    unsigned GetFileFlags() const;
    void SetOpenChooser(bool open);  // true: "Open", false: "Save As"
    bool GetOpenChooser() const;
    void SetDefaultExtension(const QString& extension);
    QString GetDefaultExtension() const;
    // Pipe form: "Tra files (*.tra)|*.tra|All Files (*.*)|*.*||".
    void SetFilter(const QString& filter);
    QString GetFilter() const;

    // When on, a path that names no file (no folder in folder mode) is marked
    // with a warning sign whose tooltip says what is wrong, as soon as it is
    // typed or set. Off by default.
    void SetExistenceCheck(bool check);
    // Why the path is marked; empty when it is not.
    QString PathWarning() const;

    // The choosers Browse() uses; none puts back the standard dialogs.
    void SetChooser(std::shared_ptr<PathChooser> chooser);

    // --- Button ---
    void SetTooltipText(const QString& text);
    QString GetTooltipText() const;
    void SetCaption(const QString& caption);  // shown on the button without ModeGlyph
    QString GetCaption() const;

    // --- Inspection (tests) ---
    QLineEdit* Edit() const;
    QRect ButtonRect() const;
    QRect GlyphRect() const;
    QRect EditRect() const;
    bool IsPressed() const;
    bool IsHovered() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The path changed by typing, a choice, a drop or SetPath().
    void pathChanged(const QString& path);
    // After every browse started by a click, Space or Enter, once the chooser
    // has closed, whatever the outcome.
    void clicked();
    // From every Browse() that opened a chooser, before it returns:
    // BrowseAccepted or BrowseCancelled.
    void browseFinished(int result);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void LayOut();
    QSize GlyphSize() const;
    int ButtonWidth() const;
    void ConfigureEdit();
    FolderChooserRequest FolderRequest() const;
    FileChooserRequest FileRequest() const;
    int TakeChoice(const ChooserResult& chosen, bool folder);
    void Click();
    void OnTextChanged(const QString& text);
    void UpdatePathWarning();
    bool AcceptDrag(QDropEvent& event);
    void TakeDrop(QDropEvent& event);
    bool HandleEditDrag(QEvent& event);
    void OnEditFocusIn(Qt::FocusReason reason);
    void OnEditFocusOut(Qt::FocusReason reason);
    void LeaveButton();
    void PaintBorder(QPainter& painter) const;
    void PaintCaption(QPainter& painter, const QRect& target) const;
    bool TypedTextInForce() const;
    QString AbsolutePath() const;

    QRect buttonRect;
    QRect glyphRect;
    QRect editRect;
    std::unique_ptr<QLineEdit> edit;  // a child widget, destroyed before the control
    bool editFocused = false;
    bool focusFromEdit = false;
    unsigned mode = DefaultMode;
    bool pressed = false;
    bool hover = false;
    bool capturing = false;
    QString tooltipText = QStringLiteral("Browse");
    QString caption;
    bool busy = false;
    QString chooserTitle;
    QString folderPrompt = QStringLiteral("Please select a folder from the list:");
    bool openChooser = true;
    unsigned fileFlags = DefaultFileChooserFlags;
    unsigned folderFlags = DefaultFolderChooserFlags;
    bool readOnlyChecked = false;
    QString defaultExtension;
    QString filter = QStringLiteral("All Files (*.*)|*.*||");
    QStringList selection;
    bool typed = false;
    QString currentText;
    std::shared_ptr<PathChooser> chooser;
    bool existenceCheck = false;
    QString pathWarning;
    QAction* warningSign = nullptr;  // owned by the text field
};

}  // namespace wordgleaner
