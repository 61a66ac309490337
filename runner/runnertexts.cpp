#include "runner/runnertexts.h"

namespace runner::texts {

namespace {
QString errorTail(int number, const QString &description)
{
    return QStringLiteral("ｴﾗｰ番号 ") + QString::number(number) + Source + QStringLiteral(" でｴﾗｰが発生しました。")
        + QLatin1Char('\r') + description;
}
} // namespace

QString errorMessage(const QString &what, int number, const QString &description)
{
    return what + QLatin1Char(' ') + errorTail(number, description);
}

QString subscriptDescription(int gpno)
{
    return QStringLiteral("インデックスが有効範囲にありません。 (GPno=%1)").arg(gpno);
}

QString startupFailure(int number, const QString &description)
{
    return QStringLiteral("スケジュール管理実行に失敗しました。") + errorTail(number, description);
}

QString timerFailure(int number, const QString &description)
{
    return QStringLiteral("スケジュールエラー") + errorTail(number, description);
}

} // namespace runner::texts
