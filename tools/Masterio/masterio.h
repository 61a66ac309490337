#pragma once

#include "tools/common/sitetool.h"

#include <QString>

#include <functional>

class QWidget;

namespace masterio {

// The texts Masterio shows.
namespace text {
inline const QString Title = QStringLiteral("Tavo10DB展開画面");
inline const QString ProposedName = QStringLiteral("Tavo10DB情報.xlsx");
inline const QString TemplateName = QStringLiteral("Tavo10DB_原紙.xlsx");
inline const QString NoWorkbook = QStringLiteral("Tavo10DB情報.xlsxを指定して下さい");
inline const QString ConfirmImport = QStringLiteral("指定されたTavo10DB情報をデータベースへ展開します。 よろしいですか？");
inline const QString SpreadsheetOpen = QStringLiteral("EXCELが立ち上がっている為、出力出来ません。");
inline const QString ImportDone = QStringLiteral("Tavo10DB情報の展開が完了しました。");
inline const QString ImportError = QStringLiteral("Tavo10DB情報の展開エラー ｴﾗｰ番号 ");
inline const QString ExportDone = QStringLiteral("Tavo10DB情報のXLS出力が完了しました。");
inline const QString ExportError = QStringLiteral("Tavo10DB情報のXLS出力エラー");
inline const QString NoCsv = QStringLiteral("ﾏｽﾀｰ情報.csvを指定して下さい");
inline const QString ConfirmCsv = QStringLiteral("指定されたﾏｽﾀｰ情報をデータベースへ展開します。 よろしいですか？");
inline const QString CsvError = QStringLiteral("ﾏｽﾀｰ情報の展開エラー ｴﾗｰ番号 ");
} // namespace text

// Masterio's three functions with their questions and messages, the same for
// the form and the command line.  Each returns true only when it did its
// work; every outcome is told through the message boxes.  The imports ask
// whether to go on unless askToStart is off.
class Masterio : public tools::SiteTool
{
public:
    explicit Masterio(console::MessageBoxes &boxes, const QString &programFolder = QString());

    // Replaces GroupMaster and KikiMaster with the workbook's sheets.
    bool importWorkbook(const QString &path, QWidget *parent = nullptr);
    // Writes GroupMaster and KikiMaster into a workbook at path (from the
    // template when the program folder has one).
    bool exportWorkbook(const QString &path, QWidget *parent = nullptr);
    // Writes the CSV master list into M_TAG of the reporting database.  Its
    // completion shows no message.
    bool importTagCsv(const QString &path, QWidget *parent = nullptr);

    QString templatePath() const;
    QString repbookPath() const;

    // Called before the import's question (the form leaves the top-most
    // position there).
    std::function<void()> beforeImportQuestion;
};

} // namespace masterio
