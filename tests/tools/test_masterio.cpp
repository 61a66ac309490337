// Masterio's import and export of the masters as integrators meet them: the
// workbooks are read back and changed by openpyxl (a reader that is not
// ours), built by hand as spreadsheet programs write them, and imported into
// a site's database.
#include "recordingmessageboxes.h"
#include "testsupport.h"
#include "toolsupport.h"

#include "tools/Masterio/masterimport.h"
#include "tools/Masterio/masterio.h"
#include "tools/Masterio/newworkbook.h"
#include "tools/Masterio/xlsxreader.h"

#include "platform/singleinstance.h"
#include "store/schema.h"
#include "store/sitepaths.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using toolsupport::rows;

namespace {

const QString Groups = QStringLiteral("SELECT * FROM GroupMaster ORDER BY GPno");
const QString Devices = QStringLiteral("SELECT * FROM KikiMaster ORDER BY TAG");

class MasterioTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        ASSERT_TRUE(store::createDatabase(database()));
        ASSERT_TRUE(toolsupport::exec(
            database(),
            {QStringLiteral("INSERT INTO GroupMaster VALUES (1, '1F 空調機', -1, 0)"),
             QStringLiteral("INSERT INTO GroupMaster VALUES (2, '屋外 看板照明', 0, 0)"),
             QStringLiteral("INSERT INTO GroupMaster VALUES (501, 'O''Neil棟', -1, 0)"),
             QStringLiteral("INSERT INTO KikiMaster VALUES ('AHU1_RUN', '1F 空調機1 発停', 1, 0)"),
             QStringLiteral("INSERT INTO KikiMaster VALUES ('AHU1_SP', '1F 空調機1 室温設定', 22.5, 0)"),
             QStringLiteral("INSERT INTO KikiMaster VALUES ('SIGN_L1', NULL, 1, 0)"),
             QStringLiteral("INSERT INTO KikiTable VALUES ('AHU1_RUN', '1F 空調機1 発停', 1, 1, 0)")}));
        before = rows(database(), Groups) + rows(database(), Devices);
    }

    QString database() const { return store::paths::databasePath(home.path()); }
    QString path(const QString &name) const { return home.filePath(name); }
    QStringList tables() const { return rows(database(), Groups) + rows(database(), Devices); }

    // A workbook with the two sheets (headings in row 1).
    QString workbook(const QString &name, const QList<QVariantList> &groups, const QList<QVariantList> &devices)
    {
        QList<QVariantList> g{{"GPno", "GPName", "Yukoflg"}};
        QList<QVariantList> d{{"Tag", "KikiName", "StartValue", "EndValue"}};
        QString error;
        EXPECT_TRUE(masterio::writeNewWorkbook(path(name), {{"GroupMaster", g + groups}, {"KikiMaster", d + devices}},
                                               &error))
            << error.toStdString();
        return path(name);
    }

    QTemporaryDir home;
    RecordingMessageBoxes boxes;
    masterio::Masterio masterio{boxes, home.path()};
    QStringList before;
};

// The cells of every sheet as openpyxl reads them, one line per row.
const char *DumpWorkbook = R"PY(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
print("sheets|" + "|".join(wb.sheetnames))
for ws in wb:
    for row in ws.iter_rows(values_only=True):
        print(ws.title + ":" + "|".join("" if v is None else str(v) for v in row))
)PY";

} // namespace

TEST_F(MasterioTest, RoundTripThroughOpenpyxl)
{
    const QString out = path(QStringLiteral("Tavo10DB情報.xlsx"));
    ASSERT_TRUE(masterio.exportWorkbook(out));
    EXPECT_EQ(boxes.texts(), QStringList{masterio::text::ExportDone});

    const toolsupport::Run dump = toolsupport::python(QString::fromUtf8(DumpWorkbook), {out});
    ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    EXPECT_EQ(dump.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
              (QStringList{"sheets|GroupMaster|KikiMaster",
                           "GroupMaster:GPno|GPName|Yukoflg",
                           "GroupMaster:1|1F 空調機|True",
                           "GroupMaster:2|屋外 看板照明|False",
                           "GroupMaster:501|O'Neil棟|True",
                           "KikiMaster:Tag|KikiName|StartValue|EndValue",
                           "KikiMaster:AHU1_RUN|1F 空調機1 発停|1|0",
                           "KikiMaster:AHU1_SP|1F 空調機1 室温設定|22.5|0",
                           "KikiMaster:SIGN_L1||1|0"}));

    // An integrator edits the workbook with another program and imports it.
    const toolsupport::Run edit = toolsupport::python(QStringLiteral(R"PY(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
g = wb["GroupMaster"]
g["B3"] = "屋外 看板照明（改）"
g["C3"] = True
g.append([3, "1F 照明", 0])
k = wb["KikiMaster"]
k["C3"] = 26.5
k.append(["L1F_EAST", "1F 東側 照明", 1, 0])
wb.save(sys.argv[2])
)PY"),
                                                      {out, path(QStringLiteral("edited.xlsx"))});
    ASSERT_EQ(edit.exitCode, 0) << edit.err.toStdString();
    boxes.clear();
    ASSERT_TRUE(masterio.importWorkbook(path(QStringLiteral("edited.xlsx"))));
    EXPECT_EQ(boxes.texts(), (QStringList{masterio::text::ConfirmImport, masterio::text::ImportDone}));
    EXPECT_EQ(rows(database(), Groups), (QStringList{"1|1F 空調機|-1|0", "2|屋外 看板照明（改）|-1|0",
                                                     "3|1F 照明|0|0", "501|O'Neil棟|-1|0"}));
    EXPECT_EQ(rows(database(), Devices),
              (QStringList{"AHU1_RUN|1F 空調機1 発停|1|0", "AHU1_SP|1F 空調機1 室温設定|26.5|0",
                           "L1F_EAST|1F 東側 照明|1|0", "SIGN_L1|NULL|1|0"}));
    // The other tables are not the import's business.
    EXPECT_EQ(rows(database(), QStringLiteral("SELECT COUNT(*) FROM KikiTable")), QStringList{"1"});
}

TEST_F(MasterioTest, ColumnRulesOfTheImport)
{
    const QString file = workbook(QStringLiteral("rules.xlsx"),
                                  {{1, "数値以外", "abc"},
                                   {2, "ゼロ", 0},
                                   {3, "空欄", QVariant()},
                                   {4, "文字 FALSE", "FALSE"},
                                   {5, 101, true},
                                   {QVariant(), "column 1 empty: the data ends here", 1},
                                   {9, "after the end", 1}},
                                  {{"T1", "数値以外", "x", "y"},
                                   {"T2", "空欄", QVariant(), QVariant()},
                                   {"T3", "数字の文字", " 2.5 ", "0.5"},
                                   {1001, QVariant(), 1, 0}});
    ASSERT_TRUE(masterio.importWorkbook(file)) << boxes.lastText().toStdString();
    EXPECT_EQ(rows(database(), Groups),
              (QStringList{"1|数値以外|-1|0", "2|ゼロ|0|0", "3|空欄|-1|0", "4|文字 FALSE|0|0", "5|101|-1|0"}));
    EXPECT_EQ(rows(database(), Devices),
              (QStringList{"1001|NULL|1|0", "T1|数値以外|1|0", "T2|空欄|1|0", "T3|数字の文字|2.5|0.5"}));
}

TEST_F(MasterioTest, AnEmptyRow2EmptiesGroupMaster)
{
    ASSERT_TRUE(masterio.importWorkbook(workbook(QStringLiteral("empty.xlsx"), {}, {{"T1", "機器1", 1, 0}})));
    EXPECT_EQ(rows(database(), Groups), QStringList());
    EXPECT_EQ(rows(database(), Devices), QStringList{"T1|機器1|1|0"});
}

TEST_F(MasterioTest, ABadWorkbookLeavesBothTablesAsTheyWere)
{
    const QList<QVariantList> goodGroups{{1, "A", 1}, {2, "B", 1}};
    const QList<QVariantList> goodDevices{{"T1", "機器1", 1, 0}, {"T2", "機器2", 1, 0}};
    struct Case
    {
        const char *name;
        QList<QVariantList> groups, devices;
        QStringList expected; // fragments of the message
    };
    const QList<Case> cases = {
        {"group number above 501", goodGroups + QList<QVariantList>{{502, "C", 1}}, goodDevices,
         {"ｴﾗｰ番号 13:", "シート「GroupMaster」の 4 行目", "GPno「502」"}},
        {"group number 0", {{0, "Z", 1}}, goodDevices, {"の 2 行目", "GPno「0」"}},
        {"group number not whole", {{1.5, "Z", 1}}, goodDevices, {"の 2 行目", "GPno「1.5」"}},
        {"group number a text", {{"abc", "Z", 1}}, goodDevices, {"の 2 行目", "GPno「abc」"}},
        {"duplicate group number", goodGroups + QList<QVariantList>{{2, "C", 1}}, goodDevices,
         {"ｴﾗｰ番号 3022:", "シート「GroupMaster」の 4 行目", "GPno「2」は 3 行目と重複"}},
        {"duplicate group name", goodGroups + QList<QVariantList>{{3, "b", 1}}, goodDevices,
         {"の 4 行目", "GPName「b」は 3 行目と重複"}},
        {"empty group name", {{1, QVariant(), 1}}, goodDevices, {"の 2 行目", "GPName が空"}},
        {"duplicate tag", goodGroups, goodDevices + QList<QVariantList>{{"t1", "機器3", 1, 0}},
         {"ｴﾗｰ番号 3022:", "シート「KikiMaster」の 4 行目", "Tag「t1」は 2 行目と重複"}},
        {"duplicate device name", goodGroups, goodDevices + QList<QVariantList>{{"T3", "機器2", 1, 0}},
         {"シート「KikiMaster」の 4 行目", "KikiName「機器2」は 3 行目と重複"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        EXPECT_FALSE(masterio.importWorkbook(workbook(QStringLiteral("bad.xlsx"), c.groups, c.devices)));
        EXPECT_TRUE(boxes.lastText().startsWith(masterio::text::ImportError)) << boxes.lastText().toStdString();
        for (const QString &fragment : c.expected)
            EXPECT_TRUE(boxes.lastText().contains(fragment)) << boxes.lastText().toStdString();
        EXPECT_EQ(tables(), before);
    }

    // A sheet that is not there, and a file that is none.
    QString error;
    ASSERT_TRUE(masterio::writeNewWorkbook(path(QStringLiteral("one.xlsx")),
                                           {{"GroupMaster", {{"GPno"}, {7, "G", 1}}}}, &error));
    EXPECT_FALSE(masterio.importWorkbook(path(QStringLiteral("one.xlsx"))));
    EXPECT_EQ(boxes.lastText(), masterio::text::ImportError + QStringLiteral("9:シート「KikiMaster」がありません。"));
    EXPECT_FALSE(masterio.importWorkbook(path(QStringLiteral("missing.xlsx"))));
    EXPECT_TRUE(boxes.lastText().startsWith(masterio::text::ImportError + QStringLiteral("53:")));
    QFile notZip(path(QStringLiteral("text.xlsx")));
    ASSERT_TRUE(notZip.open(QIODevice::WriteOnly));
    notZip.write("GPno,GPName\n1,A\n");
    notZip.close();
    EXPECT_FALSE(masterio.importWorkbook(notZip.fileName()));
    EXPECT_TRUE(boxes.lastText().startsWith(masterio::text::ImportError + QStringLiteral("1004:")));
    EXPECT_EQ(tables(), before);
}

TEST_F(MasterioTest, AFailureAfterGroupMasterWasWrittenRollsBothBack)
{
    // The database refuses one device: GroupMaster has been replaced by then.
    ASSERT_TRUE(toolsupport::exec(database(), {QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON KikiMaster "
                                                              "WHEN NEW.TAG = 'BOOM' BEGIN SELECT RAISE(ABORT, 'refused'); END")}));
    EXPECT_FALSE(masterio.importWorkbook(
        workbook(QStringLiteral("boom.xlsx"), {{7, "新グループ", 1}}, {{"T1", "機器1", 1, 0}, {"BOOM", "機器2", 1, 0}})));
    EXPECT_TRUE(boxes.lastText().contains(QStringLiteral("シート「KikiMaster」の 3 行目: refused")))
        << boxes.lastText().toStdString();
    EXPECT_EQ(tables(), before);
}

TEST_F(MasterioTest, NothingHappensWhileTheWorkbookIsOpenInASpreadsheetProgram)
{
    const QString file = workbook(QStringLiteral("Tavo10DB情報.xlsx"), {{9, "新", 1}}, {});
    for (const QString &lock : {QStringLiteral("~$Tavo10DB情報.xlsx"), QStringLiteral(".~lock.Tavo10DB情報.xlsx#")}) {
        SCOPED_TRACE(lock.toStdString());
        QFile f(path(lock));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.close();
        boxes.clear();
        EXPECT_FALSE(masterio.importWorkbook(file));
        EXPECT_EQ(boxes.lastText(), masterio::text::SpreadsheetOpen);
        EXPECT_EQ(tables(), before);
        // The export refuses to write over it as well.
        EXPECT_FALSE(masterio.exportWorkbook(file));
        EXPECT_EQ(boxes.lastText(), masterio::text::SpreadsheetOpen);
        f.remove();
    }
    // An open template stops the export too.
    ASSERT_TRUE(QFile::copy(file, masterio.templatePath()));
    QFile lock(path(QStringLiteral(".~lock.Tavo10DB_原紙.xlsx#")));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.close();
    boxes.clear();
    EXPECT_FALSE(masterio.exportWorkbook(path(QStringLiteral("new.xlsx"))));
    EXPECT_EQ(boxes.texts(), QStringList{masterio::text::SpreadsheetOpen});
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("new.xlsx"))));
}

TEST_F(MasterioTest, ExportFillsTheTemplateAndKeepsItsOtherContent)
{
    // A template as an integrator keeps it: a cover sheet, bold headings, an
    // old list longer than the new one, a formula and its calculation chain.
    const toolsupport::Run made = toolsupport::python(QStringLiteral(R"PY(
import sys, zipfile, openpyxl
from openpyxl.styles import Font
wb = openpyxl.Workbook()
cover = wb.active
cover.title = "表紙"
cover["A1"] = "設備マスタ原紙"
cover.column_dimensions["A"].width = 40
g = wb.create_sheet("GroupMaster")
g.append(["GPno", "GPName", "Yukoflg"])
for c in g[1]:
    c.font = Font(bold=True)
for n in range(1, 11):
    g.append([n, "旧グループ%d" % n, True])
g["D2"] = "=A2*2"
k = wb.create_sheet("KikiMaster")
k.append(["Tag", "KikiName", "StartValue", "EndValue"])
wb.save(sys.argv[1] + ".tmp")
# openpyxl writes no calculation chain; add the one Excel would keep.
src = zipfile.ZipFile(sys.argv[1] + ".tmp")
dst = zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED)
for item in src.infolist():
    data = src.read(item.filename)
    if item.filename == "[Content_Types].xml":
        data = data.replace(b"</Types>", b'<Override PartName="/xl/calcChain.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml"/></Types>')
    if item.filename == "xl/_rels/workbook.xml.rels":
        data = data.replace(b"</Relationships>", b'<Relationship Id="rIdChain" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/calcChain" Target="calcChain.xml"/></Relationships>')
    dst.writestr(item, data)
dst.writestr("xl/calcChain.xml", b'<?xml version="1.0" encoding="UTF-8"?><calcChain xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><c r="D2" i="2"/></calcChain>')
dst.close()
)PY"),
                                                      {masterio.templatePath()});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();

    const QString out = path(QStringLiteral("out.xlsx"));
    ASSERT_TRUE(masterio.exportWorkbook(out)) << boxes.lastText().toStdString();
    const toolsupport::Run dump = toolsupport::python(QString::fromUtf8(DumpWorkbook) + QStringLiteral(R"PY(
import zipfile
print("bold|" + str(wb["GroupMaster"]["A1"].font.b))
print("width|" + str(wb["表紙"].column_dimensions["A"].width))
print("chain|" + str("xl/calcChain.xml" in zipfile.ZipFile(sys.argv[1]).namelist()))
)PY"),
                                                      {out});
    ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    EXPECT_EQ(dump.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
              (QStringList{"sheets|表紙|GroupMaster|KikiMaster",
                           "表紙:設備マスタ原紙",
                           "GroupMaster:GPno|GPName|Yukoflg",
                           "GroupMaster:1|1F 空調機|True",
                           "GroupMaster:2|屋外 看板照明|False",
                           "GroupMaster:501|O'Neil棟|True",
                           "KikiMaster:Tag|KikiName|StartValue|EndValue",
                           "KikiMaster:AHU1_RUN|1F 空調機1 発停|1|0",
                           "KikiMaster:AHU1_SP|1F 空調機1 室温設定|22.5|0",
                           "KikiMaster:SIGN_L1||1|0",
                           "bold|True",
                           "width|40.0",
                           "chain|False"}));
    // The template itself is left as it was.
    masterio::XlsxReader reader;
    QString error;
    ASSERT_TRUE(reader.open(masterio.templatePath(), &error));
    masterio::XlsxSheet sheet;
    ASSERT_TRUE(reader.readSheet(QStringLiteral("groupmaster"), &sheet, &error));
    EXPECT_EQ(sheet.cell(11, 2).text, QStringLiteral("旧グループ10"));
}

TEST_F(MasterioTest, ReadsWorkbooksAsSpreadsheetProgramsWriteThem)
{
    // Written by hand the way Excel and others may: shared strings with
    // phonetic guides and rich-text runs, a prefixed namespace, rows and cells
    // without references, inline strings, formulas with their last values.
    const toolsupport::Run made = toolsupport::python(QStringLiteral(R"PY(
import sys, zipfile
main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
z = zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED)
z.writestr("[Content_Types].xml", '<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>')
z.writestr("_rels/.rels", '<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="r1" Type="%s/officeDocument" Target="/xl/workbook.xml"/></Relationships>' % rel)
z.writestr("xl/workbook.xml", '<?xml version="1.0"?><x:workbook xmlns:x="%s" xmlns:r="%s"><x:sheets><x:sheet name="kikimaster" sheetId="2" r:id="rK"/><x:sheet name="GroupMaster" sheetId="1" r:id="rG"/></x:sheets></x:workbook>' % (main, rel))
z.writestr("xl/_rels/workbook.xml.rels", '<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rG" Type="%s/worksheet" Target="sheets/g.xml"/><Relationship Id="rK" Type="%s/worksheet" Target="sheets/k.xml"/><Relationship Id="rS" Type="%s/sharedStrings" Target="strings.xml"/></Relationships>' % (rel, rel, rel))
z.writestr("xl/strings.xml", ('<?xml version="1.0"?><sst xmlns="%s">'
    '<si><t>Tag</t></si>'
    '<si><t>空調機</t><rPh sb="0" eb="3"><t>クウチョウキ</t></rPh><phoneticPr fontId="1"/></si>'
    '<si><r><t>換気</t></r><r><rPr><b/></rPr><t xml:space="preserve"> ファン</t></r></si>'
    '</sst>') % main)
z.writestr("xl/sheets/g.xml", ('<?xml version="1.0"?><x:worksheet xmlns:x="%s"><x:sheetData>'
    '<x:row><x:c t="inlineStr"><x:is><x:t>GPno</x:t></x:is></x:c></x:row>'
    '<x:row><x:c><x:v>12</x:v></x:c><x:c t="s"><x:v>1</x:v></x:c><x:c t="b"><x:v>0</x:v></x:c></x:row>'
    '<x:row r="3"><x:c r="A3"><x:f>6*2+1</x:f><x:v>13</x:v></x:c><x:c r="B3" t="str"><x:f>"照"&amp;"明"</x:f><x:v>照明</x:v></x:c><x:c r="C3" t="e"><x:v>#N/A</x:v></x:c></x:row>'
    '</x:sheetData></x:worksheet>') % main)
z.writestr("xl/sheets/k.xml", ('<?xml version="1.0"?><worksheet xmlns="%s"><sheetData>'
    '<row r="1"><c r="A1" t="s"><v>0</v></c></row>'
    '<row r="2"><c r="A2" t="inlineStr"><is><t>FAN1</t></is></c><c r="B2" t="s"><v>2</v></c><c r="D2"><v>2.5E-1</v></c></row>'
    '<row r="4"><c r="A4" t="inlineStr"><is><t>after a gap</t></is></c></row>'
    '</sheetData></worksheet>') % main)
z.close()
)PY"),
                                                      {path(QStringLiteral("byhand.xlsx"))});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    ASSERT_TRUE(masterio.importWorkbook(path(QStringLiteral("byhand.xlsx")))) << boxes.lastText().toStdString();
    EXPECT_EQ(rows(database(), Groups), (QStringList{"12|空調機|0|0", "13|照明|-1|0"}));
    EXPECT_EQ(rows(database(), Devices), (QStringList{"FAN1|換気 ファン|1|0.25"}));
}

TEST_F(MasterioTest, CommandLine)
{
    const QString out = path(QStringLiteral("cli.xlsx"));
    toolsupport::Run run = toolsupport::tool(QStringLiteral("Masterio"), {QStringLiteral("--export"), out}, home.path());
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.err.trimmed(), masterio::text::ExportDone);

    ASSERT_TRUE(toolsupport::exec(database(), {QStringLiteral("DELETE FROM KikiMaster")}));
    run = toolsupport::tool(QStringLiteral("Masterio"), {QStringLiteral("--import"), out}, home.path());
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.err.trimmed(), masterio::text::ImportDone);
    EXPECT_EQ(tables(), before);

    run = toolsupport::tool(QStringLiteral("Masterio"), {QStringLiteral("--import"), path(QStringLiteral("none.xlsx"))},
                            home.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith(masterio::text::ImportError + QStringLiteral("53:"))) << run.err.toStdString();

    run = toolsupport::tool(QStringLiteral("Masterio"), {QStringLiteral("--frobnicate"), out}, home.path());
    EXPECT_EQ(run.exitCode, 2);
}

TEST_F(MasterioTest, OneFormPerProgramFolder)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SCH_HOME"), home.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(testsupport::binDir() + QStringLiteral("/Masterio"));
    ASSERT_TRUE(first.waitForStarted(5000));
    qputenv("SCH_HOME", home.path().toUtf8());
    const QString lock = platform::SingleInstance::lockPathFor(QStringLiteral("Masterio"));
    qunsetenv("SCH_HOME");
    for (int i = 0; i < 500 && !QFile::exists(lock); ++i)
        first.waitForFinished(10);
    ASSERT_TRUE(QFile::exists(lock));

    // A second start ends at once and leaves the first one's form up.
    const toolsupport::Run second = toolsupport::tool(QStringLiteral("Masterio"), {}, home.path());
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished(5000);
}
