// The system clipboard as the views see it: plain Shift-JIS text with CR LF
// line ends, and whether this program's main frame owns what is on it.
#pragma once

#include <string>

#include "document/utf8_convert.h"

namespace qz {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Opens the clipboard with the main frame as its owner; false when
    // another program holds it. Every successful Open is followed by Close.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    // Discards the contents and makes the main frame the owner.
    virtual bool Empty() = 0;
    // Puts text on the clipboard (Shift-JIS, CR LF, without the closing NUL,
    // which the host adds). False when the system refuses it.
    virtual bool SetText(const std::string& sjisCrLf) = 0;
    // The clipboard's text up to its first NUL; false when it holds no text.
    // replaced (may be null) receives how many characters of another
    // program's text had no Shift-JIS form and were written as "・".
    virtual bool GetText(std::string* sjisCrLf, long* replaced) = 0;
    // Whether the main frame of this program wrote the present contents.
    virtual bool OwnedByThisProgram() = 0;
    // The forms of the two-form characters (kTwoForms) of the last text
    // GetText gave from another program: a UTF-8 document keeps one form
    // per code. Unknown for this program's own text, which is Shift-JIS.
    virtual Utf8Forms TextForms() { return {}; }
};

// Kind of the last content this program wrote: 0 none yet, 1 stream, 2 box.
// One for the whole program, like the clipboard itself.
enum ClipKind { kClipNone = 0, kClipStream = 1, kClipBox = 2 };
int& ClipboardKind();

}  // namespace qz
