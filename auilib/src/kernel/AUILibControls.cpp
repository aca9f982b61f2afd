// The control factory's table lives apart from the rest of the configuration:
// it is the one place that knows every control class.
#include "AUILibConfig.h"

#include "AUILibObjectFactory.h"
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

namespace AUILib {

namespace {

template <class T>
void registerControl(const char *name)
{
    AUILibObjectFactory::Instance().Register(name, std::make_shared<Creator<T>>());
}

} // namespace

void AUILibConfig::RegisterAUILibControls()
{
    registerControl<ScrollArea>("QScrollArea");
    registerControl<Button>("QPushButton");
    registerControl<Edit>("QLineEdit");
    registerControl<MultiLineEdit>("QPlainTextEdit");
    registerControl<RichEdit>("QTextEdit");
    registerControl<ListBox>("QTableWidget");
    registerControl<ListBox>("QListWidget");
    registerControl<CheckBox>("QCheckBox");
    registerControl<RadioButton>("QRadioButton");
    registerControl<GroupBox>("QGroupBox");
    registerControl<ComboBox>("QComboBox");
    registerControl<Label>("QLabel");
    registerControl<TabView>("QTabWidget");
    registerControl<ChildDialog>("QWidget");
    registerControl<Slider>("QSlider");
    registerControl<ScrollBar>("QScrollBar");
    registerControl<SpinEdit>("QSpinBox");
    registerControl<DoubleSpinEdit>("QDoubleSpinBox");
    registerControl<StackedDialog>("QStackedWidget");
    registerControl<ButtonBox>("QDialogButtonBox");
    registerControl<TreeView>("QTreeView");
    registerControl<Splitter>("QSplitter");
    registerControl<DateEdit>("QDateEdit");
    registerControl<Line>("Line");
    registerControl<HyperLinkElement>("HyperLinkElement");
    registerControl<DrawElement>("DrawElement");
    registerControl<ProgressBar>("QProgressBar");
    registerControl<ComboBoxFS>("QComboBoxFS");
}

} // namespace AUILib
