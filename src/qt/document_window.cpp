// Opening, saving and closing documents, their child windows and the panes
// of a split window.
#include "qt/document_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <algorithm>

#include "document/doc_naming.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "qt/busy_input.h"
#include "qt/file_dialogs.h"
#include "qt/view_widget.h"
#include "settings/settings.h"

namespace qz {

namespace {
constexpr const char* kClosedMark = "qzClosed";
}  // namespace

// ------------------------------------------------------------------ child

CQzedChild::CQzedChild(std::shared_ptr<CQzedDoc> doc, MessageBox& boxes, DocumentManager& manager)
    : doc_(std::move(doc)), boxes_(boxes), manager_(manager), rows_(new QSplitter(Qt::Vertical, this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    rows_->setChildrenCollapsible(false);
    rows_->addWidget(MakeRow(1));
    setWidget(rows_);
    UpdateTitle();
}

CQzedChild::~CQzedChild() {
    // The views go before the document they observe.
    for (QzedViewWidget* v : Views()) delete v;
    active_ = nullptr;
}

QzedViewWidget* CQzedChild::MakeView() {
    auto* v = new QzedViewWidget(*doc_, boxes_);
    v->SetLogPane(&manager_);
    v->viewsOfDoc = [this] { return manager_.ViewCount(*doc_); };
    v->onPanes = [this](const QString& r, const QString& c) {
        if (manager_.onPanes) manager_.onPanes(r, c);
    };
    v->onMessage = [this](const QString& t, MessageKind k) {
        if (manager_.onMessage) manager_.onMessage(t, static_cast<int>(k));
    };
    // A tick that comes while a long command polls for Esc waits for it: a
    // reload or a temporary save must not run under a running replace.
    v->onTimer = [this, v, timer = std::make_shared<TempSaveTimer>()](int id) {
        RunWhenIdle(v, [this, v, id, timer] {
            if (id == kExternalChangeTimer) manager_.CheckExternalChange(*doc_);
            if (id == kTempSaveTimer) manager_.TemporarySaveTick(*this, *timer, !Views().empty() && Views().front() == v);
        });
    };
    v->onFocus = [this, v] { active_ = v; };
    v->windowSelecting = [this] { return manager_.windowSelecting && manager_.windowSelecting(); };
    v->frameKey = [this](int code) { return manager_.frameKey && manager_.frameKey(code); };
    v->onPrefixStroke = [this](char key) {
        if (manager_.onPrefixStroke) manager_.onPrefixStroke(key);
    };
    v->onModifierLabels = [this](int modifier) {
        if (manager_.onModifierLabels) manager_.onModifierLabels(modifier);
    };
    v->keyScheme = manager_.keyScheme;
    v->onContextMenu = [this](const QPoint& at) {
        if (manager_.onContextMenu) manager_.onContextMenu(at);
    };
    v->onOpenAtLine = [this](const std::string& path, int32_t line, const void* origin) {
        return manager_.onOpenAtLine && manager_.onOpenAtLine(path, line, origin);
    };
    v->shellKey = [this, v](QKeyEvent* e) { return manager_.shellKey && manager_.shellKey(v, e); };
    v->typingBlocked = [this] { return manager_.ShellCommandRunning(*doc_); };
    v->onCommandKey = [this, v](int code) {
        if (manager_.onCommandKey) manager_.onCommandKey(code, v);
    };
    if (!active_) active_ = v;
    return v;
}

QSplitter* CQzedChild::MakeRow(int columns) {
    auto* row = new QSplitter(Qt::Horizontal);
    row->setChildrenCollapsible(false);
    for (int i = 0; i < columns; ++i) row->addWidget(MakeView());
    return row;
}

std::vector<QzedViewWidget*> CQzedChild::Views() const {
    std::vector<QzedViewWidget*> out;
    for (int r = 0; r < rows_->count(); ++r) {
        auto* row = qobject_cast<QSplitter*>(rows_->widget(r));
        for (int c = 0; row && c < row->count(); ++c)
            if (auto* v = qobject_cast<QzedViewWidget*>(row->widget(c))) out.push_back(v);
    }
    return out;
}

int CQzedChild::Rows() const { return rows_->count(); }

int CQzedChild::Columns() const {
    auto* row = qobject_cast<QSplitter*>(rows_->widget(0));
    return row ? row->count() : 0;
}

void CQzedChild::DropView(QzedViewWidget* v) {
    const bool hadFocus = v == active_;
    if (hadFocus) active_ = nullptr;
    delete v;
    const std::vector<QzedViewWidget*> left = Views();
    if (!active_ && !left.empty()) active_ = left.front();
    if (hadFocus && active_) active_->setFocus();
}

// Each split halves the room the panes had, as dragging the split box to
// the middle would.
void CQzedChild::SplitRows() {
    if (Rows() == 2) {
        QWidget* row = rows_->widget(1);
        const bool lost = active_ && row->isAncestorOf(active_);
        delete row;
        if (lost) {
            active_ = Views().front();
            active_->setFocus();
        }
    } else {
        const int h = rows_->height();
        rows_->addWidget(MakeRow(Columns()));
        rows_->setSizes({h / 2, h - h / 2});
    }
    manager_.ResetLayout(*doc_);
}

void CQzedChild::SplitColumns() {
    const int columns = Columns();
    for (int r = 0; r < rows_->count(); ++r) {
        auto* row = qobject_cast<QSplitter*>(rows_->widget(r));
        if (columns == 2) {
            DropView(qobject_cast<QzedViewWidget*>(row->widget(1)));
        } else {
            const int w = row->width();
            row->addWidget(MakeView());
            row->setSizes({w / 2, w - w / 2});
        }
    }
    manager_.ResetLayout(*doc_);
}

void CQzedChild::UpdateTitle() {
    TitleInputs in;
    in.path = doc_->GetPathName();
    in.kanjiCode = doc_->File().Code();
    in.lineEnd = doc_->File().lineEnd;
    in.minimized = isMinimized();
    in.special = doc_->File().special;
    in.specialDirectory = FolderOf(in.path);
    setWindowTitle(QString::fromStdString(DocumentTitle(in)));
}

void CQzedChild::closeEvent(QCloseEvent* e) {
    // A window already answered for (closing twice) asks nothing more.
    if (property(kClosedMark).toBool()) {
        e->accept();
        return;
    }
    if (!manager_.QueryClose(*this)) {
        e->ignore();
        return;
    }
    e->accept();
    manager_.Closed(this);
}

void CQzedChild::changeEvent(QEvent* e) {
    QMdiSubWindow::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange) UpdateTitle();
}

// ------------------------------------------------------------------ manager

DocumentManager::DocumentManager(QMdiArea* area, MessageBox& boxes, QObject* parent)
    : QObject(parent),
      area_(area),
      boxes_(boxes),
      io_(boxes, this),
      commands_(boxes, io_, *this),
      register_(StateFolder()),
      reopen_(boxes) {}

DocumentManager::~DocumentManager() = default;

CQzedChild* DocumentManager::Show(std::shared_ptr<CQzedDoc> doc) {
    doc->SetMessageBox(&boxes_);
    const bool first = Children().empty();
    auto* child = new CQzedChild(std::move(doc), boxes_, *this);
    area_->addSubWindow(child);
    // Size from "ChildWnd_X"/"ChildWnd_Y" percent of the area; each new
    // window one caption step further down, back to the corner when it
    // would leave the area.
    const EnvironSettings& env = TheSettings().env;
    const QSize room = area_->viewport()->size();
    const int w = std::max(160, room.width() * std::clamp(env.ChildWnd_X, 1, 100) / 100);
    const int h = std::max(100, room.height() * std::clamp(env.ChildWnd_Y, 1, 100) / 100);
    if (first) cascade_ = 0;
    const int step = child->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, child);
    QRect place(cascade_ * step, cascade_ * step, w, h);
    if (QRect(QPoint(0, 0), room).contains(place)) {
        ++cascade_;
    } else {
        place.moveTo(0, 0);
        cascade_ = 1;
    }
    child->setGeometry(place);
    if (onOpened) onOpened(child);
    if (env.ChildWnd_Max == 1) child->showMaximized();
    else child->show();
    child->ViewWidget()->setFocus();
    return child;
}

CQzedChild* DocumentManager::NewDocument(const std::string& dir) {
    auto doc = std::make_shared<CQzedDoc>();
    doc->SetMessageBox(&boxes_);
    commands_.Lifecycle().NewDocument(*doc, dir);
    return Show(std::move(doc));
}

CQzedChild* DocumentManager::NewOsWindow(const std::string& workPath) {
    auto doc = std::make_shared<CQzedDoc>();
    doc->SetMessageBox(&boxes_);
    doc->NewText();
    doc->SetPathString(workPath);
    doc->File().special = true;
    return Show(std::move(doc));
}

CQzedChild* DocumentManager::Open(const std::string& pathIn, int explicitCode, bool chosen, bool readOnly) {
    const std::string path = CanonicalPath(pathIn);
    if (CQzedChild* open = Find(path)) {
        area_->setActiveSubWindow(open);
        if (chosen) {
            open->Doc().File().special = false;
            if (readOnly) open->Doc().SetReadOnly(true);
        }
        return open;
    }
    auto doc = std::make_shared<CQzedDoc>();
    doc->SetMessageBox(&boxes_);
    DocLifecycle& life = commands_.Lifecycle();
    if (!(chosen ? life.OpenChosenFile(*doc, path, explicitCode, readOnly) : life.OpenDocument(*doc, path, explicitCode)))
        return nullptr;
    return Show(std::move(doc));
}

size_t DocumentManager::OpenChosen(const std::vector<std::string>& paths, int explicitCode, bool readOnly) {
    size_t opened = 0;
    for (const std::string& p : paths) {
        if (!Open(p, explicitCode, true, readOnly)) break;
        ++opened;
    }
    return opened;
}

CQzedChild* DocumentManager::NewWindow(CQzedChild* child) {
    if (!child) return nullptr;
    CQzedChild* added = Show(child->SharedDoc());
    ResetLayout(child->Doc());
    return added;
}

bool DocumentManager::QueryClose(CQzedChild& child) { return commands_.Lifecycle().CanCloseFrame(&child); }

bool DocumentManager::CloseAll() {
    if (!commands_.Lifecycle().SaveAllModified()) return false;
    for (CQzedChild* c : Children()) CloseFrame(c);
    return true;
}

CQzedChild* DocumentManager::Active() const {
    return qobject_cast<CQzedChild*>(area_->activeSubWindow());
}

std::vector<CQzedChild*> DocumentManager::Children() const {
    std::vector<CQzedChild*> out;
    for (QMdiSubWindow* w : area_->subWindowList())
        if (auto* c = qobject_cast<CQzedChild*>(w); c && !c->property(kClosedMark).toBool()) out.push_back(c);
    return out;
}

CQzedChild* DocumentManager::Find(const std::string& path) const {
    for (CQzedChild* c : Children())
        if (SamePath(c->Path(), path)) return c;
    return nullptr;
}

std::vector<CQzedChild*> DocumentManager::ChildrenOf(const CQzedDoc& doc) const {
    std::vector<CQzedChild*> out;
    for (CQzedChild* c : Children())
        if (&c->Doc() == &doc) out.push_back(c);
    return out;
}

int DocumentManager::ViewCount(const CQzedDoc& doc) const {
    int n = 0;
    for (CQzedChild* c : ChildrenOf(doc)) n += static_cast<int>(c->Views().size());
    return n;
}

std::vector<CQzedDoc*> DocumentManager::Documents() const {
    std::vector<CQzedDoc*> out;
    for (CQzedChild* c : Children())
        if (std::find(out.begin(), out.end(), &c->Doc()) == out.end()) out.push_back(&c->Doc());
    return out;
}

void DocumentManager::ResetLayout(CQzedDoc& doc) {
    // Window wrapping follows the number of views: every view lays out again.
    for (CQzedChild* c : ChildrenOf(doc))
        for (QzedViewWidget* v : c->Views()) v->Relayout();
}

void DocumentManager::CheckExternalChange(CQzedDoc& doc) {
    // The question is modal: a timer or activation meanwhile must not ask again.
    if (checking_) return;
    checking_ = true;
    io_.CheckExternalChange(doc, doc.GetPathName());
    checking_ = false;
}

void DocumentManager::TemporarySaveTick(CQzedChild& child, TempSaveTimer& timer, bool firstPane) {
    const EnvironSettings& env = TheSettings().env;
    if (!firstPane) {
        timer.OtherPane(env);
        return;
    }
    CQzedDoc& doc = child.Doc();
    if (!timer.Tick(int64_t(doc.Store().GetChangedBytes()), env)) return;
    // The pane lights for a moment; the save does not wait for it.
    const bool shown = &child == Active() && onTempSave;
    if (shown) onTempSave(true);
    TemporarySave(doc, register_);
    // With no window left the pane keeps the look of an empty frame.
    if (shown) QTimer::singleShot(200, this, [this] {
        if (onTempSave && !Children().empty()) onTempSave(false);
    });
}

size_t DocumentManager::OpenRecovered(const std::vector<RecoveredCopy>& copies) {
    size_t opened = 0;
    for (const RecoveredCopy& c : copies) {
        auto doc = std::make_shared<CQzedDoc>();
        doc->SetMessageBox(&boxes_);
        if (!commands_.Lifecycle().OpenRecovered(*doc, c.copy, c.docPath)) continue;
        Show(std::move(doc));
        ++opened;
    }
    return opened;
}

bool DocumentManager::OpenForReopen(const std::string& path, int code, uint32_t line) {
    // Every listed file was saved: one that is gone was deleted since, and is
    // reported rather than opened as a new empty document.
    if (!Find(path) && !QFileInfo(QString::fromStdString(path)).isFile()) return false;
    CQzedChild* child = Open(path, code, true);
    if (!child || !child->ViewWidget()) return false;
    child->ViewWidget()->View().GoToLine(line);
    return true;
}

void DocumentManager::AppendReopenListEntry(CQzedDoc& doc, const std::string& path) {
    // The caret line of the document's first view: its first window's first pane.
    uint32_t line = 1;
    const std::vector<CQzedChild*> frames = ChildrenOf(doc);
    if (!frames.empty() && !frames.front()->Views().empty())
        line = frames.front()->Views().front()->View().LogicalLine();
    reopen_.Append(path, doc.File().Code(), line);
}

void DocumentManager::CheckAllExternalChanges() {
    for (CQzedDoc* d : Documents()) CheckExternalChange(*d);
}

void DocumentManager::Closed(CQzedChild* child) {
    child->setProperty(kClosedMark, true);
    if (onClosed) onClosed(child);
    // The document goes with its last window.
    if (ChildrenOf(child->Doc()).empty()) commands_.Lifecycle().DeleteContents(child->Doc());
    if (Children().empty() && onLastClosed) onLastClosed();
}

std::vector<FileCommandHost::Frame> DocumentManager::Frames() {
    // The active window, then on in the order the windows were made,
    // wrapping round.
    const std::vector<CQzedChild*> all = Children();
    const auto at = std::find(all.begin(), all.end(), Active());
    std::vector<Frame> out;
    const size_t start = at == all.end() ? 0 : static_cast<size_t>(at - all.begin());
    for (size_t i = 0; i < all.size(); ++i) out.push_back(all[(start + i) % all.size()]);
    return out;
}

void DocumentManager::CloseFrame(Frame frame) {
    auto* c = static_cast<CQzedChild*>(frame);
    if (c->property(kClosedMark).toBool()) return;
    c->setProperty(kClosedMark, true);
    c->close();  // asks nothing more: the mark is set
    Closed(c);
}

ViewMetrics DocumentManager::FirstViewMetrics(CQzedDoc& doc) {
    const std::vector<CQzedChild*> frames = ChildrenOf(doc);
    if (frames.empty() || frames.front()->Views().empty()) return {};
    QzedViewWidget* v = frames.front()->Views().front();
    return {v->ClientWidth(), v->CharWidth()};
}

void DocumentManager::RedrawViews(CQzedDoc& doc) {
    for (CQzedChild* c : ChildrenOf(doc))
        for (QzedViewWidget* v : c->Views()) v->InvalidateAll();
}

void DocumentManager::UpdateTitles(CQzedDoc& doc) {
    for (CQzedChild* c : ChildrenOf(doc)) c->UpdateTitle();
}

std::optional<SaveTypeAnswer> DocumentManager::AskSaveType(const std::string& caption, const std::string& startPath) {
    const std::optional<SaveDialogChoice> c =
        RunSaveTypeDialog(area_->window(), QString::fromStdString(startPath), QString::fromStdString(caption));
    if (!c) return std::nullopt;
    return SaveTypeAnswer{c->path.toStdString(), c->codeIndex};
}

void DocumentManager::SendMainFrameCommand(int id) {
    if (onFrameCommand) onFrameCommand(id);
}

void DocumentManager::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
void DocumentManager::EndWaitCursor() { QApplication::restoreOverrideCursor(); }

bool DocumentManager::ReopenDocument(CQzedDoc& doc, const std::string& path) {
    return commands_.Lifecycle().OpenDocument(doc, path);
}

void DocumentManager::ResetViews(CQzedDoc& doc) {
    for (CQzedChild* c : ChildrenOf(doc)) {
        for (QzedViewWidget* v : c->Views()) {
            v->View().Reset();
            v->InvalidateAll();
        }
        c->UpdateTitle();
    }
}

void DocumentManager::CloseFrames(CQzedDoc& doc) {
    for (CQzedChild* c : ChildrenOf(doc)) {
        c->setProperty(kClosedMark, true);
        if (onClosed) onClosed(c);
        c->deleteLater();
    }
    if (Children().empty() && onLastClosed) onLastClosed();
}

void DocumentManager::SetLogPane(const std::string& text, LogPaneLook look) {
    if (onLogPane) onLogPane(QString::fromStdString(text), look);
}

}  // namespace qz
