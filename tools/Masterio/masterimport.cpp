#include "tools/Masterio/masterimport.h"

#include "tools/Masterio/xlsxreader.h"

#include "store/catalogue.h"
#include "store/database.h"
#include "store/grouprange.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>

#include <cmath>

namespace masterio {
namespace {

// Names compare as the database's NOCASE collation does: ASCII letters
// without regard to case, everything else exactly.
QString nameKey(const QString &name)
{
    QString key = name;
    for (QChar &c : key) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    }
    return key;
}

QString rowPrefix(const QString &sheet, int row)
{
    return QStringLiteral("シート「%1」の %2 行目: ").arg(sheet).arg(row);
}

bool fail(Failure *failure, int number, const QString &description)
{
    failure->number = number;
    failure->description = description;
    return false;
}

// Records which row first had a key; false (and the failure) when the key was seen before.
bool firstUse(QHash<QString, int> *seen, const QString &key, int row, const QString &sheet, const QString &column,
              const QString &shown, Failure *failure)
{
    const auto it = seen->constFind(key);
    if (it != seen->constEnd())
        return fail(failure, Failure::DuplicateKey,
                    rowPrefix(sheet, row) + QStringLiteral("%1「%2」は %3 行目と重複しています。").arg(column, shown).arg(*it));
    seen->insert(key, row);
    return true;
}

// The Yukoflg rule: a number (Booleans included) is True unless 0; the texts
// TRUE and FALSE are what they say; anything else, an empty cell included, is True.
bool validFlag(const XlsxCell &cell)
{
    if (const auto n = cell.numeric())
        return *n != 0;
    if (cell.kind == XlsxCell::Kind::Text && cell.text.trimmed().compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0)
        return false;
    return true;
}

// A database failure of one row: a uniqueness conflict gets the duplicate-key number.
bool rowFailed(Failure *failure, const QString &sheet, int row, const QSqlError &error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    const bool duplicate = text.contains(QLatin1String("UNIQUE constraint failed"), Qt::CaseInsensitive);
    return fail(failure, duplicate ? Failure::DuplicateKey : int(store::Database::EngineError),
                rowPrefix(sheet, row) + text);
}

} // namespace

bool readMasterSheets(const XlsxSheet &groupSheet, const XlsxSheet &deviceSheet, MasterData *data, Failure *failure)
{
    MasterData out;
    QHash<QString, int> numbers, names;
    for (int row = 2; !groupSheet.cell(row, 1).isBlank(); ++row) {
        const XlsxCell number = groupSheet.cell(row, 1);
        const auto n = number.numeric();
        if (!n || *n != std::floor(*n) || !store::isGroupNo((long long)(std::clamp(*n, -1.0, 1e6))))
            return fail(failure, Failure::BadCell,
                        rowPrefix(GroupSheet, row)
                            + QStringLiteral("GPno「%1」は %2～%3 の整数ではありません。")
                                  .arg(number.displayText())
                                  .arg(store::MinGroupNo)
                                  .arg(store::MaxGroupNo));
        GroupRecord g;
        g.row = row;
        g.gpno = int(*n);
        const XlsxCell name = groupSheet.cell(row, 2);
        if (name.isBlank())
            return fail(failure, Failure::BadCell, rowPrefix(GroupSheet, row) + QStringLiteral("GPName が空です。"));
        g.name = name.displayText();
        g.valid = validFlag(groupSheet.cell(row, 3));
        if (!firstUse(&numbers, QString::number(g.gpno), row, GroupSheet, QStringLiteral("GPno"),
                      QString::number(g.gpno), failure)
            || !firstUse(&names, nameKey(g.name), row, GroupSheet, QStringLiteral("GPName"), g.name, failure))
            return false;
        out.groups.append(g);
    }

    QHash<QString, int> tags, kikiNames;
    for (int row = 2; !deviceSheet.cell(row, 1).isBlank(); ++row) {
        DeviceRecord d;
        d.row = row;
        d.tag = deviceSheet.cell(row, 1).displayText();
        const XlsxCell name = deviceSheet.cell(row, 2);
        if (!name.isBlank())
            d.kikiName = name.displayText();
        d.startValue = deviceSheet.cell(row, 3).numeric().value_or(1.0);
        d.endValue = deviceSheet.cell(row, 4).numeric().value_or(0.0);
        if (!firstUse(&tags, nameKey(d.tag), row, DeviceSheet, QStringLiteral("Tag"), d.tag, failure)
            || (!d.kikiName.isNull()
                && !firstUse(&kikiNames, nameKey(d.kikiName), row, DeviceSheet, QStringLiteral("KikiName"),
                             d.kikiName, failure)))
            return false;
        out.devices.append(d);
    }
    *data = out;
    return true;
}

bool readMasterWorkbook(const QString &path, MasterData *data, Failure *failure)
{
    if (!QFileInfo(path).isFile())
        return fail(failure, Failure::FileNotFound,
                    QStringLiteral("%1 が見つかりません。").arg(QDir::toNativeSeparators(path)));
    XlsxReader reader;
    QString error;
    if (!reader.open(path, &error))
        return fail(failure, Failure::WorkbookError, QStringLiteral("%1 を読めません: %2").arg(path, error));
    XlsxSheet groups, devices;
    for (const auto &[name, sheet] : {std::pair{GroupSheet, &groups}, std::pair{DeviceSheet, &devices}}) {
        if (reader.findSheet(name).isEmpty())
            return fail(failure, Failure::SheetMissing, QStringLiteral("シート「%1」がありません。").arg(name));
        if (!reader.readSheet(name, sheet, &error))
            return fail(failure, Failure::WorkbookError, QStringLiteral("シート「%1」を読めません: %2").arg(name, error));
    }
    return readMasterSheets(groups, devices, data, failure);
}

bool replaceMasters(store::Database &db, const MasterData &data, Failure *failure)
{
    if (!db.transaction())
        return fail(failure, store::Database::EngineError,
                    QStringLiteral("データベースを更新出来ません: %1").arg(db.handle().lastError().text()));
    auto abandon = [&db](bool) {
        db.rollback();
        return false;
    };

    if (!db.execute(store::sql::clearGroupMaster()))
        return abandon(fail(failure, db.lastErrorNumber(), db.lastError()));
    QSqlQuery insertGroup(db.handle());
    insertGroup.prepare(QStringLiteral("INSERT INTO GroupMaster (GPno, GPname, YukoFlg, DelFlg) VALUES (?, ?, ?, 0)"));
    for (const GroupRecord &g : data.groups) {
        insertGroup.addBindValue(g.gpno);
        insertGroup.addBindValue(g.name);
        insertGroup.addBindValue(g.valid ? -1 : 0);
        if (!insertGroup.exec())
            return abandon(rowFailed(failure, GroupSheet, g.row, insertGroup.lastError()));
    }

    if (!db.execute(store::sql::clearDeviceMaster()))
        return abandon(fail(failure, db.lastErrorNumber(), db.lastError()));
    QSqlQuery insertDevice(db.handle());
    insertDevice.prepare(
        QStringLiteral("INSERT INTO KikiMaster (TAG, KikiName, StartValue, EndValue) VALUES (?, ?, ?, ?)"));
    for (const DeviceRecord &d : data.devices) {
        insertDevice.addBindValue(d.tag);
        insertDevice.addBindValue(d.kikiName.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(d.kikiName));
        insertDevice.addBindValue(d.startValue);
        insertDevice.addBindValue(d.endValue);
        if (!insertDevice.exec())
            return abandon(rowFailed(failure, DeviceSheet, d.row, insertDevice.lastError()));
    }
    if (!db.commit())
        return abandon(fail(failure, store::Database::EngineError,
                            QStringLiteral("データベースを更新出来ません: %1").arg(db.handle().lastError().text())));
    return true;
}

} // namespace masterio
