// The frame's list of child windows, most recently chosen first, and the
// window-selection mode that walks it.
#pragma once

#include <functional>
#include <vector>

namespace qz {

class WindowList {
public:
    using Window = void*;
    static constexpr size_t kMax = 128;

    // Puts w at the front (chosen through its tab, the selection mode, or
    // opened). A window beyond the 128th is not listed.
    void Chosen(Window w);
    void Remove(Window w);
    const std::vector<Window>& Order() const { return order_; }
    bool Contains(Window w) const;

    // The window after (toward the end) or before (toward the front) from,
    // wrapping round and skipping those skip() names (minimised ones). Null
    // when no other window qualifies. A window not in the list counts as
    // standing before the front.
    Window Next(Window from, const std::function<bool(Window)>& skip = {}) const;
    Window Previous(Window from, const std::function<bool(Window)>& skip = {}) const;

private:
    Window Step(Window from, int direction, const std::function<bool(Window)>& skip) const;
    std::vector<Window> order_;
};

}  // namespace qz
