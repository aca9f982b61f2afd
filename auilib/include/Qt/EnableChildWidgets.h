#pragma once

class QWidget;

namespace AUILib {

class BaseImpl;

// Enables or disables the widget and then every descendant widget.
void EnableChildWidgets(BaseImpl *impl, QWidget *widget, bool enable);

} // namespace AUILib
