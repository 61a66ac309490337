#pragma once

#include "clock/tickfaceconstants.h"

#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QLocale>
#include <QObject>
#include <QString>
#include <QVariant>

namespace automation {
class PropertyBag;
}

// All state and logic of the clock control Tickface, without a screen: the
// properties of its automation interface, the clock time, the tick with the
// chime, the alarm and the time events, the formats and property
// persistence.  The widget draws it and runs its timer; tests drive tick()
// with the frozen program clock.
//
// Dates cross the automation boundary as automation dates (double); colours
// as 32-bit 0x00BBGGRR values; Booleans as bool (the dispatcher makes them
// 16-bit); enumerations as 16-bit integers.
class TickfaceModel : public QObject
{
    Q_OBJECT
    // Stock properties.
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(QFont Font READ Font WRITE setFont)
    Q_PROPERTY(short Appearance READ Appearance WRITE setAppearance)
    Q_PROPERTY(short BorderStyle READ BorderStyle WRITE setBorderStyle)
    // The clock's own properties.
    Q_PROPERTY(bool ShowDate READ ShowDate WRITE setShowDate)
    Q_PROPERTY(bool Show24 READ Show24 WRITE setShow24)
    Q_PROPERTY(bool ShowSecond READ ShowSecond WRITE setShowSecond)
    Q_PROPERTY(bool ShowNumber READ ShowNumber WRITE setShowNumber)
    Q_PROPERTY(short ClockType READ ClockType WRITE setClockType)
    Q_PROPERTY(QString DifferenceTime READ DifferenceTime WRITE setDifferenceTime)
    Q_PROPERTY(bool ChimeSw READ ChimeSw WRITE setChimeSw)
    Q_PROPERTY(QString ChimeWav READ ChimeWav WRITE setChimeWav)
    Q_PROPERTY(bool AlarmSw READ AlarmSw WRITE setAlarmSw)
    Q_PROPERTY(short AlarmSetting READ AlarmSetting WRITE setAlarmSetting)
    Q_PROPERTY(QString AlarmWav READ AlarmWav WRITE setAlarmWav)
    Q_PROPERTY(uint HourColor READ HourColor WRITE setHourColor)
    Q_PROPERTY(uint MinuteColor READ MinuteColor WRITE setMinuteColor)
    Q_PROPERTY(uint SecondColor READ SecondColor WRITE setSecondColor)
    Q_PROPERTY(QString DateFormat READ DateFormat WRITE setDateFormat)
    Q_PROPERTY(QString TimeFormat READ TimeFormat WRITE setTimeFormat)
    Q_PROPERTY(short BaseTime READ BaseTime WRITE setBaseTime)
    Q_PROPERTY(uint NumberColor READ NumberColor WRITE setNumberColor)
    Q_PROPERTY(double AlarmTime READ AlarmTime WRITE setAlarmTime)
    Q_PROPERTY(short PictureLayout READ PictureLayout WRITE setPictureLayout)
    Q_PROPERTY(bool ShowPlate READ ShowPlate WRITE setShowPlate)
    Q_PROPERTY(QVariant Picture READ Picture WRITE setPicture)
    Q_PROPERTY(QFont NumberFont READ NumberFont WRITE setNumberFont)
    Q_PROPERTY(double DisplayTime READ DisplayTime WRITE setDisplayTime)
    Q_PROPERTY(short FrameType READ FrameType WRITE setFrameType)

public:
    explicit TickfaceModel(QObject *parent = nullptr);
    ~TickfaceModel() override;

    // The version stamp of persisted properties.
    static constexpr int VersionMajor = 1;
    static constexpr int VersionMinor = 1;

    uint BackColor() const { return m_backColor; }
    void setBackColor(uint c);
    QString Caption() const { return m_caption; }
    void setCaption(const QString &text);
    uint ForeColor() const { return m_foreColor; }
    void setForeColor(uint c);
    QFont Font() const { return m_font; }
    void setFont(const QFont &f);
    short Appearance() const { return m_appearance; }
    void setAppearance(short v);
    short BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(short v);

    bool ShowDate() const { return m_showDate; }
    void setShowDate(bool b);
    bool Show24() const { return m_show24; }
    void setShow24(bool b);
    bool ShowSecond() const { return m_showSecond; }
    void setShowSecond(bool b);
    bool ShowNumber() const { return m_showNumber; }
    void setShowNumber(bool b);
    short ClockType() const { return m_clockType; }
    void setClockType(short v);
    QString DifferenceTime() const { return m_differenceTime; }
    void setDifferenceTime(const QString &text);
    bool ChimeSw() const { return m_chimeSw; }
    void setChimeSw(bool b);
    QString ChimeWav() const { return m_chimeWav; }
    void setChimeWav(const QString &path);
    bool AlarmSw() const { return m_alarmSw; }
    void setAlarmSw(bool b);
    short AlarmSetting() const { return m_alarmSetting; }
    void setAlarmSetting(short v);
    QString AlarmWav() const { return m_alarmWav; }
    void setAlarmWav(const QString &path);
    uint HourColor() const { return m_hourColor; }
    void setHourColor(uint c);
    uint MinuteColor() const { return m_minuteColor; }
    void setMinuteColor(uint c);
    uint SecondColor() const { return m_secondColor; }
    void setSecondColor(uint c);
    QString DateFormat() const { return m_dateFormat; }
    void setDateFormat(const QString &picture);
    QString TimeFormat() const { return m_timeFormat; }
    void setTimeFormat(const QString &picture);
    short BaseTime() const { return m_baseTime; }
    void setBaseTime(short v);
    uint NumberColor() const { return m_numberColor; }
    void setNumberColor(uint c);
    double AlarmTime() const;
    void setAlarmTime(double oleDate);
    short PictureLayout() const { return m_pictureLayout; }
    void setPictureLayout(short v);
    bool ShowPlate() const { return m_showPlate; }
    void setShowPlate(bool b);
    // The background picture: a QImage, or the path of an image file (read
    // at once; a file that is no image clears nothing and is ignored).  An
    // empty variant removes the picture.
    QVariant Picture() const;
    void setPicture(const QVariant &picture);
    QFont NumberFont() const { return m_numberFont; }
    void setNumberFont(const QFont &f);
    // The stored displayed time with TkfUserSet, else the clock time.
    double DisplayTime() const;
    void setDisplayTime(double oleDate);
    short FrameType() const { return m_frameType; }
    // Values outside 0..2 are refused with automation error 380 and change nothing.
    void setFrameType(short v);

    Q_INVOKABLE QString GetDateString() const;
    Q_INVOKABLE QString GetTimeString() const;
    Q_INVOKABLE double OffsetTime(short nHours, short nMins, short nSecs);

    // The same, with date-times (plain wall times, see clocktime.h).
    QDateTime displayedTime() const { return m_displayed; }
    void setDisplayedTime(const QDateTime &t);
    QDateTime alarmTime() const { return m_alarmTime; }
    void setAlarmTimeValue(const QDateTime &t);
    QImage pictureImage() const { return m_picture; }
    // The time the clock would show now.
    QDateTime clockTime() const;

    // One timer tick (also run when the window is shown): takes the clock
    // time and, when it differs from the displayed time, shows it and runs
    // the chime, the alarm and the time events.
    void tick();
    // True while a timer should run (every base time but TkfUserSet).
    bool wantsTimer() const { return m_baseTime != tickface::TkfUserSet; }

    // Texts of the shown time, as the faces draw them.
    QString dateText() const;
    QString timeText() const;

    QLocale locale() const { return m_locale; }
    void setLocale(const QLocale &locale);

    bool isModified() const { return m_modified; }
    void setModified(bool m) { m_modified = m; }

    // Property persistence under the property names, version 1.1.  Loading
    // stores the values as they were saved: it plays no sound and arms no
    // alarm.  FrameType is read only from data of version 1.1 or later.
    void saveProperties(automation::PropertyBag &bag) const;
    bool loadProperties(const automation::PropertyBag &bag);

    // The font a new clock writes with: a Japanese user-interface font.
    static QFont defaultFont();

    // Raised by the widget for the stock mouse events.
    void fireClick() { emit Click(); }
    void fireDblClick() { emit DblClick(); }

signals:
    // Events of the automation interface, in their table order.
    void Click();
    void DblClick();
    void Alarm();
    void HourChanged(short hour);
    void MinuteChanged(short minute);
    void SecondChanged(short second);

    // For the widget: the face must be drawn again.
    void redrawRequested();
    // The window's shape may have changed (FrameType, ClockType).
    void frameChanged();
    // A sound file to play once, asynchronously.
    void soundRequested(const QString &path);
    // The base time switched between a running clock and a set one.
    void timerWantedChanged(bool wanted);

private:
    void redraw();
    void playSound(const QString &path);

    uint m_backColor = 0x8000000F; // button face, as a new control inherits

    QString m_caption;
    uint m_foreColor = 0x80000012; // button text
    QFont m_font = defaultFont();
    short m_appearance = tickface::TkfAppFlat;
    short m_borderStyle = tickface::TkfBorderNone;

    bool m_showDate = false;
    bool m_show24 = false;
    bool m_showSecond = true;
    bool m_showNumber = true;
    short m_clockType = tickface::TkfAnalog;
    QString m_differenceTime = QStringLiteral(" 00:00");
    bool m_chimeSw = false;
    QString m_chimeWav = QString::fromLatin1(tickface::NoSound);
    bool m_alarmSw = false;
    short m_alarmSetting = tickface::TkfOnce;
    QString m_alarmWav = QString::fromLatin1(tickface::NoSound);
    uint m_hourColor = 0;
    uint m_minuteColor = 0;
    uint m_secondColor = 0;
    QString m_dateFormat = QStringLiteral("YY:MM:DD");
    QString m_timeFormat = QStringLiteral("HH:MM:SS");
    short m_baseTime = tickface::TkfLocal;
    uint m_numberColor = 0;
    QDateTime m_alarmTime;
    short m_pictureLayout = tickface::TkfCenter;
    bool m_showPlate = true;
    QImage m_picture;
    QFont m_numberFont = defaultFont();
    QDateTime m_displayed;
    short m_frameType = tickface::TkfFrameRectangle;

    QLocale m_locale;
    bool m_modified = false;
};
