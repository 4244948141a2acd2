// The help opener's process start: the page goes to the program as one
// argument, detached, so that closing the editor leaves the browser open.
#include "qt/help_opener.h"

#include <QAbstractButton>
#include <QProcess>

#include <cstdlib>

#include "app/help_opener.h"
#include "platform/paths.h"
#include "qt/qt_message_box.h"

namespace qz {

void OpenHelpPage(MessageBox& boxes, const std::string& page, const std::string& anchor) {
    const HelpLaunch h = PrepareHelpPage(DataFolder(), page, anchor, std::getenv("PATH"), std::getenv("BROWSER"));
    std::string error = h.error;
    if (error.empty() &&
        !QProcess::startDetached(QString::fromStdString(h.program), {QString::fromStdString(h.target)}))
        error = HelpStartFailure(h);
    if (!error.empty()) boxes.Show(error, kCaptionHelp, MbIcon::Stop, MbButtons::Ok);
}

void ConnectHelpButton(QAbstractButton* button, const std::string& page, const std::string& anchor) {
    button->setEnabled(true);
    QObject::connect(button, &QAbstractButton::clicked, button, [button, page, anchor] {
        QtMessageBox boxes(button->window());
        OpenHelpPage(boxes, page, anchor);
    });
}

}  // namespace qz
