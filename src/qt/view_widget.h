// QzedViewWidget: the window of one editing view. It draws the rows the view
// hands over on a fixed cell grid and turns keys, input-method text, mouse and
// scroll bars into the view's handlers.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

#include "view/qzed_view.h"
#include "view/view_host.h"

class QScrollBar;

namespace qz {

struct LogFont;
class LogPane;
class ViewKeyLog;

// The view timers: the temporary save every 10 s, the check for changes made
// by other programs every 60 s.
constexpr int kTempSaveTimer = 1;
constexpr int kTempSaveInterval = 10000;
constexpr int kExternalChangeTimer = 2;
constexpr int kExternalChangeInterval = 60000;

class QzedViewWidget;

// The drawing surface inside the scroll bars; it is the view's client area.
class ViewCanvas : public QWidget {
    Q_OBJECT
public:
    explicit ViewCanvas(QzedViewWidget& owner);
    QVariant inputMethodQuery(Qt::InputMethodQuery q) const override;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void keyReleaseEvent(QKeyEvent*) override;
    void inputMethodEvent(QInputMethodEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void wheelEvent(QWheelEvent*) override;
    void focusInEvent(QFocusEvent*) override;
    void focusOutEvent(QFocusEvent*) override;
    bool focusNextPrevChild(bool) override { return false; }  // Tab is a key of the text
    bool event(QEvent*) override;

private:
    QzedViewWidget& w_;
};

class QzedViewWidget : public QWidget, public ViewHost {
    Q_OBJECT
public:
    QzedViewWidget(CQzedDoc& doc, MessageBox& boxes, QWidget* parent = nullptr);
    ~QzedViewWidget() override;

    CQzedView& View() { return *view_; }
    ViewKeyLog& KeyLog() { return *keyLog_; }
    // The status bar pane the view's keystroke log reports to.
    void SetLogPane(LogPane* pane);
    // The number of views changed: lay out again (window wrapping).
    void Relayout();
    // The settings changed: the fonts and cells are taken again and the view
    // relayouts on its caret's character (the document has its new layout).
    void SettingsChanged();
    ViewCanvas* Canvas() const { return canvas_; }
    // Types UTF-8 text as the keyboard would; false (with a beep and a
    // message) at the first character that has no Shift-JIS form.
    bool TypeText(const QString& text);
    // The caret rectangle while it is shown (blinking or not); empty else.
    QRect CaretRect() const { return caretExists_ && caretVisible_ ? caret_ : QRect(); }

    // ViewHost
    int ClientWidth() override;
    int ClientHeight() override;
    int CharWidth() override { return charW_; }
    int CharHeight() override { return charH_; }
    void DrawRow(int screenRow, const std::vector<PaintRun>& runs) override;
    void ScrollRows(int rows) override;
    void InvalidateAll() override;
    void CreateCaret(int width, int height) override;
    void DestroyCaret() override;
    void ShowCaret() override;
    void HideCaret() override;
    void SetCaretPos(int x, int y) override;
    void SetCompositionWindow(int x, int y) override;
    void SetCompositionFont() override {}
    void SetInputMethodOpen(bool open) override;
    void XorGuideLines(const GuideLines& lines) override;
    void SetScrollBar(bool vertical, int min, int max, int page, int pos) override;
    void SetPositionPanes(const std::string& row, const std::string& column) override;
    bool IsActiveView() override;
    bool IsShellDocument() override;
    void ShowMessage(const std::string& utf8, MessageKind kind) override;
    void Beep() override;
    MessageBox& Boxes() override { return boxes_; }
    bool IsKeyDown(AsyncKey key) override;
    // After a replace-all: the keys that came meanwhile must not edit.
    void DiscardQueuedKeys() override;
    bool ShowReplaceBox(int matchX, int matchY, int rowHeight) override;
    void HideReplaceBox() override;
    void SetTimer(int id, int milliseconds) override;
    void KillTimer(int id) override;
    void CaptureMouse(bool capture) override;
    void SetPointer(PointerShape shape) override;
    void RepeatPointerPosition() override;
    void Sleep(int milliseconds) override;
    bool WindowSelectActive() override { return windowSelecting && windowSelecting(); }
    void PrefixSecondStroke(char key) override {
        if (onPrefixStroke) onPrefixStroke(key);
    }
    void ShowModifierLabels(int modifier) override {
        if (onModifierLabels) onModifierLabels(modifier);
    }
    int ShellOpen(const std::string& target) override;
    bool AskOpenFile(const std::string& titleUtf8, const std::string& filterUtf8,
                     std::string* pathUtf8) override;
    bool AskLineNumber(const std::string& titleUtf8, const std::string& promptUtf8, const std::string& initial,
                       long* line) override;
    bool OpenAtLine(const std::string& pathUtf8, int32_t line, const void* originView) override {
        return onOpenAtLine && onOpenAtLine(pathUtf8, line, originView);
    }
    int ChooseJumpTarget(const std::vector<DefinitionCandidate>& candidates) override;

    // What the frame shows: the active view's panes and the message area.
    std::function<void(const QString& row, const QString& column)> onPanes;
    std::function<void(const QString& text, MessageKind kind)> onMessage;
    // A view timer ran out (the view has no timer handler of its own yet).
    std::function<void(int id)> onTimer;
    // How many views show the document (1 when not told).
    std::function<int()> viewsOfDoc;
    // The view got the keyboard focus.
    std::function<void()> onFocus;
    // A chord of the accelerator table: the frame dispatches it.
    std::function<void(int code)> onCommandKey;
    // A key before the view's own handling (the OS window's); true when taken.
    std::function<bool(QKeyEvent*)> shellKey;
    // While the OS window's command runs, input-method text is ignored too.
    std::function<bool()> typingBlocked;
    // The frame's window-selection mode, and its keys (true: the mode took it).
    std::function<bool()> windowSelecting;
    std::function<bool(int code)> frameKey;
    std::function<void(char key)> onPrefixStroke;
    std::function<void(int modifier)> onModifierLabels;
    // A right click in the text, at this screen position.
    std::function<void(const QPoint& at)> onContextMenu;
    // The tag and definition jumps open files through the frame.
    std::function<bool(const std::string& path, int32_t line, const void* originView)> onOpenAtLine;

    // The key scheme the frame runs (the arrows differ by scheme); the
    // settings' one when not told.
    std::function<int()> keyScheme;

    // The fonts rows are drawn with, from the settings' display font.
    static QFont DisplayFont();
    static QFont FontOf(const LogFont& lf);
    // The face single-byte ASCII is drawn with: a Latin monospaced face
    // fitted to the cell when the stored face is not installed.
    static QFont LatinFont(const QFont& display, int cellWidth);
    const QFont& AsciiFont() const { return latin_[0]; }

private:
    friend class ViewCanvas;
    int ViewsOfDoc() const { return viewsOfDoc ? std::max(1, viewsOfDoc()) : 1; }
    void Paint(QPainter& p, const QRect& r);
    void Resized();
    void Key(QKeyEvent* e);
    void BlinkCaret();
    void DrawCell(QPainter& p, int x, int y, const QString& s, int cells);
    void PaintGuides(QPainter& p);
    void LoadFonts();

    CQzedDoc& doc_;
    MessageBox& boxes_;
    ViewCanvas* canvas_;
    QScrollBar* vbar_;
    QScrollBar* hbar_;
    std::unique_ptr<CQzedView> view_;
    std::unique_ptr<ViewKeyLog> keyLog_;
    class ReplaceBox* replaceBox_ = nullptr;
    QImage image_;
    bool needFull_ = true;
    bool updatingBars_ = false;
    QFont fonts_[3];
    QFont latin_[2];  // ASCII of the display and underline fonts
    int charW_ = 8, charH_ = 16;
    // caret
    bool caretExists_ = false, caretVisible_ = false, caretOn_ = true;
    QRect caret_;
    QTimer blink_;
    QPoint composition_;
    std::vector<GuideLines> guides_;  // shown over the rows
    QString preedit_;  // the input method's text still being composed
    std::map<int, std::unique_ptr<QTimer>> timers_;
    bool escDown_ = false, spaceDown_ = false;
};

}  // namespace qz
