// The accelerator table's chords.
#include "app/key_code.h"

#include <algorithm>
#include <array>

namespace qz {

namespace {

bool IsFunctionKey(int n) { return n >= kKeyF1 && n <= KeyF(12); }
bool IsLetter(int n) { return n >= kKeyLetterA && n <= KeyLetter('Z'); }
bool IsDigit(int n) { return n >= kKeyDigit0 && n <= KeyDigit(9); }

template <size_t N> bool OneOf(int n, const std::array<int, N>& keys) {
    return std::find(keys.begin(), keys.end(), n) != keys.end();
}

}  // namespace

bool IsAcceleratorChord(int code) {
    const int n = code & kKeyNumberMask;
    const int mods = code & (kKeyShift | kKeyCtrl | kKeyAlt);
    static const std::array<int, 4> altKeys{kKeyUp, kKeyDown, kKeyEnter, kKeySpace};
    static const std::array<int, 11> ctrlKeys{kKeyUp, kKeyDown, kKeyLeft, kKeyRight, kKeyHome, kKeyEnd,
                                              kKeyPageUp, kKeyPageDown, kKeyDelete, kKeyEnter, kKeySpace};
    static const std::array<int, 16> ctrlShiftKeys{
        KeyLetter('B'), KeyLetter('F'), KeyLetter('J'), KeyLetter('N'), KeyLetter('P'), KeyLetter('Y'),
        kKeyUp, kKeyDown, kKeyLeft, kKeyRight, kKeyHome, kKeyEnd, kKeyPageUp, kKeyPageDown, kKeyDelete,
        kKeyEnter};
    static const std::array<int, 7> shiftKeys{kKeyHome, kKeyEnd, kKeyPageUp, kKeyPageDown,
                                              kKeyDelete, kKeyEsc, kKeyEnter};
    static const std::array<int, 9> plainKeys{kKeyHome, kKeyEnd, kKeyPageUp, kKeyPageDown, kKeyInsert,
                                              kKeyDelete, kKeyBackspace, kKeyEsc, kKeyPause};
    switch (mods) {
    case kKeyAlt: return IsDigit(n) || IsLetter(n) || IsFunctionKey(n) || OneOf(n, altKeys);
    // Ctrl+0 is not in the table.
    case kKeyCtrl: return (IsDigit(n) && n != kKeyDigit0) || IsLetter(n) || IsFunctionKey(n) || OneOf(n, ctrlKeys);
    case kKeyCtrl | kKeyShift: return OneOf(n, ctrlShiftKeys);
    case kKeyShift: return IsFunctionKey(n) || OneOf(n, shiftKeys);
    case 0: return IsFunctionKey(n) || OneOf(n, plainKeys);
    default: return false;
    }
}

}  // namespace qz
