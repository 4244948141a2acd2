// The scheme menus as data: the main menu of each key scheme (function-key
// popups in the KOM-like schemes, a conventional menu in the SLATE-like
// one), the Shift and Ctrl rows built from the function-key labels, the
// context menu and the notification-area menu.
#pragma once

#include <string>
#include <vector>

#include "frame/pfkey_labels.h"

namespace qz {

struct MenuItem {
    std::string label;  // UTF-8; empty with id 0 and no items: a separator
    int id = 0;         // the command, or 0
    int key = 0;        // a row item's key code, sent through the dispatcher
    std::vector<MenuItem> items;  // a popup's entries

    bool IsSeparator() const { return label.empty() && id == 0 && key == 0 && items.empty(); }
    bool IsPopup() const { return !items.empty(); }
};

// The top-level items of the menu bar in force for scheme and state. Items
// with the recent-file placeholder (cmdid::kRecentFirst) are expanded by
// the frame when shown.
std::vector<MenuItem> SchemeMenu(int scheme, ModifierState state);

// Whether the scheme swaps its menu while Shift or Ctrl is held (all but 2).
bool SwapsMenus(int scheme);

// A function-key row item's label: "F1:記憶     " (F10 is "F0").
std::string FunctionKeyItemLabel(int index, const char* label);

std::vector<MenuItem> ContextMenu();
// A right click in a view: the context menu and the block conversions.
std::vector<MenuItem> ViewContextMenu();
std::vector<MenuItem> TrayMenu();

// A menu entry's text with the key that reaches it in the scheme, after a
// tab: "上書き保存(&S)\tCtrl+S".
std::string MenuText(const MenuItem& item, int scheme);

}  // namespace qz
