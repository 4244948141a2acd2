// The function guidance's dialogs over the core's GuidanceWindow: texts
// cross between Shift-JIS (the file, the keyword) and the widgets here.
#include "qt/guidance_dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/cp932.h"
#include "platform/message_box.h"

namespace qz {

namespace {

// Dictionary text as the fields show it: UTF-8 with bare line feeds.
QString Shown(const std::string& sjis) {
    QString s = QString::fromStdString(SjisToUtf8(sjis));
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

}  // namespace

// ------------------------------------------------------------------ the chooser

CGuidanceChooserDlg::CGuidanceChooserDlg(QWidget* parent, const std::vector<std::string>& titles, int selected,
                                         const std::string& keywordSjis)
    : QDialog(parent), list_(new QListWidget(this)), keyword_(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("関数ガイダンス"));
    list_->setObjectName("list146");
    keyword_->setObjectName("edit102");
    for (const std::string& t : titles) list_->addItem(QString::fromStdString(t));
    list_->setCurrentRow(selected);
    keyword_->setText(QString::fromStdString(SjisToUtf8(keywordSjis)));
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* listLabel = new QLabel(QStringLiteral("次のﾌｧｲﾙから１つ選択してください(&L)"), this);
    listLabel->setBuddy(list_);
    auto* keyLabel = new QLabel(QStringLiteral("ｷｰﾜｰﾄﾞ(&K):"), this);
    keyLabel->setBuddy(keyword_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* keyRow = new QHBoxLayout;
    keyRow->addWidget(keyLabel);
    keyRow->addWidget(keyword_, 1);
    auto* all = new QVBoxLayout(this);
    all->addWidget(listLabel);
    all->addWidget(list_, 1);
    all->addLayout(keyRow);
    all->addWidget(buttons);
    list_->setFocus();
}

int CGuidanceChooserDlg::Chosen() const { return list_->currentRow(); }

std::string CGuidanceChooserDlg::KeywordSjis() const { return Utf8ToSjis(keyword_->text().toStdString()); }

// ------------------------------------------------------------------ the guidance window

CGuidanceDlg::CGuidanceDlg(QWidget* parent, const std::string& titleUtf8, GuidanceWindow& model, Profile& profile)
    : QDialog(parent), model_(model), profile_(profile) {
    setWindowTitle(QString::fromStdString(titleUtf8));
    setSizeGripEnabled(true);
    word_ = new QLineEdit(QString::fromStdString(SjisToUtf8(model_.Keyword())), this);
    word_->setObjectName("word255");
    headword_ = new QLineEdit(this);
    headword_->setObjectName("headword434");
    headword_->setReadOnly(true);
    body_ = new QPlainTextEdit(this);
    body_->setObjectName("body256");
    body_->setReadOnly(true);
    body_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    body_->setMinimumSize(420, 240);
    auto* wordLabel = new QLabel(QStringLiteral("単語(&W):"), this);
    wordLabel->setBuddy(word_);
    auto button = [this](const char* text, const char* name) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* search = button("検索(&S)", "searchButton1");
    search->setDefault(true);
    QPushButton* previous = button("<<< 前(&P)", "previousButton262");
    QPushButton* next = button("次(&N) >>>", "nextButton260");
    QPushButton* copy = button("コピー(&C)", "copyButton261");
    incremental_ = new QCheckBox(QStringLiteral("ｲﾝｸﾘﾒﾝﾀﾙｻｰﾁ(&I)"), this);
    incremental_->setObjectName("incremental437");

    const GuidancePlacement placement = LoadGuidancePlacement(profile_);
    model_.incremental = placement.incremental;
    incremental_->setChecked(placement.incremental);
    connect(incremental_, &QCheckBox::toggled, this, [this](bool on) { model_.incremental = on; });
    connect(word_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (model_.WordChanged(Utf8ToSjis(text.toStdString()))) ShowEntry();
    });
    connect(search, &QPushButton::clicked, this, &CGuidanceDlg::SearchClicked);
    connect(next, &QPushButton::clicked, this, [this] {
        model_.Next();
        ShowEntry();
    });
    connect(previous, &QPushButton::clicked, this, [this] {
        model_.Previous();
        ShowEntry();
    });
    connect(copy, &QPushButton::clicked, this, &CGuidanceDlg::Copy);

    // The body takes what the window gains; the buttons keep to the right
    // and bottom edges, the two fields stretch across.
    auto* grid = new QGridLayout(this);
    grid->addWidget(wordLabel, 0, 0);
    grid->addWidget(word_, 0, 1);
    grid->addWidget(search, 0, 2);
    grid->addWidget(headword_, 1, 0, 1, 3);
    grid->addWidget(body_, 2, 0, 1, 3);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(incremental_);
    bottom->addStretch(1);
    bottom->addWidget(previous);
    bottom->addWidget(next);
    bottom->addWidget(copy);
    grid->addLayout(bottom, 3, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);

    if (placement.saved)
        setGeometry(placement.left, placement.top, placement.right - placement.left, placement.bottom - placement.top);
}

void CGuidanceDlg::ShowEntry() {
    headword_->setText(Shown(model_.Headword()));
    body_->setPlainText(Shown(model_.Body()));
}

bool CGuidanceDlg::FirstSearch() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool found = model_.FirstSearch();
    QApplication::restoreOverrideCursor();
    ShowEntry();
    if (found) {
        body_->setFocus();
    } else {
        // The body field says "見つかりません" (or why it cannot search);
        // the sound and the focus in the word field invite another word.
        QApplication::beep();
        word_->setFocus();
    }
    return found;
}

void CGuidanceDlg::SearchClicked() {
    model_.WordChanged(Utf8ToSjis(word_->text().toStdString()));
    if (model_.Search()) body_->setFocus();
    ShowEntry();
}

void CGuidanceDlg::Copy() {
    if (!body_->textCursor().hasSelection()) body_->selectAll();
    body_->copy();
    QTextCursor c = body_->textCursor();
    c.clearSelection();
    body_->setTextCursor(c);
    body_->ensureCursorVisible();
}

void CGuidanceDlg::done(int result) {
    GuidancePlacement g;
    const QRect r = geometry();
    g.top = r.top();
    g.left = r.left();
    g.bottom = r.top() + r.height();
    g.right = r.left() + r.width();
    g.incremental = incremental_->isChecked();
    SaveGuidancePlacement(profile_, g, !isMinimized() && !isMaximized());
    QDialog::done(result);
}

// ------------------------------------------------------------------ the host

int QtGuidanceHost::ChooseHelpEntry(const std::vector<std::string>& titles, int selected, std::string& keywordSjis) {
    CGuidanceChooserDlg d(parent_, titles, selected, keywordSjis);
    if (d.exec() != QDialog::Accepted || d.Chosen() < 0) return -1;
    keywordSjis = d.KeywordSjis();
    return d.Chosen();
}

void QtGuidanceHost::RunGuidanceWindow(const std::string& titleUtf8, const std::string& keywordSjis,
                                       const std::string& pathUtf8) {
    GuidanceWindow model(keywordSjis, pathUtf8);
    if (!model.Open()) {
        boxes_.Show(kMsgNoGuidanceFile, kCaptionGuidance, MbIcon::Stop, MbButtons::Ok);
        return;
    }
    CGuidanceDlg d(parent_, titleUtf8, model, profile_);
    d.FirstSearch();
    d.exec();
}

void QtGuidanceHost::OpenHelpFile(const std::string& pathUtf8) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(pathUtf8)));
}

}  // namespace qz
