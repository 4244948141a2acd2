// QMessageBox behind the core's message-box interface.
#include "qt/message_box_qt.h"

#include <QMessageBox>

namespace qz {

MbResult QtMessageBox::Show(const std::string& text, const std::string& caption, MbIcon icon,
                            MbButtons buttons) {
    QMessageBox::Icon qi = QMessageBox::NoIcon;
    switch (icon) {
    case MbIcon::Stop: qi = QMessageBox::Critical; break;
    case MbIcon::Question: qi = QMessageBox::Question; break;
    case MbIcon::Exclamation: qi = QMessageBox::Warning; break;
    case MbIcon::Information: qi = QMessageBox::Information; break;
    case MbIcon::None: break;
    }
    QMessageBox::StandardButtons qb = QMessageBox::Ok;
    switch (buttons) {
    case MbButtons::Ok: qb = QMessageBox::Ok; break;
    case MbButtons::OkCancel: qb = QMessageBox::Ok | QMessageBox::Cancel; break;
    case MbButtons::YesNo: qb = QMessageBox::Yes | QMessageBox::No; break;
    case MbButtons::YesNoCancel: qb = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    }
    QMessageBox box(qi, QString::fromStdString(caption), QString::fromStdString(text), qb, parent_);
    switch (box.exec()) {
    case QMessageBox::Yes: return MbResult::Yes;
    case QMessageBox::No: return MbResult::No;
    case QMessageBox::Cancel: return MbResult::Cancel;
    default: return buttons == MbButtons::YesNoCancel ? MbResult::Cancel : MbResult::Ok;
    }
}

}  // namespace qz
