#include "chart/chartmodel.h"
#include "chart/olecolor.h"

#include "automation/propertybag.h"

#include <QPalette>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace chart;
using automation::PropertyBag;

TEST(ChartProperties, DefaultsFollowTheHostColours)
{
    ChartModel m;
    const quint32 fore = olecolor::HostForeColor;
    const quint32 back = olecolor::HostBackColor;
    EXPECT_EQ(m.ForeColor(), fore);
    EXPECT_EQ(m.BackColor(), back);
    EXPECT_EQ(m.ScaleForeColor(), fore);
    EXPECT_EQ(m.ScaleBackColor(), back);
    EXPECT_EQ(m.CaptionBackColor(), back);
    EXPECT_EQ(m.CaptionForeColor(), fore);
    EXPECT_EQ(m.PieceDotColor(), back);
    EXPECT_EQ(m.PieceLineColor(), fore);
    EXPECT_EQ(m.PieceRectColor(), back);
    EXPECT_EQ(m.ItemNameForeColor(), fore);
    EXPECT_EQ(m.ItemNameBackColor(), back);
    EXPECT_EQ(m.PieceTextColor(), m.ForeColor());
    EXPECT_EQ(m.GridColor(), m.ForeColor());
    EXPECT_TRUE(m.ShowPieceTime());
    EXPECT_TRUE(m.ShowCursor());
    EXPECT_FALSE(m.ShowCurTime());
    EXPECT_EQ(m.ScaleInterval(), 3);
    EXPECT_EQ(m.ScaleRangeTop(), 0);
    EXPECT_EQ(m.ScaleRangeEnd(), 24);
    EXPECT_EQ(m.ItemNameWidth(), 3000.0f);
    EXPECT_EQ(m.ScaleWidth(), 1600.0f);
    EXPECT_EQ(m.ItemHeight(), 0.0f);
    EXPECT_EQ(m.ScaleMinuteInterval(), 15);
    EXPECT_EQ(m.UIMask(), 0);
    EXPECT_EQ(m.ActionStyle(), GntBrowse);
    EXPECT_FALSE(m.isModified());
    EXPECT_TRUE(m.rowsVisible());
}

TEST(ChartProperties, ScaleWritesAreClamped)
{
    ChartModel m;
    m.setScaleRangeEnd(30); // more than Top + 24
    EXPECT_EQ(m.ScaleRangeEnd(), 24);
    m.setScaleRangeTop(47); // not below End
    EXPECT_EQ(m.ScaleRangeTop(), 23);
    m.setScaleRangeTop(-4);
    EXPECT_EQ(m.ScaleRangeTop(), 0);
    m.setScaleRangeEnd(0); // not above Top
    EXPECT_EQ(m.ScaleRangeEnd(), 1);
    m.setScaleRangeEnd(24);
    m.setScaleRangeTop(20);
    m.setScaleRangeEnd(48); // Top + 24 = 44 first, kept
    EXPECT_EQ(m.ScaleRangeEnd(), 44);
    m.setScaleRangeTop(30);
    m.setScaleRangeEnd(60); // 54, then 47
    EXPECT_EQ(m.ScaleRangeEnd(), 47);
    m.setScaleRangeTop(47); // 46 at most
    EXPECT_EQ(m.ScaleRangeTop(), 46);

    const std::pair<short, short> intervals[] = {{13, 24}, {12, 12}, {1, 1}, {0, 1}, {-5, 1}, {100, 24}};
    for (const auto &[in, out] : intervals) {
        m.setScaleInterval(in);
        EXPECT_EQ(m.ScaleInterval(), out) << in;
    }

    m.setModified(false);
    m.setScaleMinuteInterval(15); // the current value: nothing happens
    EXPECT_FALSE(m.isModified());
    m.setScaleMinuteInterval(61);
    EXPECT_EQ(m.ScaleMinuteInterval(), 60);
    EXPECT_TRUE(m.isModified());
    m.setScaleMinuteInterval(-1);
    EXPECT_EQ(m.ScaleMinuteInterval(), 0);
}

TEST(ChartProperties, WritesMarkModifiedAndAskForTheRightRedraw)
{
    ChartModel m;
    QSignalSpy view(&m, &ChartModel::viewChanged);
    QSignalSpy layout(&m, &ChartModel::layoutChanged);
    m.setUIMask(GntMaskAddItemUI | GntMaskRemovePieceUI); // stored only
    EXPECT_TRUE(m.isModified());
    EXPECT_EQ(view.size() + layout.size(), 0);
    m.setShowCurTime(true);
    m.setItemNameWidth(2000);
    m.setScaleMode(GntFreeSize);
    EXPECT_EQ(layout.size(), 3);
    m.setGridColor(0x00FF00);
    m.setChartStyle(GntRaisedFace);
    EXPECT_EQ(view.size(), 2);
}

TEST(ChartProperties, PersistenceRoundTripUsesTheKeptNamesAndOrder)
{
    ChartModel a;
    a.setCaption(QStringLiteral("本日"));
    a.setBackColor(0x00102030);
    a.setEnabled(false);
    a.setPieceTextPosition(GntTextPosRight);
    a.setScaleRangeTop(6);
    a.setScaleRangeEnd(20);
    a.setItemNameWidth(2500.5f);
    a.setUIMask(0xFF);
    a.setGridColor(0x000000FF);
    a.setScaleMinuteInterval(30);
    a.setShowPieceTime(false);

    PropertyBag bag;
    a.saveProperties(bag);
    EXPECT_EQ(bag.versionMajor(), 1);
    EXPECT_EQ(bag.versionMinor(), 3);
    EXPECT_TRUE(bag.contains(QStringLiteral("PieceTextPostion")));
    EXPECT_FALSE(bag.contains(QStringLiteral("PieceTextPosition")));
    const QStringList names = bag.names();
    ASSERT_EQ(names.size(), 35);
    EXPECT_EQ(names.mid(0, 7), (QStringList{"BackColor", "Caption", "Enabled", "Font", "ForeColor", "BorderStyle", "Appearance"}));
    EXPECT_EQ(names.at(7), QStringLiteral("ScaleBackColor"));
    EXPECT_EQ(names.at(24), QStringLiteral("FontStyle"));
    EXPECT_EQ(names.last(), QStringLiteral("ScaleMinuteInterval"));

    // Through the stored text and back into a fresh control.
    PropertyBag reread;
    ASSERT_TRUE(reread.fromJson(bag.toJson()));
    ChartModel b;
    b.loadProperties(reread);
    PropertyBag again;
    b.saveProperties(again);
    EXPECT_EQ(again, bag);
    EXPECT_EQ(b.Caption(), QStringLiteral("本日"));
    EXPECT_FALSE(b.Enabled());
    EXPECT_EQ(b.PieceTextPosition(), GntTextPosRight);
    EXPECT_EQ(b.ScaleRangeEnd(), 20);
    EXPECT_EQ(b.ItemNameWidth(), 2500.5f);
    EXPECT_FALSE(b.isModified());
}

TEST(ChartProperties, OlderDataLeavesTheLaterPropertiesAtTheirDefaults)
{
    ChartModel a;
    a.setChartStyle(GntRaisedFace);
    a.setScaleMode(GntFreeSize);
    a.setUIMask(0x7);
    a.setGridColor(0x00ABCDEF);
    a.setScaleMinuteInterval(5);
    a.setFontStyle(GntInsetFont);
    PropertyBag bag;
    a.saveProperties(bag);

    bag.setVersion(1, 1);
    ChartModel b;
    b.loadProperties(bag);
    EXPECT_EQ(b.ChartStyle(), GntRaisedFace); // read from any version
    EXPECT_EQ(b.FontStyle(), GntInsetFont);
    EXPECT_EQ(b.ScaleMode(), GntWindowFit); // 1.2 and later only
    EXPECT_EQ(b.UIMask(), 0);
    EXPECT_EQ(b.ScaleMinuteInterval(), 15);
    // A raised chart of older data draws its grid in the button shadow.
    EXPECT_EQ(b.GridColor(), olecolor::system(olecolor::ButtonShadow));

    a.setChartStyle(GntFlatFace);
    a.saveProperties(bag);
    bag.setVersion(1, 0);
    b.loadProperties(bag);
    EXPECT_EQ(b.GridColor(), b.ForeColor());

    bag.setVersion(1, 2);
    b.loadProperties(bag);
    EXPECT_EQ(b.GridColor(), 0x00ABCDEFu);
    EXPECT_EQ(b.UIMask(), 0x7);
}

TEST(ChartProperties, DamagedDataLoadsAsDefaultsOrWithinRange)
{
    PropertyBag bag(1, 3);
    bag.write(QStringLiteral("ScaleRangeTop"), 99);
    bag.write(QStringLiteral("ScaleRangeEnd"), -3);
    bag.write(QStringLiteral("ScaleInterval"), 40);
    bag.write(QStringLiteral("ScaleMinuteInterval"), 500);
    bag.write(QStringLiteral("BackColor"), QStringLiteral("not a colour"));
    bag.write(QStringLiteral("ItemNameWidth"), QStringLiteral("wide"));
    bag.write(QStringLiteral("Font"), QStringLiteral(""));
    ChartModel m;
    m.setCaption(QStringLiteral("old"));
    m.loadProperties(bag);
    EXPECT_EQ(m.ScaleRangeTop(), 46);
    EXPECT_EQ(m.ScaleRangeEnd(), 47);
    EXPECT_EQ(m.ScaleInterval(), 24);
    EXPECT_EQ(m.ScaleMinuteInterval(), 60);
    EXPECT_EQ(m.BackColor(), olecolor::HostBackColor);
    EXPECT_EQ(m.ItemNameWidth(), 3000.0f);
    EXPECT_EQ(m.Caption(), QString()); // missing: the default
}

TEST(ChartProperties, OleColoursResolveAgainstThePalette)
{
    QPalette pal;
    pal.setColor(QPalette::Button, QColor(1, 2, 3));
    pal.setColor(QPalette::Dark, QColor(4, 5, 6));
    EXPECT_EQ(olecolor::resolve(0x00332211, pal), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(olecolor::resolve(olecolor::HostBackColor, pal), QColor(1, 2, 3));
    EXPECT_EQ(olecolor::resolve(olecolor::system(olecolor::ButtonShadow), pal), QColor(4, 5, 6));
    EXPECT_EQ(olecolor::resolve(0x800000FF, pal), QColor(Qt::black)); // unknown system index
    EXPECT_EQ(olecolor::fromQColor(QColor(0x11, 0x22, 0x33)), 0x00332211u);
    EXPECT_TRUE(olecolor::isSystem(0x8000000F));
    EXPECT_FALSE(olecolor::isSystem(0x00FFFFFF));
}
