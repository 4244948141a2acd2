// The search, replace and replace-all dialogs. They only collect the strings
// and the option word; the frame hands them to the active view.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace qz {

// Bits of the "Search" and "Replace" option words.
enum SearchOption : unsigned {
    kOptCase = 1, kOptFuzzy = 2, kOptRegex = 4, kOptWord = 8, kOptSlateStyle = 16,
    kOptReplaceBox = 32, kOptEscape = 64, kOptWildcard = 128
};

class SearchDialog : public QDialog {
    Q_OBJECT
public:
    enum Kind { kSearch, kReplace, kReplaceAll };
    enum Action { kClosed, kUp, kDown, kSaved, kAll };

    // history/replaceHistory: Shift-JIS, newest first (replace kinds only
    // use the second). caretRow and clipboard feed F1 and F9.
    SearchDialog(QWidget* parent, Kind kind, const std::string& text, const std::string& replacement,
                 unsigned options, const std::array<std::string, 16>& history,
                 const std::array<std::string, 16>& replaceHistory);

    std::function<std::string()> caretRow;   // Shift-JIS, without the line end
    std::function<std::string()> clipboard;  // Shift-JIS

    Action Result() const { return action_; }
    std::string Text() const;         // Shift-JIS
    std::string Replacement() const;  // Shift-JIS
    unsigned Options() const;

private:
    void Finish(Action a);
    void RegexToggled(bool on);
    void PasteIntoSearch(const std::string& sjis);

    Kind kind_;
    Action action_ = kClosed;
    unsigned keep_;  // bits the dialog has no control for
    QComboBox* text_;
    QComboBox* replacement_ = nullptr;
    QCheckBox* case_;
    QCheckBox* fuzzy_;
    QCheckBox* regex_;
    QCheckBox* word_;
    QCheckBox* escape_;
    QCheckBox* wildcard_;
    QCheckBox* box_ = nullptr;
    QRadioButton* kom_ = nullptr;
    QRadioButton* slate_ = nullptr;
};

}  // namespace qz
