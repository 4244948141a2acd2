// A message box that records what it was asked and answers from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace qz::fakes {

struct ShownBox {
    std::string text, caption;
    MbIcon icon;
    MbButtons buttons;
};

class FakeMessageBox : public MessageBox {
public:
    std::vector<ShownBox> shown;
    std::deque<MbResult> answers;  // consumed in order; Ok/Yes when empty

    MbResult Show(const std::string& text, const std::string& caption, MbIcon icon,
                  MbButtons buttons) override {
        shown.push_back({text, caption, icon, buttons});
        if (!answers.empty()) {
            MbResult r = answers.front();
            answers.pop_front();
            return r;
        }
        return buttons == MbButtons::Ok || buttons == MbButtons::OkCancel ? MbResult::Ok
                                                                           : MbResult::Yes;
    }
};

}  // namespace qz::fakes
