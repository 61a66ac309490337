#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace automation {

// A control's persisted properties: named values in the order written, with
// the control's version stamp.  A host keeps it with its form and gives it
// back when it creates the control again.  Stored as JSON text.
class PropertyBag
{
public:
    PropertyBag() = default;
    PropertyBag(int major, int minor) : m_major(major), m_minor(minor) {}

    int versionMajor() const { return m_major; }
    int versionMinor() const { return m_minor; }
    void setVersion(int major, int minor) { m_major = major; m_minor = minor; }
    // True when the stamp is at least major.minor.
    bool versionAtLeast(int major, int minor) const
    {
        return m_major > major || (m_major == major && m_minor >= minor);
    }

    void write(const QString &name, const QVariant &value);
    bool contains(const QString &name) const;
    QVariant read(const QString &name, const QVariant &defaultValue = {}) const;
    QStringList names() const { return m_names; }
    bool isEmpty() const { return m_names.isEmpty(); }

    QByteArray toJson() const;
    // False (bag unchanged) when the text is no property bag.
    bool fromJson(const QByteArray &json, QString *error = nullptr);
    bool saveToFile(const QString &path) const;
    bool loadFromFile(const QString &path, QString *error = nullptr);

    bool operator==(const PropertyBag &other) const = default;

private:
    int m_major = 0;
    int m_minor = 0;
    QStringList m_names;
    QVariantList m_values;
};

} // namespace automation
