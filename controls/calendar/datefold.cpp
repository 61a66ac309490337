#include "calendar/datefold.h"

#include "calendar/dateformat.h"
#include "calendar/datefolddispatch.h"
#include "calendar/datefoldpropertypages.h"
#include "calendar/monthgrid.h"
#include "calendar/oledate.h"
#include "calendar/vbkeys.h"
#include "platform/clock.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

using namespace calendar;

Datefold::Datefold(QWidget *parent)
    : QWidget(parent)
    , m_model(new DatefoldModel(this))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    resize(156, 120);
    m_p.NumberFont = font();
    m_p.WeekFont = font();
    m_p.MemoFont = font();
    m_p.Font = font();
    m_dispatcher = automation::Dispatcher({this, m_model}, datefoldDispatchTable());

    connect(m_model, &DatefoldModel::changed, this, &Datefold::modelChanged);
    connect(m_model, &DatefoldModel::DateClick, this, &Datefold::DateClick);
    connect(m_model, &DatefoldModel::NewYear, this, &Datefold::NewYear);
    connect(m_model, &DatefoldModel::NewMonth, this, &Datefold::NewMonth);
}

Datefold::~Datefold() = default;

void Datefold::setProperties(const DatefoldProperties &p)
{
    m_p = p;
    propertyChanged();
}

void Datefold::propertyChanged()
{
    m_modified = true;
    update();
}

void Datefold::modelChanged()
{
    m_modified = true;
    update();
}

void Datefold::setFontProperty(const QFont &f)
{
    m_p.Font = f;
    setFont(f);
    propertyChanged();
}

void Datefold::setEnabledProperty(bool enabled)
{
    setEnabled(enabled);
    propertyChanged();
}

// ------------------------------------------------------------------ geometry

CalendarLayout Datefold::layout() const
{
    const QFontMetrics captionMetrics(m_p.Font);
    const QFontMetrics weekMetrics(m_p.WeekFont);
    const QDate month = m_model->displayedMonth();
    CalendarLayoutInput in;
    in.size = size();
    in.showYearMonth = m_p.ShowYearMonth;
    in.yearMonthHeight = captionMetrics.height() + 4;
    in.yearTextWidth = captionMetrics.horizontalAdvance(formatDatePicture(month, m_p.YearFormat));
    in.monthTextWidth = captionMetrics.horizontalAdvance(formatDatePicture(month, m_p.MonthFormat));
    in.headingHeight = weekMetrics.height() + 2;
    in.hasCaption = !m_p.Caption.isEmpty();
    in.captionHeight = captionMetrics.height() + 4;
    in.gridSpace = m_p.GridSpace;
    return CalendarLayout(in);
}

short Datefold::HitTest(int X, int Y, double &aDate) const
{
    const HitResult hit = layout().hitTest(QPoint(X, Y));
    if (hit.code == DfdHitDay)
        aDate = toOleDate(monthgrid::dateForCell(m_model->displayedMonth(), hit.row, hit.column));
    return hit.code;
}

void Datefold::AboutBox()
{
    showAboutBox(this);
}

// ------------------------------------------------------------------ painting

void Datefold::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    render(painter);
}

// ------------------------------------------------------------------ mouse and keys

void Datefold::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    emit MouseDown(vbButton(event->button()), vbShiftMask(event->modifiers()), p.x(), p.y());
    m_pressInside = true;
    if (event->button() == Qt::LeftButton)
        leftPress(p);
}

void Datefold::leftPress(const QPoint &p)
{
    const HitResult hit = layout().hitTest(p);
    switch (hit.code) {
    case DfdHitDay:
        m_model->clickDay(monthgrid::dateForCell(m_model->displayedMonth(), hit.row, hit.column));
        break;
    case DfdHitMonth:
        emit MonthClick(short(m_model->displayedMonth().month()));
        break;
    case DfdHitYear:
        emit YearClick(short(m_model->displayedMonth().year()));
        break;
    default:
        break;
    }
}

void Datefold::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    emit MouseMove(vbButton(event->buttons()), vbShiftMask(event->modifiers()), p.x(), p.y());
}

void Datefold::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    emit MouseUp(vbButton(event->button()), vbShiftMask(event->modifiers()), p.x(), p.y());
    if (m_pressInside && rect().contains(p))
        emit Click();
    m_pressInside = false;
}

void Datefold::mouseDoubleClickEvent(QMouseEvent *event)
{
    emit DblClick();
    // The second press of a double click still acts on the day or caption
    // under it, as a click does (a quick second click steps a month again).
    // The release that ends the double click raises MouseUp only: the double
    // click is not a Click as well.
    m_pressInside = false;
    if (event->button() == Qt::LeftButton)
        leftPress(event->position().toPoint());
}

void Datefold::keyPressEvent(QKeyEvent *event)
{
    short keyCode = vbKeyCode(event->key());
    emit KeyDown(keyCode, vbShiftMask(event->modifiers()));
    if (!event->text().isEmpty() && event->text().at(0).unicode() < 0x7F) {
        short ascii = short(event->text().at(0).unicode());
        emit KeyPress(ascii);
    }
    if (keyCode == 0) // the host cancelled the key
        return;
    m_model->moveByKey(event->key(), event->modifiers() & Qt::ControlModifier);
}

void Datefold::keyReleaseEvent(QKeyEvent *event)
{
    short keyCode = vbKeyCode(event->key());
    emit KeyUp(keyCode, vbShiftMask(event->modifiers()));
}

void Datefold::focusInEvent(QFocusEvent *)
{
    update();
}

void Datefold::focusOutEvent(QFocusEvent *)
{
    update();
}

bool Datefold::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        double date = 0;
        QString tip;
        if (m_p.ShowToolTip && HitTest(help->pos().x(), help->pos().y(), date) == DfdHitDay) {
            const QDate day = oleDateDay(date);
            QStringList lines{formatDatePicture(day, QStringLiteral("yyyy/M/d (ddd)"))};
            const QString holiday = m_model->holidays().holidayName(day);
            if (!holiday.isEmpty())
                lines << holiday;
            if (const auto memo = m_model->memos().get(toOleDate(day)))
                lines << memo->text;
            tip = lines.join(QLatin1Char('\n'));
        }
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(event);
}

// ------------------------------------------------------------------ persistence

namespace {

QString fontText(const QFont &f) { return f.toString(); }

QFont readFont(const automation::PropertyBag &bag, const QString &name, const QFont &fallback)
{
    QFont f = fallback;
    const QString text = bag.read(name).toString();
    if (!text.isEmpty())
        f.fromString(text);
    return f;
}

QString imageText(const QImage &image)
{
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QString::fromLatin1(bytes.toBase64());
}

QImage readImage(const QString &text)
{
    QImage image;
    if (!text.isEmpty())
        image.loadFromData(QByteArray::fromBase64(text.toLatin1()), "PNG");
    return image;
}

} // namespace

void Datefold::saveProperties(automation::PropertyBag &bag) const
{
    bag.setVersion(1, 2);
    bag.write(QStringLiteral("DayFillColorA"), m_p.DayFillColorA);
    bag.write(QStringLiteral("DayFillColorB"), m_p.DayFillColorB);
    bag.write(QStringLiteral("DayFormat"), m_p.DayFormat);
    bag.write(QStringLiteral("GridColorBR"), m_p.GridColorBR);
    bag.write(QStringLiteral("GridColorTL"), m_p.GridColorTL);
    bag.write(QStringLiteral("GridFillPattern"), m_p.GridFillPattern);
    bag.write(QStringLiteral("GridLine"), m_p.GridLine);
    bag.write(QStringLiteral("GridSpace"), m_p.GridSpace);
    bag.write(QStringLiteral("SpecialHolidayColor"), m_p.SpecialHolidayColor);
    bag.write(QStringLiteral("InitialDate"), m_p.InitialDate);
    bag.write(QStringLiteral("MonthFormat"), m_p.MonthFormat);
    bag.write(QStringLiteral("SaturdayColor"), m_p.SaturdayColor);
    bag.write(QStringLiteral("SundayColor"), m_p.SundayColor);
    bag.write(QStringLiteral("WeekFormat"), m_p.WeekFormat);
    bag.write(QStringLiteral("WeekdayColor"), m_p.WeekdayColor);
    bag.write(QStringLiteral("YearFormat"), m_p.YearFormat);
    bag.write(QStringLiteral("OnlyThisMonth"), m_model->OnlyThisMonth());
    bag.write(QStringLiteral("ShowYearMonth"), m_p.ShowYearMonth);
    bag.write(QStringLiteral("DatePosition"), m_model->DatePosition());
    bag.write(QStringLiteral("NumberFont"), fontText(m_p.NumberFont));
    bag.write(QStringLiteral("Picture"), imageText(m_p.Picture));
    bag.write(QStringLiteral("WeekFont"), fontText(m_p.WeekFont));
    bag.write(QStringLiteral("AutumnalEquinox"), m_model->AutumnalEquinox());
    bag.write(QStringLiteral("VernalEquinox"), m_model->VernalEquinox());
    bag.write(QStringLiteral("MemoFont"), fontText(m_p.MemoFont));
    bag.write(QStringLiteral("PictureLayout"), m_p.PictureLayout);
    bag.write(QStringLiteral("ShowCursor"), m_p.ShowCursor);
    bag.write(QStringLiteral("ShowToolTip"), m_p.ShowToolTip);
    bag.write(QStringLiteral("TodayTextColor"), m_p.TodayTextColor);
    bag.write(QStringLiteral("TodayBackColor"), m_p.TodayBackColor);
    bag.write(QStringLiteral("EnableTodayColor"), m_p.EnableTodayColor);
    bag.write(QStringLiteral("Appearance"), m_p.Appearance);
    bag.write(QStringLiteral("BackColor"), m_p.BackColor);
    bag.write(QStringLiteral("BorderStyle"), m_p.BorderStyle);
    bag.write(QStringLiteral("Caption"), m_p.Caption);
    bag.write(QStringLiteral("Enabled"), isEnabled());
    bag.write(QStringLiteral("ForeColor"), m_p.ForeColor);
    bag.write(QStringLiteral("Font"), fontText(m_p.Font));
}

bool Datefold::loadProperties(const automation::PropertyBag &bag)
{
    const DatefoldProperties d; // defaults for missing values
    DatefoldProperties p;
    auto color = [&](const char *name, quint32 def) { return quint32(bag.read(QLatin1String(name), def).toLongLong()); };
    auto text = [&](const char *name, const QString &def) { return bag.read(QLatin1String(name), def).toString(); };
    auto number = [&](const char *name, qint16 def) { return qint16(bag.read(QLatin1String(name), def).toInt()); };
    auto flag = [&](const char *name, bool def) { return bag.read(QLatin1String(name), def).toBool(); };

    p.DayFillColorA = color("DayFillColorA", d.DayFillColorA);
    p.DayFillColorB = color("DayFillColorB", d.DayFillColorB);
    p.DayFormat = text("DayFormat", d.DayFormat);
    p.GridColorBR = color("GridColorBR", d.GridColorBR);
    p.GridColorTL = color("GridColorTL", d.GridColorTL);
    p.GridFillPattern = number("GridFillPattern", d.GridFillPattern);
    p.GridLine = flag("GridLine", d.GridLine);
    p.GridSpace = number("GridSpace", d.GridSpace);
    p.SpecialHolidayColor = color("SpecialHolidayColor", d.SpecialHolidayColor);
    p.InitialDate = number("InitialDate", d.InitialDate);
    p.MonthFormat = text("MonthFormat", d.MonthFormat);
    p.SaturdayColor = color("SaturdayColor", d.SaturdayColor);
    p.SundayColor = color("SundayColor", d.SundayColor);
    p.WeekFormat = text("WeekFormat", d.WeekFormat);
    p.WeekdayColor = color("WeekdayColor", d.WeekdayColor);
    p.YearFormat = text("YearFormat", d.YearFormat);
    p.ShowYearMonth = flag("ShowYearMonth", d.ShowYearMonth);
    p.NumberFont = readFont(bag, QStringLiteral("NumberFont"), font());
    p.Picture = readImage(text("Picture", {}));
    p.WeekFont = readFont(bag, QStringLiteral("WeekFont"), font());
    p.MemoFont = readFont(bag, QStringLiteral("MemoFont"), font());
    p.PictureLayout = number("PictureLayout", d.PictureLayout);
    p.ShowCursor = flag("ShowCursor", d.ShowCursor);
    p.ShowToolTip = flag("ShowToolTip", d.ShowToolTip);
    // The today colours came with version 1.2.
    if (bag.versionAtLeast(1, 2)) {
        p.TodayTextColor = color("TodayTextColor", d.TodayTextColor);
        p.TodayBackColor = color("TodayBackColor", d.TodayBackColor);
        p.EnableTodayColor = flag("EnableTodayColor", d.EnableTodayColor);
    }
    p.Appearance = number("Appearance", d.Appearance);
    p.BackColor = color("BackColor", d.BackColor);
    p.BorderStyle = number("BorderStyle", d.BorderStyle);
    p.Caption = text("Caption", d.Caption);
    p.ForeColor = color("ForeColor", d.ForeColor);
    p.Font = readFont(bag, QStringLiteral("Font"), font());
    setEnabled(flag("Enabled", true));
    setFont(p.Font);
    m_p = p;

    m_model->setOnlyThisMonth(flag("OnlyThisMonth", false));
    if (bag.contains(QStringLiteral("VernalEquinox")))
        m_model->setVernalEquinox(bag.read(QStringLiteral("VernalEquinox")).toDouble());
    if (bag.contains(QStringLiteral("AutumnalEquinox")))
        m_model->setAutumnalEquinox(bag.read(QStringLiteral("AutumnalEquinox")).toDouble());
    // The saved date counts only with InitialDate = DfdPreset; otherwise today.
    const QDate saved = oleDateDay(bag.read(QStringLiteral("DatePosition"), 0.0).toDouble());
    m_model->resetCurrentDate(p.InitialDate == DfdPreset && saved.isValid() && bag.contains(QStringLiteral("DatePosition"))
                                  ? saved
                                  : platform::clock::today());
    m_modified = false;
    update();
    return true;
}

// ------------------------------------------------------------------ dialogs

void Datefold::showPropertyPages(QWidget *parent)
{
    DatefoldPropertyPages pages(this, parent);
    pages.exec();
}

void Datefold::showAboutBox(QWidget *parent)
{
    QMessageBox::about(parent, QStringLiteral("Datefold のバージョン情報"),
                       QStringLiteral("Datefold カレンダー コントロール\nバージョン 1.2\n\n"
                                      "祝日・振替休日・国民の休日の計算と日付メモを備えた月カレンダーです。"));
}
