#include "console/maintenance/frmtag2.h"

#include "console/common/consolestate.h"
#include "console/common/messageboxes.h"
#include "console/maintenance/flexgrid.h"
#include "console/maintenance/keyfilter.h"
#include "store/catalogue.h"
#include "taglink/taglink.h"
#include "taglink/taglinkmodel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace console {

namespace {

enum Column { MarkerColumn, TagColumn, NameColumn, StartColumn, EndColumn };
enum Box { TagBox, NameBox, StartBox, EndBox };

const QString Marker = QStringLiteral("⇒");
const QString SaveFailed = QStringLiteral("登録出来ませんでした。KikiNameを確認して下さい。");

// A value box's text as a number: decimal, optional sign; false when it is not one.
bool numeric(const QString &text, double *value)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

} // namespace

FrmTag2::FrmTag2(ConsoleState &state, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_devices(state.database())
{
    buildForm();
    fillGrid();
}

FrmTag2::~FrmTag2() = default;

void FrmTag2::buildForm()
{
    setObjectName(QStringLiteral("frmTag2"));
    setWindowTitle(QStringLiteral("タグ設定"));

    MSFlexGrid1 = new FlexGrid(this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setColumns({QString(), QStringLiteral("TAG"), QStringLiteral("KikiName"), QStringLiteral("StartValue"),
                             QStringLiteral("EndValue")},
                            {300, 4100, 4100, 1200, 1200});
    MSFlexGrid1->setMinimumSize(MSFlexGrid1->contentWidth(), 340);
    connect(MSFlexGrid1, &QTableWidget::cellPressed, this, [this](int row, int) { MSFlexGrid1_MouseDown(row); });

    const char *captions[4] = {"TAG", "KikiName", "StartValue", "EndValue"};
    auto *boxes = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        lblLabels[i] = new QLabel(QString::fromLatin1(captions[i]), this);
        lblLabels[i]->setObjectName(QStringLiteral("lblLabels_%1").arg(i));
        txtFields[i] = new QLineEdit(this);
        txtFields[i]->setObjectName(QStringLiteral("txtFields_%1").arg(i));
        boxes->addWidget(lblLabels[i], i < 2 ? i : i - 2, i < 2 ? 0 : 2);
        boxes->addWidget(txtFields[i], i < 2 ? i : i - 2, i < 2 ? 1 : 3);
    }
    boxes->setColumnStretch(1, 3);
    boxes->setColumnStretch(3, 1);
    for (int i : {StartBox, EndBox}) {
        KeyFilter::install(txtFields[i], QStringLiteral("0123456789-."));
        txtFields[i]->setAlignment(Qt::AlignRight);
    }

    cmdUpdate = new QPushButton(QStringLiteral("登録"), this);
    cmdUpdate->setObjectName(QStringLiteral("cmdUpdate"));
    CmdDelete = new QPushButton(QStringLiteral("削除"), this);
    CmdDelete->setObjectName(QStringLiteral("CmdDelete"));
    cmdAIMaxGet = new QPushButton(QStringLiteral("機器名称取得"), this);
    cmdAIMaxGet->setObjectName(QStringLiteral("cmdAIMaxGet"));
    cmdAIMaxGet->setToolTip(QStringLiteral("TAGのコメントを機器名称として取得します。"));
    cmdClose = new QPushButton(QStringLiteral("閉じる"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    for (QPushButton *b : {cmdUpdate, CmdDelete, cmdAIMaxGet, cmdClose}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(96);
    }
    connect(cmdUpdate, &QPushButton::clicked, this, &FrmTag2::cmdUpdate_Click);
    connect(CmdDelete, &QPushButton::clicked, this, &FrmTag2::CmdDelete_Click);
    connect(cmdAIMaxGet, &QPushButton::clicked, this, &FrmTag2::cmdAIMaxGet_Click);
    connect(cmdClose, &QPushButton::clicked, this, &FrmTag2::cmdClose_Click);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdUpdate);
    buttons->addWidget(CmdDelete);
    buttons->addWidget(cmdAIMaxGet);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(MSFlexGrid1, 1);
    layout->addLayout(boxes);
    layout->addLayout(buttons);
}

void FrmTag2::fillGrid()
{
    const QList<DeviceRow> devices = m_devices.devices();
    MSFlexGrid1->setUpdatesEnabled(false);
    MSFlexGrid1->clearContents();
    MSFlexGrid1->setRowCount(int(devices.size()));
    for (int r = 0; r < devices.size(); ++r) {
        const DeviceRow &d = devices.at(r);
        MSFlexGrid1->setText(r, MarkerColumn, QString());
        MSFlexGrid1->setText(r, TagColumn, d.tag);
        MSFlexGrid1->setText(r, NameColumn, d.name);
        MSFlexGrid1->setText(r, StartColumn, store::sql::number(d.startValue));
        MSFlexGrid1->setText(r, EndColumn, store::sql::number(d.endValue));
        for (int c : {StartColumn, EndColumn})
            MSFlexGrid1->item(r, c)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    // The row of the device name in the box becomes the current row again.
    m_row = -1;
    for (int r = 0; r < MSFlexGrid1->rowCount(); ++r) {
        if (MSFlexGrid1->text(r, NameColumn) == txtFields[NameBox]->text()) {
            m_row = r;
            copyRow(r);
            MSFlexGrid1->setText(r, MarkerColumn, Marker);
            MSFlexGrid1->setCurrentCell(r, TagColumn);
            break;
        }
    }
    MSFlexGrid1->setUpdatesEnabled(true);
}

void FrmTag2::copyRow(int row)
{
    for (int i = 0; i < 4; ++i)
        txtFields[i]->setText(MSFlexGrid1->text(row, TagColumn + i));
}

void FrmTag2::markRow(int row)
{
    for (int r = 0; r < MSFlexGrid1->rowCount(); ++r)
        MSFlexGrid1->setText(r, MarkerColumn, r == row ? Marker : QString());
}

void FrmTag2::MSFlexGrid1_MouseDown(int row)
{
    if (row < 0 || row >= MSFlexGrid1->rowCount())
        return;
    m_row = row;
    copyRow(row);
    markRow(row);
    MSFlexGrid1->setCurrentCell(row, TagColumn);
}

DeviceRow FrmTag2::entered() const
{
    DeviceRow d{txtFields[TagBox]->text(), txtFields[NameBox]->text(), 0, 0};
    numeric(txtFields[StartBox]->text(), &d.startValue);
    numeric(txtFields[EndBox]->text(), &d.endValue);
    return d;
}

bool FrmTag2::checksRefuse()
{
    double value = 0;
    QString refusal;
    if (txtFields[TagBox]->text().isEmpty())
        refusal = QStringLiteral("TAGを入力して下さい");
    else if (txtFields[NameBox]->text().isEmpty())
        refusal = QStringLiteral("KikiNameを入力して下さい");
    else if (!numeric(txtFields[StartBox]->text(), &value))
        refusal = QStringLiteral("StartValueが正しくありません。");
    else if (!numeric(txtFields[EndBox]->text(), &value))
        refusal = QStringLiteral("EndValueが正しくありません。");
    else if (txtFields[NameBox]->text().contains(QLatin1Char('\'')))
        refusal = QStringLiteral("KikiNameに ' を入れる事は出来ません。");
    else if (txtFields[TagBox]->text().contains(QLatin1Char('\'')))
        refusal = QStringLiteral("TAGに ' を入れる事は出来ません。");
    if (refusal.isEmpty())
        return false;
    m_state.messages().inform(this, refusal, false);
    return true;
}

void FrmTag2::cmdUpdate_Click()
{
    if (checksRefuse())
        return;
    const DeviceRow device = entered();
    bool stored = true;
    if (m_devices.isEmpty()) {
        if (m_state.messages().confirm(this, QStringLiteral("タグを追加します よろしいですか？"), false))
            stored = m_devices.add(device);
    } else if (m_devices.findByTag(device.tag)) {
        // The tag is the key: an existing tag is updated, its name not tested.
        if (m_state.messages().confirm(this, QStringLiteral("タグを更新します よろしいですか？"), false))
            stored = m_devices.update(device);
    } else if (m_devices.nameExists(device.name)) {
        m_state.messages().inform(this, QStringLiteral("同じKikiNameが存在します。"), false);
        return;
    } else if (m_state.messages().confirm(this, QStringLiteral("タグを追加します よろしいですか？"), false)) {
        stored = m_devices.add(device);
    }
    if (!stored) {
        // The boxes keep what the operator typed.
        m_state.messages().inform(this, SaveFailed, false);
        return;
    }
    fillGrid();
}

void FrmTag2::CmdDelete_Click()
{
    if (!m_state.messages().confirm(this, QStringLiteral("選択タグを削除します。よろしいですか？"), false))
        return;
    if (!m_devices.remove(txtFields[TagBox]->text())) {
        const QString error = m_devices.lastError();
        m_state.messages().inform(this,
                                  QStringLiteral("タグを削除出来ませんでした。")
                                      + (error.isEmpty() ? QString() : QLatin1Char('\n') + error),
                                  false);
    }
    fillGrid();
}

Taglink *FrmTag2::tagLink()
{
    if (m_state.Taglink1)
        return m_state.Taglink1;
    if (!m_ownLink) {
        m_ownLink = new Taglink(this);
        m_ownLink->setObjectName(QStringLiteral("Taglink1"));
        m_ownLink->hide();
    }
    return m_ownLink;
}

void FrmTag2::cmdAIMaxGet_Click()
{
    const QString tag = txtFields[TagBox]->text();
    if (tag.isEmpty()) {
        m_state.messages().inform(this, QStringLiteral("タグ名を入力して下さい"), false);
        return;
    }
    // One synchronous read of the tag's comment: open, read, close.
    taglink::TaglinkModel *link = tagLink()->model();
    const QString item = tag + QStringLiteral("$CMT");
    link->setTagList(item);
    const bool opened = link->Open();
    const QVariant comment = opened ? link->PLCTagValue(item) : QVariant();
    link->Close();
    // A tag the plant does not know reads as a number (the not-readable mark).
    if (!opened || comment.typeId() != QMetaType::QString) {
        m_state.messages().inform(this, QStringLiteral("情報が取得できませんでした"), false);
        return;
    }
    txtFields[NameBox]->setText(comment.toString().trimmed());
}

void FrmTag2::cmdClose_Click()
{
    accept();
}

} // namespace console
