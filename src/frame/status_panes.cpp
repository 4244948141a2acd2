#include "frame/status_panes.h"

namespace qz {

namespace {
constexpr const char* kIdle[kPaneCount] = {"", "一時保存", "拡張キー", "LOG/OFF 0", "変更なし", "0001", "0000001"};
constexpr const char* kIndicator[kPaneCount] = {" ", "一時保存", "拡張キー", "LOG/OFF       ", "変更なし ", "0001", "0000001"};
}  // namespace

StatusPanes::StatusPanes() { Reset(); }

bool StatusPanes::Set(int pane, const PaneLook& look) {
    if (pane < 0 || pane >= kPaneCount || panes_[pane] == look) return false;
    panes_[pane] = look;
    return true;
}

void StatusPanes::Reset() {
    panes_[kPaneMessage] = {"", kColourButtonText, kColourButtonFace};
    for (int i = 1; i < kPaneCount; ++i) panes_[i] = {kIdle[i], kColourIdleText, kColourIdleBack};
}

const char* StatusPanes::IndicatorText(int pane) { return pane >= 0 && pane < kPaneCount ? kIndicator[pane] : ""; }

}  // namespace qz
