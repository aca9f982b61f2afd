#pragma once

class QDialog;

namespace AUILib {

// A dialog's modal run, as QDialog::exec runs it, with one difference: the
// run ends whenever the dialog stops being shown or being a window, also when
// a handler ended it while the run was still showing it. QDialog::exec ends its loop only on
// a hiding that comes once the loop runs, and one hidden before would wait
// for ever on a window nobody can see.
class ModalRun
{
public:
    // Shows `window` application-modal and returns its result once it is
    // hidden (or destroyed: then QDialog::Rejected). Qt's window-deleting
    // close is kept: a window made to go on close goes once the run ends.
    static int Exec(QDialog *window);
};

} // namespace AUILib
