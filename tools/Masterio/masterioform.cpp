#include "tools/Masterio/masterioform.h"

#include "tools/Masterio/masterio.h"
#include "tools/common/toolform.h"

#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace masterio {

MasterioForm::MasterioForm(Masterio &masterio, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
    , m_masterio(masterio)
{
    setObjectName(QStringLiteral("frmMasterio"));
    setWindowTitle(text::Title);

    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("txtBackDbPath"));
    m_path->setMinimumWidth(360);
    using tools::formButton;
    auto *browseButton = formButton(this, "cmdSansyo", QStringLiteral("参照"), &MasterioForm::browse);
    auto *importButton = formButton(this, "Command3", QStringLiteral("展開実行"), &MasterioForm::runImport);
    auto *exportButton =
        formButton(this, "Command4", QStringLiteral("Tavo10DB情報.xlsファイルの作成"), &MasterioForm::runExport);
    auto *csvButton = formButton(this, "Command1", QStringLiteral("CSV展開実行"), &MasterioForm::runCsv);
    auto *closeButton = formButton(this, "Command2", QStringLiteral("終了"), &MasterioForm::close);

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_path, 0, 0, 1, 2);
    grid->addWidget(browseButton, 0, 2);
    grid->addWidget(importButton, 1, 0);
    grid->addWidget(csvButton, 1, 1);
    grid->addWidget(exportButton, 2, 0, 1, 2);
    grid->addWidget(closeButton, 2, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    masterio.beforeImportQuestion = [this] {
        if (windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
            const bool shown = isVisible();
            setWindowFlag(Qt::WindowStaysOnTopHint, false);
            if (shown)
                show();
        }
    };
    masterio.busy = tools::showWaitCursor;
}

QString MasterioForm::askForFile(const QString &proposedName, bool confirmOverwrite)
{
    if (chooseFile)
        return chooseFile(proposedName);
    const QString start = m_path->text().trimmed().isEmpty() ? QDir::home().filePath(proposedName)
                                                             : m_path->text().trimmed();
    return QFileDialog::getSaveFileName(this, text::Title, start,
                                        QStringLiteral("Excel ブック (*.xlsx);;CSV (*.csv);;すべてのファイル (*)"),
                                        nullptr,
                                        confirmOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite);
}

void MasterioForm::browse()
{
    const QString path = askForFile(text::ProposedName, false);
    if (!path.isEmpty())
        m_path->setText(QDir::toNativeSeparators(path));
}

void MasterioForm::runImport()
{
    // A completed import ends the program.
    if (m_masterio.importWorkbook(m_path->text().trimmed(), this))
        close();
}

void MasterioForm::runExport()
{
    const QString path = askForFile(text::ProposedName, true);
    if (!path.isEmpty())
        m_masterio.exportWorkbook(path, this);
}

void MasterioForm::runCsv()
{
    m_masterio.importTagCsv(m_path->text().trimmed(), this);
}

} // namespace masterio
