// The editor's top-level window: the Qt side of CMainFrame. It builds the
// tool bars, the function-key bar, the window tabs, the status panes and the
// menus the frame core decides, and forwards events to it.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

#include "frame/main_frame.h"

class QLabel;
class QMdiArea;
class QMenu;
class QSystemTrayIcon;
class QToolBar;

namespace qz {

class CBkgndWnd;
class CQzedChild;
class CQzedDlBar;
class DocumentManager;
class ExternalCommands;
class MessageBox;
class PfKeyBar;
class Profile;
class QtGuidanceHost;
class QtMessageBox;
class QzedViewWidget;
class StatusPaneRow;

class QzedMainWindow : public QMainWindow, public FrameHost {
    Q_OBJECT
public:
    // Loads the whole settings record from profile, as the frame's creation
    // handler does, builds the bars and moves the window to the stored
    // rectangle. boxes: the message boxes of the documents (null: real ones).
    explicit QzedMainWindow(Profile& profile, QWidget* parent = nullptr, MessageBox* boxes = nullptr);
    ~QzedMainWindow() override;

    CMainFrame& Frame() { return *frame_; }
    QMdiArea* mdiArea() const { return mdi_; }
    DocumentManager& Documents() { return *docs_; }
    MessageBox& Boxes() { return *boxes_; }
    QLabel* MessagePane() const;
    QLabel* RowPane() const;
    QLabel* ColumnPane() const;
    QLabel* LogPaneLabel() const;
    QLabel* Pane(int pane) const;
    PfKeyBar* PfBar() const { return pfBar_; }
    CQzedDlBar* DialogBar() const { return dlBar_; }
    QToolBar* ToolBar(int index) const;
    QSystemTrayIcon* Tray() const { return tray_; }
    CBkgndWnd& Background() { return *background_; }

    void FileNew();
    void FileOpen();
    void FileSave();
    void FileClose();
    // The search dialogs on the active view.
    void SearchCommand();
    void ReplaceCommand();
    void ReplaceAllCommand();
    // A key code through the frame's dispatcher.
    void DispatchKeyCode(int code);
    // The active window's view, or null.
    QzedViewWidget* ActiveView() const;
    // Resident mode: the notification-area icon (when the desktop has one).
    void AddTrayIcon();
    void RemoveTrayIcon();
    // The settings sheet, and what its OK applies at once (before: the global
    // settings as they were before).
    void RunSettingsSheet();
    void ApplySettings(const EnvironSettings& before);
    // Enabled and checked states of the bars' buttons, as the idle update
    // of the frame sets them.
    void UpdateCommandStates();
    // Whether the run began with files named on a command line.
    std::function<bool()> startedWithFiles;

    // FrameHost
    std::vector<Window> Windows() override;
    Window ActiveWindow() override;
    void ActivateWindow(Window w) override;
    bool IsMinimized(Window w) override;
    bool IsMaximized(Window w) override;
    void SetMaximized(Window w, bool maximized) override;
    CQzedDoc& DocumentOf(Window w) override;
    CQzedView& ViewOf(Window w) override;
    std::vector<CQzedView*> ViewsOf(Window w) override;
    bool CloseWindow(Window w) override;
    void RelayoutViews(CQzedDoc& doc) override;
    void RepaintAllViews() override;
    void SetWindowMessage(Window w, const std::string& utf8, uint32_t fore, uint32_t back) override;
    void ShowPane(int pane, const PaneLook& look) override;
    void ShowPfLabels(const PfLabels& labels) override;
    void ShowMenuBar(const std::vector<MenuItem>& items) override;
    void ShowTabs(const std::vector<WindowTabs::Tab>& tabs, int selected) override;
    void OpenMenuPopup(int index) override;
    bool IsFrameMaximized() override { return isMaximized(); }
    void SetFrameMaximized(bool maximized) override;
    bool CloseFrame() override;
    void HideFrame() override { hide(); }
    void Beep() override;
    Window OpenDocument(const std::string& pathUtf8) override;
    bool OsWindowLineFeed() override;
    ExternalCommands& External() { return *external_; }
    bool RunPortCommand(int id) override;
    int PortCommandState(int id) override;

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void BuildBars();
    void RestoreBarState();
    void SaveBarState();
    QMenu* BuildMenu(const MenuItem& item, QWidget* parent);
    void FillMenu(QMenu* menu, const std::vector<MenuItem>& items);
    void UpdateMenuStates(QMenu* menu);
    void PopupMenu(const std::vector<MenuItem>& items, const QPoint& at);
    void ChildActivated(CQzedChild* child);
    void ShowViewMessage(const QString& text, int kind);
    void ShowLogPane(const QString& text, int look);
    void ModifiersNow();
    void ScheduleUpdate();
    void OpenRecent(int index);
    void ShowCodeTable(bool kanji);
    void WindowListDialog();

    Profile& profile_;
    QMdiArea* mdi_;
    std::unique_ptr<QtMessageBox> ownBoxes_;
    MessageBox* boxes_;
    std::unique_ptr<DocumentManager> docs_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<QtGuidanceHost> guidance_;
    ExternalCommands* external_ = nullptr;  // a child of the window
    std::unique_ptr<StatusPaneRow> panes_;
    std::unique_ptr<CBkgndWnd> background_;
    PfKeyBar* pfBar_ = nullptr;
    CQzedDlBar* dlBar_ = nullptr;
    std::vector<QToolBar*> toolBars_;
    QSystemTrayIcon* tray_ = nullptr;
    QMenu* trayMenu_ = nullptr;
    QPointer<QDialog> asciiTable_, kanjiTable_;
    bool quitting_ = false;     // the residence ends: closing really closes
    bool closeResult_ = false;  // what the last close decided
    bool updateQueued_ = false;
};

}  // namespace qz
