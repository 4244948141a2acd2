// The dialog bar's window tabs: one per child window, numbered 1 to 99 and
// round again, with "*" while the document is modified; a placeholder tab
// when no window is open.
#pragma once

#include <string>
#include <vector>

namespace qz {

inline constexpr const char* kNoOpenFileTab = "ｵｰﾌﾟﾝﾌｧｲﾙなし";

class WindowTabs {
public:
    using Window = void*;
    struct Tab {
        Window window = nullptr;  // null: the placeholder
        int number = 0;
        std::string text;          // UTF-8
    };

    WindowTabs();

    // Appends the tab of a new window (replacing the placeholder) and
    // advances the counter. The number given.
    int Add(Window w, bool modified, const std::string& pathUtf8);
    // Removes the window's tab; the placeholder comes back when none is left.
    void Remove(Window w);
    // Rebuilds a window's text; true when it changed.
    bool Update(Window w, bool modified, const std::string& pathUtf8);

    const std::vector<Tab>& Tabs() const { return tabs_; }
    // Index of the window's tab, or -1.
    int IndexOf(Window w) const;
    // The number shown on the window's tab, or 0.
    int NumberOf(Window w) const;
    int NextNumber() const { return counter_; }

    // "%s%d:%s": "*" when modified, the number, the last part of the path.
    static std::string Text(bool modified, int number, const std::string& pathUtf8);

private:
    std::vector<Tab> tabs_;
    int counter_ = 1;
};

}  // namespace qz
