// A gallery of the custom controls: path fields in their modes, the browse
// glyphs and progress bars. Run with --save-images FOLDER to write the
// pictures shown in the documentation instead of opening the window, e.g.
//   QT_QPA_PLATFORM=offscreen wordgleaner-controls-demo --save-images docs
#include <QApplication>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSlider>
#include <QStringList>
#include <QTextStream>
#include <QVBoxLayout>
#include <array>
#include <vector>

#include "controls/browse_glyph.h"
#include "controls/path_browse_control.h"
#include "controls/percent_progress_bar.h"
#include "path_field_samples.h"

using namespace wordgleaner;

namespace {

constexpr int GlyphZoom = 8;
constexpr int GlyphCellPadding = 12;
constexpr int LabelHeight = 22;
constexpr int BarWidth = 320;
constexpr int BarHeight = 22;
constexpr int FieldWidth = 420;
constexpr std::array<int, 3> PicturedPercentages = {0, 42, 100};
const QColor ButtonFace(240, 240, 240);
const QColor SheetBackground(255, 255, 255);

// One glyph, enlarged without smoothing so every pixel shows.
QImage EnlargedGlyph(int glyph, bool disabled) {
    QImage image(BrowseGlyphSize, BrowseGlyphSize, QImage::Format_RGB32);
    image.fill(ButtonFace);
    QPainter painter(&image);
    DrawBrowseGlyph(painter, ButtonFace, image.rect(), glyph, disabled);
    painter.end();
    return image.scaled(BrowseGlyphSize * GlyphZoom, BrowseGlyphSize * GlyphZoom,
                        Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// Three glyphs across, enabled above disabled.
QImage GlyphSheet() {
    const int cell = BrowseGlyphSize * GlyphZoom + 2 * GlyphCellPadding;
    QImage sheet(3 * cell, 2 * (cell + LabelHeight), QImage::Format_RGB32);
    sheet.fill(SheetBackground);
    QPainter painter(&sheet);
    for (int row = 0; row < 2; ++row) {
        const bool disabled = row == 1;
        for (int glyph = 1; glyph <= 3; ++glyph) {
            const int x = (glyph - 1) * cell;
            const int y = row * (cell + LabelHeight);
            painter.setPen(Qt::black);
            painter.drawText(
                QRect(x, y, cell, LabelHeight), Qt::AlignCenter,
                QStringLiteral("Glyph %1, %2")
                    .arg(glyph)
                    .arg(disabled ? QStringLiteral("disabled") : QStringLiteral("enabled")));
            painter.drawImage(x + GlyphCellPadding, y + LabelHeight + GlyphCellPadding,
                              EnlargedGlyph(glyph, disabled));
        }
    }
    return sheet;
}

// Shows the widget without putting it on a screen, so that its window exists
// and it can be grabbed.
void ShowOffScreen(QWidget& widget) {
    widget.setAttribute(Qt::WA_DontShowOnScreen);
    widget.show();
}

// The pictured percentages, and one status text across the bar's edge to show
// the inverse colours.
QImage ProgressSheet() {
    QWidget sheet;
    auto* layout = new QFormLayout(&sheet);
    std::vector<PercentProgressBar*> bars;
    for (int percent : PicturedPercentages) {
        auto* bar = new PercentProgressBar(&sheet);
        bar->setFixedSize(BarWidth, BarHeight);
        layout->addRow(QStringLiteral("SetPos(%1)").arg(percent), bar);
        bars.push_back(bar);
    }
    auto* status = new PercentProgressBar(&sheet);
    status->setFixedSize(BarWidth, BarHeight);
    status->SetText(QStringLiteral("Recovering dialog.tra"));
    layout->addRow(QStringLiteral("SetPos(50), SetText"), status);
    ShowOffScreen(sheet);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        bars[i]->SetPos(PicturedPercentages[i]);
    }
    status->SetPos(50);
    return sheet.grab().toImage();
}

QImage PathFieldSheet() {
    QWidget sheet;
    auto* layout = new QFormLayout(&sheet);
    for (const FieldSample& sample : FieldSamples) {
        auto* field = MakeSampleField(sample, &sheet);
        field->setFixedWidth(FieldWidth);
        layout->addRow(QString::fromUtf8(sample.label), field);
    }
    ShowOffScreen(sheet);
    return sheet.grab().toImage();
}

int SaveImages(const QString& folder) {
    QTextStream err(stderr);
    if (!QDir().mkpath(folder)) {
        err << "Cannot create the folder " << folder << "\n";
        return 1;
    }
    const QDir target(folder);
    const std::array<std::pair<const char*, QImage>, 3> images = {{
        {"controls-glyphs.png", GlyphSheet()},
        {"controls-progress.png", ProgressSheet()},
        {"controls-path-fields.png", PathFieldSheet()},
    }};
    for (const auto& [name, image] : images) {
        const QString path = target.filePath(QString::fromUtf8(name));
        if (!image.save(path)) {
            err << "Cannot write " << path << "\n";
            return 1;
        }
        QTextStream(stdout) << "Wrote " << path << "\n";
    }
    return 0;
}

QWidget* ProgressGallery(QWidget* parent) {
    auto* box = new QGroupBox(QStringLiteral("Progress bars"), parent);
    auto* layout = new QFormLayout(box);
    auto* slider = new QSlider(Qt::Horizontal, box);
    slider->setRange(-10, 150);
    auto* status = new QLineEdit(box);
    status->setPlaceholderText(QStringLiteral("Status text (empty shows the percentage)"));
    auto* plain = new PercentProgressBar(box);
    auto* coloured = new PercentProgressBar(box);
    coloured->SetBarColour(QColor(0, 128, 0));
    coloured->SetBackgroundColour(QColor(255, 255, 224));
    auto* vertical = new PercentProgressBar(box);
    vertical->SetOrientation(Qt::Vertical);
    for (PercentProgressBar* bar : {plain, coloured, vertical}) {
        QObject::connect(slider, &QSlider::valueChanged, bar, &PercentProgressBar::SetPos);
        QObject::connect(status, &QLineEdit::textChanged, bar, &PercentProgressBar::SetText);
    }
    layout->addRow(QStringLiteral("Position"), slider);
    layout->addRow(QStringLiteral("Text"), status);
    layout->addRow(QStringLiteral("Default colours"), plain);
    layout->addRow(QStringLiteral("Own colours"), coloured);
    layout->addRow(QStringLiteral("Vertical"), vertical);
    return box;
}

QWidget* GlyphGallery(QWidget* parent) {
    auto* box = new QGroupBox(QStringLiteral("Glyphs"), parent);
    auto* layout = new QHBoxLayout(box);
    auto* label = new QLabel(box);
    label->setPixmap(QPixmap::fromImage(GlyphSheet()));
    layout->addWidget(label);
    return box;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const qsizetype saveAt = arguments.indexOf(QStringLiteral("--save-images"));
    if (saveAt >= 0) {
        if (saveAt + 1 >= arguments.size()) {
            QTextStream(stderr) << "Usage: wordgleaner-controls-demo [--save-images FOLDER]\n";
            return 2;
        }
        return SaveImages(arguments[saveAt + 1]);
    }

    QWidget window;
    window.setWindowTitle(QStringLiteral("Wordgleaner controls"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(PathFieldGallery(&window));
    layout->addWidget(ProgressGallery(&window));
    layout->addWidget(GlyphGallery(&window));
    window.show();
    return QApplication::exec();
}
