// Opening, naming, closing questions, re-editing and the new name and code of
// a document, with the frames reached through the host.
#include "app/doc_lifecycle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <set>
#include <vector>

#include "app/file_dialog_model.h"
#include "document/doc_naming.h"
#include "document/file_io.h"
#include "document/kanji_code.h"
#include "document/kanji_detect.h"
#include "document/qzed_doc.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "settings/settings.h"

namespace qz {

namespace {

bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The code a temporary copy was written in, told by its bytes whatever
// "CharCheck" says: the copy has the document's code, which nothing records.
int CopyCode(const std::string& copy) {
    const int fd = ::open(copy.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    const std::string sample = ReadKanjiSample(fd);
    ::close(fd);
    return DetectJis(sample) ? kCodeJis : DetectEuc(sample) ? kCodeEuc : kCodeSjis;
}

}  // namespace

DocLifecycle::DocLifecycle(MessageBox& box, FileIo& io, FileCommandHost& host)
    : box_(box), io_(io), host_(host) {}

std::string DocLifecycle::NewDocument(CQzedDoc& doc, const std::string& dir) {
    const std::string name = NewDocumentName(dir, [this](const std::string& p) {
        for (FileCommandHost::Frame f : host_.Frames())
            if (SamePath(host_.DocumentOf(f).GetPathName(), p)) return true;
        return false;
    });
    const int type = ChooseFileType(TheSettings(), name);
    if (doc.GetFileType() != type) doc.SetFileType(type);
    // The name is not on disk, so the load gives the empty text; a folder we
    // may not look into makes it fail, and the text is empty all the same.
    if (io_.Load(doc, name) != 0) doc.NewText();
    SetPathName(doc, name, true);
    return doc.GetPathName();
}

bool DocLifecycle::OpenDocument(CQzedDoc& doc, const std::string& path, int explicitCode) {
    // A document that is read again discards its text, and with it the
    // temporary copy kept for a crash.
    DeleteContents(doc);
    const std::string canonical = CanonicalPath(path);
    const int type = ChooseFileType(TheSettings(), canonical);
    if (doc.GetFileType() != type) doc.SetFileType(type);
    if (io_.Load(doc, canonical, explicitCode) != 0) return false;
    SetPathName(doc, canonical, true);
    return true;
}

bool DocLifecycle::OpenChosenFile(CQzedDoc& doc, const std::string& path, int explicitCode,
                                  bool readOnlyBox) {
    doc.File().special = false;
    if (!OpenDocument(doc, path, explicitCode)) return false;
    if (readOnlyBox) doc.SetReadOnly(true);
    return true;
}

bool DocLifecycle::OpenRecovered(CQzedDoc& doc, const std::string& copy, const std::string& docPath) {
    DeleteContents(doc);
    const std::string canonical = CanonicalPath(docPath);
    const int type = ChooseFileType(TheSettings(), canonical);
    if (doc.GetFileType() != type) doc.SetFileType(type);
    if (io_.Load(doc, copy, CopyCode(copy)) != 0) return false;
    // The lock and the file time are the document's file's, not the copy's.
    SetPathName(doc, canonical, false);
    doc.SetModifiedFlag(true);
    return true;
}

void DocLifecycle::DeleteContents(CQzedDoc& doc) {
    if (!doc.GetPathName().empty()) host_.FreeRegisterEntry(doc.GetPathName());
    doc.NewText();
    doc.Store().ResetEditCounters();
    doc.File().lock.Release();
    doc.File().loaded = false;
}

void DocLifecycle::SetPathName(CQzedDoc& doc, const std::string& path, bool addToRecent) {
    const std::string canonical = CanonicalPath(path);
    DocFile& f = doc.File();
    if (IsRegularFile(canonical)) {
        if (io_.SetLock(doc, canonical, f.exclusiveMode) != 0) f.exclusiveMode = 0;
    } else {
        io_.SetLock(doc, canonical, 0);
    }
    if (!f.special) f.Stamp(canonical);
    const std::string old = doc.GetPathName();
    if (!old.empty() && !SamePath(old, canonical)) host_.FreeRegisterEntry(old);
    doc.SetPathString(canonical);
    if (addToRecent) AddRecentFile(TheSettings(), f.Code(), canonical);
    host_.UpdateTitles(doc);
}

bool DocLifecycle::SaveModified(CQzedDoc& doc) {
    const std::string& path = doc.GetPathName();
    if (doc.File().special && host_.ShellCommandRunning(doc)) {
        box_.Show(lifecycle_msg::kShellRunning, path, MbIcon::Stop, MbButtons::Ok);
        return false;
    }
    if (!doc.IsModified()) return true;
    switch (box_.Show(lifecycle_msg::kSaveQuestion, path, MbIcon::Question, MbButtons::YesNoCancel)) {
    case MbResult::Yes: return io_.Save(doc, path) == 1;
    case MbResult::No: return true;
    default: return false;
    }
}

bool DocLifecycle::CanCloseFrame(FileCommandHost::Frame frame) {
    CQzedDoc& doc = host_.DocumentOf(frame);
    for (FileCommandHost::Frame other : host_.Frames())
        if (other != frame && &host_.DocumentOf(other) == &doc) return true;
    return SaveModified(doc);
}

bool DocLifecycle::SaveAllModified() {
    std::set<const CQzedDoc*> asked;
    for (FileCommandHost::Frame f : host_.Frames()) {
        CQzedDoc& doc = host_.DocumentOf(f);
        if (!asked.insert(&doc).second) continue;
        if (!SaveModified(doc)) return false;
    }
    return true;
}

bool DocLifecycle::ReEdit(CQzedDoc& doc) {
    const std::string path = doc.GetPathName();
    if (doc.IsModified() && box_.Show(lifecycle_msg::kReEditQuestion, path, MbIcon::Question,
                                      MbButtons::YesNoCancel) != MbResult::Yes)
        return false;
    doc.SetModifiedFlag(false);
    if (OpenDocument(doc, path)) {
        host_.ResetViews(doc);
        return true;
    }
    box_.Show(lifecycle_msg::kReEditFailed, path, MbIcon::Stop, MbButtons::Ok);
    // The frames are found before any closes: the last one takes the document.
    std::vector<FileCommandHost::Frame> frames;
    for (FileCommandHost::Frame fr : host_.Frames())
        if (&host_.DocumentOf(fr) == &doc) frames.push_back(fr);
    for (FileCommandHost::Frame fr : frames) host_.CloseFrame(fr);
    return false;
}

bool DocLifecycle::ChooseNameAndCode(CQzedDoc& doc, const std::string& caption) {
    const std::optional<SaveTypeAnswer> answer = host_.AskSaveType(caption, doc.GetPathName());
    if (!answer || answer->path.empty()) return false;
    DocFile& f = doc.File();
    const CodeAndLineEnd chosen = ApplySaveCodeChoice(answer->codeIndex, {f.Code(), f.lineEnd});
    f.kanjiCode = chosen.code;
    f.lineEnd = chosen.lineEnd;
    SetPathName(doc, answer->path, true);
    ApplyFileTypeOfPath(doc);
    return true;
}

int DocLifecycle::WindowWrapColumn(const ViewMetrics& m, int fileType) {
    const TypeSettings& t = TheSettings().Type(fileType);
    const int cell = std::max(1, m.charWidth + t.WidthColumn);
    return m.clientWidth / cell - (t.LineDisp == 1 ? 8 : 0) - 1;
}

void DocLifecycle::ApplyFileTypeOfPath(CQzedDoc& doc) {
    const int type = ChooseFileType(TheSettings(), doc.GetPathName());
    if (type == doc.GetFileType()) return;
    doc.SetFileType(type);
    if (TheSettings().Type(type).RightTurn == 1 && host_.ViewCount(doc) == 1) {
        const int column = WindowWrapColumn(host_.FirstViewMetrics(doc), type);
        if (doc.GetWrapColumn() != column) doc.SetWrapColumn(column);
        if (!(doc.GetWrapMode() & kWrapWindow)) doc.SetWrapMode(doc.GetWrapMode() | kWrapWindow);
    } else {
        if (doc.GetWrapMode() & kWrapWindow) doc.SetWrapMode(doc.GetWrapMode() & ~kWrapWindow);
        if (doc.GetWrapColumn() != 0) doc.SetWrapColumn(0);
    }
    host_.RelayoutViews(doc);
    host_.RedrawViews(doc);
}

}  // namespace qz
