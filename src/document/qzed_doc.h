// The document: owns the text store and the undo history of one open file and
// passes every change on to its views.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "document/doc_file.h"
#include "document/text_access.h"
#include "document/text_store.h"
#include "document/undo_buffer.h"

namespace qz {

class MessageBox;

// What a view of the document implements to hear of changed rows.
class LinesObserver {
public:
    virtual ~LinesObserver() = default;
    // row: the row of the change, taken before it; delta: change in row breaks.
    virtual void NotifyLinesChanged(uint32_t row, int32_t delta) = 0;
};

// Wrap mode bits.
constexpr int kWrapWindow = 1;  // wrap at the document's wrap column
constexpr int kWrapPrint = 2;   // being printed: wrap at the print layout's columns

class CQzedDoc : public TextAccess, private StoreHost {
public:
    // fileType 1 to 6 chooses "Tabs", "Columns", "Comment" and "Undo".
    explicit CQzedDoc(int fileType = 1);
    ~CQzedDoc() override;

    TextStore& Store() { return store_; }
    UndoBuffer& Undo() { return *undo_; }

    // TextAccess
    uint32_t GetTextLength() override { return store_.GetTextLength(); }
    uint32_t ReadText(uint32_t p, char* buf, uint32_t n) override { return store_.ReadText(p, buf, n); }
    uint32_t InsertText(uint32_t p, const char* bytes, uint32_t n, uint32_t h) override {
        return store_.InsertText(p, bytes, n, h);
    }
    uint32_t DeleteText(uint32_t p, uint32_t n) override { return store_.DeleteText(p, n); }

    // A fresh empty text with a fresh undo history (new document, or a file
    // that does not exist).
    void NewText();
    // Filling from the loader; LoadBegin returns false when the text cannot
    // fit the store (the loader reports it and loads nothing).
    bool LoadBegin(uint64_t fileLength);
    bool LoadAppend(const char* bytes, uint32_t n) { return store_.LoadAppend(bytes, n); }
    void LoadEnd();

    int GetFileType() const { return fileType_; }
    // Takes the layout settings of another file type and relays out.
    void SetFileType(int fileType);
    int GetTabWidth() const { return store_.GetTabWidth(); }
    int GetWrapWidth() const { return store_.GetWrapWidth(); }
    int GetWrapMode() const { return wrapMode_; }
    int GetWrapColumn() const { return wrapColumn_; }
    // These change the layout: the document relays out at once.
    void SetWrapMode(int mode);
    void SetWrapColumn(int column);
    void SetPrintColumns(int columns);
    // After the settings record changed.
    void ApplyLayoutSettings();

    bool IsReadOnly() const { return store_.IsReadOnly(); }
    void SetReadOnly(bool readOnly) { store_.SetReadOnly(readOnly); }
    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified) override { modified_ = modified; }
    void SetMessageBox(MessageBox* box) { store_.SetMessageBox(box); }
    void SetFatalHandler(FatalHandler* handler) { store_.SetFatalHandler(handler); }

    void AddView(LinesObserver* view);
    void RemoveView(LinesObserver* view);

    // Undo groups and steps for the editing commands.
    void BeginUndoGroup() { undo_->BeginGroup(); }
    // 0 done (caret to *pos), 1 overflow, -1 nothing to undo / redo.
    int UndoStep(uint32_t* pos) { return undo_->Undo(store_, pos); }
    int RedoStep(uint32_t* pos) { return undo_->Redo(store_, pos); }
    void ClearUndo() { undo_->Clear(); }

    // The full path the document is saved to (a new document has one too).
    const std::string& GetPathName() const { return path_; }
    void SetPathString(std::string path) { path_ = std::move(path); }

    // Code, line ends, lock and file time of the file the text came from.
    DocFile& File() { return file_; }
    const DocFile& File() const { return file_; }

private:
    void NotifyLinesChanged(uint32_t row, int32_t delta) override;
    int RecordUndo(int kind, uint32_t pos, const char* bytes, uint32_t n) override;
    int ComputeWrapWidth() const;
    void NewUndo();

    TextStore store_;
    std::unique_ptr<UndoBuffer> undo_;
    std::vector<LinesObserver*> views_;
    int fileType_ = 1;
    int wrapMode_ = 0, wrapColumn_ = 0, printColumns_ = 0;
    bool modified_ = false;
    std::string path_;
    DocFile file_;
};

}  // namespace qz
