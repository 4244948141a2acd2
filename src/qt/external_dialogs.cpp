// Grep, tag generation and user-tool dialogs.
#include "qt/external_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "external/folder_roots.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "app/help_opener.h"
#include "qt/help_opener.h"

namespace qz {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }
QString U(const std::string& utf8) { return QString::fromStdString(utf8); }

QComboBox* HistoryBox(const std::array<std::string, kPatternLists>& history, const char* name) {
    auto* box = new QComboBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(40);
    for (const std::string& h : history)
        if (!h.empty()) box->addItem(U(h));
    return box;
}

QDialogButtonBox* Buttons(QDialog* d, MessageBox& boxes, const char* helpPage) {
    auto* b = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(b, &QDialogButtonBox::accepted, d, &QDialog::accept);
    QObject::connect(b, &QDialogButtonBox::rejected, d, &QDialog::reject);
    if (helpPage) {
        QPushButton* help = b->addButton(U("ヘルプ(&H)"), QDialogButtonBox::HelpRole);
        help->setObjectName(QStringLiteral("help"));
        QObject::connect(help, &QPushButton::clicked, d, [&boxes, helpPage] { OpenHelpPage(boxes, helpPage); });
    }
    return b;
}

std::string Text(const QComboBox* box) { return box->currentText().toStdString(); }

}  // namespace

// ------------------------------------------------------------------ folder picker

FolderPicker::FolderPicker(MessageBox& boxes, QWidget* parent)
    : QWidget(parent), boxes_(boxes), dir_(new QLabel), folders_(new QListWidget), places_(new QComboBox) {
    dir_->setObjectName(QStringLiteral("directory"));
    folders_->setObjectName(QStringLiteral("folders"));
    places_->setObjectName(QStringLiteral("places"));
    dir_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(dir_);
    layout->addWidget(folders_);
    layout->addWidget(places_);
    for (const std::string& r : FolderRootsNow()) places_->addItem(U(r));
    places_->setCurrentIndex(-1);
    folders_->installEventFilter(this);
    connect(folders_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { Enter(item->text()); });
    connect(places_, qOverload<int>(&QComboBox::activated), this, &FolderPicker::ChoosePlace);
    Refresh();
}

void FolderPicker::Refresh() {
    const std::string cwd = CurrentDirectory();
    dir_->setText(U(cwd));
    folders_->clear();
    if (cwd != "/") folders_->addItem(QStringLiteral(".."));
    std::vector<std::string> names;
    ListFolder(cwd, names);
    for (const std::string& n : names)
        if (QFileInfo(U(FullPath(cwd, n))).isDir()) folders_->addItem(U(n));
    if (folders_->count() > 0) folders_->setCurrentRow(0);
}

bool FolderPicker::eventFilter(QObject* watched, QEvent* e) {
    // Enter in the list goes into the folder instead of pressing OK.
    if (watched == folders_ && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && folders_->currentItem()) {
            Enter(folders_->currentItem()->text());
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

void FolderPicker::Enter(const QString& name) {
    SetCurrentDirectory(FullPath(CurrentDirectory(), name.toStdString()));
    Refresh();
}

void FolderPicker::ChoosePlace(int index) {
    const std::string place = places_->itemText(index).toStdString();
    if (!SetCurrentDirectory(place)) {
        boxes_.Show(place + " にアクセスできません。\nﾃﾞﾊﾞｲｽの準備が出来ていません。", "ドライブ変更", MbIcon::Stop,
                    MbButtons::Ok);
    }
    Refresh();
}

namespace {

// The grep and tag dialogs: their fields, then their check boxes beside the
// folder picker, then the buttons.
void LayOutWithFolders(QDialog* d, MessageBox& boxes, QLayout* fields, QLayout* checks) {
    auto* row = new QHBoxLayout;
    row->addLayout(checks);
    row->addWidget(new FolderPicker(boxes, d), 1);
    auto* layout = new QVBoxLayout(d);
    layout->addLayout(fields);
    layout->addLayout(row);
    layout->addWidget(Buttons(d, boxes, kHelpFunctionsPage));
}

}  // namespace

// ------------------------------------------------------------------ grep

GrepDialog::GrepDialog(QWidget* parent, MessageBox& boxes, const Settings& s, const std::string& proposal)
    : QDialog(parent), boxes_(boxes) {
    setWindowTitle(U("ＧＲＥＰの実行"));
    pattern_ = HistoryBox(s.grepSearchPtn, "pattern");
    if (!proposal.empty()) pattern_->setEditText(U(proposal));
    files_ = HistoryBox(s.grepFilePtn, "files");
    static const char* const kBits[] = {"大／小文字を区別する(&C)", "あいまい検索を行う(&F)", "正規表現で検索する(&R)",
                                        "単語として検索する(&W)",   "フルパスで表示する(&P)",   "サブフォルダも検索する(&U)",
                                        "\"file-name\"で表示する(&B)"};
    auto* checks = new QVBoxLayout;
    for (size_t i = 0; i < bits_.size(); ++i) {
        bits_[i] = new QCheckBox(U(kBits[i]));
        bits_[i]->setObjectName(QStringLiteral("bit%1").arg(1 << i));
        bits_[i]->setChecked(s.grepMode & (1 << i));
        checks->addWidget(bits_[i]);
    }
    option_ = new QLineEdit(U(s.grepOption));
    option_->setObjectName(QStringLiteral("option"));
    auto* form = new QFormLayout;
    form->addRow(U("検索パターン(&S):"), pattern_);
    form->addRow(U("ファイル名(&N):"), files_);
    form->addRow(QString(), new QLabel(U("ﾜｲﾙﾄﾞｶｰﾄﾞ可")));
    form->addRow(U("特殊ｵﾌﾟｼｮﾝ(&O):"), option_);
    LayOutWithFolders(this, boxes, form, checks);
    pattern_->setFocus();
    pattern_->lineEdit()->selectAll();
}

std::string GrepDialog::Pattern() const { return Text(pattern_); }
std::string GrepDialog::Files() const { return Text(files_); }
std::string GrepDialog::Option() const { return option_->text().toStdString(); }

unsigned GrepDialog::Mode() const {
    unsigned mode = 0;
    for (size_t i = 0; i < bits_.size(); ++i)
        if (bits_[i]->isChecked()) mode |= 1u << i;
    return mode;
}

void GrepDialog::accept() {
    const char* missing = Pattern().empty() ? "検索パターンを入力して下さい"
                          : Files().empty() ? "検索対象のファイル名を入力して下さい"
                                            : nullptr;
    if (missing) {
        boxes_.Show(missing, "ＧＲＥＰの実行", MbIcon::Stop, MbButtons::Ok);
        return;
    }
    QDialog::accept();
}

// ------------------------------------------------------------------ tag generation

QztagsDialog::QztagsDialog(QWidget* parent, MessageBox& boxes, const Settings& s)
    : QDialog(parent), boxes_(boxes) {
    setWindowTitle(U("ＱＺＴＡＧＳの実行"));
    targets_ = HistoryBox(s.qztagsFilePtn, "targets");
    recurse_ = new QCheckBox(U("サブフォルダも検索する(&U)"));
    recurse_->setObjectName(QStringLiteral("recurse"));
    recurse_->setChecked(s.qztagsMode & 1);
    fullPath_ = new QCheckBox(U("フルパスで表示する(&P)"));
    fullPath_->setObjectName(QStringLiteral("fullPath"));
    fullPath_->setChecked(s.qztagsMode & 2);
    auto* form = new QFormLayout;
    form->addRow(U("対象ファイル(&T)"), targets_);
    auto* checks = new QVBoxLayout;
    checks->addWidget(recurse_);
    checks->addWidget(fullPath_);
    checks->addStretch();
    LayOutWithFolders(this, boxes, form, checks);
    targets_->setFocus();
}

std::string QztagsDialog::Targets() const { return Text(targets_); }
unsigned QztagsDialog::Mode() const { return (recurse_->isChecked() ? 1u : 0u) | (fullPath_->isChecked() ? 2u : 0u); }

void QztagsDialog::accept() {
    if (Targets().empty()) {
        boxes_.Show("対象ファイル名を入力して下さい", "ＱＺＴＡＧＳの実行", MbIcon::Stop, MbButtons::Ok);
        return;
    }
    QDialog::accept();
}

// ------------------------------------------------------------------ user tools

UserToolDialog::UserToolDialog(QWidget* parent, const std::vector<UserTool>& tools)
    : QDialog(parent), list_(new QListWidget) {
    setWindowTitle(U("外部プログラム起動"));
    list_->setObjectName(QStringLiteral("tools"));
    for (const UserTool& t : tools) list_->addItem(U(t.title));
    list_->setCurrentRow(0);
    connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);
    auto* b = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(b, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(b, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(b);
}

int UserToolDialog::Chosen() const { return list_->currentRow(); }

}  // namespace qz
