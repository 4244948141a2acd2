// Qt keys as the editor's 16-bit key codes: key number in bits 0-11, Shift,
// Ctrl and Alt above it.
#pragma once

#include <cstdint>

class QKeyEvent;

namespace qz {

// The key number of a Qt key; -1 for a key that has none.
int KeyNumberOfQtKey(int qtKey);
// The key code of a key press; -1 when the key has no number.
int KeyCodeOf(const QKeyEvent& e);

}  // namespace qz
