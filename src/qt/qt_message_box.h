// Message boxes of the core shown as QMessageBox, owned by a given window.
#pragma once

#include "platform/message_box.h"

class QWidget;

namespace qz {

class QtMessageBox : public MessageBox {
public:
    explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}
    MbResult Show(const std::string& text, const std::string& caption, MbIcon icon,
                  MbButtons buttons) override;
    void SetParent(QWidget* parent) { parent_ = parent; }

private:
    QWidget* parent_;
};

}  // namespace qz
