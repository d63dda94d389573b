#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QUrl>
#include <memory>

#include "controls/browse_glyph.h"
#include "controls/path_browse_control.h"
#include "scripted_path_chooser.h"

using namespace wordgleaner;

namespace {

constexpr int Width = 300;
constexpr int Height = 22;
constexpr int GlyphButtonWidth = 16 + 11;
const QString ChosenFile = QStringLiteral("/data/reference/dialog.tra");

// A control in a window of its own, with a scripted chooser.
struct Fixture {
    explicit Fixture(unsigned mode = PathBrowseControl::DefaultMode, int width = Width,
                     int height = Height)
        : control(std::make_unique<PathBrowseControl>(nullptr, mode)),
          chooser(std::make_shared<ScriptedPathChooser>()) {
        control->resize(width, height);
        control->SetChooser(chooser);
        control->show();  // a hidden widget is laid out only once shown
    }

    QPoint ButtonCentre() const { return control->ButtonRect().center(); }
    QPoint OutsideButton() const { return control->EditRect().center(); }
    QLineEdit& Edit() const { return *control->Edit(); }

    std::unique_ptr<PathBrowseControl> control;
    std::shared_ptr<ScriptedPathChooser> chooser;
};

void TypeInto(QLineEdit& edit, const QString& text) {
    edit.selectAll();
    QTest::keyClicks(&edit, text);
}

// A move with no mouse button down, delivered straight to the widget.
void Hover(QWidget& widget, QPoint position) {
    QMouseEvent move(QEvent::MouseMove, position, widget.mapToGlobal(position), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

// Sends a drag carrying the paths as file URLs onto the widget, then the drop
// when the drag was accepted. Returns whether the drop was taken.
bool DropPaths(QWidget& target, const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls << QUrl::fromLocalFile(path);
    }
    data.setUrls(urls);
    const QPointF at = QRectF(target.rect()).center();
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
    return drop.isAccepted();
}

// A folder holding one file, for the checks that look at the file system.
struct Places {
    Places() {
        QFile file(File());
        file.open(QIODevice::WriteOnly);
    }
    QString Folder() const { return QDir::toNativeSeparators(dir.path()); }
    QString File() const { return QDir::toNativeSeparators(dir.filePath("gtu.tra")); }
    QString Missing() const { return QDir::toNativeSeparators(dir.filePath("nothing.tra")); }
    QTemporaryDir dir;
};

QRgb PixelAt(PathBrowseControl& control, QPoint point) {
    return control.grab().toImage().pixel(point);
}

QRgb Role(const QWidget& widget, QPalette::ColorRole role) {
    return widget.palette().color(QPalette::Active, role).rgb();
}

QImage GlyphShownBy(PathBrowseControl& control) {
    const QImage shown = control.grab().toImage().copy(control.GlyphRect());
    return shown.convertToFormat(QImage::Format_RGB32);
}

QImage GlyphPicture(int glyph, const QColor& face) {
    QImage picture(BrowseGlyphSize, BrowseGlyphSize, QImage::Format_RGB32);
    picture.fill(face);
    QPainter painter(&picture);
    DrawBrowseGlyph(painter, face, picture.rect(), glyph, false);
    return picture;
}

// Where glyph 1 has a black outline pixel (row 4, column 2) and where it has
// background (row 0, column 0).
const QPoint OutlinePixel(2, 4);

}  // namespace

class PathBrowseControlTest : public QObject {
    Q_OBJECT

private slots:
    // --- Layout ---

    void layoutPlacesButtonGlyphAndField_data() {
        QTest::addColumn<unsigned>("mode");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("button");
        QTest::addColumn<QRect>("glyph");
        QTest::addColumn<QRect>("field");
        const unsigned right = PathBrowseControl::DefaultMode;
        const unsigned left = right | PathBrowseControl::ModeButtonLeft;
        // The glyph is centred in the inner rectangle (the button less 2 on each side).
        QTest::newRow("button at the right")
            << right << QSize(Width, Height) << QRect(273, 0, 27, 22) << QRect(278, 3, 16, 16)
            << QRect(0, 0, 273, 22);
        QTest::newRow("button at the left") << left << QSize(Width, Height) << QRect(0, 0, 27, 22)
                                            << QRect(5, 3, 16, 16) << QRect(27, 0, 273, 22);
        QTest::newRow("as wide as the button") << right << QSize(27, Height) << QRect(0, 0, 27, 22)
                                               << QRect(5, 3, 16, 16) << QRect(0, 0, 0, 22);
        QTest::newRow("narrower than the button, left")
            << left << QSize(20, Height) << QRect(0, 0, 20, 22) << QRect(2, 3, 16, 16)
            << QRect(20, 0, 0, 22);
        // An inner rectangle of 16 pixels or less: the glyph takes its full height.
        QTest::newRow("inner height 16") << right << QSize(Width, 20) << QRect(273, 0, 27, 20)
                                         << QRect(278, 2, 16, 16) << QRect(0, 0, 273, 20);
        QTest::newRow("inner height 12") << right << QSize(Width, 16) << QRect(273, 0, 27, 16)
                                         << QRect(278, 2, 16, 12) << QRect(0, 0, 273, 16);
    }

    void layoutPlacesButtonGlyphAndField() {
        QFETCH(unsigned, mode);
        QFETCH(QSize, size);
        QFETCH(QRect, button);
        QFETCH(QRect, glyph);
        QFETCH(QRect, field);
        Fixture f(mode, size.width(), size.height());
        QCOMPARE(f.control->ButtonRect(), button);
        QCOMPARE(f.control->GlyphRect(), glyph);
        QCOMPARE(f.control->EditRect(), field);
        QCOMPARE(f.Edit().geometry(), field);
    }

    void captionModeSizesTheButtonToTheCaption() {
        Fixture f(0);
        const QString caption = QStringLiteral("Choose a folder...");
        f.control->SetCaption(caption);
        const QFontMetrics metrics(f.control->font());
        const int textWidth = metrics.horizontalAdvance(caption);
        QCOMPARE(f.control->ButtonRect().width(), textWidth + 11);
        QCOMPARE(f.control->GlyphRect().width(), textWidth);
        QCOMPARE(f.control->EditRect().width(), Width - textWidth - 11);
    }

    void setModeLaysOutAgainAndKeepsTheText() {
        Fixture f;
        f.control->SetPath(ChosenFile);
        QVERIFY(f.Edit().isReadOnly());
        f.control->ModifyMode(0,
                              PathBrowseControl::ModeButtonLeft | PathBrowseControl::ModeEditable);
        QCOMPARE(f.control->ButtonRect(), QRect(0, 0, GlyphButtonWidth, Height));
        QCOMPARE(f.Edit().geometry().left(), GlyphButtonWidth);
        QVERIFY(!f.Edit().isReadOnly());
        QCOMPARE(f.Edit().text(), ChosenFile);
    }

    void theFirstGlyphBitSetChoosesTheGlyph_data() {
        QTest::addColumn<unsigned>("mode");
        QTest::addColumn<int>("glyph");
        const unsigned glyph1 = PathBrowseControl::ModeGlyph1;
        const unsigned glyph2 = PathBrowseControl::ModeGlyph2;
        const unsigned glyph3 = PathBrowseControl::ModeGlyph3;
        QTest::newRow("glyph 1 before the others") << (glyph1 | glyph2 | glyph3) << 1;
        QTest::newRow("glyph 2 before glyph 3") << (glyph2 | glyph3) << 2;
        QTest::newRow("glyph 3 alone") << glyph3 << 3;
    }

    void theFirstGlyphBitSetChoosesTheGlyph() {
        QFETCH(unsigned, mode);
        QFETCH(int, glyph);
        Fixture f(PathBrowseControl::ModeGlyph | mode);
        const QColor face = f.control->palette().color(QPalette::Active, QPalette::Button);
        QCOMPARE(GlyphShownBy(*f.control), GlyphPicture(glyph, face));
    }

    // --- The path ---

    void getPathGivesTheChosenPath() {
        Fixture f;
        f.chooser->Accept({ChosenFile});
        QCOMPARE(f.control->Browse(), int(PathBrowseControl::BrowseAccepted));
        QCOMPARE(f.control->GetPath(), ChosenFile);
        QCOMPARE(f.Edit().text(), ChosenFile);
        QCOMPARE(f.Edit().selectedText(), ChosenFile);
    }

    void typingIntoAReadOnlyFieldIsImpossible() {
        Fixture f;
        f.chooser->Accept({ChosenFile});
        f.control->Browse();
        TypeInto(f.Edit(), QStringLiteral("/elsewhere"));
        QCOMPARE(f.Edit().text(), ChosenFile);
        QCOMPARE(f.control->GetPath(), ChosenFile);
    }

    void typedTextInAnEditableFieldBecomesThePath() {
        Fixture f(PathBrowseControl::DefaultMode | PathBrowseControl::ModeEditable);
        f.chooser->Accept({ChosenFile});
        f.control->Browse();
        TypeInto(f.Edit(), QStringLiteral("/data/other.tra"));
        QCOMPARE(f.control->GetPath(), QStringLiteral("/data/other.tra"));
    }

    void typedTextDifferingOnlyInCaseFollowsTheFileSystem() {
        Fixture f(PathBrowseControl::DefaultMode | PathBrowseControl::ModeEditable);
        f.chooser->Accept({ChosenFile});
        f.control->Browse();
        const QString shouted = ChosenFile.toUpper();
        TypeInto(f.Edit(), shouted);
#ifdef Q_OS_WIN
        QCOMPARE(f.control->GetPath(), ChosenFile);  // the same file there
#else
        QCOMPARE(f.control->GetPath(), shouted);  // a different file here
#endif
        TypeInto(f.Edit(), ChosenFile);
        QCOMPARE(f.control->GetPath(), ChosenFile);
    }

    void aChoiceOfSeveralFilesTakesTheFirst() {
        Fixture f;
        const QStringList files = {QStringLiteral("/mod/a.tra"), QStringLiteral("/mod/b.tra"),
                                   QStringLiteral("/mod/c.TRA")};
        f.chooser->Accept(files);
        f.control->Browse();
        QCOMPARE(f.Edit().text(), files.first());
        QCOMPARE(f.control->GetPath(), files.first());
    }

    void aCancelledChooserChangesNothing() {
        Fixture f(PathBrowseControl::DefaultMode | PathBrowseControl::ModeEditable);
        f.chooser->Accept({ChosenFile});
        f.control->Browse();
        TypeInto(f.Edit(), QStringLiteral("/typed"));
        f.chooser->Cancel();
        QCOMPARE(f.control->Browse(), int(PathBrowseControl::BrowseCancelled));
        QCOMPARE(f.control->GetPath(), QStringLiteral("/typed"));
        QCOMPARE(f.Edit().text(), QStringLiteral("/typed"));
        // A chooser that claims success without a path is taken as cancelled.
        f.chooser->Accept({});
        QCOMPARE(f.control->Browse(), int(PathBrowseControl::BrowseCancelled));
        QCOMPARE(f.control->GetPath(), QStringLiteral("/typed"));
    }

    void setPathMakesTheWholeSelectionAndReplacesTypedText() {
        Fixture f(PathBrowseControl::DefaultMode | PathBrowseControl::ModeEditable);
        TypeInto(f.Edit(), QStringLiteral("/typed"));
        f.control->ModifyMode(PathBrowseControl::ModeEditable, 0);  // the typed text stays in force
        QCOMPARE(f.control->GetPath(), QStringLiteral("/typed"));
        f.control->SetPath(ChosenFile);
        QCOMPARE(f.control->GetPath(), ChosenFile);
        f.control->SetPath(QString());
        QCOMPARE(f.control->GetPath(), QString());
    }

    // --- Browsing ---

    void theFolderChooserGetsTitlePromptFlagsAndCurrentPath() {
        Fixture f(PathBrowseControl::DefaultMode | PathBrowseControl::ModeFolder);
        f.control->SetChooserTitle(QStringLiteral("Mod folder"));
        f.control->SetFolderFlags(0x51);
        f.control->SetPath(QStringLiteral("/mod"));
        f.control->Browse();
        QCOMPARE(f.chooser->folderRequests.size(), std::size_t(1));
        const FolderChooserRequest& request = f.chooser->folderRequests.front();
        QCOMPARE(request.title, QStringLiteral("Mod folder"));
        QCOMPARE(request.prompt, QStringLiteral("Please select a folder from the list:"));
        QCOMPARE(request.flags, 0x51U);
        QCOMPARE(request.initialPath, QStringLiteral("/mod"));
    }

    void theFileChooserGetsItsSettings() {
        Fixture f;
        f.control->SetFilter(QStringLiteral("Tra files (*.tra)|*.tra||"));
        f.control->SetChooserTitle(QStringLiteral("Reference file"));
        f.control->SetPath(ChosenFile);
        f.control->Browse();
        QCOMPARE(f.chooser->fileRequests.size(), std::size_t(1));
        const FileChooserRequest& request = f.chooser->fileRequests.front();
        QVERIFY(request.open);
        QCOMPARE(request.flags, DefaultFileChooserFlags);
        QCOMPARE(request.filter, QStringLiteral("Tra files (*.tra)|*.tra||"));
        QCOMPARE(request.title, QStringLiteral("Reference file"));
        QCOMPARE(request.initialPath, ChosenFile);
    }

    void aSecondBrowseWhileOneIsOpenIsRefused() {
        Fixture f;
        int inner = 0;
        f.chooser->whileOpen = [&] { inner = f.control->Browse(); };
        f.chooser->Accept({ChosenFile});
        QCOMPARE(f.control->Browse(), int(PathBrowseControl::BrowseAccepted));
        QCOMPARE(inner, int(PathBrowseControl::BrowseCancelled));
        QCOMPARE(f.chooser->Calls(), 1);
    }

    // --- Mouse ---

    void clickingTheButtonOpensTheChooserOnce() {
        Fixture f;
        f.chooser->Accept({ChosenFile});
        bool pressedWhileDown = false;
        QTest::mousePress(f.control.get(), Qt::LeftButton, {}, f.ButtonCentre());
        pressedWhileDown = f.control->IsPressed();
        QTest::mouseRelease(f.control.get(), Qt::LeftButton, {}, f.ButtonCentre());
        QVERIFY(pressedWhileDown);
        QVERIFY(!f.control->IsPressed());
        QCOMPARE(f.chooser->Calls(), 1);
        QCOMPARE(f.control->GetPath(), ChosenFile);
    }

    void draggingOffSpringsBackAndDraggingBackPressesAgain() {
        Fixture f;
        QTest::mousePress(f.control.get(), Qt::LeftButton, {}, f.ButtonCentre());
        QTest::mouseMove(f.control.get(), f.ButtonCentre());
        QVERIFY(f.control->IsPressed());
        QVERIFY(f.control->IsHovered());
        QTest::mouseMove(f.control.get(), f.OutsideButton());
        QVERIFY(!f.control->IsPressed());
        QVERIFY(!f.control->IsHovered());
        QTest::mouseMove(f.control.get(), f.ButtonCentre());
        QVERIFY(f.control->IsPressed());
        QTest::mouseMove(f.control.get(), f.OutsideButton());
        QTest::mouseRelease(f.control.get(), Qt::LeftButton, {}, f.OutsideButton());
        QVERIFY(!f.control->IsPressed());
        QCOMPARE(f.chooser->Calls(), 0);
    }

    void hoveringWithoutAButtonDoesNotPress() {
        Fixture f;
        Hover(*f.control, f.ButtonCentre());
        QVERIFY(f.control->IsHovered());
        QVERIFY(!f.control->IsPressed());
        Hover(*f.control, f.OutsideButton());
        QVERIFY(!f.control->IsHovered());
    }

    // --- Keyboard and focus ---

    void spacePressesTheButtonAndOpensTheChooserOnRelease() {
        Fixture f;
        f.chooser->Cancel();
        QTest::keyPress(f.control.get(), Qt::Key_Space);
        QVERIFY(f.control->IsPressed());
        QCOMPARE(f.chooser->Calls(), 0);
        QTest::keyRelease(f.control.get(), Qt::Key_Space);
        QVERIFY(!f.control->IsPressed());
        QCOMPARE(f.chooser->Calls(), 1);
    }

    void enterOpensTheChooserAndNeverReachesTheDialog() {
        QDialog dialog;
        auto* layout = new QHBoxLayout(&dialog);
        auto* control = new PathBrowseControl(&dialog);
        auto* plainField = new QLineEdit(&dialog);
        auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
        ok->setDefault(true);
        layout->addWidget(control);
        layout->addWidget(plainField);
        layout->addWidget(ok);
        auto chooser = std::make_shared<ScriptedPathChooser>();
        control->SetChooser(chooser);
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        dialog.show();

        QTest::keyClick(control->Edit(), Qt::Key_Return);
        QTest::keyClick(control->Edit(), Qt::Key_Enter);
        QTest::keyClick(control, Qt::Key_Return);
        QCOMPARE(chooser->Calls(), 3);
        QCOMPARE(accepted.size(), 0);
        // The same key in an ordinary field does reach the default button.
        QTest::keyClick(plainField, Qt::Key_Return);
        QCOMPARE(accepted.size(), 1);
    }

    void tabbingOntoTheControlSelectsTheWholeText() {
        QWidget window;
        auto* layout = new QHBoxLayout(&window);
        auto* before = new QLineEdit(&window);
        auto* control = new PathBrowseControl(&window);
        layout->addWidget(before);
        layout->addWidget(control);
        control->SetPath(ChosenFile);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        before->setFocus();

        QTest::keyClick(before, Qt::Key_Tab);
        QVERIFY(control->Edit()->hasFocus());
        QCOMPARE(control->Edit()->selectedText(), ChosenFile);

        // Shift+Tab from the field stops on the button, where Space works.
        QTest::keyClick(control->Edit(), Qt::Key_Backtab);
        QVERIFY(control->hasFocus());
        QVERIFY(!control->Edit()->hasSelectedText());
    }

    // Tab onto the field and Space once used to leave the button drawn pushed
    // in: the field passed the press on to the control, never the release.
    void spaceInTheFieldLeavesTheButtonReleased_data() {
        QTest::addColumn<unsigned>("mode");
        QTest::newRow("read-only") << unsigned(PathBrowseControl::DefaultMode);
        QTest::newRow("editable") << unsigned(PathBrowseControl::DefaultMode |
                                              PathBrowseControl::ModeEditable);
    }
    void spaceInTheFieldLeavesTheButtonReleased() {
        QFETCH(unsigned, mode);
        QWidget window;
        auto* layout = new QHBoxLayout(&window);
        auto* before = new QLineEdit(&window);
        auto* control = new PathBrowseControl(&window, mode);
        auto chooser = std::make_shared<ScriptedPathChooser>();
        control->SetChooser(chooser);
        layout->addWidget(before);
        layout->addWidget(control);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        before->setFocus();

        QTest::keyClick(before, Qt::Key_Tab);
        QVERIFY(control->Edit()->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(!control->IsPressed());
        QCOMPARE(chooser->Calls(), 0);
    }

    void focusGivenToTheControlGoesIntoTheField() {
        QWidget window;
        auto* layout = new QHBoxLayout(&window);
        auto* before = new QLineEdit(&window);
        auto* control = new PathBrowseControl(&window);
        layout->addWidget(before);
        layout->addWidget(control);
        control->SetPath(ChosenFile);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        before->setFocus();
        control->setFocus();
        QVERIFY(control->Edit()->hasFocus());
        QCOMPARE(control->Edit()->selectedText(), ChosenFile);
        before->setFocus();
        QVERIFY(!control->Edit()->hasSelectedText());
    }

    // --- Typing, pasting and dropping ---

    void aPathCanBeTypedOrPastedIntoAnEditableField() {
        Fixture f(PathBrowseControl::DefaultMode | PathBrowseControl::ModeEditable);
        TypeInto(f.Edit(), "/typed/mod");
        QCOMPARE(f.control->GetPath(), QString("/typed/mod"));

        QApplication::clipboard()->setText("/pasted/reference.tra");
        f.Edit().selectAll();
        QTest::keyClick(&f.Edit(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f.control->GetPath(), QString("/pasted/reference.tra"));
        // The whole path shows on hover, however narrow the field.
        QCOMPARE(f.Edit().toolTip(), QString("/pasted/reference.tra"));
    }

    void aDroppedFileOrFolderOfTheFieldsKindBecomesThePath() {
        Places places;
        Fixture files;
        QVERIFY(DropPaths(files.Edit(), {places.File()}));
        QCOMPARE(files.control->GetPath(), places.File());
        QCOMPARE(files.Edit().text(), places.File());

        Fixture folders(PathBrowseControl::DefaultMode | PathBrowseControl::ModeFolder);
        QVERIFY(DropPaths(*folders.control, {places.Folder()}));
        QCOMPARE(folders.control->GetPath(), places.Folder());
    }

    void aDropOfTheWrongKindIsRefusedWithATooltip() {
        Places places;
        Fixture files;
        files.control->SetPath(ChosenFile);
        QVERIFY(!DropPaths(files.Edit(), {places.Folder()}));
        QVERIFY(QToolTip::text().contains("Drop one file here"));
        QVERIFY(!DropPaths(files.Edit(), {places.File(), places.File()}));
        QVERIFY(!DropPaths(files.Edit(), {places.Missing()}));

        Fixture folders(PathBrowseControl::DefaultMode | PathBrowseControl::ModeFolder);
        QVERIFY(!DropPaths(folders.Edit(), {places.File()}));
        QVERIFY(QToolTip::text().contains("Drop one folder here"));
        // Nothing refused reaches the path.
        QCOMPARE(files.control->GetPath(), ChosenFile);
        QVERIFY(folders.control->GetPath().isEmpty());
    }

    void aDisabledFieldTakesNoDrop() {
        Places places;
        Fixture f;
        f.control->setEnabled(false);
        QVERIFY(!DropPaths(f.Edit(), {places.File()}));
        QVERIFY(f.control->GetPath().isEmpty());
    }

    void aPathThatDoesNotExistIsMarkedWhileTyped() {
        Places places;
        Fixture f(PathBrowseControl::DefaultMode | PathBrowseControl::ModeEditable);
        f.control->SetExistenceCheck(true);
        auto* sign = f.Edit().findChild<QAction*>("pathWarningSign");
        QVERIFY(sign);
        QVERIFY(!sign->isVisible());  // an empty field is not judged

        TypeInto(f.Edit(), places.Missing());
        QVERIFY(sign->isVisible());
        QVERIFY(sign->toolTip().contains("There is no file"));
        QCOMPARE(f.control->PathWarning(), sign->toolTip());

        TypeInto(f.Edit(), places.Folder());
        QVERIFY(f.control->PathWarning().contains("is a folder, not a file"));
        TypeInto(f.Edit(), places.File());
        QVERIFY(!sign->isVisible());
        QVERIFY(f.control->PathWarning().isEmpty());
    }

    void withoutTheExistenceCheckNothingIsMarked() {
        Fixture f(PathBrowseControl::DefaultMode | PathBrowseControl::ModeEditable);
        TypeInto(f.Edit(), "/no/such/file.tra");
        QVERIFY(f.control->PathWarning().isEmpty());
    }

    // --- Drawing ---

    void aPressedButtonDrawsTheGlyphOnePixelLowerAndFurtherRight() {
        Fixture f;
        const QPoint glyphOrigin = f.control->GlyphRect().topLeft();
        QCOMPARE(PixelAt(*f.control, glyphOrigin + OutlinePixel), qRgb(0, 0, 0));
        QTest::mousePress(f.control.get(), Qt::LeftButton, {}, f.ButtonCentre());
        const QImage pressed = f.control->grab().toImage();
        QCOMPARE(pressed.pixel(glyphOrigin + OutlinePixel + QPoint(1, 1)), qRgb(0, 0, 0));
        QCOMPARE(pressed.pixel(glyphOrigin + OutlinePixel), Role(*f.control, QPalette::Button));
        QTest::mouseRelease(f.control.get(), Qt::LeftButton, {}, f.OutsideButton());
    }

    void aDisabledControlDrawsTheGreyGlyphOnTheSameFace() {
        Fixture f;
        const QPoint glyphOrigin = f.control->GlyphRect().topLeft();
        const QRgb face = PixelAt(*f.control, glyphOrigin);
        f.control->setEnabled(false);
        QVERIFY(!f.Edit().isEnabled());
        QCOMPARE(PixelAt(*f.control, glyphOrigin + OutlinePixel), qRgb(128, 128, 128));
        QCOMPARE(PixelAt(*f.control, glyphOrigin), face);
        f.control->setEnabled(true);
        QVERIFY(f.Edit().isEnabled());
        QCOMPARE(PixelAt(*f.control, glyphOrigin + OutlinePixel), qRgb(0, 0, 0));
    }

    void classicAndFlatBordersFollowTheButtonState() {
        Fixture f;
        const QPoint corner = f.control->ButtonRect().topLeft();
        QCOMPARE(PixelAt(*f.control, corner), Role(*f.control, QPalette::Light));
        QTest::mousePress(f.control.get(), Qt::LeftButton, {}, f.ButtonCentre());
        QCOMPARE(PixelAt(*f.control, corner), Role(*f.control, QPalette::Shadow));
        QTest::mouseRelease(f.control.get(), Qt::LeftButton, {}, f.OutsideButton());

        f.control->ModifyMode(0, PathBrowseControl::ModeFlat);
        QCOMPARE(PixelAt(*f.control, corner), Role(*f.control, QPalette::Button));
        Hover(*f.control, f.ButtonCentre());
        QCOMPARE(PixelAt(*f.control, corner), Role(*f.control, QPalette::Light));
    }
};

QTEST_MAIN(PathBrowseControlTest)
#include "path_browse_control_test.moc"
