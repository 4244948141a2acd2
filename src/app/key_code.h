// The editor's 16-bit key codes: a key number in bits 0-11, then Shift,
// Ctrl and Alt. Every keystroke that is not plain typing is one of these.
#pragma once

namespace qz {

constexpr int kKeyShift = 0x1000;
constexpr int kKeyCtrl = 0x2000;
constexpr int kKeyAlt = 0x4000;
constexpr int kKeyNumberMask = 0x0FFF;

constexpr int kKeyDigit0 = 0x000;   // to 0x009
constexpr int kKeyLetterA = 0x100;  // to 0x119
constexpr int kKeyF1 = 0x200;       // to 0x20B
constexpr int kKeyUp = 0x400;
constexpr int kKeyDown = 0x403;
constexpr int kKeyLeft = 0x406;
constexpr int kKeyRight = 0x407;
constexpr int kKeyBackspace = 0x408;
constexpr int kKeyDelete = 0x409;
constexpr int kKeyEsc = 0x40A;
constexpr int kKeyInsert = 0x40B;
constexpr int kKeyEnd = 0x40C;
constexpr int kKeyHome = 0x40D;
constexpr int kKeyPageDown = 0x40E;
constexpr int kKeyPageUp = 0x40F;
constexpr int kKeyEnter = 0x410;
constexpr int kKeyPause = 0x411;
constexpr int kKeySpace = 0x412;

constexpr int KeyDigit(int d) { return kKeyDigit0 + d; }
constexpr int KeyLetter(char c) { return kKeyLetterA + (c - 'A'); }
constexpr int KeyF(int n) { return kKeyF1 + n - 1; }  // F1 to F12
constexpr int Shift(int k) { return k | kKeyShift; }
constexpr int Ctrl(int k) { return k | kKeyCtrl; }
constexpr int Alt(int k) { return k | kKeyAlt; }

// Whether a chord travels through the frame's accelerator table (and so
// through the dispatchers); everything else is the view's own key-down and
// character handling.
bool IsAcceleratorChord(int code);

// A click on the function-key bar's button index (0 for F1) with the
// modifiers held at that moment.
constexpr int PfKeyBarCode(int index, bool shift, bool ctrl, bool alt) {
    return (kKeyF1 + index) | (shift ? kKeyShift : 0) | (ctrl ? kKeyCtrl : 0) | (alt ? kKeyAlt : 0);
}

}  // namespace qz
