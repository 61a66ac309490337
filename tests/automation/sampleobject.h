#pragma once

#include <QColor>
#include <QDateTime>
#include <QObject>
#include <QVariant>

// A small automation object with the shapes the controls use: properties of
// 16-bit and Boolean type, methods with out-arguments, an indexed property
// and events with out-arguments.
class SampleObject : public QObject
{
    Q_OBJECT
    Q_PROPERTY(short Interval READ Interval WRITE setInterval)
    Q_PROPERTY(bool ShowTime READ ShowTime WRITE setShowTime)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
public:
    short Interval() const { return m_interval; }
    void setInterval(short v) { m_interval = v > 12 ? 24 : v; }
    bool ShowTime() const { return m_show; }
    void setShowTime(bool v) { m_show = v; }
    QString Caption() const { return m_caption; }
    void setCaption(const QString &c) { m_caption = c; }

    Q_INVOKABLE short Add(short a, short b) { return short(a + b); }
    Q_INVOKABLE bool Range(short index, double &start, double &end)
    {
        if (index < 0)
            return false;
        start = 1.5;
        end = 2.25;
        return true;
    }
    Q_INVOKABLE short Names(QVariant &names)
    {
        names = QVariantList{QStringLiteral("a"), QStringLiteral("b")};
        return 2;
    }
    Q_INVOKABLE QVariant Nothing() { return {}; }
    Q_INVOKABLE QString TagName(short index) const { return m_tags.value(index); }
    Q_INVOKABLE void setTagName(short index, const QString &name)
    {
        if (index >= m_tags.size())
            m_tags.resize(index + 1);
        m_tags[index] = name;
    }
    Q_INVOKABLE void Fire(short n)
    {
        bool enable = true;
        emit AskUI(n, enable);
        lastEnable = enable;
        emit Done(n);
    }

    bool lastEnable = true;

signals:
    void AskUI(short nIndex, bool &bEnable);
    void Done(short nIndex);

private:
    short m_interval = 3;
    bool m_show = true;
    QString m_caption;
    QStringList m_tags;
};
