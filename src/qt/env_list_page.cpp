// Page 4 of the settings sheet, "ファイル登録": the help entries and the user
// tools with their buttons and their entry editors (dialogs 114 and 196).
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <functional>

#include "platform/message_box.h"
#include "qt/env_sheet.h"

namespace qz {

namespace {

const char* const kButtons[] = {"変更", "追加", "削除", "上へ移動", "下へ移動"};
constexpr const char* kEditorTitle = "登録編集";
constexpr const char* kAnyFile = "全てのﾌｧｲﾙ(*.*)|*.*||";
const char* const kUpdateModes[] = {"しない", "現在のファイル", "全変更ファイル"};

QString Q(const std::string& s) { return QString::fromStdString(s); }

QLineEdit* Field(QFormLayout* form, const char* label, const char* name, const std::string& text) {
    auto* edit = new QLineEdit(Q(text));
    edit->setObjectName(QString::fromUtf8(name));
    edit->setMinimumWidth(320);
    form->addRow(QString::fromUtf8(label), edit);
    return edit;
}

// A field with a "参照" button that fills it from a file dialog.
QLineEdit* FileField(QFormLayout* form, const char* label, const char* name, const std::string& text,
                     const char* browseTitle) {
    auto* row = new QHBoxLayout;
    auto* edit = new QLineEdit(Q(text));
    edit->setObjectName(QString::fromUtf8(name));
    edit->setMinimumWidth(260);
    auto* browse = new QPushButton(QStringLiteral("参照"));
    QObject::connect(browse, &QPushButton::clicked, edit, [edit, browseTitle] {
        const QString path = QFileDialog::getOpenFileName(edit->window(), QString::fromUtf8(browseTitle), QString(),
                                                          QtFileFilter(kAnyFile));
        if (!path.isEmpty()) edit->setText(path);
    });
    row->addWidget(edit, 1);
    row->addWidget(browse);
    form->addRow(QString::fromUtf8(label), row);
    return edit;
}

// The editors' frame: fill lays out the form, OK is refused without a
// title, and take reads the form back before the dialog goes.
bool RunEditor(QWidget* parent, MessageBox& boxes, const std::function<void(QFormLayout*)>& fill,
               QLineEdit** title, const std::function<void()>& take) {
    QDialog d(parent);
    d.setWindowTitle(QString::fromUtf8(kEditorTitle));
    auto* layout = new QVBoxLayout(&d);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    fill(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &d, [&] {
        if (const auto refused = CheckEntryTitle((*title)->text().toStdString()))
            boxes.Show(*refused, kEditorTitle, MbIcon::Exclamation, MbButtons::Ok);
        else d.accept();
    });
    if (d.exec() != QDialog::Accepted) return false;
    take();
    return true;
}

// What a button does to a list; the row chosen afterwards.
template <class T>
int Apply(EntryList<T> list, const QString& button, int row, const std::function<bool(T&)>& edit) {
    if (button == "上へ移動") return list.MoveUp(row);
    if (button == "下へ移動") return list.MoveDown(row);
    if (button == "削除") return list.Delete(row);
    if (button == "追加") {
        T entry{};
        return list.CanAdd() && edit(entry) ? list.Add(entry) : row;
    }
    if (button == "変更" && list.Valid(row)) {
        T entry = list.rows[static_cast<size_t>(row)];
        return edit(entry) ? list.Change(row, entry) : row;
    }
    return row;
}

}  // namespace

CEnvPage3::CEnvPage3(SheetData& data, MessageBox& boxes, QWidget* parent)
    : QWidget(parent), data_(data), boxes_(boxes) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeList(false));
    layout->addWidget(MakeList(true), 1);
    Fill(false, data_.helps.empty() ? -1 : 0);
    Fill(true, data_.tools.empty() ? -1 : 0);
}

QPushButton* CEnvPage3::Button(bool tools, const QString& text) const {
    const auto it = buttons_.find({tools, text});
    return it == buttons_.end() ? nullptr : it->second;
}

QWidget* CEnvPage3::MakeList(bool tools) {
    auto* box = new QGroupBox(tools ? QStringLiteral("外部プログラム登録") : QStringLiteral("ヘルプ登録"));
    auto* row = new QHBoxLayout(box);
    auto* list = new QTreeWidget;
    list->setObjectName(tools ? QStringLiteral("c147") : QStringLiteral("c146"));
    list->setRootIsDecorated(false);
    list->setAllColumnsShowFocus(true);
    if (tools) list->setHeaderLabels({"タイトル", "プログラム", "パラメータ", "カレントディレクトリ", "保存", "OSｳｨﾝﾄﾞｳ"});
    else list->setHeaderLabels({"タイトル", "ファイル名"});
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    (tools ? toolList_ : helpList_) = list;
    row->addWidget(list, 1);
    auto* column = new QVBoxLayout;
    for (const char* text : kButtons) {
        auto* b = new QPushButton(QString::fromUtf8(text));
        buttons_[{tools, b->text()}] = b;
        connect(b, &QPushButton::clicked, this, [this, tools, text] { Act(tools, QString::fromUtf8(text)); });
        column->addWidget(b);
    }
    column->addStretch();
    row->addLayout(column);
    connect(list, &QTreeWidget::currentItemChanged, this, [this, tools] { UpdateButtons(tools); });
    connect(list, &QTreeWidget::itemDoubleClicked, this, [this, tools] { Act(tools, QStringLiteral("変更")); });
    return box;
}

void CEnvPage3::Fill(bool tools, int chosen) {
    QTreeWidget* list = tools ? toolList_ : helpList_;
    const QSignalBlocker quiet(list);
    list->clear();
    if (tools) {
        for (const UserTool& t : data_.tools) {
            const QString update = t.update >= 0 && t.update <= 2 ? QString::fromUtf8(kUpdateModes[t.update]) : QString::number(t.update);
            list->addTopLevelItem(new QTreeWidgetItem(
                {Q(t.title), Q(t.name), Q(t.param), Q(t.curdir), update, t.osWin ? QStringLiteral("○") : QString()}));
        }
    } else {
        for (const HelpEntry& h : data_.helps) list->addTopLevelItem(new QTreeWidgetItem({Q(h.title), Q(h.file)}));
    }
    if (chosen >= 0 && chosen < list->topLevelItemCount()) list->setCurrentItem(list->topLevelItem(chosen));
    UpdateButtons(tools);
}

void CEnvPage3::UpdateButtons(bool tools) {
    QTreeWidget* list = tools ? toolList_ : helpList_;
    const int rows = list->topLevelItemCount();
    const int chosen = list->currentItem() ? list->indexOfTopLevelItem(list->currentItem()) : -1;
    const bool any = chosen >= 0;
    Button(tools, "変更")->setEnabled(any);
    Button(tools, "削除")->setEnabled(any);
    Button(tools, "上へ移動")->setEnabled(any && chosen > 0);
    Button(tools, "下へ移動")->setEnabled(any && chosen + 1 < rows);
    Button(tools, "追加")->setEnabled(tools || data_.helps.size() < size_t(kMaxHelpEntries));
}

void CEnvPage3::Act(bool tools, const QString& button) {
    QTreeWidget* list = tools ? toolList_ : helpList_;
    const int row = list->currentItem() ? list->indexOfTopLevelItem(list->currentItem()) : -1;
    int chosen;
    if (tools)
        chosen = Apply<UserTool>({data_.tools, size_t(-1)}, button, row, [this](UserTool& t) { return EditTool(t); });
    else
        chosen = Apply<HelpEntry>({data_.helps, size_t(kMaxHelpEntries)}, button, row,
                                  [this](HelpEntry& h) { return EditHelp(h); });
    Fill(tools, chosen);
}

bool CEnvPage3::EditHelp(HelpEntry& entry) {
    QLineEdit *title = nullptr, *file = nullptr;
    return RunEditor(
        this, boxes_,
        [&](QFormLayout* form) {
            title = Field(form, "タイトル", "title", entry.title);
            file = FileField(form, "ヘルプファイル", "file", entry.file, "ヘルプファイルの指定");
        },
        &title, [&] { entry = {title->text().toStdString(), file->text().toStdString()}; });
}

bool CEnvPage3::EditTool(UserTool& tool) {
    QLineEdit *title = nullptr, *name = nullptr, *param = nullptr, *curdir = nullptr;
    QButtonGroup* update = nullptr;
    QCheckBox* osWin = nullptr;
    auto fill = [&](QFormLayout* form) {
        title = Field(form, "タイトル", "title", tool.title);
        name = FileField(form, "プログラム名", "name", tool.name, "プログラムの指定");
        param = Field(form, "パラメータ", "param", tool.param);
        curdir = Field(form, "カレントディレクトリ", "curdir", tool.curdir);
        auto* modes = new QHBoxLayout;
        update = new QButtonGroup(form);
        for (int i = 0; i < 3; ++i) {
            auto* r = new QRadioButton(QString::fromUtf8(kUpdateModes[i]));
            r->setObjectName(QStringLiteral("update%1").arg(i));
            r->setChecked(tool.update == i);
            update->addButton(r, i);
            modes->addWidget(r);
        }
        form->addRow(QStringLiteral("実行前にファイルを保存"), modes);
        osWin = new QCheckBox(QStringLiteral("ＯＳウィンドウで実行する"));
        osWin->setObjectName(QStringLiteral("osWin"));
        osWin->setChecked(tool.osWin != 0);
        form->addRow(QString(), osWin);
    };
    return RunEditor(this, boxes_, fill, &title, [&] {
        tool.title = title->text().toStdString();
        tool.name = name->text().toStdString();
        tool.param = param->text().toStdString();
        tool.curdir = curdir->text().toStdString();
        // A mode no radio stands for stays as it was.
        if (update->checkedId() >= 0) tool.update = update->checkedId();
        tool.osWin = osWin->isChecked() ? (tool.osWin ? tool.osWin : 1) : 0;
    });
}

}  // namespace qz
