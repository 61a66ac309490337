#include "clock/tickfacemodel.h"

#include "clock/clocktime.h"
#include "clock/formatpicture.h"

#include "automation/automationerror.h"
#include "automation/propertybag.h"
#include "automation/variantconventions.h"
#include "platform/clock.h"

#include <QBuffer>

using namespace tickface;

namespace {

const QDateTime &oleEpochPlain()
{
    static const QDateTime epoch = plainTime(QDate(1899, 12, 30), QTime(0, 0));
    return epoch;
}

QDateTime plainFromOle(double oleDate)
{
    const QDateTime t = automation::fromOleDate(oleDate);
    if (!t.isValid())
        return oleEpochPlain();
    return wholeSeconds(t);
}

double oleFromPlain(const QDateTime &t)
{
    return automation::toOleDate(QDateTime(t.date(), t.time()));
}

QByteArray imageToPng(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

TickfaceModel::TickfaceModel(QObject *parent)
    : QObject(parent)
    , m_alarmTime(oleEpochPlain())
    , m_displayed(oleEpochPlain())
    , m_locale(defaultClockLocale())
{
}

TickfaceModel::~TickfaceModel() = default;

QFont TickfaceModel::defaultFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans JP")});
    f.setPointSize(9);
    return f;
}

void TickfaceModel::redraw()
{
    emit redrawRequested();
}

void TickfaceModel::playSound(const QString &path)
{
    emit soundRequested(path);
}

// Plain "store and redraw" properties.
#define TKF_REDRAW_SETTER(Setter, Type, member) \
    void TickfaceModel::Setter(Type v)          \
    {                                           \
        member = v;                             \
        redraw();                               \
    }

TKF_REDRAW_SETTER(setBackColor, uint, m_backColor)
TKF_REDRAW_SETTER(setCaption, const QString &, m_caption)
TKF_REDRAW_SETTER(setForeColor, uint, m_foreColor)
TKF_REDRAW_SETTER(setFont, const QFont &, m_font)
TKF_REDRAW_SETTER(setAppearance, short, m_appearance)
TKF_REDRAW_SETTER(setBorderStyle, short, m_borderStyle)
TKF_REDRAW_SETTER(setShowDate, bool, m_showDate)
TKF_REDRAW_SETTER(setShow24, bool, m_show24)
TKF_REDRAW_SETTER(setShowSecond, bool, m_showSecond)
TKF_REDRAW_SETTER(setShowNumber, bool, m_showNumber)
TKF_REDRAW_SETTER(setDifferenceTime, const QString &, m_differenceTime)
TKF_REDRAW_SETTER(setAlarmSw, bool, m_alarmSw)
TKF_REDRAW_SETTER(setHourColor, uint, m_hourColor)
TKF_REDRAW_SETTER(setMinuteColor, uint, m_minuteColor)
TKF_REDRAW_SETTER(setSecondColor, uint, m_secondColor)
TKF_REDRAW_SETTER(setDateFormat, const QString &, m_dateFormat)
TKF_REDRAW_SETTER(setTimeFormat, const QString &, m_timeFormat)
TKF_REDRAW_SETTER(setNumberColor, uint, m_numberColor)
TKF_REDRAW_SETTER(setPictureLayout, short, m_pictureLayout)
TKF_REDRAW_SETTER(setShowPlate, bool, m_showPlate)
TKF_REDRAW_SETTER(setNumberFont, const QFont &, m_numberFont)

#undef TKF_REDRAW_SETTER

void TickfaceModel::setClockType(short v)
{
    m_clockType = v;
    emit frameChanged();
    redraw();
}

void TickfaceModel::setChimeSw(bool b)
{
    m_chimeSw = b;
}

void TickfaceModel::setChimeWav(const QString &path)
{
    m_chimeWav = path;
    playSound(path);
}

void TickfaceModel::setAlarmSetting(short v)
{
    m_alarmSetting = v;
    setAlarmSw(true);
}

void TickfaceModel::setAlarmWav(const QString &path)
{
    m_alarmWav = path;
    playSound(path);
}

void TickfaceModel::setBaseTime(short v)
{
    const bool wanted = wantsTimer();
    m_baseTime = v;
    if (wantsTimer() != wanted)
        emit timerWantedChanged(wantsTimer());
    redraw();
}

double TickfaceModel::AlarmTime() const
{
    return oleFromPlain(m_alarmTime);
}

void TickfaceModel::setAlarmTime(double oleDate)
{
    setAlarmTimeValue(plainFromOle(oleDate));
}

void TickfaceModel::setAlarmTimeValue(const QDateTime &t)
{
    m_alarmTime = t.isValid() ? wholeSeconds(t) : oleEpochPlain();
    playSound(m_alarmWav);
    setAlarmSw(true);
}

QVariant TickfaceModel::Picture() const
{
    if (m_picture.isNull())
        return {};
    return m_picture;
}

void TickfaceModel::setPicture(const QVariant &picture)
{
    if (!picture.isValid() || picture.isNull()) {
        m_picture = QImage();
    } else if (picture.canConvert<QImage>() && picture.metaType().id() != QMetaType::QString) {
        m_picture = picture.value<QImage>();
    } else {
        const QString path = picture.toString();
        if (path.isEmpty()) {
            m_picture = QImage();
        } else {
            QImage image(path);
            if (image.isNull())
                return; // no image there: keep what is shown
            m_picture = image;
        }
    }
    redraw();
}

double TickfaceModel::DisplayTime() const
{
    if (m_baseTime == TkfUserSet)
        return oleFromPlain(m_displayed);
    return oleFromPlain(clockTime());
}

void TickfaceModel::setDisplayTime(double oleDate)
{
    setDisplayedTime(plainFromOle(oleDate));
}

void TickfaceModel::setDisplayedTime(const QDateTime &t)
{
    const QDateTime value = t.isValid() ? wholeSeconds(t) : oleEpochPlain();
    if (value == m_displayed)
        return;
    m_displayed = value;
    m_modified = true;
    redraw();
}

void TickfaceModel::setFrameType(short v)
{
    if (v < TkfFrameRectangle || v > TkfFrameTransparent) {
        automation::raiseError(automation::errnum::InvalidPropertyValue, QStringLiteral("Invalid property value"));
        return;
    }
    m_frameType = v;
    m_modified = true;
    emit frameChanged();
    redraw();
}

QDateTime TickfaceModel::clockTime() const
{
    if (m_baseTime == TkfUserSet)
        return m_displayed;
    return runningClockTime(platform::clock::now(), m_baseTime == TkfGMT, m_differenceTime);
}

QString TickfaceModel::GetDateString() const
{
    return formatDatePicture(clockTime(), m_dateFormat, m_locale);
}

QString TickfaceModel::GetTimeString() const
{
    return formatTimePicture(clockTime(), m_timeFormat, m_locale);
}

double TickfaceModel::OffsetTime(short nHours, short nMins, short nSecs)
{
    const qint64 span = qint64(nHours) * 3600 + qint64(nMins) * 60 + qint64(nSecs);
    setDisplayedTime(m_displayed.addSecs(span));
    return DisplayTime();
}

QString TickfaceModel::dateText() const
{
    return formatDatePicture(m_displayed, m_dateFormat, m_locale);
}

QString TickfaceModel::timeText() const
{
    return formatTimePicture(m_displayed, m_timeFormat, m_locale);
}

void TickfaceModel::setLocale(const QLocale &locale)
{
    m_locale = locale;
    redraw();
}

void TickfaceModel::tick()
{
    const QDateTime t = clockTime();
    // The whole time is compared, not only its second: a clock set on by a
    // whole number of minutes must still show the new time.
    if (t == m_displayed)
        return;
    m_displayed = t;
    const QTime tm = t.time();
    const short second = short(tm.second());
    if (!m_showSecond && second != 0) {
        emit SecondChanged(second);
        return;
    }
    redraw();
    if (m_chimeSw && tm.minute() == 0 && second == 0)
        playSound(m_chimeWav);
    if (m_alarmSw) {
        const QTime a = m_alarmTime.time();
        if (a.hour() == tm.hour() && a.minute() == tm.minute() && a.second() == tm.second()) {
            playSound(m_alarmWav);
            emit Alarm();
            if (m_alarmSetting == TkfOnce)
                setAlarmSw(false);
        }
    }
    emit SecondChanged(second);
    if (second != 0)
        return;
    emit MinuteChanged(short(tm.minute()));
    if (tm.minute() == 0)
        emit HourChanged(short(tm.hour()));
}

void TickfaceModel::saveProperties(automation::PropertyBag &bag) const
{
    bag.setVersion(VersionMajor, VersionMinor);
    bag.write(QStringLiteral("BackColor"), m_backColor);
    bag.write(QStringLiteral("Caption"), m_caption);
    bag.write(QStringLiteral("ForeColor"), m_foreColor);
    bag.write(QStringLiteral("Font"), m_font.toString());
    bag.write(QStringLiteral("ShowDate"), m_showDate);
    bag.write(QStringLiteral("Show24"), m_show24);
    bag.write(QStringLiteral("ShowSecond"), m_showSecond);
    bag.write(QStringLiteral("ShowNumber"), m_showNumber);
    bag.write(QStringLiteral("ClockType"), m_clockType);
    bag.write(QStringLiteral("DifferenceTime"), m_differenceTime);
    bag.write(QStringLiteral("ChimeSw"), m_chimeSw);
    bag.write(QStringLiteral("ChimeWav"), m_chimeWav);
    bag.write(QStringLiteral("AlarmSw"), m_alarmSw);
    bag.write(QStringLiteral("AlarmSetting"), m_alarmSetting);
    bag.write(QStringLiteral("AlarmWav"), m_alarmWav);
    bag.write(QStringLiteral("HourColor"), m_hourColor);
    bag.write(QStringLiteral("MinuteColor"), m_minuteColor);
    bag.write(QStringLiteral("SecondColor"), m_secondColor);
    bag.write(QStringLiteral("DateFormat"), m_dateFormat);
    bag.write(QStringLiteral("TimeFormat"), m_timeFormat);
    bag.write(QStringLiteral("BaseTime"), m_baseTime);
    bag.write(QStringLiteral("Picture"), m_picture.isNull() ? QString() : QString::fromLatin1(imageToPng(m_picture).toBase64()));
    bag.write(QStringLiteral("NumberFont"), m_numberFont.toString());
    bag.write(QStringLiteral("Appearance"), m_appearance);
    bag.write(QStringLiteral("NumberColor"), m_numberColor);
    bag.write(QStringLiteral("AlarmTime"), AlarmTime());
    bag.write(QStringLiteral("DisplayTime"), oleFromPlain(m_displayed));
    bag.write(QStringLiteral("BorderStyle"), m_borderStyle);
    bag.write(QStringLiteral("PictureLayout"), m_pictureLayout);
    bag.write(QStringLiteral("ShowPlate"), m_showPlate);
    bag.write(QStringLiteral("FrameType"), m_frameType);
}

bool TickfaceModel::loadProperties(const automation::PropertyBag &bag)
{
    auto boolOf = [&](const char *name, bool def) {
        const QVariant v = bag.read(QString::fromLatin1(name));
        return v.isValid() ? automation::fromVariantBool(v) : def;
    };
    auto shortOf = [&](const char *name, short def) {
        bool ok = false;
        const int v = bag.read(QString::fromLatin1(name)).toInt(&ok);
        return ok ? short(v) : def;
    };
    auto uintOf = [&](const char *name, uint def) {
        bool ok = false;
        const uint v = bag.read(QString::fromLatin1(name)).toUInt(&ok);
        return ok ? v : def;
    };
    auto stringOf = [&](const char *name, const QString &def) {
        const QVariant v = bag.read(QString::fromLatin1(name));
        return v.isValid() ? v.toString() : def;
    };
    auto fontOf = [&](const char *name, const QFont &def) {
        QFont f = def;
        const QString text = bag.read(QString::fromLatin1(name)).toString();
        if (!text.isEmpty() && !f.fromString(text))
            f = def;
        return f;
    };
    auto dateOf = [&](const char *name, const QDateTime &def) {
        bool ok = false;
        const double v = bag.read(QString::fromLatin1(name)).toDouble(&ok);
        return ok ? plainFromOle(v) : def;
    };

    // Values are stored as saved; no write behaviour (sounds, arming) runs.
    m_backColor = uintOf("BackColor", m_backColor);
    m_caption = stringOf("Caption", m_caption);
    m_foreColor = uintOf("ForeColor", m_foreColor);
    m_font = fontOf("Font", m_font);
    m_showDate = boolOf("ShowDate", m_showDate);
    m_show24 = boolOf("Show24", m_show24);
    m_showSecond = boolOf("ShowSecond", m_showSecond);
    m_showNumber = boolOf("ShowNumber", m_showNumber);
    m_clockType = shortOf("ClockType", m_clockType);
    m_differenceTime = stringOf("DifferenceTime", m_differenceTime);
    m_chimeSw = boolOf("ChimeSw", m_chimeSw);
    m_chimeWav = stringOf("ChimeWav", m_chimeWav);
    m_alarmSw = boolOf("AlarmSw", m_alarmSw);
    m_alarmSetting = shortOf("AlarmSetting", m_alarmSetting);
    m_alarmWav = stringOf("AlarmWav", m_alarmWav);
    m_hourColor = uintOf("HourColor", m_hourColor);
    m_minuteColor = uintOf("MinuteColor", m_minuteColor);
    m_secondColor = uintOf("SecondColor", m_secondColor);
    m_dateFormat = stringOf("DateFormat", m_dateFormat);
    m_timeFormat = stringOf("TimeFormat", m_timeFormat);
    const bool wanted = wantsTimer();
    m_baseTime = shortOf("BaseTime", m_baseTime);
    const QString png = bag.read(QStringLiteral("Picture")).toString();
    if (!png.isEmpty())
        m_picture = QImage::fromData(QByteArray::fromBase64(png.toLatin1()), "PNG");
    m_numberFont = fontOf("NumberFont", m_numberFont);
    m_appearance = shortOf("Appearance", m_appearance);
    m_numberColor = uintOf("NumberColor", m_numberColor);
    m_alarmTime = dateOf("AlarmTime", m_alarmTime);
    m_displayed = dateOf("DisplayTime", m_displayed);
    m_borderStyle = shortOf("BorderStyle", m_borderStyle);
    m_pictureLayout = shortOf("PictureLayout", m_pictureLayout);
    m_showPlate = boolOf("ShowPlate", m_showPlate);
    if (bag.versionAtLeast(1, 1)) {
        const short frame = shortOf("FrameType", m_frameType);
        if (frame >= TkfFrameRectangle && frame <= TkfFrameTransparent)
            m_frameType = frame;
    }
    m_modified = false;
    if (wantsTimer() != wanted)
        emit timerWantedChanged(wantsTimer());
    emit frameChanged();
    redraw();
    return true;
}
