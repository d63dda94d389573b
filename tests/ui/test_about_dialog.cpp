#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QTest>

#include <wordgleaner/version.h>

#include "ui/about_dialog.h"
#include "ui/ui_resources.h"
#include "ui/version_source.h"

using namespace wordgleaner;

namespace {

class FixedVersionSource : public VersionSource {
public:
    explicit FixedVersionSource(std::optional<FileVersion> fixed) : version(fixed) {}
    std::optional<FileVersion> ReadFileVersion() const override { return version; }

private:
    std::optional<FileVersion> version;
};

}  // namespace

class AboutDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { LoadUiResources(); }

    void showsTheVersionThisProgramWasBuiltWith() {
        ResourceVersionSource builtIn;
        AboutDialog dialog(builtIn);
        QCOMPARE(dialog.VersionText(), QString(WORDGLEANER_VERSION));
        QCOMPARE(dialog.windowTitle(), QString("About Wordgleaner"));
    }

    // What the program is, its licence and where the installed README is:
    // under the prefix the program runs from.
    void saysWhatTheProgramDoesItsLicenceAndWhereItsDocumentationIs() {
        ResourceVersionSource builtIn;
        AboutDialog dialog(builtIn);
        const QString text = dialog.DescriptionText();
        QVERIFY2(text.startsWith("Carries existing translations over to the tra files of game "
                                 "modifications.\n"),
                 qPrintable(text));
        QVERIFY(text.contains("MIT licence"));
        const QString prefix = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/..");
        QVERIFY2(text.endsWith("Documentation: " + prefix + "/share/doc/wordgleaner/README.md"),
                 qPrintable(text));
    }

    void showsCouldntReadWhenTheVersionCannotBeRead() {
        FixedVersionSource failing(std::nullopt);
        AboutDialog dialog(failing);
        QCOMPARE(dialog.VersionText(), QString("Couldn't read"));
    }

    void printsEveryPartAsAnUnsignedNumber() {
        FixedVersionSource odd(FileVersion{1, 2, 0, 65535});
        AboutDialog dialog(odd);
        QCOMPARE(dialog.VersionText(), QString("1.2.0.65535"));
    }

    void aMissingOrDamagedRecordGivesNoVersion() {
        QVERIFY(!ResourceVersionSource(":/wordgleaner/no-such-record").ReadFileVersion());
        // The icon is a resource too, but not a version record.
        QVERIFY(!ResourceVersionSource(":/wordgleaner/icon-16.png").ReadFileVersion());
    }

    void onlyFourDottedSixteenBitPartsAreAVersion() {
        QVERIFY(ParseFileVersion("3.1.4.15\n") == (FileVersion{3, 1, 4, 15}));
        QVERIFY(ParseFileVersion(" 65535.0.0.1 ") == (FileVersion{65535, 0, 0, 1}));
        for (const char* text :
             {"", "2.0.10", "2.0.10.12.1", "2.0.10.65536", "2.0..12", "-2.0.10.12", "+2.0.10.12",
              "2.0.10.12a", "2. 0.10.12", "99999999999999999999.0.0.0"}) {
            QVERIFY2(!ParseFileVersion(text), text);
        }
    }

    void showsTheApplicationIconFromTheProgramsResources() {
        QVERIFY(!ApplicationIcon().availableSizes().isEmpty());
        FixedVersionSource failing(std::nullopt);
        AboutDialog dialog(failing);
        bool iconShown = false;
        for (auto* label : dialog.findChildren<QLabel*>()) {
            iconShown = iconShown || !label->pixmap().isNull();
        }
        QVERIFY(iconShown);
    }
};

QTEST_MAIN(AboutDialogTest)
#include "test_about_dialog.moc"
