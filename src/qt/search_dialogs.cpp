// The three search dialogs: one layout with the parts each kind shows.
#include "qt/search_dialogs.h"
#include "qt/help_opener.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "platform/cp932.h"

namespace qz {

namespace {

QString U(const std::string& sjis) { return QString::fromStdString(SjisToUtf8(sjis)); }

QComboBox* HistoryCombo(QWidget* parent, const std::string& current, const std::array<std::string, 16>& history) {
    auto* c = new QComboBox(parent);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMinimumContentsLength(32);
    for (const std::string& h : history)
        if (!h.empty()) c->addItem(U(h));
    c->setEditText(U(current));
    c->lineEdit()->selectAll();
    return c;
}

}  // namespace

SearchDialog::SearchDialog(QWidget* parent, Kind kind, const std::string& text, const std::string& replacement,
                           unsigned options, const std::array<std::string, 16>& history,
                           const std::array<std::string, 16>& replaceHistory)
    : QDialog(parent), kind_(kind) {
    const bool search = kind == kSearch;
    setWindowTitle(search ? QStringLiteral("検索") : kind == kReplace ? QStringLiteral("置き換え")
                                                                       : QStringLiteral("全て置き換え"));
    auto* top = new QVBoxLayout(this);
    auto* fields = new QGridLayout;
    top->addLayout(fields);
    text_ = HistoryCombo(this, text, history);
    if (search) {
        auto* prompt = new QLabel(QStringLiteral("検索する文字列を入力してください(&S)"), this);
        prompt->setBuddy(text_);
        fields->addWidget(prompt, 0, 0);
        fields->addWidget(text_, 1, 0);
    } else {
        replacement_ = HistoryCombo(this, replacement, replaceHistory);
        auto* l1 = new QLabel(QStringLiteral("現文字列(&T)："), this);
        auto* l2 = new QLabel(QStringLiteral("新文字列(&S)："), this);
        l1->setBuddy(text_);
        l2->setBuddy(replacement_);
        fields->addWidget(l1, 0, 0);
        fields->addWidget(text_, 0, 1);
        fields->addWidget(l2, 1, 0);
        fields->addWidget(replacement_, 1, 1);
    }

    auto* opts = new QGroupBox(this);
    auto* og = new QGridLayout(opts);
    case_ = new QCheckBox(QStringLiteral("大／小文字を区別する(&C)"), opts);
    fuzzy_ = new QCheckBox(QStringLiteral("あいまい検索を行う(&F)"), opts);
    regex_ = new QCheckBox(QStringLiteral("正規表現で検索する(&R)"), opts);
    word_ = new QCheckBox(QStringLiteral("単語として検索する(&W)"), opts);
    escape_ = new QCheckBox(QStringLiteral("ｴｽｹｰﾌﾟｼｰｹﾝｽを使用する(&E)"), opts);
    wildcard_ = new QCheckBox(QStringLiteral("？を任意の一文字とする(&?)"), opts);
    og->addWidget(case_, 0, 0);
    og->addWidget(fuzzy_, 1, 0);
    og->addWidget(regex_, 2, 0);
    og->addWidget(word_, 0, 1);
    og->addWidget(escape_, 1, 1);
    og->addWidget(wildcard_, 2, 1);
    top->addWidget(opts);
    case_->setChecked(options & kOptCase);
    fuzzy_->setChecked(options & kOptFuzzy);
    word_->setChecked(options & kOptWord);
    escape_->setChecked(options & kOptEscape);
    wildcard_->setChecked(options & kOptWildcard);
    regex_->setChecked(options & kOptRegex);
    RegexToggled(regex_->isChecked());
    connect(regex_, &QCheckBox::toggled, this, &SearchDialog::RegexToggled);
    keep_ = options & ~(kOptCase | kOptFuzzy | kOptRegex | kOptWord | kOptEscape | kOptWildcard);
    if (search) {
        auto* style = new QGroupBox(this);
        auto* sl = new QHBoxLayout(style);
        kom_ = new QRadioButton(QStringLiteral("ＫＯＭ風（↑↓キーで連続検索）"), style);
        slate_ = new QRadioButton(QStringLiteral("ＳＬＡＴＥ風（１回検索）"), style);
        sl->addWidget(kom_);
        sl->addWidget(slate_);
        (options & kOptSlateStyle ? slate_ : kom_)->setChecked(true);
        top->addWidget(style);
        keep_ &= ~kOptSlateStyle;
    } else if (kind == kReplace) {
        box_ = new QCheckBox(QStringLiteral("置き換え操作ＢＯＸを開く(&B)"), this);
        box_->setChecked(options & kOptReplaceBox);
        top->addWidget(box_);
        keep_ &= ~kOptReplaceBox;
    }
    top->addWidget(new QLabel(QStringLiteral("F01:カーソル行を検索文字列に張り付ける"), this));
    top->addWidget(new QLabel(QStringLiteral("F09:クリップボードのデータを検索文字列に張り付ける"), this));

    auto* buttons = new QDialogButtonBox(Qt::Horizontal, this);
    auto add = [&](const QString& label, Action a, bool isDefault = false) {
        QPushButton* b = buttons->addButton(label, QDialogButtonBox::ActionRole);
        b->setDefault(isDefault);
        connect(b, &QPushButton::clicked, this, [this, a] { Finish(a); });
        return b;
    };
    if (kind == kReplaceAll) {
        add(QStringLiteral("置き換え(&A)"), kAll, true);
    } else {
        add(search ? QStringLiteral("上に検索(&P)") : QStringLiteral("上に置換(&P)"), kUp);
        add(search ? QStringLiteral("下に検索(&N)") : QStringLiteral("下に置換(&N)"), kDown, true);
        add(QStringLiteral("保存"), kSaved);
    }
    add(QStringLiteral("閉じる"), kClosed);
    QPushButton* help = buttons->addButton(QStringLiteral("ﾍﾙﾌﾟ(&H)"), QDialogButtonBox::HelpRole);
    help->setObjectName("helpButton");
    ConnectHelpButton(help, kHelpFunctionsPage, "search");
    top->addWidget(buttons);

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [this] {
        if (caretRow) PasteIntoSearch(caretRow());
    });
    auto* f9 = new QShortcut(QKeySequence(Qt::Key_F9), this);
    connect(f9, &QShortcut::activated, this, [this] {
        if (clipboard) PasteIntoSearch(clipboard());
    });
    text_->setFocus();
}

void SearchDialog::PasteIntoSearch(const std::string& sjis) {
    // One line of it: the search string has no line ends of its own.
    std::string line = sjis.substr(0, sjis.find_first_of("\r\n"));
    text_->setEditText(U(line));
}

void SearchDialog::RegexToggled(bool on) {
    // A regular expression always reads escapes and never the "?" wildcard.
    if (on) {
        escape_->setChecked(true);
        wildcard_->setChecked(false);
    }
    escape_->setEnabled(!on);
    wildcard_->setEnabled(!on);
}

void SearchDialog::Finish(Action a) {
    // A character without a Shift-JIS form can never be in the text: say
    // so instead of searching for something else.
    std::string sjis;
    for (const QComboBox* c : {text_, replacement_}) {
        if (a == kClosed || !c || Utf8ToCp932(c->currentText().toStdString(), sjis)) continue;
        QMessageBox::warning(this, windowTitle(), QStringLiteral("シフトJISで表せない文字は検索できません"));
        return;
    }
    action_ = a;
    if (a == kClosed) reject();
    else accept();
}

std::string SearchDialog::Text() const { return Utf8ToSjis(text_->currentText().toStdString()); }

std::string SearchDialog::Replacement() const {
    return replacement_ ? Utf8ToSjis(replacement_->currentText().toStdString()) : std::string();
}

unsigned SearchDialog::Options() const {
    unsigned o = keep_;
    if (case_->isChecked()) o |= kOptCase;
    if (fuzzy_->isChecked()) o |= kOptFuzzy;
    if (regex_->isChecked()) o |= kOptRegex;
    if (word_->isChecked()) o |= kOptWord;
    if (escape_->isChecked()) o |= kOptEscape;
    if (wildcard_->isChecked()) o |= kOptWildcard;
    if (slate_ && slate_->isChecked()) o |= kOptSlateStyle;
    if (box_ && box_->isChecked()) o |= kOptReplaceBox;
    return o;
}

}  // namespace qz
