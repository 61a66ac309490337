#pragma once

#include "console/maintenance/frmreserve.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

#include <functional>

// Answering the reservation dialog (frmReserve) that a test's action opens,
// for the tests of the weekly editor and of the main screen's day charts.
namespace reservedialog {

// Runs `act`; once the reservation dialog it opens is shown, `answer` gets
// it (and closes it).  False when no reservation dialog was shown.
inline bool whileShown(const std::function<void()> &act, const std::function<void(console::FrmReserve &)> &answer)
{
    bool opened = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<console::FrmReserve *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll.stop();
        opened = true;
        answer(*dialog);
    });
    poll.start();
    act();
    poll.stop();
    return opened;
}

// Sets the boxes (start hour, start minute, end hour, end minute) to the
// texts given, as many as given, and presses OK; Cancel follows when OK was
// refused.  True when OK was taken.
inline bool accept(console::FrmReserve &dialog, const QStringList &answer = {})
{
    QComboBox *boxes[4] = {dialog.cboSH, dialog.cboSM, dialog.cboEH, dialog.cboEM};
    for (int i = 0; i < answer.size() && i < 4; ++i)
        boxes[i]->setCurrentIndex(boxes[i]->findText(answer[i]));
    dialog.cmdOK->click();
    if (!dialog.isVisible())
        return true;
    dialog.cmdCancel->click();
    return false;
}

} // namespace reservedialog
