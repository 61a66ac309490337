// Metrics, time axis, rows and the hit test as pure functions, and the
// drawing rules that show in pixels (painted into an image, no window).
#include "chart/chartlayout.h"
#include "chart/charthittest.h"
#include "chart/chartmodel.h"
#include "chart/chartpainter.h"
#include "chart/olecolor.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <gtest/gtest.h>

using namespace chart;

namespace {

QFont testFont()
{
    QFont f(QStringLiteral("Noto Sans CJK JP"));
    f.setPixelSize(14);
    return f;
}

// A model laid out in a client area of the given size, as the control would.
struct Geometry
{
    ChartModel model;
    ChartMetrics metrics;
    ChartLayout layout;
    QFont font = testFont();

    void lay(int width = 800, int height = 400, int firstRow = 0, int firstHour = 0)
    {
        metrics = ChartMetrics::compute(model, QFontMetrics(font), 96, 96, 16);
        layout = ChartLayout::compute(metrics, QRect(0, 0, width, height), model.ScaleRangeTop(),
                                      model.ScaleRangeEnd(), model.ScaleMode() == GntFreeSize,
                                      model.ScaleMinuteInterval(), model.itemCount(), firstRow, firstHour, 16);
    }
    QPoint at(int item, int minutes) const
    {
        const QRect row = layout.rowRect(item);
        return {layout.xOf(minutes), row.top() + row.height() / 2};
    }
};

} // namespace

TEST(ChartGeometry, MetricsFollowTheFontAndTheLayoutProperties)
{
    Geometry g;
    g.lay();
    const QFontMetrics fm(g.font);
    const int h = fm.height();
    EXPECT_EQ(g.metrics.h, h);
    EXPECT_EQ(g.metrics.w, fm.horizontalAdvance(QLatin1Char('0')));
    EXPECT_EQ(g.metrics.headerHeight, 2 * h + 3);
    EXPECT_EQ(g.metrics.rowHeight, 3 * h);
    EXPECT_EQ(g.metrics.itemColumnWidth, 113); // 3000 HIMETRIC at 96 dpi

    g.model.setShowPieceTime(false);
    g.model.setShowCurTime(true);
    g.lay();
    EXPECT_EQ(g.metrics.rowHeight, h + h / 2);
    EXPECT_EQ(g.metrics.headerHeight, 2 * h + h / 2 + 3);
    EXPECT_EQ(g.layout.timeBand.height(), h / 2);

    g.model.setItemHeightMode(GntIhmFreeSize);
    g.model.setItemHeight(2540.0f); // one inch
    g.lay();
    EXPECT_EQ(g.metrics.rowHeight, 96);
    g.model.setItemHeight(-5.0f); // never a zero or negative row
    g.model.setScaleWidth(0.0f);
    g.model.setItemNameWidth(-100.0f);
    g.lay();
    EXPECT_GT(g.metrics.rowHeight, 0);
    EXPECT_GT(g.metrics.pixelsPerHour, 0);
    EXPECT_EQ(g.metrics.itemColumnWidth, 0);
}

TEST(ChartGeometry, WindowFitAxisPutsNoonInTheMiddleAndSnapsUpwards)
{
    Geometry g;
    g.model.AddItem(QStringLiteral("a"), GntRect);
    for (int width : {800, 801}) {
        g.lay(width);
        const ChartLayout &l = g.layout;
        // Hours 0..24 fill the piece area: its left edge, its middle, its right edge.
        const QRect area = l.pieceArea(0);
        EXPECT_EQ(area.left(), l.metrics.itemColumnWidth);
        EXPECT_EQ(area.right(), width - 16 - 1) << "up to the vertical scroll bar";
        EXPECT_EQ(l.xOf(0), area.left());
        EXPECT_EQ(l.xOf(12 * 60), area.left() + area.width() / 2) << width;
        EXPECT_EQ(l.xOf(6 * 60), area.left() + area.width() / 4) << width;
        EXPECT_EQ(l.xOf(24 * 60), area.left() + area.width());
        EXPECT_EQ(l.lineX(24 * 60), area.right()) << "the scale's last line stays in the area";
        EXPECT_EQ(l.minutesAt(area.left(), false), 0);
        EXPECT_EQ(l.minutesAt(area.left() + area.width(), false), 24 * 60);
        // The header's scale lies over the piece area.
        EXPECT_EQ(l.tickArea.left(), l.client.left() + area.left());
        EXPECT_EQ(l.tickArea.right(), l.client.left() + area.right());
        EXPECT_EQ(l.labelBand.left(), l.tickArea.left());
        EXPECT_EQ(l.labelBand.width(), l.tickArea.width());
    }
    g.lay(800);
    const ChartLayout &l = g.layout;

    // x to time: raised to the next multiple of 15; a multiple stays.
    const auto xFor = [](const ChartLayout &l, int minutes) {
        int x = l.xOf(minutes);
        while (l.minutesAt(x, false) < minutes)
            ++x;
        return x;
    };
    EXPECT_EQ(l.minutesAt(xFor(l, 9 * 60 + 7), true), 9 * 60 + 15);
    EXPECT_EQ(l.minutesAt(xFor(l, 10 * 60 + 1), true), 10 * 60 + 15);
    EXPECT_EQ(l.minutesAt(l.xOf(10 * 60), true), 10 * 60);
    // One pixel is about two minutes here: x to time comes back within it.
    for (int t : {0, 9 * 60 + 7, 12 * 60, 23 * 60 + 59}) {
        EXPECT_LE(l.minutesAt(l.xOf(t), false), t);
        EXPECT_GE(l.minutesAt(l.xOf(t) + 1, false), t);
    }
    g.model.setScaleMinuteInterval(0);
    g.lay(800);
    EXPECT_EQ(g.layout.minutesAt(xFor(g.layout, 9 * 60 + 7), true), g.layout.minutesAt(xFor(g.layout, 9 * 60 + 7), false));

    g.model.setScaleRangeTop(6);
    g.model.setScaleRangeEnd(18);
    g.lay(800);
    const QRect area = g.layout.pieceArea(0);
    EXPECT_EQ(g.layout.xOf(6 * 60), area.left());
    EXPECT_EQ(g.layout.xOf(12 * 60), area.left() + area.width() / 2);
    EXPECT_EQ(g.layout.xOf(18 * 60), area.left() + area.width());
}

TEST(ChartGeometry, FreeSizeShowsTheHoursThatFitFromTheScrollPosition)
{
    Geometry g;
    g.model.setScaleMode(GntFreeSize);
    g.model.setScaleWidth(2540.0f); // 96 pixels per hour
    g.lay(800);
    // The hours start at the piece area's left edge (the item column's width).
    const int areaLeft = g.metrics.itemColumnWidth;
    const int fit = (800 - 16 - areaLeft) / 96;
    EXPECT_EQ(g.layout.firstHour, 0);
    EXPECT_EQ(g.layout.lastHour, fit);
    EXPECT_EQ(g.layout.xOf(0), areaLeft);
    EXPECT_EQ(g.layout.xOf(90), areaLeft + 144);
    g.lay(800, 400, 0, 10);
    EXPECT_EQ(g.layout.firstHour, 10);
    EXPECT_EQ(g.layout.xOf(10 * 60), areaLeft);
    EXPECT_EQ(g.layout.minutesAt(areaLeft + 48, false), 10 * 60 + 30);
    EXPECT_EQ(g.layout.tickArea.left(), areaLeft);
    g.lay(800, 400, 0, 40); // scrolled past the end: the last page
    EXPECT_EQ(g.layout.firstHour, 24 - fit);
    EXPECT_EQ(g.layout.lastHour, 24);
    // The horizontal scroll bar takes its height from the rows.
    EXPECT_EQ(g.layout.viewport.height(), 400 - g.metrics.headerHeight - 16);
}

TEST(ChartGeometry, VisibleRowsFollowTheScrollPosition)
{
    Geometry g;
    for (int i = 0; i < 20; ++i)
        g.model.AddItem(QString::number(i), GntLine);
    g.lay(800, 400);
    const int rh = g.metrics.rowHeight;
    const int viewHeight = 400 - g.metrics.headerHeight;
    EXPECT_EQ(g.layout.wholeRowsFit(), viewHeight / rh);
    EXPECT_EQ(g.layout.visibleRowCount(), viewHeight / rh + (viewHeight % rh ? 1 : 0));
    g.lay(800, 400, 18);
    EXPECT_EQ(g.layout.firstRow, 20 - viewHeight / rh); // clamped to the last page
    EXPECT_EQ(g.layout.itemAtY(0), g.layout.firstRow);
    EXPECT_EQ(g.layout.itemAtY(rh), g.layout.firstRow + 1);
    EXPECT_EQ(g.layout.itemAtY(g.layout.rowsBottom()), -1);
}

TEST(ChartGeometry, HitTestGivesTheSevenCodes)
{
    Geometry g;
    g.model.AddItem(QStringLiteral("rect"), GntRect);
    g.model.AddItem(QStringLiteral("dot"), GntDot);
    g.model.AddItem(QStringLiteral("line"), GntLine);
    g.model.SetPieceRange(0, 4, 9, 0, 12, 0);
    g.model.SetPieceRange(1, 2, 9, 1, 9, 1); // a minute that may fall between two pixels
    g.model.SetPieceRange(2, 0, 13, 0, 15, 0);
    g.lay(900, 500);
    const ChartLayout &l = g.layout;

    EXPECT_EQ(hitTest(g.model, l, QPoint(10, l.rowsBottom() + 5)), (HitResult{HitBelowRows, -1, -1}));
    EXPECT_EQ(hitTest(g.model, l, QPoint(10, l.rowRect(1).center().y())), (HitResult{HitItemName, 1, -1}));
    EXPECT_EQ(hitTest(g.model, l, g.at(0, 15 * 60)), (HitResult{HitPieceArea, 0, -1}));
    EXPECT_EQ(hitTest(g.model, l, g.at(0, 10 * 60 + 30)), (HitResult{HitPieceBody, 0, 4}));
    EXPECT_EQ(hitTest(g.model, l, g.at(0, 9 * 60) + QPoint(2, 0)), (HitResult{HitPieceStart, 0, 4}));
    EXPECT_EQ(hitTest(g.model, l, g.at(0, 12 * 60) - QPoint(2, 0)), (HitResult{HitPieceEnd, 0, 4}));
    // Above the piece's box, inside its time span: the empty area.
    EXPECT_EQ(hitTest(g.model, l, QPoint(l.xOf(10 * 60 + 30), l.rowRect(0).top() + 1)).code, HitPieceArea);
    // The dot is hit anywhere on its circle.
    const QPoint dot = g.at(1, 9 * 60 + 1);
    EXPECT_EQ(hitTest(g.model, l, dot), (HitResult{HitPieceBody, 1, 2}));
    EXPECT_EQ(hitTest(g.model, l, dot + QPoint(l.dotRadius(), 0)).code, HitPieceBody);
    EXPECT_EQ(hitTest(g.model, l, dot + QPoint(l.dotRadius() + 3, 0)).code, HitPieceArea);
    EXPECT_EQ(hitTest(g.model, l, g.at(2, 14 * 60)), (HitResult{HitPieceBody, 2, 0}));

    // The row-height handle only with a free row height.
    const QPoint border(10, l.rowRect(0).bottom());
    EXPECT_EQ(hitTest(g.model, l, border).code, HitItemName);
    g.model.setItemHeightMode(GntIhmFreeSize);
    g.model.setItemHeight(1270.0f);
    g.lay(900, 500);
    EXPECT_EQ(hitTest(g.model, g.layout, QPoint(10, g.layout.rowRect(0).bottom())).code, HitRowHeight);
    EXPECT_EQ(hitTest(g.model, g.layout, QPoint(10, g.layout.rowRect(1).bottom())).code, HitItemName);

    // Hidden rows: nothing to hit.
    g.model.ShowItem(GntHideItem);
    EXPECT_EQ(hitTest(g.model, g.layout, QPoint(10, 5)).code, HitBelowRows);
}

TEST(ChartPainting, RectFrameColoursFollowTheThreeDRule)
{
    EXPECT_EQ(ChartPainter::rectLightColor(0x00FFFFFF), 0x00FDFDFDu);
    EXPECT_EQ(ChartPainter::rectDarkColor(0x00FFFFFF), 0x007F7F7Fu);
    // Each byte on its own: red 0x10, green 0x40, blue 0x90 (3 x 0x90 wraps past 256).
    EXPECT_EQ(ChartPainter::rectLightColor(0x00904010), 0x00B0C0B0u);
    EXPECT_EQ(ChartPainter::rectDarkColor(0x00904010), 0x00482008u);
}

namespace {

// The rows of a model painted into an image.
QImage paintRows(Geometry &g, int width = 800, int height = 300)
{
    g.lay(width, height);
    QImage img(g.layout.viewport, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    QPalette pal;
    pal.setColor(QPalette::Base, Qt::white);
    ChartPainter(g.model, g.layout, pal, g.font).paintView(p, img.rect(), false);
    return img;
}

} // namespace

TEST(ChartPainting, GridIsSolidAtNoonAndDottedBetweenAndTheRectFrameIsDrawn)
{
    Geometry g;
    g.model.setBackColor(0x00FFFFFF);
    g.model.setGridColor(0x00000000);
    g.model.AddItem(QStringLiteral("部屋"), GntRect);
    g.model.SetPieceRange(0, 1, 15, 0, 18, 0);
    g.model.SetPieceColor(0, 1, 0x00FFFFFF);
    const QImage img = paintRows(g);
    const QRect row = g.layout.rowRect(0);
    auto blackRun = [&](int x) {
        int dark = 0;
        for (int y = row.top(); y < row.bottom(); ++y)
            dark += qGray(img.pixel(x, y)) < 64;
        return dark;
    };
    EXPECT_EQ(blackRun(g.layout.xOf(12 * 60)), row.height() - 1);
    const int dotted = blackRun(g.layout.xOf(3 * 60));
    EXPECT_GT(dotted, 0);
    EXPECT_LT(dotted, row.height() - 1);

    const QRect r = g.layout.pieceRect(GntRect, *g.model.item(0)->pieces.find(1), row);
    EXPECT_EQ(img.pixel(r.left() + 5, r.top()) & 0xFFFFFF, 0xFDFDFDu);
    EXPECT_EQ(img.pixel(r.left() + 5, r.bottom()) & 0xFFFFFF, 0x7F7F7Fu);
}

TEST(ChartPainting, RedCurrentTimeLineOnlyWhenBrowsingAndHiddenRowsLeaveTheWindowColour)
{
    Geometry g;
    g.model.setBackColor(0x00FFFFFF);
    g.model.AddItem(QStringLiteral("a"), GntLine);
    g.model.processMinuteChange(QTime(16, 20));
    g.model.setShowCurTime(true);
    const auto redAt = [&](const QImage &img) {
        const int x = g.layout.xOf(16 * 60 + 20);
        return img.pixel(x, g.layout.rowRect(0).top() + 3) & 0xFFFFFF;
    };
    EXPECT_EQ(redAt(paintRows(g)), 0xFF0000u);
    g.model.setActionStyle(GntEdit);
    EXPECT_NE(redAt(paintRows(g)), 0xFF0000u);

    g.model.ShowItem(GntHideItem);
    const QImage hidden = paintRows(g);
    EXPECT_EQ(hidden.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(hidden.pixel(hidden.width() - 5, hidden.height() - 5) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(ChartPainting, HeaderTicksAreFullAtTwelvesLongerAtTheIntervalAndShortBetween)
{
    Geometry g;
    g.model.setScaleBackColor(0x00FFFFFF);
    g.model.setScaleForeColor(0x00000000);
    g.model.setScaleMinuteInterval(0);
    g.lay(800, 300);
    QImage img(800, 300, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    ChartPainter(g.model, g.layout, QPalette(), g.font).paintHeader(p);
    p.end();
    const QRect &t = g.layout.tickArea;
    const auto tickHeight = [&](int hour) {
        const int x = g.layout.client.left() + g.layout.lineX(hour * 60);
        int n = 0;
        for (int y = t.top(); y < t.bottom(); ++y) // the base line at the bottom is left out
            n += qGray(img.pixel(x, y)) < 64;
        return n;
    };
    const int full = t.height() - 1;
    for (int hour : {0, 12, 24})
        EXPECT_EQ(tickHeight(hour), full) << hour;
    for (int hour : {3, 6, 9, 15, 21})
        EXPECT_EQ(tickHeight(hour), full - t.height() * 20 / 100) << hour;
    for (int hour : {1, 2, 13, 23})
        EXPECT_EQ(tickHeight(hour), full - t.height() * 40 / 100) << hour;
}

TEST(ChartPainting, ABarFromNoonStartsInTheMiddleOfThePieceAreaUnderTheHeadersTwelve)
{
    Geometry g;
    g.model.setBackColor(0x00FFFFFF);
    g.model.setGridColor(0x00FFFFFF);
    g.model.setScaleBackColor(0x00FFFFFF);
    g.model.setScaleForeColor(0x00000000);
    g.model.setScaleMinuteInterval(0);
    g.model.setShowPieceTime(false);
    g.model.AddItem(QStringLiteral("会議室"), GntRect);
    g.model.SetPieceRange(0, 0, 12, 0, 13, 0);
    g.model.SetPieceColor(0, 0, 0x00FF0000);
    for (int width : {800, 801, 640}) {
        g.lay(width, 300);
        const ChartLayout &l = g.layout;
        // The whole control as the widget draws it: header, then the rows below.
        QImage img(width, 300, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        const QPalette palette;
        const ChartPainter painter(g.model, l, palette, g.font);
        painter.paintHeader(p);
        p.translate(l.view.topLeft());
        p.setClipRect(QRect(QPoint(0, 0), l.viewport));
        painter.paintView(p, QRect(QPoint(0, 0), l.viewport), false);
        p.end();

        const QRect area = l.pieceArea(0);
        const int middle = area.left() + area.width() / 2;
        // The bar's first column.
        const int barY = l.view.top() + l.rowRect(0).center().y();
        int first = area.left();
        while (first <= area.right() && img.pixel(first, barY) == qRgb(255, 255, 255))
            ++first;
        EXPECT_EQ(first, middle) << width;
        EXPECT_NE(img.pixel(middle + area.width() / 48, barY), qRgb(255, 255, 255)) << "13:00 is the bar's end";
        EXPECT_EQ(img.pixel(middle + area.width() / 24 + 2, barY), qRgb(255, 255, 255));

        // The header's full tick of 12 stands in the same column, and its label begins there.
        const auto dark = [&](int x, int y) { return qGray(img.pixel(x, y)) < 64; };
        for (int y = l.tickArea.top(); y < l.tickArea.bottom(); ++y)
            EXPECT_TRUE(dark(middle, y)) << width << " y " << y;
        EXPECT_FALSE(dark(middle - 2, l.tickArea.top() + 1));
        int labelLeft = -1;
        for (int x = middle - 4; x < middle + 2 * l.metrics.w && labelLeft < 0; ++x)
            for (int y = l.labelBand.top(); y < l.labelBand.bottom(); ++y)
                if (dark(x, y)) {
                    labelLeft = x;
                    break;
                }
        EXPECT_GE(labelLeft, middle) << width;
        EXPECT_LE(labelLeft, middle + l.metrics.w / 2) << width;
        // The last label ("24") is drawn inside the scale, left of the scroll bar.
        int lastLabel = 0;
        for (int x = area.right() - 2 * l.metrics.w; x <= area.right(); ++x)
            for (int y = l.labelBand.top(); y < l.labelBand.bottom(); ++y)
                lastLabel += dark(x, y);
        EXPECT_GT(lastLabel, 0) << width;
    }
}
