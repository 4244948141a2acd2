// Running the settings sheet from the main window, and applying what its OK
// brings at once: background, keyword and template tables, fonts and the
// layout of every view, the notification-area icon, the bars.
#include "lang/language_data.h"  // before Qt: a member of its tables is named like a Qt macro

#include <QMenu>
#include <QSystemTrayIcon>
#include <QToolBar>

#include "frame/commands.h"
#include "qt/bkgnd_wnd.h"
#include "qt/document_window.h"
#include "qt/env_sheet.h"
#include "qt/frame_bars.h"
#include "qt/main_window.h"
#include "qt/view_widget.h"

namespace qz {

void QzedMainWindow::RunSettingsSheet() {
    CEnvSheet sheet(this, CopyIntoSheet(TheSettings(), profile_), *boxes_);
    if (sheet.exec() != QDialog::Accepted) return;
    const EnvironSettings before = TheSettings().env;
    CopyBackFromSheet(sheet.Data(), TheSettings(), profile_);
    ApplySettings(before);
}

void QzedMainWindow::ApplySettings(const EnvironSettings& before) {
    const EnvironSettings& env = TheSettings().env;
    if (env.BkgndMode == 3) background_->LoadBitmap(QString::fromStdString(env.BkgndFname));
    background_->SetMode(env.BkgndMode);
    LoadLanguageData(*boxes_);
    // Fonts, cells and each type's layout: every view of every document.
    for (CQzedDoc* doc : docs_->Documents()) RelayoutViews(*doc);

    if (env.Resident != before.Resident) {
        if (env.Resident == 1) AddTrayIcon();
        else RemoveTrayIcon();
    }
    if (env.PfkeyBar != before.PfkeyBar) {
        const bool shown = pfBar_->isVisible();
        removeToolBar(pfBar_);
        const Qt::ToolBarArea area = env.PfkeyBar == 1 ? Qt::TopToolBarArea : Qt::BottomToolBarArea;
        addToolBarBreak(area);
        addToolBar(area, pfBar_);
        pfBar_->setVisible(shown);
    }
    if (dlBar_) dlBar_->SetButtonStyle(env.DialogBarStyle == 1);
    // The help buttons' tips carry the titles of the help entries.
    const std::vector<HelpEntry> helps = LoadHelpEntries(profile_);
    for (QToolBar* bar : toolBars_)
        for (QAction* a : bar->actions()) {
            const int id = a->property("qzId").toInt();
            const size_t n = static_cast<size_t>(id - cmdid::kHelpButton1);
            if (id >= cmdid::kHelpButton1 && n < 5)
                a->setToolTip(QString::fromStdString(ToolTip(id, frame_->Scheme(), n < helps.size() ? helps[n].title : "")));
        }
    update();
}

void QzedMainWindow::RemoveTrayIcon() {
    frame_->SetResident(false);
    if (!tray_) return;
    tray_->hide();
    tray_->deleteLater();
    trayMenu_->deleteLater();
    tray_ = nullptr;
    trayMenu_ = nullptr;
}

}  // namespace qz
