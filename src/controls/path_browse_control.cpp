#include "controls/path_browse_control.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

#include "controls/browse_glyph.h"
#include "controls/dialog_path_chooser.h"
#include "controls/path_check.h"

namespace wordgleaner {

namespace {

constexpr int MinimumGlyphWidth = BrowseGlyphSize;
constexpr int ButtonPadding = 11;  // border and breathing room around the glyph
constexpr int GlyphInset = 2;      // the two border lines
constexpr int EditMargin = 1;

bool IsEnterKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

bool IsSpaceKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Space;
}

[[maybe_unused]] bool EqualIgnoringAsciiCase(const QString& a, const QString& b) {
    if (a.size() != b.size()) {
        return false;
    }
    const auto fold = [](QChar c) {
        return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ? QChar(c.unicode() + ('a' - 'A'))
                                                                : c;
    };
    return std::equal(a.begin(), a.end(), b.begin(),
                      [&fold](QChar x, QChar y) { return fold(x) == fold(y); });
}

// A typed path that differs from the chosen one only in letter case names the
// same file where the file system ignores case, and a different one elsewhere.
bool SamePath(const QString& typed, const QString& chosen) {
#ifdef Q_OS_WIN
    return EqualIgnoringAsciiCase(typed, chosen);
#else
    return typed == chosen;
#endif
}

// A one-pixel raised or sunken frame: the top-left colour takes the top row
// and left column short of their far ends, the bottom-right colour the rest.
void DrawFrame(QPainter& painter, const QRect& rect, const QColor& topLeft,
               const QColor& bottomRight) {
    const int x = rect.x();
    const int y = rect.y();
    const int w = rect.width();
    const int h = rect.height();
    if (w <= 0 || h <= 0) {
        return;
    }
    painter.fillRect(x, y, w - 1, 1, topLeft);
    painter.fillRect(x, y, 1, h - 1, topLeft);
    painter.fillRect(x + w - 1, y, 1, h, bottomRight);
    painter.fillRect(x, y + h - 1, w, 1, bottomRight);
}

// The system colours of the button, independent of the widget's state.
QColor SystemColour(const QWidget& widget, QPalette::ColorRole role) {
    return widget.palette().color(QPalette::Active, role);
}

int ChosenGlyph(unsigned mode) {
    if (mode & PathBrowseControl::ModeGlyph1) {
        return 1;
    }
    if (mode & PathBrowseControl::ModeGlyph2) {
        return 2;
    }
    if (mode & PathBrowseControl::ModeGlyph3) {
        return 3;
    }
    return 0;
}

}  // namespace

PathBrowseControl::PathBrowseControl(QWidget* parent, unsigned initialMode)
    : QWidget(parent),
      edit(std::make_unique<QLineEdit>(this)),
      mode(initialMode),
      chooser(std::make_shared<DialogPathChooser>()) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed, QSizePolicy::LineEdit));
    edit->setObjectName(QStringLiteral("pathEdit"));
    edit->setTextMargins(EditMargin, 0, EditMargin, 0);
    edit->installEventFilter(this);
    connect(edit.get(), &QLineEdit::textChanged, this, &PathBrowseControl::OnTextChanged);
    setAcceptDrops(true);
    warningSign = edit->addAction(style()->standardIcon(QStyle::SP_MessageBoxWarning),
                                  QLineEdit::TrailingPosition);
    warningSign->setObjectName(QStringLiteral("pathWarningSign"));
    warningSign->setVisible(false);
    ConfigureEdit();
    LayOut();
}

PathBrowseControl::~PathBrowseControl() = default;

// --- The path ---

bool PathBrowseControl::TypedTextInForce() const {
    return typed && !SamePath(currentText, chosenPath);
}

QString PathBrowseControl::GetPath() const {
    return TypedTextInForce() ? currentText : chosenPath;
}

void PathBrowseControl::SetPath(const QString& path) {
    edit->setText(path);
    chosenPath = path;
    // The owner's path replaces anything typed before, in every mode.
    typed = false;
    currentText = path;
}

// --- Browsing ---

FolderChooserRequest PathBrowseControl::FolderRequest() const {
    FolderChooserRequest request;
    request.owner = parentWidget();
    request.title = chooserTitle;
    request.prompt = QStringLiteral("Please select a folder from the list:");
    request.initialPath = GetPath();
    request.flags = folderFlags;
    return request;
}

FileChooserRequest PathBrowseControl::FileRequest() const {
    FileChooserRequest request;
    request.owner = parentWidget();
    request.title = chooserTitle;
    request.filter = filter;
    request.initialPath = GetPath();
    request.flags = DefaultFileChooserFlags;
    return request;
}

int PathBrowseControl::Browse() {
    if (busy) {
        return BrowseCancelled;
    }
    busy = true;
    // The chooser runs its own event loop: keep it alive and notice if this
    // control goes away meanwhile.
    const QPointer<PathBrowseControl> self(this);
    const std::shared_ptr<PathChooser> activeChooser = chooser;
    const bool folder = (mode & ModeFolder) != 0;
    const ChooserResult chosen = folder ? activeChooser->ChooseFolder(FolderRequest())
                                        : activeChooser->ChooseFiles(FileRequest());
    if (!self) {
        return BrowseCancelled;
    }
    const int result = TakeChoice(chosen);
    if (self) {
        busy = false;
    }
    return result;
}

int PathBrowseControl::TakeChoice(const ChooserResult& chosen) {
    if (!chosen.accepted || chosen.paths.isEmpty()) {
        return BrowseCancelled;
    }
    chosenPath = chosen.paths.constFirst();
    edit->setText(chosenPath);
    edit->selectAll();
    typed = false;
    currentText = chosenPath;
    return BrowseAccepted;
}

void PathBrowseControl::Click() {
    Browse();
}

void PathBrowseControl::OnTextChanged(const QString& text) {
    // A long path is cut off in the field; hovering shows all of it.
    edit->setToolTip(text);
    UpdatePathWarning();
    if (busy || !(mode & ModeEditable)) {
        return;
    }
    currentText = text;
    typed = true;
}

void PathBrowseControl::SetExistenceCheck(bool check) {
    existenceCheck = check;
    UpdatePathWarning();
}

QString PathBrowseControl::PathWarning() const {
    return pathWarning;
}

void PathBrowseControl::UpdatePathWarning() {
    ShowPathWarning(existenceCheck ? PathProblem(edit->text(), (mode & ModeFolder) != 0)
                                   : QString());
}

void PathBrowseControl::ShowPathWarning(const QString& warning) {
    pathWarning = warning;
    warningSign->setToolTip(pathWarning);
    warningSign->setVisible(!pathWarning.isEmpty());
}

// --- Dropping ---

bool PathBrowseControl::AcceptDrag(QDropEvent& event) {
    const QString problem = DropProblem(*event.mimeData(), (mode & ModeFolder) != 0, nullptr);
    if (!problem.isEmpty() || !isEnabled() || busy) {
        event.ignore();
        // The refusal is told where the user looks: under the cursor.
        if (!problem.isEmpty()) {
            QToolTip::showText(mapToGlobal(event.position().toPoint()), problem, this);
        }
        return false;
    }
    event.acceptProposedAction();
    return true;
}

void PathBrowseControl::TakeDrop(QDropEvent& event) {
    QString path;
    if (!isEnabled() || busy ||
        !DropProblem(*event.mimeData(), (mode & ModeFolder) != 0, &path).isEmpty()) {
        event.ignore();
        return;
    }
    event.acceptProposedAction();
    QToolTip::hideText();
    // A dropped path counts as chosen, like one taken in the chooser.
    chosenPath = path;
    edit->setText(path);
    typed = false;
    currentText = path;
}

void PathBrowseControl::dragEnterEvent(QDragEnterEvent* event) {
    AcceptDrag(*event);
}

void PathBrowseControl::dragMoveEvent(QDragMoveEvent* event) {
    AcceptDrag(*event);
}

void PathBrowseControl::dropEvent(QDropEvent* event) {
    TakeDrop(*event);
}

// The text field would take a dropped file's URL as text; the control decides instead.
bool PathBrowseControl::HandleEditDrag(QEvent& event) {
    switch (event.type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
            AcceptDrag(static_cast<QDropEvent&>(event));
            return true;
        case QEvent::Drop:
            TakeDrop(static_cast<QDropEvent&>(event));
            return true;
        case QEvent::DragLeave:
            return true;
        default:
            return false;
    }
}

void PathBrowseControl::SetChooser(std::shared_ptr<PathChooser> newChooser) {
    chooser = newChooser ? std::move(newChooser) : std::make_shared<DialogPathChooser>();
}

// --- Mode ---

unsigned PathBrowseControl::GetMode() const {
    return mode;
}

void PathBrowseControl::SetMode(unsigned newMode) {
    if (newMode == mode) {
        return;
    }
    mode = newMode;
    LayOut();
    ConfigureEdit();
    UpdatePathWarning();  // a folder is no file, and a file no folder
    updateGeometry();
    repaint();
}

void PathBrowseControl::ModifyMode(unsigned remove, unsigned add) {
    SetMode((mode & ~remove) | add);
}

// --- Chooser settings ---

void PathBrowseControl::SetChooserTitle(const QString& title) {
    chooserTitle = title;
}

void PathBrowseControl::SetFolderFlags(unsigned flags) {
    folderFlags = flags;
}

void PathBrowseControl::SetFilter(const QString& newFilter) {
    filter = newFilter;
}

void PathBrowseControl::SetCaption(const QString& newCaption) {
    caption = newCaption;
    if (!(mode & ModeGlyph)) {
        LayOut();
        ConfigureEdit();
        updateGeometry();
        repaint();
    }
}

// --- Inspection ---

QLineEdit* PathBrowseControl::Edit() const {
    return edit.get();
}

QRect PathBrowseControl::ButtonRect() const {
    return buttonRect;
}

QRect PathBrowseControl::GlyphRect() const {
    return glyphRect;
}

QRect PathBrowseControl::EditRect() const {
    return editRect;
}

bool PathBrowseControl::IsPressed() const {
    return pressed;
}

bool PathBrowseControl::IsHovered() const {
    return hover;
}

// --- Layout ---

QSize PathBrowseControl::GlyphSize() const {
    if (mode & ModeGlyph) {
        return {BrowseGlyphSize, BrowseGlyphSize};
    }
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(caption), metrics.height()};
}

int PathBrowseControl::ButtonWidth() const {
    return std::max(GlyphSize().width(), MinimumGlyphWidth) + ButtonPadding;
}

// The glyph is centred in the button's inner rectangle; one larger than that
// rectangle starts at its top-left corner and is cut at its far edges.
void PathBrowseControl::LayOut() {
    const QRect client = rect();
    const int buttonWidth = ButtonWidth();
    buttonRect = client;
    if (client.width() > buttonWidth) {
        const int left = (mode & ModeButtonLeft) ? 0 : client.width() - buttonWidth;
        buttonRect = QRect(left, 0, buttonWidth, client.height());
    }

    const QRect inner = buttonRect.adjusted(GlyphInset, GlyphInset, -GlyphInset, -GlyphInset);
    const QSize glyph = GlyphSize();
    glyphRect = QRect(inner.topLeft(), glyph);
    if (glyph.height() < inner.height()) {
        glyphRect.translate(0, (inner.height() - glyph.height()) / 2);
    } else {
        glyphRect.setHeight(inner.height());
    }
    if (glyph.width() < inner.width()) {
        glyphRect.translate((inner.width() - glyph.width()) / 2, 0);
    } else {
        glyphRect.setWidth(inner.width());
    }

    if (mode & ModeButtonLeft) {
        editRect =
            QRect(buttonRect.width(), 0, client.width() - buttonRect.width(), client.height());
    } else {
        editRect = QRect(0, 0, buttonRect.left(), client.height());
    }
    edit->setGeometry(editRect);
}

void PathBrowseControl::ConfigureEdit() {
    edit->setReadOnly(!(mode & ModeEditable));
}

QSize PathBrowseControl::sizeHint() const {
    const QSize editHint = edit->sizeHint();
    const int buttonHeight = GlyphSize().height() + 2 * GlyphInset;
    return {editHint.width() + ButtonWidth(), std::max(editHint.height(), buttonHeight)};
}

QSize PathBrowseControl::minimumSizeHint() const {
    const QSize editHint = edit->minimumSizeHint();
    const int buttonHeight = GlyphSize().height() + 2 * GlyphInset;
    return {editHint.width() + ButtonWidth(), std::max(editHint.height(), buttonHeight)};
}

void PathBrowseControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

// --- Painting ---

void PathBrowseControl::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QColor face = SystemColour(*this, QPalette::Button);
    painter.fillRect(buttonRect, face);
    PaintBorder(painter);
    const QRect target = pressed ? glyphRect.translated(1, 1) : glyphRect;
    if (mode & ModeGlyph) {
        DrawBrowseGlyph(painter, face, target, ChosenGlyph(mode), !isEnabled());
    } else {
        PaintCaption(painter, target);
    }
}

void PathBrowseControl::PaintBorder(QPainter& painter) const {
    const QColor highlight = SystemColour(*this, QPalette::Light);
    const QColor light = SystemColour(*this, QPalette::Midlight);
    const QColor shadow = SystemColour(*this, QPalette::Dark);
    const QColor darkShadow = SystemColour(*this, QPalette::Shadow);
    if (mode & ModeFlat) {
        if (pressed) {
            DrawFrame(painter, buttonRect, darkShadow, highlight);
        } else if (hover) {
            DrawFrame(painter, buttonRect, highlight, shadow);
        }
        return;
    }
    DrawFrame(painter, buttonRect, pressed ? darkShadow : highlight, darkShadow);
    DrawFrame(painter, buttonRect.adjusted(1, 1, -1, -1), pressed ? shadow : light, shadow);
}

// Disabled captions are drawn etched: a light copy one pixel down and right
// under a shadow-coloured one.
void PathBrowseControl::PaintCaption(QPainter& painter, const QRect& target) const {
    if (caption.isEmpty() || target.width() <= 0 || target.height() <= 0) {
        return;
    }
    QImage image(target.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(SystemColour(*this, QPalette::Button));
    QPainter imagePainter(&image);
    imagePainter.setFont(font());
    const auto drawAt = [&](int offset, const QColor& colour) {
        imagePainter.setPen(colour);
        imagePainter.drawText(QRect(QPoint(offset, offset), target.size()),
                              Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption);
    };
    if (isEnabled()) {
        drawAt(0, SystemColour(*this, QPalette::ButtonText));
    } else {
        drawAt(1, SystemColour(*this, QPalette::Light));
        drawAt(0, SystemColour(*this, QPalette::Dark));
    }
    imagePainter.end();
    painter.drawImage(target.topLeft(), image);
}

// --- Mouse ---

void PathBrowseControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    capturing = true;
    if (buttonRect.contains(event->position().toPoint())) {
        edit->deselect();
        pressed = true;
    }
    repaint();
}

void PathBrowseControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !capturing) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    capturing = false;
    pressed = false;
    repaint(buttonRect);
    if (buttonRect.contains(event->position().toPoint())) {
        Click();
    }
}

// Entering the button lights it up (and pushes it in again while the mouse
// button is held); leaving it, also by dragging off, springs it back.
void PathBrowseControl::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    const bool inside = buttonRect.contains(event->position().toPoint());
    if (!hover && inside) {
        hover = true;
        if (capturing) {
            pressed = true;
        }
        repaint(buttonRect);
    } else if (hover && !inside) {
        LeaveButton();
    }
}

void PathBrowseControl::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (hover) {
        LeaveButton();
    }
}

void PathBrowseControl::LeaveButton() {
    hover = false;
    pressed = false;
    repaint();
}

// --- Keyboard and focus ---

// A Space that the text field passes on (a read-only field ignores it) is not
// for the button: its release is not passed on, so it would stay pushed in.
void PathBrowseControl::keyPressEvent(QKeyEvent* event) {
    if (IsSpaceKey(*event) && !edit->hasFocus()) {
        if (!event->isAutoRepeat()) {
            pressed = true;
            repaint();
        }
        return;
    }
    if (IsEnterKey(*event)) {
        if (!event->isAutoRepeat()) {
            Click();
        }
        return;
    }
    QWidget::keyPressEvent(event);
}

void PathBrowseControl::keyReleaseEvent(QKeyEvent* event) {
    if (!IsSpaceKey(*event) || edit->hasFocus()) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    if (!event->isAutoRepeat()) {
        pressed = false;
        repaint();
        Click();
    }
}

// Focus arriving from outside goes on into the text field; focus that comes
// from the field itself (a click on the button, Shift+Tab) stays on the
// button, where Space works.
void PathBrowseControl::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    // A label's mnemonic leads into the field, even from the field's own button.
    const bool fromEdit = std::exchange(focusFromEdit, false);
    if (editFocused || (fromEdit && event->reason() != Qt::ShortcutFocusReason)) {
        return;
    }
    // Not the mouse reason: a press on the button must not be taken for a press in the field.
    const Qt::FocusReason reason =
        event->reason() == Qt::MouseFocusReason ? Qt::OtherFocusReason : event->reason();
    edit->setFocus(reason);
}

bool PathBrowseControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit.get()) {
        return QWidget::eventFilter(watched, event);
    }
    if (HandleEditDrag(*event)) {
        return true;
    }
    switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (IsEnterKey(*key)) {
                if (!key->isAutoRepeat()) {
                    Click();
                }
                return true;  // never on to the dialog's default button
            }
            break;
        }
        case QEvent::FocusIn:
            OnEditFocusIn(static_cast<QFocusEvent*>(event)->reason());
            break;
        case QEvent::FocusOut:
            OnEditFocusOut(static_cast<QFocusEvent*>(event)->reason());
            break;
        default:
            break;
    }
    return false;
}

// Entering the field selects its whole text. A click into the field places
// the cursor after this, so the selection is made once more after the click.
void PathBrowseControl::OnEditFocusIn(Qt::FocusReason reason) {
    editFocused = true;
    edit->selectAll();
    if (reason == Qt::MouseFocusReason) {
        QTimer::singleShot(0, edit.get(), [field = edit.get()] {
            if (field->hasFocus()) {
                field->selectAll();
            }
        });
    }
}

// Leaving the field drops the selection, except for the field's own context menu.
void PathBrowseControl::OnEditFocusOut(Qt::FocusReason reason) {
    editFocused = false;
    focusFromEdit = QApplication::focusWidget() == this;
    if (reason != Qt::PopupFocusReason) {
        edit->deselect();
    }
}

// --- Other events ---

bool PathBrowseControl::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (buttonRect.contains(help->pos())) {
            QToolTip::showText(help->globalPos(), QStringLiteral("Browse"), this, buttonRect);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void PathBrowseControl::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    switch (event->type()) {
        case QEvent::EnabledChange:
            // Qt passes the state on to the text field; the glyph follows at once.
            repaint();
            break;
        case QEvent::FontChange:
            LayOut();
            updateGeometry();
            break;
        default:
            break;
    }
}

}  // namespace wordgleaner
