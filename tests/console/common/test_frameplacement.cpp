// A window placed by the settings covers its rectangle with its frame: a
// window as large as the screen keeps its bottom row of buttons on screen.
#include "console/common/frameplacement.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(FramePlacement, TheFrameIsPartOfThePlacedRectangle)
{
    const QRect screen(0, 0, 1280, 1024);
    QWidget window;
    console::FramePlacement::place(&window, screen);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_NE(window.frameGeometry(), window.geometry()) << "the platform shows no frame";
    EXPECT_EQ(window.frameGeometry(), screen);

    // Fitted once: the operator's own sizes stay as they are.
    window.resize(800, 600);
    QTest::qWait(1);
    EXPECT_EQ(window.size(), QSize(800, 600));
}

TEST(FramePlacement, AWindowManagersTitleBarComesOffTheInside)
{
    const QMargins frame(2, 24, 2, 2);
    bool shown = false;
    QWidget window;
    console::FramePlacement::place(&window, QRect(0, 0, 1280, 1024),
                                   [&](const QWidget &) { return shown ? frame : QMargins(); });
    EXPECT_EQ(window.size(), QSize(1280, 1024)); // the frame is not known before the window is shown
    shown = true;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.geometry(), QRect(2, 24, 1276, 998));
}

} // namespace
