#include "console/maintenance/frmmain.h"

#include "automation/variantconventions.h"
#include "chart/chartmodel.h"
#include "chart/ganttconstants.h"
#include "chart/ganttline.h"
#include "clock/tickface.h"
#include "clock/tickfaceconstants.h"
#include "clock/tickfacemodel.h"
#include "console/common/frameplacement.h"
#include "console/common/messageboxes.h"
#include "console/maintenance/chartpieces.h"
#include "console/maintenance/dayreflect.h"
#include "console/maintenance/daymemos.h"
#include "console/maintenance/frmreserve.h"
#include "console/maintenance/piececlock.h"
#include "console/maintenance/reservationrows.h"
#include "console/maintenance/reservetexts.h"
#include "platform/clock.h"
#include "store/catalogue.h"
#include "store/database.h"
#include "store/daycode.h"
#include "store/recordset.h"
#include "store/settings.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace console {
namespace {

constexpr int TwipsPerPixel = 15;

// A settings text that is a whole number, else nothing.
std::optional<int> numeric(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

FrmMain::FrmMain(ConsoleState &state, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
{
    buildForm();
    Form_Load();
}

FrmMain::~FrmMain()
{
    // The dialog's hand-over never points at a form that is gone.
    if (m_state.ReserveOwner == this)
        m_state.clearReserveCaller();
}

chart::ChartModel &FrmMain::chartModel() const
{
    return *Ganttline1->model();
}

void FrmMain::buildForm()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("マスタースケジュール"));
    setModal(true);

    auto *groupCaption = new QLabel(QStringLiteral("グループ名称"), this);
    DBCombo1 = new QComboBox(this);
    DBCombo1->setObjectName(QStringLiteral("DBCombo1"));
    DBCombo1->setMinimumWidth(260);
    DBCombo1->setMaxVisibleItems(20);
    connect(DBCombo1, &QComboBox::activated, this, [this] { DBCombo1_Click(); });
    auto *numberCaption = new QLabel(QStringLiteral("グループ番号"), this);
    GPLabel = new QLabel(this);
    GPLabel->setObjectName(QStringLiteral("GPLabel"));
    GPLabel->setFrameShape(QFrame::Panel);
    GPLabel->setFrameShadow(QFrame::Sunken);
    GPLabel->setMinimumWidth(56);
    GPLabel->setFixedHeight(DBCombo1->sizeHint().height());
    GPLabel->setAlignment(Qt::AlignCenter);

    Tickface3 = new Tickface(this);
    Tickface3->setObjectName(QStringLiteral("Tickface3"));
    Tickface3->model()->setClockType(tickface::TkfDigital);
    Tickface3->model()->setShowDate(true);
    Tickface3->model()->setDateFormat(QStringLiteral("yyyy'年'M'月'd'日'"));
    Tickface3->model()->setTimeFormat(QStringLiteral("H:mm:ss"));
    Tickface3->setFixedSize(200, 56);
    Tickface3->setToolTip(QStringLiteral("ダブルクリック：全グループを本日・翌日に反映"));
    connect(Tickface3->model(), &TickfaceModel::DblClick, this, &FrmMain::Tickface3_DblClick);

    Ganttline1 = new Ganttline(this);
    Ganttline1->setObjectName(QStringLiteral("Ganttline1"));
    chart::ChartModel *chart = Ganttline1->model();
    chart->setCaption(QStringLiteral("曜日"));
    chart->setScaleInterval(1);
    connect(chart, &chart::ChartModel::ItemClick, this, &FrmMain::ItemClick);
    connect(chart, &chart::ChartModel::PieceClick, this, &FrmMain::PieceClick);
    connect(chart, &chart::ChartModel::AddPieceUI, this, &FrmMain::AddPieceUI);
    connect(chart, &chart::ChartModel::MovePieceUI, this, &FrmMain::MovePieceUI);
    connect(chart, &chart::ChartModel::MovedPieceUI, this, &FrmMain::MovedPieceUI);
    connect(chart, &chart::ChartModel::RemovePieceUI, this, &FrmMain::RemovePieceUI);

    // The detail panel of the chosen reservation.
    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameShape(QFrame::StyledPanel);
    Picture1->setFrameShadow(QFrame::Raised);
    auto *clocks = new QGridLayout;
    const QString clockCaptions[2] = {QStringLiteral("開始時刻"), QStringLiteral("終了時刻")};
    for (int i = 0; i < 2; ++i) {
        auto *caption = new QLabel(clockCaptions[i], Picture1);
        caption->setAlignment(Qt::AlignCenter);
        Tickface1[i] = new Tickface(Picture1);
        Tickface1[i]->setObjectName(QStringLiteral("Tickface1_%1").arg(i));
        Tickface1[i]->setFixedSize(120, 120);
        preparePieceClock(Tickface1[i]);
        lblTime[i] = new QLabel(Picture1);
        lblTime[i]->setObjectName(QStringLiteral("lblTime_%1").arg(i));
        lblTime[i]->setAlignment(Qt::AlignCenter);
        lblTime[i]->setMinimumHeight(24);
        clocks->addWidget(caption, 0, i);
        clocks->addWidget(Tickface1[i], 1, i, Qt::AlignHCenter);
        clocks->addWidget(lblTime[i], 2, i);
    }
    CmdMovePiece[0] = new QPushButton(QStringLiteral("<< BACK"), Picture1);
    CmdMovePiece[1] = new QPushButton(QStringLiteral("NEXT >>"), Picture1);
    for (int i = 0; i < 2; ++i) {
        CmdMovePiece[i]->setObjectName(QStringLiteral("CmdMovePiece_%1").arg(i));
        connect(CmdMovePiece[i], &QPushButton::clicked, this, [this, i] { CmdMovePiece_Click(i); });
    }
    LblMovePiece = new QLabel(Picture1);
    LblMovePiece->setObjectName(QStringLiteral("LblMovePiece"));
    LblMovePiece->setAlignment(Qt::AlignCenter);
    LblMovePiece->setFrameShape(QFrame::Panel);
    LblMovePiece->setFrameShadow(QFrame::Sunken);
    LblMovePiece->setMinimumWidth(40);
    auto *stepping = new QHBoxLayout;
    stepping->addWidget(CmdMovePiece[0]);
    stepping->addWidget(LblMovePiece);
    stepping->addWidget(CmdMovePiece[1]);
    CmdChenge = new QPushButton(QStringLiteral("予約を変更"), Picture1);
    CmdChenge->setObjectName(QStringLiteral("CmdChenge"));
    connect(CmdChenge, &QPushButton::clicked, this, &FrmMain::CmdChenge_Click);
    CmdDelete = new QPushButton(QStringLiteral("予約を削除"), Picture1);
    CmdDelete->setObjectName(QStringLiteral("CmdDelete"));
    connect(CmdDelete, &QPushButton::clicked, this, &FrmMain::CmdDelete_Click);
    auto *editing = new QHBoxLayout;
    editing->addWidget(CmdChenge);
    editing->addWidget(CmdDelete);
    auto *panel = new QVBoxLayout(Picture1);
    panel->addLayout(clocks);
    panel->addSpacing(6);
    panel->addLayout(stepping);
    panel->addSpacing(6);
    panel->addLayout(editing);
    panel->addStretch();
    Picture1->setFixedWidth(290);

    CmdReflect = new QPushButton(QStringLiteral("本日・翌日に反映"), this);
    CmdReflect->setObjectName(QStringLiteral("CmdReflect"));
    connect(CmdReflect, &QPushButton::clicked, this, &FrmMain::CmdReflect_Click);
    cmdCopy = new QPushButton(QStringLiteral("スケジュールコピー"), this);
    cmdCopy->setObjectName(QStringLiteral("cmdCopy"));
    connect(cmdCopy, &QPushButton::clicked, this, &FrmMain::cmdCopy_Click);
    cmdClose = new QPushButton(QStringLiteral("閉じる"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdClose, &QPushButton::clicked, this, &FrmMain::cmdClose_Click);
    for (QPushButton *b : {CmdReflect, cmdCopy, cmdClose})
        b->setMinimumSize(150, 34);

    auto *top = new QHBoxLayout;
    top->addWidget(groupCaption);
    top->addWidget(DBCombo1);
    top->addSpacing(16);
    top->addWidget(numberCaption);
    top->addWidget(GPLabel);
    top->addStretch();
    top->addWidget(Tickface3);
    auto *middle = new QHBoxLayout;
    middle->addWidget(Ganttline1, 1);
    middle->addWidget(Picture1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(CmdReflect);
    bottom->addWidget(cmdCopy);
    bottom->addStretch();
    bottom->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);
}

void FrmMain::placeWindow()
{
    const store::Settings &settings = m_state.settings();
    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry()
                                                          : QRect(0, 0, 1024, 768);
    const QString flag = settings.readLocal(store::ini::Size, store::ini::SizeFlg).trimmed();
    if (flag == QLatin1String("0")) {
        FramePlacement::place(this, screen);
        return;
    }
    const auto twips = [&](const char *key) { return numeric(settings.readLocal(store::ini::Size, key)); };
    const int left = twips(store::ini::Left).value_or(0) / TwipsPerPixel;
    const int top = twips(store::ini::Top).value_or(0) / TwipsPerPixel;
    const int width = twips(store::ini::Width).value_or(screen.width() * TwipsPerPixel) / TwipsPerPixel;
    const int height = twips(store::ini::Height).value_or(screen.height() * TwipsPerPixel) / TwipsPerPixel;
    FramePlacement::place(this, QRect(left, top, qMax(width, 320), qMax(height, 240)));
}

void FrmMain::applyMaintenanceMode()
{
    const bool edit = m_state.MaintMode;
    chartModel().setActionStyle(edit ? chart::GntEdit : chart::GntBrowse);
    Picture1->setVisible(edit);
    CmdReflect->setVisible(edit);
    cmdCopy->setVisible(edit);
}

void FrmMain::Form_Load()
{
    placeWindow();
    applyMaintenanceMode();
    nCurIndex = -1;
    nCurPieceNo = -1;
    chartModel().setChartStyle(chart::GntRaisedFace);

    store::Recordset groups = m_state.database().openRecordset(store::sql::selectGroupsByName());
    DBCombo1->clear();
    for (groups.moveFirst(); !groups.eof(); groups.moveNext())
        DBCombo1->addItem(groups.text(QStringLiteral("gpname")));
    if (DBCombo1->count() == 0) {
        Ganttline1->setEnabled(false);
        Picture1->setEnabled(false);
        DBCombo1->setEnabled(false);
        CmdReflect->setEnabled(false);
    }
    selectGroup(m_state.CurrentGroupName);
    AutoPieceClick(nCurIndex, nCurPieceNo);
    Form_Activate();
}

void FrmMain::Form_Activate()
{
    const store::Settings &settings = m_state.settings();
    QFont chartFont = chartModel().Font();
    chartFont.setPointSize(settings.chartFontSize());
    chartModel().setFont(chartFont);
    TickfaceModel *clock = Tickface3->model();
    QFont clockFont = clock->Font();
    clockFont.setPointSize(settings.clockFontSize());
    clock->setFont(clockFont);
    QFont numberFont = clock->NumberFont();
    numberFont.setPointSize(settings.clockFontSize());
    clock->setNumberFont(numberFont);
}

bool FrmMain::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        Form_Activate();
    return QDialog::event(e);
}

int FrmMain::groupNo() const
{
    return numeric(GPLabel->text()).value_or(0);
}

QString FrmMain::groupName() const
{
    return DBCombo1->currentText();
}

void FrmMain::selectGroup(const QString &name)
{
    int index = DBCombo1->findText(name, Qt::MatchFixedString);
    if (index < 0 && DBCombo1->count() > 0) {
        // A name that is no longer listed: the screen shows group 1 (else the
        // first group) under its own name, never one group's master under
        // another's name.
        store::Recordset first = m_state.database().openRecordset(store::sql::selectGroupByNo(1));
        index = first.eof() ? 0 : DBCombo1->findText(first.text(QStringLiteral("gpname")), Qt::MatchFixedString);
        if (index < 0)
            index = 0;
    }
    DBCombo1->setCurrentIndex(index);
    DBCombo1_Click();
}

void FrmMain::DBCombo1_Click()
{
    const QString name = DBCombo1->currentText();
    if (DBCombo1->count() == 0) {
        GPLabel->clear();
        LoadData(0);
        return;
    }
    store::Recordset group = m_state.database().openRecordset(store::sql::selectGroupByNamePlain(name));
    GPLabel->setText(group.eof() ? QStringLiteral("1") : QString::number(group.integer(QStringLiteral("gpno"))));
    LoadData(groupNo());
    // The day row stays chosen; its piece is now one of this group's (the
    // first), so that the panel, a change and a delete never act on a piece
    // of the group shown before.
    if (nCurIndex >= 0) {
        chartModel().SetCurItem(short(nCurIndex));
        AutoPieceClick(nCurIndex, 1);
    }
}

void FrmMain::LoadData(int ngpno)
{
    chart::ChartModel &chart = chartModel();
    Ganttline1->setUpdatesEnabled(false);
    chart.Clear();
    for (int code = store::FirstDayCode; code <= store::LastDayCode; ++code)
        chart.AddItem(m_state.dayName(code), chart::GntRect);

    store::Recordset rows = m_state.database().openRecordset(store::sql::selectGroupMaster(ngpno));
    int lastWeek = 0;
    int k = 0;
    for (rows.moveFirst(); !rows.eof(); rows.moveNext()) {
        const int week = rows.integer(QStringLiteral("lWeek"));
        if (week != lastWeek) {
            k = 1;
            lastWeek = week;
        } else {
            ++k;
        }
        if (week < store::FirstDayCode || week > store::LastDayCode)
            continue;
        const QTime start = rows.time(QStringLiteral("StartTime"));
        const QTime end = rows.time(QStringLiteral("EndTime"));
        const short row = short(week - 1);
        chart.SetPieceRange(row, short(k), short(start.hour()), short(start.minute()), short(end.hour()),
                            short(end.minute()));
        chart.SetPieceColor(row, short(k), PieceColour);
        chart.SetPieceText(row, short(k), QString::number(k));
    }
    Ganttline1->setUpdatesEnabled(true);
}

void FrmMain::ItemClick(short nIndex)
{
    nCurIndex = nIndex;
    AutoPieceClick(nIndex, 1);
}

void FrmMain::PieceClick(short nIndex, short nPieceNo)
{
    nCurIndex = nIndex;
    nCurPieceNo = nPieceNo;
    AutoPieceClick(nIndex, nPieceNo);
}

void FrmMain::AutoPieceClick(int nIndex, int nPieceNo)
{
    const QList<int> pieces =
        nIndex >= 0 ? chartpieces::numbers(chartModel().GetAllPieceNo(short(nIndex))) : QList<int>();
    if (!pieces.isEmpty()) {
        nCurPieceNo = pieces.contains(nPieceNo) ? nPieceNo : *std::min_element(pieces.begin(), pieces.end());
        nCurIndex = nIndex;
        showPieceTimes(nCurIndex, nCurPieceNo);
    } else {
        nCurPieceNo = -1;
        hidePieceTimes();
    }
    Select_Piece_Color(nCurIndex, nCurPieceNo);
    Picture1->update();
}

void FrmMain::showPieceTimes(int nIndex, int nPieceNo)
{
    QTime start, end;
    if (!chartpieces::range(chartModel(), nIndex, nPieceNo, &start, &end))
        return hidePieceTimes();
    const QTime times[2] = {start, end};
    for (int i = 0; i < 2; ++i) {
        Tickface1[i]->setVisible(true);
        paintPieceClock(Tickface1[i], lblTime[i], times[i]);
    }
    LblMovePiece->setText(QString::number(nPieceNo));
}

void FrmMain::hidePieceTimes()
{
    for (int i = 0; i < 2; ++i) {
        Tickface1[i]->setVisible(false);
        lblTime[i]->clear();
        lblTime[i]->setStyleSheet(QString());
    }
    LblMovePiece->clear();
}

void FrmMain::Select_Piece_Color(int A_nIndex, int A_nPieceNo)
{
    chart::ChartModel &chart = chartModel();
    if (chart.ActionStyle() == chart::GntBrowse)
        return;
    for (short row = 0; row < chart.GetItemCount(); ++row) {
        for (int no : chartpieces::numbers(chart.GetAllPieceNo(row))) {
            if (chart.GetPieceColor(row, short(no)) == ChosenPieceColour)
                chart.SetPieceColor(row, short(no), PieceColour);
        }
    }
    if (A_nIndex >= 0 && A_nPieceNo >= 1 && chart.GetPieceColor(short(A_nIndex), short(A_nPieceNo)) == PieceColour)
        chart.SetPieceColor(short(A_nIndex), short(A_nPieceNo), ChosenPieceColour);
}

void FrmMain::CmdMovePiece_Click(int index)
{
    if (GPLabel->text().isEmpty() || !numeric(GPLabel->text()))
        return;
    const short row = chartModel().GetCurItem();
    const int n = chartpieces::steppedPiece(chartModel(), row, LblMovePiece->text(), index);
    if (n < 1)
        return;
    nCurIndex = row;
    nCurPieceNo = n;
    showPieceTimes(row, n);
    Select_Piece_Color(row, n);
}

void FrmMain::beginReserve(int mode)
{
    m_state.ReserveMode = mode;
    m_state.ReserveChart = Ganttline1;
    m_state.ReserveOwner = this;
    m_state.ReserveFromDayChart = false;
}

void FrmMain::endReserve()
{
    m_state.clearReserveCaller();
}

void FrmMain::reportStoreFailure(int errorNumber, const QString &text, bool adding)
{
    m_state.messages().inform(this, adding ? texts::addFailed(errorNumber, text) : texts::storeFailed(errorNumber, text));
}

void FrmMain::reloadChoosing(int nIndex, const QTime &start, const QTime &end)
{
    LoadData(groupNo());
    const int piece = chartpieces::pieceAt(chartModel(), nIndex, start, end);
    nCurIndex = nIndex;
    nCurPieceNo = piece;
    chartModel().SetCurItem(short(nIndex));
    AutoPieceClick(nIndex, piece >= 1 ? piece : 1);
}

void FrmMain::AddPieceUI(short nIndex, short nPieceNo, double &dtStart, double &dtEnd, bool &bEnable)
{
    // The chart never adds the piece itself: it appears with the reload from the master.
    bEnable = false;
    nCurIndex = nIndex;
    nCurPieceNo = nPieceNo;
    beginReserve(1);
    const QDateTime start = automation::fromOleDate(dtStart);
    const QDateTime lastMinute = automation::fromOleDate(dtEnd).addSecs(-60);
    const bool ok = FrmReserve::ask(m_state, this, texts::NewReservation, chartModel().GetItemName(nIndex),
                                    start.time(), lastMinute.time());
    if (ok)
        StoreNewReservation(nCurIndex);
    endReserve();
}

void FrmMain::StoreNewReservation(int nIndex)
{
    const reservationrows::Result added =
        reservationrows::addMaster(m_state.database(), groupNo(), nIndex + 1, m_state.ReserveStart, m_state.ReserveEnd);
    if (!added.ok())
        reportStoreFailure(added.errorNumber, added.error, true);
    reloadChoosing(nIndex, m_state.ReserveStart, m_state.ReserveEnd);
}

void FrmMain::CmdChenge_Click()
{
    if (nCurIndex < 0 || nCurPieceNo < 1)
        return;
    QTime oldStart, oldEnd;
    if (!chartpieces::range(chartModel(), nCurIndex, nCurPieceNo, &oldStart, &oldEnd))
        return;
    beginReserve(2);
    const bool ok = FrmReserve::ask(m_state, this, texts::ChangeReservation, chartModel().GetItemName(short(nCurIndex)),
                                    oldStart, oldEnd);
    if (!ok)
        return endReserve();
    const reservationrows::Result changed = reservationrows::changeMaster(
        m_state.database(), groupNo(), nCurIndex + 1, oldStart, m_state.ReserveStart, m_state.ReserveEnd);
    if (changed.outcome == reservationrows::Outcome::Failed)
        reportStoreFailure(changed.errorNumber, changed.error, false);
    if (changed.ok())
        reloadChoosing(nCurIndex, m_state.ReserveStart, m_state.ReserveEnd);
    else
        reloadChoosing(nCurIndex, oldStart, oldEnd);
    endReserve();
}

void FrmMain::CmdDelete_Click()
{
    if (nCurIndex < 0 || nCurPieceNo < 1) {
        m_state.messages().inform(this, texts::ChooseReservation);
        return;
    }
    if (!m_state.messages().confirm(this, texts::ConfirmDelete))
        return;
    QTime start;
    if (!chartpieces::range(chartModel(), nCurIndex, nCurPieceNo, &start, nullptr))
        return;
    const reservationrows::Result removed =
        reservationrows::deleteMaster(m_state.database(), groupNo(), nCurIndex + 1, start);
    if (removed.outcome == reservationrows::Outcome::Failed)
        reportStoreFailure(removed.errorNumber, removed.error, false);
    chartModel().RemovePiece(short(nCurIndex), short(nCurPieceNo));
    LoadData(groupNo());
    chartModel().SetCurItem(short(nCurIndex));
    AutoPieceClick(nCurIndex, 1);
}

void FrmMain::MovePieceUI(short nIndex, short nPieceNo, double &dtStart, double &dtEnd, bool &bEnable)
{
    m_move = {};
    QTime start, end;
    if (!chartpieces::movedRange(dtStart, dtEnd, &start, &end)) {
        bEnable = false;
        return;
    }
    const QList<int> found = chartpieces::overlapping(chartModel(), nIndex, start, end);
    if (!chartpieces::onlyItself(found, nPieceNo)) {
        m_state.messages().inform(this, texts::Overlap);
        bEnable = false;
        return;
    }
    QTime oldStart;
    if (chartpieces::range(chartModel(), nIndex, nPieceNo, &oldStart, nullptr))
        m_move = {nIndex, nPieceNo, oldStart};
}

void FrmMain::MovedPieceUI(short nIndex, short nPieceNo)
{
    const PendingMove move = m_move;
    m_move = {};
    QTime start, end;
    if (move.index != nIndex || move.pieceNo != nPieceNo
        || !chartpieces::range(chartModel(), nIndex, nPieceNo, &start, &end)) {
        LoadData(groupNo());
        return;
    }
    // The row of the piece's old start gets the new times, as a change does.
    const reservationrows::Result moved =
        reservationrows::changeMaster(m_state.database(), groupNo(), nIndex + 1, move.oldStart, start, end);
    if (moved.outcome == reservationrows::Outcome::Failed)
        reportStoreFailure(moved.errorNumber, moved.error, false);
    reloadChoosing(nIndex, start, end);
}

void FrmMain::RemovePieceUI(short, short, bool &bEnable)
{
    // Pieces go only through CmdDelete.
    bEnable = false;
}

void FrmMain::CmdReflect_Click()
{
    const std::optional<int> g = numeric(GPLabel->text());
    if (!g)
        return;
    const DayMemos memos(m_state.databaseFolder());
    const auto codes = dayreflect::dayCodes(platform::clock::today(),
                                            [&memos](const QDate &d) { return memos.memoOf(d); });
    dayreflect::Failure failure;
    if (dayreflect::reflectGroup(m_state.database(), *g, codes, &failure))
        m_state.messages().inform(this, texts::Reflected);
    else
        m_state.messages().inform(this, texts::reflectFailed(failure.number));
}

bool FrmMain::RebuildDayTables()
{
    const DayMemos memos(m_state.databaseFolder());
    const auto codes = dayreflect::dayCodes(platform::clock::today(),
                                            [&memos](const QDate &d) { return memos.memoOf(d); });
    dayreflect::Failure failure;
    const bool ok = dayreflect::rebuildDayTables(m_state.database(), codes, &failure);
    m_state.messages().inform(this, ok ? texts::Reflected : texts::reflectFailed(failure.number), false);
    return ok;
}

void FrmMain::Tickface3_DblClick()
{
    // The log-on stays accepted after the maintenance mode was left; the
    // editor is read-only then and rewrites no day table.
    if (m_state.ClientMode || !m_state.LoginOK || !m_state.MaintMode)
        return;
    if (m_state.messages().confirm(this, texts::ConfirmReflectAll, false))
        RebuildDayTables();
}

void FrmMain::cmdCopy_Click()
{
    if (m_copyScreen)
        m_copyScreen(*this);
}

void FrmMain::cmdClose_Click()
{
    accept();
}

} // namespace console
