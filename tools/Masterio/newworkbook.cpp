#include "tools/Masterio/newworkbook.h"

#include <QFile>

#include <xlsxwriter.h>

namespace masterio {

bool writeNewWorkbook(const QString &path, const QList<SheetContent> &sheets, QString *error)
{
    lxw_workbook *workbook = workbook_new(QFile::encodeName(path).constData());
    if (!workbook) {
        *error = QStringLiteral("%1 を作成出来ません。").arg(path);
        return false;
    }
    lxw_error failure = LXW_NO_ERROR;
    for (const SheetContent &content : sheets) {
        lxw_worksheet *sheet = workbook_add_worksheet(workbook, content.name.toUtf8().constData());
        if (!sheet) {
            failure = LXW_ERROR_SHEETNAME_ALREADY_USED;
            break;
        }
        // The name columns wide enough for their usual texts.
        worksheet_set_column(sheet, 1, 1, 32, nullptr);
        for (int r = 0; r < content.rows.size() && failure == LXW_NO_ERROR; ++r) {
            const QVariantList &row = content.rows.at(r);
            for (int c = 0; c < row.size() && failure == LXW_NO_ERROR; ++c) {
                const QVariant &v = row.at(c);
                switch (v.typeId()) {
                case QMetaType::UnknownType:
                    break;
                case QMetaType::Bool:
                    failure = worksheet_write_boolean(sheet, lxw_row_t(r), lxw_col_t(c), v.toBool(), nullptr);
                    break;
                case QMetaType::Double:
                case QMetaType::Float:
                case QMetaType::Int:
                case QMetaType::LongLong:
                    failure = worksheet_write_number(sheet, lxw_row_t(r), lxw_col_t(c), v.toDouble(), nullptr);
                    break;
                default:
                    failure = worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c),
                                                     v.toString().toUtf8().constData(), nullptr);
                    break;
                }
            }
        }
    }
    const lxw_error closed = workbook_close(workbook); // writes the file and frees the workbook
    if (failure == LXW_NO_ERROR)
        failure = closed;
    if (failure != LXW_NO_ERROR) {
        *error = QStringLiteral("%1: %2").arg(path, QString::fromUtf8(lxw_strerror(failure)));
        return false;
    }
    return true;
}

} // namespace masterio
