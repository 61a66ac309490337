#include "clock/analoggeometry.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tickface::geometry;

namespace {
void expectNear(const QPointF &a, const QPointF &b)
{
    EXPECT_NEAR(a.x(), b.x(), 1e-9);
    EXPECT_NEAR(a.y(), b.y(), 1e-9);
}
} // namespace

TEST(TickfaceGeometry, DirectionsRunClockwiseFromTwelve)
{
    const auto &d = directions();
    expectNear({d[0].x, d[0].y}, {0, -1});
    expectNear({d[30].x, d[30].y}, {1, 0});
    expectNear({d[60].x, d[60].y}, {0, 1});
    expectNear({d[90].x, d[90].y}, {-1, 0});
    EXPECT_NEAR(d[10].x, std::sin(M_PI / 6.0), 1e-12); // one o'clock
}

TEST(TickfaceGeometry, HandIndexes)
{
    EXPECT_EQ(hourIndex(QTime(3, 0), false), 30);
    EXPECT_EQ(hourIndex(QTime(15, 30), false), 35);
    EXPECT_EQ(hourIndex(QTime(23, 59), false), 119);
    EXPECT_EQ(hourIndex(QTime(0, 5), false), 0);
    EXPECT_EQ(hourIndex(QTime(12, 0), true), 60);
    EXPECT_EQ(hourIndex(QTime(23, 59), true), 119);
    EXPECT_EQ(minuteIndex(QTime(10, 45, 29)), 90);
    EXPECT_EQ(minuteIndex(QTime(10, 45, 30)), 91);
    EXPECT_EQ(secondIndex(QTime(10, 0, 59)), 118);
}

TEST(TickfaceGeometry, HandsAreFourPointPolygonsInsideAnEllipticFace)
{
    const QRectF face(0, 0, 200, 100); // rx 100, ry 50
    const HandProportions p = proportions(Hand::Minute);
    // Three o'clock: tip to the right, scaled by the half width.
    const HandShape three = handShape(face, 30, Hand::Minute);
    expectNear(three.tip, {100 + p.length * 100, 50});
    expectNear(three.tail, {100 - p.tail * 100, 50});
    EXPECT_NEAR(std::abs(three.left.y() - three.right.y()), p.width * 50, 1e-9);
    // Six o'clock: scaled by the half height.
    const HandShape six = handShape(face, 60, Hand::Minute);
    expectNear(six.tip, {100, 50 + p.length * 50});
    const QPolygonF poly = six.polygon();
    ASSERT_EQ(poly.size(), 4);
    EXPECT_EQ(poly[0], six.tip);
    EXPECT_EQ(poly[2], six.tail);
    // Every hand stays inside the face at every direction.
    for (Hand h : {Hand::Hour, Hand::Minute, Hand::Second}) {
        for (int i = 0; i < DirectionCount; ++i) {
            for (const QPointF &pt : handShape(face, i, h).polygon())
                EXPECT_TRUE(face.contains(pt)) << int(h) << " " << i;
        }
    }
}

TEST(TickfaceGeometry, NumbersSitOnTheirHours)
{
    const QRectF face(10, 10, 100, 100);
    const QList<QPointF> c12 = numberCentres(face, false);
    ASSERT_EQ(c12.size(), 12);
    EXPECT_NEAR(c12[11].x(), 60, 1e-9); // 12 at the top
    EXPECT_LT(c12[11].y(), 60);
    EXPECT_NEAR(c12[2].y(), 60, 1e-9); // 3 on the right
    EXPECT_GT(c12[2].x(), 60);
    EXPECT_EQ(numberText(11, false), QStringLiteral("12"));
    const QList<QPointF> c24 = numberCentres(face, true);
    ASSERT_EQ(c24.size(), 24);
    EXPECT_NEAR(c24[11].x(), 60, 1e-9); // 12 at the bottom of a 24-hour dial
    EXPECT_GT(c24[11].y(), 60);
    EXPECT_EQ(numberText(23, true), QStringLiteral("24"));
}
