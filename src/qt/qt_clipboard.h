// The system clipboard for the views: Qt holds Unicode text with LF line
// ends, the views see Shift-JIS with CR LF.
#pragma once

#include <QString>
#include <string>

#include "view/clipboard.h"

namespace qz {

class QtClipboard : public Clipboard {
public:
    bool Open() override { return true; }
    void Close() override {}
    bool Empty() override;
    bool SetText(const std::string& sjisCrLf) override;
    bool GetText(std::string* sjisCrLf) override;
    bool OwnedByThisProgram() override;

    // The one the views of this program share.
    static QtClipboard& Instance();
};

// The conversions, for tests: Shift-JIS CR LF to Unicode LF and back. A
// character of foreign text without a Shift-JIS form becomes "・".
QString SjisClipToUnicode(const std::string& sjisCrLf);
std::string UnicodeClipToSjis(const QString& text);

}  // namespace qz
