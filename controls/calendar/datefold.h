#pragma once

#include "automation/automationcontrol.h"
#include "calendar/calendarlayout.h"
#include "calendar/datefoldmodel.h"
#include "calendar/datefoldproperties.h"

#include <QWidget>

class QPainter;

// The calendar control: one month as a grid of days with holiday colours and
// day memos.  The model (holidays, memos, current date) is a
// calendar::DatefoldModel; this widget holds the drawing properties, draws,
// handles mouse and keys and is what hosts see through automation.
class Datefold : public QWidget, public automation::AutomationControl
{
    Q_OBJECT
    Q_PROPERTY(quint32 DayFillColorA READ DayFillColorA WRITE setDayFillColorA)
    Q_PROPERTY(quint32 DayFillColorB READ DayFillColorB WRITE setDayFillColorB)
    Q_PROPERTY(QString DayFormat READ DayFormat WRITE setDayFormat)
    Q_PROPERTY(quint32 GridColorBR READ GridColorBR WRITE setGridColorBR)
    Q_PROPERTY(quint32 GridColorTL READ GridColorTL WRITE setGridColorTL)
    Q_PROPERTY(short GridFillPattern READ GridFillPattern WRITE setGridFillPattern)
    Q_PROPERTY(bool GridLine READ GridLine WRITE setGridLine)
    Q_PROPERTY(short GridSpace READ GridSpace WRITE setGridSpace)
    Q_PROPERTY(quint32 SpecialHolidayColor READ SpecialHolidayColor WRITE setSpecialHolidayColor)
    Q_PROPERTY(short InitialDate READ InitialDate WRITE setInitialDate)
    Q_PROPERTY(QString MonthFormat READ MonthFormat WRITE setMonthFormat)
    Q_PROPERTY(quint32 SaturdayColor READ SaturdayColor WRITE setSaturdayColor)
    Q_PROPERTY(quint32 SundayColor READ SundayColor WRITE setSundayColor)
    Q_PROPERTY(QString WeekFormat READ WeekFormat WRITE setWeekFormat)
    Q_PROPERTY(quint32 WeekdayColor READ WeekdayColor WRITE setWeekdayColor)
    Q_PROPERTY(QString YearFormat READ YearFormat WRITE setYearFormat)
    Q_PROPERTY(bool ShowYearMonth READ ShowYearMonth WRITE setShowYearMonth)
    Q_PROPERTY(QFont NumberFont READ NumberFont WRITE setNumberFont)
    Q_PROPERTY(QImage Picture READ Picture WRITE setPicture)
    Q_PROPERTY(QFont WeekFont READ WeekFont WRITE setWeekFont)
    Q_PROPERTY(QFont MemoFont READ MemoFont WRITE setMemoFont)
    Q_PROPERTY(short PictureLayout READ PictureLayout WRITE setPictureLayout)
    Q_PROPERTY(bool ShowCursor READ ShowCursor WRITE setShowCursor)
    Q_PROPERTY(bool ShowToolTip READ ShowToolTip WRITE setShowToolTip)
    Q_PROPERTY(quint32 TodayTextColor READ TodayTextColor WRITE setTodayTextColor)
    Q_PROPERTY(quint32 TodayBackColor READ TodayBackColor WRITE setTodayBackColor)
    Q_PROPERTY(bool EnableTodayColor READ EnableTodayColor WRITE setEnableTodayColor)
    Q_PROPERTY(short Appearance READ Appearance WRITE setAppearance)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(short BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabledProperty)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(QFont Font READ Font WRITE setFontProperty)

public:
    explicit Datefold(QWidget *parent = nullptr);
    ~Datefold() override;

    calendar::DatefoldModel &model() { return *m_model; }
    const calendar::DatefoldModel &model() const { return *m_model; }
    const calendar::DatefoldProperties &properties() const { return m_p; }
    void setProperties(const calendar::DatefoldProperties &p);
    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    // automation::AutomationControl
    QString controlName() const override { return QStringLiteral("Datefold"); }
    QWidget *controlWidget() override { return this; }
    const automation::Dispatcher &dispatcher() const override { return m_dispatcher; }
    QObject *eventSource() override { return this; }
    void saveProperties(automation::PropertyBag &bag) const override;
    bool loadProperties(const automation::PropertyBag &bag) override;
    void showPropertyPages(QWidget *parent) override;
    void showAboutBox(QWidget *parent) override;

    // The geometry of the calendar at the widget's present size.
    calendar::CalendarLayout layout() const;
    // Draws the whole control into any painter (screen or image).
    void render(QPainter &painter) const;

    QSize sizeHint() const override { return QSize(156, 120); }

    // Methods of the calendar (the others are members of the model).
    Q_INVOKABLE short HitTest(int X, int Y, double &aDate) const;
    Q_INVOKABLE void AboutBox();

#define DATEFOLD_PROPERTY(Type, Name)                                                                      \
    Type Name() const { return m_p.Name; }                                                                 \
    void set##Name(const Type &value)                                                                      \
    {                                                                                                      \
        m_p.Name = value;                                                                                  \
        propertyChanged();                                                                                 \
    }
    DATEFOLD_PROPERTY(quint32, DayFillColorA)
    DATEFOLD_PROPERTY(quint32, DayFillColorB)
    DATEFOLD_PROPERTY(QString, DayFormat)
    DATEFOLD_PROPERTY(quint32, GridColorBR)
    DATEFOLD_PROPERTY(quint32, GridColorTL)
    DATEFOLD_PROPERTY(short, GridFillPattern)
    DATEFOLD_PROPERTY(bool, GridLine)
    DATEFOLD_PROPERTY(short, GridSpace)
    DATEFOLD_PROPERTY(quint32, SpecialHolidayColor)
    DATEFOLD_PROPERTY(short, InitialDate)
    DATEFOLD_PROPERTY(QString, MonthFormat)
    DATEFOLD_PROPERTY(quint32, SaturdayColor)
    DATEFOLD_PROPERTY(quint32, SundayColor)
    DATEFOLD_PROPERTY(QString, WeekFormat)
    DATEFOLD_PROPERTY(quint32, WeekdayColor)
    DATEFOLD_PROPERTY(QString, YearFormat)
    DATEFOLD_PROPERTY(bool, ShowYearMonth)
    DATEFOLD_PROPERTY(QFont, NumberFont)
    DATEFOLD_PROPERTY(QImage, Picture)
    DATEFOLD_PROPERTY(QFont, WeekFont)
    DATEFOLD_PROPERTY(QFont, MemoFont)
    DATEFOLD_PROPERTY(short, PictureLayout)
    DATEFOLD_PROPERTY(bool, ShowCursor)
    DATEFOLD_PROPERTY(bool, ShowToolTip)
    DATEFOLD_PROPERTY(quint32, TodayTextColor)
    DATEFOLD_PROPERTY(quint32, TodayBackColor)
    DATEFOLD_PROPERTY(bool, EnableTodayColor)
    DATEFOLD_PROPERTY(short, Appearance)
    DATEFOLD_PROPERTY(quint32, BackColor)
    DATEFOLD_PROPERTY(short, BorderStyle)
    DATEFOLD_PROPERTY(QString, Caption)
    DATEFOLD_PROPERTY(quint32, ForeColor)
#undef DATEFOLD_PROPERTY
    QFont Font() const { return m_p.Font; }
    void setFontProperty(const QFont &font);
    bool Enabled() const { return isEnabled(); }
    void setEnabledProperty(bool enabled);

signals:
    void DateClick(double aDate);
    void MonthClick(short Month);
    void YearClick(short year);
    void NewYear(short new_year);
    void NewMonth(short new_month);
    void MouseDown(short Button, short Shift, int X, int Y);
    void MouseMove(short Button, short Shift, int X, int Y);
    void MouseUp(short Button, short Shift, int X, int Y);
    void Click();
    void KeyDown(short &KeyCode, short Shift);
    void KeyPress(short &KeyAscii);
    void KeyUp(short &KeyCode, short Shift);
    void DblClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool event(QEvent *event) override;

private:
    void propertyChanged();
    void modelChanged();
    // A left button press at p: a day, the month or the year of the caption.
    void leftPress(const QPoint &p);

    calendar::DatefoldModel *m_model;
    calendar::DatefoldProperties m_p;
    automation::Dispatcher m_dispatcher;
    bool m_modified = false;
    bool m_pressInside = false;
};
