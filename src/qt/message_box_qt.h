// Message boxes shown with QMessageBox: icon and buttons as the core asks.
#pragma once

#include "platform/message_box.h"

class QWidget;

namespace qz {

class QtMessageBox : public MessageBox {
public:
    explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    MbResult Show(const std::string& text, const std::string& caption, MbIcon icon,
                  MbButtons buttons) override;

private:
    QWidget* parent_;
};

}  // namespace qz
