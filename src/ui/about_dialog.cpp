#include "about_dialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/main_window_labels.h"
#include "ui_resources.h"
#include "version_source.h"

namespace wordgleaner {

namespace {

constexpr int IconSize = 32;
constexpr int Margin = 16;

// Where the installation put the README: its documentation folder under the
// prefix the program runs from (/usr for the package, /usr/local for a
// `cmake --install`). On Windows it comes in the program's zip.
QString DocumentationPlace() {
#if defined(_WIN32)
    return QStringLiteral("README.md beside wordgleaner.exe");
#else
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../" WORDGLEANER_DOC_DIR "/README.md"));
#endif
}

QString ReadVersionText(const VersionSource& source) {
    auto version = source.ReadFileVersion();
    return version ? FormatFileVersion(*version) : QString(AboutDialog::UnreadableVersion);
}

QLabel* MakePlainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);  // ampersands are shown as they are
    return label;
}

}  // namespace

AboutDialog::AboutDialog(const VersionSource& versionSource, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Wordgleaner"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* icon = new QLabel(this);
    icon->setPixmap(ApplicationIcon().pixmap(IconSize, IconSize));
    auto* nameLine = MakePlainLabel(tr("Wordgleaner Version"), this);
    versionLabel = MakePlainLabel(tr("unknown"), this);
    versionLabel->setObjectName("versionLabel");
    versionLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    descriptionLabel = MakePlainLabel(
        QString::fromLocal8Bit(AboutDescription(DocumentationPlace().toLocal8Bit().toStdString())),
        this);
    descriptionLabel->setObjectName("descriptionLabel");
    descriptionLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    // The template's arrangement: icon on the left, the name line at the top
    // beside it, OK in the top right corner.
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLine);
    nameRow->addWidget(versionLabel);
    nameRow->addStretch();
    auto* text = new QVBoxLayout;
    text->addLayout(nameRow);
    text->addWidget(descriptionLabel);
    text->addStretch();
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(Margin, Margin, Margin, Margin);
    layout->addWidget(icon, 0, Qt::AlignVCenter);
    layout->addSpacing(Margin);
    layout->addLayout(text, 1);
    layout->addSpacing(Margin);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    versionLabel->setText(ReadVersionText(versionSource));
}

QString AboutDialog::VersionText() const {
    return versionLabel->text();
}

QString AboutDialog::DescriptionText() const {
    return descriptionLabel->text();
}

}  // namespace wordgleaner
