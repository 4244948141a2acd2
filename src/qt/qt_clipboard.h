// The system clipboard for the views: other programs see Unicode text with LF
// line ends, the views Shift-JIS with CR LF; the editor's own copies keep
// their bytes as they were.
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
    bool GetText(std::string* sjisCrLf, long* replaced) override;
    bool OwnedByThisProgram() override;
    Utf8Forms TextForms() override { return forms_; }

    // The one the views of this program share.
    static QtClipboard& Instance();

private:
    Utf8Forms forms_;
};

// The conversions, for tests: Shift-JIS CR LF to Unicode LF and back. A
// character of foreign text without a Shift-JIS form becomes "・", counted
// in *replaced when given; *forms receives the forms of its two-form
// characters.
QString SjisClipToUnicode(const std::string& sjisCrLf);
std::string UnicodeClipToSjis(const QString& text, long* replaced = nullptr, Utf8Forms* forms = nullptr);

}  // namespace qz
