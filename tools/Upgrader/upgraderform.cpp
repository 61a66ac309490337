#include "tools/Upgrader/upgraderform.h"

#include "tools/Upgrader/upgrader.h"
#include "tools/common/toolform.h"

#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace upgrader {

UpgraderForm::UpgraderForm(Upgrader &upgrader, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_upgrader(upgrader)
{
    setObjectName(QStringLiteral("frmUpgrader"));
    setWindowTitle(text::Title);

    auto *hint = new QLabel(text::Hint, this);
    hint->setObjectName(QStringLiteral("Label1"));
    hint->setWordWrap(true);
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("Text1"));
    m_path->setMinimumWidth(380);
    using tools::formButton;
    auto *browseButton = formButton(this, "Command4", QStringLiteral("参照"), &UpgraderForm::browse);
    auto *convertButton =
        formButton(this, "Command1", QStringLiteral("Sch.mdbのコンバート実行"), &UpgraderForm::runConversion);
    auto *endButton = formButton(this, "Command3", QStringLiteral("END"), &UpgraderForm::close);

    auto *grid = new QGridLayout(this);
    grid->addWidget(hint, 0, 0, 1, 3);
    grid->addWidget(m_path, 1, 0, 1, 2);
    grid->addWidget(browseButton, 1, 2);
    grid->addWidget(convertButton, 2, 0);
    grid->addWidget(endButton, 2, 2);
    grid->setColumnStretch(1, 1);

    upgrader.busy = tools::showWaitCursor;
}

void UpgraderForm::browse()
{
    QString path;
    if (chooseFile) {
        path = chooseFile(text::ProposedName);
    } else {
        const QString start = m_path->text().trimmed().isEmpty() ? QDir::home().filePath(text::ProposedName)
                                                                 : m_path->text().trimmed();
        path = QFileDialog::getOpenFileName(this, text::Title, start,
                                            QStringLiteral("Access データベース (*.mdb *.accdb);;すべてのファイル (*)"));
    }
    if (!path.isEmpty())
        m_path->setText(QDir::toNativeSeparators(path));
}

void UpgraderForm::runConversion()
{
    m_upgrader.convert(m_path->text(), this);
}

} // namespace upgrader
