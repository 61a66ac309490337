#pragma once

#include "console/common/consolestate.h"
#include "recordingmessageboxes.h"
#include "runnersite.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class QWidget;

// A console on a temporary site: its state with recorded message boxes, the
// database open, the clock frozen at 2026-12-08 10:00 (a Tuesday).
class ScreenTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A new console state (after the test changed Sch.ini).
    void restartConsole();
    // Saves a picture of the widget to SCH_SCREENSHOT_DIR when it is set.
    static void screenshot(QWidget &widget, const QString &name);
    // Runs `act` on the next modal window that opens above `below` (a modal
    // dialog or message box started by exec()), once.
    static void whenModal(const std::function<void(QWidget *)> &act, QWidget *below = nullptr);
    // The rows of a query on the site's database, columns joined by '|'.
    QStringList rows(const QString &sql) const;

    static QDateTime now() { return QDateTime(QDate(2026, 12, 8), QTime(10, 0)); }

    RunnerSite site;
    RecordingMessageBoxes boxes;
    std::unique_ptr<console::ConsoleState> state;
};
