// Small stand-ins for the language tests: a recording message box and a
// document text held in a std::string.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "document/text_access.h"
#include "lang/function_scan.h"
#include "platform/message_box.h"

namespace qz::testing {

struct RecordingMessageBox : MessageBox {
    struct Shown {
        std::string text, caption;
        MbIcon icon;
    };
    std::vector<Shown> shown;
    MbResult Show(const std::string& text, const std::string& caption, MbIcon icon,
                  MbButtons) override {
        shown.push_back({text, caption, icon});
        return MbResult::Ok;
    }
};

struct StringText : TextAccess {
    std::string s;
    int inserts = 0;
    explicit StringText(std::string text = {}) : s(std::move(text)) {}
    uint32_t GetTextLength() override { return static_cast<uint32_t>(s.size()); }
    uint32_t ReadText(uint32_t p, char* buf, uint32_t n) override {
        if (p == 0 || p - 1 >= s.size()) return 0;
        uint32_t k = static_cast<uint32_t>(std::min<size_t>(n, s.size() - (p - 1)));
        s.copy(buf, k, p - 1);
        return k;
    }
    uint32_t InsertText(uint32_t p, const char* bytes, uint32_t n, uint32_t) override {
        if (p == 0 || p - 1 > s.size() || n == 0) return 0;
        s.insert(p - 1, bytes, n);
        ++inserts;
        return n;
    }
    uint32_t DeleteText(uint32_t p, uint32_t n) override {
        if (p == 0 || p - 1 >= s.size()) return 0;
        uint32_t k = static_cast<uint32_t>(std::min<size_t>(n, s.size() - (p - 1)));
        s.erase(p - 1, k);
        return k;
    }
};

// The function scan of a C text with both comment kinds on.
inline FuncListResult ScanCText(const std::string& text) {
    StringText doc(text);
    FuncListResult r;
    ScanDefinitions(doc, kCommentBlock | kCommentSlashes, r);
    return r;
}

// Keyword and template files are Shift-JIS; tests write them in UTF-8.
std::string Sjis(const std::string& utf8);

}  // namespace qz::testing
