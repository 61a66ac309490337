#include "console/main/consoletexts.h"

namespace console::texts {

namespace {
// The platform's number-to-text: a blank where a minus sign would stand.
QString numberText(int number)
{
    return number < 0 ? QString::number(number) : QStringLiteral(" ") + QString::number(number);
}
} // namespace

QString startupFailure(int number, const QString &description)
{
    return QStringLiteral("実行できません！ ｴﾗｰ番号 ") + numberText(number) + Source
        + QStringLiteral(" でｴﾗｰが発生しました。") + QLatin1Char('\r') + description;
}

QString backupFailure(int number, const QString &description)
{
    return QStringLiteral("バックアップエラー！ ｴﾗｰ番号 = ") + QString::number(number) + QStringLiteral(" : ")
        + description;
}

QString manualFailure(int number, const QString &description)
{
    return QStringLiteral("手動操作エラー：エラーNO") + numberText(number) + QLatin1Char(':') + description;
}

} // namespace console::texts
