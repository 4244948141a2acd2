// The keystroke log: one program-wide list of recorded typed bytes and view
// commands, and each view's recorder that fills it and replays it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "view/key_log_recorder.h"

namespace qz {

class CQzedView;
class ViewHost;

constexpr int kKeyLogCapacity = 512;
constexpr long kKeyLogMaxRepeat = 99999;

struct KeyLogEntry {
    int kind = 0;  // kLogTyped or kLogCommand
    int32_t code = 0, argument = 0;
};

struct KeyLogData {
    std::array<KeyLogEntry, kKeyLogCapacity> entries{};
    int count = 0;
    bool exists = false;
};

// The log all views share.
KeyLogData& TheKeyLog();

// Runs the view command recorded under a log code with its argument.
// False for a code no view command has.
bool RunLogCommand(CQzedView& view, int32_t code, int32_t argument);

// The log pane of the status bar: recording black on cyan (0xFFFF00), off
// with a log in the button text colour, off without one in the grey text
// colour, all but the first on the button face.
enum class LogPaneLook { Recording, Off, Empty };
class LogPane {
public:
    virtual ~LogPane() = default;
    virtual void SetLogPane(const std::string& text, LogPaneLook look) = 0;
};

enum LogState { kLogOff = 0, kLogArmed = 1, kLogRecording = 2 };

// One view's recording state and its replays. Set as the view's recorder.
class ViewKeyLog : public KeyLogRecorder {
public:
    ViewKeyLog(CQzedView& view, ViewHost& host, LogPane* pane) : view_(view), host_(host), pane_(pane) {}

    void Record(int kind, int32_t code, int32_t argument) override;
    // "ログの開始／終了".
    void ToggleRecording();
    int State() const { return state_; }
    // Replay and repeat are offered only then.
    bool CanReplay() const { return state_ != kLogRecording && TheKeyLog().exists; }
    // "ログの再現".
    void ReplayOnce();
    // "ログの繰り返し実行" after its dialog: count 1 to 99999, highSpeed
    // the dialog's check box.
    void Repeat(long count, bool highSpeed);
    // A command that should end the replay calls this; the pass stops at
    // the next entry, and a repeat runs no further pass.
    void StopReplay() override {
        if (replaying_) stopped_ = true;
    }
    bool Replaying() const { return replaying_; }
    // The pane's text and look for the present state.
    void ShowPane();

private:
    bool Refused() const;
    void RunPass();

    CQzedView& view_;
    ViewHost& host_;
    LogPane* pane_;
    int state_ = kLogOff;
    bool stopped_ = false;
    bool replaying_ = false;
};

// "every n below 10, every 10th below 100, every 100th below 1000, every
// 1000th from then on": whether progress n is shown.
bool ProgressPoint(long n);

}  // namespace qz
