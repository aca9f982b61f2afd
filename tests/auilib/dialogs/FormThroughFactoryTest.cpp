#include "AUILibConfig.h"
#include "AUILibObjectFactory.h"
#include "BaseGUIObject.h"
#include "BaseImpl.h"
#include "DialogForms.h"
#include "DrawElement.h"
#include "GroupBox.h"
#include "Line.h"
#include "ProgressBar.h"
#include "ScrollArea.h"
#include "ScrollBar.h"
#include "Slider.h"
#include "Splitter.h"
#include "StackedDialog.h"
#include "TabView.h"
#include "FactoryLoader.h"

#include <QBuffer>
#include <QDate>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFrame>
#include <QImage>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSplitter>
#include <QUiLoader>
#include <QVariant>
#include <gtest/gtest.h>

#include <map>
#include <memory>

using namespace AUILib;

namespace {

// Every class the factory knows, nested the way forms nest pages, plus a
// QFrame the factory does not know.
const char kForm[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>AllControls</class>
 <widget class="QDialog" name="AllControls">
  <layout class="QVBoxLayout" name="layout">
   <item><widget class="QPushButton" name="pushButton"><property name="text"><string>Push</string></property></widget></item>
   <item><widget class="QLineEdit" name="lineEdit"/></item>
   <item><widget class="QPlainTextEdit" name="plainTextEdit"/></item>
   <item><widget class="QTextEdit" name="textEdit"/></item>
   <item><widget class="QTableWidget" name="tableWidget"/></item>
   <item><widget class="QListWidget" name="listWidget"/></item>
   <item><widget class="QCheckBox" name="checkBox"/></item>
   <item><widget class="QRadioButton" name="radioButton"/></item>
   <item>
    <widget class="QGroupBox" name="groupBox">
     <layout class="QHBoxLayout" name="groupLayout">
      <item><widget class="QComboBox" name="comboBox"/></item>
      <item><widget class="QComboBoxFS" name="comboBoxFS"/></item>
     </layout>
    </widget>
   </item>
   <item><widget class="QLabel" name="label"><property name="text"><string>Label</string></property></widget></item>
   <item>
    <widget class="QTabWidget" name="tabWidget">
     <widget class="QWidget" name="tabPage"><attribute name="title"><string>Tab</string></attribute>
      <layout class="QVBoxLayout" name="tabLayout">
       <item><widget class="QSlider" name="slider"><property name="orientation"><enum>Qt::Horizontal</enum></property></widget></item>
       <item><widget class="QScrollBar" name="scrollBar"/></item>
      </layout>
     </widget>
    </widget>
   </item>
   <item><widget class="QSpinBox" name="spinBox"/></item>
   <item><widget class="QDoubleSpinBox" name="doubleSpinBox"/></item>
   <item>
    <widget class="QStackedWidget" name="stackedWidget">
     <widget class="QWidget" name="stackPage">
      <layout class="QVBoxLayout" name="stackLayout">
       <item><widget class="QTreeView" name="treeView"/></item>
      </layout>
     </widget>
    </widget>
   </item>
   <item>
    <widget class="QScrollArea" name="scrollArea">
     <property name="widgetResizable"><bool>true</bool></property>
     <widget class="QWidget" name="scrollAreaWidgetContents">
      <layout class="QVBoxLayout" name="scrollLayout">
       <item><widget class="QDateEdit" name="dateEdit"/></item>
       <item><widget class="HyperLinkElement" name="hyperLink"/></item>
       <item><widget class="DrawElement" name="drawElement"/></item>
      </layout>
     </widget>
    </widget>
   </item>
   <item>
    <widget class="QSplitter" name="splitter">
     <widget class="QProgressBar" name="progressBar"/>
     <widget class="QFrame" name="plainFrame"/>
    </widget>
   </item>
   <item><widget class="Line" name="line"><property name="orientation"><enum>Qt::Horizontal</enum></property></widget></item>
   <item><widget class="QDialogButtonBox" name="buttonBox"><property name="standardButtons"><set>QDialogButtonBox::Cancel|QDialogButtonBox::Ok</set></property></widget></item>
  </layout>
 </widget>
</ui>
)";

} // namespace

TEST(FormThroughFactoryTest, EveryRegisteredClassOfAFormBecomesItsControl)
{
    GetCurrentLanguage();
    FactoryLoader loader;
    QByteArray form(kForm);
    QBuffer buffer(&form);
    buffer.open(QIODevice::ReadOnly);
    std::unique_ptr<QWidget> root(loader.load(&buffer));
    ASSERT_NE(root, nullptr) << loader.errorString().toStdString();
    auto *dialog = qobject_cast<QDialog *>(root.get());
    ASSERT_NE(dialog, nullptr);

    const std::map<QString, ControlKind> expected = {
        {"pushButton", ControlKindButton},
        {"lineEdit", ControlKindEdit},
        {"plainTextEdit", ControlKindMultiLineEdit},
        {"textEdit", ControlKindRichEdit},
        {"tableWidget", ControlKindListBox},
        {"listWidget", ControlKindListBox},
        {"checkBox", ControlKindCheckBox},
        {"radioButton", ControlKindRadioButton},
        {"groupBox", ControlKindGroupBox},
        {"comboBox", ControlKindComboBox},
        {"comboBoxFS", ControlKindComboBoxFS},
        {"label", ControlKindLabel},
        {"tabWidget", ControlKindTabView},
        {"tabPage", ControlKindChildDialog},
        {"slider", ControlKindSlider},
        {"scrollBar", ControlKindScrollBar},
        {"spinBox", ControlKindSpinEdit},
        {"doubleSpinBox", ControlKindDoubleSpinEdit},
        {"stackedWidget", ControlKindStackedDialog},
        {"stackPage", ControlKindChildDialog},
        {"treeView", ControlKindTreeView},
        {"scrollArea", ControlKindScrollArea},
        {"scrollAreaWidgetContents", ControlKindChildDialog},
        {"dateEdit", ControlKindDateEdit},
        {"hyperLink", ControlKindHyperLinkElement},
        {"drawElement", ControlKindDrawElement},
        {"splitter", ControlKindSplitter},
        {"progressBar", ControlKindProgressBar},
        {"line", ControlKindLine},
        {"buttonBox", ControlKindButtonBox},
    };
    EXPECT_EQ(loader.controls.size(), expected.size());
    for (const auto &entry : expected) {
        SCOPED_TRACE(entry.first.toStdString());
        auto found = loader.controls.find(entry.first);
        ASSERT_NE(found, loader.controls.end());
        EXPECT_EQ(found->second->GetControlKind(), entry.second);
        QWidget *widget = found->second->GetPlatformHandle();
        EXPECT_EQ(dialog->findChild<QWidget *>(entry.first), widget);
        EXPECT_TRUE(dialog->isAncestorOf(widget));
    }

    // Pages end where their container put them.
    EXPECT_EQ(loader.controls["treeView"]->GetPlatformHandle()->parentWidget(),
              loader.controls["stackPage"]->GetPlatformHandle());
    QWidget *plainFrame = dialog->findChild<QWidget *>("plainFrame");
    ASSERT_NE(plainFrame, nullptr);
    EXPECT_EQ(plainFrame->parentWidget(), loader.controls["splitter"]->GetPlatformHandle());

    // The dialog owns every widget; its controls see them go.
    QPointer<QWidget> label = loader.controls["label"]->GetPlatformHandle();
    root.reset();
    EXPECT_TRUE(label.isNull());
    EXPECT_EQ(loader.controls["label"]->GetPlatformHandle(), nullptr);
}

namespace {

// One element of every class name the factory maps, each with properties as
// Designer writes them.
const QByteArray kEveryClassBody = R"(
<item><widget class="QPushButton" name="pushButton"><property name="text"><string>Push</string></property></widget></item>
<item><widget class="QLineEdit" name="lineEdit"><property name="text"><string>typed</string></property></widget></item>
<item><widget class="QPlainTextEdit" name="plainTextEdit"><property name="plainText"><string>plain</string></property></widget></item>
<item><widget class="QTextEdit" name="textEdit"><property name="readOnly"><bool>true</bool></property></widget></item>
<item><widget class="QTableWidget" name="tableWidget"><property name="alternatingRowColors"><bool>true</bool></property></widget></item>
<item><widget class="QListWidget" name="listWidget"><property name="alternatingRowColors"><bool>true</bool></property></widget></item>
<item><widget class="QCheckBox" name="checkBox"><property name="text"><string>Check</string></property><property name="checked"><bool>true</bool></property></widget></item>
<item><widget class="QRadioButton" name="radioButton"><property name="text"><string>Radio</string></property><property name="checked"><bool>true</bool></property></widget></item>
<item>
 <widget class="QGroupBox" name="groupBox"><property name="title"><string>Group</string></property>
  <layout class="QHBoxLayout" name="groupLayout">
   <item><widget class="QComboBox" name="comboBox"><property name="editable"><bool>true</bool></property></widget></item>
   <item><widget class="QComboBoxFS" name="comboBoxFS"><property name="maxVisibleItems"><number>7</number></property></widget></item>
  </layout>
 </widget>
</item>
<item><widget class="QLabel" name="label"><property name="text"><string>Label</string></property></widget></item>
<item>
 <widget class="QTabWidget" name="tabWidget"><property name="currentIndex"><number>1</number></property>
  <widget class="QWidget" name="firstTab"><attribute name="title"><string>First</string></attribute>
   <layout class="QVBoxLayout" name="firstTabLayout">
    <item><widget class="QSlider" name="slider"><property name="orientation"><enum>Qt::Horizontal</enum></property>
     <property name="minimum"><number>5</number></property><property name="maximum"><number>50</number></property>
     <property name="value"><number>20</number></property><property name="pageStep"><number>4</number></property></widget></item>
    <item><widget class="QScrollBar" name="scrollBar"><property name="orientation"><enum>Qt::Vertical</enum></property>
     <property name="maximum"><number>30</number></property><property name="value"><number>12</number></property></widget></item>
   </layout>
  </widget>
  <widget class="QWidget" name="secondTab"><attribute name="title"><string>Second</string></attribute></widget>
 </widget>
</item>
<item><widget class="QSpinBox" name="spinBox"><property name="maximum"><number>500</number></property><property name="value"><number>42</number></property></widget></item>
<item><widget class="QDoubleSpinBox" name="doubleSpinBox"><property name="decimals"><number>3</number></property><property name="value"><double>2.5</double></property></widget></item>
<item>
 <widget class="QStackedWidget" name="stackedWidget"><property name="currentIndex"><number>1</number></property>
  <widget class="QWidget" name="firstPage">
   <layout class="QVBoxLayout" name="firstPageLayout">
    <item><widget class="QTreeView" name="treeView"><property name="rootIsDecorated"><bool>false</bool></property></widget></item>
   </layout>
  </widget>
  <widget class="QWidget" name="secondPage"/>
 </widget>
</item>
<item>
 <widget class="QScrollArea" name="scrollArea"><property name="widgetResizable"><bool>true</bool></property>
  <widget class="QWidget" name="scrollAreaWidgetContents">
   <layout class="QVBoxLayout" name="scrollLayout">
    <item><widget class="QDateEdit" name="dateEdit"><property name="displayFormat"><string>yyyy-MM-dd</string></property>
     <property name="date"><date><year>2024</year><month>2</month><day>29</day></date></property></widget></item>
    <item><widget class="HyperLinkElement" name="hyperLink"><property name="toolTip"><string>Visit</string></property></widget></item>
    <item><widget class="DrawElement" name="drawElement"><property name="minimumSize"><size><width>120</width><height>90</height></size></property></widget></item>
   </layout>
  </widget>
 </widget>
</item>
<item>
 <widget class="QSplitter" name="splitter"><property name="orientation"><enum>Qt::Vertical</enum></property>
  <property name="opaqueResize"><bool>false</bool></property><property name="handleWidth"><number>7</number></property>
  <widget class="QProgressBar" name="progressBar"><property name="minimum"><number>10</number></property>
   <property name="maximum"><number>200</number></property><property name="value"><number>60</number></property>
   <property name="format"><string>%v</string></property></widget>
  <widget class="QLabel" name="splitLabel"><property name="text"><string>Below</string></property></widget>
 </widget>
</item>
<item><widget class="Line" name="line"><property name="orientation"><enum>Qt::Vertical</enum></property></widget></item>
<item><widget class="QDialogButtonBox" name="buttonBox"><property name="standardButtons"><set>QDialogButtonBox::Cancel|QDialogButtonBox::Ok</set></property></widget></item>
)";

class EveryClassFormTest : public DialogFormTest
{
};

} // namespace

// Built by the toolkit's dialog: each element is its control, fetched by
// name, its widget carries the form's properties, and the controls read them.
TEST_F(EveryClassFormTest, EveryFactoryClassComesFromOneFormWithItsProperties)
{
    auto dialog = std::make_unique<CountingDialog>(form(dialogForm(kEveryClassBody)), nullptr, 0, 1.0, L"");
    QWidget *window = dialog->GetWndPtr();
    ASSERT_NE(window, nullptr);

    struct Expected
    {
        const char *name;
        ControlKind kind;
        const char *widgetClass;
    };
    const Expected expected[] = {
        {"pushButton", ControlKindButton, "AUILib::ButtonQt"},
        {"lineEdit", ControlKindEdit, "AUILib::EditQt"},
        {"plainTextEdit", ControlKindMultiLineEdit, "AUILib::MultiLineEditQt"},
        {"textEdit", ControlKindRichEdit, "AUILib::RichEditQt"},
        {"tableWidget", ControlKindListBox, "AUILib::ListBoxQt"},
        {"listWidget", ControlKindListBox, "AUILib::ListBoxQt"},
        {"checkBox", ControlKindCheckBox, "AUILib::CheckBoxQt"},
        {"radioButton", ControlKindRadioButton, "AUILib::RadioButtonQt"},
        {"groupBox", ControlKindGroupBox, "AUILib::GroupBoxQt"},
        {"comboBox", ControlKindComboBox, "AUILib::ComboBoxQt"},
        {"comboBoxFS", ControlKindComboBoxFS, "AUILib::ComboBoxFSQt"},
        {"label", ControlKindLabel, "AUILib::LabelQt"},
        {"tabWidget", ControlKindTabView, "AUILib::TabViewQt"},
        {"firstTab", ControlKindChildDialog, "AUILib::ChildDialogQt"},
        {"secondTab", ControlKindChildDialog, "AUILib::ChildDialogQt"},
        {"slider", ControlKindSlider, "AUILib::SliderQt"},
        {"scrollBar", ControlKindScrollBar, "AUILib::ScrollBarQt"},
        {"spinBox", ControlKindSpinEdit, "AUILib::SpinEditQt"},
        {"doubleSpinBox", ControlKindDoubleSpinEdit, "AUILib::DoubleSpinEditQt"},
        {"stackedWidget", ControlKindStackedDialog, "AUILib::StackedDialogQt"},
        {"firstPage", ControlKindChildDialog, "AUILib::ChildDialogQt"},
        {"secondPage", ControlKindChildDialog, "AUILib::ChildDialogQt"},
        {"treeView", ControlKindTreeView, "AUILib::TreeViewQt"},
        {"scrollArea", ControlKindScrollArea, "AUILib::ScrollAreaQt"},
        {"scrollAreaWidgetContents", ControlKindChildDialog, "AUILib::ChildDialogQt"},
        {"dateEdit", ControlKindDateEdit, "AUILib::DateEditQt"},
        {"hyperLink", ControlKindHyperLinkElement, "AUILib::HyperLinkElementQt"},
        {"drawElement", ControlKindDrawElement, "AUILib::DrawElementQt"},
        {"splitter", ControlKindSplitter, "AUILib::SplitterQt"},
        {"progressBar", ControlKindProgressBar, "AUILib::ProgressBarQt"},
        {"splitLabel", ControlKindLabel, "AUILib::LabelQt"},
        {"line", ControlKindLine, "AUILib::LineQt"},
        {"buttonBox", ControlKindButtonBox, "AUILib::ButtonBoxQt"},
    };
    for (const Expected &e : expected) {
        SCOPED_TRACE(e.name);
        const std::wstring name = QString::fromLatin1(e.name).toStdWString();
        std::shared_ptr<BaseGUIObject> control = dialog->GetElementByName(name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->GetControlKind(), e.kind);
        EXPECT_EQ(control->GetName(), name);
        QWidget *widget = control->GetPlatformHandle();
        ASSERT_NE(widget, nullptr);
        EXPECT_STREQ(widget->metaObject()->className(), e.widgetClass);
        EXPECT_EQ(window->findChild<QWidget *>(e.name), widget);
    }

    const auto widget = [&](const wchar_t *name) { return dialog->GetElementByName(name)->GetPlatformHandle(); };
    // The layout and range controls answer the common questions from their own widget.
    for (const wchar_t *name : {L"groupBox", L"line", L"progressBar", L"slider", L"scrollBar", L"scrollArea",
                                L"splitter", L"stackedWidget", L"tabWidget", L"drawElement"}) {
        SCOPED_TRACE(QString::fromWCharArray(name).toStdString());
        std::shared_ptr<BaseGUIObject> control = dialog->GetElementByName(name);
        ASSERT_NE(control->GetBaseImpl(), nullptr);
        EXPECT_EQ(control->GetBaseImpl()->GetWidget(), widget(name));
        EXPECT_EQ(control->GetSkinManager(), GetGlobalSkinManager());
        const Size ideal = control->IdealSize();
        EXPECT_EQ(QSize(ideal.width, ideal.height), widget(name)->sizeHint());
    }
    // What the form set on the widgets of every class.
    EXPECT_EQ(widget(L"pushButton")->property("text").toString(), "Push");
    EXPECT_EQ(widget(L"lineEdit")->property("text").toString(), "typed");
    EXPECT_EQ(widget(L"plainTextEdit")->property("plainText").toString(), "plain");
    EXPECT_TRUE(widget(L"textEdit")->property("readOnly").toBool());
    EXPECT_TRUE(widget(L"tableWidget")->property("alternatingRowColors").toBool());
    EXPECT_TRUE(widget(L"listWidget")->property("alternatingRowColors").toBool());
    EXPECT_EQ(widget(L"checkBox")->property("text").toString(), "Check");
    EXPECT_TRUE(widget(L"checkBox")->property("checked").toBool());
    EXPECT_EQ(widget(L"radioButton")->property("text").toString(), "Radio");
    EXPECT_TRUE(widget(L"radioButton")->property("checked").toBool());
    EXPECT_TRUE(widget(L"comboBox")->property("editable").toBool());
    EXPECT_EQ(widget(L"comboBoxFS")->property("maxVisibleItems").toInt(), 7);
    EXPECT_EQ(widget(L"label")->property("text").toString(), "Label");
    EXPECT_EQ(widget(L"spinBox")->property("value").toInt(), 42);
    EXPECT_DOUBLE_EQ(widget(L"doubleSpinBox")->property("value").toDouble(), 2.5);
    EXPECT_EQ(widget(L"doubleSpinBox")->property("decimals").toInt(), 3);
    EXPECT_FALSE(widget(L"treeView")->property("rootIsDecorated").toBool());
    EXPECT_TRUE(widget(L"scrollArea")->property("widgetResizable").toBool());
    EXPECT_EQ(widget(L"dateEdit")->property("date").toDate(), QDate(2024, 2, 29));
    EXPECT_EQ(widget(L"dateEdit")->property("displayFormat").toString(), "yyyy-MM-dd");
    EXPECT_EQ(widget(L"hyperLink")->toolTip(), "Visit");
    EXPECT_EQ(widget(L"drawElement")->minimumSize(), QSize(120, 90));
    EXPECT_EQ(widget(L"splitLabel")->parentWidget(), widget(L"splitter"));
    auto *box = qobject_cast<QDialogButtonBox *>(widget(L"buttonBox"));
    ASSERT_NE(box, nullptr);
    EXPECT_NE(box->button(QDialogButtonBox::Ok), nullptr);
    EXPECT_NE(box->button(QDialogButtonBox::Cancel), nullptr);
    EXPECT_EQ(box->buttons().size(), 2);

    // The controls of this toolkit's layout and range classes read them back.
    auto *group = dialog->GetControlPtr<GroupBox *>(L"groupBox");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->GetText(), L"Group");
    EXPECT_EQ(widget(L"comboBox")->parentWidget(), widget(L"groupBox"));

    auto *tabs = dialog->GetControlPtr<TabView *>(L"tabWidget");
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->GetItemCount(), 2);
    EXPECT_EQ(tabs->GetCurrentIndex(), 1);
    EXPECT_EQ(tabs->GetTabText(0), L"First");
    EXPECT_EQ(tabs->GetTabText(1), L"Second");

    auto *slider = dialog->GetControlPtr<Slider *>(L"slider");
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->GetValue(), 20);
    auto *sliderWidget = qobject_cast<QSlider *>(widget(L"slider"));
    EXPECT_EQ(sliderWidget->minimum(), 5);
    EXPECT_EQ(sliderWidget->maximum(), 50);
    EXPECT_EQ(sliderWidget->pageStep(), 4);
    EXPECT_EQ(sliderWidget->orientation(), Qt::Horizontal);

    auto *scrollBar = dialog->GetControlPtr<ScrollBar *>(L"scrollBar");
    ASSERT_NE(scrollBar, nullptr);
    EXPECT_EQ(scrollBar->GetValue(), 12);
    EXPECT_EQ(scrollBar->GetBackgroundColor(), -1);
    EXPECT_EQ(qobject_cast<QScrollBar *>(widget(L"scrollBar"))->orientation(), Qt::Vertical);
    EXPECT_EQ(qobject_cast<QScrollBar *>(widget(L"scrollBar"))->maximum(), 30);

    auto *stack = dialog->GetControlPtr<StackedDialog *>(L"stackedWidget");
    ASSERT_NE(stack, nullptr);
    EXPECT_EQ(stack->GetCurrentIndex(), 1);
    EXPECT_EQ(stack->GetPage(0), widget(L"firstPage"));
    EXPECT_EQ(stack->GetPage(1), widget(L"secondPage"));
    EXPECT_EQ(stack->GetPage(2), nullptr);
    EXPECT_EQ(widget(L"treeView")->parentWidget(), widget(L"firstPage"));

    EXPECT_NE(dialog->GetControlPtr<ScrollArea *>(L"scrollArea"), nullptr);
    EXPECT_EQ(qobject_cast<QScrollArea *>(widget(L"scrollArea"))->widget(), widget(L"scrollAreaWidgetContents"));

    auto *draw = dialog->GetControlPtr<DrawElement *>(L"drawElement");
    ASSERT_NE(draw, nullptr);
    EXPECT_TRUE(draw->IsSetBorder());
    EXPECT_EQ(draw->GetImage(), nullptr);

    auto *splitter = dialog->GetControlPtr<Splitter *>(L"splitter");
    ASSERT_NE(splitter, nullptr);
    EXPECT_FALSE(splitter->DynamicResizing());
    auto *splitterWidget = qobject_cast<QSplitter *>(widget(L"splitter"));
    EXPECT_EQ(splitterWidget->orientation(), Qt::Vertical);
    EXPECT_EQ(splitterWidget->handleWidth(), 7);
    EXPECT_EQ(splitterWidget->count(), 2);

    auto *progress = dialog->GetControlPtr<ProgressBar *>(L"progressBar");
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->GetMinimum(), 10);
    EXPECT_EQ(progress->GetMaximum(), 200);
    EXPECT_EQ(progress->GetValue(), 60);
    EXPECT_EQ(qobject_cast<QProgressBar *>(widget(L"progressBar"))->format(), "%v");

    auto *line = dialog->GetControlPtr<Line *>(L"line");
    ASSERT_NE(line, nullptr);
    auto *lineFrame = qobject_cast<QFrame *>(line->GetWndPtr());
    ASSERT_NE(lineFrame, nullptr);
    EXPECT_EQ(lineFrame, widget(L"line"));
    EXPECT_EQ(lineFrame->frameShape(), QFrame::VLine);
    EXPECT_EQ(lineFrame->frameShadow(), QFrame::Plain);
}
