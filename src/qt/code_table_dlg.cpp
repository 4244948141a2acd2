// The code tables' windows: a grid painted on fixed cells with its headers,
// the face combo, and the Shift-JIS table's page and code fields.
#include "qt/code_table_dlg.h"

#include <QApplication>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

#include "platform/cp932.h"
#include "qt/view_widget.h"

namespace qz {

namespace {

constexpr int kPointSize = 10;

// The last code and face of each table, kept while the program runs.
struct Memory {
    int code;
    QString face;
};

Memory& AsciiMemory() {
    static Memory m{0x00, QStringLiteral("Terminal")};
    return m;
}

Memory& KanjiMemory() {
    static Memory m{0x8140, QString()};
    return m;
}

// The family the combo can show for a face: the face itself when installed,
// else what stands in for it.
QString InstalledFace(const QString& face, const QFont& standIn) {
    if (!face.isEmpty() && QFontDatabase::families().contains(face)) return face;
    return QFontInfo(standIn).family();
}

// The Shift-JIS bytes as a character to draw; nothing for bytes without a
// Unicode form, and nothing for the user-defined area, whose glyphs no
// installed face has.
QString Glyph(const std::string& sjis) {
    std::string utf8;
    if (!Cp932ToUtf8(sjis, utf8)) return {};
    const QString s = QString::fromStdString(utf8);
    if (s.size() == 1 && s[0].unicode() >= 0xE000 && s[0].unicode() <= 0xF8FF) return {};
    return s;
}

}  // namespace

// ------------------------------------------------------------------ the grid

class CodeGrid : public QWidget {
public:
    CodeGrid(CodeTableDlg& dlg, QWidget* parent) : QWidget(parent), dlg_(dlg) {
        setObjectName("codeGrid");
        setFocusPolicy(Qt::StrongFocus);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }

    void setFace(const QString& family) {
        face_ = QFont(family, kPointSize);
        const QFontMetrics fm(face_), hm(font());
        const int narrow = std::max(fm.horizontalAdvance(QChar('W')), fm.horizontalAdvance(QChar('M')));
        const int glyph = dlg_.wideCells() ? std::max(2 * narrow, fm.horizontalAdvance(QChar(0x3042))) : narrow;
        headW_ = hm.horizontalAdvance(QStringLiteral("00")) + 8;
        headH_ = hm.height() + 4;
        cellW_ = std::max(glyph, hm.horizontalAdvance(QStringLiteral("00"))) + 8;
        cellH_ = std::max(fm.height(), hm.height()) + 4;
        updateGeometry();
        update();
    }

    QRect cellRect(int column, int row) const {
        return QRect(headW_ + column * cellW_, headH_ + row * cellH_, cellW_, cellH_);
    }

    QSize sizeHint() const override {
        return QSize(headW_ + dlg_.columns() * cellW_ + 1, headH_ + dlg_.rows() * cellH_ + 1);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QPalette& pal = palette();
        p.fillRect(rect(), pal.color(QPalette::Button));
        p.setPen(pal.color(QPalette::ButtonText));
        for (int c = 0; c < dlg_.columns(); ++c)
            p.drawText(QRect(headW_ + c * cellW_, 0, cellW_, headH_), Qt::AlignCenter, dlg_.columnHeader(c));
        for (int r = 0; r < dlg_.rows(); ++r)
            p.drawText(QRect(0, headH_ + r * cellH_, headW_, cellH_), Qt::AlignCenter, dlg_.rowHeader(r));

        p.setFont(face_);
        const bool focused = hasFocus();
        for (int c = 0; c < dlg_.columns(); ++c) {
            for (int r = 0; r < dlg_.rows(); ++r) {
                const QRect cell = cellRect(c, r);
                const bool cursor = c == dlg_.cursorColumn() && r == dlg_.cursorRow();
                QColor back = pal.color(dlg_.cellRefused(c, r) ? QPalette::Button : QPalette::Base);
                QColor fore = pal.color(QPalette::Text);
                if (cursor) {
                    back = pal.color(focused ? QPalette::Active : QPalette::Inactive, QPalette::Highlight);
                    fore = pal.color(focused ? QPalette::Active : QPalette::Inactive, QPalette::HighlightedText);
                }
                p.fillRect(cell, back);
                p.setPen(pal.color(QPalette::Mid));
                p.drawRect(cell);
                p.setPen(fore);
                p.save();
                p.setClipRect(cell.adjusted(1, 1, 0, 0));
                p.drawText(cell, Qt::AlignCenter, Drawable(dlg_.cellText(c, r)));
                p.restore();
            }
        }
    }

    void keyPressEvent(QKeyEvent* e) override {
        switch (e->key()) {
        case Qt::Key_Left: dlg_.move(GridMove::Left); break;
        case Qt::Key_Right: dlg_.move(GridMove::Right); break;
        case Qt::Key_Up: dlg_.move(GridMove::Up); break;
        case Qt::Key_Down: dlg_.move(GridMove::Down); break;
        case Qt::Key_PageUp: dlg_.turnPage(false); break;
        case Qt::Key_PageDown: dlg_.turnPage(true); break;
        case Qt::Key_Return:
        case Qt::Key_Enter: dlg_.sendChosen(); break;
        default: QWidget::keyPressEvent(e); return;  // Esc goes on to the dialog
        }
        e->accept();
    }

    void mousePressEvent(QMouseEvent* e) override {
        const QPoint at = e->position().toPoint() - QPoint(headW_, headH_);
        if (at.x() >= 0 && at.y() >= 0) dlg_.select(at.x() / cellW_, at.y() / cellH_);
        setFocus(Qt::MouseFocusReason);
    }

    void focusInEvent(QFocusEvent*) override { update(); }
    void focusOutEvent(QFocusEvent*) override { update(); }

private:
    // Control pictures only where the face has them: without, the fallback
    // faces draw empty boxes.
    QString Drawable(const QString& text) const {
        const bool picture = text.size() == 1 && text[0].unicode() >= 0x2400 && text[0].unicode() <= 0x2421;
        return picture && !QFontMetrics(face_).inFont(text[0]) ? QString() : text;
    }

    CodeTableDlg& dlg_;
    QFont face_;
    int cellW_ = 1, cellH_ = 1, headW_ = 1, headH_ = 1;
};

// ------------------------------------------------------------------ both tables

CodeTableDlg::CodeTableDlg(QWidget* parent, SendFn send, const char* caption, int columns, int rows,
                           bool wide)
    : QDialog(parent), send_(std::move(send)), columns_(columns), rows_(rows), wide_(wide) {
    setWindowFlags(Qt::Tool);
    setModal(false);
    setWindowTitle(QString::fromUtf8(caption));
}

void CodeTableDlg::build(QLayout* extra, const QString& hint, const QString& face) {
    grid_ = new CodeGrid(*this, this);
    face_ = new QFontComboBox(this);
    face_->setObjectName("faceBox");
    auto* all = new QVBoxLayout(this);
    all->setSizeConstraint(QLayout::SetFixedSize);
    if (extra) all->addLayout(extra);
    all->addWidget(grid_);
    if (!hint.isEmpty()) all->addWidget(new QLabel(hint, this));
    refusal_ = new QLabel(this);
    refusal_->setObjectName("refusal");
    all->addWidget(refusal_);
    all->addWidget(face_);

    face_->setCurrentFont(QFont(face));
    grid_->setFace(face_->currentFont().family());
    connect(face_, &QFontComboBox::currentFontChanged, this, [this](const QFont& f) {
        grid_->setFace(f.family());
        rememberFace(f.family());
    });
    grid_->setFocus();
}

QWidget* CodeTableDlg::grid() const { return grid_; }

QPoint CodeTableDlg::cellCentre(int column, int row) const { return grid_->cellRect(column, row).center(); }

void CodeTableDlg::changed() {
    refusal_->clear();
    grid_->update();
}

void CodeTableDlg::sendChosen() {
    const std::string bytes = chosenBytes();
    if (bytes.empty()) {
        // The cell is drawn as refused already; say so where the eye is.
        refusal_->setText(QString::fromUtf8("このコードは入力できません"));
        QApplication::beep();
    } else {
        refusal_->clear();
        if (send_) send_(bytes);
    }
}

// ------------------------------------------------------------------ ASCII

CAsciiTableDlg::CAsciiTableDlg(QWidget* parent, SendFn send)
    : CodeTableDlg(parent, std::move(send), AsciiTable::kCaption, AsciiTable::kColumns, AsciiTable::kRows, false),
      table_(static_cast<uint8_t>(AsciiMemory().code)) {
    // "Terminal" is a Windows face; where it is missing the system's
    // fixed-pitch face stands in, and Qt takes the half-width kana from a
    // Japanese face.
    build(nullptr, QString::fromUtf8(AsciiTable::kHint),
          InstalledFace(AsciiMemory().face, QFontDatabase::systemFont(QFontDatabase::FixedFont)));
}

QString CAsciiTableDlg::columnHeader(int column) const {
    return QString::fromStdString(AsciiTable::ColumnHeader(column));
}

QString CAsciiTableDlg::rowHeader(int row) const { return QString::fromStdString(AsciiTable::RowHeader(row)); }

QString CAsciiTableDlg::cellText(int column, int row) const {
    const uint8_t b = AsciiTable::CodeAt(column, row);
    // Control bytes as their Unicode pictures; a lead byte alone is no character.
    if (b < 0x20) return QString(QChar(0x2400 + b));
    if (b == 0x7F) return QString(QChar(0x2421));
    if (IsSjisLead(b)) return {};
    return Glyph(std::string(1, static_cast<char>(b)));
}

bool CAsciiTableDlg::cellRefused(int column, int row) const {
    return !AsciiTable::Insertable(AsciiTable::CodeAt(column, row));
}

void CAsciiTableDlg::select(int column, int row) {
    if (table_.Select(column, row)) changed();
}

void CAsciiTableDlg::move(GridMove m) {
    table_.Move(m);
    changed();
}

void CAsciiTableDlg::changed() {
    AsciiMemory().code = table_.Code();
    CodeTableDlg::changed();
}

void CAsciiTableDlg::rememberFace(const QString& family) { AsciiMemory().face = family; }

// ------------------------------------------------------------------ Shift-JIS

CKanjiTableDlg::CKanjiTableDlg(QWidget* parent, SendFn send)
    : CodeTableDlg(parent, std::move(send), KanjiTable::kCaption, KanjiTable::kColumns, KanjiTable::kRows, true),
      table_(static_cast<uint16_t>(KanjiMemory().code)) {
    page_ = new QLabel(this);
    page_->setObjectName("pageLabel");
    auto* top = new QHBoxLayout;
    top->addWidget(page_);
    top->addStretch();
    auto field = [this, top](const char* title, const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("WWWW")) + 12);
        top->addWidget(new QLabel(QString::fromUtf8(title), this));
        top->addWidget(edit);
        return edit;
    };
    sjis_ = field("S-JIS", "sjisField");
    jis_ = field("JIS", "jisField");
    euc_ = field("EUC", "eucField");
    // Initially the editor's own display face, which is a Japanese one.
    build(top, QString(), InstalledFace(KanjiMemory().face, QzedViewWidget::DisplayFont()));
    changed();
}

QString CKanjiTableDlg::columnHeader(int column) const {
    return QString::fromStdString(KanjiTable::ColumnHeader(column));
}

QString CKanjiTableDlg::rowHeader(int row) const { return QString::fromStdString(KanjiTable::RowHeader(row)); }

QString CKanjiTableDlg::cellText(int column, int row) const {
    const uint16_t code = KanjiTable::CodeAt(table_.Page(), column, row);
    if (!KanjiTable::ValidCode(code)) return {};
    return Glyph({static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)});
}

bool CKanjiTableDlg::cellRefused(int column, int row) const {
    return !KanjiTable::ValidCode(KanjiTable::CodeAt(table_.Page(), column, row));
}

void CKanjiTableDlg::select(int column, int row) {
    if (table_.Select(column, row)) changed();
}

void CKanjiTableDlg::move(GridMove m) {
    table_.Move(m);
    changed();
}

void CKanjiTableDlg::turnPage(bool down) {
    if (down ? table_.PageDown() : table_.PageUp()) changed();
}

void CKanjiTableDlg::changed() {
    KanjiMemory().code = table_.Code();
    page_->setText(QString::fromStdString(table_.PageText()));
    sjis_->setText(QString::fromStdString(table_.SjisField()));
    jis_->setText(QString::fromStdString(table_.JisField()));
    euc_->setText(QString::fromStdString(table_.EucField()));
    CodeTableDlg::changed();
}

void CKanjiTableDlg::rememberFace(const QString& family) { KanjiMemory().face = family; }

}  // namespace qz
