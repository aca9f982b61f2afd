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
#include "FreshProcess.h"
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

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTreeView>
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
    // The Qt class a form names by `name`, whose properties the widget takes;
    // null for the toolkit's own classes.
    const QMetaObject *formClass;
};

template <class T>
bool isA(BaseGUIObject *control)
{
    return dynamic_cast<T *>(control) != nullptr;
}

const Registration kRegistrations[] = {
    {"QScrollArea", ControlKindScrollArea, isA<ScrollArea>, "QScrollArea", true, &QScrollArea::staticMetaObject},
    {"QPushButton", ControlKindButton, isA<Button>, "QPushButton", false, &QPushButton::staticMetaObject},
    {"QLineEdit", ControlKindEdit, isA<Edit>, "QLineEdit", true, &QLineEdit::staticMetaObject},
    {"QPlainTextEdit", ControlKindMultiLineEdit, isA<MultiLineEdit>, "QPlainTextEdit", true,
     &QPlainTextEdit::staticMetaObject},
    {"QTextEdit", ControlKindRichEdit, isA<RichEdit>, "QTextEdit", true, &QTextEdit::staticMetaObject},
    {"QTableWidget", ControlKindListBox, isA<ListBox>, "QTableWidget", true, &QTableWidget::staticMetaObject},
    {"QListWidget", ControlKindListBox, isA<ListBox>, "QTableWidget", true, nullptr},
    {"QCheckBox", ControlKindCheckBox, isA<CheckBox>, "QCheckBox", true, &QCheckBox::staticMetaObject},
    {"QRadioButton", ControlKindRadioButton, isA<RadioButton>, "QRadioButton", true, &QRadioButton::staticMetaObject},
    {"QGroupBox", ControlKindGroupBox, isA<GroupBox>, "QGroupBox", true, &QGroupBox::staticMetaObject},
    {"QComboBox", ControlKindComboBox, isA<ComboBox>, "QComboBox", true, &QComboBox::staticMetaObject},
    {"QLabel", ControlKindLabel, isA<Label>, "QLabel", true, &QLabel::staticMetaObject},
    {"QTabWidget", ControlKindTabView, isA<TabView>, "QTabWidget", true, &QTabWidget::staticMetaObject},
    {"QWidget", ControlKindChildDialog, isA<ChildDialog>, "QWidget", true, &QWidget::staticMetaObject},
    {"QSlider", ControlKindSlider, isA<Slider>, "QSlider", true, &QSlider::staticMetaObject},
    {"QScrollBar", ControlKindScrollBar, isA<ScrollBar>, "QScrollBar", true, &QScrollBar::staticMetaObject},
    // The spin edit keeps its own 64-bit value over a QAbstractSpinBox; the
    // QSpinBox properties it shares are checked with its own tests.
    {"QSpinBox", ControlKindSpinEdit, isA<SpinEdit>, "QAbstractSpinBox", true, nullptr},
    {"QDoubleSpinBox", ControlKindDoubleSpinEdit, isA<DoubleSpinEdit>, "QDoubleSpinBox", true,
     &QDoubleSpinBox::staticMetaObject},
    {"QStackedWidget", ControlKindStackedDialog, isA<StackedDialog>, "QStackedWidget", true,
     &QStackedWidget::staticMetaObject},
    {"QDialogButtonBox", ControlKindButtonBox, isA<ButtonBox>, "QDialogButtonBox", true,
     &QDialogButtonBox::staticMetaObject},
    {"QTreeView", ControlKindTreeView, isA<TreeView>, "QTreeView", true, &QTreeView::staticMetaObject},
    {"QSplitter", ControlKindSplitter, isA<Splitter>, "QSplitter", true, &QSplitter::staticMetaObject},
    {"QDateEdit", ControlKindDateEdit, isA<DateEdit>, "QDateTimeEdit", true, &QDateEdit::staticMetaObject},
    {"Line", ControlKindLine, isA<Line>, "QFrame", false, nullptr},
    {"HyperLinkElement", ControlKindHyperLinkElement, isA<HyperLinkElement>, "QLabel", false, nullptr},
    {"DrawElement", ControlKindDrawElement, isA<DrawElement>, "QWidget", false, nullptr},
    {"QProgressBar", ControlKindProgressBar, isA<ProgressBar>, "QProgressBar", true, &QProgressBar::staticMetaObject},
    {"QComboBoxFS", ControlKindComboBoxFS, isA<ComboBoxFS>, "QComboBox", true, &QComboBox::staticMetaObject},
};

} // namespace

// In a fresh process, the factory before any configuration was made.
TEST(AUILibObjectFactoryTest, MakesNothingBeforeTheConfigurationExists)
{
    runInFreshProcess([] {
        EXPECT_EQ(AUILibObjectFactory::Instance().Create("QLabel"), nullptr);
        GetCurrentLanguage();
        EXPECT_NE(AUILibObjectFactory::Instance().Create("QLabel"), nullptr);
    });
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

// A form's property reaches the widget as a property of its class, never as a
// dynamic property nothing reads. (A form's QListWidget builds a list box over
// a table: its items reach it when the form is loaded. A form's QDateEdit
// builds a QDateTimeEdit, which has every property of it.)
TEST(AUILibObjectFactoryTest, EveryWidgetTakesEveryPropertyOfTheFormsClass)
{
    GetCurrentLanguage();
    for (const Registration &row : kRegistrations) {
        if (!row.formClass)
            continue;
        SCOPED_TRACE(row.name);
        std::shared_ptr<BaseGUIObject> control = AUILibObjectFactory::Instance().Create(row.name);
        const QMetaObject *widgetClass = control->GetPlatformHandle()->metaObject();
        for (int i = 0; i < row.formClass->propertyCount(); ++i) {
            const QMetaProperty property = row.formClass->property(i);
            if (!property.isWritable())
                continue;
            const int found = widgetClass->indexOfProperty(property.name());
            ASSERT_GE(found, 0) << property.name();
            EXPECT_TRUE(widgetClass->property(found).isWritable()) << property.name();
        }
    }
}

// Made and dropped without Create, a control leaves nothing behind.
TEST(AUILibObjectFactoryTest, AControlDroppedUnplacedTakesItsWidgetAlong)
{
    GetCurrentLanguage();
    for (const Registration &row : kRegistrations) {
        SCOPED_TRACE(row.name);
        std::shared_ptr<BaseGUIObject> control = AUILibObjectFactory::Instance().Create(row.name);
        QPointer<QWidget> widget = control->GetPlatformHandle();
        ASSERT_FALSE(widget.isNull());
        control.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(widget.isNull());
    }
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
