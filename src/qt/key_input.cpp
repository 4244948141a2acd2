// The Qt key to key number table.
#include "qt/key_input.h"

#include <QKeyEvent>

namespace qz {

int KeyNumberOfQtKey(int k) {
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return k - Qt::Key_0;
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 0x100 + (k - Qt::Key_A);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return 0x200 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Up: return 0x400;
    case Qt::Key_Down: return 0x403;
    case Qt::Key_Left: return 0x406;
    case Qt::Key_Right: return 0x407;
    case Qt::Key_Backspace: return 0x408;
    case Qt::Key_Delete: return 0x409;
    case Qt::Key_Escape: return 0x40A;
    case Qt::Key_Insert: return 0x40B;
    case Qt::Key_End: return 0x40C;
    case Qt::Key_Home: return 0x40D;
    case Qt::Key_PageDown: return 0x40E;
    case Qt::Key_PageUp: return 0x40F;
    case Qt::Key_Return: case Qt::Key_Enter: return 0x410;
    case Qt::Key_Pause: return 0x411;
    case Qt::Key_Space: return 0x412;
    default: return -1;
    }
}

int KeyCodeOf(const QKeyEvent& e) {
    // With Shift held a digit arrives as its shifted sign; the key itself
    // is what counts, as the scan of the keyboard gives it.
    int number = KeyNumberOfQtKey(e.key());
    if (number < 0 && (e.modifiers() & Qt::ShiftModifier)) {
        const quint32 vk = e.nativeVirtualKey();
        if (vk >= '0' && vk <= '9') number = static_cast<int>(vk - '0');
    }
    if (number < 0) return -1;
    const auto m = e.modifiers();
    return number | (m & Qt::ShiftModifier ? 0x1000 : 0) | (m & Qt::ControlModifier ? 0x2000 : 0) |
           (m & Qt::AltModifier ? 0x4000 : 0);
}

}  // namespace qz
