// The fonts the settings keep as LOGFONT fields, as Qt fonts: the display
// font and the print and header fonts of the printer forms.
#pragma once

#include <QFont>

#include "settings/settings.h"

namespace qz {

// The stored face when it is installed, else a monospaced Japanese face, so
// that double-byte characters stay two cells wide. The pixel size is
// -lfHeight (a positive height is taken as it is) times scale.
QFont FontFromLogFont(const LogFont& lf, double scale = 1.0);

// The face single-byte ASCII is drawn with beside main: a Latin monospaced
// face fitted to the cell and the row when the stored face is not installed
// (the Japanese faces draw ASCII with JIS Roman glyphs); main itself otherwise.
// The screen narrows the face with a stretch; narrowBySize takes a smaller
// size instead, for devices that draw glyphs unstretched.
QFont LatinCompanion(const LogFont& lf, const QFont& main, int cellWidth, bool narrowBySize = false);

// A face chosen in a font dialog back into LOGFONT fields; sizes are pixels
// at 96 dots per inch, as the display font's are.
void StoreFont(LogFont& lf, const QFont& f);

}  // namespace qz
