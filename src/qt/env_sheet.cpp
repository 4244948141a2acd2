// The settings sheet's pages built from the binding table, and the sheet.
#include "qt/env_sheet.h"
#include "qt/help_opener.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <algorithm>

#include "platform/message_box.h"
#include "platform/cp932.h"
#include "platform/paths.h"
#include "qt/view_widget.h"
#include "view/qzed_view.h"

namespace qz {

namespace {

// Texts beside a control that no setting stands behind: notes, examples,
// the caption of a row of radios, and the old scheme's own name, which is
// shown greyed beside its empty radio.
struct Hint {
    int page, control;
    const char* text;
    bool before = false;
    bool greyed = false;
};
const Hint kHints[] = {
    {kPageDisplay, 139, "注意：フォントはすべてのファイル種別で共通となります。"},
    {kPageFile, 441, "※ シフトJISのファイルを誤って認識することがあります"},
    {kPageFile, 440, "(例: D E F)"},
    {kPageOther1, kOldSchemeRadio, "それなりに　ＴＡＬＶＥ風", false, true},
    {kPageOther2, 406, "インターネットエクスプローラ", true},
    {kPageOther2, 409, "ネットスケープ", true},
};

const Hint* HintOf(int page, int control) {
    for (const Hint& h : kHints)
        if (h.page == page && h.control == control) return &h;
    return nullptr;
}

const BrowseButton* BrowseOf(int page, int field) {
    for (const BrowseButton& b : EnvBrowseButtons())
        if (b.page == page && b.field == field) return &b;
    return nullptr;
}

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QIcon Swatch(int index) {
    QPixmap pm(14, 14);
    const uint32_t v = kPalette[index];
    pm.fill(QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF));
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 13, 13);
    return QIcon(pm);
}

// The chosen font in the stored form; what the chooser does not offer stays.
LogFont LogFontOf(const QFont& f, LogFont lf) {
    const int px = f.pixelSize() > 0 ? f.pixelSize() : qRound(f.pointSizeF() * 96.0 / 72.0);
    lf.lfHeight = -std::max(1, px);
    lf.lfWidth = 0;
    lf.lfWeight = f.weight();
    lf.lfItalic = f.italic() ? 1 : 0;
    lf.lfFaceName = Utf8PrefixBySjisBytes(f.family().toStdString(), kFaceNameBytes);
    return lf;
}

bool IsField(Bind k) { return k == Bind::Number || k == Bind::Text || k == Bind::FileList || k == Bind::Colour; }

}  // namespace

// ------------------------------------------------------------------ number field

NumberField::NumberField(int least, int most, QWidget* parent) : QSpinBox(parent), least_(least), most_(most) {
    setRange(-99999999, 99999999);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 24);
}

void NumberField::stepBy(int steps) { setValue(std::clamp(value() + steps, least_, most_)); }

QAbstractSpinBox::StepEnabled NumberField::stepEnabled() const {
    if (isReadOnly()) return StepNone;
    StepEnabled s = StepNone;
    if (value() < most_) s |= StepUpEnabled;
    if (value() > least_) s |= StepDownEnabled;
    return s;
}

// ------------------------------------------------------------------ bound page

EnvBoundPage::EnvBoundPage(int page, SheetData& data, MessageBox& boxes, QWidget* parent)
    : QWidget(parent), data_(data), boxes_(boxes), page_(page), type_(IsPerTypePage(page) ? 1 : 0) {
    Build();
    ShowValues();
}

QWidget* EnvBoundPage::Control(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

QWidget* EnvBoundPage::MakeControl(const Binding& b) {
    QWidget* w = nullptr;
    switch (b.kind) {
    case Bind::Check:
    case Bind::NotOne:
    case Bind::Bit: {
        auto* box = new QCheckBox(U(b.label));
        connect(box, &QCheckBox::toggled, this, [this, &b] { Changed(b); });
        w = box;
        break;
    }
    case Bind::Radio: {
        auto* radio = new QRadioButton(U(b.label));
        QButtonGroup*& group = radioGroups_[b.setting];
        if (!group) group = new QButtonGroup(this);
        group->addButton(radio);
        connect(radio, &QRadioButton::toggled, this, [this, &b](bool on) {
            if (on) Changed(b);
        });
        w = radio;
        break;
    }
    case Bind::Number: w = new NumberField(b.value, b.max); break;
    case Bind::Text: w = new QLineEdit; break;
    case Bind::FileList: {
        auto* combo = new QComboBox;
        combo->setEditable(true);
        for (const std::string& n : FilesMatching(ProgramFolder(), b.pattern)) combo->addItem(QString::fromStdString(n));
        w = combo;
        break;
    }
    case Bind::Colour: {
        auto* combo = new QComboBox;
        for (int i = 0; i < 16; ++i) combo->addItem(Swatch(i), U(kColourNames[i]));
        w = combo;
        break;
    }
    case Bind::Title:
    case Bind::Font: {
        auto* button = new QPushButton(U(b.label));
        connect(button, &QPushButton::clicked, this, [this, &b] { ButtonClicked(b); });
        w = button;
        break;
    }
    }
    w->setObjectName(QStringLiteral("c%1").arg(b.control));
    controls_[b.control] = w;
    return w;
}

// Rows of a frame: one per control, a run of radios of one setting on one
// line when their texts are short; fields with their label before them.
void EnvBoundPage::Build() {
    auto* outer = new QVBoxLayout(this);
    QHBoxLayout* typeRow = nullptr;
    if (IsPerTypePage(page_)) {
        typeRow = new QHBoxLayout;
        typeList_ = new QComboBox;
        typeList_->setObjectName(QStringLiteral("c%1").arg(kTypeListControl));
        controls_[kTypeListControl] = typeList_;
        for (int t = 1; t <= kFileTypes; ++t) typeList_->addItem(QString::fromStdString(data_.type[t].FileTitle));
        connect(typeList_, &QComboBox::currentIndexChanged, this, [this](int i) { ChooseType(i); });
        typeRow->addWidget(new QLabel(QStringLiteral("ファイル種別")));
        typeRow->addWidget(typeList_, 1);
        outer->addLayout(typeRow);
    }

    struct Frame {
        QString title;
        std::vector<const Binding*> rows;
    };
    std::vector<Frame> frames;
    for (const Binding& b : EnvBindings()) {
        if (b.page != page_) continue;
        if (!*b.group && typeRow) {
            typeRow->addWidget(MakeControl(b));
            continue;
        }
        if (frames.empty() || frames.back().title != U(b.group) || !*b.group) frames.push_back({U(b.group), {}});
        frames.back().rows.push_back(&b);
    }

    auto* columns = new QHBoxLayout;
    QVBoxLayout* column[2] = {new QVBoxLayout, new QVBoxLayout};
    size_t total = 0, placed = 0;
    for (const Frame& f : frames) total += f.rows.size();
    for (const Frame& f : frames) {
        QWidget* box = f.title.isEmpty() ? new QWidget : new QGroupBox(f.title);
        auto* rows = new QVBoxLayout(box);
        if (f.title.isEmpty()) rows->setContentsMargins(0, 0, 0, 0);
        for (size_t i = 0; i < f.rows.size();) {
            const Binding& b = *f.rows[i];
            auto* line = new QHBoxLayout;
            const Hint* before = HintOf(page_, b.control);
            if (before && before->before) line->addWidget(new QLabel(U(before->text)));
            size_t j = i + 1;
            if (b.kind == Bind::Radio) {
                while (j < f.rows.size() && f.rows[j]->kind == Bind::Radio && std::string(f.rows[j]->setting) == b.setting) ++j;
                const bool wide = std::any_of(f.rows.begin() + i, f.rows.begin() + j,
                                              [](const Binding* r) { return U(r->label).size() > 10; });
                for (size_t k = i; k < j; ++k) {
                    const Binding& r = *f.rows[k];
                    line->addWidget(MakeControl(r));
                    const Hint* h = HintOf(page_, r.control);
                    if (h && !h->before) {
                        auto* label = new QLabel(U(h->text));
                        label->setEnabled(!h->greyed);
                        line->addWidget(label);
                    }
                    if (wide && k + 1 < j) {
                        line->addStretch();
                        rows->addLayout(line);
                        line = new QHBoxLayout;
                    }
                }
            } else {
                if (IsField(b.kind) && *b.label) {
                    auto* label = new QLabel(U(b.label));
                    labels_[b.control] = label;
                    line->addWidget(label);
                }
                QWidget* w = MakeControl(b);
                line->addWidget(w, b.kind == Bind::Text || b.kind == Bind::FileList ? 1 : 0);
                if (const BrowseButton* br = BrowseOf(page_, b.control)) {
                    auto* button = new QPushButton(QStringLiteral("参照"));
                    button->setObjectName(QStringLiteral("c%1").arg(br->button));
                    controls_[br->button] = button;
                    connect(button, &QPushButton::clicked, this, [this, br, w] {
                        const QString path = QFileDialog::getOpenFileName(this, U(br->title), QString(), QtFileFilter(br->filter));
                        if (!path.isEmpty()) static_cast<QLineEdit*>(w)->setText(path);
                    });
                    line->addWidget(button);
                }
                if (const Hint* h = HintOf(page_, b.control); h && !h->before) line->addWidget(new QLabel(U(h->text)));
            }
            line->addStretch();
            rows->addLayout(line);
            i = j;
        }
        const int side = placed * 2 < total ? 0 : 1;
        column[side]->addWidget(box);
        placed += f.rows.size();
    }
    for (QVBoxLayout* c : column) {
        c->addStretch();
        columns->addLayout(c, 1);
    }
    outer->addLayout(columns, 1);
}

ControlValue EnvBoundPage::Read(const Binding& b) const {
    ControlValue v = ReadControl(data_, b, type_);
    QWidget* w = Control(b.control);
    if (auto* box = qobject_cast<QAbstractButton*>(w); box && box->isCheckable()) v.number = box->isChecked();
    else if (auto* number = qobject_cast<NumberField*>(w)) v.text = number->text().toStdString();
    else if (auto* edit = qobject_cast<QLineEdit*>(w)) v.text = edit->text().toStdString();
    else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (b.kind == Bind::Colour) v.number = combo->currentIndex();
        else v.text = combo->currentText().toStdString();
    }
    return v;
}

void EnvBoundPage::Show(const Binding& b, const ControlValue& v) {
    QWidget* w = Control(b.control);
    if (auto* box = qobject_cast<QAbstractButton*>(w); box && box->isCheckable()) box->setChecked(v.number != 0);
    else if (auto* number = qobject_cast<NumberField*>(w)) number->setValue(v.number);
    else if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->setText(QString::fromStdString(v.text));
    else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (b.kind == Bind::Colour) combo->setCurrentIndex(v.number >= 0 && v.number < 16 ? v.number : -1);
        else combo->setEditText(QString::fromStdString(v.text));
    }
}

void EnvBoundPage::ShowValues() {
    {
        // An unchosen group (a value no radio stands for) must show as such.
        std::vector<QSignalBlocker> quiet;
        for (auto& [id, w] : controls_) quiet.emplace_back(w);
        for (auto& [setting, group] : radioGroups_) group->setExclusive(false);
        for (const Binding& b : EnvBindings())
            if (b.page == page_) Show(b, ReadControl(data_, b, type_));
        for (auto& [setting, group] : radioGroups_) group->setExclusive(true);
        if (typeList_)
            for (int t = 1; t <= kFileTypes; ++t) typeList_->setItemText(t - 1, QString::fromStdString(data_.type[t].FileTitle));
    }
    UpdateStates();
}

bool EnvBoundPage::TakeValues() {
    const std::optional<Refusal> refused =
        WritePage(data_, page_, type_, [this](const Binding& b) { return Read(b); });
    if (!refused) return true;
    boxes_.Show(refused->message, kEnvSheetCaption, MbIcon::Exclamation, MbButtons::Ok);
    if (QWidget* w = Control(refused->binding->control)) {
        w->setFocus();
        if (auto* number = qobject_cast<NumberField*>(w)) number->selectAll();
    }
    return false;
}

void EnvBoundPage::Changed(const Binding& b) {
    WriteControl(data_, b, type_, Read(b));
    UpdateStates();
}

void EnvBoundPage::UpdateStates() {
    for (auto& [id, w] : controls_) {
        ControlState st = StateOfControl(data_, page_, id, type_);
        if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->setReadOnly(st.readOnly);
        else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) spin->setReadOnly(st.readOnly);
        else if (qobject_cast<QPushButton*>(w) && st.readOnly) st.enabled = false;
        w->setEnabled(st.enabled);
        if (const auto label = labels_.find(id); label != labels_.end()) label->second->setEnabled(st.enabled);
    }
}

void EnvBoundPage::ChooseType(int index) {
    const int type = index + 1;
    if (type == type_ || type < 1 || type > kFileTypes) return;
    // The values shown belong to the type being left; a refused one keeps it.
    if (!TakeValues()) {
        const QSignalBlocker quiet(typeList_);
        typeList_->setCurrentIndex(type_ - 1);
        return;
    }
    type_ = type;
    ShowValues();
}

// ------------------------------------------------------------------ pages 1, 2 and 5

void CEnvPage1::ButtonClicked(const Binding& b) {
    if (b.kind != Bind::Title) return;
    // Dialog 184: the type's name in the type lists.
    QDialog d(this);
    d.setWindowTitle(QStringLiteral("タイトル名の変更"));
    auto* edit = new QLineEdit(QString::fromStdString(data_.type[FileType()].FileTitle));
    edit->setObjectName(QStringLiteral("title"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel(QStringLiteral("タイトル名")));
    layout->addWidget(edit);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, &d, [&] {
        if (const auto refused = CheckEntryTitle(edit->text().toStdString()))
            boxes_.Show(*refused, "タイトル名の変更", MbIcon::Exclamation, MbButtons::Ok);
        else d.accept();
    });
    if (d.exec() != QDialog::Accepted) return;
    ControlValue v;
    v.text = edit->text().toStdString();
    WriteControl(data_, b, FileType(), v);
    TypeList()->setItemText(FileType() - 1, edit->text());
}

CEnvPage2::CEnvPage2(SheetData& data, MessageBox& boxes, QWidget* parent)
    : EnvBoundPage(kPageDisplay, data, boxes, parent), fontName_(new QLabel) {
    fontName_->setObjectName(QStringLiteral("fontName"));
    if (QWidget* button = Control(139)) button->parentWidget()->layout()->addWidget(fontName_);
    ShowFont();
}

void CEnvPage2::ShowFont() {
    const LogFont& f = data_.displayFont;
    fontName_->setText(QStringLiteral("%1  %2px").arg(QString::fromStdString(f.lfFaceName)).arg(std::abs(f.lfHeight)));
}

void CEnvPage2::ButtonClicked(const Binding& b) {
    if (b.kind != Bind::Font) return;
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, QzedViewWidget::FontOf(data_.displayFont), this, U(b.label),
                                              QFontDialog::MonospacedFonts);
    if (!ok) return;
    ControlValue v;
    v.font = LogFontOf(chosen, data_.displayFont);
    WriteControl(data_, b, FileType(), v);
    ShowFont();
}

void CEnvPage5::Changed(const Binding& b) {
    EnvBoundPage::Changed(b);
    if (b.control == kOldSchemeRadio) boxes_.Show(kMsgOldScheme, kCaptionOldScheme, MbIcon::Exclamation, MbButtons::Ok);
}

// ------------------------------------------------------------------ the sheet

CEnvSheet::CEnvSheet(QWidget* parent, SheetData data, MessageBox& boxes)
    : QDialog(parent), data_(std::move(data)), boxes_(boxes), tabs_(new QTabWidget(this)) {
    setWindowTitle(U(kEnvSheetCaption));
    tabs_->addTab(new CEnvPage1(data_, boxes_), U(EnvPageOf(kPageEdit).title));
    tabs_->addTab(new CEnvPage2(data_, boxes_), U(EnvPageOf(kPageDisplay).title));
    tabs_->addTab(new CEnvPage7(data_, boxes_), U(EnvPageOf(kPageFile).title));
    tabs_->addTab(listPage_ = new CEnvPage3(data_, boxes_), U(EnvPageOf(kPageRegister).title));
    tabs_->addTab(new CEnvPage5(data_, boxes_), U(EnvPageOf(kPageOther1).title));
    tabs_->addTab(new CEnvPage6(data_, boxes_), U(EnvPageOf(kPageOther2).title));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    buttons->button(QDialogButtonBox::Help)->setText(QStringLiteral("ﾍﾙﾌﾟ"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CEnvSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CEnvSheet::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
        // Each page of the sheet has its own part of the page.
        OpenHelpPage(boxes_, kEnvHelpPage, "page" + std::to_string(tabs_->currentIndex() + 1));
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
}

EnvBoundPage* CEnvSheet::BoundPage(int page) const {
    return qobject_cast<EnvBoundPage*>(tabs_->widget(page - 1));
}

void CEnvSheet::accept() {
    for (int page = 1; page <= kEnvPages; ++page) {
        EnvBoundPage* p = BoundPage(page);
        if (p && !p->TakeValues()) {
            tabs_->setCurrentWidget(p);
            return;
        }
    }
    QDialog::accept();
}

// ------------------------------------------------------------------ helpers

QString QtFileFilter(const char* filter) {
    const QStringList parts = U(filter).split('|', Qt::SkipEmptyParts);
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        // A name that ends in its own patterns, "name(*.bmp)", says it all.
        const QString patterns = QString(parts[i + 1]).replace(';', ' ');
        filters << (parts[i].endsWith("(" + patterns + ")") ? parts[i] : parts[i] + " (" + patterns + ")");
    }
    return filters.join(QStringLiteral(";;"));
}

}  // namespace qz
