// Screenshots of the control made by the test host from a script, kept in
// the build folder (tests/screens/) to be looked at.
#include "testsupport.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

TEST(ChartScreens, TestHostDrawsTheChartInBothStylesAndScrolled)
{
    const QString out = testsupport::binDir() + QStringLiteral("/../tests/screens");
    ASSERT_TRUE(QDir().mkpath(out));
    const QString tmpl = QString::fromUtf8(
        testsupport::readAll(testsupport::sourceDir() + QStringLiteral("/tests/chart/scripts/screens.ctl")));
    ASSERT_FALSE(tmpl.isEmpty());
    const QString script = out + QStringLiteral("/screens.ctl");
    ASSERT_TRUE(testsupport::writeAll(script, QString(tmpl).replace(QStringLiteral("@OUT@"), out).toUtf8()));
    for (const char *name : {"chart_flat.png", "chart_raised.png", "chart_freesize_scrolled.png"})
        QFile::remove(out + QLatin1Char('/') + QLatin1String(name));

    QProcess host;
    host.start(testsupport::binDir() + QStringLiteral("/ctlhost"), {script});
    ASSERT_TRUE(host.waitForFinished(30000));
    const QString output = QString::fromUtf8(host.readAllStandardOutput());
    EXPECT_EQ(host.exitCode(), 0) << host.readAllStandardError().toStdString();
    EXPECT_FALSE(output.contains(QStringLiteral("error"))) << output.toStdString();

    QImage flat(out + QStringLiteral("/chart_flat.png"));
    QImage raised(out + QStringLiteral("/chart_raised.png"));
    QImage scrolled(out + QStringLiteral("/chart_freesize_scrolled.png"));
    ASSERT_FALSE(flat.isNull());
    ASSERT_FALSE(raised.isNull());
    ASSERT_FALSE(scrolled.isNull());
    EXPECT_EQ(flat.size(), QSize(900, 420));
    EXPECT_EQ(raised.size(), flat.size());
    EXPECT_NE(flat, raised);
    EXPECT_NE(flat, scrolled);
}
