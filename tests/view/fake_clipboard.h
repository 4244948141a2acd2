// A clipboard for tests: holds one text and who wrote it; failures on demand.
#pragma once

#include <string>

#include "view/clipboard.h"

namespace qz::fakes {

class FakeClipboard : public Clipboard {
public:
    std::string text;
    bool hasText = false;
    bool ours = false;
    bool failOpen = false, failSet = false;
    long foreignReplaced = 0;  // characters another program's text lost in conversion
    int opens = 0, closes = 0;

    bool Open() override { return failOpen ? false : (++opens, true); }
    void Close() override { ++closes; }
    bool Empty() override {
        text.clear(), hasText = false, ours = true;
        return true;
    }
    bool SetText(const std::string& t) override {
        if (failSet) return false;
        text = t, hasText = true;
        return true;
    }
    bool GetText(std::string* t, long* replaced) override {
        if (!hasText) return false;
        *t = text.substr(0, text.find('\0'));
        if (replaced) *replaced = ours ? 0 : foreignReplaced;
        return true;
    }
    bool OwnedByThisProgram() override { return ours; }
    Utf8Forms foreignForms;  // the two-form characters of another program's text
    Utf8Forms TextForms() override { return ours ? Utf8Forms() : foreignForms; }
    // Another program put text there.
    void Foreign(const std::string& t, long replaced = 0) {
        text = t, hasText = true, ours = false, foreignReplaced = replaced;
    }
};

}  // namespace qz::fakes
