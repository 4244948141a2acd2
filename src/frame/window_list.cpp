#include "frame/window_list.h"

#include <algorithm>

namespace qz {

void WindowList::Chosen(Window w) {
    Remove(w);
    order_.insert(order_.begin(), w);
    if (order_.size() > kMax) order_.resize(kMax);
}

void WindowList::Remove(Window w) { order_.erase(std::remove(order_.begin(), order_.end(), w), order_.end()); }

bool WindowList::Contains(Window w) const { return std::find(order_.begin(), order_.end(), w) != order_.end(); }

WindowList::Window WindowList::Next(Window from, const std::function<bool(Window)>& skip) const {
    return Step(from, 1, skip);
}

WindowList::Window WindowList::Previous(Window from, const std::function<bool(Window)>& skip) const {
    return Step(from, -1, skip);
}

WindowList::Window WindowList::Step(Window from, int direction, const std::function<bool(Window)>& skip) const {
    const int n = static_cast<int>(order_.size());
    if (n == 0) return nullptr;
    const auto at = std::find(order_.begin(), order_.end(), from);
    int i = at == order_.end() ? (direction > 0 ? -1 : 0) : static_cast<int>(at - order_.begin());
    for (int step = 0; step < n; ++step) {
        i = ((i + direction) % n + n) % n;
        Window w = order_[i];
        if (w == from) return nullptr;
        if (!skip || !skip(w)) return w;
    }
    return nullptr;
}

}  // namespace qz
