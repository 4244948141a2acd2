// A view host for tests: renders drawn rows into a character grid and
// records carets, scroll bars, panes, messages, beeps and service calls.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "support/fake_message_box.h"
#include "view/view_host.h"

namespace qz::fakes {

struct ShownMessage {
    std::string text;
    MessageKind kind;
};

struct ScrollBarState {
    int min = 0, max = 0, page = 0, pos = 0;
};

class FakeViewHost : public ViewHost {
public:
    // 80 x 20 cells of 8 x 16 pixels by default.
    int width = 640, height = 320, charWidth = 8, charHeight = 16;
    std::map<int, std::string> screen;               // screen row -> drawn bytes
    std::map<int, std::vector<PaintRun>> runs;       // screen row -> last runs
    int drawCalls = 0;
    std::vector<int> scrolls;
    int invalidations = 0;
    int caretCreates = 0, caretWidth = 0, caretHeight = 0, caretX = -1, caretY = -1;
    bool caretExists = false;
    int compositionX = -1, compositionY = -1;
    std::vector<GuideLines> guideXors;
    ScrollBarState vbar, hbar;
    std::string paneRow, paneColumn;
    bool active = true;
    std::vector<ShownMessage> messages;
    int beeps = 0;
    FakeMessageBox boxes;
    bool escDown = false, spaceDown = false;
    bool captured = false;
    PointerShape pointer = PointerShape::Default;
    bool windowSelect = false;
    std::vector<std::string> opened;
    int shellResult = 42;
    std::string fileToOpen;
    bool fileDialogOk = true;
    long lineAnswer = 0;
    std::string lineInitial;
    bool lineDialogOk = true;
    std::vector<int> sleeps;
    std::string prefixStrokes;
    std::vector<int> modifierLabels;
    struct BoxPlace {
        int x, y, rowHeight;
        bool operator==(const BoxPlace&) const = default;
    };
    std::vector<BoxPlace> replaceBoxShows;
    int replaceBoxHides = 0;
    bool replaceBoxOk = true;
    int keyDiscards = 0;
    struct Jump {
        std::string path;
        int32_t line;
        const void* origin;
        bool operator==(const Jump&) const = default;
    };
    std::vector<Jump> jumps;
    bool jumpOk = true;
    std::vector<std::vector<DefinitionCandidate>> jumpLists;
    int jumpChoice = -1;

    // The drawn grid row as bytes, trailing blanks dropped.
    std::string Row(int s) const {
        auto it = screen.find(s);
        if (it == screen.end()) return "";
        std::string r = it->second;
        while (!r.empty() && r.back() == ' ') r.pop_back();
        return r;
    }
    const ShownMessage* LastMessage() const { return messages.empty() ? nullptr : &messages.back(); }

    int ClientWidth() override { return width; }
    int ClientHeight() override { return height; }
    int CharWidth() override { return charWidth; }
    int CharHeight() override { return charHeight; }
    void DrawRow(int s, const std::vector<PaintRun>& r) override {
        ++drawCalls;
        std::string line;
        for (const PaintRun& run : r) {
            if (line.size() < static_cast<size_t>(run.cell)) line.resize(run.cell, ' ');
            line.replace(run.cell, run.text.size(), run.text);
        }
        screen[s] = line;
        runs[s] = r;
    }
    void ScrollRows(int rows) override {
        scrolls.push_back(rows);
        // Move the picture as the window would.
        std::map<int, std::string> moved;
        for (auto& [s, text] : screen) moved[s - rows] = text;
        screen = moved;
    }
    void InvalidateAll() override { ++invalidations; }
    void CreateCaret(int w, int h) override { ++caretCreates, caretWidth = w, caretHeight = h, caretExists = true; }
    void DestroyCaret() override { caretExists = false; }
    void ShowCaret() override {}
    void HideCaret() override {}
    void SetCaretPos(int x, int y) override { caretX = x, caretY = y; }
    void SetCompositionWindow(int x, int y) override { compositionX = x, compositionY = y; }
    void SetCompositionFont() override {}
    void SetInputMethodOpen(bool) override {}
    void XorGuideLines(const GuideLines& g) override { guideXors.push_back(g); }
    void SetScrollBar(bool vertical, int min, int max, int page, int pos) override {
        (vertical ? vbar : hbar) = ScrollBarState{min, max, page, pos};
    }
    void SetPositionPanes(const std::string& row, const std::string& column) override {
        paneRow = row, paneColumn = column;
    }
    bool IsActiveView() override { return active; }
    void ShowMessage(const std::string& text, MessageKind kind) override { messages.push_back({text, kind}); }
    void Beep() override { ++beeps; }
    MessageBox& Boxes() override { return boxes; }
    bool IsKeyDown(AsyncKey key) override { return key == AsyncKey::Escape ? escDown : spaceDown; }
    void SetTimer(int, int) override {}
    void KillTimer(int) override {}
    void CaptureMouse(bool c) override { captured = c; }
    void SetPointer(PointerShape shape) override { pointer = shape; }
    void RepeatPointerPosition() override {}
    void Sleep(int ms) override { sleeps.push_back(ms); }
    bool WindowSelectActive() override { return windowSelect; }
    int ShellOpen(const std::string& target) override {
        opened.push_back(target);
        return shellResult;
    }
    bool AskOpenFile(const std::string&, const std::string&, std::string* path) override {
        *path = fileToOpen;
        return fileDialogOk;
    }
    void PrefixSecondStroke(char key) override { prefixStrokes += key; }
    void ShowModifierLabels(int modifier) override { modifierLabels.push_back(modifier); }
    bool ShowReplaceBox(int x, int y, int rowHeight) override {
        replaceBoxShows.push_back({x, y, rowHeight});
        return replaceBoxOk;
    }
    void HideReplaceBox() override { ++replaceBoxHides; }
    void DiscardQueuedKeys() override { ++keyDiscards; }
    bool OpenAtLine(const std::string& path, int32_t line, const void* origin) override {
        jumps.push_back({path, line, origin});
        return jumpOk;
    }
    int ChooseJumpTarget(const std::vector<DefinitionCandidate>& candidates) override {
        jumpLists.push_back(candidates);
        return jumpChoice;
    }
    bool AskLineNumber(const std::string&, const std::string&, const std::string& initial, long* line) override {
        lineInitial = initial;
        *line = lineAnswer;
        return lineDialogOk;
    }
};

}  // namespace qz::fakes
