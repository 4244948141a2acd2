#include "qt/frame_bars.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPainter>
#include <QStatusBar>
#include <QStyleOptionToolButton>
#include <QStylePainter>

#include "frame/commands.h"
#include "platform/paths.h"

namespace qz {

QColor FrameColour(uint32_t colour, const QPalette& palette) {
    switch (colour) {
    case kColourButtonText: return palette.color(QPalette::ButtonText);
    case kColourButtonFace: return palette.color(QPalette::Button);
    case kColourGrayText: return palette.color(QPalette::Disabled, QPalette::WindowText);
    default: return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    }
}

namespace {

QString IconPath(const QString& name) {
    return QString::fromStdString(DataFolder()) + "/icons/" + name + ".svg";
}

// A stand-in for a missing icon file: the command's first letter on a square.
QIcon LetterIcon(int id) {
    const CommandInfo* info = FindCommand(id);
    const QString text = info ? QString::fromUtf8(info->tip).left(1) : QStringLiteral("?");
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x3A, 0x6E, 0xA5));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(2, 2, 20, 20), 4, 4);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(14);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, text);
    return QIcon(pm);
}

// An icon file Qt cannot draw (no SVG plugin) counts as missing.
QIcon FileIcon(const QString& path, int id) {
    if (!QFile::exists(path)) return LetterIcon(id);
    QIcon icon(path);
    return icon.pixmap(24, 24).isNull() ? LetterIcon(id) : icon;
}

}  // namespace

QIcon CommandIcon(int id) { return FileIcon(IconPath(QString::number(id)), id); }

QIcon ProgramIcon() { return FileIcon(IconPath("qzed32"), 0); }

// ------------------------------------------------------------------ function keys

PfKeyButton::PfKeyButton(int index, QWidget* parent) : QToolButton(parent), index_(index) {
    setFocusPolicy(Qt::NoFocus);  // a click leaves the keyboard with the text
    setAutoRaise(false);
    setObjectName(QStringLiteral("pfKey%1").arg(index + 1));
    setToolTip(QStringLiteral("F%1").arg(index + 1));
}

void PfKeyButton::SetLabel(const QString& label) {
    if (label == label_) return;
    label_ = label;
    setText(label.trimmed());
    update();
}

QSize PfKeyButton::sizeHint() const {
    const QFontMetrics fm(font());
    return {std::max(fm.horizontalAdvance(QStringLiteral("TagList")) + 22, 64), fm.height() + 10};
}

void PfKeyButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    // A raised key cap, pressed while held down: the bar reads as keys.
    QStyleOptionButton opt;
    opt.initFrom(this);
    opt.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    p.drawPrimitive(QStyle::PE_PanelButtonCommand, opt);
    // The key's name small at the left, the label centred in the rest.
    QFont small = font();
    small.setPixelSize(std::max(8, QFontMetrics(font()).height() * 2 / 3));
    p.setFont(small);
    p.setPen(palette().color(QPalette::Disabled, QPalette::ButtonText));
    const QString key = QStringLiteral("F%1").arg(index_ + 1);
    const QRect r = rect().adjusted(4, 0, -3, 0);
    p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, key);
    p.setFont(font());
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    const int keyWidth = QFontMetrics(small).horizontalAdvance(key) + 2;
    p.drawText(r.adjusted(keyWidth, 0, 0, 0), Qt::AlignCenter, label_.trimmed());
}

PfKeyBar::PfKeyBar(QWidget* parent) : QToolBar(QStringLiteral("ファンクションキー"), parent) {
    setObjectName(QStringLiteral("PfKeyBar"));
    setFloatable(false);
    for (int slot : kPfSlots) {
        if (slot < 0) {
            addSeparator();
            continue;
        }
        auto* b = new PfKeyButton(slot, this);
        buttons_[slot] = b;
        connect(b, &QToolButton::clicked, this, [this, slot] {
            if (onClick) onClick(slot);
        });
        addWidget(b);
    }
}

void PfKeyBar::SetLabels(const PfLabels& labels) {
    for (int i = 0; i < kPfKeys; ++i) buttons_[i]->SetLabel(QString::fromUtf8(labels[i]));
}

// ------------------------------------------------------------------ window tabs

CQzedDlBar::CQzedDlBar(QWidget* parent, bool buttonStyle)
    : QToolBar(QStringLiteral("ウィンドウタブ"), parent), tabs_(new QTabBar(this)) {
    setObjectName(QStringLiteral("DialogBar"));
    setFloatable(false);
    tabs_->setObjectName(QStringLiteral("windowTabs"));
    tabs_->setExpanding(false);
    tabs_->setElideMode(Qt::ElideNone);
    tabs_->setUsesScrollButtons(true);
    SetButtonStyle(buttonStyle);
    addWidget(tabs_);
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        if (!updating_ && onChosen) onChosen(index);
    });
}

void CQzedDlBar::SetButtonStyle(bool buttonStyle) {
    tabs_->setDrawBase(!buttonStyle);
    // The button look: each tab a raised button of its own.
    tabs_->setStyleSheet(buttonStyle ? QStringLiteral(
        "QTabBar::tab { border: 1px solid palette(mid); border-radius: 3px; margin: 2px 1px;"
        " padding: 2px 10px; background: palette(button); }"
        "QTabBar::tab:selected { background: palette(light); border-color: palette(dark); }") : QString());
}

void CQzedDlBar::ShowTabs(const std::vector<WindowTabs::Tab>& tabs, int selected) {
    updating_ = true;
    while (tabs_->count() > static_cast<int>(tabs.size())) tabs_->removeTab(tabs_->count() - 1);
    for (size_t i = 0; i < tabs.size(); ++i) {
        const QString text = QString::fromStdString(tabs[i].text);
        if (static_cast<int>(i) < tabs_->count()) {
            if (tabs_->tabText(static_cast<int>(i)) != text) tabs_->setTabText(static_cast<int>(i), text);
        } else {
            tabs_->addTab(text);
        }
    }
    if (selected >= 0) tabs_->setCurrentIndex(selected);
    updating_ = false;
}

// ------------------------------------------------------------------ status panes

StatusPaneRow::StatusPaneRow(QStatusBar* bar) {
    for (int i = 0; i < kPaneCount; ++i) {
        auto* l = new QLabel(bar);
        l->setObjectName(QStringLiteral("pane%1").arg(i));
        l->setAutoFillBackground(true);
        if (i == kPaneMessage) {
            bar->addWidget(l, 1);
        } else {
            // Each pane as wide as its indicator text, as the string table made them.
            l->setAlignment(Qt::AlignCenter);
            l->setFrameShape(QFrame::Panel);
            l->setFrameShadow(QFrame::Sunken);
            l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QString::fromUtf8(StatusPanes::IndicatorText(i))) + 10);
            bar->addPermanentWidget(l);
        }
        labels_[i] = l;
    }
}

void StatusPaneRow::Show(int pane, const PaneLook& look) {
    QLabel* l = labels_[pane];
    QPalette pal = l->palette();
    const QPalette base = l->parentWidget() ? l->parentWidget()->palette() : QPalette();
    pal.setColor(QPalette::WindowText, FrameColour(look.fore, base));
    pal.setColor(QPalette::Window, FrameColour(look.back, base));
    l->setPalette(pal);
    l->setText(QString::fromStdString(look.text));
}

}  // namespace qz
