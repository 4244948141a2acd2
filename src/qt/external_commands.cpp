// The external programs' commands and the OS command window.
#include "qt/external_commands.h"

// Before any Qt header: the template table has a member named like Qt's
// "slots" keyword macro.
#include "lang/file_reference.h"

#include <QKeyEvent>
#include <QMdiArea>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/startup.h"
#include "external/command_lines.h"
#include "external/os_window_text.h"
#include "external/program_start.h"
#include "external/shell_words.h"
#include "external/tool_macros.h"
#include "frame/commands.h"
#include "platform/cp932.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "qt/document_window.h"
#include "qt/external_dialogs.h"
#include "qt/main_window.h"
#include "qt/view_widget.h"
#include "settings/settings.h"

namespace qz {

namespace c = cmdid;

namespace {

std::string TakeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    std::remove(path.c_str());
    return s.str();
}

bool IsWebPage(const std::string& path) {
    std::string ext = SplitPath(path).ext;
    for (char& ch : ext)
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    for (const char* e : {".HTML", ".HTM", ".HTX", ".ASP", ".ALX", ".STM", ".SHTML"})
        if (ext == e) return true;
    return false;
}

}  // namespace

ExternalCommands::ExternalCommands(QzedMainWindow& window, DocumentManager& docs, MessageBox& boxes, Profile& profile)
    : QObject(&window), window_(window), docs_(docs), boxes_(boxes), profile_(profile) {
    const std::string folder = StateFolder();
    MakeFolders(folder);
    // The worker only says that a result is ready; the window's thread takes it.
    worker_ = std::make_unique<ShellWorker>(folder, [this] {
        QMetaObject::invokeMethod(this, "ShellDone", Qt::QueuedConnection);
    });
}

ExternalCommands::~ExternalCommands() { worker_->Quit(); }

bool ExternalCommands::Run(int id) {
    switch (id) {
    case c::kGrep: Grep(); return true;
    case c::kQztags: Qztags(); return true;
    case c::kUserTool: UserTool(); return true;
    case c::kBrowser1: Browser(1); return true;
    case c::kBrowser2: Browser(2); return true;
    case c::kShell: CommandInterpreter(); return true;
    case c::kOpenAssociated: OpenAssociated(); return true;
    case c::kCalculator: Calculator(); return true;
    case c::kOsWindow:
        if (CQzedChild* w = OpenOsWindow(CurrentDirectory())) window_.ActivateWindow(w);
        return true;
    default: return false;
    }
}

// ------------------------------------------------------------------ OS windows

CQzedChild* ExternalCommands::OpenOsWindow(const std::string& dir) {
    CQzedChild* w = docs_.NewOsWindow(OsWindowWorkPath(dir));
    if (!w) boxes_.Show("ＯＳ窓が開けませんでした", "ＯＳ窓", MbIcon::Stop, MbButtons::Ok);
    return w;
}

// The first OS window, or a new one; brought up and moved to dir.
CQzedChild* ExternalCommands::OsWindowFor(const std::string& dir) {
    CQzedChild* w = nullptr;
    for (CQzedChild* each : docs_.Children())
        if (!w && each->Doc().File().special) w = each;
    if (!w) w = OpenOsWindow(dir);
    if (!w) return nullptr;
    window_.ActivateWindow(w);
    SetWorkDirectory(w->Doc(), dir);
    return w;
}

void ExternalCommands::SetWorkDirectory(CQzedDoc& doc, const std::string& dir) {
    // The work path's folder is the directory commands run in, and relative
    // names in the window (grep hits) are read against it. A temporary copy
    // kept under the old path goes with it, as after a rename.
    const std::string path = OsWindowWorkPath(dir);
    if (path == doc.GetPathName()) return;
    docs_.FreeRegisterEntry(doc.GetPathName());
    doc.SetPathString(path);
    docs_.UpdateTitles(doc);
}

void ExternalCommands::GuideError(QzedViewWidget* v, const std::string& text) {
    v->ShowMessage(text, MessageKind::Error);
    v->Beep();
}

bool ExternalCommands::Running(const CQzedDoc& doc) const { return busyDoc_ == &doc && worker_->Busy(); }

bool ExternalCommands::Execute(QzedViewWidget* v, ShellErrors errors, const std::string& commandUtf8) {
    CQzedDoc& doc = v->View().Doc();
    if (doc.IsReadOnly()) {
        GuideError(v, "ＯＳ窓は書き込み禁止です");
        return false;
    }
    if (!doc.File().special || v->View().RunningMode()) return false;
    // One command at a time; a second one is refused rather than waited for.
    if (!worker_->Submit({commandUtf8, errors, FolderOf(doc.GetPathName()), v})) {
        GuideError(v, kShellStillRunning);
        return false;
    }
    busyView_ = v;
    busyDoc_ = &doc;
    v->ShowMessage(kShellRunningPrompt, MessageKind::Prompt);
    return true;
}

bool ExternalCommands::ViewKey(QzedViewWidget* v, QKeyEvent* e) {
    CQzedDoc& doc = v->View().Doc();
    if (!doc.File().special) return false;
    const bool plain = !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (Running(doc)) {
        if (e->key() == Qt::Key_Escape) {
            worker_->Stop();
            return true;
        }
        const QString t = e->text();
        return plain && (enter || e->key() == Qt::Key_Tab || (!t.isEmpty() && t[0].unicode() >= 0x20));
    }
    if (enter && e->modifiers() == Qt::NoModifier) return OsWindowEnter(v);
    return false;
}

bool ExternalCommands::OsWindowEnter(QzedViewWidget* v) {
    if (!v) return false;
    CQzedView& view = v->View();
    CQzedDoc& doc = view.Doc();
    if (!doc.File().special) return false;
    if (Running(doc)) return true;
    if (doc.IsReadOnly()) {
        GuideError(v, "このファイルは書き込み禁止です");
        return true;
    }
    view.TakeSelectionText(0);
    const OsWindowLine line = ParseOsWindowLine(view.CaretLine());
    const std::string workDir = FolderOf(doc.GetPathName());
    switch (line.kind) {
    case OsWindowLine::kEmpty: break;
    case OsWindowLine::kExit: {
        doc.SetModifiedFlag(false);
        // Not from inside the key handling of the view that goes with it.
        for (CQzedChild* w : docs_.ChildrenOf(doc))
            if (w->isAncestorOf(v)) QTimer::singleShot(0, w, [w] { w->close(); });
        return true;
    }
    case OsWindowLine::kCd: {
        const std::string dir = ChangeDirectory(workDir, SjisToUtf8(line.rest));
        SetWorkDirectory(doc, dir);
        view.AppendAtEnd("\n" + Utf8ToSjis(dir));
        break;
    }
    case OsWindowLine::kDrive:
        // No drives here: the window stays where it is and says so.
        view.AppendAtEnd("\n" + Utf8ToSjis(workDir));
        break;
    case OsWindowLine::kRun:
        Execute(v, ShellErrors::kIntoOutput, SjisToUtf8(line.line));
        return true;
    }
    view.AppendAtEnd("\n");
    doc.SetModifiedFlag(false);
    return true;
}

void ExternalCommands::ShellDone() {
    std::optional<ShellResult> r = worker_->TakeResult();
    if (!r) return;
    // Error output first: grep's messages stand before its hits.
    const std::string text = ShellOutputToSjis(TakeFile(r->errPath)) + ShellOutputToSjis(TakeFile(r->outPath));
    QzedViewWidget* v = busyView_;
    const CQzedDoc* doc = busyDoc_;
    busyView_ = nullptr;
    busyDoc_ = nullptr;
    // The pane that ran it may have been closed: another pane of the window takes it.
    if (!v)
        for (CQzedChild* w : docs_.Children())
            if (&w->Doc() == doc) v = w->ViewWidget();
    if (!v) return;
    CQzedDoc& d = v->View().Doc();
    d.SetModifiedFlag(false);
    if (d.IsReadOnly()) return GuideError(v, "このファイルは書き込み禁止です");
    v->View().AppendAtEnd("\n" + text);
    d.SetModifiedFlag(false);
    v->ShowMessage(r->stopped ? kShellStopped : "", MessageKind::Info);
    docs_.UpdateTitles(d);
    v->InvalidateAll();
}

void ExternalCommands::EndOfRun() {
    if (!worker_->Busy()) return;
    worker_->Cancel();
    ShellDone();
}

// ------------------------------------------------------------------ grep and tags

void ExternalCommands::Grep() {
    std::string proposal;
    if (QzedViewWidget* v = window_.ActiveView()) proposal = SjisToUtf8(v->View().TakeSelectionText(64));
    Settings& s = TheSettings();
    GrepDialog d(&window_, boxes_, s, proposal);
    if (d.exec() != QDialog::Accepted) return;
    s.grepMode = static_cast<int>(d.Mode());
    s.grepOption = d.Option();
    PushPattern(s.grepSearchPtn, d.Pattern());
    PushPattern(s.grepFilePtn, d.Files());
    CQzedChild* w = OsWindowFor(CurrentDirectory());
    if (!w) return;
    Execute(w->ViewWidget(), ShellErrors::kOwnFile,
            GrepCommandLine(HelperProgram("qzgrep"), d.Mode(), d.Option(), d.Pattern(), d.Files()));
}

void ExternalCommands::Qztags() {
    Settings& s = TheSettings();
    QztagsDialog d(&window_, boxes_, s);
    if (d.exec() != QDialog::Accepted) return;
    s.qztagsMode = static_cast<int>(d.Mode());
    PushPattern(s.qztagsFilePtn, d.Targets());
    if (const int error = StartDetached(QztagsCommandLine(HelperProgram("qztags"), d.Mode(), d.Targets()))) {
        boxes_.Show(StartErrorText("ＱＺＴＡＧＳ起動エラー", error), "プログラム起動エラー", MbIcon::Stop,
                    MbButtons::Ok);
    }
}

// ------------------------------------------------------------------ user tools

void ExternalCommands::SaveBeforeRun(int update) {
    auto save = [this](CQzedDoc& doc) {
        if (docs_.Io().Save(doc, doc.GetPathName()) == 1) docs_.UpdateTitles(doc);
    };
    if (update == 1) {
        if (CQzedChild* w = docs_.Active(); w && !w->Doc().File().special) save(w->Doc());
    } else if (update == 2) {
        for (CQzedDoc* doc : docs_.Documents())
            if (doc->IsModified() && !doc->IsReadOnly() && !doc->File().special) save(*doc);
    }
}

void ExternalCommands::UserTool() {
    const std::vector<qz::UserTool> tools = LoadUserTools(profile_);
    if (tools.empty()) {
        boxes_.Show("ユーザー指定ソフトがありません", "ユーザー指定ソフト起動", MbIcon::Stop, MbButtons::Ok);
        return;
    }
    UserToolDialog d(&window_, tools);
    if (d.exec() != QDialog::Accepted || d.Chosen() < 0) return;
    const qz::UserTool& tool = tools[static_cast<size_t>(d.Chosen())];
    ToolContext ctx;
    ctx.currentDir = CurrentDirectory();
    if (QzedViewWidget* v = window_.ActiveView()) {
        CQzedView& view = v->View();
        ctx.path = view.Doc().GetPathName();
        ctx.selection = SjisToUtf8(view.TakeSelectionText(64));
        ctx.word = SjisToUtf8(view.CaretWord(128));
        ctx.line = static_cast<long>(view.LogicalLine());
        ctx.column = static_cast<long>(view.LogicalColumn());
    }
    SaveBeforeRun(tool.update);
    const std::string command = ToolCommandLine(tool, ctx);
    const std::string dir = ExpandToolDirectory(tool.curdir, ctx);
    if (tool.osWin == 1) {
        if (CQzedChild* w = OsWindowFor(dir.empty() ? ctx.currentDir : FullPath(ctx.currentDir, dir)))
            Execute(w->ViewWidget(), ShellErrors::kIntoOutput, command);
        return;
    }
    if (const int error = StartDetached(command, dir))
        boxes_.Show(StartErrorText("ユーザー指定ソフト起動エラー", error), "起動エラー", MbIcon::Stop, MbButtons::Ok);
}

// ------------------------------------------------------------------ other programs

void ExternalCommands::Browser(int which) {
    const EnvironSettings& env = TheSettings().env;
    std::string command = which == 1 ? env.ExplorerPrg : env.NetscapePrg;
    const int update = which == 1 ? env.Explorer_Update : env.Netscape_Update;
    if (CQzedChild* w = docs_.Active(); w && IsWebPage(w->Doc().GetPathName())) {
        CQzedDoc& doc = w->Doc();
        const std::string& path = doc.GetPathName();
        if (doc.IsModified() && update == 1) {
            docs_.Io().Save(doc, path);
        } else if (doc.IsModified() && update == 2) {
            switch (boxes_.Show("ファイルの内容が変更されていますが保存しますか？", path, MbIcon::Question,
                                MbButtons::YesNoCancel)) {
            case MbResult::Yes: docs_.Io().Save(doc, path); break;
            case MbResult::No: break;
            default: return;
            }
        }
        docs_.UpdateTitles(doc);
        command += " " + ShellWord(path);
    }
    if (const int error = StartDetached(command))
        boxes_.Show(StartErrorText(which == 1 ? "Internet Explorer起動エラー" : "Netscape起動エラー", error),
                    "起動エラー", MbIcon::Stop, MbButtons::Ok);
}

void ExternalCommands::CommandInterpreter() {
    // A terminal with the user's shell: the one the user named, else the
    // desktop's choice.
    const char* terminal = std::getenv("TERMINAL");
    int error = StartDetached(terminal && *terminal ? terminal : "x-terminal-emulator");
    if (error == ENOENT) error = StartDetached("xterm");
    if (error) boxes_.Show(StartErrorText("シェル起動エラー", error), "起動エラー", MbIcon::Stop, MbButtons::Ok);
}

void ExternalCommands::OpenAssociated() {
    QzedViewWidget* v = window_.ActiveView();
    if (!v) return;
    CQzedView& view = v->View();
    std::string name = view.TakeSelectionText(255);
    if (name.empty()) {
        int column = 0;
        const std::string line = view.CaretLine(&column);
        int32_t lineNumber = 0;
        ParseFileReference(line, column, name, lineNumber);
    }
    name = SjisToUtf8(name);
    if (name.empty()) return GuideError(v, "'<null>'は関連付けから開けません");
    std::string target = AssociatedTarget(name);
    // A file name is read against the document's folder, as the tag jump does.
    if (target.find(':') == std::string::npos) target = ResolveJumpName(target, view.Doc().GetPathName());
    if (v->ShellOpen(target) < 32) GuideError(v, "'" + name + "'は関連付けから開けません");
}

void ExternalCommands::Calculator() {
    if (const int error = StartDetached(TheSettings().env.CalcPrg))
        boxes_.Show(StartErrorText("電卓プログラム起動エラー", error), "プログラム起動エラー", MbIcon::Stop,
                    MbButtons::Ok);
}

}  // namespace qz
