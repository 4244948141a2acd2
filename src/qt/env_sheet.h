// CEnvSheet, the settings sheet "環境設定": six pages on copies of the
// settings that go back only with OK. Pages 1, 2, 3, 5 and 6 are built from
// the binding table; page 4 holds the two registration lists.
#pragma once

#include <QDialog>
#include <QSpinBox>
#include <map>
#include <string>

#include "settings/env_sheet_model.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QVBoxLayout;

namespace qz {

class MessageBox;

// A number field that takes any number typed (the sheet refuses what is out
// of range, with its message) while its arrows stay inside the range.
class NumberField : public QSpinBox {
    Q_OBJECT
public:
    NumberField(int least, int most, QWidget* parent = nullptr);
    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;

private:
    int least_, most_;
};

// A page whose controls come from the binding table. Each control's widget
// is named "c<number>".
class EnvBoundPage : public QWidget {
    Q_OBJECT
public:
    EnvBoundPage(int page, SheetData& data, MessageBox& boxes, QWidget* parent = nullptr);
    int Page() const { return page_; }
    QWidget* Control(int id) const;
    // The file type shown (pages 1 and 2), 0 on the others.
    int FileType() const { return type_; }
    // The sheet's values into the controls.
    void ShowValues();
    // The controls back into the sheet's values; false after the message of
    // a refused field, which then has the focus.
    bool TakeValues();

protected:
    ControlValue Read(const Binding& b) const;
    void Show(const Binding& b, const ControlValue& v);
    // A box or choice changed: its value is taken at once, since it may
    // enable other controls.
    virtual void Changed(const Binding& b);
    virtual void ButtonClicked(const Binding& b) { (void)b; }
    void UpdateStates();
    void ChooseType(int index);
    QComboBox* TypeList() const { return typeList_; }

    SheetData& data_;
    MessageBox& boxes_;

private:
    void Build();
    QWidget* MakeControl(const Binding& b);

    int page_;
    int type_ = 0;
    QComboBox* typeList_ = nullptr;
    std::map<int, QWidget*> controls_;
    std::map<int, QLabel*> labels_;
    std::map<std::string, QButtonGroup*> radioGroups_;
};

// Page 1 "編集機能": the type's environment, its "Efect" box and its title.
class CEnvPage1 : public EnvBoundPage {
    Q_OBJECT
public:
    CEnvPage1(SheetData& data, MessageBox& boxes, QWidget* parent = nullptr)
        : EnvBoundPage(kPageEdit, data, boxes, parent) {}

protected:
    void ButtonClicked(const Binding& b) override;
};

// Page 2 "画面表示": the type's colours and comment syntaxes, and the font.
class CEnvPage2 : public EnvBoundPage {
    Q_OBJECT
public:
    CEnvPage2(SheetData& data, MessageBox& boxes, QWidget* parent = nullptr);

protected:
    void ButtonClicked(const Binding& b) override;

private:
    void ShowFont();
    QLabel* fontName_;
};

// Page 3 "ファイル".
class CEnvPage7 : public EnvBoundPage {
    Q_OBJECT
public:
    CEnvPage7(SheetData& data, MessageBox& boxes, QWidget* parent = nullptr)
        : EnvBoundPage(kPageFile, data, boxes, parent) {}
};

// Page 5 "その他１": choosing the old scheme warns.
class CEnvPage5 : public EnvBoundPage {
    Q_OBJECT
public:
    CEnvPage5(SheetData& data, MessageBox& boxes, QWidget* parent = nullptr)
        : EnvBoundPage(kPageOther1, data, boxes, parent) {}

protected:
    void Changed(const Binding& b) override;
};

// Page 6 "その他２".
class CEnvPage6 : public EnvBoundPage {
    Q_OBJECT
public:
    CEnvPage6(SheetData& data, MessageBox& boxes, QWidget* parent = nullptr)
        : EnvBoundPage(kPageOther2, data, boxes, parent) {}
};

// Page 4 "ファイル登録": the help entries (list 146) and the user tools
// (list 147), each with change, add, delete, up and down.
class CEnvPage3 : public QWidget {
    Q_OBJECT
public:
    CEnvPage3(SheetData& data, MessageBox& boxes, QWidget* parent = nullptr);
    QTreeWidget* HelpList() const { return helpList_; }
    QTreeWidget* ToolList() const { return toolList_; }
    // The buttons of a list by their text ("変更", "追加" ...).
    QPushButton* Button(bool tools, const QString& text) const;

private:
    QWidget* MakeList(bool tools);
    void Fill(bool tools, int chosen);
    void UpdateButtons(bool tools);
    void Act(bool tools, const QString& button);
    bool EditHelp(HelpEntry& entry);
    bool EditTool(UserTool& tool);

    SheetData& data_;
    MessageBox& boxes_;
    QTreeWidget* helpList_ = nullptr;
    QTreeWidget* toolList_ = nullptr;
    std::map<std::pair<bool, QString>, QPushButton*> buttons_;
};

class CEnvSheet : public QDialog {
    Q_OBJECT
public:
    CEnvSheet(QWidget* parent, SheetData data, MessageBox& boxes);
    const SheetData& Data() const { return data_; }
    QTabWidget* Tabs() const { return tabs_; }
    // The bound page of a page number (null for page 4).
    EnvBoundPage* BoundPage(int page) const;
    CEnvPage3* ListPage() const { return listPage_; }

    void accept() override;

private:
    SheetData data_;
    MessageBox& boxes_;
    QTabWidget* tabs_;
    CEnvPage3* listPage_;
};

// "name|patterns|...||" as Qt's "name (patterns);;..." filter list.
QString QtFileFilter(const char* filter);

}  // namespace qz
