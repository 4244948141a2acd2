// The editor's top-level window: the MDI area with the documents, the menus
// and the status bar.
#pragma once

#include <QMainWindow>
#include <memory>

#include "app/key_dispatch.h"

class QLabel;
class QMdiArea;

namespace qz {

class DocumentManager;
class MessageBox;
class Profile;
class QtMessageBox;

class QzedMainWindow : public QMainWindow, public KeyActionHost {
    Q_OBJECT
public:
    // Loads the whole settings record from profile, as the frame's creation
    // handler does, and moves the window to the stored rectangle. boxes: the
    // message boxes of the documents (null: real ones).
    explicit QzedMainWindow(Profile& profile, QWidget* parent = nullptr, MessageBox* boxes = nullptr);
    ~QzedMainWindow() override;

    QMdiArea* mdiArea() const { return mdi_; }
    DocumentManager& Documents() { return *docs_; }
    MessageBox& Boxes() { return *boxes_; }
    QLabel* MessagePane() const { return message_; }
    QLabel* RowPane() const { return row_; }
    QLabel* ColumnPane() const { return column_; }
    QLabel* LogPaneLabel() const { return log_; }

    void FileNew();
    void FileOpen();
    void FileSave();
    void FileClose();
    // The search dialogs on the active view.
    void SearchCommand();
    void ReplaceCommand();
    void ReplaceAllCommand();
    // A key code through the key tables of the frame's scheme, on view (null:
    // the frame alone).
    void DispatchKeyCode(int code, class QzedViewWidget* view);

    // KeyActionHost
    void RunViewAction(ViewAction action, int argument) override;
    void RunFrameAction(FrameAction action, int argument) override;
    // The active window's view, or null.
    class QzedViewWidget* ActiveView() const;

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void BuildMenus();
    void ShowLogPane(const QString& text, int look);
    // Runs fn on the active view, if there is one.
    template <class F> void OnView(F fn);

    Profile& profile_;
    QMdiArea* mdi_;
    std::unique_ptr<QtMessageBox> ownBoxes_;
    MessageBox* boxes_;
    std::unique_ptr<DocumentManager> docs_;
    QLabel* message_;
    QLabel* row_;
    QLabel* column_;
    QLabel* log_;
    // The scheme is the one in force when the frame was made.
    int scheme_ = 4;
    int asin4Type_ = 0;
};

}  // namespace qz
