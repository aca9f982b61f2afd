#include "AUILibConfig.h"
#include "AUILibObjectFactory.h"
#include "BaseGUIObject.h"

#include <QBuffer>
#include <QDialog>
#include <QPointer>
#include <QUiLoader>
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

// The least a form loader does with the factory: one control per element it
// knows, placed under the element's parent and kept by object name.
class FactoryLoader : public QUiLoader
{
public:
    QWidget *createWidget(const QString &className, QWidget *parent, const QString &name) override
    {
        std::shared_ptr<BaseGUIObject> control = AUILibObjectFactory::Instance().Create(className.toStdString());
        if (!control)
            return QUiLoader::createWidget(className, parent, name);
        control->Create(parent);
        control->SetName(name.toStdWString());
        QWidget *widget = control->GetPlatformHandle();
        widget->setObjectName(name);
        controls[name] = control;
        return widget;
    }

    std::map<QString, std::shared_ptr<BaseGUIObject>> controls;
};

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
