// The ASCII and Shift-JIS code tables: non-modal tool windows that show a
// grid of characters and type the chosen one into the active view with Enter.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "frame/code_tables.h"

class QFontComboBox;
class QLabel;
class QLineEdit;

namespace qz {

class CodeGrid;

// What both tables share: the grid, the face combo and sending. A subclass
// supplies the cells and moves its cursor.
class CodeTableDlg : public QDialog {
    Q_OBJECT
public:
    // send gets the Shift-JIS bytes of the chosen character.
    using SendFn = std::function<void(const std::string& sjisBytes)>;

    QWidget* grid() const;
    QFontComboBox* faceBox() const { return face_; }
    // The centre of a cell in grid coordinates (for clicks).
    QPoint cellCentre(int column, int row) const;

    int columns() const { return columns_; }
    int rows() const { return rows_; }
    // Cells wide enough for a double-byte character.
    bool wideCells() const { return wide_; }

    virtual QString columnHeader(int column) const = 0;
    virtual QString rowHeader(int row) const = 0;
    // The character of a cell (empty when it has none to show) and whether
    // it is drawn as one that cannot be typed.
    virtual QString cellText(int column, int row) const = 0;
    virtual bool cellRefused(int column, int row) const = 0;
    virtual int cursorColumn() const = 0;
    virtual int cursorRow() const = 0;

    virtual void select(int column, int row) = 0;
    virtual void move(GridMove m) = 0;
    virtual void turnPage(bool down) { (void)down; }
    // Types the chosen character; when there is none to type, says so below
    // the grid and beeps.
    void sendChosen();

protected:
    CodeTableDlg(QWidget* parent, SendFn send, const char* caption, int columns, int rows, bool wide);
    // Builds the layout around the grid: extra above it, hint below.
    void build(QLayout* extra, const QString& hint, const QString& face);
    // The cursor or page moved: fields, memory, repaint.
    virtual void changed();
    virtual std::string chosenBytes() const = 0;
    virtual void rememberFace(const QString& family) = 0;

private:
    SendFn send_;
    int columns_, rows_;
    bool wide_;
    CodeGrid* grid_ = nullptr;
    QFontComboBox* face_ = nullptr;
    QLabel* refusal_ = nullptr;
};

class CAsciiTableDlg : public CodeTableDlg {
    Q_OBJECT
public:
    CAsciiTableDlg(QWidget* parent, SendFn send);

    uint8_t code() const { return table_.Code(); }

    QString columnHeader(int column) const override;
    QString rowHeader(int row) const override;
    QString cellText(int column, int row) const override;
    bool cellRefused(int column, int row) const override;
    int cursorColumn() const override { return table_.Column(); }
    int cursorRow() const override { return table_.Row(); }
    void select(int column, int row) override;
    void move(GridMove m) override;

protected:
    void changed() override;
    std::string chosenBytes() const override { return table_.Send(); }
    void rememberFace(const QString& family) override;

private:
    AsciiTable table_;
};

class CKanjiTableDlg : public CodeTableDlg {
    Q_OBJECT
public:
    CKanjiTableDlg(QWidget* parent, SendFn send);

    uint16_t code() const { return table_.Code(); }
    QLabel* pageLabel() const { return page_; }
    QLineEdit* sjisField() const { return sjis_; }
    QLineEdit* jisField() const { return jis_; }
    QLineEdit* eucField() const { return euc_; }

    QString columnHeader(int column) const override;
    QString rowHeader(int row) const override;
    QString cellText(int column, int row) const override;
    bool cellRefused(int column, int row) const override;
    int cursorColumn() const override { return table_.Column(); }
    int cursorRow() const override { return table_.Row(); }
    void select(int column, int row) override;
    void move(GridMove m) override;
    void turnPage(bool down) override;

protected:
    void changed() override;
    std::string chosenBytes() const override { return table_.Send(); }
    void rememberFace(const QString& family) override;

private:
    KanjiTable table_;
    QLabel* page_;
    QLineEdit* sjis_;
    QLineEdit* jis_;
    QLineEdit* euc_;
};

}  // namespace qz
