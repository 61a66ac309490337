#pragma once

#include "tools/common/sitetool.h"

#include <QString>

class QWidget;

namespace upgrader {

// The texts Upgrader shows.
namespace text {
inline const QString Title = QStringLiteral("Tavo7 DB -> Tavo10 DBコンバート");
inline const QString Hint = QStringLiteral("初期状態のデータベースが無い場合はCD内にある初期DBをコピーしておいて下さい。");
inline const QString ProposedName = QStringLiteral("Sch.mdb");
inline const QString NoOldDatabase = QStringLiteral("Sch.mdbを指定して下さい");
inline const QString Confirm = QStringLiteral("Tavo7のDB(Sch.mdb)関連のコンバートを実行します よろしいですか？");
inline const QString Done = QStringLiteral("Sch.mdbのコンバートが完了しました。");
inline const QString Error = QStringLiteral("Sch.mdbのコンバートエラー ");
inline const QString Unchanged = QStringLiteral("データベースは変更していません。");
} // namespace text

// Upgrader's one function, the same for the form and the command line: the
// previous release's Sch.mdb into the program folder's database.  The new
// database is made from the schema when there is none.  When its tables
// already hold rows, the operator is asked (with the counts) whether to
// replace them, with askToStart off too; the conversion runs in one
// transaction, so a failure leaves the database as it was.
class Upgrader : public tools::SiteTool
{
public:
    explicit Upgrader(console::MessageBoxes &boxes, const QString &programFolder = QString());

    // True only when the conversion was done.
    bool convert(const QString &oldPath, QWidget *parent = nullptr);

private:
    bool fail(QWidget *parent, const QString &why);
};

} // namespace upgrader
