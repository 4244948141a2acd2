// The main frame's bars on Qt: the function-key bar, the dialog bar with the
// window tabs (CQzedDlBar), the status panes, and the tool-bar icons.
#pragma once

#include <QIcon>
#include <QLabel>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <array>
#include <functional>
#include <vector>

#include "frame/pfkey_labels.h"
#include "frame/status_panes.h"
#include "frame/window_tabs.h"

class QStatusBar;

namespace qz {

// A colour of the frame core (0x00BBGGRR or a system colour) on this palette.
QColor FrameColour(uint32_t colour, const QPalette& palette);

// The icon of a tool-bar command: data/icons/<id>.svg from the program's data
// folder; a plain lettered square when the file is missing.
QIcon CommandIcon(int id);
// The program's own icon.
QIcon ProgramIcon();

// One function-key button: the key's name small in its corner, the label in
// the middle.
class PfKeyButton : public QToolButton {
    Q_OBJECT
public:
    PfKeyButton(int index, QWidget* parent);
    void SetLabel(const QString& label);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    int index_;
    QString label_;
};

// The function-key bar: twelve buttons in three groups of four.
class PfKeyBar : public QToolBar {
    Q_OBJECT
public:
    explicit PfKeyBar(QWidget* parent);
    void SetLabels(const PfLabels& labels);
    PfKeyButton* Button(int index) const { return buttons_[index]; }
    // A button was clicked (0 for F1).
    std::function<void(int index)> onClick;

private:
    std::array<PfKeyButton*, kPfKeys> buttons_{};
};

// The dialog bar: the window tabs, as buttons or as tabs.
class CQzedDlBar : public QToolBar {
    Q_OBJECT
public:
    CQzedDlBar(QWidget* parent, bool buttonStyle);
    QTabBar* Tabs() const { return tabs_; }
    // Each tab a button of its own, or tabs on a base line.
    void SetButtonStyle(bool buttonStyle);
    bool ButtonStyle() const { return !tabs_->drawBase(); }
    void ShowTabs(const std::vector<WindowTabs::Tab>& tabs, int selected);
    // A tab was chosen by the user.
    std::function<void(int index)> onChosen;

private:
    QTabBar* tabs_;
    bool updating_ = false;
};

// The seven panes of the status bar.
class StatusPaneRow {
public:
    explicit StatusPaneRow(QStatusBar* bar);
    void Show(int pane, const PaneLook& look);
    QLabel* Pane(int pane) const { return labels_[pane]; }

private:
    std::array<QLabel*, kPaneCount> labels_{};
};

}  // namespace qz
