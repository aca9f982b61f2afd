#pragma once

namespace AUILib {

// Numbers the walks of a control that report to handlers (a fill, a text
// change, a selection change, an open editor). A handler may start the same
// walk again, or end what is walked; the newer walk then reports what is
// current, and the older one, seeing it is no longer current, stops.
class ReportRound
{
public:
    // Starts a walk and answers its number.
    unsigned Begin() { return ++m_current; }
    // Ends whatever walk is under way without starting one.
    void Supersede() { ++m_current; }
    bool IsCurrent(unsigned round) const { return round == m_current; }

private:
    unsigned m_current = 0;
};

} // namespace AUILib
