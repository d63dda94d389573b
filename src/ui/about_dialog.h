#pragma once

#include <QDialog>

class QLabel;

namespace wordgleaner {

class VersionSource;

// "About Wordgleaner": the icon, the name line and the version that the
// program file was built with, read when the box opens, and a line on what
// the program does, its licence and its documentation.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* UnreadableVersion = "Couldn't read";

    explicit AboutDialog(const VersionSource& versionSource, QWidget* parent = nullptr);

    QString VersionText() const;
    QString DescriptionText() const;

private:
    QLabel* versionLabel;
    QLabel* descriptionLabel;
};

}  // namespace wordgleaner
