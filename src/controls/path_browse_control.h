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
// disables the control. It offers what the windows and the controls demo
// use, and no more; the inspection members near the end serve tests only.
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
    // Shows the text in the field and makes it the chosen path; GetPath()
    // then returns it.
    void SetPath(const QString& path);

    // Opens the chooser. Returns BrowseAccepted when a choice was accepted,
    // BrowseCancelled when cancelled or when a chooser is already open. Of
    // several files chosen, the first is taken.
    int Browse();

    // --- Mode ---
    unsigned GetMode() const;
    // Same bits: nothing happens. Otherwise lays out again, reconfigures the
    // field (keeping its text) and repaints at once.
    void SetMode(unsigned mode);
    void ModifyMode(unsigned remove, unsigned add);

    // --- Chooser settings ---
    void SetChooserTitle(const QString& title);  // file chooser title, folder chooser caption
    void SetFolderFlags(unsigned flags);         // FolderChooserFlag bits, stored unchanged
    // Pipe form: "Tra files (*.tra)|*.tra|All Files (*.*)|*.*||".
    void SetFilter(const QString& filter);

    // When on, a path that names no file (no folder in folder mode) is marked
    // with a warning sign whose tooltip says what is wrong, as soon as it is
    // typed or set. Off by default.
    void SetExistenceCheck(bool check);
    // Shows the warning sign with this tooltip, or takes it away when empty:
    // the owner's own finding, when the disk may have changed since the
    // path was typed. The next edit checks the path again as usual.
    void ShowPathWarning(const QString& warning);

    // The choosers Browse() uses; none puts back the standard dialogs.
    void SetChooser(std::shared_ptr<PathChooser> chooser);

    // Shown on the button without ModeGlyph.
    void SetCaption(const QString& caption);

    // The text field, which the window gives the focus.
    QLineEdit* Edit() const;

    // --- Inspection (tests) ---
    // Why the path is marked; empty when it is not.
    QString PathWarning() const;
    QRect ButtonRect() const;
    QRect GlyphRect() const;
    QRect EditRect() const;
    bool IsPressed() const;
    bool IsHovered() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

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
    int TakeChoice(const ChooserResult& chosen);
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
    QString caption;
    bool busy = false;
    QString chooserTitle;
    unsigned folderFlags = DefaultFolderChooserFlags;
    QString filter = QStringLiteral("All Files (*.*)|*.*||");
    QString chosenPath;  // the last chosen, dropped or set
    bool typed = false;
    QString currentText;
    std::shared_ptr<PathChooser> chooser;
    bool existenceCheck = false;
    QString pathWarning;
    QAction* warningSign = nullptr;  // owned by the text field
};

}  // namespace wordgleaner
