#include "console/maintenance/passwordfile.h"

#include "console/common/consolestate.h"
#include "platform/atomicfile.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "store/sitepaths.h"


namespace console::passwordfile {

QString pathFor(const ConsoleState &state)
{
    return store::paths::passwordPathIn(store::paths::databaseFolderOf(state.databasePath()));
}

QString read(const QString &path, bool *readable)
{
    QByteArray record;
    const platform::ReadStatus status = platform::readFileStart(path, RecordBytes, &record);
    if (readable)
        *readable = status == platform::ReadStatus::Read || status == platform::ReadStatus::Missing;
    return platform::fromCp932(record).trimmed();
}

WriteResult write(const QString &path, const QString &password, QString *error)
{
    QByteArray record = platform::toCp932(password);
    if (platform::fromCp932(record) != password)
        return WriteResult::NotRepresentable;
    if (record.size() > RecordBytes)
        return WriteResult::TooLong;
    record.append(QByteArray(RecordBytes - record.size(), ' '));
    return platform::writeFileAtomically(path, record, error) ? WriteResult::Written : WriteResult::Failed;
}

QString refusalMessage(WriteResult result)
{
    switch (result) {
    case WriteResult::TooLong:
        return QStringLiteral("パスワードは半角20文字（全角10文字）以内で入力してください。");
    case WriteResult::NotRepresentable:
        return QStringLiteral("パスワードに使用できない文字が含まれています。");
    case WriteResult::Failed:
        return QStringLiteral("パスワードを保存できませんでした。");
    case WriteResult::Written:
        break;
    }
    return QString();
}

} // namespace console::passwordfile
