// The forms of Masterio and Upgrader as operators meet them: captions, the
// buttons by their names, message boxes answered by the test.
#include "recordingmessageboxes.h"
#include "toolsupport.h"

#include "tools/Masterio/masterio.h"
#include "tools/Masterio/masterioform.h"
#include "tools/Upgrader/upgrader.h"
#include "tools/Upgrader/upgraderform.h"

#include "platform/singleinstance.h"
#include "store/schema.h"
#include "store/sitepaths.h"
#include "testsupport.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

template <typename T>
T *child(QWidget &form, const char *name)
{
    T *w = form.findChild<T *>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void keepPicture(QWidget &form, const QString &name)
{
    // SCH_SCREENSHOT_DIR keeps a picture of the form for a look by eye.
    if (const QString dir = qEnvironmentVariable("SCH_SCREENSHOT_DIR"); !dir.isEmpty())
        form.grab().save(dir + QLatin1Char('/') + name);
}

} // namespace

TEST(MasterioForm, ButtonsDoTheirFunctions)
{
    QTemporaryDir home;
    ASSERT_TRUE(store::createDatabase(store::paths::databasePath(home.path())));
    ASSERT_TRUE(toolsupport::exec(store::paths::databasePath(home.path()),
                                  {QStringLiteral("INSERT INTO GroupMaster VALUES (1, '1F 空調機', -1, 0)")}));
    RecordingMessageBoxes boxes;
    masterio::Masterio masterio(boxes, home.path());
    masterio::MasterioForm form(masterio);
    QStringList proposed;
    QString chosen = home.filePath(QStringLiteral("Tavo10DB情報.xlsx"));
    form.chooseFile = [&](const QString &name) {
        proposed << name;
        return chosen;
    };
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    EXPECT_EQ(form.windowTitle(), QStringLiteral("Tavo10DB展開画面"));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const QList<std::pair<const char *, QString>> captions = {
        {"cmdSansyo", QStringLiteral("参照")},
        {"Command3", QStringLiteral("展開実行")},
        {"Command4", QStringLiteral("Tavo10DB情報.xlsファイルの作成")},
        {"Command1", QStringLiteral("CSV展開実行")},
        {"Command2", QStringLiteral("終了")}};
    for (const auto &[name, caption] : captions) {
        if (auto *b = child<QPushButton>(form, name)) {
            EXPECT_EQ(b->text(), caption) << name;
        }
    }
    keepPicture(form, QStringLiteral("masterio.png"));

    // An import without a workbook says so and stays in front.
    QTest::mouseClick(child<QPushButton>(form, "Command3"), Qt::LeftButton);
    EXPECT_EQ(boxes.texts(), QStringList{masterio::text::NoWorkbook});
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    // Export into the chosen workbook.
    boxes.clear();
    QTest::mouseClick(child<QPushButton>(form, "Command4"), Qt::LeftButton);
    EXPECT_EQ(boxes.texts(), QStringList{masterio::text::ExportDone});
    EXPECT_TRUE(QFile::exists(chosen));

    // 参照 fills the path; 展開実行 asks (out of the top-most position), imports and ends.
    QTest::mouseClick(child<QPushButton>(form, "cmdSansyo"), Qt::LeftButton);
    EXPECT_EQ(proposed, (QStringList{"Tavo10DB情報.xlsx", "Tavo10DB情報.xlsx"}));
    EXPECT_EQ(child<QLineEdit>(form, "txtBackDbPath")->text(), chosen);
    boxes.clear();
    QTest::mouseClick(child<QPushButton>(form, "Command3"), Qt::LeftButton);
    EXPECT_EQ(boxes.texts(), (QStringList{masterio::text::ConfirmImport, masterio::text::ImportDone}));
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(form.isHidden());
}

TEST(MasterioForm, EndButtonCloses)
{
    RecordingMessageBoxes boxes;
    QTemporaryDir home;
    masterio::Masterio masterio(boxes, home.path());
    masterio::MasterioForm form(masterio);
    form.show();
    QTest::mouseClick(child<QPushButton>(form, "Command2"), Qt::LeftButton);
    EXPECT_TRUE(form.isHidden());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST(UpgraderForm, ConvertsTheChosenDatabase)
{
    QTemporaryDir home;
    RecordingMessageBoxes boxes;
    upgrader::Upgrader upgrader(boxes, home.path());
    upgrader::UpgraderForm form(upgrader);
    QStringList proposed;
    form.chooseFile = [&](const QString &name) {
        proposed << name;
        return toolsupport::dataFile(QStringLiteral("Sch.mdb"));
    };
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    EXPECT_EQ(form.windowTitle(), QStringLiteral("Tavo7 DB -> Tavo10 DBコンバート"));
    EXPECT_EQ(child<QLabel>(form, "Label1")->text(),
              QStringLiteral("初期状態のデータベースが無い場合はCD内にある初期DBをコピーしておいて下さい。"));
    EXPECT_EQ(child<QPushButton>(form, "Command4")->text(), QStringLiteral("参照"));
    EXPECT_EQ(child<QPushButton>(form, "Command1")->text(), QStringLiteral("Sch.mdbのコンバート実行"));
    EXPECT_EQ(child<QPushButton>(form, "Command3")->text(), QStringLiteral("END"));

    QTest::mouseClick(child<QPushButton>(form, "Command4"), Qt::LeftButton);
    EXPECT_EQ(proposed, QStringList{"Sch.mdb"});
    EXPECT_EQ(child<QLineEdit>(form, "Text1")->text(), toolsupport::dataFile(QStringLiteral("Sch.mdb")));
    keepPicture(form, QStringLiteral("upgrader.png"));

    boxes.answers << console::MessageAnswer::No;
    QTest::mouseClick(child<QPushButton>(form, "Command1"), Qt::LeftButton);
    EXPECT_EQ(boxes.texts(), QStringList{upgrader::text::Confirm});
    EXPECT_FALSE(QFile::exists(store::paths::databasePath(home.path())));

    boxes.clear();
    QTest::mouseClick(child<QPushButton>(form, "Command1"), Qt::LeftButton);
    EXPECT_EQ(boxes.texts(), (QStringList{upgrader::text::Confirm, upgrader::text::Done}));
    EXPECT_EQ(toolsupport::rows(store::paths::databasePath(home.path()), QStringLiteral("SELECT COUNT(*) FROM GroupMaster")),
              QStringList{"7"});
    EXPECT_FALSE(form.isHidden());

    QTest::mouseClick(child<QPushButton>(form, "Command3"), Qt::LeftButton);
    EXPECT_TRUE(form.isHidden());
}

// Started where the session has no runtime folder (a service, a plain
// server), the programs with a window make their own and Qt has nothing to
// warn about.  Each is started as a second instance (the test holds its
// lock), so it ends right after its application object is made.
TEST(ToolPrograms, WithoutASessionRuntimeFolderQtHasNothingToSay)
{
    QTemporaryDir home;
    qputenv("SCH_HOME", home.path().toUtf8());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    for (const QString &program : {QStringLiteral("Masterio"), QStringLiteral("Planboard")}) {
        SCOPED_TRACE(program.toStdString());
        platform::SingleInstance first(program);
        ASSERT_TRUE(first.isFirst());
        QProcess second;
        second.setProcessEnvironment(env);
        second.start(testsupport::binDir() + QLatin1Char('/') + program, QStringList());
        ASSERT_TRUE(second.waitForFinished(15000));
        EXPECT_EQ(second.exitCode(), 0);
        const QString errors = QString::fromUtf8(second.readAllStandardError());
        EXPECT_FALSE(errors.contains(QStringLiteral("XDG_RUNTIME_DIR"))) << errors.toStdString();
    }
    qunsetenv("SCH_HOME");
}
