#include <QImage>
#include <QPainter>
#include <QTest>
#include <cmath>
#include <map>
#include <set>

#include "controls/browse_glyph.h"

using namespace wordgleaner;

namespace {

using PixelMap = std::array<const char*, 16>;
using Legend = std::map<char, QRgb>;

// The three pictures as they must appear, written out independently of the code.
const PixelMap OpenFolderWithArrow = {
    "................", "..........KKK...", ".........K...K.K", "..............KK",
    "..KKK........KKK", ".KWYWKKKKKKK....", ".KYWYWYWYWYK....", ".KWYWYWYWYWK....",
    ".KYWYWKKKKKKKKKK", ".KWYWKOOOOOOOOOK", ".KYWKOOOOOOOOOK.", ".KWKOOOOOOOOOK..",
    ".KKOOOOOOOOOK...", ".KKKKKKKKKKK....", "................", "................",
};
const PixelMap ClosedFolder = {
    "................", "...GGGGG........", "..GWWWWWG.......", ".GWSYSYSWGGGGGG.",
    ".GWYSYSYSWWWWWGK", ".GWSYSYSYSYSYSGK", "GGGGGGGGGGGGGYGK", "GWWWWWWWWWWGKSGK",
    "GWSYSYSYSYSYKGGK", ".GWSYSYSYSYSGKGK", ".GWYSYSYSYSYSKGK", "..GWYSYSYSYSYGKK",
    "..GGGGGGGGGGGGKK", "...KKKKKKKKKKKKK", "................", "................",
};
const PixelMap FolderWithMagnifier = {
    "..GGGGG.........", ".GSYSYSG........", "GSYSYSYSGGGGGG..", "GWWWWWWWWWWWWOK.",
    "GWY.GGKGYSY.YOK.", "GW.GWCWKGYSYSOK.", "GWGWCWC.KGYSYOK.", "GWGCWC.CSO.YSOK.",
    "GWGWC.CSKOYSYOK.", "GW.G.CSKSOOYSOK.", "GWYSGSKS.BBOYOK.", "G.OOOOOONCBBOOK.",
    ".KKKKKKKKNCBBK..", "..........NCBBK.", "...........NCBK.", "............KK..",
};

const Legend EnabledColours = {
    {'K', qRgb(0, 0, 0)},     {'W', qRgb(255, 255, 255)}, {'Y', qRgb(255, 255, 0)},
    {'O', qRgb(128, 128, 0)}, {'G', qRgb(128, 128, 128)}, {'S', qRgb(192, 192, 192)},
    {'C', qRgb(0, 255, 255)}, {'B', qRgb(0, 0, 255)},     {'N', qRgb(0, 0, 128)},
};
// The olive pen greys out to dark grey in glyph 1 and to light grey in glyph 3.
Legend DisabledColours(int glyph) {
    return {
        {'K', qRgb(128, 128, 128)}, {'W', qRgb(255, 255, 255)},
        {'Y', qRgb(192, 192, 192)}, {'O', glyph == 1 ? qRgb(128, 128, 128) : qRgb(192, 192, 192)},
        {'G', qRgb(128, 128, 128)}, {'S', qRgb(192, 192, 192)},
        {'C', qRgb(255, 255, 255)}, {'B', qRgb(128, 128, 128)},
        {'N', qRgb(128, 128, 128)},
    };
}

const PixelMap& MapOf(int glyph) {
    return glyph == 1 ? OpenFolderWithArrow : glyph == 2 ? ClosedFolder : FolderWithMagnifier;
}

const QRgb Face = qRgb(212, 208, 200);
const QRgb Untouched = qRgb(1, 2, 3);  // a colour no glyph uses

// Draws into a canvas larger than the glyph rectangle, so that strays show.
QImage Draw(int glyph, bool disabled, const QRect& glyphRect, QSize canvas = QSize(24, 24)) {
    QImage image(canvas, QImage::Format_RGB32);
    image.fill(Untouched);
    QPainter painter(&image);
    DrawBrowseGlyph(painter, QColor(Face), glyphRect, glyph, disabled);
    return image;
}

// "" when every pixel of the rectangle matches the map, else the first mismatch.
QString CompareWithMap(const QImage& image, const QRect& area, int glyph, bool disabled) {
    const Legend legend = disabled ? DisabledColours(glyph) : EnabledColours;
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            const char letter = MapOf(glyph)[y][x];
            const QRgb expected = letter == '.' ? Face : legend.at(letter);
            const QRgb actual = image.pixel(area.x() + x, area.y() + y) | 0xFF000000;
            if (actual != expected) {
                return QStringLiteral("row %1 column %2 ('%3'): got #%4, want #%5")
                    .arg(y)
                    .arg(x)
                    .arg(letter)
                    .arg(actual & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                    .arg(expected & 0xFFFFFF, 6, 16, QLatin1Char('0'));
            }
        }
    }
    return {};
}

int PixelsOutside(const QImage& image, const QRect& area, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!area.contains(x, y) && (image.pixel(x, y) | 0xFF000000) != colour) {
                ++count;
            }
        }
    }
    return count;
}

// The lengths of the runs of one colour of the chequer that have the other
// chequer colour on both sides, along every row and every column.
std::set<int> InnerChequerRuns(const QImage& image, QRgb first, QRgb second) {
    auto isChequer = [&](QRgb colour) { return colour == first || colour == second; };
    std::set<int> lengths;
    auto walk = [&](int count, auto pixelAt) {
        int start = 0;
        for (int at = 1; at <= count; ++at) {
            if (at < count && pixelAt(at) == pixelAt(start)) {
                continue;
            }
            const bool inner = start > 0 && at < count && isChequer(pixelAt(start)) &&
                               isChequer(pixelAt(start - 1)) && isChequer(pixelAt(at));
            if (inner) {
                lengths.insert(at - start);
            }
            start = at;
        }
    };
    for (int y = 0; y < image.height(); ++y) {
        walk(image.width(), [&](int x) { return image.pixel(x, y) | 0xFF000000; });
    }
    for (int x = 0; x < image.width(); ++x) {
        walk(image.height(), [&](int y) { return image.pixel(x, y) | 0xFF000000; });
    }
    return lengths;
}

}  // namespace

class BrowseGlyphTest : public QObject {
    Q_OBJECT

private slots:
    void eachGlyphMatchesItsMapPixelForPixel_data() {
        QTest::addColumn<int>("glyph");
        QTest::addColumn<bool>("disabled");
        for (int glyph = 1; glyph <= 3; ++glyph) {
            QTest::addRow("glyph %d enabled", glyph) << glyph << false;
            QTest::addRow("glyph %d disabled", glyph) << glyph << true;
        }
    }

    void eachGlyphMatchesItsMapPixelForPixel() {
        QFETCH(int, glyph);
        QFETCH(bool, disabled);
        const QRect area(5, 3, 16, 16);
        const QImage image = Draw(glyph, disabled, area);
        QCOMPARE(CompareWithMap(image, area, glyph, disabled), QString());
        QCOMPARE(PixelsOutside(image, area, Untouched), 0);
    }

    void aSmallRectangleShowsOnlyTheTopLeftPartOfTheMap() {
        const QRect area(2, 4, 9, 6);
        const QImage image = Draw(3, false, area);
        QCOMPARE(CompareWithMap(image, area, 3, false), QString());
        QCOMPARE(PixelsOutside(image, area, Untouched), 0);
    }

    void aLargerRectangleIsFilledWithTheBackgroundBeyondTheMap() {
        const QRect area(0, 0, 20, 18);
        const QImage image = Draw(1, false, area);
        QCOMPARE(CompareWithMap(image, QRect(0, 0, 16, 16), 1, false), QString());
        QCOMPARE(image.pixel(19, 17) | 0xFF000000, Face);
        QCOMPARE(image.pixel(17, 2) | 0xFF000000, Face);
    }

    // At a scale factor that is not whole, each map pixel still becomes a
    // square of one size: the chequer of the folder's back keeps equal dots
    // at equal spacing, and nothing lands outside the rectangle.
    void theChequerStaysRegularAtEveryScaleFactor_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<bool>("disabled");
        for (qreal ratio : {1.0, 1.25, 1.5, 1.75, 2.0}) {
            QTest::addRow("%.2f enabled", ratio) << ratio << false;
            QTest::addRow("%.2f disabled", ratio) << ratio << true;
        }
    }
    void theChequerStaysRegularAtEveryScaleFactor() {
        QFETCH(qreal, ratio);
        QFETCH(bool, disabled);
        const QRect area(3, 5, 16, 16);  // lands between device pixels at 1.25 and 1.5
        QImage image(QSize(26, 26) * ratio, QImage::Format_RGB32);
        image.fill(Untouched);
        image.setDevicePixelRatio(ratio);
        {
            QPainter painter(&image);
            DrawBrowseGlyph(painter, QColor(Face), area, 1, disabled);
        }
        image.setDevicePixelRatio(1);
        const Legend legend = disabled ? DisabledColours(1) : EnabledColours;
        const std::set<int> runs = InnerChequerRuns(image, legend.at('W'), legend.at('Y'));
        QCOMPARE(runs.size(), std::size_t{1});
        QCOMPARE(*runs.begin(), std::max(1, int(std::floor(ratio))));
        const QRect deviceArea(QPoint(std::lround(area.x() * ratio), std::lround(area.y() * ratio)),
                               QPoint(std::lround(area.right() * ratio + ratio) - 1,
                                      std::lround(area.bottom() * ratio + ratio) - 1));
        QCOMPARE(PixelsOutside(image, deviceArea, Untouched), 0);
        QCOMPARE(image.pixel(deviceArea.topLeft()) | 0xFF000000, Face);
        QCOMPARE(image.pixel(deviceArea.bottomRight()) | 0xFF000000, Face);
    }

    void unknownGlyphsAndEmptyRectanglesDrawNothing() {
        for (int glyph : {0, 4, -1}) {
            const QImage image = Draw(glyph, false, QRect(0, 0, 16, 16));
            QCOMPARE(PixelsOutside(image, QRect(), Untouched), 0);
        }
        QCOMPARE(PixelsOutside(Draw(1, false, QRect(3, 3, 0, 16)), QRect(), Untouched), 0);
        QCOMPARE(PixelsOutside(Draw(1, false, QRect(3, 3, 16, -2)), QRect(), Untouched), 0);
    }
};

QTEST_MAIN(BrowseGlyphTest)
#include "browse_glyph_test.moc"
