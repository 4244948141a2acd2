// The guidance window's searches and its placement in the profile.
#include "lang/guidance_window.h"

#include <utility>

#include "platform/cp932.h"
#include "platform/profile.h"

namespace qz {

GuidancePlacement LoadGuidancePlacement(Profile& p) {
    GuidancePlacement g;
    g.top = p.GetProfileInt(kGuidanceSection, "Wndsize_top", -1);
    g.bottom = p.GetProfileInt(kGuidanceSection, "Wndsize_bottom", -1);
    g.left = p.GetProfileInt(kGuidanceSection, "Wndsize_left", -1);
    g.right = p.GetProfileInt(kGuidanceSection, "Wndsize_right", -1);
    // Missing values, or a rectangle with no area, leave the window as made.
    g.saved = g.top >= -30000 && g.left >= -30000 && g.bottom > g.top && g.right > g.left;
    g.incremental = p.GetProfileInt(kGuidanceSection, "RealSearch_Mode", 0) == 1;
    return g;
}

void SaveGuidancePlacement(Profile& p, const GuidancePlacement& g, bool withRectangle) {
    if (withRectangle) {
        p.WriteProfileInt(kGuidanceSection, "Wndsize_top", g.top);
        p.WriteProfileInt(kGuidanceSection, "Wndsize_bottom", g.bottom);
        p.WriteProfileInt(kGuidanceSection, "Wndsize_left", g.left);
        p.WriteProfileInt(kGuidanceSection, "Wndsize_right", g.right);
    }
    p.WriteProfileInt(kGuidanceSection, "RealSearch_Mode", g.incremental ? 1 : 0);
}

GuidanceWindow::GuidanceWindow(std::string keywordSjis, std::string pathUtf8)
    : keyword_(std::move(keywordSjis)), path_(std::move(pathUtf8)) {}

bool GuidanceWindow::Open() { return file_.Open(path_); }

bool GuidanceWindow::Show(const GuidanceEntry& e) {
    if (e.status == GuidanceEntry::kFound) {
        headword_ = e.headword;
        body_ = e.body;
        start_ = e.start;
        end_ = e.end;
        return true;
    }
    headword_.clear();
    body_ = Utf8ToSjis(e.status == GuidanceEntry::kCannotProcess ? kMsgGuidanceCannot : kMsgGuidanceNotFound);
    return false;
}

bool GuidanceWindow::Search() { return Show(file_.Find(keyword_)); }

bool GuidanceWindow::WordChanged(const std::string& keywordSjis) {
    keyword_ = keywordSjis;
    if (!incremental) return false;
    Search();
    return true;
}

void GuidanceWindow::Next() {
    if (!Show(file_.Forward(end_, "\n."))) start_ = end_;
}

void GuidanceWindow::Previous() {
    if (!Show(file_.Backward(start_, "\n."))) end_ = start_;
}

}  // namespace qz
