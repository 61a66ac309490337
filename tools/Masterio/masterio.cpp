#include "tools/Masterio/masterio.h"

#include "tools/Masterio/masterexport.h"
#include "tools/Masterio/masterimport.h"
#include "tools/Masterio/repbook.h"
#include "tools/Masterio/spreadsheetlock.h"
#include "tools/Masterio/tagcsv.h"

#include "console/common/messageboxes.h"
#include "store/database.h"

#include <QDir>
#include <QFileInfo>

namespace masterio {
namespace {

// Keeps the wait cursor on for the work and off for the message that follows.
class BusyScope
{
public:
    explicit BusyScope(const std::function<void(bool)> &busy)
        : m_busy(busy)
    {
        if (m_busy)
            m_busy(true);
    }
    ~BusyScope() { end(); }
    void end()
    {
        if (m_busy && !m_ended)
            m_busy(false);
        m_ended = true;
    }

private:
    const std::function<void(bool)> &m_busy;
    bool m_ended = false;
};

QString numbered(const QString &prefix, const Failure &f)
{
    return prefix + QString::number(f.number) + QLatin1Char(':') + f.description;
}

} // namespace

Masterio::Masterio(console::MessageBoxes &boxes, const QString &programFolder)
    : SiteTool(boxes, programFolder)
{
}

QString Masterio::templatePath() const { return QDir(m_programFolder).filePath(text::TemplateName); }
QString Masterio::repbookPath() const { return masterio::repbookPath(m_programFolder); }

bool Masterio::importWorkbook(const QString &path, QWidget *parent)
{
    if (path.trimmed().isEmpty()) {
        m_boxes.inform(parent, text::NoWorkbook);
        return false;
    }
    if (beforeImportQuestion)
        beforeImportQuestion();
    if (askToStart && !m_boxes.confirm(parent, text::ConfirmImport))
        return false;

    BusyScope busy(this->busy);
    if (isOpenInSpreadsheet(path)) {
        busy.end();
        m_boxes.inform(parent, text::SpreadsheetOpen);
        return false;
    }
    Failure failure;
    MasterData data;
    bool ok = readMasterWorkbook(path, &data, &failure);
    if (ok) {
        store::Database db(databasePath());
        if (!db.open())
            failure = {db.lastErrorNumber(), db.lastError()};
        ok = db.isOpen() && replaceMasters(db, data, &failure);
    }
    busy.end();
    if (!ok) {
        m_boxes.inform(parent, numbered(text::ImportError, failure));
        return false;
    }
    m_boxes.inform(parent, text::ImportDone);
    return true;
}

bool Masterio::exportWorkbook(const QString &path, QWidget *parent)
{
    if (path.trimmed().isEmpty())
        return false; // the save dialog was cancelled
    const QString templateFile = templatePath();
    const bool fromTemplate = QFileInfo(templateFile).isFile();

    BusyScope busy(this->busy);
    if (isOpenInSpreadsheet(path) || (fromTemplate && isOpenInSpreadsheet(templateFile))) {
        busy.end();
        m_boxes.inform(parent, text::SpreadsheetOpen);
        return false;
    }
    QString error;
    MasterData data;
    {
        store::Database db(databasePath());
        Failure failure;
        if (!db.open())
            error = db.lastError();
        else if (!readMasters(db, &data, &failure))
            error = failure.description;
    } // closed before the workbook is written
    if (error.isEmpty())
        writeMasterWorkbook(path, fromTemplate ? templateFile : QString(), data, &error);
    busy.end();
    if (!error.isEmpty()) {
        m_boxes.inform(parent, text::ExportError + QLatin1Char('\n') + error);
        return false;
    }
    m_boxes.inform(parent, text::ExportDone);
    return true;
}

bool Masterio::importTagCsv(const QString &path, QWidget *parent)
{
    if (path.trimmed().isEmpty()) {
        m_boxes.inform(parent, text::NoCsv);
        return false;
    }
    if (askToStart && !m_boxes.confirm(parent, text::ConfirmCsv))
        return false;

    BusyScope busy(this->busy);
    Failure failure;
    QList<TagRecord> records;
    const bool ok = readTagCsv(path, &records, &failure) && writeTagRecords(repbookPath(), records, &failure);
    busy.end();
    if (!ok) {
        m_boxes.inform(parent, numbered(text::CsvError, failure));
        return false;
    }
    return true;
}

} // namespace masterio
