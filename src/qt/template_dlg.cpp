// The template dialog: 36 key buttons in two columns, each with its title.
// Before any Qt header: the template table has a member named like Qt's
// "slots" keyword macro.
#include "lang/template_table.h"

#include "qt/template_dlg.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qz {

static_assert(CTemplateDlg::kSlots == kTemplateSlots);

CTemplateDlg::CTemplateDlg(QWidget* parent, const std::array<std::string, kSlots>& titles) : QDialog(parent) {
    setWindowTitle(QStringLiteral("テンプレートの挿入"));
    auto* grid = new QGridLayout;
    constexpr int kRows = kSlots / 2;
    for (int k = 0; k < kSlots; ++k) {
        auto* b = new QPushButton(QString::fromStdString(TemplateButtonLabel(k)), this);
        b->setObjectName(QStringLiteral("slot%1").arg(k));
        b->setAutoDefault(false);
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("WW")) + 16);
        connect(b, &QPushButton::clicked, this, [this, k] { Choose(k); });
        buttons_[static_cast<size_t>(k)] = b;
        auto* title = new QLabel(QString::fromStdString(titles[static_cast<size_t>(k)]), this);
        title->setObjectName(QStringLiteral("title%1").arg(k));
        title->setMinimumWidth(title->fontMetrics().horizontalAdvance(QString(32, QChar('W'))) / 2);
        const int column = k / kRows * 2;
        grid->addWidget(b, k % kRows, column);
        grid->addWidget(title, k % kRows, column + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    auto* note = new QLabel(QString::fromUtf8(kTemplateDialogNote), this);
    note->setObjectName("noteLabel");
    note->setWordWrap(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName("cancelButton");
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* all = new QVBoxLayout(this);
    all->addLayout(grid);
    all->addWidget(note);
    all->addWidget(cancel, 0, Qt::AlignRight);
}

void CTemplateDlg::Choose(int slot) {
    chosen_ = slot;
    accept();
}

// The note promises that the key alone is enough, as a dialog's mnemonics
// answer bare letters while a button has the focus.
void CTemplateDlg::keyPressEvent(QKeyEvent* e) {
    const QString text = e->text();
    if (text.size() == 1 && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        const char key = text.at(0).toLatin1();
        if (const int slot = TemplateSlotOfKey(key); slot >= 0) return Choose(slot);
    }
    QDialog::keyPressEvent(e);
}

}  // namespace qz
