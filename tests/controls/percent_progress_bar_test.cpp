#include <QImage>
#include <QTest>
#include <climits>
#include <memory>

#include "controls/percent_progress_bar.h"

using namespace wordgleaner;

namespace {

const QColor Bar(200, 0, 0);
const QColor Background(255, 255, 255);
constexpr int Width = 200;
constexpr int Height = 30;
constexpr int EdgeBand = 10;

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++count;
        }
        return false;
    }
};

// A bar whose window exists, so that position requests are answered.
std::unique_ptr<PercentProgressBar> ShownBar(int width = Width) {
    auto bar = std::make_unique<PercentProgressBar>();
    bar->resize(width, Height);
    QFont font = bar->font();
    font.setPixelSize(Height - 6);
    font.setBold(true);
    bar->setFont(font);
    bar->show();
    return bar;
}

void UseTestColours(PercentProgressBar& bar) {
    bar.SetBarColour(Bar);
    bar.SetBackgroundColour(Background);
}

QImage Picture(PercentProgressBar& bar) {
    return bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Whether any pixel in the columns [from, to) has exactly this colour.
bool HasColourIn(const QImage& image, int from, int to, const QColor& colour) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = std::max(from, 0); x < std::min(to, image.width()); ++x) {
            if (image.pixelColor(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

int CountColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    return static_cast<int>(colours.size());
}

}  // namespace

class PercentProgressBarTest : public QObject {
    Q_OBJECT

private slots:
    void percentageIsTruncatedInDoublePrecision_data() {
        QTest::addColumn<int>("lower");
        QTest::addColumn<int>("upper");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("shown");
        QTest::newRow("new bar") << 0 << 100 << 0 << "0%";
        QTest::newRow("two of zero to three") << 0 << 3 << 2 << "66%";
        QTest::newRow("29 falls just below") << 0 << 100 << 29 << "28%";
        QTest::newRow("57 falls just below") << 0 << 100 << 57 << "56%";
        QTest::newRow("58 falls just below") << 0 << 100 << 58 << "57%";
        QTest::newRow("full") << 0 << 100 << 100 << "100%";
        QTest::newRow("above the range") << 0 << 100 << 150 << "150%";
        QTest::newRow("below the range") << 0 << 100 << -10 << "-10%";
        QTest::newRow("offset range") << 50 << 150 << 75 << "25%";
        QTest::newRow("widest range, bottom") << INT_MIN << INT_MAX << INT_MIN << "0%";
        QTest::newRow("widest range, top") << INT_MIN << INT_MAX << INT_MAX << "100%";
    }

    void percentageIsTruncatedInDoublePrecision() {
        QFETCH(int, lower);
        QFETCH(int, upper);
        QFETCH(int, position);
        QFETCH(QString, shown);
        auto bar = ShownBar();
        bar->SetRange(lower, upper);
        bar->SetPos(position);
        QCOMPARE(bar->GetPos(), position);
        QCOMPARE(bar->DisplayedText(), shown);
    }

    void everyOtherPositionOfZeroToHundredReadsItsOwnValue() {
        auto bar = ShownBar();
        for (int position = 0; position <= 100; ++position) {
            if (position == 29 || position == 57 || position == 58) {
                continue;
            }
            bar->SetPos(position);
            QCOMPARE(bar->DisplayedText(), QStringLiteral("%1%").arg(position));
        }
    }

    void positionRequestsAnswerThePreviousPosition() {
        auto bar = ShownBar();
        QCOMPARE(bar->SetPos(40), 0);
        QCOMPARE(bar->DeltaPos(5), 40);
        QCOMPARE(bar->GetPos(), 45);
        QCOMPARE(bar->SetStep(10), 1);
        QCOMPARE(bar->StepIt(), 45);
        QCOMPARE(bar->GetPos(), 55);
        bar->SetPos(INT_MAX);
        bar->DeltaPos(1);  // wraps like 32-bit arithmetic, no overflow
        QCOMPARE(bar->GetPos(), INT_MIN);
    }

    void positionIsRefusedBeforeTheWindowExists() {
        PercentProgressBar bar;
        QCOMPARE(bar.SetPos(42), -1);
        QCOMPARE(bar.StepIt(), -1);
        QCOMPARE(bar.GetPos(), 0);
        bar.show();
        QCOMPARE(bar.SetPos(42), 0);
        QCOMPARE(bar.GetPos(), 42);
    }

    void defaultColoursComeFromThePalette() {
        auto bar = ShownBar();
        bar->SetPos(50);
        const QImage image = Picture(*bar);
        const QPalette& palette = bar->palette();
        QCOMPARE(image.pixel(1, 1), palette.color(QPalette::Active, QPalette::Highlight).rgb());
        QCOMPARE(image.pixel(Width - 2, 1), palette.color(QPalette::Active, QPalette::Base).rgb());
    }

    void aColourSetBackToTheDefaultGivesThePaletteColourAgain() {
        auto bar = ShownBar();
        bar->SetPos(50);
        const QImage defaults = Picture(*bar);
        UseTestColours(*bar);
        QCOMPARE(Picture(*bar).pixelColor(1, 1), Bar);
        // Each setter answers the colour it replaced, so an owner can put it back.
        QCOMPARE(bar->SetBarColour(QColor()), Bar);
        QCOMPARE(bar->SetBackgroundColour(QColor()), Background);
        QCOMPARE(Picture(*bar), defaults);
    }

    // 50% of 200 pixels fills 100; the centred "50%" straddles the edge.
    void textIsDrawnInInverseColoursEitherSideOfTheEdge() {
        auto bar = ShownBar();
        UseTestColours(*bar);
        bar->SetPos(50);
        const QImage image = Picture(*bar);
        const int edge = Width / 2;
        QCOMPARE(image.pixelColor(edge - 1, 0), Bar);
        QCOMPARE(image.pixelColor(edge, 0), Background);
        QVERIFY(HasColourIn(image, edge - EdgeBand, edge, Background));
        QVERIFY(HasColourIn(image, edge, edge + EdgeBand, Bar));
    }

    void emptyAndFullBarsShowTheTextInTheOtherColour() {
        auto bar = ShownBar();
        UseTestColours(*bar);
        QImage image = Picture(*bar);
        QVERIFY(HasColourIn(image, 0, Width, Bar));  // "0%" in the bar colour
        QCOMPARE(image.pixelColor(0, 0), Background);
        bar->SetPos(100);
        image = Picture(*bar);
        QVERIFY(HasColourIn(image, 0, Width, Background));  // "100%" on a full bar
        QCOMPARE(image.pixelColor(Width - 1, Height - 1), Bar);
    }

    void aSetTextColourIsUsedOverBothParts() {
        auto bar = ShownBar();
        UseTestColours(*bar);
        bar->SetTextColour(QColor(0, 160, 0));
        bar->SetPos(50);
        const QImage image = Picture(*bar);
        QVERIFY(HasColourIn(image, 0, Width / 2, QColor(0, 160, 0)));
        QVERIFY(HasColourIn(image, Width / 2, Width, QColor(0, 160, 0)));
        QVERIFY(!HasColourIn(image, Width / 2 - EdgeBand, Width / 2, Background));
    }

    void setTextReplacesThePercentageAndEmptyTextBringsItBack() {
        auto bar = ShownBar();
        UseTestColours(*bar);
        bar->SetPos(50);
        const QImage percentage = Picture(*bar);
        bar->SetText(QStringLiteral("Loading"));
        QCOMPARE(bar->Text(), QStringLiteral("Loading"));
        QCOMPARE(bar->DisplayedText(), QStringLiteral("Loading"));
        QVERIFY(Picture(*bar) != percentage);
        bar->SetText(QString());
        QCOMPARE(bar->DisplayedText(), QStringLiteral("50%"));
        QCOMPARE(Picture(*bar), percentage);
    }

    void hiddenTextAndVerticalBarsShowOnlyTheTwoParts() {
        auto bar = ShownBar();
        UseTestColours(*bar);
        bar->SetPos(50);
        bar->ShowText(false);
        QCOMPARE(CountColours(Picture(*bar)), 2);

        auto vertical = ShownBar();
        UseTestColours(*vertical);
        vertical->SetOrientation(Qt::Vertical);
        vertical->SetPos(50);
        const QImage image = Picture(*vertical);
        QCOMPARE(CountColours(image), 2);
        QCOMPARE(image.pixelColor(Width / 2, 0), Background);
        QCOMPARE(image.pixelColor(Width / 2, Height - 1), Bar);
        QCOMPARE(image.pixelColor(Width / 2, Height / 2), Bar);
        QCOMPARE(image.pixelColor(Width / 2, Height / 2 - 1), Background);
    }

    // "0%" is drawn in the bar colour on an empty bar, so its place shows.
    void alignmentIsRefusedOutsideLeftCentreRight() {
        auto bar = ShownBar();
        UseTestColours(*bar);
        QVERIFY(bar->SetTextAlignment(PercentProgressBar::AlignTextRight, false));
        QVERIFY(!bar->SetTextAlignment(3));
        QVERIFY(!bar->SetTextAlignment(-1));
        const QImage image = Picture(*bar);
        QVERIFY(HasColourIn(image, Width * 3 / 4, Width, Bar));
        QVERIFY(!HasColourIn(image, 0, Width / 2, Bar));
    }

    void leftAlignedTextStartsAtTheLeftEdge() {
        auto bar = ShownBar();
        UseTestColours(*bar);
        bar->SetTextAlignment(PercentProgressBar::AlignTextLeft);
        const QImage image = Picture(*bar);
        QVERIFY(HasColourIn(image, 0, Width / 4, Bar));
        QVERIFY(!HasColourIn(image, Width / 2, Width, Bar));
    }

    void anEmptyRangePaintsNothing() {
        PercentProgressBar bar;
        bar.resize(Width, Height);
        bar.SetRange(10, 10);
        QImage image(Width, Height, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        bar.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        QCOMPARE(CountColours(image), 1);
    }

    void repaintsOnlyWhenTheFilledWidthChangesOrAfterAResize() {
        auto bar = ShownBar(50);
        QVERIFY(QTest::qWaitForWindowExposed(bar.get()));
        QCoreApplication::processEvents();  // the first paint after showing
        PaintCounter paints(*bar);
        bar->SetPos(1);  // 0 pixels, but the first decision always repaints
        QCOMPARE(paints.count, 1);
        bar->SetPos(2);  // 1 pixel
        QCOMPARE(paints.count, 2);
        bar->SetPos(3);  // still 1 pixel
        QCOMPARE(paints.count, 2);

        bar->resize(80, Height);
        bar->resize(50, Height);
        QCoreApplication::processEvents();
        paints.count = 0;
        bar->SetPos(3);  // same pixels as before, but the bar was resized
        QCOMPARE(paints.count, 1);
        bar->SetPos(3);
        QCOMPARE(paints.count, 1);
    }

    void settingTheSameTextAgainDoesNotRepaint() {
        auto bar = ShownBar();
        QVERIFY(QTest::qWaitForWindowExposed(bar.get()));
        bar->SetText(QStringLiteral("Loading"));
        QCoreApplication::processEvents();
        PaintCounter paints(*bar);
        bar->SetText(QStringLiteral("Loading"));
        QCoreApplication::processEvents();
        QCOMPARE(paints.count, 0);
        bar->SetText(QStringLiteral("loading"));  // case counts
        QCoreApplication::processEvents();
        QCOMPARE(paints.count, 1);
    }

    void aTextLongerThanTheBarIsCutInTheMiddleAndWholeOnHover() {
        auto bar = ShownBar();
        const QString summary = QStringLiteral(
            "Completed (31 / 31) with threshold for very likely match 95.00 %, threshold for "
            "likely 50.00 %");
        bar->resize(bar->fontMetrics().horizontalAdvance(summary) / 2, bar->height());
        bar->SetText(summary);
        const QString painted = bar->PaintedText();
        QVERIFY(painted.startsWith("Completed"));
        QVERIFY(painted.endsWith("50.00 %"));
        QVERIFY(painted.contains(QChar(0x2026)));  // the ellipsis
        QCOMPARE(bar->toolTip(), summary);

        // Room for it all: painted whole, no tooltip.
        bar->resize(bar->fontMetrics().horizontalAdvance(summary) + 20, bar->height());
        QCOMPARE(bar->PaintedText(), summary);
        QVERIFY(bar->toolTip().isEmpty());
    }
};

QTEST_MAIN(PercentProgressBarTest)
#include "percent_progress_bar_test.moc"
