// The guidance window's behaviour without its widgets: the search of the
// word field, next and previous entry, incremental search, and where the
// window was ("GuidDisp"). The port shows Headword() and Body() and moves
// the focus and beeps as the results say.
#pragma once

#include <string>

#include "lang/guidance_file.h"

namespace qz {

class Profile;

constexpr const char* kGuidanceSection = "GuidDisp";
constexpr const char* kMsgNoGuidanceFile = "ガイダンスファイルがありません";
constexpr const char* kCaptionGuidance = "関数ガイダンス";
constexpr const char* kMsgNoGuidance = "関数ガイダンスがありません";
constexpr const char* kCaptionNoGuidance = "関数案内";
constexpr const char* kMsgGuidanceNotFound = "見つかりません";
constexpr const char* kMsgGuidanceCannot = "処理できません";

// The window's rectangle in screen pixels, and the incremental-search box.
struct GuidancePlacement {
    bool saved = false;  // false: the window keeps its own first rectangle
    int top = 0, bottom = 0, left = 0, right = 0;
    bool incremental = false;
};
GuidancePlacement LoadGuidancePlacement(Profile& p);
// Writes the rectangle when given (the window was neither minimised nor
// maximised), and the incremental flag in any case.
void SaveGuidancePlacement(Profile& p, const GuidancePlacement& placement, bool withRectangle);

class GuidanceWindow {
public:
    // keywordSjis: the word field's first text; path: the guidance file.
    GuidanceWindow(std::string keywordSjis, std::string pathUtf8);

    // Opens the file; false when it cannot be opened (kMsgNoGuidanceFile).
    bool Open();
    // The first search, with the keyword given: true when found (the body
    // takes the focus), false for the stop sound and the word field.
    bool FirstSearch() { return Search(); }
    // "検索(&S)": the keyword of the word field.
    bool Search();
    // The word field changed; true when that ran a search (incremental).
    bool WordChanged(const std::string& keywordSjis);
    void Next();
    void Previous();

    bool incremental = false;
    const std::string& Keyword() const { return keyword_; }
    // What the headword and body fields show, Shift-JIS.
    const std::string& Headword() const { return headword_; }
    const std::string& Body() const { return body_; }
    int64_t EntryStart() const { return start_; }
    int64_t EntryEnd() const { return end_; }

private:
    // Shows a result; false when nothing was found.
    bool Show(const GuidanceEntry& e);

    std::string keyword_, path_;
    GuidanceFile file_;
    std::string headword_, body_;
    int64_t start_ = 0, end_ = 0;
};

}  // namespace qz
