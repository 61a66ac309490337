// The main screen's controls and their layout.
#include "console/main/frmcal.h"

#include "calendar/datefold.h"
#include "chart/chartmodel.h"
#include "chart/ganttline.h"
#include "clock/tickface.h"
#include "clock/tickfaceconstants.h"
#include "clock/tickfacemodel.h"
#include "console/main/chartstage.h"
#include "console/main/consoletexts.h"
#include "console/main/piececolours.h"
#include "console/main/widgetcolours.h"
#include "platform/commandserver.h"
#include "platform/process.h"
#include "switching/outputqueue.h"
#include "switching/taglinkwriter.h"
#include "taglink/taglink.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace console {

namespace {

constexpr int SidePanelWidth = 350;

template <typename T>
T *named(T *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

QPushButton *button(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = named(new QPushButton(caption, parent), name);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

// A frame that groups buttons, with an optional caption line.
QWidget *frame(const QString &name, const QString &caption, QWidget *parent)
{
    if (caption.isEmpty())
        return named(new QWidget(parent), name);
    return named(new QGroupBox(caption, parent), name);
}

QLabel *legend(const QString &name, const QString &text, quint32 colour, QWidget *parent)
{
    auto *l = named(new QLabel(text, parent), name);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumWidth(64);
    l->setFrameShape(QFrame::Box);
    widgetcolour::setBackColor(l, colour);
    widgetcolour::setForeColor(l, colour == piececolour::Done ? widgetcolour::White : widgetcolour::Black);
    return l;
}

} // namespace

FrmCal::FrmCal(ConsoleState &state, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_startProgram([](const QString &program, const QStringList &arguments) {
        return platform::startProgram(program, arguments);
    })
{
    buildForm();
    connectControls();
    connectEditing();
    showViewLayout();
}

FrmCal::~FrmCal()
{
    if (m_state.Taglink1 == Taglink1)
        m_state.Taglink1 = nullptr;
}

void FrmCal::buildForm()
{
    setObjectName(QStringLiteral("frmCal"));
    setWindowTitle(texts::FormTitle);
    resize(1280, 800);

    Ganttline1 = named(new Ganttline(this), QStringLiteral("Ganttline1"));
    Ganttline2 = named(new Ganttline(this), QStringLiteral("Ganttline2"));
    for (Ganttline *g : {Ganttline1, Ganttline2}) {
        g->model()->setChartStyle(chart::GntRaisedFace);
        g->model()->setCaption(texts::ChartTitle);
        g->model()->setActionStyle(chart::GntBrowse);
        // Rows are the groups: they are not added, removed or renamed here.
        g->model()->setUIMask(chart::GntMaskAddItemUI | chart::GntMaskInsertItemUI | chart::GntMaskRemoveItemUI
                              | chart::GntMaskEditItemNameUI | chart::GntMaskEditPieceTextUI);
    }
    m_stage = new ChartStage(this);
    m_stage->setCharts(Ganttline1, Ganttline2);
    m_stage->display(1);

    Taglink1 = named(new Taglink(this), QStringLiteral("Taglink1"));
    Taglink1->hide();
    m_state.Taglink1 = Taglink1; // the tag editor fetches device names through it

    Timer1 = named(new QTimer(this), QStringLiteral("Timer1"));
    Timer2 = named(new QTimer(this), QStringLiteral("Timer2"));
    Timer2->setSingleShot(true);
    // Precise: a coarse timer may fire seconds early on a one-minute interval.
    Timer2->setTimerType(Qt::PreciseTimer);

    // The DDE item and the DDE client's text box: not for the eye.
    DDELabel = named(new QLabel(this), QStringLiteral("DDELabel"));
    DDELabel->hide();
    txtDDEPoke = named(new QLineEdit(this), QStringLiteral("txtDDEPoke"));
    txtDDEPoke->hide();

    auto *left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(4);
    left->addWidget(buildHeader());
    left->addWidget(m_stage, 1);
    left->addWidget(buildFooter());

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->setSpacing(8);
    layout->addLayout(left, 1);
    layout->addWidget(buildSidePanel());
}

// CalendarLabel, the day choice and the state labels above the charts.  The
// label's left edge is the charts' display position.
QWidget *FrmCal::buildHeader()
{
    auto *header = new QWidget(this);
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);

    CalendarLabel = named(new QLabel(header), QStringLiteral("CalendarLabel"));
    QFont big = CalendarLabel->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    CalendarLabel->setFont(big);
    row->addWidget(CalendarLabel);

    auto *choice = named(new QGroupBox(QStringLiteral("本日/翌日  切り替え"), header), QStringLiteral("OptionFrame"));
    auto *choiceRow = new QHBoxLayout(choice);
    choiceRow->setContentsMargins(8, 2, 8, 2);
    m_optionGroup = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        Option1[i] = named(new QRadioButton(choice), QStringLiteral("Option1_%1").arg(i));
        m_optionGroup->addButton(Option1[i], i);
        choiceRow->addWidget(Option1[i]);
    }
    Option1[0]->setChecked(true);
    row->addWidget(choice);
    row->addStretch(1);

    for (int i = 0; i < 2; ++i) {
        KeyLabel[i] = named(new QLabel(header), QStringLiteral("KeyLabel_%1").arg(i));
        KeyLabel[i]->setAlignment(Qt::AlignCenter);
        KeyLabel[i]->setFrameShape(QFrame::Panel);
        KeyLabel[i]->setFrameShadow(QFrame::Sunken);
        KeyLabel[i]->setMinimumSize(90, 30);
        QFont f = KeyLabel[i]->font();
        f.setBold(true);
        KeyLabel[i]->setFont(f);
        row->addWidget(KeyLabel[i]);
    }
    KeyLabel[0]->setText(texts::RunnerRunning);
    widgetcolour::setBackColor(KeyLabel[0], widgetcolour::White);
    KeyLabel[1]->setText(texts::Setting);
    widgetcolour::setBackColor(KeyLabel[1], widgetcolour::ButtonFace);
    return header;
}

// Below the charts: the piece legend and the editing buttons, then the mode
// button, the menu buttons, runner control and the close button.
QWidget *FrmCal::buildFooter()
{
    auto *footer = new QWidget(this);
    auto *rows = new QVBoxLayout(footer);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(6);

    auto *row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(legend(QStringLiteral("lblLegend_0"), texts::InvalidPiece, piececolour::Invalid, footer));
    row->addWidget(legend(QStringLiteral("lblLegend_1"), QStringLiteral("実行予定"), piececolour::Planned, footer));
    row->addWidget(legend(QStringLiteral("lblLegend_2"), QStringLiteral("実行中"), piececolour::Running, footer));
    row->addWidget(legend(QStringLiteral("lblLegend_3"), QStringLiteral("実行済"), piececolour::Done, footer));
    row->addStretch(1);
    Picture1 = frame(QStringLiteral("Picture1"), QString(), footer);
    auto *edit = new QHBoxLayout(Picture1);
    edit->setContentsMargins(0, 0, 0, 0);
    CmdChenge = button(QStringLiteral("CmdChenge"), QStringLiteral("予約を変更"), Picture1);
    CmdDelete = button(QStringLiteral("CmdDelete"), QStringLiteral("予約を削除"), Picture1);
    for (QPushButton *b : {CmdChenge, CmdDelete}) {
        b->setMinimumSize(110, 30);
        edit->addWidget(b);
    }
    row->addWidget(Picture1);
    rows->addLayout(row);

    auto *menu = new QHBoxLayout;
    menu->setSpacing(4);
    CmdPass = button(QStringLiteral("CmdPass"), texts::PassEnter, footer);
    CmdMenu1 = button(QStringLiteral("CmdMenu1"), QStringLiteral("ﾏｽﾀ-ｽｹｼﾞｭｰﾙ"), footer);
    CmdMenu2 = button(QStringLiteral("CmdMenu2"), QStringLiteral("特別日設定"), footer);
    CmdMenu3 = button(QStringLiteral("CmdMenu3"), texts::Menu3View, footer);
    cmdSyuRun = button(QStringLiteral("cmdSyuRun"), QStringLiteral("ｽｹｼﾞｭｰﾙ管理 開始"), footer);
    cmdSyuEnd = button(QStringLiteral("cmdSyuEnd"), QStringLiteral("ｽｹｼﾞｭｰﾙ管理 終了"), footer);
    CloseCommand = button(QStringLiteral("CloseCommand"), texts::CloseServer, footer);
    QFont bold = CmdPass->font();
    bold.setBold(true);
    CmdPass->setFont(bold);
    for (QPushButton *b : {CmdPass, CmdMenu1, CmdMenu2, CmdMenu3, cmdSyuRun, cmdSyuEnd, CloseCommand}) {
        b->setMinimumSize(84, 36);
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }
    CmdPass->setMinimumWidth(104);
    menu->addWidget(CmdPass);
    menu->addSpacing(4);
    menu->addWidget(CmdMenu1);
    menu->addWidget(CmdMenu3);
    menu->addWidget(CmdMenu2);
    menu->addSpacing(4);
    menu->addWidget(cmdSyuRun);
    menu->addWidget(cmdSyuEnd);
    menu->addStretch(1);
    menu->addWidget(CloseCommand);
    rows->addLayout(menu);
    return footer;
}

QWidget *FrmCal::buildSidePanel()
{
    auto *side = named(new QWidget(this), QStringLiteral("SidePanel"));
    side->setFixedWidth(SidePanelWidth);
    auto *col = new QVBoxLayout(side);
    col->setContentsMargins(0, 0, 0, 0);
    col->setSpacing(6);

    Tickface2 = named(new Tickface(side), QStringLiteral("Tickface2"));
    TickfaceModel &now = *Tickface2->model();
    now.setClockType(tickface::TkfDigital);
    now.setDateFormat(QStringLiteral("' 'yyyy'年 'M'月 'd'日 'dddd"));
    now.setTimeFormat(QStringLiteral(" H時mm分ss秒"));
    now.setAlarmTime(3.0 / 86400.0); // 00:00:03
    now.setAlarmSetting(tickface::TkfEveryday);
    now.setAlarmSw(true);
    now.setShowDate(true);
    Tickface2->setFixedHeight(54);
    col->addWidget(Tickface2);

    Datefold1 = named(new Datefold(side), QStringLiteral("Datefold1"));
    Datefold1->setMonthFormat(QStringLiteral("M  月"));
    Datefold1->setYearFormat(QStringLiteral("yyyy  年"));
    // The calendar takes the height the window has to spare, so that the
    // special-day memos show in its cells.
    Datefold1->setMinimumHeight(200);
    col->addWidget(Datefold1, 1);

    auto *nav = new QHBoxLayout;
    Command2[0] = button(QStringLiteral("Command2_0"), QStringLiteral("◀"), side);
    Command2[0]->setToolTip(QStringLiteral("前月へ移動します。"));
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("今日"), side);
    Command2[1] = button(QStringLiteral("Command2_1"), QStringLiteral("▶"), side);
    Command2[1]->setToolTip(QStringLiteral("後月へ移動します。"));
    for (QPushButton *b : {Command2[0], Command1, Command2[1]}) {
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        b->setMinimumHeight(26);
        // Hidden in the maintenance mode; the row keeps its place.
        QSizePolicy p = b->sizePolicy();
        p.setRetainSizeWhenHidden(true);
        b->setSizePolicy(p);
        nav->addWidget(b);
    }
    col->addLayout(nav);

    col->addWidget(buildDetailPanel());

    return side;
}

// The chosen reservation: group, valid/invalid, start and end clocks, piece
// stepping and manual operation.
QWidget *FrmCal::buildDetailPanel()
{
    auto *panel = named(new QGroupBox(QStringLiteral("選択中の予約"), this), QStringLiteral("DetailFrame"));
    auto *col = new QVBoxLayout(panel);
    col->setContentsMargins(6, 4, 6, 6);
    col->setSpacing(4);

    Label1 = named(new QLabel(panel), QStringLiteral("Label1"));
    Label1->setFrameShape(QFrame::Panel);
    Label1->setFrameShadow(QFrame::Sunken);
    Label1->setMinimumHeight(26);
    Label1->setAlignment(Qt::AlignCenter);
    QFont f = Label1->font();
    f.setBold(true);
    Label1->setFont(f);
    col->addWidget(Label1);

    DrivePicture = frame(QStringLiteral("DrivePicture"), QStringLiteral("スケジュール運転"), panel);
    auto *drive = new QHBoxLayout(DrivePicture);
    drive->setContentsMargins(6, 2, 6, 4);
    CmdYuko[0] = button(QStringLiteral("CmdYuko_0"), QStringLiteral("有効"), DrivePicture);
    CmdYuko[1] = button(QStringLiteral("CmdYuko_1"), QStringLiteral("無効"), DrivePicture);
    for (QPushButton *b : CmdYuko) {
        widgetcolour::setBackColor(b, widgetcolour::ButtonFace);
        drive->addWidget(b);
    }
    col->addWidget(DrivePicture);

    auto *clocks = new QGridLayout;
    clocks->setSpacing(2);
    const QString heads[2] = {QStringLiteral("開始"), QStringLiteral("終了")};
    for (int i = 0; i < 2; ++i) {
        auto *head = named(new QLabel(heads[i], panel), QStringLiteral("lblClockHead_%1").arg(i));
        head->setAlignment(Qt::AlignCenter);
        clocks->addWidget(head, 0, i);
        Tickface1[i] = named(new Tickface(panel), QStringLiteral("Tickface1_%1").arg(i));
        TickfaceModel &m = *Tickface1[i]->model();
        m.setBaseTime(tickface::TkfUserSet);
        m.setClockType(tickface::TkfAnalog);
        m.setDateFormat(QStringLiteral("yy/MM/dd"));
        m.setTimeFormat(QStringLiteral("H:mm:ss"));
        m.setShowSecond(false);
        Tickface1[i]->setFixedSize(96, 96);
        QSizePolicy p = Tickface1[i]->sizePolicy();
        p.setRetainSizeWhenHidden(true);
        Tickface1[i]->setSizePolicy(p);
        clocks->addWidget(Tickface1[i], 1, i, Qt::AlignHCenter);
        lblTime[i] = named(new QLabel(panel), QStringLiteral("lblTime_%1").arg(i));
        lblTime[i]->setAlignment(Qt::AlignCenter);
        lblTime[i]->setMinimumHeight(24);
        lblTime[i]->setFrameShape(QFrame::Panel);
        lblTime[i]->setFrameShadow(QFrame::Sunken);
        clocks->addWidget(lblTime[i], 2, i);
    }
    col->addLayout(clocks);

    h_btm_Pic = frame(QStringLiteral("h_btm_Pic"), QString(), panel);
    auto *step = new QHBoxLayout(h_btm_Pic);
    step->setContentsMargins(0, 0, 0, 0);
    CmdMovePiece[0] = button(QStringLiteral("CmdMovePiece_0"), QStringLiteral("<< BACK"), h_btm_Pic);
    LblMovePiece = named(new QLabel(h_btm_Pic), QStringLiteral("LblMovePiece"));
    LblMovePiece->setAlignment(Qt::AlignCenter);
    LblMovePiece->setMinimumWidth(40);
    LblMovePiece->setFrameShape(QFrame::Panel);
    LblMovePiece->setFrameShadow(QFrame::Sunken);
    CmdMovePiece[1] = button(QStringLiteral("CmdMovePiece_1"), QStringLiteral("NEXT >>"), h_btm_Pic);
    step->addWidget(CmdMovePiece[0]);
    step->addWidget(LblMovePiece, 1);
    step->addWidget(CmdMovePiece[1]);
    col->addWidget(h_btm_Pic);

    onoffPicture = frame(QStringLiteral("onoffPicture"), QStringLiteral("手動  操作"), panel);
    auto *onoff = new QHBoxLayout(onoffPicture);
    onoff->setContentsMargins(6, 2, 6, 4);
    CmdGoStop[0] = button(QStringLiteral("CmdGoStop_0"), QStringLiteral("実行"), onoffPicture);
    CmdGoStop[0]->setToolTip(QStringLiteral("選択スケジュールを強制運転します。"));
    CmdGoStop[1] = button(QStringLiteral("CmdGoStop_1"), QStringLiteral("停止"), onoffPicture);
    CmdGoStop[1]->setToolTip(QStringLiteral("選択スケジュールを強制停止します。"));
    onoff->addWidget(CmdGoStop[0]);
    onoff->addWidget(CmdGoStop[1]);
    col->addWidget(onoffPicture);

    hideDetailClocks();
    return panel;
}

void FrmCal::connectControls()
{
    connect(Timer1, &QTimer::timeout, this, &FrmCal::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &FrmCal::Timer2_Timer);
    connect(Tickface2->model(), &TickfaceModel::Alarm, this, &FrmCal::Tickface2_Alarm);

    // CmdPass acts on the release of the left button, with the modifier keys
    // held at that moment; a keyboard press acts as a plain click.
    CmdPass->installEventFilter(this);
    connect(CmdPass, &QPushButton::clicked, this, [this] {
        const Qt::KeyboardModifiers held = m_passModifiers;
        m_passModifiers = Qt::NoModifier;
        CmdPass_MouseUp(held);
    });

    connect(m_optionGroup, &QButtonGroup::idClicked, this, &FrmCal::Option1_Click);
    connect(Datefold1, &Datefold::DateClick, this, &FrmCal::Datefold1_DateClick);
    connect(Command1, &QPushButton::clicked, this, &FrmCal::Command1_Click);
    for (int i = 0; i < 2; ++i) {
        connect(Command2[i], &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
        connect(CmdYuko[i], &QPushButton::clicked, this, [this, i] { CmdYuko_Click(i); });
        connect(CmdGoStop[i], &QPushButton::clicked, this, [this, i] { CmdGoStop_Click(i); });
    }
    connect(cmdSyuRun, &QPushButton::clicked, this, &FrmCal::cmdSyuRun_Click);
    connect(cmdSyuEnd, &QPushButton::clicked, this, &FrmCal::cmdSyuEnd_Click);
    connect(CmdMenu1, &QPushButton::clicked, this, &FrmCal::CmdMenu1_Click);
    connect(CmdMenu2, &QPushButton::clicked, this, &FrmCal::CmdMenu2_Click);
    connect(CmdMenu3, &QPushButton::clicked, this, &FrmCal::CmdMenu3_Click);
    connect(CloseCommand, &QPushButton::clicked, this, &FrmCal::CloseCommand_Click);

    for (int c = 0; c < 2; ++c) {
        chart::ChartModel *m = chart(c)->model();
        connect(m, &chart::ChartModel::ItemClick, this, [this, c](short i) { Chart_ItemClick(c, i); });
        connect(m, &chart::ChartModel::PieceClick, this, [this, c](short i, short p) { Chart_PieceClick(c, i, p); });
    }
    chart::ChartModel *today = Ganttline1->model();
    connect(today, &chart::ChartModel::PieceRangeStart, this,
            [this](short i, short p) { Chart0_PieceRange(i, p, true); });
    connect(today, &chart::ChartModel::PieceRangeEnd, this,
            [this](short i, short p) { Chart0_PieceRange(i, p, false); });

    // The manual output: one group after the other, through the form's tag link.
    m_output = new switching::OutputQueue(
        m_state.databasePath(),
        [this](const QString &item, float value) {
            return switching::writeThroughTaglink(*Taglink1->model(), item, value);
        },
        this);
    m_output->setTraceIdentity(texts::Source, texts::TraceIndex);
}

bool FrmCal::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == CmdPass && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton)
            m_passModifiers = mouse->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    }
    return QWidget::eventFilter(watched, event);
}

Ganttline *FrmCal::chart(int cNo) const
{
    return cNo == 0 ? Ganttline1 : Ganttline2;
}

chart::ChartModel &FrmCal::chartModel(int cNo) const
{
    return *chart(cNo)->model();
}

} // namespace console
