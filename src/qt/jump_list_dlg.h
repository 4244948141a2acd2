// The jump list (dialog 126): the places a definition was found, one row
// each, for the definition jump to choose from.
#pragma once

#include <QDialog>
#include <vector>

#include "lang/tag_search.h"

class QLabel;
class QListWidget;

namespace qz {

class CJumpListDlg : public QDialog {
    Q_OBJECT
public:
    CJumpListDlg(QWidget* parent, const std::vector<DefinitionCandidate>& candidates);

    // After Accepted: the row chosen.
    int Chosen() const { return chosen_; }
    QListWidget* list() const { return list_; }
    QLabel* countLabel() const { return count_; }
    QLabel* noteLabel() const { return note_; }

public slots:
    void ok();

private:
    QListWidget* list_;
    QLabel* count_;
    QLabel* note_;
    int remembered_ = -1;
    int chosen_ = -1;
};

}  // namespace qz
