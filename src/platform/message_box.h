// Message boxes owned by the main window: a text, a caption, an icon and the
// buttons. The Qt port shows real boxes; tests record what was asked.
#pragma once

#include <string>

namespace qz {

enum class MbIcon { None, Stop, Question, Exclamation, Information };
enum class MbButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MbResult { Ok, Cancel, Yes, No };

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // text and caption are UTF-8.
    virtual MbResult Show(const std::string& text, const std::string& caption, MbIcon icon,
                          MbButtons buttons) = 0;
};

}  // namespace qz
