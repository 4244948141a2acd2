// The template dialog (194 "テンプレートの挿入"): a button per key A-Z and
// 0-9 with its template's title; a button, its mnemonic or the bare key
// closes the dialog with that slot.
#pragma once

#include <QDialog>
#include <array>
#include <string>

class QPushButton;

namespace qz {

class CTemplateDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSlots = 36;
    // titles: the slots' titles in UTF-8 (empty for undefined slots).
    CTemplateDlg(QWidget* parent, const std::array<std::string, kSlots>& titles);

    // After Accepted: the slot pressed, 0 to 35.
    int Chosen() const { return chosen_; }
    QPushButton* button(int slot) const { return buttons_[static_cast<size_t>(slot)]; }

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void Choose(int slot);

    std::array<QPushButton*, kSlots> buttons_{};
    int chosen_ = -1;
};

}  // namespace qz
