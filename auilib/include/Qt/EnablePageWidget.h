#pragma once

class QWidget;

namespace AUILib {

// Enables or disables one page of a page container: the page widget alone, or
// with every widget below it. A null page (an index the container does not
// have) is left alone.
void EnablePageWidget(QWidget *page, bool enable, bool withChildren);

} // namespace AUILib
