// The main frame's part in the language commands: the view commands reached
// by id, the definition jump back, opening the keyword and template files,
// and bringing up a place in a file for every jump.
#include "app/file_commands.h"
#include "document/qzed_doc.h"
#include "frame/commands.h"
#include "frame/main_frame.h"
#include "lang/file_reference.h"
#include "lang/jump_stack.h"
#include "lang/language_data.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "view/qzed_view.h"

namespace qz {

namespace c = cmdid;

namespace {

constexpr uint32_t kColourRed = 0x0000FF;  // 0x00BBGGRR

struct ConversionCommand {
    int id;
    BlockConversion conversion;
};
constexpr ConversionCommand kConversions[] = {
    {c::kLowerCase, BlockConversion::ToLower},       {c::kUpperCase, BlockConversion::ToUpper},
    {c::kToFullWidth, BlockConversion::ToFullWidth}, {c::kToHalfWidth, BlockConversion::ToHalfWidth},
    {c::kToKatakana, BlockConversion::ToKatakana},   {c::kToHiragana, BlockConversion::ToHiragana},
    {c::kIndent, BlockConversion::Indent},           {c::kUnindent, BlockConversion::Unindent},
    {c::kTabsToSpaces, BlockConversion::TabsToSpaces}, {c::kSpacesToTabs, BlockConversion::SpacesToTabs},
};

}  // namespace

bool CMainFrame::RunLanguageCommand(int id) {
    switch (id) {
    case c::kJumpBack: JumpBack(); return true;
    case c::kOpenKeywordFile:
    case c::kOpenTemplateFile: OpenLanguageFile(id); return true;
    default: break;
    }
    CQzedView* v = ActiveView();
    if (!v) return false;
    for (const ConversionCommand& k : kConversions)
        if (k.id == id) {
            v->ConvertSelection(k.conversion);
            return true;
        }
    switch (id) {
    case c::kNextFunction: v->NextFunction(); return true;
    case c::kPreviousFunction: v->PreviousFunction(); return true;
    case c::kTagJump:
    case c::kOpenAtCaret: v->TagJump(); return true;
    case c::kDefinitionJump: v->DefinitionJump(); return true;
    case c::kOnePointMark: v->OnePointMark(); return true;
    case c::kOnePointJump: v->OnePointJump(); return true;
    default: return false;
    }
}

bool CMainFrame::OpenAtLine(const std::string& pathUtf8, int32_t line, const void* originView) {
    // Only a view that is still open and still shows the file is used: a
    // closed view's address may belong to another view by now.
    for (Window w : host_.Windows()) {
        if (!SamePath(host_.DocumentOf(w).GetPathName(), pathUtf8)) continue;
        for (CQzedView* v : host_.ViewsOf(w)) {
            if (v != originView) continue;
            host_.ActivateWindow(w);
            v->GoToLine(static_cast<uint32_t>(line));
            return true;
        }
    }
    Window w = host_.OpenDocument(pathUtf8);
    if (!w) return false;
    host_.ViewOf(w).GoToLine(static_cast<uint32_t>(line));
    return true;
}

void CMainFrame::JumpBack() {
    JumpPlace place;
    if (!TheJumpBackStack().Pop(place)) return;
    if (!OpenAtLine(place.fileName, place.line, place.viewWindow))
        SetPane(kPaneMessage, {kMsgCannotJumpToLine, kColourRed, kColourButtonFace});
}

void CMainFrame::OpenLanguageFile(int id) {
    CQzedDoc* doc = ActiveDocument();
    if (!doc) return;
    const bool keywords = id == c::kOpenKeywordFile;
    const std::string path = keywords ? KeywordFileToOpen(doc->GetFileType()) : TemplateFileToOpen(doc->GetFileType());
    if (path.empty() || host_.OpenDocument(path)) return;
    files_.Lifecycle().Box().Show(keywords ? kMsgCannotOpenKeywordFile : kMsgCannotOpenTemplateFile,
                                  keywords ? kCaptionOpenKeywordFile : kCaptionOpenTemplateFile, MbIcon::Stop,
                                  MbButtons::Ok);
}

}  // namespace qz
