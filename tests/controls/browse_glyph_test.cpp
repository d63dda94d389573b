#include <QImage>
#include <QPainter>
#include <QTest>
#include <map>

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
