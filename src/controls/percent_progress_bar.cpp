#include "controls/percent_progress_bar.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <utility>

#include "frontend/bar_arithmetic.h"

namespace wordgleaner {

namespace {

// Room left free at each end of the text line.
constexpr int TextMargin = 2;

constexpr unsigned AlignmentBits = 0x03;
constexpr unsigned TextVCentre = 0x04;
constexpr unsigned TextSingleLine = 0x20;
constexpr unsigned DefaultTextFormat =
    PercentProgressBar::AlignTextCentre | TextVCentre | TextSingleLine;
constexpr int HintWidthInPercentTexts = 4;
constexpr int TextPadding = 6;

// Positions wrap around like the 32-bit arithmetic of the original requests
// instead of overflowing.
int WrappingAdd(int a, int b) {
    return static_cast<int>(static_cast<unsigned>(a) + static_cast<unsigned>(b));
}

bool WindowExists(const QWidget& widget) {
    return widget.testAttribute(Qt::WA_WState_Created);
}

int QtTextFlags(unsigned textFormat) {
    int flags = 0;
    switch (textFormat & AlignmentBits) {
        case PercentProgressBar::AlignTextLeft:
            flags |= Qt::AlignLeft;
            break;
        case PercentProgressBar::AlignTextRight:
            flags |= Qt::AlignRight;
            break;
        default:
            flags |= Qt::AlignHCenter;
            break;
    }
    flags |= (textFormat & TextVCentre) ? Qt::AlignVCenter : Qt::AlignTop;
    if (textFormat & TextSingleLine) {
        flags |= Qt::TextSingleLine;
    }
    return flags;
}

}  // namespace

PercentProgressBar::PercentProgressBar(QWidget* parent)
    : QWidget(parent), textFormat(DefaultTextFormat) {
    // Every pixel is painted, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void PercentProgressBar::SetRange(int newLower, int newUpper) {
    lower = newLower;
    upper = newUpper;
    // An empty range paints nothing; what lies beneath must then show.
    setAttribute(Qt::WA_OpaquePaintEvent, lower < upper);
}

int PercentProgressBar::GetRange(bool wantLower, ProgressRange* range) const {
    if (range) {
        range->low = lower;
        range->high = upper;
    }
    return wantLower ? lower : upper;
}

int PercentProgressBar::SetPos(int newPosition) {
    if (!WindowExists(*this)) {
        return -1;
    }
    const int previous = position;
    position = newPosition;
    const int filled = FilledExtent();
    if (filled != lastFilledWidth) {
        lastFilledWidth = filled;
        repaint();
    }
    return previous;
}

int PercentProgressBar::DeltaPos(int increment) {
    return SetPos(WrappingAdd(position, increment));
}

int PercentProgressBar::StepIt() {
    return SetPos(WrappingAdd(position, step));
}

int PercentProgressBar::SetStep(int newStep) {
    return std::exchange(step, newStep);
}

int PercentProgressBar::GetPos() const {
    return position;
}

QColor PercentProgressBar::SwapColour(QColor& member, const QColor& colour) {
    if (WindowExists(*this)) {
        update();
    }
    return std::exchange(member, colour);
}

QColor PercentProgressBar::SetBarColour(const QColor& colour) {
    return SwapColour(barColour, colour);
}

QColor PercentProgressBar::SetBackgroundColour(const QColor& colour) {
    return SwapColour(backgroundColour, colour);
}

QColor PercentProgressBar::SetTextColour(const QColor& colour) {
    return SwapColour(textColour, colour);
}

QColor PercentProgressBar::GetBarColour() const {
    return barColour;
}

QColor PercentProgressBar::GetBackgroundColour() const {
    return backgroundColour;
}

QColor PercentProgressBar::GetTextColour() const {
    return textColour;
}

void PercentProgressBar::ShowText(bool show) {
    if (WindowExists(*this) && show != showText) {
        update();
    }
    showText = show;
}

void PercentProgressBar::SetText(const QString& newText) {
    // A null and an empty text are the same here: both bring the percentage back.
    if (newText != text) {
        text = newText;
        UpdateTooltip();
        update();
    }
}

// A text longer than the bar is cut in the middle, where a path or a count
// loses least; the bar's tooltip then holds the whole of it.
QString PercentProgressBar::PaintedText() const {
    const int room = std::max(0, width() - 2 * TextMargin);
    return fontMetrics().elidedText(DisplayedText(), Qt::ElideMiddle, room);
}

void PercentProgressBar::UpdateTooltip() {
    const QString whole = DisplayedText();
    setToolTip(PaintedText() != whole ? whole : QString());
}

QString PercentProgressBar::Text() const {
    return text;
}

bool PercentProgressBar::SetTextAlignment(int alignment, bool repaint) {
    if (alignment < AlignTextLeft || alignment > AlignTextRight) {
        return false;
    }
    textFormat = static_cast<unsigned>(alignment) | TextVCentre | TextSingleLine;
    if (repaint) {
        update();
    }
    return true;
}

void PercentProgressBar::SetOrientation(Qt::Orientation newOrientation) {
    if (newOrientation == orientation) {
        return;
    }
    orientation = newOrientation;
    lastFilledWidth = -1;
    if (orientation == Qt::Horizontal) {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    } else {
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    }
    updateGeometry();
    update();
}

// The sums are shared with the other windows' bars.
double PercentProgressBar::Fraction() const {
    return BarFraction(position, lower, upper);
}

// Pixels of the filled part along the bar: across a horizontal bar, up a
// vertical one, so that both repaint exactly when their edge moves.
int PercentProgressBar::FilledExtent() const {
    const int length = orientation == Qt::Horizontal ? width() : height();
    return FilledLength(length, Fraction());
}

QString PercentProgressBar::DisplayedText() const {
    if (!text.isEmpty()) {
        return text;
    }
    return QString::fromStdString(PercentText(Fraction()));
}

// The default colours stay the same whether the window is active or not.
QColor PercentProgressBar::ResolvedBarColour() const {
    return barColour.isValid() ? barColour : palette().color(QPalette::Active, QPalette::Highlight);
}

QColor PercentProgressBar::ResolvedBackgroundColour() const {
    return backgroundColour.isValid() ? backgroundColour
                                      : palette().color(QPalette::Active, QPalette::Base);
}

void PercentProgressBar::paintEvent(QPaintEvent* /*event*/) {
    if (lower >= upper) {
        return;
    }
    const QColor bar = ResolvedBarColour();
    const QColor background = ResolvedBackgroundColour();
    const QRect client = rect();

    // The edge is clamped to the bar: a position outside the range fills
    // all or nothing of the visible width.
    QRect filled;
    QRect empty;
    if (orientation == Qt::Vertical) {
        const int extent =
            std::clamp(FilledLength(client.height(), Fraction()), 0, client.height());
        filled = QRect(0, client.height() - extent, client.width(), extent);
        empty = QRect(0, 0, client.width(), client.height() - extent);
    } else {
        const int extent = std::clamp(FilledLength(client.width(), Fraction()), 0, client.width());
        filled = QRect(0, 0, extent, client.height());
        empty = QRect(extent, 0, client.width() - extent, client.height());
    }

    // Qt composes the widget in its back buffer and puts it on the screen in
    // one block, so nothing flickers between the fills and the text.
    QPainter painter(this);
    painter.fillRect(filled, bar);
    painter.fillRect(empty, background);
    if (!showText || orientation == Qt::Vertical) {
        return;
    }
    const QString line = PaintedText();
    const int flags = QtTextFlags(textFormat);
    painter.setFont(font());
    painter.setClipRect(filled);
    painter.setPen(textColour.isValid() ? textColour : background);
    painter.drawText(client, flags, line);
    painter.setClipRect(empty);
    painter.setPen(textColour.isValid() ? textColour : bar);
    painter.drawText(client, flags, line);
}

void PercentProgressBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    lastFilledWidth = -1;
    UpdateTooltip();
}

QSize PercentProgressBar::sizeHint() const {
    const QFontMetrics metrics(font());
    const QSize across(metrics.horizontalAdvance(QStringLiteral("100%")) * HintWidthInPercentTexts,
                       metrics.height() + TextPadding);
    return orientation == Qt::Horizontal ? across : across.transposed();
}

QSize PercentProgressBar::minimumSizeHint() const {
    const QFontMetrics metrics(font());
    const QSize across(metrics.horizontalAdvance(QStringLiteral("100%")) + TextPadding,
                       metrics.height() + TextPadding);
    return orientation == Qt::Horizontal ? across : across.transposed();
}

}  // namespace wordgleaner
