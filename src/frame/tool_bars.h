// The frame's nine tool bars as data: title, side, whether a first start
// shows it, and its buttons (command ids; 0 a separator).
#pragma once

#include <vector>

namespace qz {

enum class DockSide { Top, Right, Bottom, Left };

struct ToolBarDef {
    int index;      // 0 to 8; the bar's identifier is 0xE822 + index
    const char* title;
    DockSide side;
    bool shownAtFirst;
    std::vector<int> buttons;
};

// In the order the frame creates them: the seven top bars, then the two
// right-hand ones.
const std::vector<ToolBarDef>& ToolBars();

}  // namespace qz
