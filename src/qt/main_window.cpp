// Before any Qt header: the template table has a member named like Qt's
// "slots" keyword macro.
#include "lang/jump_stack.h"
#include "lang/language_data.h"

#include "qt/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <vector>

#include "app/app_title.h"
#include "app/key_code.h"
#include "app/reopen_list.h"
#include "frame/commands.h"
#include "frame/tool_bars.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "qt/about_dlg.h"
#include "qt/bkgnd_wnd.h"
#include "qt/code_table_dlg.h"
#include "qt/guidance_dlg.h"
#include "qt/help_opener.h"
#include "qt/file_list_dlg.h"
#include "frame/file_list.h"
#include "qt/busy_input.h"
#include "qt/document_window.h"
#include "qt/external_commands.h"
#include "qt/file_dialogs.h"
#include "qt/frame_bars.h"
#include "qt/key_input.h"
#include "qt/lang_dialogs.h"
#include "qt/log_repeat_dlg.h"
#include "qt/print_commands.h"
#include "qt/qt_clipboard.h"
#include "qt/qt_message_box.h"
#include "qt/search_dialogs.h"
#include "qt/view_widget.h"
#include "settings/settings.h"
#include "view/key_log.h"
#include "view/search_state.h"

namespace qz {

namespace c = cmdid;

namespace {

CQzedChild* Child(FrameHost::Window w) { return static_cast<CQzedChild*>(w); }

// The command's tip, and its prompt for the status bar. The help buttons'
// tips begin with the registered help's title.
void DescribeAction(QAction* a, int id, int scheme, const std::vector<HelpEntry>& helps = {}) {
    const CommandInfo* info = FindCommand(id);
    if (!info) return;
    std::string title;
    const size_t n = static_cast<size_t>(id - c::kHelpButton1);
    if (id >= c::kHelpButton1 && n < helps.size()) title = helps[n].title;
    a->setToolTip(QString::fromStdString(ToolTip(id, scheme, title)));
    a->setStatusTip(QString::fromUtf8(info->prompt));
}

}  // namespace

QzedMainWindow::QzedMainWindow(Profile& profile, QWidget* parent, MessageBox* boxes)
    : QMainWindow(parent), profile_(profile), mdi_(new QMdiArea(this)) {
    if (!boxes) {
        ownBoxes_ = std::make_unique<QtMessageBox>(this);
        boxes = ownBoxes_.get();
    }
    boxes_ = boxes;
    const int asinMode = profile_.GetProfileInt("Environ", "AsinMode", 4);
    setWindowTitle(QString::fromStdString(FrameTitle(asinMode)));
    setWindowIcon(ProgramIcon());
    setCentralWidget(mdi_);
    setAcceptDrops(true);

    QSize desktop(800, 600);
    if (QScreen* screen = QGuiApplication::primaryScreen()) desktop = screen->geometry().size();
    Settings& s = TheSettings();
    LoadAll(s, profile_, desktop.width(), desktop.height());
    RestoreMarksAtStart(s);
    // The stored rectangle is the window's own (without the decorations the
    // window manager adds), saved the same way at close: it does not grow.
    const FrameRect& r = s.frameRect;
    setGeometry(r.left, r.top, std::max(r.right - r.left, 100), std::max(r.bottom - r.top, 100));

    docs_ = std::make_unique<DocumentManager>(mdi_, *boxes_);
    frame_ = std::make_unique<CMainFrame>(*this, docs_->Commands(), asinMode,
                                          profile_.GetProfileInt("Environ", "Asin4Type", 0));
    guidance_ = std::make_unique<QtGuidanceHost>(this, profile_, *boxes_);
    frame_->SetGuidanceHost(guidance_.get());
    panes_ = std::make_unique<StatusPaneRow>(statusBar());
    background_ = std::make_unique<CBkgndWnd>(mdi_);
    if (s.env.BkgndMode == 3) background_->LoadBitmap(QString::fromStdString(s.env.BkgndFname));
    background_->SetMode(s.env.BkgndMode);
    BuildBars();

    docs_->onPanes = [this](const QString& rowText, const QString& columnText) {
        frame_->SetPane(kPaneRow, {rowText.toStdString(), kColourButtonText, kColourButtonFace});
        frame_->SetPane(kPaneColumn, {columnText.toStdString(), kColourButtonText, kColourButtonFace});
    };
    docs_->onMessage = [this](const QString& text, int kind) { ShowViewMessage(text, kind); };
    docs_->onLogPane = [this](const QString& text, LogPaneLook look) { ShowLogPane(text, static_cast<int>(look)); };
    docs_->onTempSave = [this](bool running) { frame_->ShowTempSave(running); };
    docs_->onCommandKey = [this](int code, QzedViewWidget*) { DispatchKeyCode(code); };
    docs_->onFrameCommand = [this](int id) { frame_->Execute(id); };
    docs_->onOpened = [this](CQzedChild* child) { frame_->WindowOpened(child); };
    docs_->onClosed = [this](CQzedChild* child) { frame_->WindowClosed(child); };
    docs_->onLastClosed = [this] {
        // After the close that got here has finished.
        QTimer::singleShot(0, this, [this] {
            if (docs_->Children().empty()) frame_->LastWindowClosed(startedWithFiles && startedWithFiles());
        });
    };
    docs_->frameKey = [this](int code) { return frame_->WindowSelectActive() && frame_->WindowSelectKey(code); };
    docs_->windowSelecting = [this] { return frame_->WindowSelectActive(); };
    docs_->onPrefixStroke = [this](char key) { frame_->PrefixSecondStroke(key); };
    // A scheme chosen in the settings sheet waits for the next start.
    docs_->keyScheme = [this] { return frame_->Scheme(); };
    docs_->onModifierLabels = [this](int modifier) {
        frame_->SetModifiers(modifier == 1   ? ModifierState::Shift
                             : modifier == 2 ? ModifierState::Ctrl
                                             : ModifierState::None);
    };
    docs_->onContextMenu = [this](const QPoint& at) {
        if (TheSettings().env.Mouse != 0) PopupMenu(ViewContextMenu(), at);
    };
    external_ = new ExternalCommands(*this, *docs_, *boxes_, profile_);
    docs_->shellRunning = [this](CQzedDoc& doc) { return external_->Running(doc); };
    docs_->shellKey = [this](QzedViewWidget* v, QKeyEvent* e) { return external_->ViewKey(v, e); };
    docs_->onOpenAtLine = [this](const std::string& path, int32_t line, const void* origin) {
        return frame_->OpenAtLine(path, line, origin);
    };
    connect(mdi_, &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow* w) { ChildActivated(qobject_cast<CQzedChild*>(w)); });
    // Coming back to the editor checks every document for outside changes.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState st) {
        if (st == Qt::ApplicationActive) RunWhenIdle(this, [this] { docs_->CheckAllExternalChanges(); });
    });
    // The held modifiers swap the menu and the labels wherever the keyboard is.
    qApp->installEventFilter(this);
    // The idle update: tabs, panes and the bars' states follow the documents.
    auto* idle = new QTimer(this);
    connect(idle, &QTimer::timeout, this, &QzedMainWindow::UpdateCommandStates);
    idle->start(500);
    frame_->Start();
    UpdateCommandStates();
}

QzedMainWindow::~QzedMainWindow() {
    qApp->removeEventFilter(this);
    // The children go before the manager their windows report to. Their save
    // questions were asked by the close, if any: none is asked again here.
    docs_->onClosed = nullptr;
    docs_->onLastClosed = nullptr;
    for (QMdiSubWindow* w : mdi_->subWindowList()) delete w;
}

QLabel* QzedMainWindow::Pane(int pane) const { return panes_->Pane(pane); }
QLabel* QzedMainWindow::MessagePane() const { return Pane(kPaneMessage); }
QLabel* QzedMainWindow::RowPane() const { return Pane(kPaneRow); }
QLabel* QzedMainWindow::ColumnPane() const { return Pane(kPaneColumn); }
QLabel* QzedMainWindow::LogPaneLabel() const { return Pane(kPaneLog); }

QToolBar* QzedMainWindow::ToolBar(int index) const {
    for (QToolBar* b : toolBars_)
        if (b->property("qzIndex").toInt() == index) return b;
    return nullptr;
}

// ------------------------------------------------------------------ bars

void QzedMainWindow::BuildBars() {
    const EnvironSettings& env = TheSettings().env;
    const int scheme = frame_->Scheme();
    const std::vector<HelpEntry> helps = LoadHelpEntries(profile_);
    for (const ToolBarDef& def : ToolBars()) {
        auto* bar = new QToolBar(QString::fromUtf8(def.title), this);
        bar->setObjectName(QStringLiteral("ToolBar%1").arg(def.index));
        bar->setProperty("qzIndex", def.index);
        bar->setIconSize(QSize(16, 16));
        bar->setMovable(env.MoveProhibit != 1);
        for (int id : def.buttons) {
            if (id == 0) {
                bar->addSeparator();
                continue;
            }
            QAction* a = bar->addAction(CommandIcon(id), QString::fromUtf8(FindCommand(id)->tip));
            a->setProperty("qzId", id);
            DescribeAction(a, id, scheme, helps);
            connect(a, &QAction::triggered, this, [this, id] { frame_->Execute(id); });
        }
        addToolBar(def.side == DockSide::Right ? Qt::RightToolBarArea : Qt::TopToolBarArea, bar);
        bar->setVisible(def.shownAtFirst);
        toolBars_.push_back(bar);
    }

    pfBar_ = new PfKeyBar(this);
    pfBar_->setMovable(env.MoveProhibit != 1);
    pfBar_->onClick = [this](int index) {
        // The modifiers of the click itself, as the keyboard state had them.
        const Qt::KeyboardModifiers m = QGuiApplication::keyboardModifiers();
        frame_->PfKeyClicked(index, m & Qt::ShiftModifier, m & Qt::ControlModifier, m & Qt::AltModifier);
        if (QzedViewWidget* v = ActiveView()) v->setFocus();
    };
    addToolBarBreak(env.PfkeyBar == 1 ? Qt::TopToolBarArea : Qt::BottomToolBarArea);
    addToolBar(env.PfkeyBar == 1 ? Qt::TopToolBarArea : Qt::BottomToolBarArea, pfBar_);
    // Hidden until the saved bar state says otherwise.
    pfBar_->hide();

    if (env.DialogBar == 1 || env.DialogBar == 2) {
        dlBar_ = new CQzedDlBar(this, env.DialogBarStyle == 1);
        dlBar_->setMovable(env.MoveProhibit != 1);
        const Qt::ToolBarArea area = env.DialogBar == 1 ? Qt::TopToolBarArea : Qt::BottomToolBarArea;
        addToolBarBreak(area);
        addToolBar(area, dlBar_);
        dlBar_->onChosen = [this](int index) { frame_->TabChosen(index); };
    }
    RestoreBarState();
}

namespace {
constexpr const char* kBarSection = "ToolBerState";
constexpr const char* kBarKey = "QtState";
constexpr int kBarStateVersion = 1;
}  // namespace

void QzedMainWindow::RestoreBarState() {
    const std::string saved = profile_.GetProfileString(kBarSection, kBarKey, "");
    if (!saved.empty()) restoreState(QByteArray::fromBase64(QByteArray::fromStdString(saved)), kBarStateVersion);
}

void QzedMainWindow::SaveBarState() {
    profile_.WriteProfileString(kBarSection, kBarKey, saveState(kBarStateVersion).toBase64().toStdString());
}

void QzedMainWindow::UpdateCommandStates() {
    updateQueued_ = false;
    for (CQzedChild* c : docs_->Children()) frame_->WindowChanged(c);
    if (QzedViewWidget* v = ActiveView()) frame_->ShowPrefix(v->View().PrefixPending());
    for (QToolBar* bar : toolBars_)
        for (QAction* a : bar->actions()) {
            const int id = a->property("qzId").toInt();
            if (!id) continue;
            const CommandState st = frame_->StateOf(id);
            a->setEnabled(st.enabled);
            a->setCheckable(st.checked);
            a->setChecked(st.checked);
        }
}

void QzedMainWindow::ScheduleUpdate() {
    if (updateQueued_) return;
    updateQueued_ = true;
    QTimer::singleShot(0, this, &QzedMainWindow::UpdateCommandStates);
}

// ------------------------------------------------------------------ menus

QMenu* QzedMainWindow::BuildMenu(const MenuItem& item, QWidget* parent) {
    auto* menu = new QMenu(QString::fromStdString(item.label), parent);
    FillMenu(menu, item.items);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenuStates(menu); });
    return menu;
}

void QzedMainWindow::FillMenu(QMenu* menu, const std::vector<MenuItem>& items) {
    const int scheme = frame_->Scheme();
    for (const MenuItem& m : items) {
        if (m.IsSeparator()) {
            menu->addSeparator();
        } else if (m.IsPopup()) {
            menu->addMenu(BuildMenu(m, menu));
        } else {
            QAction* a = menu->addAction(QString::fromStdString(MenuText(m, scheme)));
            a->setProperty("qzId", m.id);
            a->setProperty("qzKey", m.key);
            if (m.id) DescribeAction(a, m.id, scheme);
            const int id = m.id, key = m.key;
            connect(a, &QAction::triggered, this, [this, id, key] {
                if (key) DispatchKeyCode(key);
                else frame_->Execute(id);
            });
        }
    }
}

void QzedMainWindow::UpdateMenuStates(QMenu* menu) {
    for (QAction* a : menu->actions()) {
        const int id = a->property("qzId").toInt();
        if (!id) continue;
        const CommandState st = frame_->StateOf(id);
        a->setEnabled(st.enabled && !a->text().isEmpty());
        a->setCheckable(st.checked);
        a->setChecked(st.checked);
    }
}

void QzedMainWindow::ShowMenuBar(const std::vector<MenuItem>& items) {
    QMenuBar* bar = menuBar();
    for (QAction* a : bar->actions()) {
        bar->removeAction(a);
        if (QMenu* m = a->menu()) m->deleteLater();
        else if (a->parent() == this) a->deleteLater();
    }
    for (const MenuItem& m : items) {
        if (m.IsPopup()) {
            QMenu* menu = BuildMenu(m, bar);
            // The recent files are read again each time the popup opens.
            const std::string label = m.label;
            connect(menu, &QMenu::aboutToShow, this, [this, menu, label] {
                for (const MenuItem& now : frame_->CurrentMenu())
                    if (now.label == label) {
                        menu->clear();
                        FillMenu(menu, now.items);
                        UpdateMenuStates(menu);
                    }
            });
            bar->addMenu(menu);
        } else {
            auto* a = new QAction(QString::fromStdString(m.label), this);
            const int id = m.id, key = m.key;
            connect(a, &QAction::triggered, this, [this, id, key] {
                if (key) DispatchKeyCode(key);
                else frame_->Execute(id);
            });
            bar->addAction(a);
        }
    }
}

void QzedMainWindow::OpenMenuPopup(int index) {
    const QList<QAction*> items = menuBar()->actions();
    if (index < 0 || index >= items.size() || !items[index]->menu()) return;
    const QRect at = menuBar()->actionGeometry(items[index]);
    items[index]->menu()->exec(menuBar()->mapToGlobal(at.bottomLeft()));
    // The menu and labels follow what is held now.
    ModifiersNow();
}

void QzedMainWindow::PopupMenu(const std::vector<MenuItem>& items, const QPoint& at) {
    std::vector<MenuItem> expanded = items;
    CMainFrame::ExpandRecent(expanded);
    QMenu menu(this);
    FillMenu(&menu, expanded);
    UpdateMenuStates(&menu);
    menu.exec(at);
}

void QzedMainWindow::contextMenuEvent(QContextMenuEvent* e) {
    // Over the bars Qt offers their list; elsewhere the frame's own menu.
    if (qobject_cast<QToolBar*>(childAt(e->pos()))) return QMainWindow::contextMenuEvent(e);
    if (TheSettings().env.Mouse != 0) PopupMenu(ContextMenu(), e->globalPos());
}

// ------------------------------------------------------------------ modifiers and keys

void QzedMainWindow::ModifiersNow() {
    const Qt::KeyboardModifiers m = QGuiApplication::queryKeyboardModifiers();
    frame_->SetModifiers(m & Qt::ShiftModifier     ? ModifierState::Shift
                         : m & Qt::ControlModifier ? ModifierState::Ctrl
                                                   : ModifierState::None);
}

bool QzedMainWindow::eventFilter(QObject* watched, QEvent* e) {
    const QEvent::Type t = e->type();
    if ((t == QEvent::KeyPress || t == QEvent::KeyRelease) && QApplication::activeWindow() == this) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (!k->isAutoRepeat() && (k->key() == Qt::Key_Shift || k->key() == Qt::Key_Control)) {
            Qt::KeyboardModifiers m = k->modifiers();
            // The event carries the state around the key itself: take it out
            // on release, put it in on press.
            const Qt::KeyboardModifier own = k->key() == Qt::Key_Shift ? Qt::ShiftModifier : Qt::ControlModifier;
            m = t == QEvent::KeyPress ? (m | own) : (m & ~own);
            frame_->SetModifiers(m & Qt::ShiftModifier     ? ModifierState::Shift
                                 : m & Qt::ControlModifier ? ModifierState::Ctrl
                                                           : ModifierState::None);
        }
        if (t == QEvent::KeyPress) ScheduleUpdate();
    } else if (t == QEvent::MouseButtonRelease || t == QEvent::FocusIn) {
        ScheduleUpdate();
    } else if (t == QEvent::WindowDeactivate && watched == this) {
        frame_->SetModifiers(ModifierState::None);
    }
    return QMainWindow::eventFilter(watched, e);
}

void QzedMainWindow::DispatchKeyCode(int code) { frame_->DispatchKey(code); }

void QzedMainWindow::keyPressEvent(QKeyEvent* e) {
    // Keys reach the frame itself only while no view has the focus: with no
    // window open the frame's own keys work; with one, a key pressed in the
    // tabs or a bar does nothing.
    const int code = KeyCodeOf(*e);
    if (code >= 0 && IsAcceleratorChord(code) && !docs_->Active()) DispatchKeyCode(code);
    else QMainWindow::keyPressEvent(e);
}

// ------------------------------------------------------------------ windows (FrameHost)

std::vector<FrameHost::Window> QzedMainWindow::Windows() {
    std::vector<Window> out;
    for (CQzedChild* c : docs_->Children()) out.push_back(c);
    return out;
}

FrameHost::Window QzedMainWindow::ActiveWindow() { return docs_->Active(); }

void QzedMainWindow::ActivateWindow(Window w) {
    CQzedChild* c = Child(w);
    if (c->isMinimized()) c->showNormal();
    mdi_->setActiveSubWindow(c);
    if (c->ViewWidget()) c->ViewWidget()->setFocus();
}

bool QzedMainWindow::IsMinimized(Window w) { return Child(w)->isMinimized(); }
bool QzedMainWindow::IsMaximized(Window w) { return Child(w)->isMaximized(); }

void QzedMainWindow::SetMaximized(Window w, bool maximized) {
    if (maximized) Child(w)->showMaximized();
    else Child(w)->showNormal();
}

CQzedDoc& QzedMainWindow::DocumentOf(Window w) { return Child(w)->Doc(); }
CQzedView& QzedMainWindow::ViewOf(Window w) { return Child(w)->ViewWidget()->View(); }

std::vector<CQzedView*> QzedMainWindow::ViewsOf(Window w) {
    std::vector<CQzedView*> out;
    for (QzedViewWidget* v : Child(w)->Views()) out.push_back(&v->View());
    return out;
}

bool QzedMainWindow::CloseWindow(Window w) { return Child(w)->close(); }

void QzedMainWindow::RelayoutViews(CQzedDoc& doc) {
    // A setting of the document's type changed: the document takes its
    // type's values again and every view follows.
    doc.ApplyLayoutSettings();
    for (CQzedChild* c : docs_->ChildrenOf(doc))
        for (QzedViewWidget* v : c->Views()) v->SettingsChanged();
}

void QzedMainWindow::RepaintAllViews() {
    for (CQzedChild* c : docs_->Children())
        for (QzedViewWidget* v : c->Views()) v->InvalidateAll();
}

void QzedMainWindow::SetWindowMessage(Window w, const std::string& utf8, uint32_t fore, uint32_t back) {
    CQzedChild* c = Child(w);
    c->SetMessage(QString::fromStdString(utf8), fore, back);
    if (c == docs_->Active()) frame_->SetPane(kPaneMessage, {utf8, fore, back});
}

void QzedMainWindow::ChildActivated(CQzedChild* child) {
    frame_->WindowActivated(child);
    if (!child) return;
    // The panes the views fill: the message and the log of this window.
    const CQzedChild::Message& m = child->LastMessage();
    frame_->SetPane(kPaneMessage, {m.text.toStdString(), m.fore, m.back});
    if (QzedViewWidget* v = child->ViewWidget()) v->KeyLog().ShowPane();
}

void QzedMainWindow::ShowViewMessage(const QString& text, int kind) {
    // Prompts black on green, errors red on the button face, information plain.
    uint32_t fore = kColourButtonText, back = kColourButtonFace;
    if (!text.isEmpty() && kind == static_cast<int>(MessageKind::Prompt)) fore = 0x000000, back = 0x00FF00;
    else if (!text.isEmpty() && kind == static_cast<int>(MessageKind::Error)) fore = 0x0000FF;
    if (CQzedChild* c = docs_->Active()) c->SetMessage(text, fore, back);
    frame_->SetPane(kPaneMessage, {text.toStdString(), fore, back});
}

void QzedMainWindow::ShowLogPane(const QString& text, int look) {
    uint32_t fore = kColourButtonText, back = kColourButtonFace;
    switch (static_cast<LogPaneLook>(look)) {
    case LogPaneLook::Recording: fore = 0x000000, back = 0xFFFF00; break;
    case LogPaneLook::Off: break;
    case LogPaneLook::Empty: fore = kColourGrayText; break;
    }
    frame_->SetPane(kPaneLog, {text.toStdString(), fore, back});
}

// ------------------------------------------------------------------ frame widgets (FrameHost)

void QzedMainWindow::ShowPane(int pane, const PaneLook& look) { panes_->Show(pane, look); }

void QzedMainWindow::ShowPfLabels(const PfLabels& labels) { pfBar_->SetLabels(labels); }

void QzedMainWindow::ShowTabs(const std::vector<WindowTabs::Tab>& tabs, int selected) {
    if (dlBar_) dlBar_->ShowTabs(tabs, selected);
}

void QzedMainWindow::SetFrameMaximized(bool maximized) {
    if (maximized) showMaximized();
    else showNormal();
}

bool QzedMainWindow::CloseFrame() {
    // A close that really ends the run, resident or not.
    quitting_ = true;
    closeResult_ = false;
    close();
    quitting_ = false;
    return closeResult_;
}

void QzedMainWindow::Beep() { QApplication::beep(); }

// ------------------------------------------------------------------ port commands

bool QzedMainWindow::RunPortCommand(int id) {
    if (id >= c::kRecentFirst && id <= c::kRecentLast) {
        OpenRecent(id - c::kRecentFirst);
        return true;
    }
    QzedViewWidget* v = ActiveView();
    CQzedChild* child = docs_->Active();
    switch (id) {
    case c::kReopenLast: docs_->ReopenPreviousRun(); return true;
    case c::kNew: FileNew(); return true;
    case c::kOpen: FileOpen(); return true;
    case c::kClose:
    case c::kCloseWindow: FileClose(); return true;
    case c::kSearch:
    case c::kSearchUpDialog: SearchCommand(); return true;
    case c::kReplace: ReplaceCommand(); return true;
    case c::kReplaceAll: ReplaceAllCommand(); return true;
    case c::kLogRecord:
        if (v) v->KeyLog().ToggleRecording();
        return true;
    case c::kLogReplay:
        if (v && v->KeyLog().CanReplay() && !frame_->WindowSelectActive()) v->KeyLog().ReplayOnce();
        return true;
    case c::kLogRepeat: {
        if (!v || !v->KeyLog().CanReplay() || frame_->WindowSelectActive()) return true;
        LogRepeatDialog d(this, profile_.GetProfileInt("Current", "LogrepHiSpeed", 0) != 0);
        if (d.exec() != QDialog::Accepted) return true;
        profile_.WriteProfileInt("Current", "LogrepHiSpeed", d.HighSpeed() ? 1 : 0);
        v->setFocus();
        v->KeyLog().Repeat(d.Count(), d.HighSpeed());
        return true;
    }
    case c::kNewWindow: docs_->NewWindow(child); return true;
    case c::kCascade: mdi_->cascadeSubWindows(); return true;
    case c::kTile: mdi_->tileSubWindows(); return true;
    case c::kSplitRows:
        if (child) child->SplitRows();
        return true;
    case c::kSplitColumns:
        if (child) child->SplitColumns();
        return true;
    case c::kPrint:
    case c::kPrintLayout:
    case c::kPreview: {
        CQzedDoc* doc = child ? &child->Doc() : nullptr;
        RunPrintCommand(id, {this, boxes_, doc, [this, doc] { if (doc) RelayoutViews(*doc); },
                             {dlBar_, pfBar_}, {}});
        return true;
    }
    case c::kAbout: {
        AboutDialog about(this);
        about.exec();
        return true;
    }
    case c::kSettings: RunSettingsSheet(); return true;
    case c::kHelpIndex: OpenHelpPage(*boxes_, kHelpIndexPage); return true;
    case c::kAsciiTable: ShowCodeTable(false); return true;
    case c::kKanjiTable: ShowCodeTable(true); return true;
    case c::kWindowList: WindowListDialog(); return true;
    case c::kToggleToolBars: {
        const bool show = std::none_of(toolBars_.begin(), toolBars_.end(), [](QToolBar* b) { return b->isVisible(); });
        for (size_t i = 0; i < toolBars_.size(); ++i) toolBars_[i]->setVisible(show && ToolBars()[i].shownAtFirst);
        return true;
    }
    case c::kToggleStatusBar: statusBar()->setVisible(!statusBar()->isVisible()); return true;
    case c::kToggleDialogBar:
        if (dlBar_) dlBar_->setVisible(!dlBar_->isVisible());
        return true;
    case c::kTogglePfKeyBar: pfBar_->setVisible(!pfBar_->isVisible()); return true;
    default: return external_->Run(id) || RunLanguageDialog(id, this, v, *boxes_);
    }
}

FrameHost::Window QzedMainWindow::OpenDocument(const std::string& pathUtf8) { return docs_->Open(pathUtf8); }

bool QzedMainWindow::OsWindowLineFeed() { return external_->OsWindowEnter(ActiveView()); }

int QzedMainWindow::PortCommandState(int id) {
    auto state = [](bool enabled, bool checked) { return (enabled ? 1 : 0) | (checked ? 2 : 0); };
    switch (id) {
    case c::kToggleToolBars:
        return state(true, std::any_of(toolBars_.begin(), toolBars_.end(), [](QToolBar* b) { return b->isVisible(); }));
    case c::kToggleStatusBar: return state(true, statusBar()->isVisible());
    case c::kToggleDialogBar: return state(dlBar_ != nullptr, dlBar_ && dlBar_->isVisible());
    case c::kTogglePfKeyBar: return state(true, pfBar_->isVisible());
    case c::kLogRecord: {
        QzedViewWidget* v = ActiveView();
        return state(v != nullptr, v && v->KeyLog().State() != kLogOff);
    }
    case c::kLogReplay:
    case c::kLogRepeat: {
        QzedViewWidget* v = ActiveView();
        return state(v && v->KeyLog().CanReplay() && !frame_->WindowSelectActive(), false);
    }
    default: return -1;
    }
}

void QzedMainWindow::ShowCodeTable(bool kanji) {
    // One of each, kept while the editor runs; Enter types the chosen
    // character into the active view as the keyboard would.
    QPointer<QDialog>& table = kanji ? kanjiTable_ : asciiTable_;
    if (!table) {
        auto send = [this](const std::string& sjis) {
            if (QzedViewWidget* v = ActiveView())
                for (char ch : sjis) v->View().OnChar(static_cast<uint8_t>(ch));
        };
        if (kanji) table = new CKanjiTableDlg(this, send);
        else table = new CAsciiTableDlg(this, send);
    }
    table->show();
    table->raise();
    table->activateWindow();
}

void QzedMainWindow::WindowListDialog() {
    std::vector<FileListSource> sources;
    for (const WindowTabs::Tab& t : frame_->Tabs().Tabs())
        if (t.window) sources.push_back({t.window, t.number, &Child(t.window)->Doc()});
    FileListModel model(sources, frame_->Tabs().IndexOf(docs_->Active()));
    CFileListDlg dialog(this, model);
    if (dialog.exec() != QDialog::Accepted) return;
    void* chosen = model.Apply();
    for (CQzedChild* c : docs_->Children()) {
        frame_->WindowChanged(c);
        for (QzedViewWidget* v : c->Views()) v->InvalidateAll();
    }
    if (chosen) frame_->TabChosen(frame_->Tabs().IndexOf(chosen));
}

void QzedMainWindow::OpenRecent(int index) {
    const Settings& s = TheSettings();
    if (index < 0 || index >= static_cast<int>(s.recentFiles.size())) return;
    int code = 0;
    std::string path;
    if (ParseRecentFile(s.recentFiles[index], code, path)) docs_->Open(path, code, true);
}

// ------------------------------------------------------------------ the search dialogs

namespace {

// The logical line at the caret, for F1 in the search dialogs.
std::string CaretLine(CQzedView& v) {
    TextStore& st = v.Doc().Store();
    const uint32_t start = st.RowToOffset(v.CaretRow());
    std::string line(kHistorySlot - 1, '\0');
    line.resize(st.ReadText(start, line.data(), static_cast<uint32_t>(line.size())));
    return line.substr(0, line.find('\n'));
}

std::string ClipboardText() {
    std::string text;
    return QtClipboard::Instance().GetText(&text, nullptr) ? text : std::string();
}

}  // namespace

QzedViewWidget* QzedMainWindow::ActiveView() const {
    CQzedChild* c = docs_->Active();
    return c ? c->ViewWidget() : nullptr;
}

void QzedMainWindow::SearchCommand() {
    QzedViewWidget* v = ActiveView();
    if (!v) return;
    Settings& s = TheSettings();
    SearchDialog d(this, SearchDialog::kSearch, s.searchKey, {}, static_cast<unsigned>(s.env.Search),
                   s.searchHistory, {});
    d.caretRow = [v] { return CaretLine(v->View()); };
    d.clipboard = ClipboardText;
    d.exec();
    if (d.Result() == SearchDialog::kClosed) return v->setFocus();
    s.env.Search = static_cast<int>(d.Options());
    if (d.Result() == SearchDialog::kSaved) GiveSearchString(d.Text());
    else v->View().SearchFor(d.Text(), d.Result() == SearchDialog::kUp, d.Options());
    v->setFocus();
}

void QzedMainWindow::ReplaceCommand() {
    QzedViewWidget* v = ActiveView();
    if (!v) return;
    Settings& s = TheSettings();
    SearchDialog d(this, SearchDialog::kReplace, s.replaceSKey, s.replaceRKey,
                   static_cast<unsigned>(s.env.Replace), s.replaceSHistory, s.replaceRHistory);
    d.caretRow = [v] { return CaretLine(v->View()); };
    d.clipboard = ClipboardText;
    d.exec();
    v->setFocus();
    if (d.Result() == SearchDialog::kClosed) return;
    s.env.Replace = static_cast<int>(d.Options());
    s.replaceSKey = d.Text();
    s.replaceRKey = d.Replacement();
    PushHistory(s.replaceSHistory, s.replaceSKey);
    PushHistory(s.replaceRHistory, s.replaceRKey);
    if (d.Result() == SearchDialog::kSaved) return;
    v->View().StartReplace(s.replaceSKey, s.replaceRKey, d.Options(), d.Result() == SearchDialog::kUp);
}

void QzedMainWindow::ReplaceAllCommand() {
    QzedViewWidget* v = ActiveView();
    if (!v) return;
    Settings& s = TheSettings();
    SearchDialog d(this, SearchDialog::kReplaceAll, s.replaceSKey, s.replaceRKey,
                   static_cast<unsigned>(s.env.Replace), s.replaceSHistory, s.replaceRHistory);
    d.caretRow = [v] { return CaretLine(v->View()); };
    d.clipboard = ClipboardText;
    d.exec();
    v->setFocus();
    if (d.Result() != SearchDialog::kAll) return;
    s.env.Replace = static_cast<int>(d.Options());
    s.replaceSKey = d.Text();
    s.replaceRKey = d.Replacement();
    PushHistory(s.replaceSHistory, s.replaceSKey);
    PushHistory(s.replaceRHistory, s.replaceRKey);
    v->View().ReplaceAllFrom(s.replaceSKey, s.replaceRKey, d.Options(), 1, true);
}

// ------------------------------------------------------------------ files

void QzedMainWindow::FileNew() { docs_->NewDocument(CurrentDirectory()); }

void QzedMainWindow::FileOpen() {
    const EnvironSettings& env = TheSettings().env;
    const std::optional<OpenDialogChoice> choice =
        RunOpenFileDialog(this, profile_, *boxes_, env.FileDlgType,
                          QString::fromStdString(CurrentDirectory()), env.WildCard);
    if (!choice) return;
    std::vector<std::string> paths;
    for (const QString& n : choice->paths) paths.push_back(n.toStdString());
    docs_->OpenChosen(paths, choice->code, choice->readOnly);
}

void QzedMainWindow::FileSave() { docs_->Commands().Save(); }

void QzedMainWindow::FileClose() {
    if (QMdiSubWindow* w = mdi_->activeSubWindow()) w->close();
}

void QzedMainWindow::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void QzedMainWindow::dropEvent(QDropEvent* e) {
    // Dropped files open as documents, as if chosen in the open dialog.
    std::vector<std::string> paths;
    for (const QUrl& u : e->mimeData()->urls())
        if (u.isLocalFile()) paths.push_back(u.toLocalFile().toStdString());
    if (paths.empty()) return;
    e->acceptProposedAction();
    for (const std::string& p : paths) docs_->Open(p, 0, true);
}

// ------------------------------------------------------------------ residence and closing

void QzedMainWindow::AddTrayIcon() {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        // Said once; the editor then lives as an ordinary window.
        frame_->SetPane(kPaneMessage, {"通知領域がないため常駐できません", kColourButtonText, kColourButtonFace});
        return;
    }
    if (tray_) return;
    tray_ = new QSystemTrayIcon(ProgramIcon(), this);
    tray_->setToolTip(QStringLiteral("QZ32 for Windows95/NT"));
    trayMenu_ = new QMenu(this);
    connect(trayMenu_, &QMenu::aboutToShow, this, [this] {
        trayMenu_->clear();
        std::vector<MenuItem> items = TrayMenu();
        CMainFrame::ExpandRecent(items);
        FillMenu(trayMenu_, items);
        UpdateMenuStates(trayMenu_);
        show();
        raise();
    });
    tray_->setContextMenu(trayMenu_);
    frame_->SetResident(true);
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::DoubleClick || r == QSystemTrayIcon::Trigger) {
            show();
            raise();
            activateWindow();
        }
    });
    tray_->show();
}

void QzedMainWindow::closeEvent(QCloseEvent* e) {
    // Resident with an icon to come back to: the close box closes the
    // documents and hides the frame.
    if (!quitting_ && frame_->Resident()) {
        e->ignore();
        frame_->CloseBox(true);
        return;
    }
    // The settings are saved first, whatever the documents answer: a cancel
    // keeps the editor running, and its settings are on disk all the same.
    Settings& s = TheSettings();
    const bool minimized = isMinimized(), maximized = isMaximized();
    if (!minimized && !maximized) {
        const QRect g = geometry();
        s.frameRect = {g.top(), g.top() + g.height(), g.left(), g.left() + g.width()};
    }
    StoreMarks(s);
    SaveAll(s, profile_, minimized, maximized);
    SaveBarState();
    SaveCurrentDirectory(profile_, CurrentDirectory());
    // A command still running ends here; its output lands before the
    // windows close.
    external_->EndOfRun();
    if (!docs_->CloseAll()) {
        e->ignore();
        closeResult_ = false;
        return;
    }
    closeResult_ = true;
    if (tray_) tray_->hide();
    e->accept();
}

}  // namespace qz
