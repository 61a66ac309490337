#include "../vantor/vantorprocess.h"

#include "taglink/taglink.h"
#include "taglink/taglinkmodel.h"

#include "automation/eventrelay.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QDir>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>

#include <gtest/gtest.h>

#include "taglink/taglinkpropertypage.h"

TEST(TaglinkControl, EveryDispatchIdentifierNamesAMemberAndEveryEventIsConnected)
{
    Taglink control;
    const automation::Dispatcher &d = control.dispatcher();
    EXPECT_TRUE(d.unresolvedMembers().isEmpty()) << d.unresolvedMembers().join(", ").toStdString();
    EXPECT_EQ(QString::fromLatin1(d.member(12)->name), QStringLiteral("DisableAllPLCTagChangeEvnet"));
    automation::EventRelay relay(control.eventSource(), d.table(), [](const automation::DispatchMember &, QVariantList &) {});
    EXPECT_TRUE(relay.unconnected().isEmpty()) << relay.unconnected().join(", ").toStdString();
    EXPECT_EQ(control.size(), QSize(32, 32));
}

TEST(TaglinkControl, MembersWorkByIdentifierWithAutomationValues)
{
    Taglink control;
    const automation::Dispatcher &d = control.dispatcher();
    ASSERT_TRUE(d.put(16, QStringLiteral("A$VALUE"), {QVariant::fromValue<qint32>(0)}).ok);
    ASSERT_TRUE(d.put(16, QStringLiteral("B$VALUE"), {QVariant::fromValue<qint32>(1)}).ok);
    EXPECT_EQ(d.get(9).value.toInt(), 2);
    EXPECT_EQ(d.get(7).value.toString(), QStringLiteral("A$VALUE\r\nB$VALUE"));
    EXPECT_EQ(d.get(3).value, QVariant::fromValue<qint16>(0)) << "Active is a 16-bit Boolean";
    const automation::DispatchResult closed = d.call(QStringLiteral("Close"));
    EXPECT_TRUE(closed.ok);
    EXPECT_FALSE(closed.value.isValid()) << "the control's Close, not the window's";
    EXPECT_EQ(d.get(18, {QVariant::fromValue<qint32>(1)}).value, QVariant::fromValue<qint16>(-1));
    EXPECT_EQ(d.get(17, {QVariant::fromValue<qint32>(5)}).value, QVariant::fromValue<qint16>(0));
    EXPECT_FALSE(d.get(15, {QVariant::fromValue<qint16>(0)}).value.isValid()) << "empty while closed";
}

TEST(TaglinkControl, PropertyPageWritesOnlyWhatChanged)
{
    VantorProcess vantor("name,type,value,comment\nAC1,number,1,\nAC2,number,2,\n");
    ASSERT_TRUE(vantor.start());
    Taglink control;
    taglink::TaglinkModel *m = control.model();
    taglink::TaglinkPropertyPage page(m);
    page.findChild<QComboBox *>(QStringLiteral("loginId"))->setCurrentIndex(4);
    page.findChild<QLineEdit *>(QStringLiteral("password"))->setText(QStringLiteral("pw"));
    page.findChild<QPlainTextEdit *>(QStringLiteral("tagList"))->setPlainText(QStringLiteral("AC1$VALUE\nAC2$VALUE\n"));
    page.findChild<QCheckBox *>(QStringLiteral("active"))->setChecked(true);
    page.apply();
    EXPECT_EQ(m->loginId(), 4);
    EXPECT_EQ(m->loginPassword(), QStringLiteral("pw"));
    EXPECT_EQ(m->tagCount(), 2);
    EXPECT_TRUE(m->isActive());
    page.apply(); // nothing changed: the link stays open
    EXPECT_TRUE(m->isOpened());
    // For looking at: the page as the user sees it.
    page.show();
    EXPECT_TRUE(page.grab().save(QDir::temp().filePath(QStringLiteral("taglink_propertypage.png"))));
}

TEST(TaglinkControl, HostScriptWritesTwoTagsAndShowsTheJournal)
{
    VantorProcess vantor("name,type,value,comment\nAC1,number,0,\nAC2,number,0,\n");
    ASSERT_TRUE(vantor.start());
    QProcess host;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VANTOR_HOME"), vantor.folder());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("SCH_CLOCK_START"), QStringLiteral("2026-12-08 18:00:00"));
    host.setProcessEnvironment(env);
    host.start(VantorProcess::binDir() + QStringLiteral("/ctlhost"),
               {testsupport::sourceDir() + QStringLiteral("/tests/taglink/data/two_tags.ctlhost")});
    ASSERT_TRUE(host.waitForFinished(20000));
    const QString out = QString::fromUtf8(host.readAllStandardOutput());
    EXPECT_EQ(host.exitCode(), 0) << out.toStdString() << host.readAllStandardError().toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("result Open = -1\n"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("event PLCTagChange()\n")));
    EXPECT_TRUE(out.contains(QStringLiteral("time,client,tag,value,result\n")));
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral(R"(2026-12-08 18:00:0\d\.\d{3},ctlhost,AC1,1,ok\n)"))))
        << out.toStdString();
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral(R"(2026-12-08 18:00:0\d\.\d{3},ctlhost,AC2,0\.5,ok\n)"))));
    EXPECT_EQ(vantor.ctl({"read", "AC1", "AC2"}), QStringLiteral("AC1 = 1\nAC2 = 0.5\n"));
}
