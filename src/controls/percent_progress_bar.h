#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

namespace wordgleaner {

struct ProgressRange {
    int low = 0;
    int high = 0;
};

// A progress bar that keeps range, position, step and colours itself and
// paints a filled part, an empty part and, across them, one line of text: the
// percentage ("42%") or a text the owner sets. The text is drawn in inverse
// colours: over the filled part in the empty part's colour and over the empty
// part in the bar's colour, unless a text colour is set.
//
// Percentages are truncated, not rounded: f = (position - lower) / (upper -
// lower) in double precision, shown as trunc(f * 100.0), so 29 of 0..100 reads
// 28%. Positions are stored unchanged, outside the range too (150 reads 150%).
//
// A colour that is not valid (QColor()) is the "default" colour: the bar then
// uses the palette's Highlight, the empty part its Base, and the text the
// inverse colours.
//
// The main window uses only SetPos with a percentage from 0 to 100 and
// SetText with a status text, on every poll; its tests read GetPos and
// DisplayedText. The rest (range, step and delta, colours, text visibility
// and alignment, orientation) is kept because the bar answers everything a
// standard progress control is driven with, so it can stand in for one in
// any owner; the controls demo shows the colours and a vertical bar.
class PercentProgressBar : public QWidget {
    Q_OBJECT

public:
    enum TextAlignment : int { AlignTextLeft = 0, AlignTextCentre = 1, AlignTextRight = 2 };

    explicit PercentProgressBar(QWidget* parent = nullptr);

    // Stores both bounds; no repaint. A range with lower >= upper paints nothing.
    void SetRange(int lower, int upper);
    // The lower bound when wantLower, else the upper; fills range when given.
    int GetRange(bool wantLower, ProgressRange* range = nullptr) const;

    // Stores the position and repaints at once, but only when the filled width
    // in pixels changed (or the bar was resized since). Returns the previous
    // position, or -1 without storing anything while the widget's window has
    // not been created yet (before it or its window was first shown).
    int SetPos(int position);
    int DeltaPos(int increment);  // SetPos(position + increment)
    int StepIt();                 // SetPos(position + step)
    int SetStep(int step);        // returns the previous step
    int GetPos() const;

    // Each setter schedules a repaint and returns the previous colour.
    QColor SetBarColour(const QColor& colour);
    QColor SetBackgroundColour(const QColor& colour);
    QColor SetTextColour(const QColor& colour);
    QColor GetBarColour() const;
    QColor GetBackgroundColour() const;
    QColor GetTextColour() const;

    void ShowText(bool show);

    // A non-empty text is shown instead of the percentage; an empty one brings
    // the percentage back. Setting the text it already has does not repaint.
    void SetText(const QString& text);
    QString Text() const;

    // 0 left, 1 centre, 2 right; anything else is refused with false. With
    // repaint false the alignment is only stored.
    bool SetTextAlignment(int alignment, bool repaint = true);

    // A vertical bar fills from the bottom and shows no text.
    void SetOrientation(Qt::Orientation orientation);

    // What the text line reads now: Text(), or the percentage.
    QString DisplayedText() const;
    // What is painted of it: cut in the middle ("Comp…0.00 %") when it is
    // wider than the bar, and then whole in the tooltip.
    QString PaintedText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    double Fraction() const;
    int FilledExtent() const;
    QColor ResolvedBarColour() const;
    QColor ResolvedBackgroundColour() const;
    QColor SwapColour(QColor& member, const QColor& colour);
    void UpdateTooltip();

    QColor textColour;
    int position = 0;
    int step = 1;
    int upper = 100;
    int lower = 0;
    QString text;
    bool showText = true;
    int lastFilledWidth = -1;
    QColor barColour;
    QColor backgroundColour;
    // The alignment in the low two bits, plus vertically centred (0x04) and
    // single line (0x20).
    unsigned textFormat;
    Qt::Orientation orientation = Qt::Horizontal;
};

}  // namespace wordgleaner
