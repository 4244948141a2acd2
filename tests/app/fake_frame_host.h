// A frame host for the file command tests: frames in a list (the active one
// first), real documents that go with their last frame, and a record of what
// the commands asked of the frames.
#pragma once

#include <algorithm>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/file_command_host.h"
#include "document/file_io.h"
#include "document/qzed_doc.h"

namespace qz::test {

struct FakeFrame {
    CQzedDoc* doc = nullptr;
    int views = 1;
    ViewMetrics metrics{800, 8};
};

struct DialogCall {
    std::string caption, startPath;
};

class FakeFrameHost : public FileCommandHost {
public:
    std::vector<std::unique_ptr<CQzedDoc>> docs;
    std::vector<std::unique_ptr<FakeFrame>> frames;
    std::vector<FakeFrame*> open;  // the active frame first
    std::deque<std::optional<SaveTypeAnswer>> dialogAnswers;  // nothing = cancel
    std::vector<DialogCall> dialogs;
    std::vector<int> mainCommands;
    std::vector<std::string> freed;
    std::vector<std::string> appended;  // reopen-list entries
    int relayouts = 0, redraws = 0, resets = 0, titles = 0;
    bool shellRunning = false;
    FileIo* io = nullptr;

    CQzedDoc& NewDoc() {
        docs.push_back(std::make_unique<CQzedDoc>());
        return *docs.back();
    }
    FakeFrame* AddFrame(CQzedDoc& doc) {
        frames.push_back(std::make_unique<FakeFrame>());
        frames.back()->doc = &doc;
        open.push_back(frames.back().get());
        return frames.back().get();
    }
    void Activate(FakeFrame* f) {
        open.erase(std::remove(open.begin(), open.end(), f), open.end());
        open.insert(open.begin(), f);
    }
    bool IsOpen(const FakeFrame* f) const { return std::find(open.begin(), open.end(), f) != open.end(); }

    std::vector<Frame> Frames() override { return {open.begin(), open.end()}; }
    Frame ActiveFrame() override { return open.empty() ? nullptr : open.front(); }
    CQzedDoc& DocumentOf(Frame f) override { return *static_cast<FakeFrame*>(f)->doc; }
    void CloseFrame(Frame f) override {
        auto* frame = static_cast<FakeFrame*>(f);
        open.erase(std::remove(open.begin(), open.end(), frame), open.end());
        CQzedDoc* doc = frame->doc;
        frame->doc = nullptr;
        for (FakeFrame* o : open)
            if (o->doc == doc) return;
        // The last frame takes its document, so a use after closing shows.
        docs.erase(std::remove_if(docs.begin(), docs.end(), [&](auto& d) { return d.get() == doc; }),
                   docs.end());
    }
    int ViewCount(CQzedDoc& doc) override {
        int n = 0;
        for (FakeFrame* o : open)
            if (o->doc == &doc) n += o->views;
        return n;
    }
    ViewMetrics FirstViewMetrics(CQzedDoc& doc) override {
        for (FakeFrame* o : open)
            if (o->doc == &doc) return o->metrics;
        return {};
    }
    void RelayoutViews(CQzedDoc&) override { ++relayouts; }
    void RedrawViews(CQzedDoc&) override { ++redraws; }
    void UpdateTitles(CQzedDoc&) override { ++titles; }
    std::optional<SaveTypeAnswer> AskSaveType(const std::string& caption, const std::string& start) override {
        dialogs.push_back({caption, start});
        if (dialogAnswers.empty()) return std::nullopt;
        auto a = dialogAnswers.front();
        dialogAnswers.pop_front();
        return a;
    }
    void SendMainFrameCommand(int id) override { mainCommands.push_back(id); }
    void FreeRegisterEntry(const std::string& path) override { freed.push_back(path); }
    void AppendReopenListEntry(CQzedDoc&, const std::string& path) override { appended.push_back(path); }

    bool ShellCommandRunning(CQzedDoc&) override { return shellRunning; }
    bool ReopenDocument(CQzedDoc& doc, const std::string& path) override {
        return io && io->Load(doc, path) == 0;
    }
    void ResetViews(CQzedDoc&) override { ++resets; }
    void CloseFrames(CQzedDoc& doc) override {
        for (FakeFrame* o : std::vector<FakeFrame*>(open))
            if (o->doc == &doc) CloseFrame(o);
    }
};

}  // namespace qz::test
