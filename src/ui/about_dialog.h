#pragma once

#include <QDialog>

class QLabel;

namespace wordgleaner {

class VersionSource;

// "About Wordgleaner": the icon, the name line and the version that the
// program file was built with, read when the box opens.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* UnreadableVersion = "Couldn't read";

    explicit AboutDialog(const VersionSource& versionSource, QWidget* parent = nullptr);

    QString VersionText() const;

private:
    QLabel* versionLabel;
};

}  // namespace wordgleaner
