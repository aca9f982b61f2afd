#include "AUILibObjectFactory.h"

#include "AUILibConfig.h"
#include "BaseImpl.h"
#include "Button.h"
#include "ButtonBox.h"
#include "CheckBox.h"
#include "ChildDialog.h"
#include "ComboBox.h"
#include "ComboBoxFS.h"
#include "Creator.h"
#include "DateEdit.h"
#include "DoubleSpinEdit.h"
#include "DrawElement.h"
#include "Edit.h"
#include "GroupBox.h"
#include "HyperLinkElement.h"
#include "Label.h"
#include "Line.h"
#include "ListBox.h"
#include "MultiLineEdit.h"
#include "ProgressBar.h"
#include "RadioButton.h"
#include "RichEdit.h"
#include "ScrollArea.h"
#include "ScrollBar.h"
#include "Slider.h"
#include "SpinEdit.h"
#include "Splitter.h"
#include "StackedDialog.h"
#include "TabView.h"
#include "TreeView.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace AUILib;

namespace {

struct Registration
{
    const char *name;
    ControlKind kind;
    std::function<bool(BaseGUIObject *)> isClass;
    const char *widgetClass; // the Qt class the widget derives from
    bool storesParent;
};

template <class T>
bool isA(BaseGUIObject *control)
{
    return dynamic_cast<T *>(control) != nullptr;
}

const Registration kRegistrations[] = {
    {"QScrollArea", ControlKindScrollArea, isA<ScrollArea>, "QScrollArea", true},
    {"QPushButton", ControlKindButton, isA<Button>, "QPushButton", false},
    {"QLineEdit", ControlKindEdit, isA<Edit>, "QLineEdit", true},
    {"QPlainTextEdit", ControlKindMultiLineEdit, isA<MultiLineEdit>, "QPlainTextEdit", true},
    {"QTextEdit", ControlKindRichEdit, isA<RichEdit>, "QTextEdit", true},
    {"QTableWidget", ControlKindListBox, isA<ListBox>, "QTableWidget", true},
    {"QListWidget", ControlKindListBox, isA<ListBox>, "QTableWidget", true},
    {"QCheckBox", ControlKindCheckBox, isA<CheckBox>, "QCheckBox", true},
    {"QRadioButton", ControlKindRadioButton, isA<RadioButton>, "QRadioButton", true},
    {"QGroupBox", ControlKindGroupBox, isA<GroupBox>, "QGroupBox", true},
    {"QComboBox", ControlKindComboBox, isA<ComboBox>, "QComboBox", true},
    {"QLabel", ControlKindLabel, isA<Label>, "QLabel", true},
    {"QTabWidget", ControlKindTabView, isA<TabView>, "QTabWidget", true},
    {"QWidget", ControlKindChildDialog, isA<ChildDialog>, "QWidget", true},
    {"QSlider", ControlKindSlider, isA<Slider>, "QSlider", true},
    {"QScrollBar", ControlKindScrollBar, isA<ScrollBar>, "QScrollBar", true},
    {"QSpinBox", ControlKindSpinEdit, isA<SpinEdit>, "QAbstractSpinBox", true},
    {"QDoubleSpinBox", ControlKindDoubleSpinEdit, isA<DoubleSpinEdit>, "QDoubleSpinBox", true},
    {"QStackedWidget", ControlKindStackedDialog, isA<StackedDialog>, "QStackedWidget", true},
    {"QDialogButtonBox", ControlKindButtonBox, isA<ButtonBox>, "QDialogButtonBox", true},
    {"QTreeView", ControlKindTreeView, isA<TreeView>, "QTreeView", true},
    {"QSplitter", ControlKindSplitter, isA<Splitter>, "QSplitter", true},
    {"QDateEdit", ControlKindDateEdit, isA<DateEdit>, "QDateTimeEdit", true},
    {"Line", ControlKindLine, isA<Line>, "QFrame", false},
    {"HyperLinkElement", ControlKindHyperLinkElement, isA<HyperLinkElement>, "QLabel", false},
    {"DrawElement", ControlKindDrawElement, isA<DrawElement>, "QWidget", false},
    {"QProgressBar", ControlKindProgressBar, isA<ProgressBar>, "QProgressBar", true},
    {"QComboBoxFS", ControlKindComboBoxFS, isA<ComboBoxFS>, "QComboBox", true},
};

} // namespace

// Each test runs in a process of its own, so this one sees the factory before
// any configuration was made.
TEST(AUILibObjectFactoryTest, MakesNothingBeforeTheConfigurationExists)
{
    EXPECT_EQ(AUILibObjectFactory::Instance().Create("QLabel"), nullptr);
    GetCurrentLanguage();
    EXPECT_NE(AUILibObjectFactory::Instance().Create("QLabel"), nullptr);
}

TEST(AUILibObjectFactoryTest, EveryRegisteredNameMakesItsControl)
{
    GetCurrentLanguage();
    QWidget parent;
    for (const Registration &row : kRegistrations) {
        SCOPED_TRACE(row.name);
        std::shared_ptr<BaseGUIObject> control = AUILibObjectFactory::Instance().Create(row.name);
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(row.isClass(control.get()));
        EXPECT_EQ(control->GetControlKind(), row.kind);
        QWidget *widget = control->GetPlatformHandle();
        ASSERT_NE(widget, nullptr);
        EXPECT_TRUE(widget->inherits(row.widgetClass));
        EXPECT_EQ(widget->parentWidget(), nullptr);

        EXPECT_TRUE(control->Create(&parent));
        EXPECT_EQ(widget->parentWidget(), &parent);
        EXPECT_EQ(control->GetParentWindow(), row.storesParent ? &parent : nullptr);
    }
    EXPECT_EQ(parent.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly).size(), 28);
}

TEST(AUILibObjectFactoryTest, OtherNamesMakeNothing)
{
    GetCurrentLanguage();
    for (const char *name : {"QDialog", "QFrame", "qlabel", "QLABEL", "", "QComboBo", "QLabel ", "PromptsPopup"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(AUILibObjectFactory::Instance().Create(name), nullptr);
    }
}

TEST(AUILibObjectFactoryTest, EachCallMakesANewControl)
{
    GetCurrentLanguage();
    QWidget parent;
    auto first = AUILibObjectFactory::Instance().Create("QListWidget");
    auto second = AUILibObjectFactory::Instance().Create("QListWidget");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_NE(first->GetPlatformHandle(), second->GetPlatformHandle());
    first->Create(&parent);
    second->Create(&parent);
}

TEST(AUILibObjectFactoryTest, TheFirstRegistrationOfANameStays)
{
    GetCurrentLanguage();
    AUILibObjectFactory::Instance().Register("QLabel", std::make_shared<Creator<Button>>());
    AUILibObjectFactory::Instance().Register("Custom", std::make_shared<Creator<Button>>());
    QWidget parent;
    auto label = AUILibObjectFactory::Instance().Create("QLabel");
    auto custom = AUILibObjectFactory::Instance().Create("Custom");
    EXPECT_EQ(label->GetControlKind(), ControlKindLabel);
    EXPECT_EQ(custom->GetControlKind(), ControlKindButton);
    label->Create(&parent);
    custom->Create(&parent);
}
