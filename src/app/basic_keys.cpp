// The basic key table and its runner.
#include "app/basic_keys.h"

#include <iterator>

#include "settings/settings.h"
#include "view/qzed_view.h"

namespace qz {

namespace {

const BasicKeyRow kRows[] = {
    {BasicKey::Home, false, false, [](CQzedView& v) { v.RowStart(); }},
    {BasicKey::Home, true, false, [](CQzedView& v) { v.SelRowStart(); }},
    {BasicKey::Home, false, true, [](CQzedView& v) { v.FileTop(); }},
    {BasicKey::Home, true, true, [](CQzedView& v) { v.SelFileTop(); }},
    {BasicKey::End, false, false, [](CQzedView& v) { v.RowEnd(); }},
    {BasicKey::End, true, false, [](CQzedView& v) { v.SelRowEnd(); }},
    {BasicKey::End, false, true, [](CQzedView& v) { v.FileEnd(); }},
    {BasicKey::End, true, true, [](CQzedView& v) { v.SelFileEnd(); }},
    {BasicKey::PageUp, false, false, [](CQzedView& v) { v.PageUp(); }},
    {BasicKey::PageUp, true, false, [](CQzedView& v) { v.SelPageUp(); }},
    {BasicKey::PageDown, false, false, [](CQzedView& v) { v.PageDown(); }},
    {BasicKey::PageDown, true, false, [](CQzedView& v) { v.SelPageDown(); }},
    {BasicKey::Backspace, false, false, [](CQzedView& v) { v.Backspace(); }},
    {BasicKey::Delete, false, false, [](CQzedView& v) { v.DeleteChar(); }},
    {BasicKey::Enter, false, false, [](CQzedView& v) { v.OnChar('\r'); }},
    {BasicKey::Tab, false, false, [](CQzedView& v) { v.TabKey(); }},
    {BasicKey::Insert, false, false, [](CQzedView& v) { v.ToggleInsertMode(); }},
};

}  // namespace

const BasicKeyRow* BasicKeyTable(size_t* count) {
    *count = std::size(kRows);
    return kRows;
}

bool RunBasicKey(CQzedView& view, BasicKey key, KeyMods mods, bool repeat) {
    switch (key) {
    case BasicKey::Left: case BasicKey::Up: case BasicKey::Right: case BasicKey::Down: {
        const int k = key == BasicKey::Left ? 1 : key == BasicKey::Up ? 2 : key == BasicKey::Right ? 3 : 4;
        int scheme = TheSettings().env.AsinMode;
        if (scheme < 1 || scheme > 4) scheme = 4;
        view.OnArrowKey(k, mods.shift, mods.ctrl, mods.alt, repeat, scheme);
        return true;
    }
    default: break;
    }
    if (mods.alt) return false;
    for (const BasicKeyRow& row : kRows) {
        if (row.key == key && row.shift == mods.shift && row.ctrl == mods.ctrl) {
            row.run(view);
            return true;
        }
    }
    return false;
}

}  // namespace qz
