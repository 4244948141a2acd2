// The status bar's seven panes: what each shows and in which colours, as the
// frame last set them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qz {

// Colours: 0x00BBGGRR, or one of the system colours below.
inline constexpr uint32_t kColourButtonText = 0xFF000012;
inline constexpr uint32_t kColourButtonFace = 0xFF00000F;
inline constexpr uint32_t kColourGrayText = 0xFF000011;
inline constexpr uint32_t kColourIdleText = 0x808080;
inline constexpr uint32_t kColourIdleBack = 0xC0C0C0;

enum Pane { kPaneMessage, kPaneTempSave, kPanePrefix, kPaneLog, kPaneModified, kPaneColumn, kPaneRow, kPaneCount };

struct PaneLook {
    std::string text;  // UTF-8
    uint32_t fore = kColourButtonText;
    uint32_t back = kColourButtonFace;
    bool operator==(const PaneLook&) const = default;
};

class StatusPanes {
public:
    StatusPanes();
    // False when the pane already looked so (nothing to redraw).
    bool Set(int pane, const PaneLook& look);
    const PaneLook& Get(int pane) const { return panes_[pane]; }
    // No window left: an empty message and the idle texts in grey on light grey.
    void Reset();
    // The indicator texts the panes' widths follow.
    static const char* IndicatorText(int pane);

private:
    std::array<PaneLook, kPaneCount> panes_;
};

}  // namespace qz
