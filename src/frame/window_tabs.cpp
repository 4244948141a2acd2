#include "frame/window_tabs.h"

#include <algorithm>

namespace qz {

WindowTabs::WindowTabs() { tabs_.push_back({nullptr, 0, kNoOpenFileTab}); }

std::string WindowTabs::Text(bool modified, int number, const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return (modified ? "*" : "") + std::to_string(number) + ":" +
           (slash == std::string::npos ? path : path.substr(slash + 1));
}

int WindowTabs::Add(Window w, bool modified, const std::string& path) {
    if (tabs_.size() == 1 && !tabs_[0].window) tabs_.clear();
    const int number = counter_;
    tabs_.push_back({w, number, Text(modified, number, path)});
    counter_ = counter_ >= 99 ? 1 : counter_ + 1;
    return number;
}

void WindowTabs::Remove(Window w) {
    tabs_.erase(std::remove_if(tabs_.begin(), tabs_.end(), [w](const Tab& t) { return t.window == w; }),
                tabs_.end());
    if (tabs_.empty()) tabs_.push_back({nullptr, 0, kNoOpenFileTab});
}

bool WindowTabs::Update(Window w, bool modified, const std::string& path) {
    const int i = IndexOf(w);
    if (i < 0) return false;
    std::string text = Text(modified, tabs_[i].number, path);
    if (text == tabs_[i].text) return false;
    tabs_[i].text = std::move(text);
    return true;
}

int WindowTabs::IndexOf(Window w) const {
    if (!w) return -1;
    for (size_t i = 0; i < tabs_.size(); ++i)
        if (tabs_[i].window == w) return static_cast<int>(i);
    return -1;
}

int WindowTabs::NumberOf(Window w) const {
    const int i = IndexOf(w);
    return i < 0 ? 0 : tabs_[i].number;
}

}  // namespace qz
