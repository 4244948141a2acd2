// Scripted view runs: a text with a caret mark, a list of commands, and the
// text, caret and screen afterwards. Texts are UTF-8; the document holds them
// in Shift-JIS.
#pragma once

#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "document/qzed_doc.h"
#include "platform/cp932.h"
#include "settings/settings.h"
#include "view/fake_view_host.h"
#include "view/key_log_recorder.h"
#include "view/qzed_view.h"

namespace qz::testing {

constexpr const char* kCaret = "‸";

struct LogEntry {
    int kind;
    int32_t code, arg;
    bool operator==(const LogEntry&) const = default;
};

class ListRecorder : public KeyLogRecorder {
public:
    std::vector<LogEntry> entries;
    void Record(int kind, int32_t code, int32_t arg) override { entries.push_back({kind, code, arg}); }
};

// Settings as a fresh install has them, with the one-click skip off so that
// tests can click at once.
inline void ResetSettings() {
    TheSettings() = Settings();
    TheSettings().env.MouseLSkip = 0;
}

class ViewScript {
public:
    fakes::FakeViewHost host;
    std::unique_ptr<CQzedDoc> doc;
    std::unique_ptr<CQzedView> view;
    ListRecorder log;

    // Settings must be set before: the document takes its layout from them.
    explicit ViewScript(const std::string& textWithCaret, int fileType = 1) {
        doc = std::make_unique<CQzedDoc>(fileType);
        const size_t mark = textWithCaret.find(kCaret);
        std::string before = textWithCaret.substr(0, mark);
        std::string after = mark == std::string::npos ? "" : textWithCaret.substr(mark + std::strlen(kCaret));
        const std::string sjis = Utf8ToSjis(before) + Utf8ToSjis(after);
        doc->LoadBegin(sjis.size());
        doc->LoadAppend(sjis.data(), static_cast<uint32_t>(sjis.size()));
        doc->LoadEnd();
        view = std::make_unique<CQzedView>(*doc, host);
        view->SetRecorder(&log);
        view->OnInitialUpdate(1);
        view->OnSetFocus();
        if (mark != std::string::npos) view->SetFromAbsolute(static_cast<uint32_t>(Utf8ToSjis(before).size()) + 1);
        view->UpdateLogical();
        view->PaintRows(1, 1, view->VisibleRows() + 1);
        view->PlaceCaret();
    }

    std::string Sjis() {
        TextStore& st = doc->Store();
        std::string s(st.GetTextLength(), '\0');
        st.ReadText(1, s.data(), static_cast<uint32_t>(s.size()));
        return s;
    }
    // The text in UTF-8 with the caret mark at the caret.
    std::string Text() {
        std::string s = Sjis();
        const uint32_t abs = doc->Store().RowToOffset(view->CaretRow()) + view->CaretOffset() - 1;
        return SjisToUtf8(s.substr(0, abs - 1)) + kCaret + SjisToUtf8(s.substr(abs - 1));
    }
    // A screen row as drawn, in UTF-8 (the marks kept as they are drawn).
    std::string Screen(int s) { return SjisToUtf8(host.Row(s)); }

    void Type(const std::string& utf8) {
        for (char c : Utf8ToSjis(utf8)) view->OnChar(static_cast<uint8_t>(c));
    }

    // Runs blank-separated commands; "type:TEXT" types TEXT.
    ViewScript& Run(const std::string& commands) {
        CQzedView& v = *view;
        static const std::map<std::string, std::function<void(CQzedView&)>> table = {
            {"left", [](CQzedView& v) { v.CharLeft(); }},
            {"right", [](CQzedView& v) { v.CharRight(); }},
            {"up", [](CQzedView& v) { v.RowsUp(1); }},
            {"down", [](CQzedView& v) { v.RowsDown(1); }},
            {"home", [](CQzedView& v) { v.RowStart(); }},
            {"end", [](CQzedView& v) { v.RowEnd(); }},
            {"pgup", [](CQzedView& v) { v.PageUp(); }},
            {"pgdn", [](CQzedView& v) { v.PageDown(); }},
            {"half-up", [](CQzedView& v) { v.HalfPageUp(); }},
            {"half-down", [](CQzedView& v) { v.HalfPageDown(); }},
            {"top", [](CQzedView& v) { v.FileTop(); }},
            {"bottom", [](CQzedView& v) { v.FileEnd(); }},
            {"word-left", [](CQzedView& v) { v.WordLeft(0); }},
            {"word-right", [](CQzedView& v) { v.WordRight(0); }},
            {"word-left1", [](CQzedView& v) { v.WordLeft(1); }},
            {"word-right1", [](CQzedView& v) { v.WordRight(1); }},
            {"sel-left", [](CQzedView& v) { v.SelCharLeft(); }},
            {"sel-right", [](CQzedView& v) { v.SelCharRight(); }},
            {"sel-up", [](CQzedView& v) { v.SelRowsUp(1); }},
            {"sel-down", [](CQzedView& v) { v.SelRowsDown(1); }},
            {"box-left", [](CQzedView& v) { v.BoxCharLeft(); }},
            {"box-right", [](CQzedView& v) { v.BoxCharRight(); }},
            {"box-up", [](CQzedView& v) { v.BoxRowsUp(1); }},
            {"box-down", [](CQzedView& v) { v.BoxRowsDown(1); }},
            {"all", [](CQzedView& v) { v.SelectAll(); }},
            {"enter", [](CQzedView& v) { v.OnChar(13); }},
            {"tab", [](CQzedView& v) { v.TabKey(); }},
            {"del", [](CQzedView& v) { v.DeleteChar(); }},
            {"bs", [](CQzedView& v) { v.Backspace(); }},
            {"undel", [](CQzedView& v) { v.UndeleteChar(); }},
            {"delrow", [](CQzedView& v) { v.DeleteRow(); }},
            {"unrow", [](CQzedView& v) { v.UndeleteRow(); }},
            {"eol", [](CQzedView& v) { v.DeleteToLineEnd(); }},
            {"sol", [](CQzedView& v) { v.DeleteToRowStart(); }},
            {"delword", [](CQzedView& v) { v.DeleteWord(); }},
            {"dup", [](CQzedView& v) { v.DuplicateRow(); }},
            {"below", [](CQzedView& v) { v.OpenLineBelow(); }},
            {"above", [](CQzedView& v) { v.OpenLineAbove(); }},
            {"case", [](CQzedView& v) { v.ToggleCaseAtCaret(); }},
            {"width", [](CQzedView& v) { v.ToggleWidthAtCaret(); }},
            {"ins", [](CQzedView& v) { v.ToggleInsertMode(); }},
            {"protect", [](CQzedView& v) { v.EditProhibit(); }},
            {"last-edit", [](CQzedView& v) { v.JumpLastEdit(); }},
            {"draw-up", [](CQzedView& v) { v.RuleLine(2, 1); }},
            {"draw-down", [](CQzedView& v) { v.RuleLine(2, 2); }},
            {"draw-right", [](CQzedView& v) { v.RuleLine(2, 3); }},
            {"draw-left", [](CQzedView& v) { v.RuleLine(2, 4); }},
            {"erase-up", [](CQzedView& v) { v.RuleLine(1, 1); }},
            {"erase-down", [](CQzedView& v) { v.RuleLine(1, 2); }},
            {"erase-right", [](CQzedView& v) { v.RuleLine(1, 3); }},
            {"erase-left", [](CQzedView& v) { v.RuleLine(1, 4); }},
        };
        std::istringstream in(commands);
        std::string cmd;
        while (in >> cmd) {
            if (cmd.rfind("type:", 0) == 0) {
                Type(cmd.substr(5));
                continue;
            }
            auto it = table.find(cmd);
            if (it == table.end()) throw std::runtime_error("unknown command " + cmd);
            it->second(v);
        }
        return *this;
    }
};

// One line: the text after the commands, with the caret mark.
inline std::string RunScript(const std::string& textWithCaret, const std::string& commands) {
    ViewScript s(textWithCaret);
    s.Run(commands);
    return s.Text();
}

}  // namespace qz::testing
