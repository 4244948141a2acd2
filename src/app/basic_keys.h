// The editing keys that are not typing, as one table: until the key schemes
// have their own tables, every window maps these keys to the view's commands.
#pragma once

#include <cstddef>

namespace qz {

class CQzedView;

enum class BasicKey { Left, Up, Right, Down, Home, End, PageUp, PageDown, Backspace, Delete,
                      Enter, Tab, Insert };

struct KeyMods {
    bool shift = false, ctrl = false, alt = false;
};

struct BasicKeyRow {
    BasicKey key;
    bool shift, ctrl;  // the modifiers the row asks for (Alt is never taken here)
    void (*run)(CQzedView&);
};

// The table itself, for tests and for the help text later.
const BasicKeyRow* BasicKeyTable(size_t* count);

// Runs the key: arrows go to the view's arrow dispatcher of the current key
// scheme; others run the first table row whose modifiers match. False when
// no row takes the key (the window may then try it as typing).
bool RunBasicKey(CQzedView& view, BasicKey key, KeyMods mods, bool repeat);

}  // namespace qz
