// The function-key bar: the labels of F1 to F12 for each key scheme and
// held modifier, and the bar's slots.
#pragma once

#include <array>

namespace qz {

// Which labels the bar and the scheme menus show: nothing held, Shift, Ctrl.
enum class ModifierState { None = 1, Shift = 2, Ctrl = 3 };

constexpr int kPfKeys = 12;
using PfLabels = std::array<const char*, kPfKeys>;

// The labels (UTF-8; a blank label is a run of blanks). Schemes outside 1-4
// show scheme 1's.
const PfLabels& PfKeyLabels(int scheme, ModifierState state);

// The bar's 14 slots: the button index 0-11 of F1-F12, or -1 for the two
// separators (after F4 and after F8).
constexpr std::array<int, 14> kPfSlots = {0, 1, 2, 3, -1, 4, 5, 6, 7, -1, 8, 9, 10, 11};

// The command id of a bar button (F1 32798 to F12 32809).
constexpr int PfButtonCommand(int index) { return 32798 + index; }

}  // namespace qz
