// A main-frame host for the frame tests: windows holding real documents and
// views (on fake view hosts), and a record of what the frame showed.
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/file_commands.h"
#include "document/qzed_doc.h"
#include "frame/main_frame.h"
#include "support/fake_message_box.h"
#include "view/fake_view_host.h"
#include "view/qzed_view.h"

namespace qz::test {

struct FakeWindow {
    std::unique_ptr<CQzedDoc> doc;
    fakes::FakeViewHost viewHost;
    std::unique_ptr<CQzedView> view;
    bool minimized = false, maximized = false;
    std::string message;
    uint32_t messageFore = 0;
};

class FakeMainFrameHost : public FrameHost, public FileCommandHost {
public:
    std::vector<std::unique_ptr<FakeWindow>> windows;  // in the order made
    FakeWindow* active = nullptr;
    std::map<int, PaneLook> panes;
    PfLabels labels{};
    std::vector<MenuItem> menu;
    std::vector<WindowTabs::Tab> tabs;
    int selectedTab = -2;
    std::vector<int> popups;
    std::vector<int> portCommands;
    bool portHandles = true;
    bool frameMaximized = false, frameClosed = false, frameHidden = false, closeAllowed = true;
    int relayouts = 0, repaints = 0, beeps = 0;
    std::vector<FakeWindow*> keptOnClose;  // windows whose close is refused

    FakeWindow* Open(const std::string& path, const std::string& text = "text\n") {
        auto w = std::make_unique<FakeWindow>();
        w->doc = std::make_unique<CQzedDoc>();
        w->doc->LoadBegin(text.size());
        w->doc->LoadAppend(text.data(), static_cast<uint32_t>(text.size()));
        w->doc->LoadEnd();
        w->doc->SetPathString(path);
        w->view = std::make_unique<CQzedView>(*w->doc, w->viewHost);
        w->view->OnInitialUpdate();
        windows.push_back(std::move(w));
        active = windows.back().get();
        return active;
    }
    void Close(FakeWindow* w) {
        if (active == w) active = nullptr;
        windows.erase(std::remove_if(windows.begin(), windows.end(), [w](auto& p) { return p.get() == w; }),
                      windows.end());
        if (!active && !windows.empty()) active = windows.back().get();
    }

    // FrameHost
    std::vector<Window> Windows() override {
        std::vector<Window> out;
        for (auto& w : windows) out.push_back(w.get());
        return out;
    }
    Window ActiveWindow() override { return active; }
    void ActivateWindow(Window w) override {
        active = static_cast<FakeWindow*>(w);
        active->minimized = false;
    }
    bool IsMinimized(Window w) override { return static_cast<FakeWindow*>(w)->minimized; }
    bool IsMaximized(Window w) override { return static_cast<FakeWindow*>(w)->maximized; }
    void SetMaximized(Window w, bool m) override { static_cast<FakeWindow*>(w)->maximized = m; }
    CQzedDoc& DocumentOf(Window w) override { return *static_cast<FakeWindow*>(w)->doc; }
    CQzedView& ViewOf(Window w) override { return *static_cast<FakeWindow*>(w)->view; }
    std::vector<CQzedView*> ViewsOf(Window w) override { return {static_cast<FakeWindow*>(w)->view.get()}; }
    bool CloseWindow(Window w) override {
        auto* fw = static_cast<FakeWindow*>(w);
        if (std::find(keptOnClose.begin(), keptOnClose.end(), fw) != keptOnClose.end()) return false;
        Close(fw);
        return true;
    }
    void RelayoutViews(CQzedDoc&) override { ++relayouts; }
    void RepaintAllViews() override { ++repaints; }
    void SetWindowMessage(Window w, const std::string& text, uint32_t fore, uint32_t) override {
        static_cast<FakeWindow*>(w)->message = text;
        static_cast<FakeWindow*>(w)->messageFore = fore;
    }
    void ShowPane(int pane, const PaneLook& look) override { panes[pane] = look; }
    void ShowPfLabels(const PfLabels& l) override { labels = l; }
    void ShowMenuBar(const std::vector<MenuItem>& items) override { menu = items; }
    void ShowTabs(const std::vector<WindowTabs::Tab>& t, int selected) override {
        tabs = t;
        selectedTab = selected;
    }
    void OpenMenuPopup(int index) override { popups.push_back(index); }
    bool IsFrameMaximized() override { return frameMaximized; }
    void SetFrameMaximized(bool m) override { frameMaximized = m; }
    bool CloseFrame() override { return frameClosed = closeAllowed; }
    void HideFrame() override { frameHidden = true; }
    void Beep() override { ++beeps; }
    // The files OpenDocument finds on the "disk", by path, and what it was asked.
    std::map<std::string, std::string> files;
    std::vector<std::string> documentsAsked;
    Window OpenDocument(const std::string& path) override {
        documentsAsked.push_back(path);
        for (auto& w : windows)
            if (w->doc->GetPathName() == path) return active = w.get();
        const auto it = files.find(path);
        return it == files.end() ? nullptr : Open(path, it->second);
    }
    // Whether the active window is an OS command window that takes the line feed.
    bool osWindow = false;
    int osLineFeeds = 0;
    bool OsWindowLineFeed() override {
        if (osWindow) ++osLineFeeds;
        return osWindow;
    }
    bool RunPortCommand(int id) override {
        portCommands.push_back(id);
        return portHandles;
    }

    // FileCommandHost (the file commands over the same windows)
    std::vector<Frame> Frames() override { return Windows(); }
    Frame ActiveFrame() override { return active; }
    void CloseFrame(Frame f) override { Close(static_cast<FakeWindow*>(f)); }
    int ViewCount(CQzedDoc&) override { return 1; }
    ViewMetrics FirstViewMetrics(CQzedDoc&) override { return {640, 8}; }
    void RedrawViews(CQzedDoc&) override {}
    void UpdateTitles(CQzedDoc&) override {}
    std::optional<SaveTypeAnswer> AskSaveType(const std::string&, const std::string&) override { return std::nullopt; }
    void SendMainFrameCommand(int) override {}
    bool ReopenDocument(CQzedDoc&, const std::string&) override { return false; }
    void ResetViews(CQzedDoc&) override {}
    void CloseFrames(CQzedDoc&) override {}
};

}  // namespace qz::test
