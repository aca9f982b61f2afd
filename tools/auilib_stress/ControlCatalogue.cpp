#include "ControlCatalogue.h"

#include "AUILibObjectFactory.h"
#include "BaseGUIObject.h"
#include "Button.h"
#include "ComboBox.h"
#include "ComboBoxFS.h"
#include "Edit.h"
#include "Label.h"
#include "ListBox.h"
#include "StackedDialog.h"
#include "StressRandom.h"
#include "TreeView.h"
#include "VirtTreeItem.h"

#include <QWidget>

using namespace AUILib;

namespace {

void fillList(ListBox &list, StressRandom &random)
{
    const int columns = 1 + random.below(3);
    list.SetColumnsCount(columns);
    list.SetSingleSelection(random.percent(50));
    const int rows = 2 + random.below(6);
    for (int row = 0; row < rows; ++row) {
        std::list<std::wstring> texts;
        for (int column = 0; column < columns; ++column)
            texts.push_back(std::wstring(1, static_cast<wchar_t>(L'a' + random.below(26))) + std::to_wstring(row));
        list.AddItemEx(texts, any(row));
    }
}

void fillTree(TreeView &tree, StressRandom &random)
{
    if (random.percent(30)) {
        tree.SetVirtualMode(true);
        VirtTreeItem *root = tree.RootItem();
        for (int i = 0; i < 3; ++i) {
            std::wstring text = L"v" + std::to_wstring(i);
            VirtTreeItem *top = tree.AddVirtualTreeItem(text, root, any(i));
            for (int j = 0; j < random.below(3); ++j) {
                std::wstring child = text + L"." + std::to_wstring(j);
                tree.AddVirtualTreeItem(child, top, any(j));
            }
        }
        tree.UpdateVirtualView();
        return;
    }
    for (int i = 0; i < 3 + random.below(3); ++i) {
        QStandardItem *top = tree.AddItem(L"t" + std::to_wstring(i), any(i));
        for (int j = 0; j < random.below(4); ++j) {
            QStandardItem *child = tree.AddSubItem(L"t" + std::to_wstring(i) + L"." + std::to_wstring(j), any(j), top);
            if (random.percent(30))
                tree.AddSubItem(L"leaf", any(), child);
        }
    }
}

void fill(BaseGUIObject &control, StressRandom &random)
{
    switch (control.GetControlKind()) {
    case ControlKindListBox:
        fillList(static_cast<ListBox &>(control), random);
        break;
    case ControlKindTreeView:
        fillTree(static_cast<TreeView &>(control), random);
        break;
    case ControlKindComboBox: {
        auto &combo = static_cast<ComboBox &>(control);
        combo.SetEditable(random.percent(50));
        for (int i = 0; i < 2 + random.below(5); ++i)
            combo.AddItem(L"item " + std::to_wstring(i), any(i));
        if (random.percent(50))
            combo.AddSeparator(random.percent(50) ? L"" : L"Header", any());
        break;
    }
    case ControlKindComboBoxFS:
        static_cast<ComboBoxFS &>(control).InitComboBoxFS();
        break;
    case ControlKindStackedDialog: {
        auto &stack = static_cast<StackedDialog &>(control);
        for (int i = 0; i < 1 + random.below(3); ++i)
            stack.InsertChildDialog(i, new QWidget);
        break;
    }
    case ControlKindButton:
        static_cast<Button &>(control).SetText(L"Press");
        break;
    case ControlKindLabel:
        static_cast<Label &>(control).SetText(L"A label of some words", false);
        break;
    case ControlKindEdit:
        static_cast<Edit &>(control).SetText(L"text");
        break;
    default:
        break;
    }
}

} // namespace

const std::vector<ControlCatalogue::Kind> &ControlCatalogue::kinds()
{
    static const std::vector<Kind> table = {
        {"QScrollArea", "ScrollArea", ControlKindScrollArea},
        {"QPushButton", "Button", ControlKindButton},
        {"QLineEdit", "Edit", ControlKindEdit},
        {"QPlainTextEdit", "MultiLineEdit", ControlKindMultiLineEdit},
        {"QTextEdit", "RichEdit", ControlKindRichEdit},
        {"QTableWidget", "ListBox", ControlKindListBox},
        {"QListWidget", "ListBox", ControlKindListBox},
        {"QCheckBox", "CheckBox", ControlKindCheckBox},
        {"QRadioButton", "RadioButton", ControlKindRadioButton},
        {"QGroupBox", "GroupBox", ControlKindGroupBox},
        {"QComboBox", "ComboBox", ControlKindComboBox},
        {"QLabel", "Label", ControlKindLabel},
        {"QTabWidget", "TabView", ControlKindTabView},
        {"QWidget", "ChildDialog", ControlKindChildDialog},
        {"QSlider", "Slider", ControlKindSlider},
        {"QScrollBar", "ScrollBar", ControlKindScrollBar},
        {"QSpinBox", "SpinEdit", ControlKindSpinEdit},
        {"QDoubleSpinBox", "DoubleSpinEdit", ControlKindDoubleSpinEdit},
        {"QStackedWidget", "StackedDialog", ControlKindStackedDialog},
        {"QDialogButtonBox", "ButtonBox", ControlKindButtonBox},
        {"QTreeView", "TreeView", ControlKindTreeView},
        {"QSplitter", "Splitter", ControlKindSplitter},
        {"QDateEdit", "DateEdit", ControlKindDateEdit},
        {"Line", "Line", ControlKindLine},
        {"HyperLinkElement", "HyperLinkElement", ControlKindHyperLinkElement},
        {"DrawElement", "DrawElement", ControlKindDrawElement},
        {"QProgressBar", "ProgressBar", ControlKindProgressBar},
        {"QComboBoxFS", "ComboBoxFS", ControlKindComboBoxFS},
    };
    return table;
}

const char *ControlCatalogue::nameOf(ControlKind kind)
{
    if (kind == ControlKindDialog)
        return "Dialog";
    for (const Kind &entry : kinds())
        if (entry.kind == kind)
            return entry.name;
    return "Control";
}

std::shared_ptr<BaseGUIObject> ControlCatalogue::make(const Kind &kind, StressRandom &random)
{
    std::shared_ptr<BaseGUIObject> control = AUILibObjectFactory::Instance().Create(kind.factoryName);
    if (control)
        fill(*control, random);
    return control;
}

QByteArray ControlCatalogue::everyKindForm()
{
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>EveryKind</class>
 <widget class="QDialog" name="EveryKind">
  <property name="geometry"><rect><x>0</x><y>0</y><width>720</width><height>900</height></rect></property>
  <property name="windowTitle"><string>Every kind</string></property>
  <layout class="QVBoxLayout" name="layout">
   <item><widget class="QPushButton" name="pushButton"><property name="text"><string>&amp;Push</string></property></widget></item>
   <item><widget class="QLineEdit" name="lineEdit"><property name="text"><string>typed</string></property></widget></item>
   <item><widget class="QPlainTextEdit" name="plainTextEdit"><property name="plainText"><string>plain
text</string></property></widget></item>
   <item><widget class="QTextEdit" name="textEdit"><property name="html"><string>&lt;b&gt;rich&lt;/b&gt; text</string></property></widget></item>
   <item>
    <widget class="QTableWidget" name="tableWidget">
     <property name="selectionMode"><enum>QAbstractItemView::ExtendedSelection</enum></property>
     <column><property name="text"><string>One</string></property></column>
     <column><property name="text"><string>Two</string></property></column>
     <row><property name="text"><string>1</string></property></row>
     <row><property name="text"><string>2</string></property></row>
     <row><property name="text"><string>3</string></property></row>
     <item row="0" column="0"><property name="text"><string>a</string></property></item>
     <item row="1" column="0"><property name="text"><string>b</string></property></item>
     <item row="2" column="1"><property name="text"><string>c</string></property></item>
    </widget>
   </item>
   <item><widget class="QListWidget" name="listWidget"><item><property name="text"><string>first</string></property></item></widget></item>
   <item><widget class="QCheckBox" name="checkBox"><property name="text"><string>Check</string></property><property name="tristate"><bool>true</bool></property></widget></item>
   <item><widget class="QRadioButton" name="radioButton"><property name="text"><string>Radio</string></property></widget></item>
   <item><widget class="QRadioButton" name="radioButton2"><property name="text"><string>Other radio</string></property><property name="checked"><bool>true</bool></property></widget></item>
   <item>
    <widget class="QGroupBox" name="groupBox"><property name="title"><string>Group</string></property>
     <layout class="QHBoxLayout" name="groupLayout">
      <item><widget class="QComboBox" name="comboBox"><property name="editable"><bool>true</bool></property>
       <item><property name="text"><string>A</string></property></item>
       <item><property name="text"><string>B</string></property></item>
       <item><property name="text"><string>C</string></property></item>
      </widget></item>
      <item><widget class="QComboBox" name="fixedCombo">
       <item><property name="text"><string>one</string></property></item>
       <item><property name="text"><string>two</string></property></item>
      </widget></item>
      <item><widget class="QComboBoxFS" name="comboBoxFS"/></item>
     </layout>
    </widget>
   </item>
   <item><widget class="QLabel" name="label"><property name="text"><string>A &lt;a href="#x"&gt;link&lt;/a&gt; in a label</string></property></widget></item>
   <item>
    <widget class="QTabWidget" name="tabWidget">
     <widget class="QWidget" name="firstTab"><attribute name="title"><string>First</string></attribute>
      <layout class="QVBoxLayout" name="firstTabLayout">
       <item><widget class="QSlider" name="slider"><property name="orientation"><enum>Qt::Horizontal</enum></property><property name="maximum"><number>50</number></property></widget></item>
       <item><widget class="QScrollBar" name="scrollBar"><property name="orientation"><enum>Qt::Horizontal</enum></property><property name="maximum"><number>30</number></property></widget></item>
      </layout>
     </widget>
     <widget class="QWidget" name="secondTab"><attribute name="title"><string>Second</string></attribute>
      <layout class="QVBoxLayout" name="secondTabLayout">
       <item><widget class="QSpinBox" name="spinBox"><property name="maximum"><number>500</number></property><property name="value"><number>42</number></property></widget></item>
      </layout>
     </widget>
    </widget>
   </item>
   <item><widget class="QDoubleSpinBox" name="doubleSpinBox"><property name="decimals"><number>3</number></property><property name="value"><double>2.5</double></property></widget></item>
   <item>
    <widget class="QStackedWidget" name="stackedWidget">
     <widget class="QWidget" name="firstPage">
      <layout class="QVBoxLayout" name="firstPageLayout">
       <item><widget class="QTreeView" name="treeView"/></item>
      </layout>
     </widget>
     <widget class="QWidget" name="secondPage"/>
    </widget>
   </item>
   <item>
    <widget class="QScrollArea" name="scrollArea"><property name="widgetResizable"><bool>true</bool></property>
     <widget class="QWidget" name="scrollAreaWidgetContents">
      <layout class="QVBoxLayout" name="scrollLayout">
       <item><widget class="QDateEdit" name="dateEdit"><property name="calendarPopup"><bool>true</bool></property></widget></item>
       <item><widget class="HyperLinkElement" name="hyperLink"><property name="text"><string>Visit</string></property></widget></item>
       <item><widget class="DrawElement" name="drawElement"><property name="minimumSize"><size><width>80</width><height>60</height></size></property></widget></item>
      </layout>
     </widget>
    </widget>
   </item>
   <item>
    <widget class="QSplitter" name="splitter"><property name="orientation"><enum>Qt::Horizontal</enum></property>
     <widget class="QProgressBar" name="progressBar"><property name="value"><number>24</number></property></widget>
     <widget class="QLabel" name="splitLabel"><property name="text"><string>Beside</string></property></widget>
    </widget>
   </item>
   <item><widget class="Line" name="line"><property name="orientation"><enum>Qt::Horizontal</enum></property></widget></item>
   <item><widget class="QDialogButtonBox" name="buttonBox"><property name="standardButtons"><set>QDialogButtonBox::Cancel|QDialogButtonBox::Ok|QDialogButtonBox::Help</set></property></widget></item>
  </layout>
 </widget>
 <resources/>
 <connections>
  <connection><sender>buttonBox</sender><signal>accepted()</signal><receiver>EveryKind</receiver><slot>accept()</slot></connection>
  <connection><sender>buttonBox</sender><signal>rejected()</signal><receiver>EveryKind</receiver><slot>reject()</slot></connection>
 </connections>
</ui>
)";
}
