// The language commands that open a dialog over the active view: the
// template dialog, the function list and the mark / jump dialog.
#pragma once

class QWidget;

namespace qz {

class MessageBox;
class QzedViewWidget;

// Runs command id when it is one of the three; false for any other id.
// Without a view the command does nothing (and counts as run).
bool RunLanguageDialog(int id, QWidget* parent, QzedViewWidget* view, MessageBox& boxes);

}  // namespace qz
