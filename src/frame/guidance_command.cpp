// The main frame's function guidance: the keyword at the caret looked up in
// one of the registered help entries, chosen by number or in the chooser.
#include "frame/guidance_command.h"

#include <algorithm>

#include "app/file_commands.h"
#include "frame/main_frame.h"
#include "lang/guidance_window.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "view/qzed_view.h"

namespace qz {

namespace {

// The entry the chooser offers first; it lives for the run of the program.
int lastChosenEntry = 1;

std::string EntryValue(Profile& p, const char* name, int n) {
    return p.GetProfileString("Environ", name + std::to_string(n), "");
}

}  // namespace

HelpFileKind HelpFileKindOf(const std::string& pathUtf8) {
    std::string lower = pathUtf8;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    if (lower.find(".hlp") != std::string::npos) return HelpFileKind::WinHelp;
    if (lower.find(".chm") != std::string::npos || lower.find(".col") != std::string::npos)
        return HelpFileKind::HtmlHelp;
    return HelpFileKind::Dictionary;
}

void CMainFrame::RunGuidance(int n) {
    CQzedView* v = ActiveView();
    if (!v || !guidance_ || selecting_) return;
    std::string keyword;
    if (!v->GuidanceKeyword(&keyword)) return;
    Profile& p = guidance_->GuidanceProfile();
    if (n == 0) {
        if (EntryValue(p, "HelpFile", 2).empty()) {
            n = 1;
        } else {
            std::vector<std::string> titles;
            for (int k = 1; k <= kMaxHelpEntries; ++k) {
                std::string title = EntryValue(p, "HelpTitle", k);
                if (title.empty()) break;
                titles.push_back(std::move(title));
            }
            if (titles.empty()) {
                files_.Lifecycle().Box().Show(kMsgNoGuidance, kCaptionNoGuidance, MbIcon::Stop, MbButtons::Ok);
                return;
            }
            const int last = std::clamp(lastChosenEntry, 1, static_cast<int>(titles.size()));
            const int chosen = guidance_->ChooseHelpEntry(titles, last - 1, keyword);
            if (chosen < 0 || chosen >= static_cast<int>(titles.size())) return;
            n = lastChosenEntry = chosen + 1;
        }
    }
    if (n < 1 || n > kMaxHelpEntries) return;
    const std::string file = EntryValue(p, "HelpFile", n);
    if (file.empty()) return;
    if (HelpFileKindOf(file) == HelpFileKind::Dictionary)
        guidance_->RunGuidanceWindow(EntryValue(p, "HelpTitle", n), keyword, file);
    else
        guidance_->OpenHelpFile(file);
}

}  // namespace qz
