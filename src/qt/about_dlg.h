// The About box: the program's name, its version and the build.
#pragma once

#include <QDialog>

namespace qz {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent);
    // "Version 1.49", as control 327 shows it.
    QString VersionText() const;
    // The build this program was made from.
    static QString BuildText();
};

}  // namespace qz
