// The dialogs of the language commands between the view's start and finish.
// Before any Qt header: the template table has a member named like Qt's
// "slots" keyword macro.
#include "lang/language_data.h"

#include "qt/lang_dialogs.h"

#include <memory>

#include "frame/commands.h"
#include "lang/func_list_model.h"
#include "lang/mark_dialog.h"
#include "qt/func_list_dlg.h"
#include "qt/mark_jump_dlg.h"
#include "qt/template_dlg.h"
#include "qt/view_widget.h"
#include "settings/settings.h"

namespace qz {

namespace c = cmdid;

namespace {

void TemplateDialog(QWidget* parent, CQzedView& view) {
    if (!view.TemplateDialogAllowed()) return;
    CTemplateDlg d(parent, TemplateDialogTitles(TheTemplateTable(view.Doc().GetFileType())));
    if (d.exec() == QDialog::Accepted) view.InsertTemplateKey(d.Chosen());
}

void FunctionList(QWidget* parent, CQzedView& view, MessageBox& boxes) {
    auto scan = std::make_unique<FuncListResult>();
    if (!view.ScanFunctions(*scan)) return;
    int& shown = TheSettings().env.Func_DispMode;
    FuncListModel model(*scan, static_cast<int32_t>(view.LogicalLine()), shown);
    CFuncListDlg d(parent, model, boxes);
    const int result = d.exec();
    shown = model.Kind();
    if (result == QDialog::Accepted) view.GoToLine(static_cast<uint32_t>(model.ChosenLine()));
    else if (result == CFuncListDlg::kInsertList) view.InsertDialogText(model.InsertText());
}

void MarkJumpDialog(QWidget* parent, CQzedView& view) {
    if (!view.BeginMarkDialog()) return;
    MarkDialogModel model(TheMarks(), TheSettings().env.MarkRestore);
    CMarkJumpDlg d(parent, model);
    const bool ok = d.exec() == QDialog::Accepted;
    view.FinishMarkDialog(model, ok);
}

}  // namespace

bool RunLanguageDialog(int id, QWidget* parent, QzedViewWidget* view, MessageBox& boxes) {
    if (id != c::kTemplateDialog && id != c::kFunctionList && id != c::kMarkJump) return false;
    if (!view) return true;
    if (id == c::kTemplateDialog) TemplateDialog(parent, view->View());
    else if (id == c::kFunctionList) FunctionList(parent, view->View(), boxes);
    else MarkJumpDialog(parent, view->View());
    return true;
}

}  // namespace qz
