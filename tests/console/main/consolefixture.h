#pragma once

#include "recordingmessageboxes.h"
#include "runnersite.h"

#include "console/common/consolestate.h"
#include "console/main/frmcal.h"

#include <QDateTime>
#include <QDialog>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// A console on a temporary site: the program folder with its database and
// Sch.ini, the console's state with recorded message boxes, and the main
// screen, with the clock frozen at a moment of 2026-12-08 (a Tuesday).
class ConsoleTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the console's state and form and runs the start-up.
    console::FrmCal &start(bool show = true);
    void setNow(const QTime &time, const QDate &date = QDate(2026, 12, 8));

    // Runs `answer` on the next modal dialog once it is shown.
    static void answerNextDialog(const std::function<void(QDialog *)> &answer);
    // CmdPass with the empty password (no password file): the maintenance mode.
    void enterMaintenance();
    void leaveMaintenance();

    template <typename T>
    T *find(const QString &name) const
    {
        T *w = form->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    // Saves a picture of a widget when SCH_SCREENSHOT_DIR is set.
    static void screenshot(QWidget *widget, const QString &name);

    RunnerSite site;
    RecordingMessageBoxes boxes;
    std::unique_ptr<console::ConsoleState> state;
    std::unique_ptr<console::FrmCal> form;
};

// Runs the event loop until pred holds or the time is up.
bool waitFor(const std::function<bool()> &pred, int timeoutMs = 5000);
