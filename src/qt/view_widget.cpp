// The view window: a row image kept in a QImage, the caret and guide lines on
// top of it, and the translation of Qt input into the view's handlers.
#include "qt/view_widget.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QThread>
#include <QUrl>

#include "app/key_code.h"
#include "document/utf8_convert.h"
#include "qt/busy_input.h"
#include "qt/log_font.h"
#include "platform/cp932.h"
#include "qt/jump_list_dlg.h"
#include "platform/sjis_unicode.h"
#include "qt/key_input.h"
#include "qt/qt_clipboard.h"
#include "qt/replace_box.h"
#include "view/key_log.h"
#include "settings/settings.h"

namespace qz {

namespace {

QColor PaletteColour(int index) {
    const uint32_t v = kPalette[index & 15];
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

// What the space beyond the rows is erased with: the file type's background.
QColor EraseColour(const CQzedDoc& doc) {
    return PaletteColour(TheSettings().Type(doc.GetFileType()).Back_Col);
}

constexpr const char* kNoSjisForm = "シフトJISで表せない文字は入力できません";

}  // namespace

// ------------------------------------------------------------------ canvas

ViewCanvas::ViewCanvas(QzedViewWidget& owner) : QWidget(&owner), w_(owner) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setMouseTracking(true);
}

QVariant ViewCanvas::inputMethodQuery(Qt::InputMethodQuery q) const {
    switch (q) {
    case Qt::ImCursorRectangle:
        return QRect(w_.composition_, QSize(1, w_.view_ ? w_.view_->RowHeight() : w_.charH_));
    case Qt::ImFont: return w_.fonts_[0];
    case Qt::ImEnabled: return true;
    default: return QWidget::inputMethodQuery(q);
    }
}

bool ViewCanvas::event(QEvent* e) {
    // The chords of the key tables belong to the editor, not to the menu
    // bar's mnemonics or other shortcuts.
    if (e->type() == QEvent::ShortcutOverride) {
        const int code = KeyCodeOf(*static_cast<QKeyEvent*>(e));
        if (code >= 0 && IsAcceleratorChord(code)) {
            e->accept();
            return true;
        }
    }
    return QWidget::event(e);
}

void ViewCanvas::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    w_.Paint(p, e->rect());
}

void ViewCanvas::resizeEvent(QResizeEvent*) { w_.Resized(); }
void ViewCanvas::keyPressEvent(QKeyEvent* e) { w_.Key(e); }

void ViewCanvas::keyReleaseEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) w_.escDown_ = false;
    if (e->key() == Qt::Key_Space) w_.spaceDown_ = false;
}

void ViewCanvas::inputMethodEvent(QInputMethodEvent* e) {
    if (!e->commitString().isEmpty() && !(w_.typingBlocked && w_.typingBlocked())) w_.TypeText(e->commitString());
    if (w_.preedit_ != e->preeditString() || !w_.preedit_.isEmpty()) {
        w_.preedit_ = e->preeditString();
        update();
    }
    e->accept();
}

void ViewCanvas::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton && w_.onContextMenu) {
        w_.onContextMenu(e->globalPosition().toPoint());
        return;
    }
    if (e->button() != Qt::LeftButton) return;
    const auto m = e->modifiers();
    w_.view_->OnLButtonDown(e->position().x(), e->position().y(), m & Qt::ShiftModifier,
                            m & Qt::ControlModifier, m & Qt::AltModifier);
}

void ViewCanvas::mouseMoveEvent(QMouseEvent* e) {
    const auto b = e->buttons();
    const auto m = e->modifiers();
    w_.view_->OnMouseMove(e->position().x(), e->position().y(), b & Qt::LeftButton,
                          (b & ~Qt::LeftButton) != Qt::NoButton, m & Qt::ControlModifier,
                          m & Qt::AltModifier);
}

void ViewCanvas::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) w_.view_->OnLButtonUp(e->position().x(), e->position().y());
}

void ViewCanvas::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton)
        w_.view_->OnLButtonDblClk(e->position().x(), e->position().y());
}

void ViewCanvas::wheelEvent(QWheelEvent* e) {
    const int d = e->angleDelta().y();
    if (d != 0) w_.view_->OnMouseWheel(d, e->modifiers() & Qt::ShiftModifier);
    e->accept();
}

namespace {
// The pane that last lost the focus, to tell a move between the panes of one
// window from a switch of windows.
QPointer<QWidget> lastFocusOut;

QWidget* WindowOf(QWidget* w) {
    for (; w; w = w->parentWidget())
        if (qobject_cast<QMdiSubWindow*>(w)) return w;
    return nullptr;
}
}  // namespace

void ViewCanvas::focusInEvent(QFocusEvent*) {
    if (!w_.view_) return;
    const bool samePaneSet = lastFocusOut && lastFocusOut != this && WindowOf(lastFocusOut) &&
                             WindowOf(lastFocusOut) == WindowOf(this);
    w_.view_->OnSetFocus(!samePaneSet);
    w_.keyLog_->ShowPane();
    if (w_.onFocus) w_.onFocus();
}
void ViewCanvas::focusOutEvent(QFocusEvent*) {
    lastFocusOut = this;
    if (w_.view_) w_.view_->OnKillFocus();
}

// ------------------------------------------------------------------ widget

QFont QzedViewWidget::DisplayFont() { return FontFromLogFont(TheSettings().displayFont); }

QFont QzedViewWidget::FontOf(const LogFont& lf) { return FontFromLogFont(lf); }

QFont QzedViewWidget::LatinFont(const QFont& display, int cellWidth) {
    return LatinCompanion(TheSettings().displayFont, display, cellWidth);
}

QzedViewWidget::QzedViewWidget(CQzedDoc& doc, MessageBox& boxes, QWidget* parent)
    : QWidget(parent), doc_(doc), boxes_(boxes), canvas_(new ViewCanvas(*this)),
      vbar_(new QScrollBar(Qt::Vertical, this)), hbar_(new QScrollBar(Qt::Horizontal, this)) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(canvas_, 0, 0);
    grid->addWidget(vbar_, 0, 1);
    grid->addWidget(hbar_, 1, 0);
    setFocusProxy(canvas_);

    LoadFonts();

    blink_.setInterval(std::max(100, QApplication::cursorFlashTime() / 2));
    connect(&blink_, &QTimer::timeout, this, [this] { BlinkCaret(); });

    view_ = std::make_unique<CQzedView>(doc_, *this);
    view_->SetClipboard(&QtClipboard::Instance());
    SetLogPane(nullptr);
    SetTimer(kTempSaveTimer, kTempSaveInterval);
    SetTimer(kExternalChangeTimer, kExternalChangeInterval);
    auto bar = [this](QScrollBar* sb, bool vertical) {
        connect(sb, &QScrollBar::actionTriggered, this, [this, sb, vertical](int action) {
            if (updatingBars_) return;
            CQzedView::ScrollAction a;
            switch (action) {
            case QAbstractSlider::SliderSingleStepSub: a = CQzedView::kLineUp; break;
            case QAbstractSlider::SliderSingleStepAdd: a = CQzedView::kLineDown; break;
            case QAbstractSlider::SliderPageStepSub: a = CQzedView::kPageUp; break;
            case QAbstractSlider::SliderPageStepAdd: a = CQzedView::kPageDown; break;
            case QAbstractSlider::SliderToMinimum: a = CQzedView::kTop; break;
            case QAbstractSlider::SliderToMaximum: a = CQzedView::kBottom; break;
            case QAbstractSlider::SliderMove: a = CQzedView::kThumbTrack; break;
            default: return;
            }
            const int thumb = sb->sliderPosition();
            if (vertical) view_->OnVScroll(a, thumb);
            else view_->OnHScroll(a, thumb);
            // The slider applies its own step after this signal; the view's
            // position is the one that counts.
            const int want = sb->property("qzPos").toInt();
            QTimer::singleShot(0, sb, [this, sb, want] {
                updatingBars_ = true;
                sb->setValue(sb->property("qzPos").isValid() ? sb->property("qzPos").toInt() : want);
                updatingBars_ = false;
            });
        });
    };
    bar(vbar_, true);
    bar(hbar_, false);
}

QzedViewWidget::~QzedViewWidget() {
    // The canvas reports its lost focus to the view while it goes.
    delete canvas_;
    canvas_ = nullptr;
    view_->SetRecorder(nullptr);
    keyLog_.reset();
    view_.reset();
}

void QzedViewWidget::LoadFonts() {
    fonts_[0] = DisplayFont();
    fonts_[1] = fonts_[0];
    fonts_[1].setUnderline(true);
    fonts_[2] = fonts_[0];
    const QFontMetrics fm(fonts_[0]);
    charW_ = std::max(1, fm.horizontalAdvance(QChar('M')));
    charH_ = std::max(1, fm.height());
    latin_[0] = LatinFont(fonts_[0], charW_);
    latin_[1] = latin_[0];
    latin_[1].setUnderline(true);
}

void QzedViewWidget::SettingsChanged() {
    LoadFonts();
    if (property("qzInitialised").toBool()) view_->OnSettingsChanged(ViewsOfDoc());
    InvalidateAll();
}

void QzedViewWidget::SetLogPane(LogPane* pane) {
    keyLog_ = std::make_unique<ViewKeyLog>(*view_, *this, pane);
    view_->SetRecorder(keyLog_.get());
}

void QzedViewWidget::Relayout() {
    if (!property("qzInitialised").toBool()) return;
    view_->OnSize(ViewsOfDoc());
    InvalidateAll();
}

int QzedViewWidget::ClientWidth() { return canvas_->width(); }
int QzedViewWidget::ClientHeight() { return canvas_->height(); }

void QzedViewWidget::Resized() {
    const QSize s = canvas_->size().expandedTo(QSize(1, 1));
    if (image_.size() != s) {
        QImage next(s, QImage::Format_RGB32);
        next.fill(EraseColour(doc_));
        image_ = next;
    }
    static const char* kInit = "qzInitialised";
    if (!property(kInit).toBool()) {
        setProperty(kInit, true);
        view_->OnInitialUpdate(ViewsOfDoc());
    } else {
        view_->OnSize(ViewsOfDoc());
    }
    InvalidateAll();
}

void QzedViewWidget::Paint(QPainter& p, const QRect& r) {
    if (needFull_) {
        needFull_ = false;
        image_.fill(EraseColour(doc_));
        view_->OnPaint(0, canvas_->height());
    }
    p.drawImage(r.topLeft(), image_, r);
    PaintGuides(p);
    if (caretExists_ && caretVisible_ && caretOn_) {
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.fillRect(caret_, Qt::white);
    }
    if (!preedit_.isEmpty()) {
        // Composition is shown where it will land, underlined, over the text.
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        QFont f = fonts_[0];
        f.setUnderline(true);
        p.setFont(f);
        const QFontMetrics fm(f);
        const int rh = view_->RowHeight();
        const QRect box(composition_.x(), composition_.y(), fm.horizontalAdvance(preedit_) + 2, rh);
        p.fillRect(box, Qt::white);
        p.setPen(Qt::black);
        p.drawText(box.x() + 1, box.y() + fm.ascent(), preedit_);
    }
}

void QzedViewWidget::DrawCell(QPainter& p, int x, int y, const QString& s, int cells) {
    const int cw = view_->CellWidth();
    const QFontMetrics fm(p.font());
    p.save();
    p.setClipRect(x, y, cells * cw, view_->RowHeight());
    // Centre the glyph in its cells: proportional fallbacks stay on the grid.
    const int adv = fm.horizontalAdvance(s);
    p.drawText(x + std::max(0, (cells * cw - adv) / 2), y + fm.ascent(), s);
    p.restore();
}

void QzedViewWidget::DrawRow(int screenRow, const std::vector<PaintRun>& runs) {
    if (image_.isNull()) return;
    const int rh = view_->RowHeight(), cw = view_->CellWidth();
    const int y = (screenRow - 1) * rh;
    QPainter p(&image_);
    int right = 0;
    for (const PaintRun& run : runs) {
        const int x0 = run.cell * cw;
        const int n = static_cast<int>(run.text.size());
        p.fillRect(x0, y, n * cw, rh, PaletteColour(run.back));
        p.setPen(PaletteColour(run.fore));
        p.setFont(fonts_[static_cast<int>(run.font)]);
        for (int i = 0; i < n;) {
            const auto b = static_cast<uint8_t>(run.text[i]);
            const int x = x0 + i * cw;
            if (run.font == FontKind::Mark && (b == 0xBF || b == 0xBD)) {
                DrawCell(p, x, y, b == 0xBF ? QStringLiteral("↓") : QStringLiteral("│"), 1);
                ++i;
            } else if (IsSjisLead(b) && i + 1 < n) {
                DrawCell(p, x, y, QString::fromStdString(SjisToUtf8(run.text.substr(i, 2))), 2);
                i += 2;
            } else {
                if (b > 0x20 && b < 0x7F && run.font != FontKind::Mark) {
                    p.setFont(latin_[run.font == FontKind::Underline ? 1 : 0]);
                    DrawCell(p, x, y, QString(QChar(b)), 1);
                    p.setFont(fonts_[static_cast<int>(run.font)]);
                } else if (b > 0x20) {
                    DrawCell(p, x, y, QString::fromStdString(SjisToUtf8(run.text.substr(i, 1))), 1);
                }
                ++i;
            }
        }
        right = std::max(right, x0 + n * cw);
    }
    // The rest of the row is background.
    if (right < image_.width()) p.fillRect(right, y, image_.width() - right, rh, EraseColour(doc_));
    canvas_->update(0, y, image_.width(), rh);
}

void QzedViewWidget::ScrollRows(int rows) {
    if (image_.isNull() || rows == 0) return;
    const int dy = rows * view_->RowHeight();
    QImage next(image_.size(), QImage::Format_RGB32);
    next.fill(EraseColour(doc_));
    QPainter p(&next);
    p.drawImage(0, -dy, image_);
    p.end();
    image_ = next;
    canvas_->update();
}

void QzedViewWidget::InvalidateAll() {
    needFull_ = true;
    canvas_->update();
}

void QzedViewWidget::CreateCaret(int width, int height) {
    caretExists_ = true;
    caretVisible_ = false;
    caret_.setSize(QSize(std::max(1, width), std::max(1, height)));
}

void QzedViewWidget::DestroyCaret() {
    canvas_->update(caret_);
    caretExists_ = caretVisible_ = false;
    blink_.stop();
}

void QzedViewWidget::ShowCaret() {
    caretVisible_ = true;
    caretOn_ = true;
    blink_.start();
    canvas_->update(caret_);
}

void QzedViewWidget::HideCaret() {
    caretVisible_ = false;
    blink_.stop();
    canvas_->update(caret_);
}

void QzedViewWidget::BlinkCaret() {
    caretOn_ = !caretOn_;
    canvas_->update(caret_);
}

void QzedViewWidget::SetCaretPos(int x, int y) {
    canvas_->update(caret_);
    caret_.moveTo(x, y);
    caretOn_ = true;
    canvas_->update(caret_);
}

void QzedViewWidget::SetCompositionWindow(int x, int y) {
    composition_ = QPoint(x, y);
    if (canvas_->hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

// Qt offers no call that switches an input method on or off; the user's own
// toggle stays in charge, and committed text arrives the same either way.
void QzedViewWidget::SetInputMethodOpen(bool) {}

void QzedViewWidget::XorGuideLines(const GuideLines& g) {
    // Drawing the same lines again takes them away, as XOR on the screen
    // would; they live over the row pictures, so repainted and scrolled rows
    // never keep pieces of them.
    const auto at = std::find(guides_.begin(), guides_.end(), g);
    if (at != guides_.end()) guides_.erase(at);
    else guides_.push_back(g);
    canvas_->update();
}

void QzedViewWidget::PaintGuides(QPainter& p) {
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (const GuideLines& g : guides_) {
        const QColor a = PaletteColour(g.backColour), b = PaletteColour(g.lineColour);
        QPen pen(QColor(a.red() ^ b.red(), a.green() ^ b.green(), a.blue() ^ b.blue()));
        pen.setWidth(1);
        auto styled = [&](int style) {
            pen.setStyle(style == 1 ? Qt::DotLine : Qt::SolidLine);
            return pen;
        };
        if (g.vStyle != 0) {
            p.setPen(styled(g.vStyle));
            p.drawLine(g.x, 0, g.x, g.bottom);
        }
        if (g.hStyle != 0) {
            p.setPen(styled(g.hStyle));
            p.drawLine(0, g.y, g.right, g.y);
        }
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void QzedViewWidget::SetScrollBar(bool vertical, int min, int max, int page, int pos) {
    QScrollBar* sb = vertical ? vbar_ : hbar_;
    updatingBars_ = true;
    // The view's maximum counts the last page; a Qt slider's does not.
    sb->setRange(min, std::max(min, max - std::max(page, 1) + 1));
    sb->setPageStep(std::max(page, 1));
    sb->setValue(pos);
    sb->setProperty("qzPos", pos);
    updatingBars_ = false;
}

void QzedViewWidget::SetPositionPanes(const std::string& row, const std::string& column) {
    if (onPanes) onPanes(QString::fromStdString(row), QString::fromStdString(column));
}

bool QzedViewWidget::IsActiveView() {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) {
            QMdiArea* area = sub->mdiArea();
            return !area || area->activeSubWindow() == sub || area->activeSubWindow() == nullptr;
        }
    }
    return true;
}

void QzedViewWidget::ShowMessage(const std::string& utf8, MessageKind kind) {
    if (onMessage) onMessage(QString::fromStdString(utf8), kind);
}

void QzedViewWidget::Beep() { QApplication::beep(); }

bool QzedViewWidget::IsKeyDown(AsyncKey key) {
    PollBusyInput(&escDown_, &spaceDown_);
    return key == AsyncKey::Escape ? escDown_ : spaceDown_;
}

void QzedViewWidget::DiscardQueuedKeys() {
    // The keys typed during the run were taken from the queue by the polls
    // above; this takes what arrived after the last one.
    PollBusyInput(&escDown_, &spaceDown_);
    escDown_ = spaceDown_ = false;
}

void QzedViewWidget::SetTimer(int id, int milliseconds) {
    auto& t = timers_[id];
    if (!t) {
        t = std::make_unique<QTimer>();
        connect(t.get(), &QTimer::timeout, this, [this, id] {
            if (onTimer) onTimer(id);
        });
    }
    t->start(std::max(0, milliseconds));
}

void QzedViewWidget::KillTimer(int id) {
    auto it = timers_.find(id);
    if (it != timers_.end()) it->second->stop();
}

void QzedViewWidget::CaptureMouse(bool capture) {
    if (capture) canvas_->grabMouse();
    else canvas_->releaseMouse();
}

void QzedViewWidget::SetPointer(PointerShape shape) {
    canvas_->setCursor(shape == PointerShape::Hand ? Qt::PointingHandCursor : Qt::IBeamCursor);
}

void QzedViewWidget::RepeatPointerPosition() {
    // A button held still sends no moves; send one a little later so that a
    // drag past the edge keeps scrolling.
    QTimer::singleShot(30, canvas_, [this] {
        if (!(QApplication::mouseButtons() & Qt::LeftButton)) return;
        const QPoint local = canvas_->mapFromGlobal(QCursor::pos());
        const auto m = QApplication::keyboardModifiers();
        view_->OnMouseMove(local.x(), local.y(), true, false, m & Qt::ControlModifier,
                           m & Qt::AltModifier);
    });
}

void QzedViewWidget::Sleep(int milliseconds) { QThread::msleep(std::max(0, milliseconds)); }

bool QzedViewWidget::IsShellDocument() { return view_->Doc().File().special; }

int QzedViewWidget::ShellOpen(const std::string& target) {
    const QString t = QString::fromStdString(target);
    const QUrl url = t.contains("://") || t.startsWith("mailto:") ? QUrl(t) : QUrl::fromLocalFile(t);
    return QDesktopServices::openUrl(url) ? 42 : 2;
}

bool QzedViewWidget::AskOpenFile(const std::string& titleUtf8, const std::string& filterUtf8,
                                 std::string* pathUtf8) {
    // "Name|*.c;*.h|Name|*.*|" pairs become Qt's "Name (*.c *.h);;..." list.
    const QStringList parts = QString::fromStdString(filterUtf8).split('|', Qt::SkipEmptyParts);
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    const QString path = QFileDialog::getOpenFileName(this, QString::fromStdString(titleUtf8),
                                                      QString(), filters.join(";;"));
    if (path.isEmpty()) return false;
    *pathUtf8 = path.toStdString();
    return true;
}

bool QzedViewWidget::AskLineNumber(const std::string& titleUtf8, const std::string& promptUtf8,
                                   const std::string& initial, long* line) {
    QInputDialog d(this);
    d.setWindowTitle(QString::fromStdString(titleUtf8));
    d.setLabelText(QString::fromStdString(promptUtf8));
    d.setInputMode(QInputDialog::TextInput);
    d.setTextValue(QString::fromStdString(initial));
    if (auto* edit = d.findChild<QLineEdit*>()) {
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,10}"), edit));
        // A first digit typed before the dialog opened: the rest follows it.
        QTimer::singleShot(0, edit, [edit] { edit->deselect(); edit->end(false); });
    }
    if (d.exec() != QDialog::Accepted) return false;
    bool ok = false;
    const qlonglong v = d.textValue().toLongLong(&ok);
    if (!ok) return false;
    *line = static_cast<long>(std::clamp<qlonglong>(v, 1, 2147483647));
    return true;
}

int QzedViewWidget::ChooseJumpTarget(const std::vector<DefinitionCandidate>& candidates) {
    CJumpListDlg d(this, candidates);
    return d.exec() == QDialog::Accepted ? d.Chosen() : -1;
}

// ------------------------------------------------------------------ input

bool QzedViewWidget::TypeText(const QString& text) {
    std::string sjis;
    Utf8Forms forms;
    bool noForm = false;
    for (const char32_t cp : text.toStdU32String()) {
        // The strict mapping: a look-alike would not come back as typed.
        const unsigned c = cp < 0x80 ? unsigned(cp) : UnicodeToSjisChar(cp);
        if (c == 0) {
            noForm = true;  // what came before it still goes in
            break;
        }
        bool other = false;
        if (const int index = TwoFormIndexOfUnicode(cp, &other); index >= 0) forms.NoteTyped(index, other);
        if (c > 0xFF) sjis += static_cast<char>(c >> 8);
        sjis += static_cast<char>(c & 0xFF);
    }
    // A UTF-8 file writes one form per code: the other one cannot go in.
    if (const int clash = AdmitForms(doc_, forms); clash >= 0) {
        Beep();
        ShowMessage(FormConflictMessage(clash, forms), MessageKind::Error);
        return false;
    }
    if (sjis.size() == 1) view_->OnChar(static_cast<uint8_t>(sjis[0]));
    else if (!sjis.empty()) view_->OnImeResult(sjis);
    if (noForm) {
        Beep();
        ShowMessage(kNoSjisForm, MessageKind::Error);
    }
    return !noForm;
}

void QzedViewWidget::Key(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) escDown_ = true;
    if (e->key() == Qt::Key_Space) spaceDown_ = true;
    // While the frame selects a window, its arrows, Enter and Esc are its own.
    if (frameKey && windowSelecting && windowSelecting())
        if (const int code = KeyCodeOf(*e); code >= 0 && frameKey(code)) return;
    if (shellKey && shellKey(e)) return;
    if (e->key() == Qt::Key_Shift || e->key() == Qt::Key_Control) {
        view_->OnModifierKey(e->key() == Qt::Key_Shift, e->key() == Qt::Key_Control, e->isAutoRepeat());
        return;
    }
    const auto m = e->modifiers();
    const bool shift = m & Qt::ShiftModifier, ctrl = m & Qt::ControlModifier, alt = m & Qt::AltModifier;
    const int code = KeyCodeOf(*e);
    if (code >= 0 && IsAcceleratorChord(code)) {
        if (onCommandKey) onCommandKey(code);
        return;
    }
    // The view's own keys: the arrows, Enter and Tab, and typing.
    int arrow = 0;
    switch (e->key()) {
    case Qt::Key_Left: arrow = 1; break;
    case Qt::Key_Up: arrow = 2; break;
    case Qt::Key_Right: arrow = 3; break;
    case Qt::Key_Down: arrow = 4; break;
    default: break;
    }
    if (arrow) {
        int scheme = keyScheme ? keyScheme() : TheSettings().env.AsinMode;
        if (scheme < 1 || scheme > 4) scheme = 4;
        view_->OnArrowKey(arrow, shift, ctrl, alt, e->isAutoRepeat(), scheme);
        return;
    }
    if (ctrl || alt) return;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) return view_->OnChar('\r');
    if (e->key() == Qt::Key_Tab) return shift ? void() : view_->TabKey();
    const QString t = e->text();
    if (!t.isEmpty() && t[0].unicode() >= 0x20 && t[0].unicode() != 0x7F) TypeText(t);
}

bool QzedViewWidget::ShowReplaceBox(int matchX, int matchY, int rowHeight) {
    if (!replaceBox_) {
        replaceBox_ = new ReplaceBox(this);
        replaceBox_->onButton = [this](ReplaceBox::Button b) {
            switch (b) {
            case ReplaceBox::kReplaceNext: view_->ReplaceBoxReplace(); break;
            case ReplaceBox::kSkip: view_->ReplaceBoxSkip(); break;
            case ReplaceBox::kAllRest: view_->ReplaceBoxAll(); break;
            case ReplaceBox::kPrevious: view_->ReplaceBoxPrevious(); break;
            case ReplaceBox::kNext: view_->ReplaceBoxNext(); break;
            case ReplaceBox::kCancel: view_->ReplaceBoxCancel(); break;
            }
            canvas_->setFocus();
        };
    }
    replaceBox_->ShowAt(canvas_->mapToGlobal(QPoint(matchX, matchY + rowHeight)));
    return true;
}

void QzedViewWidget::HideReplaceBox() {
    if (replaceBox_) replaceBox_->hide();
}

}  // namespace qz
