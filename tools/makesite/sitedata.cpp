#include "makesite/sitedata.h"

namespace makesite {
namespace {

MasterEntry entry(int gpno, int code, int h1, int m1, int h2, int m2)
{
    return {gpno, code, QTime(h1, m1), QTime(h2, m2)};
}

} // namespace

SiteData demonstrationData(const QDate &today)
{
    SiteData d;
    d.today = today;
    d.groups = {
        {1, QStringLiteral("空調機系統A"), true},
        {2, QStringLiteral("照明1F"), true},
        {3, QStringLiteral("換気ファン"), true},
        {4, QStringLiteral("給湯ポンプ"), false}, // invalid: shown, never output
    };
    d.devices = {
        {QStringLiteral("AHU1_RUN"), QStringLiteral("空調機1運転"), 1, 0},
        {QStringLiteral("AHU1_TEMP"), QStringLiteral("空調機1設定温度"), 22.5, 18},
        {QStringLiteral("AHU2_RUN"), QStringLiteral("空調機2運転"), 1, 0},
        {QStringLiteral("LIGHT1F_ON"), QStringLiteral("1F照明"), 1, 0},
        {QStringLiteral("FAN1_RUN"), QStringLiteral("換気ファン1"), 1, 0},
        {QStringLiteral("PUMP1_RUN"), QStringLiteral("給湯ポンプ1"), 1, 0},
    };
    d.assignments = {
        {QStringLiteral("AHU1_RUN"), 1}, {QStringLiteral("AHU1_TEMP"), 1}, {QStringLiteral("AHU2_RUN"), 1},
        {QStringLiteral("LIGHT1F_ON"), 2}, {QStringLiteral("FAN1_RUN"), 3}, {QStringLiteral("PUMP1_RUN"), 4},
    };
    // Monday..Friday (codes 2..6).
    for (int code = 2; code <= 6; ++code) {
        d.master << entry(1, code, 8, 0, 12, 0) << entry(1, code, 13, 0, 18, 0) << entry(2, code, 7, 30, 20, 0)
                 << entry(3, code, 0, 0, 6, 0) << entry(3, code, 22, 0, 23, 59) << entry(4, code, 9, 0, 10, 0);
    }
    d.master << entry(1, 7, 9, 0, 13, 0) << entry(2, 7, 8, 0, 12, 0); // Saturday
    d.master << entry(3, 1, 10, 0, 11, 0);                            // Sunday
    d.master << entry(2, 8, 10, 0, 15, 0);                            // 特日１
    d.master << entry(1, 9, 6, 0, 9, 0);                              // 特日２
    d.master << entry(3, 10, 12, 0, 13, 0);                           // 特日３
    d.master << entry(1, 11, 0, 0, 23, 59) << entry(2, 11, 0, 0, 23, 59); // 特日４: all day

    d.settings = {
        {QStringLiteral("MENTE"), QStringLiteral("FLG"), QStringLiteral("0")},
        {QStringLiteral("MENTE"), QStringLiteral("C-LOAD"), QStringLiteral("0")},
        {QStringLiteral("MENTE"), QStringLiteral("S-LOAD"), QStringLiteral("0")},
        {QStringLiteral("MENTE"), QStringLiteral("J-LOAD"), QStringLiteral("0")},
        {QStringLiteral("MENTE"), QStringLiteral("TIMER"), QStringLiteral("0")},
        {QStringLiteral("Load"), QStringLiteral("Flg"), QStringLiteral("0")},
        {QStringLiteral("LOG"), QStringLiteral("FLG"), QStringLiteral("1")},
        {QStringLiteral("LOG"), QStringLiteral("DIR"), QStringLiteral("<site>/OPLOG")},
        {QStringLiteral("LOG"), QStringLiteral("SAVEDAY"), QStringLiteral("10")},
        {QStringLiteral("CLIENT"), QStringLiteral("FLG"), QStringLiteral("0")},
        {QStringLiteral("CLIENT"), QStringLiteral("DBNAME"), QString()},
        {QStringLiteral("DB2"), QStringLiteral("NAME"), QString()},
        {QStringLiteral("Chart"), QStringLiteral("FontSize"), QStringLiteral("9")},
        {QStringLiteral("Chart"), QStringLiteral("GPWidth"), QStringLiteral("200")},
        {QStringLiteral("TIME"), QStringLiteral("FontSize"), QStringLiteral("12")},
    };
    return d;
}

void addReservationSoon(SiteData &data, const QTime &now, int minutes, const QList<int> &groups)
{
    const int start = now.hour() * 60 + now.minute() + 1;
    if (start > 23 * 60 + 59)
        return;
    const int end = qMin(start + qMax(1, minutes), 23 * 60 + 59);
    for (int gpno : groups)
        data.extraToday << DayEntry{gpno, QTime(start / 60, start % 60), QTime(end / 60, end % 60)};
}

QByteArray plantTags(const SiteData &data)
{
    QByteArray csv = "name,type,value,comment\n";
    for (const Device &d : data.devices)
        csv += d.tag.toUtf8() + ",number,0," + d.name.toUtf8() + "\n";
    return csv;
}

} // namespace makesite
