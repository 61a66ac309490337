#include "console/maintenance/reservetexts.h"

namespace console::texts {

QString outsideRange(int topHour, int endHour)
{
    return QStringLiteral("StartTimeに ") + QString::number(topHour) + QStringLiteral("時より前、または")
           + QStringLiteral("EndTimeに ") + QString::number(endHour) + QStringLiteral("時より後の")
           + QStringLiteral("時間を設定しています。有効範囲内で設定してください");
}

QString reflectFailed(int errorNumber)
{
    return QStringLiteral("反映に失敗しました。：エラーNO") + QString::number(errorNumber);
}

QString addFailed(int errorNumber, const QString &description)
{
    return QStringLiteral("予約を登録出来ませんでした。 ｴﾗｰ番号 ") + QString::number(errorNumber)
           + QStringLiteral(" でｴﾗｰが発生しました。\n") + description;
}

QString storeFailed(int errorNumber, const QString &description)
{
    return QStringLiteral("予約を更新出来ませんでした。 ｴﾗｰ番号 ") + QString::number(errorNumber)
           + QStringLiteral(" でｴﾗｰが発生しました。\n") + description;
}

} // namespace console::texts
