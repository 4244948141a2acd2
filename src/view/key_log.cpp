// Keystroke log recording with its 512-entry limit, and replay once or
// repeated as one undo step, with Esc and Space polled between passes.
#include "view/key_log.h"

#include <cstdio>

#include "platform/message_box.h"
#include "view/qzed_view.h"

namespace qz {

KeyLogData& TheKeyLog() {
    static KeyLogData log;
    return log;
}

bool ProgressPoint(long n) {
    if (n < 10) return true;
    if (n < 100) return n % 10 == 0;
    if (n < 1000) return n % 100 == 0;
    return n % 1000 == 0;
}

void ViewKeyLog::ShowPane() {
    if (!pane_) return;
    char text[32];
    const KeyLogData& log = TheKeyLog();
    if (state_ != kLogOff) {
        std::snprintf(text, sizeof text, "LOG/ON  %3d", state_ == kLogArmed ? 0 : log.count);
        pane_->SetLogPane(text, LogPaneLook::Recording);
    } else {
        std::snprintf(text, sizeof text, "LOG/OFF %3d", log.exists ? log.count : 0);
        pane_->SetLogPane(text, log.exists ? LogPaneLook::Off : LogPaneLook::Empty);
    }
}

void ViewKeyLog::ToggleRecording() {
    state_ = state_ == kLogOff ? kLogArmed : kLogOff;
    ShowPane();
}

void ViewKeyLog::Record(int kind, int32_t code, int32_t argument) {
    if (replaying_ || state_ == kLogOff) return;
    KeyLogData& log = TheKeyLog();
    if (state_ == kLogArmed) {
        state_ = kLogRecording;
        log.exists = true;
        log.count = 0;
    }
    if (log.count >= kKeyLogCapacity) {
        state_ = kLogOff;
        host_.Boxes().Show("これ以上は記憶できません。\n記憶を中断します。", "記憶", MbIcon::Stop, MbButtons::Ok);
        ShowPane();
        return;
    }
    log.entries[static_cast<size_t>(log.count++)] = KeyLogEntry{kind, code, argument};
    ShowPane();
}

bool ViewKeyLog::Refused() const {
    return host_.WindowSelectActive() || state_ == kLogRecording || !TheKeyLog().exists || replaying_;
}

void ViewKeyLog::RunPass() {
    stopped_ = false;
    // A copy: a command of the pass may not change the entries under it,
    // but nothing should be able to pull them away mid-pass either.
    const KeyLogData log = TheKeyLog();
    for (int i = 0; i < log.count && !stopped_; ++i) {
        const KeyLogEntry& e = log.entries[static_cast<size_t>(i)];
        if (e.kind == kLogTyped) view_.OnChar(static_cast<uint8_t>(e.code));
        else RunLogCommand(view_, e.code, e.argument);
    }
}

// The whole replay is one undo step: the group opens once and is held.
class HeldGroup {
public:
    explicit HeldGroup(CQzedDoc& doc) : doc_(doc) {
        doc_.BeginUndoGroup();
        doc_.Undo().HoldGroup(1);
    }
    ~HeldGroup() { doc_.Undo().HoldGroup(0); }
    HeldGroup(const HeldGroup&) = delete;
    HeldGroup& operator=(const HeldGroup&) = delete;

private:
    CQzedDoc& doc_;
};

static void AfterReplay(CQzedView& v) {
    v.SetNoScreenUpdate(false);
    v.PaintRows(1, 1, v.VisibleRows() + 1);
    v.PlaceCaret();
    v.UpdateLogical();
    v.UpdateScrollBars();
    v.UpdatePanes();
}

void ViewKeyLog::ReplayOnce() {
    if (Refused()) return;
    replaying_ = true;
    {
        HeldGroup group(view_.Doc());
        view_.SetNoScreenUpdate(true);
        RunPass();
    }
    replaying_ = false;
    AfterReplay(view_);
}

void ViewKeyLog::Repeat(long count, bool highSpeed) {
    if (Refused() || count < 1 || count > kKeyLogMaxRepeat) return;
    replaying_ = true;
    bool interrupted = false;
    long done = 0;
    {
        HeldGroup group(view_.Doc());
        if (highSpeed) view_.SetNoScreenUpdate(true);
        char text[96];
        for (long i = 0; i < count; ++i) {
            if (ProgressPoint(i)) {
                std::snprintf(text, sizeof text, "繰り返し処理中:[%ld/%ld]  <ESC>:中断  <SPC>:高速", i, count);
                host_.ShowMessage(text, MessageKind::Prompt);
            }
            if (host_.IsKeyDown(AsyncKey::Escape)) {
                interrupted = true;
                break;
            }
            if (host_.IsKeyDown(AsyncKey::Space)) view_.SetNoScreenUpdate(true);
            RunPass();
            // A pass that a failure ended early is not counted as done.
            if (stopped_) break;
            ++done;
        }
    }
    replaying_ = false;
    host_.ShowMessage("", MessageKind::Info);
    char text[64];
    std::snprintf(text, sizeof text, interrupted ? "繰り返しを中断しました:[%ld/%ld]" : "繰り返し終了:[%ld/%ld]", done,
                  count);
    host_.ShowMessage(text, MessageKind::Info);
    AfterReplay(view_);
}

}  // namespace qz
