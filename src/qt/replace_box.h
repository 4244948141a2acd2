// The small replace box of interactive replace: six buttons that do what the
// keys R, S, A, P, N and Esc do, shown just below the match.
#pragma once

#include <QDialog>
#include <functional>

namespace qz {

class ReplaceBox : public QDialog {
    Q_OBJECT
public:
    // The buttons in their order on the box.
    enum Button { kReplaceNext, kSkip, kAllRest, kPrevious, kNext, kCancel };

    explicit ReplaceBox(QWidget* parent);
    // Shows the box with its top left corner at a global point, kept on the
    // screen, without taking the keyboard from the view.
    void ShowAt(const QPoint& global);

    std::function<void(Button)> onButton;

protected:
    void reject() override;  // Esc or the close button: as ｷｬﾝｾﾙ
};

}  // namespace qz
