#include "qt/print_layout_dlg.h"
#include "qt/help_opener.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

#include "qt/log_font.h"
#include "qt/print_run.h"
#include "qt/print_surface.h"

namespace qz {

namespace {

QRadioButton* Radio(const char* text, const char* name, QWidget* parent) {
    auto* r = new QRadioButton(QString::fromUtf8(text), parent);
    r->setObjectName(QString::fromLatin1(name));
    return r;
}

QPushButton* Button(const char* text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

// Two or three exclusive choices in a titled box.
QGroupBox* Choices(const char* title, std::initializer_list<QRadioButton*> buttons, QWidget* parent) {
    auto* box = new QGroupBox(QString::fromUtf8(title), parent);
    auto* row = new QHBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (QRadioButton* b : buttons) {
        b->setParent(box);
        group->addButton(b);
        row->addWidget(b);
    }
    return box;
}

}  // namespace

PrintLayoutDialog::PrintLayoutDialog(QWidget* parent, PrintLayoutModel& model, bool canPrint)
    : QDialog(parent), model_(model), forms_(new QComboBox(this)) {
    forms_->setObjectName("formCombo");
    lines_ = NumberEdit("linesEdit", 99999);
    columns_ = NumberEdit("columnsEdit", 99999);
    left_ = NumberEdit("leftEdit", 999);
    top_ = NumberEdit("topEdit", 999);
    right_ = NumberEdit("rightEdit", 999);
    bottom_ = NumberEdit("bottomEdit", 999);
    header_ = new QLineEdit(this);
    header_->setObjectName("headerEdit");
    footer_ = new QLineEdit(this);
    footer_->setObjectName("footerEdit");
    auto_ = new QCheckBox(QStringLiteral("自動算出(&A)"), this);
    auto_->setObjectName("autoBox");
    split_[0] = Radio("無し", "split1", this);
    split_[1] = Radio("2分割", "split2", this);
    split_[2] = Radio("3分割", "split3", this);
    numberOff_ = Radio("無し", "numberOff", this);
    numberOn_ = Radio("有り", "numberOn", this);
    frameOff_ = Radio("無し", "frameOff", this);
    frameOn_ = Radio("有り", "frameOn", this);
    message_ = new QLabel(this);
    message_->setObjectName("messageLabel");
    message_->setStyleSheet("color: red");

    auto* grid = new QGridLayout(this);
    auto* formRow = new QHBoxLayout;
    formRow->addWidget(forms_, 1);
    QPushButton* title = Button("ﾀｲﾄﾙ編集", "titleButton", this);
    formRow->addWidget(title);
    grid->addLayout(formRow, 0, 0, 1, 4);

    auto label = [this](const char* text, QWidget* buddy) {
        auto* l = new QLabel(QString::fromUtf8(text), this);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label("行数(10-)", lines_), 1, 0);
    grid->addWidget(lines_, 1, 1);
    grid->addWidget(label("桁数(20-240) ", columns_), 2, 0);
    grid->addWidget(columns_, 2, 1);
    grid->addWidget(auto_, 3, 0, 1, 2);
    grid->addWidget(Choices("分割印刷(&B)", {split_[0], split_[1], split_[2]}, this), 1, 2, 1, 2);
    grid->addWidget(Choices("行番号表示(&N)", {numberOff_, numberOn_}, this), 2, 2);
    grid->addWidget(Choices("枠表示(&F)", {frameOff_, frameOn_}, this), 2, 3);

    QPushButton* headerCodes = Button(">>", "headerCodes", this);
    QPushButton* footerCodes = Button(">>", "footerCodes", this);
    grid->addWidget(label("ヘッダ", header_), 4, 0);
    grid->addWidget(header_, 4, 1, 1, 2);
    grid->addWidget(headerCodes, 4, 3, Qt::AlignLeft);
    grid->addWidget(label("フッタ", footer_), 5, 0);
    grid->addWidget(footer_, 5, 1, 1, 2);
    grid->addWidget(footerCodes, 5, 3, Qt::AlignLeft);

    auto* margins = new QGroupBox(QStringLiteral("余白(mm)"), this);
    auto* mg = new QGridLayout(margins);
    mg->addWidget(label("左端余白(&L)", left_), 0, 0);
    mg->addWidget(left_, 0, 1);
    mg->addWidget(label("上部余白(&U)", top_), 0, 2);
    mg->addWidget(top_, 0, 3);
    mg->addWidget(label("右端余白(&R)", right_), 1, 0);
    mg->addWidget(right_, 1, 1);
    mg->addWidget(label("下部余白(&D)", bottom_), 1, 2);
    mg->addWidget(bottom_, 1, 3);
    grid->addWidget(margins, 6, 0, 1, 4);
    grid->addWidget(message_, 7, 0, 1, 4);

    QPushButton* setup = Button("ﾌﾟﾘﾝﾀ設定(&S)", "setupButton", this);
    QPushButton* headerFont = Button("ﾍｯﾀﾞﾌｫﾝﾄ(&H)", "headerFontButton", this);
    QPushButton* textFont = Button("印字ﾌｫﾝﾄ(&T)", "textFontButton", this);
    QPushButton* print = Button("印刷(&P)", "printButton", this);
    QPushButton* preview = Button("プレビュー(&V)", "previewButton", this);
    QPushButton* save = Button("保存", "saveButton", this);
    QPushButton* close = Button("閉じる", "closeButton", this);
    QPushButton* help = Button("ﾍﾙﾌﾟ", "helpButton", this);
    ConnectHelpButton(help, kHelpFunctionsPage, "print");
    print->setDefault(true);
    print->setEnabled(canPrint);
    preview->setEnabled(canPrint);
    auto* buttons = new QGridLayout;
    int k = 0;
    for (QPushButton* b : {setup, headerFont, textFont, help, print, preview, save, close}) {
        buttons->addWidget(b, k / 4, k % 4);
        ++k;
    }
    grid->addLayout(buttons, 8, 0, 1, 4);

    for (const std::string& t : model_.Titles()) forms_->addItem(QString::fromStdString(t));
    connect(forms_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!loading_) SelectForm(i);
    });
    connect(title, &QPushButton::clicked, this, &PrintLayoutDialog::EditTitle);
    connect(headerCodes, &QPushButton::clicked, this, [this, headerCodes] { ShowCodes(header_, headerCodes); });
    connect(footerCodes, &QPushButton::clicked, this, [this, footerCodes] { ShowCodes(footer_, footerCodes); });
    connect(setup, &QPushButton::clicked, this, &PrintLayoutDialog::PrinterSetup);
    connect(headerFont, &QPushButton::clicked, this, [this] { ChooseFont(true); });
    connect(textFont, &QPushButton::clicked, this, [this] { ChooseFont(false); });
    connect(print, &QPushButton::clicked, this, [this] { Finish(Print); });
    connect(preview, &QPushButton::clicked, this, [this] { Finish(Preview); });
    connect(save, &QPushButton::clicked, this, [this] {
        Recompute();
        model_.Save(TheSettings());
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    // Whatever changes the sheet changes the automatic lines and columns.
    for (QLineEdit* e : {left_, top_, right_, bottom_, lines_, columns_})
        connect(e, &QLineEdit::editingFinished, this, &PrintLayoutDialog::Recompute);
    for (QLineEdit* e : {header_, footer_})
        connect(e, &QLineEdit::textChanged, this, &PrintLayoutDialog::Recompute);
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{auto_, split_[0], split_[1], split_[2],
                                                                      numberOff_, numberOn_, frameOff_, frameOn_})
        connect(b, &QAbstractButton::toggled, this, &PrintLayoutDialog::Recompute);
    SelectForm(model_.Selected());
}

PrintLayoutDialog::~PrintLayoutDialog() = default;

QLineEdit* PrintLayoutDialog::NumberEdit(const char* name, int max) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    e->setValidator(new QIntValidator(0, max, e));
    e->setMaximumWidth(80);
    return e;
}

void PrintLayoutDialog::SelectForm(int index) {
    if (forms_->currentIndex() >= 0 && !loading_ && index != model_.Selected()) Store();
    model_.Select(index);
    // A form without its own paper takes the printer's: start from a fresh one.
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    UseDefaultPrinter(*printer_);
    ApplyFormToPrinter(model_.Form(), *printer_);
    Load();
    Recompute();
}

void PrintLayoutDialog::Load() {
    loading_ = true;
    const PrinterForm& f = model_.Form();
    forms_->setCurrentIndex(model_.Selected());
    forms_->setItemText(model_.Selected(), QString::fromStdString(f.Title));
    lines_->setText(QString::number(f.Max_Line));
    columns_->setText(QString::number(f.Max_Column));
    auto_->setChecked(f.AutoCal == 1);
    lines_->setReadOnly(f.AutoCal == 1);
    columns_->setReadOnly(f.AutoCal == 1);
    split_[std::clamp(f.Split, 1, 3) - 1]->setChecked(true);
    (f.Number == 1 ? numberOn_ : numberOff_)->setChecked(true);
    (f.Frame == 1 ? frameOn_ : frameOff_)->setChecked(true);
    header_->setText(QString::fromStdString(f.Header));
    footer_->setText(QString::fromStdString(f.Foter));
    left_->setText(QString::number(f.Left_Space));
    top_->setText(QString::number(f.Up_Space));
    right_->setText(QString::number(f.Right_Space));
    bottom_->setText(QString::number(f.Down_Space));
    setWindowTitle(PaperTitleOf(QStringLiteral("印刷"), *printer_));
    loading_ = false;
}

void PrintLayoutDialog::Store() {
    PrinterForm& f = model_.Form();
    f.Max_Line = lines_->text().toInt();
    f.Max_Column = columns_->text().toInt();
    f.AutoCal = auto_->isChecked() ? 1 : 0;
    // A stored two-by-two split is kept unless another split is chosen.
    const int shown = split_[1]->isChecked() ? 2 : split_[2]->isChecked() ? 3 : 1;
    if (shown != std::clamp(f.Split, 1, 3)) f.Split = shown;
    f.Number = numberOn_->isChecked() ? 1 : 0;
    f.Frame = frameOn_->isChecked() ? 1 : 0;
    f.Header = header_->text().toStdString();
    f.Foter = footer_->text().toStdString();
    f.Left_Space = left_->text().toInt();
    f.Up_Space = top_->text().toInt();
    f.Right_Space = right_->text().toInt();
    f.Down_Space = bottom_->text().toInt();
}

void PrintLayoutDialog::Recompute() {
    if (loading_) return;
    Store();
    const PrintDevice device = DeviceOf(*printer_);
    const PrintFonts fonts(model_.Form(), device.dpiY);
    const std::string message = model_.ApplyAutoLayout(device, fonts.textMetrics, fonts.headerMetrics);
    message_->setText(QString::fromStdString(message));
    Load();
}

void PrintLayoutDialog::EditTitle() {
    bool ok = false;
    const QString t = QInputDialog::getText(this, QStringLiteral("ﾀｲﾄﾙ編集"), QStringLiteral("ﾀｲﾄﾙ(&T)"),
                                            QLineEdit::Normal, forms_->currentText(), &ok);
    if (!ok) return;
    Store();
    model_.Form().Title = t.toStdString();
    Load();
}

void PrintLayoutDialog::ChooseFont(bool header) {
    LogFont& lf = header ? model_.Form().headerFont : model_.Form().font;
    QFont current = FontFromLogFont(lf);
    current.setPointSizeF(current.pixelSize() * 72.0 / 96.0);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, current, this,
                                              header ? QStringLiteral("ﾍｯﾀﾞﾌｫﾝﾄ") : QStringLiteral("印字ﾌｫﾝﾄ"),
                                              QFontDialog::DontUseNativeDialog);
    if (!ok) return;
    StoreFont(lf, chosen);
    Recompute();
}

void PrintLayoutDialog::PrinterSetup() {
    QPageSetupDialog setup(printer_.get(), this);
    if (setup.exec() != QDialog::Accepted) return;
    Store();
    StoreFormPaper(model_.Form(), *printer_);
    Recompute();
}

void PrintLayoutDialog::ShowCodes(QLineEdit* edit, QPushButton* button) {
    QMenu menu(this);
    for (const std::string& item : HeaderFooterCodeItems()) {
        QAction* a = menu.addAction(QString::fromStdString(item));
        connect(a, &QAction::triggered, edit, [edit, item] {
            edit->insert(QString::fromStdString(CodeOfItem(item)));
            edit->setFocus();
        });
    }
    menu.exec(button->mapToGlobal(QPoint(button->width(), 0)));
}

void PrintLayoutDialog::Finish(Choice c) {
    Recompute();
    model_.SaveSelection(TheSettings());
    chosen_ = c;
    accept();
}

}  // namespace qz
