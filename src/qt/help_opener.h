// Opens the editor's help pages in the user's browser.
#pragma once

#include <string>

#include "app/help_opener.h"

class QAbstractButton;
class QWidget;

namespace qz {

class MessageBox;

// Opens page (with "#anchor" when given) from the help folder; a missing
// page or browser is reported in boxes with the file to open by hand.
void OpenHelpPage(MessageBox& boxes, const std::string& page, const std::string& anchor = {});
// Makes button open the page; failures are shown over the button's window.
void ConnectHelpButton(QAbstractButton* button, const std::string& page, const std::string& anchor = {});

}  // namespace qz
