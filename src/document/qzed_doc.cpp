// The document's store and undo wiring: layout settings from the file type,
// the calls out after every edit, and the view list.
#include "document/qzed_doc.h"

#include <algorithm>

#include "settings/settings.h"

namespace qz {

CQzedDoc::CQzedDoc(int fileType) : fileType_(fileType < 1 || fileType > kFileTypes ? 1 : fileType) {
    store_.SetHost(this);
    NewUndo();
    ApplyLayoutSettings();
}

CQzedDoc::~CQzedDoc() { store_.SetHost(nullptr); }

void CQzedDoc::NewUndo() { undo_ = std::make_unique<UndoBuffer>(TheSettings().Type(fileType_).Undo); }

void CQzedDoc::NewText() {
    store_.Reset();
    NewUndo();
    modified_ = false;
}

bool CQzedDoc::LoadBegin(uint64_t fileLength) {
    if (!TextStore::CanHold(fileLength)) return false;
    store_.LoadBegin(static_cast<uint32_t>(fileLength));
    return true;
}

void CQzedDoc::LoadEnd() {
    store_.LoadEnd();
    NewUndo();
    modified_ = false;
}

int CQzedDoc::ComputeWrapWidth() const {
    if (wrapMode_ & kWrapPrint) return printColumns_;
    if (wrapMode_ & kWrapWindow) return wrapColumn_;
    return TheSettings().Type(fileType_).Columns;
}

void CQzedDoc::ApplyLayoutSettings() {
    const TypeSettings& t = TheSettings().Type(fileType_);
    store_.SetLayout(t.Tabs, ComputeWrapWidth(), t.Comment);
    store_.RelayoutAll();
}

void CQzedDoc::SetFileType(int fileType) {
    if (fileType < 1 || fileType > kFileTypes) return;
    fileType_ = fileType;
    ApplyLayoutSettings();
}

void CQzedDoc::SetWrapMode(int mode) {
    wrapMode_ = mode;
    ApplyLayoutSettings();
}

void CQzedDoc::SetWrapColumn(int column) {
    wrapColumn_ = column;
    ApplyLayoutSettings();
}

void CQzedDoc::SetPrintColumns(int columns) {
    printColumns_ = columns;
    // Outside printing the count does not shape the rows: no relayout of a
    // whole text for nothing.
    if (wrapMode_ & kWrapPrint) ApplyLayoutSettings();
}

void CQzedDoc::AddView(LinesObserver* view) {
    if (std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
}

void CQzedDoc::RemoveView(LinesObserver* view) {
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

void CQzedDoc::NotifyLinesChanged(uint32_t row, int32_t delta) {
    for (LinesObserver* v : views_) v->NotifyLinesChanged(row, delta);
}

int CQzedDoc::RecordUndo(int kind, uint32_t pos, const char* bytes, uint32_t n) {
    return undo_->Record(kind, pos, bytes, n);
}

}  // namespace qz
