#pragma once

class QWidget;

namespace AUILib {

class BaseImpl;

// Enables or disables the widget and then every descendant widget. A null
// widget is left alone.
void EnableChildWidgets(QWidget *widget, bool enable);
// The form the implementation base calls; the implementation is not used.
void EnableChildWidgets(BaseImpl *impl, QWidget *widget, bool enable);

} // namespace AUILib
