// The core's message box interface on QMessageBox.
#include "qt/qt_message_box.h"

#include <QMessageBox>

namespace qz {

namespace {

QMessageBox::Icon ToQt(MbIcon icon) {
    switch (icon) {
    case MbIcon::Stop: return QMessageBox::Critical;
    case MbIcon::Question: return QMessageBox::Question;
    case MbIcon::Exclamation: return QMessageBox::Warning;
    case MbIcon::Information: return QMessageBox::Information;
    case MbIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(MbButtons buttons) {
    switch (buttons) {
    case MbButtons::Ok: return QMessageBox::Ok;
    case MbButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MbButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MbButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

}  // namespace

MbResult QtMessageBox::Show(const std::string& text, const std::string& caption, MbIcon icon,
                            MbButtons buttons) {
    QMessageBox box(ToQt(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    ToQt(buttons), parent_);
    switch (box.exec()) {
    case QMessageBox::Ok: return MbResult::Ok;
    case QMessageBox::Yes: return MbResult::Yes;
    case QMessageBox::No: return MbResult::No;
    default:
        // Closing the box with Escape or the title bar is the mildest answer.
        return buttons == MbButtons::YesNo ? MbResult::No
               : buttons == MbButtons::Ok  ? MbResult::Ok
                                           : MbResult::Cancel;
    }
}

}  // namespace qz
