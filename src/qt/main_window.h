// The editor's top-level window: the MDI area that will hold the documents.
#pragma once

#include <QMainWindow>

class QMdiArea;

namespace qz {

class Profile;

class QzedMainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Loads the whole settings record from profile, as the frame's creation
    // handler does, and moves the window to the stored rectangle.
    explicit QzedMainWindow(Profile& profile, QWidget* parent = nullptr);

    QMdiArea* mdiArea() const { return mdi_; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    Profile& profile_;
    QMdiArea* mdi_;
};

}  // namespace qz
