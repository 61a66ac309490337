#include "console/maintenance/frmreserve.h"

#include "chart/ganttline.h"
#include "console/common/consolestate.h"
#include "console/common/messageboxes.h"
#include "console/maintenance/reservecheck.h"
#include "platform/clock.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace console {
namespace {

QComboBox *timeBox(QWidget *parent, const char *name)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setMaxVisibleItems(12);
    box->setMinimumWidth(64);
    return box;
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

void fillBox(QComboBox *box, int count)
{
    box->clear();
    for (int n = 0; n < count; ++n)
        box->addItem(twoDigits(n));
    box->setCurrentIndex(-1);
}

} // namespace

FrmReserve::FrmReserve(ConsoleState &state, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
{
    setObjectName(QStringLiteral("frmReserve"));
    setModal(true);

    lblRoomName = new QLabel(this);
    lblRoomName->setObjectName(QStringLiteral("lblRoomName"));
    lblRoomName->setFrameShape(QFrame::Panel);
    lblRoomName->setFrameShadow(QFrame::Sunken);
    lblRoomName->setMinimumHeight(28);
    lblRoomName->setAlignment(Qt::AlignCenter);
    QFont nameFont = lblRoomName->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.2);
    nameFont.setBold(true);
    lblRoomName->setFont(nameFont);

    cboSH = timeBox(this, "cboSH");
    cboSM = timeBox(this, "cboSM");
    cboEH = timeBox(this, "cboEH");
    cboEM = timeBox(this, "cboEM");

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdOK, &QPushButton::clicked, this, &FrmReserve::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &FrmReserve::cmdCancel_Click);

    auto *times = new QGridLayout;
    times->setHorizontalSpacing(8);
    times->setVerticalSpacing(10);
    const auto caption = [this](const QString &text) { return new QLabel(text, this); };
    times->addWidget(caption(QStringLiteral("開始時刻")), 0, 0);
    times->addWidget(cboSH, 0, 1);
    times->addWidget(caption(QStringLiteral("時")), 0, 2);
    times->addWidget(cboSM, 0, 3);
    times->addWidget(caption(QStringLiteral("分")), 0, 4);
    times->addWidget(caption(QStringLiteral("終了時刻")), 1, 0);
    times->addWidget(cboEH, 1, 1);
    times->addWidget(caption(QStringLiteral("時")), 1, 2);
    times->addWidget(cboEM, 1, 3);
    times->addWidget(caption(QStringLiteral("分")), 1, 4);
    times->setColumnStretch(5, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(14);
    layout->addWidget(lblRoomName);
    layout->addLayout(times);
    layout->addLayout(buttons);
    setMinimumWidth(320);

    Form_Load();
}

void FrmReserve::Form_Load()
{
    fillBox(cboSH, 24);
    fillBox(cboEH, 24);
    fillBox(cboSM, 60);
    fillBox(cboEM, 60);
}

void FrmReserve::fill(const QString &caption, const QString &roomName, const QTime &start, const QTime &end)
{
    setWindowTitle(caption);
    lblRoomName->setText(roomName);
    if (start.isValid()) {
        cboSH->setCurrentIndex(start.hour());
        cboSM->setCurrentIndex(start.minute());
    }
    if (end.isValid()) {
        cboEH->setCurrentIndex(end.hour());
        cboEM->setCurrentIndex(end.minute());
    }
}

bool FrmReserve::ask(ConsoleState &state, QWidget *parent, const QString &caption, const QString &roomName,
                     const QTime &start, const QTime &end)
{
    FrmReserve dialog(state, parent);
    dialog.fill(caption, roomName, start, end);
    dialog.exec();
    return state.ReserveOK;
}

int FrmReserve::exec()
{
    // No answer from an earlier use survives this one (a window closed by its
    // frame counts as cancelled).
    m_state.ReserveOK = false;
    return QDialog::exec();
}

void FrmReserve::cmdOK_Click()
{
    ReserveRequest request;
    request.mode = m_state.ReserveMode;
    request.startHour = cboSH->currentText();
    request.startMinute = cboSM->currentText();
    request.endHour = cboEH->currentText();
    request.endMinute = cboEM->currentText();
    request.chart = m_state.ReserveChart ? m_state.ReserveChart->model() : nullptr;
    if (m_state.ReserveOwner) {
        request.curIndex = m_state.ReserveOwner->curIndex();
        request.curPieceNo = m_state.ReserveOwner->curPieceNo();
    }
    request.refusePast = m_state.ReserveFromDayChart && m_state.ReserveOwner && m_state.ReserveOwner->showsToday();
    request.now = platform::clock::now().time();

    const ReserveVerdict verdict = checkReserve(request);
    if (!verdict.refusal.isEmpty()) {
        m_state.ReserveOK = false;
        m_state.messages().inform(this, verdict.refusal, verdict.systemModal);
        return;
    }
    if (!verdict.accepted)
        return;
    m_state.ReserveStart = verdict.start;
    m_state.ReserveEnd = verdict.end;
    m_state.ReserveOK = true;
    accept();
}

void FrmReserve::cmdCancel_Click()
{
    reject();
}

void FrmReserve::reject()
{
    m_state.ReserveOK = false;
    QDialog::reject();
}

} // namespace console
