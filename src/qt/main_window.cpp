#include "qt/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QProcess>
#include <cerrno>
#include <cstdio>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

#include "app/app_title.h"
#include "platform/paths.h"
#include "app/key_code.h"
#include "qt/document_window.h"
#include "qt/key_input.h"
#include "qt/file_dialogs.h"
#include "qt/qt_clipboard.h"
#include "qt/qt_message_box.h"
#include "qt/search_dialogs.h"
#include "view/search_state.h"
#include "qt/view_widget.h"
#include "view/key_log.h"
#include "settings/settings.h"
#include "view/view_host.h"

namespace qz {

QzedMainWindow::QzedMainWindow(Profile& profile, QWidget* parent, MessageBox* boxes)
    : QMainWindow(parent), profile_(profile), mdi_(new QMdiArea(this)) {
    if (!boxes) {
        ownBoxes_ = std::make_unique<QtMessageBox>(this);
        boxes = ownBoxes_.get();
    }
    boxes_ = boxes;
    const int asinMode = profile_.GetProfileInt("Environ", "AsinMode", 4);
    scheme_ = asinMode;
    asin4Type_ = profile_.GetProfileInt("Environ", "Asin4Type", 0);
    setWindowTitle(QString::fromStdString(FrameTitle(asinMode)));
    setCentralWidget(mdi_);

    QSize desktop(800, 600);
    if (QScreen* screen = QGuiApplication::primaryScreen()) desktop = screen->geometry().size();
    Settings& s = TheSettings();
    LoadAll(s, profile_, desktop.width(), desktop.height());
    const FrameRect& r = s.frameRect;
    move(r.left, r.top);
    resize(std::max(r.right - r.left, 100), std::max(r.bottom - r.top, 100));

    message_ = new QLabel(this);
    row_ = new QLabel(this);
    column_ = new QLabel(this);
    log_ = new QLabel(this);
    message_->setAutoFillBackground(true);
    log_->setAutoFillBackground(true);
    statusBar()->addWidget(message_, 1);
    statusBar()->addPermanentWidget(log_);
    statusBar()->addPermanentWidget(row_);
    statusBar()->addPermanentWidget(column_);

    docs_ = std::make_unique<DocumentManager>(mdi_, *boxes_);
    docs_->onPanes = [this](const QString& rowText, const QString& columnText) {
        row_->setText(rowText);
        column_->setText(columnText);
    };
    docs_->onMessage = [this](const QString& text, int kind) {
        // Prompts black on green, errors red, information plain.
        QPalette pal = statusBar()->palette();
        if (!text.isEmpty() && kind == static_cast<int>(MessageKind::Prompt)) {
            pal.setColor(QPalette::Window, Qt::green);
            pal.setColor(QPalette::WindowText, Qt::black);
        } else if (!text.isEmpty() && kind == static_cast<int>(MessageKind::Error)) {
            pal.setColor(QPalette::WindowText, Qt::red);
        }
        message_->setPalette(pal);
        message_->setText(text);
    };
    docs_->onLogPane = [this](const QString& text, LogPaneLook look) {
        ShowLogPane(text, static_cast<int>(look));
    };
    // Coming back to the editor checks every document for outside changes.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState st) {
        if (st == Qt::ApplicationActive) docs_->CheckAllExternalChanges();
    });
    docs_->onCommandKey = [this](int code, QzedViewWidget* v) { DispatchKeyCode(code, v); };
    docs_->onFrameCommand = [this](int id) {
        if (id == cmd::kMainFrameQuit) close();
    };
    BuildMenus();
}

void QzedMainWindow::ShowLogPane(const QString& text, int look) {
    QPalette pal = statusBar()->palette();
    switch (static_cast<LogPaneLook>(look)) {
    case LogPaneLook::Recording:
        pal.setColor(QPalette::Window, QColor(0x00, 0xFF, 0xFF));
        pal.setColor(QPalette::WindowText, Qt::black);
        break;
    case LogPaneLook::Off: break;
    case LogPaneLook::Empty:
        pal.setColor(QPalette::WindowText, pal.color(QPalette::Disabled, QPalette::WindowText));
        break;
    }
    log_->setPalette(pal);
    log_->setText(text);
}

QzedViewWidget* QzedMainWindow::ActiveView() const {
    CQzedChild* c = docs_->Active();
    return c ? c->ViewWidget() : nullptr;
}

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

namespace {

// Starts a command line without waiting for it: 0, or the error number of
// the failed start.
int StartProgram(const std::string& commandLine) {
    const QStringList words = QProcess::splitCommand(QString::fromStdString(commandLine));
    if (words.isEmpty()) return ENOENT;
    std::vector<std::string> args;
    for (const QString& w : words) args.push_back(w.toStdString());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
    if (rc == 0) {
        // Nobody waits for it: let it go so that it leaves no zombie.
        std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
    }
    return rc;
}

}  // namespace

void QzedMainWindow::DispatchKeyCode(int code, QzedViewWidget* v) {
    DispatchKey(scheme_, asin4Type_, code, v ? &v->View() : nullptr, *this);
}

void QzedMainWindow::keyPressEvent(QKeyEvent* e) {
    // Keys reach the frame itself only while no view has the focus: with
    // no window open, the frame's own keys still work.
    const int code = KeyCodeOf(*e);
    if (code >= 0 && IsAcceleratorChord(code) && !docs_->Active()) DispatchKeyCode(code, nullptr);
    else QMainWindow::keyPressEvent(e);
}

void QzedMainWindow::RunViewAction(ViewAction action, int) {
    QzedViewWidget* v = ActiveView();
    if (!v) return;
    switch (action) {
    case ViewAction::LogRecord: v->KeyLog().ToggleRecording(); break;
    case ViewAction::LogReplay:
        if (v->KeyLog().CanReplay()) v->KeyLog().ReplayOnce();
        break;
    case ViewAction::SearchDialog: SearchCommand(); break;
    case ViewAction::Replace: ReplaceCommand(); break;
    case ViewAction::NextWindow: mdi_->activateNextSubWindow(); break;
    case ViewAction::PreviousWindow: mdi_->activatePreviousSubWindow(); break;
    case ViewAction::ShellLineFeed: v->View().OpenLineBelow(); break;
    default:
        // The lists, dialogs and jumps these keys open come with their own
        // parts of the editor; until then the key only beeps.
        QApplication::beep();
        break;
    }
}

void QzedMainWindow::RunFrameAction(FrameAction action, int argument) {
    CQzedChild* child = docs_->Active();
    auto popup = [this](int index) {
        const QList<QAction*> items = menuBar()->actions();
        if (index < 0 || index >= items.size() || !items[index]->menu()) return;
        const QRect at = menuBar()->actionGeometry(items[index]);
        items[index]->menu()->popup(menuBar()->mapToGlobal(at.bottomLeft()));
    };
    switch (action) {
    case FrameAction::MenuPopup: popup(argument - 1); break;
    case FrameAction::MenuMnemonic:
        for (int i = 0; i < menuBar()->actions().size(); ++i)
            if (menuBar()->actions()[i]->text().contains(QStringLiteral("(&%1)").arg(QChar(argument)))) popup(i);
        break;
    case FrameAction::MaximizeRestore:
        if (child) {
            if (child->isMaximized()) child->showNormal();
            else child->showMaximized();
            mdi_->setActiveSubWindow(child);
        } else if (isMaximized()) {
            showNormal();
        } else {
            showMaximized();
        }
        break;
    case FrameAction::NewWindow: docs_->NewWindow(child); break;
    case FrameAction::SplitRows:
        if (child) child->SplitRows();
        break;
    case FrameAction::StartCalculator:
        if (const int error = StartProgram(TheSettings().env.CalcPrg)) {
            char text[64];
            std::snprintf(text, sizeof text, "電卓プログラム起動エラー [%d]", error);
            boxes_->Show(text, "プログラム起動エラー", MbIcon::Stop, MbButtons::Ok);
        }
        break;
    case FrameAction::CycleTabMarks:
        for (CQzedChild* c : docs_->Children())
            for (QzedViewWidget* v : c->Views()) v->InvalidateAll();
        break;
    case FrameAction::ScrollAllViews:
        for (CQzedChild* c : docs_->Children()) {
            if (c->isMinimized()) continue;
            for (QzedViewWidget* v : c->Views())
                v->View().OnVScroll(argument < 0 ? CQzedView::kLineUp : CQzedView::kLineDown, 0);
        }
        break;
    case FrameAction::FileNew: FileNew(); break;
    case FrameAction::FileOpen: FileOpen(); break;
    case FrameAction::FileSave: FileSave(); break;
    default:
        // The settings sheet, user tools, browsers, window list and help
        // come with their own parts of the editor.
        QApplication::beep();
        break;
    }
}

template <class F> void QzedMainWindow::OnView(F fn) {
    if (QzedViewWidget* v = ActiveView()) {
        fn(*v);
        v->setFocus();
    }
}

QzedMainWindow::~QzedMainWindow() {
    // The children go before the manager their windows report to. Their save
    // questions were asked by the close, if any: none is asked again here.
    for (QMdiSubWindow* w : mdi_->subWindowList()) delete w;
}

void QzedMainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->addAction(QStringLiteral("新規作成(&N)"), this, &QzedMainWindow::FileNew);
    file->addAction(QStringLiteral("開く(&O).."), this, &QzedMainWindow::FileOpen);
    file->addAction(QStringLiteral("閉じる(&C)"), this, &QzedMainWindow::FileClose);
    auto command = [this](QMenu* m, const char* label, int id) {
        m->addAction(QString::fromUtf8(label), this, [this, id] { docs_->Commands().Execute(id); });
    };
    file->addSeparator();
    command(file, "上書き保存(&S)", cmd::kFileSave);
    command(file, "名前を付けて保存(&A)...", cmd::kFileSaveAs);
    command(file, "ファイル名の変更(現行窓)", cmd::kFileRename);
    command(file, "再編集(現行ファイルのみ)", cmd::kFileReEdit);
    file->addSeparator();
    command(file, "書き込み(１ファイル)", cmd::kFileWriteOne);
    command(file, "書き込み(全変更ファイル)", cmd::kFileWriteChanged);
    command(file, "セーブ(現行ファイル)", cmd::kFileSaveClose);
    command(file, "セーブ(全変更ファイル)", cmd::kFileSaveCloseAll);
    command(file, "終了(現行ファイル)", cmd::kFileQuit);
    command(file, "終了(非変更ファイルのみ)", cmd::kFileCloseUnchanged);
    command(file, "終了(全ファイル)", cmd::kFileQuitAll);
    file->addSeparator();
    // The recent files, "code path" entries, up to "MRUCount" of them.
    const int recentAt = static_cast<int>(file->actions().size());
    connect(file, &QMenu::aboutToShow, this, [this, file, recentAt] {
        for (QAction* a : file->actions())
            if (a->property("qzRecent").toBool()) delete a;
        QAction* before = file->actions().value(recentAt);
        const Settings& s = TheSettings();
        const int count = std::clamp(s.env.MRUCount, 0, static_cast<int>(s.recentFiles.size()));
        for (int i = 0; i < count; ++i) {
            int code = 0;
            std::string path;
            if (!ParseRecentFile(s.recentFiles[i], code, path)) break;
            auto* a = new QAction(QStringLiteral("&%1 %2").arg((i + 1) % 10).arg(QString::fromStdString(path)), file);
            a->setProperty("qzRecent", true);
            connect(a, &QAction::triggered, this, [this, code, path] { docs_->Open(path, code, true); });
            file->insertAction(before, a);
        }
        if (count > 0 && !s.recentFiles[0].empty()) {
            auto* sep = new QAction(file);
            sep->setSeparator(true);
            sep->setProperty("qzRecent", true);
            file->insertAction(before, sep);
        }
    });
    file->addAction(QStringLiteral("終了(&X)"), this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    auto viewItem = [this](QMenu* m, const char* label, void (*run)(QzedViewWidget&)) {
        m->addAction(QString::fromUtf8(label), this, [this, run] { OnView(run); });
    };
    viewItem(edit, "元に戻す(&U)", [](QzedViewWidget& v) { v.View().UndoCommand(); });
    viewItem(edit, "やり直し(&R)", [](QzedViewWidget& v) { v.View().RedoCommand(); });
    edit->addSeparator();
    viewItem(edit, "切り取り(&T)", [](QzedViewWidget& v) { v.View().Cut(); });
    viewItem(edit, "コピー(&C)", [](QzedViewWidget& v) { v.View().Copy(); });
    viewItem(edit, "貼り付け(&P)", [](QzedViewWidget& v) { v.View().Paste(); });
    viewItem(edit, "全て選択(&A)", [](QzedViewWidget& v) { v.View().SelectAll(); });
    viewItem(edit, "範囲指定開始(&B)", [](QzedViewWidget& v) { v.View().StartCommandSelection(); });
    edit->addSeparator();
    viewItem(edit, "矩形切り取り", [](QzedViewWidget& v) { v.View().BoxCut(); });
    viewItem(edit, "矩形複写", [](QzedViewWidget& v) { v.View().BoxYank(); });
    viewItem(edit, "矩形貼り付け", [](QzedViewWidget& v) { v.View().BoxPaste(); });
    viewItem(edit, "矩形挿入", [](QzedViewWidget& v) { v.View().BoxInsert(); });
    edit->addSeparator();
    viewItem(edit, "ログの開始／終了", [](QzedViewWidget& v) { v.KeyLog().ToggleRecording(); });
    viewItem(edit, "ログの再現", [](QzedViewWidget& v) {
        if (v.KeyLog().CanReplay()) v.KeyLog().ReplayOnce();
    });

    QMenu* search = menuBar()->addMenu(QStringLiteral("検索(&S)"));
    search->addAction(QStringLiteral("検索(&F)..."), this, &QzedMainWindow::SearchCommand);
    search->addAction(QStringLiteral("置き換え(&R)..."), this, &QzedMainWindow::ReplaceCommand);
    search->addAction(QStringLiteral("全て置き換え(&A)..."), this, &QzedMainWindow::ReplaceAllCommand);
    search->addSeparator();
    viewItem(search, "下に検索(&N)", [](QzedViewWidget& v) { v.View().SearchNext(); });
    viewItem(search, "上に検索(&P)", [](QzedViewWidget& v) { v.View().SearchPrevious(); });
    viewItem(search, "カーソル位置の単語を検索文字列に", [](QzedViewWidget& v) { v.View().SearchStringFromCaret(); });
    viewItem(search, "対応するカッコへ移動", [](QzedViewWidget& v) { v.View().BracketJump(); });
    viewItem(search, "行番号ジャンプ(&J)...", [](QzedViewWidget& v) { v.View().JumpToLine(); });

    QMenu* window = menuBar()->addMenu(QStringLiteral("ウィンドウ(&W)"));
    window->addAction(QStringLiteral("新しいウィンドウを開く(&N)"), this,
                      [this] { docs_->NewWindow(docs_->Active()); });
    window->addAction(QStringLiteral("上下に分割"), this, [this] {
        if (CQzedChild* c = docs_->Active()) c->SplitRows();
    });
    window->addAction(QStringLiteral("左右に分割"), this, [this] {
        if (CQzedChild* c = docs_->Active()) c->SplitColumns();
    });
    window->addSeparator();
    window->addAction(QStringLiteral("重ねて表示(&C)"), mdi_, &QMdiArea::cascadeSubWindows);
    window->addAction(QStringLiteral("並べて表示(&T)"), mdi_, &QMdiArea::tileSubWindows);
}

void QzedMainWindow::FileNew() { docs_->NewDocument(CurrentDirectory()); }

void QzedMainWindow::FileOpen() {
    const EnvironSettings& env = TheSettings().env;
    const std::optional<OpenDialogChoice> choice =
        RunOpenFileDialog(this, profile_, *boxes_, env.FileDlgType,
                          QString::fromStdString(CurrentDirectory()), env.WildCard);
    if (!choice) return;
    for (const QString& n : choice->paths) docs_->Open(n.toStdString(), choice->code, true, choice->readOnly);
}

void QzedMainWindow::FileSave() { docs_->Commands().Save(); }

void QzedMainWindow::FileClose() {
    if (QMdiSubWindow* w = mdi_->activeSubWindow()) w->close();
}

void QzedMainWindow::closeEvent(QCloseEvent* e) {
    // Every document answers its save question first; a cancel keeps the editor.
    if (!docs_->CloseAll()) {
        e->ignore();
        return;
    }
    Settings& s = TheSettings();
    const bool minimized = isMinimized(), maximized = isMaximized();
    if (!minimized && !maximized) {
        const QRect g = frameGeometry();
        s.frameRect = {g.top(), g.top() + g.height(), g.left(), g.left() + g.width()};
    }
    SaveAll(s, profile_, minimized, maximized);
    SaveCurrentDirectory(profile_, CurrentDirectory());
    e->accept();
}

}  // namespace qz
