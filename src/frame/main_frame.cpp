#include "frame/main_frame.h"

#include <algorithm>

#include "app/file_commands.h"
#include "app/key_code.h"
#include "document/qzed_doc.h"
#include "frame/commands.h"
#include "settings/settings.h"
#include "view/qzed_view.h"

namespace qz {

namespace c = cmdid;

CMainFrame::CMainFrame(FrameHost& host, FileCommands& files, int scheme, int asin4Type)
    : host_(host), files_(files), scheme_(scheme), asin4Type_(asin4Type) {}

// ------------------------------------------------------------------ creation and end

void CMainFrame::Start() {
    panes_.Reset();
    ShowAllPanes();
    host_.ShowPfLabels(PfKeyLabels(scheme_, modifiers_));
    host_.ShowMenuBar(CurrentMenu());
    RefreshTabs();
}

void CMainFrame::CloseBox(bool resident) {
    if (!resident) {
        host_.CloseFrame();
        return;
    }
    // Resident: each window is asked in turn, and the frame goes to the
    // notification area whatever they answered.
    for (Window w : host_.Windows()) host_.CloseWindow(w);
    host_.HideFrame();
}

// ------------------------------------------------------------------ windows

void CMainFrame::WindowOpened(Window w) {
    CQzedDoc& doc = host_.DocumentOf(w);
    tabs_.Add(w, doc.IsModified(), doc.GetPathName());
    list_.Chosen(w);
    RefreshTabs();
}

void CMainFrame::WindowClosed(Window w) {
    tabs_.Remove(w);
    list_.Remove(w);
    if (selectStart_ == w) selectStart_ = nullptr;
    RefreshTabs();
}

void CMainFrame::WindowActivated(Window w) {
    RefreshTabs();
    if (!w) return;
    ShowModified(host_.DocumentOf(w).IsModified());
    ShowPrefix(host_.ViewOf(w).PrefixPending());
    // The caret's line and column of this window, not of the last one.
    host_.ViewOf(w).UpdatePanes();
}

void CMainFrame::TabChosen(int index) {
    const auto& tabs = tabs_.Tabs();
    if (index < 0 || index >= static_cast<int>(tabs.size()) || !tabs[index].window) return;
    Window w = tabs[index].window;
    host_.ActivateWindow(w);
    list_.Chosen(w);
}

void CMainFrame::WindowChanged(Window w) {
    CQzedDoc& doc = host_.DocumentOf(w);
    if (tabs_.Update(w, doc.IsModified(), doc.GetPathName())) RefreshTabs();
    if (w == host_.ActiveWindow()) ShowModified(doc.IsModified());
}

void CMainFrame::LastWindowClosed(bool startedWithFiles) {
    if (selecting_) selecting_ = false;
    panes_.Reset();
    ShowAllPanes();
    const int mode = TheSettings().env.EndMode;
    if (mode == 2 || (mode == 1 && startedWithFiles)) Execute(c::kAppExit);
}

void CMainFrame::RefreshTabs() { host_.ShowTabs(tabs_.Tabs(), tabs_.IndexOf(host_.ActiveWindow())); }

// ------------------------------------------------------------------ panes

void CMainFrame::SetPane(int pane, const PaneLook& look) {
    if (panes_.Set(pane, look)) host_.ShowPane(pane, look);
}

void CMainFrame::ShowAllPanes() {
    for (int i = 0; i < kPaneCount; ++i) host_.ShowPane(i, panes_.Get(i));
}

void CMainFrame::ShowModified(bool modified) {
    SetPane(kPaneModified, modified ? PaneLook{"変更あり", kColourButtonText, kColourButtonFace}
                                    : PaneLook{"変更なし", kColourGrayText, kColourButtonFace});
}

void CMainFrame::ShowPrefix(bool pending) {
    SetPane(kPanePrefix, {"拡張キー", pending ? kColourButtonText : kColourGrayText, kColourButtonFace});
}

void CMainFrame::ShowTempSave(bool running) {
    SetPane(kPaneTempSave, {"一時保存", running ? kColourButtonText : kColourGrayText, kColourButtonFace});
}

// ------------------------------------------------------------------ modifiers and menus

void CMainFrame::SetModifiers(ModifierState state) {
    if (state == modifiers_) return;
    modifiers_ = state;
    host_.ShowPfLabels(PfKeyLabels(scheme_, state));
    if (SwapsMenus(scheme_)) host_.ShowMenuBar(CurrentMenu());
}

std::vector<MenuItem> CMainFrame::RecentFileItems() {
    const Settings& s = TheSettings();
    std::vector<MenuItem> out;
    const int count = std::min<int>(s.env.MRUCount, static_cast<int>(s.recentFiles.size()));
    for (int k = 1; k <= count && k <= c::kRecentLast - c::kRecentFirst + 1; ++k) {
        int code = 0;
        std::string path;
        if (!ParseRecentFile(s.recentFiles[k - 1], code, path)) break;
        out.push_back({"&" + std::to_string(k < 10 ? k : 0) + ": " + path, c::kRecentFirst + k - 1, 0, {}});
    }
    // No entries: one disabled empty item holds the place.
    if (out.empty()) out.push_back({"", c::kRecentFirst, 0, {}});
    return out;
}

namespace {
void ExpandRecentWith(std::vector<MenuItem>& items, const std::vector<MenuItem>& recent) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].IsPopup()) {
            ExpandRecentWith(items[i].items, recent);
        } else if (items[i].id == cmdid::kRecentFirst && items[i].key == 0) {
            items.erase(items.begin() + static_cast<long>(i));
            items.insert(items.begin() + static_cast<long>(i), recent.begin(), recent.end());
            i += recent.size() - 1;
        }
    }
}
}  // namespace

void CMainFrame::ExpandRecent(std::vector<MenuItem>& items) {
    ExpandRecentWith(items, RecentFileItems());
}

std::vector<MenuItem> CMainFrame::CurrentMenu() const {
    std::vector<MenuItem> bar = SchemeMenu(scheme_, modifiers_);
    ExpandRecent(bar);
    return bar;
}

// ------------------------------------------------------------------ commands

CQzedView* CMainFrame::ActiveView() {
    Window w = host_.ActiveWindow();
    return w ? &host_.ViewOf(w) : nullptr;
}

CQzedDoc* CMainFrame::ActiveDocument() {
    Window w = host_.ActiveWindow();
    return w ? &host_.DocumentOf(w) : nullptr;
}

CommandState CMainFrame::StateOf(int id) {
    CommandState st;
    if (id >= c::kRecentFirst && id <= c::kRecentLast) {
        const size_t k = static_cast<size_t>(id - c::kRecentFirst);
        st.enabled = k < TheSettings().recentFiles.size() && !TheSettings().recentFiles[k].empty() &&
                     static_cast<int>(k) < TheSettings().env.MRUCount;
        return st;
    }
    const CommandInfo* info = FindCommand(id);
    if (!info) return st;
    CQzedDoc* doc = ActiveDocument();
    st.enabled = info->needs == Needs::Nothing || doc;
    switch (id) {
    case c::kEditProhibit: st.checked = doc && doc->IsReadOnly(); break;
    case c::kRightWrap: st.checked = doc && TheSettings().Type(doc->GetFileType()).RightTurn == 1; break;
    case c::kLineNumbers: st.checked = doc && TheSettings().Type(doc->GetFileType()).LineDisp == 1; break;
    case c::kWindowSelection: st.checked = selecting_; break;
    default: break;
    }
    if (const int port = host_.PortCommandState(id); port >= 0) {
        st.checked = port & 2;
        st.enabled = st.enabled && (port & 1);
    }
    return st;
}

bool CMainFrame::Execute(int id) {
    if (id >= c::kRecentFirst && id <= c::kRecentLast) return StateOf(id).enabled && host_.RunPortCommand(id);
    const CommandInfo* info = FindCommand(id);
    if (!info) return false;
    if (info->needs != Needs::Nothing && !host_.ActiveWindow()) return false;
    if (RunOwn(id)) return true;
    return host_.RunPortCommand(id);
}

bool CMainFrame::RunOwn(int id) {
    // The file menu's save and close commands work on documents alone.
    switch (id) {
    case c::kSave: case c::kSaveAs: case c::kRename: case c::kReEdit: case c::kWriteOne:
    case c::kWriteChanged: case c::kSaveClose: case c::kSaveCloseAll: case c::kQuit:
    case c::kCloseUnchanged: case c::kQuitAll:
        files_.Execute(id);
        return true;
    case c::kAppExit:
        // Resident, the end of work only puts the editor away.
        CloseBox(resident_);
        return true;
    case c::kEndResidence:
        host_.CloseFrame();
        return true;
    case c::kRepaintAll: host_.RepaintAllViews(); return true;
    case c::kGuidance: RunGuidance(0); return true;
    case c::kMaximizeRestore: MaximizeRestore(); return true;
    case c::kNextWindow: StepWindow(true); return true;
    case c::kPreviousWindow: StepWindow(false); return true;
    case c::kWindowSelection:
        if (selecting_) EndWindowSelection(true);
        else StartWindowSelection();
        return true;
    case c::kLineNumbers: ToggleTypeSetting(&TypeSettings::LineDisp); return true;
    case c::kRightWrap: ToggleTypeSetting(&TypeSettings::RightTurn); return true;
    case c::kTabMarks: {
        int& marks = TheSettings().Type(ActiveDocument()->GetFileType()).TabCr;
        marks = marks == 0 ? 1 : marks == 1 ? 2 : 0;
        host_.RepaintAllViews();
        return true;
    }
    default: break;
    }
    if (id >= c::kHelpButton1 && id < c::kHelpButton1 + 5) {
        RunGuidance(id - c::kHelpButton1 + 1);
        return true;
    }
    if (RunLanguageCommand(id)) return true;
    CQzedView* v = ActiveView();
    if (!v) return false;
    switch (id) {
    case c::kUndo: v->UndoCommand(); return true;
    case c::kRedo: v->RedoCommand(); return true;
    case c::kCut: v->Cut(); return true;
    case c::kCopy: v->Copy(); return true;
    case c::kPaste: v->Paste(); return true;
    case c::kSelectAll: v->SelectAll(); return true;
    case c::kStartSelection: v->StartCommandSelection(); return true;
    case c::kBoxCut: v->BoxCut(); return true;
    case c::kBoxYank: v->BoxYank(); return true;
    case c::kBoxPaste: v->BoxPaste(); return true;
    case c::kBoxInsert: v->BoxInsert(); return true;
    case c::kDuplicateRow: v->DuplicateRow(); return true;
    case c::kDeleteRow: v->DeleteRow(); return true;
    case c::kUndeleteRow: v->UndeleteRow(); return true;
    case c::kToggleInsert: v->ToggleInsertMode(); return true;
    case c::kToggleCase: v->ToggleCaseAtCaret(); return true;
    case c::kToggleWidth: v->ToggleWidthAtCaret(); return true;
    case c::kInsertFile: v->InsertFile(); return true;
    case c::kSearchNext: v->SearchNext(); return true;
    case c::kSearchPrevious: v->SearchPrevious(); return true;
    case c::kSearchWord: v->SearchStringFromCaret(); return true;
    case c::kJumpToLine: v->JumpToLine(); return true;
    case c::kFileTop: v->FileTop(); return true;
    case c::kFileEnd: v->FileEnd(); return true;
    case c::kLastEdit: v->JumpLastEdit(); return true;
    case c::kBracketJump: v->BracketJump(); return true;
    case c::kRememberLine: v->RememberLine(); return true;
    case c::kReturnToLine:
        if (v->RememberedLine() != 0) v->GoToLine(v->RememberedLine());
        return true;
    case c::kEditProhibit: v->EditProhibit(); return true;
    case c::kBoxCalculation: v->OnRectCalc(); return true;
    case c::kRadix: v->OnRadixDisplay(); return true;
    case c::kCodeDisplay: v->OnCodeDisplay(); return true;
    default: return false;
    }
}

void CMainFrame::ToggleTypeSetting(int TypeSettings::*field) {
    CQzedDoc* doc = ActiveDocument();
    int& value = TheSettings().Type(doc->GetFileType()).*field;
    value = value == 1 ? 0 : 1;
    // Every document of that type follows, as the setting is the type's.
    for (Window w : host_.Windows())
        if (host_.DocumentOf(w).GetFileType() == doc->GetFileType()) host_.RelayoutViews(host_.DocumentOf(w));
}

void CMainFrame::MaximizeRestore() {
    if (Window w = host_.ActiveWindow()) {
        host_.SetMaximized(w, !host_.IsMaximized(w));
        host_.ActivateWindow(w);
        return;
    }
    host_.SetFrameMaximized(!host_.IsFrameMaximized());
}

// ------------------------------------------------------------------ keys

bool CMainFrame::DispatchKey(int code) {
    if (selecting_ && WindowSelectKey(code)) return true;
    return ::qz::DispatchKey(scheme_, asin4Type_, code, ActiveView(), *this);
}

bool CMainFrame::PfKeyClicked(int index, bool shift, bool ctrl, bool alt) {
    if (index < 0 || index >= kPfKeys) return false;
    return DispatchKey(PfKeyBarCode(index, shift, ctrl, alt));
}

void CMainFrame::PrefixSecondStroke(char key) {
    switch (key) {
    case '.': Execute(c::kAsciiTable); return;
    case '@': Execute(c::kCodeDisplay); return;
    case 'B': Execute(c::kSearchUpDialog); return;
    case 'F': Execute(c::kSearch); return;
    case 'U': Execute(c::kUndo); return;
    case '[': case ']': Execute(c::kBracketJump); return;
    default:
        if (key >= '0' && key <= '9')
            if (CQzedView* v = ActiveView()) v->JumpToLine(key - '0');
        return;
    }
}

void CMainFrame::RunViewAction(ViewAction action, int argument) {
    switch (action) {
    case ViewAction::ShellLineFeed:
        // Outside OS command windows: a line below.
        if (host_.OsWindowLineFeed()) return;
        if (CQzedView* v = ActiveView()) v->OpenLineBelow();
        return;
    case ViewAction::InsertTemplateKey:
        if (CQzedView* v = ActiveView()) v->InsertTemplateKey(argument);
        return;
    case ViewAction::HelpEntry:
        // Entries 6 to 9 have no command of their own.
        RunGuidance(argument);
        return;
    default: break;
    }
    if (const int id = CommandOfViewAction(action, argument)) Execute(id);
}

void CMainFrame::RunFrameAction(FrameAction action, int argument) {
    switch (action) {
    case FrameAction::MenuPopup:
        if (!selecting_) host_.OpenMenuPopup(argument - 1);
        return;
    case FrameAction::ShiftMenuPopup:
        if (selecting_) return;
        SetModifiers(ModifierState::Shift);
        host_.OpenMenuPopup(argument - 1);
        return;
    case FrameAction::MenuMnemonic: {
        const std::vector<MenuItem> bar = CurrentMenu();
        const std::string mark = std::string("(&") + static_cast<char>(argument) + ")";
        for (size_t i = 0; i < bar.size(); ++i)
            if (bar[i].label.find(mark) != std::string::npos) host_.OpenMenuPopup(static_cast<int>(i));
        return;
    }
    case FrameAction::ScrollAllViews:
        for (Window w : host_.Windows()) {
            if (host_.IsMinimized(w)) continue;
            for (CQzedView* v : host_.ViewsOf(w))
                v->OnVScroll(argument < 0 ? CQzedView::kLineUp : CQzedView::kLineDown, 0);
        }
        return;
    case FrameAction::CycleTabMarks:
        // The dispatcher has cycled the marks already.
        host_.RepaintAllViews();
        return;
    default:
        if (const int id = CommandOfFrameAction(action, argument)) Execute(id);
        return;
    }
}

// ------------------------------------------------------------------ window list and selection

bool CMainFrame::Skip(Window w) { return host_.IsMinimized(w); }

void CMainFrame::StepWindow(bool next) {
    Window from = host_.ActiveWindow();
    auto skip = [this](Window w) { return Skip(w); };
    Window to = next ? list_.Next(from, skip) : list_.Previous(from, skip);
    if (to) host_.ActivateWindow(to);
}

void CMainFrame::StartWindowSelection() {
    Window w = host_.ActiveWindow();
    if (!w) return;
    list_.Chosen(w);
    Window next = list_.Next(w);
    if (!next) return;
    if (list_.Order().size() < 3) {
        // Two windows: the key switches between them.
        host_.ActivateWindow(next);
        list_.Chosen(next);
        return;
    }
    selecting_ = true;
    selectStart_ = w;
    for (Window each : host_.Windows()) host_.SetWindowMessage(each, kWindowSelectPrompt, 0xFF0000, 0xFFFFFF);
    host_.ActivateWindow(next);
}

void CMainFrame::EndWindowSelection(bool confirm) {
    selecting_ = false;
    if (!confirm && selectStart_) host_.ActivateWindow(selectStart_);
    selectStart_ = nullptr;
    if (Window w = host_.ActiveWindow()) list_.Chosen(w);
    for (Window each : host_.Windows()) host_.SetWindowMessage(each, "", kColourButtonText, kColourButtonFace);
}

bool CMainFrame::WindowSelectKey(int code) {
    if (!selecting_) return false;
    Window active = host_.ActiveWindow();
    switch (code) {
    case kKeyUp:
        if (Window w = list_.Previous(active)) host_.ActivateWindow(w);
        return true;
    case kKeyDown:
        if (Window w = list_.Next(active)) host_.ActivateWindow(w);
        return true;
    case kKeyEnter: EndWindowSelection(true); return true;
    case kKeyEsc: EndWindowSelection(false); return true;
    default: return false;
    }
}

}  // namespace qz
