#include "console/maintenance/frmholidaysetting.h"

#include "calendar/datefold.h"
#include "calendar/datefoldmodel.h"
#include "calendar/oledate.h"
#include "console/common/consolestate.h"
#include "console/common/messageboxes.h"
#include "console/maintenance/daymarkcycle.h"
#include "platform/clock.h"
#include "store/sitepaths.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace console {

namespace {
const QString PastRefused = QStringLiteral("過去、本日、翌日の変更は、行う事ができません。");
} // namespace

FrmHolidaySetting::FrmHolidaySetting(ConsoleState &state, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_path(store::paths::dayInfoPathIn(state.databaseFolder()))
{
    buildForm();

    // The holidays the main screen shows: the laws after the control's
    // built-in table.
    calendarModel().AddHolidayLaws(QString());
    calendarModel().LoadDayMemo(m_path);
    const QDate today = platform::clock::today();
    new_year_Label->setText(QString::number(today.year()));
    new_month_Label->setText(QString::number(today.month()));
}

FrmHolidaySetting::~FrmHolidaySetting() = default;

void FrmHolidaySetting::buildForm()
{
    setObjectName(QStringLiteral("frm休日設定"));
    setWindowTitle(QStringLiteral("休日設定"));

    Datefold1 = new Datefold(this);
    Datefold1->setObjectName(QStringLiteral("Datefold1"));
    Datefold1->setMonthFormat(QStringLiteral("M  月"));
    Datefold1->setYearFormat(QStringLiteral("yyyy  年"));
    Datefold1->setMinimumSize(520, 400);
    QFont memoFont = Datefold1->MemoFont();
    memoFont.setPointSize(9);
    Datefold1->setMemoFont(memoFont);

    Command3 = new QPushButton(QStringLiteral("今日"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setToolTip(QStringLiteral("今日を表示します。"));
    const char *arrows[2] = {"◀", "▶"};
    const char *tips[2] = {"前月へ移動します。", "後月へ移動します。"};
    for (int i = 0; i < 2; ++i) {
        Command5[i] = new QPushButton(QString::fromUtf8(arrows[i]), this);
        Command5[i]->setObjectName(QStringLiteral("Command5_%1").arg(i));
        Command5[i]->setToolTip(QString::fromUtf8(tips[i]));
        Command5[i]->setFixedWidth(48);
        connect(Command5[i], &QPushButton::clicked, this, [this, i] { Command5_Click(i); });
    }
    Command1 = new QPushButton(QStringLiteral("保存"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setToolTip(QStringLiteral("設定内容を保存します。"));
    Command2 = new QPushButton(QStringLiteral("閉じる"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setToolTip(QStringLiteral("画面を閉じます。"));
    for (QPushButton *b : {Command1, Command2, Command3})
        b->setMinimumWidth(96);
    Command1->setDefault(false);
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);

    new_year_Label = new QLabel(this);
    new_year_Label->setObjectName(QStringLiteral("new_year_Label"));
    new_month_Label = new QLabel(this);
    new_month_Label->setObjectName(QStringLiteral("new_month_Label"));
    QFont big = font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    for (QLabel *l : {new_year_Label, new_month_Label})
        l->setFont(big);

    connect(Command1, &QPushButton::clicked, this, &FrmHolidaySetting::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmHolidaySetting::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &FrmHolidaySetting::Command3_Click);
    connect(&calendarModel(), &calendar::DatefoldModel::DateClick, this, &FrmHolidaySetting::Datefold1_DateClick);
    connect(&calendarModel(), &calendar::DatefoldModel::NewYear, this,
            [this](short year) { new_year_Label->setText(QString::number(year)); });
    connect(&calendarModel(), &calendar::DatefoldModel::NewMonth, this,
            [this](short month) { new_month_Label->setText(QString::number(month)); });

    auto *head = new QHBoxLayout;
    head->addWidget(new_year_Label);
    head->addWidget(new QLabel(QStringLiteral("年"), this));
    head->addSpacing(8);
    head->addWidget(new_month_Label);
    head->addWidget(new QLabel(QStringLiteral("月"), this));
    head->addStretch();
    head->addWidget(Command5[0]);
    head->addWidget(Command3);
    head->addWidget(Command5[1]);

    auto *legend = new QHBoxLayout;
    for (const SpecialDayMark &mark : specialDayMarks()) {
        auto *swatch = new QLabel(mark.text, this);
        const quint32 c = mark.backColor;
        swatch->setStyleSheet(QStringLiteral("background-color: rgb(%1,%2,%3); color: black; padding: 2px 8px;")
                                  .arg(c & 0xFF)
                                  .arg((c >> 8) & 0xFF)
                                  .arg((c >> 16) & 0xFF));
        legend->addWidget(swatch);
    }
    legend->addStretch();
    legend->addWidget(Command1);
    legend->addWidget(Command2);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(Datefold1, 1);
    layout->addLayout(legend);
}

calendar::DatefoldModel &FrmHolidaySetting::calendarModel() const
{
    return Datefold1->model();
}

template<typename Move>
void FrmHolidaySetting::navigate(Move move)
{
    // The calendar raises its date event inside the move, or none when the
    // date does not change; the flag is cleared afterwards either way, so
    // that a move that raised nothing does not swallow the next click.
    m_navigating = true;
    move();
    m_navigating = false;
}

void FrmHolidaySetting::Datefold1_DateClick(double date)
{
    if (m_navigating)
        return;
    const QDate day = calendar::oleDateDay(date);
    // Today's and tomorrow's tables are built already: their day kind can no
    // longer change.
    if (!day.isValid() || day <= platform::clock::today().addDays(1)) {
        m_state.messages().inform(this, PastRefused, true);
        return;
    }
    const double key = calendar::toOleDate(day);
    QString text;
    quint32 textColor = 0;
    quint32 backColor = 0;
    calendarModel().GetDayMemo(key, text, textColor, backColor);
    const MarkStep step = nextSpecialDayMark(text);
    switch (step.kind) {
    case MarkStep::Set:
        calendarModel().SetDayMemo(key, step.mark.text, step.mark.textColor, step.mark.backColor);
        break;
    case MarkStep::Clear:
        calendarModel().ClearDayMemo(key);
        break;
    case MarkStep::Keep:
        break;
    }
}

void FrmHolidaySetting::Command1_Click()
{
    // A file that cannot be written leaves the previous one in place.
    calendarModel().SaveDayMemo(m_path);
}

void FrmHolidaySetting::Command2_Click()
{
    reject();
}

void FrmHolidaySetting::Command3_Click()
{
    navigate([this] { calendarModel().GoToday(); });
    Datefold1->setShowCursor(true);
}

void FrmHolidaySetting::Command5_Click(int index)
{
    const QDate shown = calendar::oleDateDay(calendarModel().DatePosition());
    const QDate first = QDate(shown.year(), shown.month(), 1).addMonths(index == 0 ? -1 : 1);
    navigate([this, first] { calendarModel().setDatePosition(calendar::toOleDate(first)); });
}

} // namespace console
