#include "qt/about_dlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/app_title.h"
#include "qt/frame_bars.h"

#ifndef QZ_BUILD_VERSION
#define QZ_BUILD_VERSION "unknown"
#endif

namespace qz {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("版数／ユーザ登録"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(48, 48));
    top->addWidget(icon);
    auto* texts = new QVBoxLayout;
    auto* name = new QLabel(QString::fromUtf8(kAppTitle), this);
    QFont f = name->font();
    f.setPointSizeF(f.pointSizeF() * 1.4);
    f.setBold(true);
    name->setFont(f);
    texts->addWidget(name);
    auto* version = new QLabel(VersionText(), this);
    version->setObjectName(QStringLiteral("versionLabel"));
    texts->addWidget(version);
    auto* build = new QLabel(QStringLiteral("Build %1 (Qt %2)").arg(BuildText(), QString::fromLatin1(qVersion())), this);
    build->setObjectName(QStringLiteral("buildLabel"));
    build->setTextInteractionFlags(Qt::TextSelectableByMouse);
    texts->addWidget(build);
    texts->addWidget(new QLabel(QStringLiteral("日本語とASCIIのテキストを書くプログラマのためのエディタ"), this));
    top->addLayout(texts);
    layout->addLayout(top);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

QString AboutDialog::VersionText() const { return QString::fromStdString(qz::VersionText()); }

QString AboutDialog::BuildText() { return QStringLiteral(QZ_BUILD_VERSION); }

}  // namespace qz
