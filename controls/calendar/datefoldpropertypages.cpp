#include "calendar/datefoldpropertypages.h"

#include "calendar/datefold.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace calendar;

namespace {

QString colorText(quint32 c)
{
    return QStringLiteral("&H%1&").arg(c, 8, 16, QLatin1Char('0')).toUpper();
}

quint32 toOleColor(const QColor &c)
{
    return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}

} // namespace

DatefoldPropertyPages::DatefoldPropertyPages(Datefold *control, QWidget *parent)
    : QDialog(parent)
    , m_control(control)
    , m_edit(control->properties())
    , m_onlyThisMonth(control->model().OnlyThisMonth())
    , m_tabs(new QTabWidget(this))
{
    setWindowTitle(QStringLiteral("Datefold のプロパティ"));
    setObjectName(QStringLiteral("DatefoldPropertyPages"));
    m_tabs->addTab(generalPage(), QStringLiteral("全般"));
    m_tabs->addTab(colorPage(), QStringLiteral("色"));
    m_tabs->addTab(fontPage(), QStringLiteral("フォント"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    buttons->button(QDialogButtonBox::Apply)->setText(QStringLiteral("適用"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { apply(); accept(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, &DatefoldPropertyPages::apply);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

void DatefoldPropertyPages::apply()
{
    m_control->setProperties(m_edit);
    m_control->setEnabled(m_control->isEnabled());
    m_control->setFont(m_edit.Font);
    m_control->model().setOnlyThisMonth(m_onlyThisMonth);
}

QWidget *DatefoldPropertyPages::generalPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    auto addText = [&](const QString &label, QString *value) {
        auto *edit = new QLineEdit(*value);
        edit->setObjectName(label);
        connect(edit, &QLineEdit::textChanged, this, [value](const QString &t) { *value = t; });
        form->addRow(label, edit);
    };
    auto addCheck = [&](const QString &label, bool *value) {
        auto *box = new QCheckBox(label);
        box->setObjectName(label);
        box->setChecked(*value);
        connect(box, &QCheckBox::toggled, this, [value](bool on) { *value = on; });
        form->addRow(box);
    };
    auto addChoice = [&](const QString &label, qint16 *value, const QStringList &items) {
        auto *combo = new QComboBox;
        combo->setObjectName(label);
        combo->addItems(items);
        combo->setCurrentIndex(*value);
        connect(combo, &QComboBox::currentIndexChanged, this, [value](int i) { *value = qint16(i); });
        form->addRow(label, combo);
    };
    addText(QStringLiteral("YearFormat"), &m_edit.YearFormat);
    addText(QStringLiteral("MonthFormat"), &m_edit.MonthFormat);
    addText(QStringLiteral("WeekFormat"), &m_edit.WeekFormat);
    addText(QStringLiteral("DayFormat"), &m_edit.DayFormat);
    addText(QStringLiteral("Caption"), &m_edit.Caption);
    addChoice(QStringLiteral("GridFillPattern"), &m_edit.GridFillPattern,
              {QStringLiteral("0 - DfdNotFill"), QStringLiteral("1 - DfdHorizontal"), QStringLiteral("2 - DfdVertical"),
               QStringLiteral("3 - DfdCross")});
    auto *space = new QSpinBox;
    space->setObjectName(QStringLiteral("GridSpace"));
    space->setRange(0, 20);
    space->setValue(m_edit.GridSpace);
    connect(space, &QSpinBox::valueChanged, this, [this](int v) { m_edit.GridSpace = qint16(v); });
    form->addRow(QStringLiteral("GridSpace"), space);
    addChoice(QStringLiteral("InitialDate"), &m_edit.InitialDate, {QStringLiteral("0 - DfdToday"), QStringLiteral("1 - DfdPreset")});
    addChoice(QStringLiteral("PictureLayout"), &m_edit.PictureLayout,
              {QStringLiteral("0 - DfdCenter"), QStringLiteral("1 - DfdTile"), QStringLiteral("2 - DfdStretch")});
    addChoice(QStringLiteral("Appearance"), &m_edit.Appearance, {QStringLiteral("0 - DfdFlat"), QStringLiteral("1 - Dfd3D")});
    addCheck(QStringLiteral("ShowYearMonth"), &m_edit.ShowYearMonth);
    addCheck(QStringLiteral("OnlyThisMonth"), &m_onlyThisMonth);
    addCheck(QStringLiteral("GridLine"), &m_edit.GridLine);
    addCheck(QStringLiteral("ShowCursor"), &m_edit.ShowCursor);
    addCheck(QStringLiteral("ShowToolTip"), &m_edit.ShowToolTip);
    addCheck(QStringLiteral("EnableTodayColor"), &m_edit.EnableTodayColor);
    return page;
}

QWidget *DatefoldPropertyPages::colorPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    const QList<std::pair<QString, quint32 *>> colors = {
        {QStringLiteral("BackColor"), &m_edit.BackColor},
        {QStringLiteral("ForeColor"), &m_edit.ForeColor},
        {QStringLiteral("DayFillColorA"), &m_edit.DayFillColorA},
        {QStringLiteral("DayFillColorB"), &m_edit.DayFillColorB},
        {QStringLiteral("GridColorTL"), &m_edit.GridColorTL},
        {QStringLiteral("GridColorBR"), &m_edit.GridColorBR},
        {QStringLiteral("WeekdayColor"), &m_edit.WeekdayColor},
        {QStringLiteral("SaturdayColor"), &m_edit.SaturdayColor},
        {QStringLiteral("SundayColor"), &m_edit.SundayColor},
        {QStringLiteral("SpecialHolidayColor"), &m_edit.SpecialHolidayColor},
        {QStringLiteral("TodayTextColor"), &m_edit.TodayTextColor},
        {QStringLiteral("TodayBackColor"), &m_edit.TodayBackColor},
    };
    for (const auto &[name, value] : colors) {
        auto *button = new QPushButton(colorText(*value));
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, [this, button, value] {
            const QColor chosen = QColorDialog::getColor(fromOleColor(*value, palette()), this);
            if (!chosen.isValid())
                return;
            *value = toOleColor(chosen);
            button->setText(colorText(*value));
        });
        form->addRow(name, button);
    }
    return page;
}

QWidget *DatefoldPropertyPages::fontPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    const QList<std::pair<QString, QFont *>> fonts = {
        {QStringLiteral("Font"), &m_edit.Font},
        {QStringLiteral("NumberFont"), &m_edit.NumberFont},
        {QStringLiteral("WeekFont"), &m_edit.WeekFont},
        {QStringLiteral("MemoFont"), &m_edit.MemoFont},
    };
    for (const auto &[name, value] : fonts) {
        auto *button = new QPushButton(QStringLiteral("%1, %2pt").arg(value->family()).arg(value->pointSize()));
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, [this, button, value] {
            bool ok = false;
            const QFont chosen = QFontDialog::getFont(&ok, *value, this);
            if (!ok)
                return;
            *value = chosen;
            button->setText(QStringLiteral("%1, %2pt").arg(chosen.family()).arg(chosen.pointSize()));
        });
        form->addRow(name, button);
    }
    return page;
}
