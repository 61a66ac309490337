#include "tools/Upgrader/upgrader.h"

#include "tools/Upgrader/conversion.h"

#include "console/common/messageboxes.h"
#include "store/database.h"
#include "store/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace upgrader {

Upgrader::Upgrader(console::MessageBoxes &boxes, const QString &programFolder)
    : SiteTool(boxes, programFolder)
{
}

bool Upgrader::fail(QWidget *parent, const QString &why)
{
    setBusy(false);
    m_boxes.inform(parent, text::Error + why + QLatin1Char('\n') + text::Unchanged);
    return false;
}

bool Upgrader::convert(const QString &oldPath, QWidget *parent)
{
    if (oldPath.trimmed().isEmpty()) {
        m_boxes.inform(parent, text::NoOldDatabase);
        return false;
    }
    if (askToStart && !m_boxes.confirm(parent, text::Confirm))
        return false;
    setBusy(true);

    QList<AccessTable> tables;
    QString error;
    if (!readOldDatabase(oldPath.trimmed(), &tables, &error))
        return fail(parent, error);

    const QString target = databasePath();
    const QString shown = QDir::toNativeSeparators(target);
    const bool existed = QFileInfo::exists(target);
    bool replace = false;
    if (existed) {
        // A database of another kind (an Access file copied over it) is kept for the operator to move away.
        if (!store::Database::isSqliteFile(target))
            return fail(parent, QStringLiteral("%1 はこのシステムのデータベース (SQLite) ではありません。"
                                               "別の場所へ移してから再度実行して下さい。")
                                    .arg(shown));
        store::Database db(target);
        QList<int> counts;
        if (!db.open() || !countRows(db, &counts, &error))
            return fail(parent, db.lastError().isEmpty() ? error : db.lastError());
        QStringList held;
        int total = 0;
        for (int i = 0; i < counts.size(); ++i) {
            held << QStringLiteral("%1 %2 件").arg(store::sql::tableName(tableMappings().at(i).table)).arg(counts.at(i));
            total += counts.at(i);
        }
        if (total > 0) {
            setBusy(false);
            const QString question = QStringLiteral("コンバート先のデータベース %1 には既にデータがあります。\n%2\n"
                                                    "これらを削除してSch.mdbの内容に置き換えます。 よろしいですか？")
                                         .arg(shown, held.join(QStringLiteral("、")));
            // Enter alone must not empty a database that holds a site's data.
            console::Message replaceQuestion{QStringLiteral("確認"), question, console::MessageButtons::YesNo,
                                             console::MessageIcon::Question, true};
            replaceQuestion.defaultNo = true;
            if (m_boxes.show(replaceQuestion, parent) != console::MessageAnswer::Yes)
                return false;
            setBusy(true);
            replace = true;
        }
    } else if (!store::createDatabase(target, &error)) {
        return fail(parent, QStringLiteral("%1 を作成出来ません: %2").arg(shown, error));
    }

    bool ok = false;
    {
        store::Database db(target);
        ok = db.open() ? convertTables(db, tables, replace, &error) : (error = db.lastError(), false);
    }
    if (!ok) {
        if (!existed)
            QFile::remove(target); // the database made for this run goes with it
        return fail(parent, error);
    }
    setBusy(false);
    m_boxes.inform(parent, text::Done);
    return true;
}

} // namespace upgrader
