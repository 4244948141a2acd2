// The open documents of the frame: each a CQzedDoc shown in a CQzedChild
// (an MDI child holding one view window), opened, saved and closed here.
#pragma once

#include <QMdiSubWindow>
#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/file_io.h"
#include "document/qzed_doc.h"

class QMdiArea;

namespace qz {

class MessageBox;
class QzedViewWidget;

class CQzedChild : public QMdiSubWindow {
    Q_OBJECT
public:
    CQzedChild(std::unique_ptr<CQzedDoc> doc, std::string path, MessageBox& boxes,
               class DocumentManager& manager);
    ~CQzedChild() override;

    CQzedDoc& Doc() { return *doc_; }
    const std::string& Path() const { return doc_->GetPathName(); }
    QzedViewWidget* ViewWidget() const { return view_; }
    void UpdateTitle();

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    std::unique_ptr<CQzedDoc> doc_;
    DocumentManager& manager_;
    QzedViewWidget* view_;
};

class DocumentManager : public QObject, public FileIoHost {
    Q_OBJECT
public:
    DocumentManager(QMdiArea* area, MessageBox& boxes, QObject* parent = nullptr);
    ~DocumentManager() override;

    // A new empty document named "TextN.txt" in dir.
    CQzedChild* NewDocument(const std::string& dir);
    // Opens path (made canonical); an open document of the same path is
    // activated instead. Null when the file could not be loaded.
    CQzedChild* Open(const std::string& path, int explicitCode = 0);
    // Saves to the document's own path: true on success.
    bool Save(CQzedChild* child);
    // The save question of a modified document: false when the user cancels
    // or the save fails (the window stays).
    bool QueryClose(CQzedChild& child);
    CQzedChild* Active() const;
    std::vector<CQzedChild*> Children() const;
    CQzedChild* Find(const std::string& path) const;
    FileIo& Io() { return io_; }
    MessageBox& Boxes() { return boxes_; }

    // FileIoHost
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    bool ReopenDocument(CQzedDoc& doc, const std::string& path) override;
    void ResetViews(CQzedDoc& doc) override;
    void CloseFrames(CQzedDoc& doc) override;

    // Status bar outputs of the active view.
    std::function<void(const QString& row, const QString& column)> onPanes;
    std::function<void(const QString& text, int kind)> onMessage;
    // After the last document has closed.
    std::function<void()> onLastClosed;

private:
    friend class CQzedChild;
    CQzedChild* Show(std::unique_ptr<CQzedDoc> doc, const std::string& path);
    void Closed(CQzedChild* child);

    QMdiArea* area_;
    MessageBox& boxes_;
    FileIo io_;
};

}  // namespace qz
