// The controls demo's path fields: the row labelled "Disabled" shows a
// disabled control, whatever the "Enabled" box of the gallery says.
#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QTest>

#include <memory>

#include "controls/path_browse_control.h"
#include "path_field_samples.h"

using namespace wordgleaner;

namespace {

// The field of the gallery's row with this label.
QWidget* FieldOfRow(QWidget& gallery, const QString& label) {
    auto* layout = qobject_cast<QFormLayout*>(gallery.layout());
    for (int row = 0; row < layout->rowCount(); ++row) {
        auto* item = layout->itemAt(row, QFormLayout::LabelRole);
        auto* caption = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
        if (caption && caption->text() == label) {
            return layout->itemAt(row, QFormLayout::FieldRole)->widget();
        }
    }
    return nullptr;
}

}  // namespace

class PathFieldSamplesTest : public QObject {
    Q_OBJECT

private slots:
    void theDisabledRowStaysDisabledAndTheOthersFollowTheBox() {
        std::unique_ptr<QWidget> gallery(PathFieldGallery(nullptr));
        gallery->show();
        QWidget* disabled = FieldOfRow(*gallery, "Disabled");
        QWidget* folder = FieldOfRow(*gallery, "Folder mode");
        QVERIFY(qobject_cast<PathBrowseControl*>(disabled));
        QVERIFY(folder);
        QVERIFY(!disabled->isEnabled());
        QVERIFY(folder->isEnabled());

        auto* box = gallery->findChild<QCheckBox*>();
        for (bool expected : {false, true}) {
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
            QCOMPARE(folder->isEnabled(), expected);
            QVERIFY(!disabled->isEnabled());
        }
    }
};

QTEST_MAIN(PathFieldSamplesTest)
#include "path_field_samples_test.moc"
