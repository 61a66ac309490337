#include "tools/common/toolform.h"

#include <QApplication>

namespace tools {

void showWaitCursor(bool on)
{
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

} // namespace tools
