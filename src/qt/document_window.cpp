// Opening, saving and closing documents and their child windows.
#include "qt/document_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>

#include "document/doc_naming.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "qt/view_widget.h"
#include "settings/settings.h"

namespace qz {

namespace {
constexpr const char* kSaveQuestion = "ファイルの内容が変更されていますが保存しますか？";
}

// ------------------------------------------------------------------ child

CQzedChild::CQzedChild(std::unique_ptr<CQzedDoc> doc, std::string path, MessageBox& boxes,
                       DocumentManager& manager)
    : doc_(std::move(doc)), manager_(manager),
      view_(new QzedViewWidget(*doc_, boxes, this)) {
    doc_->SetPathString(std::move(path));
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view_);
    view_->onPanes = [this](const QString& r, const QString& c) {
        if (manager_.onPanes) manager_.onPanes(r, c);
    };
    view_->onMessage = [this](const QString& t, MessageKind k) {
        if (manager_.onMessage) manager_.onMessage(t, static_cast<int>(k));
    };
    UpdateTitle();
}

CQzedChild::~CQzedChild() {
    // The view goes before the document it observes.
    delete view_;
    view_ = nullptr;
}

void CQzedChild::UpdateTitle() {
    TitleInputs in;
    in.path = doc_->GetPathName();
    in.kanjiCode = doc_->File().Code();
    in.lineEnd = doc_->File().lineEnd;
    in.minimized = isMinimized();
    in.special = doc_->File().special;
    setWindowTitle(QString::fromStdString(DocumentTitle(in)));
}

void CQzedChild::closeEvent(QCloseEvent* e) {
    // A window already answered for (closing twice) asks nothing more.
    if (property("qzClosed").toBool()) {
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
    : QObject(parent), area_(area), boxes_(boxes), io_(boxes, this) {}

DocumentManager::~DocumentManager() = default;

CQzedChild* DocumentManager::Show(std::unique_ptr<CQzedDoc> doc, const std::string& path) {
    doc->SetMessageBox(&boxes_);
    auto* child = new CQzedChild(std::move(doc), path, boxes_, *this);
    area_->addSubWindow(child);
    // A new window takes most of the area rather than the view's minimum.
    const QSize room = area_->viewport()->size();
    child->resize(std::max(320, room.width() * 4 / 5), std::max(200, room.height() * 4 / 5));
    child->show();
    child->ViewWidget()->setFocus();
    return child;
}

CQzedChild* DocumentManager::NewDocument(const std::string& dir) {
    const std::string name = NewDocumentName(dir, [this](const std::string& p) { return Find(p) != nullptr; });
    auto doc = std::make_unique<CQzedDoc>(ChooseFileType(TheSettings(), name));
    doc->NewText();
    return Show(std::move(doc), name);
}

CQzedChild* DocumentManager::Open(const std::string& pathIn, int explicitCode) {
    const std::string path = CanonicalPath(pathIn);
    if (CQzedChild* open = Find(path)) {
        area_->setActiveSubWindow(open);
        return open;
    }
    auto doc = std::make_unique<CQzedDoc>(ChooseFileType(TheSettings(), path));
    doc->SetMessageBox(&boxes_);
    if (io_.Load(*doc, path, explicitCode) != 0) return nullptr;
    return Show(std::move(doc), path);
}

bool DocumentManager::Save(CQzedChild* child) {
    if (!child) return false;
    const bool ok = io_.Save(child->Doc(), child->Path()) == 1;
    child->UpdateTitle();
    return ok;
}

bool DocumentManager::QueryClose(CQzedChild& child) {
    if (!child.Doc().IsModified()) return true;
    switch (boxes_.Show(kSaveQuestion, child.Path(), MbIcon::Question, MbButtons::YesNoCancel)) {
    case MbResult::Yes: return Save(&child);
    case MbResult::No: return true;
    default: return false;
    }
}

CQzedChild* DocumentManager::Active() const {
    return qobject_cast<CQzedChild*>(area_->activeSubWindow());
}

std::vector<CQzedChild*> DocumentManager::Children() const {
    std::vector<CQzedChild*> out;
    for (QMdiSubWindow* w : area_->subWindowList())
        if (auto* c = qobject_cast<CQzedChild*>(w); c && !c->property("qzClosed").toBool()) out.push_back(c);
    return out;
}

CQzedChild* DocumentManager::Find(const std::string& path) const {
    for (CQzedChild* c : Children())
        if (SamePath(c->Path(), path)) return c;
    return nullptr;
}

void DocumentManager::Closed(CQzedChild* child) {
    child->setProperty("qzClosed", true);
    if (Children().empty() && onLastClosed) onLastClosed();
}

void DocumentManager::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
void DocumentManager::EndWaitCursor() { QApplication::restoreOverrideCursor(); }

bool DocumentManager::ReopenDocument(CQzedDoc& doc, const std::string& path) {
    return io_.Load(doc, path) == 0;
}

void DocumentManager::ResetViews(CQzedDoc& doc) {
    for (CQzedChild* c : Children()) {
        if (&c->Doc() != &doc) continue;
        c->ViewWidget()->View().Reset();
        c->ViewWidget()->InvalidateAll();
        c->UpdateTitle();
    }
}

void DocumentManager::CloseFrames(CQzedDoc& doc) {
    for (CQzedChild* c : Children()) {
        if (&c->Doc() != &doc) continue;
        c->setProperty("qzClosed", true);
        c->deleteLater();
    }
    if (Children().empty() && onLastClosed) onLastClosed();
}

}  // namespace qz
