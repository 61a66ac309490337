#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace vantor {

// One tag of the product: a number (8-byte float) or a text of up to 16
// bytes (CP932), with a comment text.
struct Tag
{
    QString name;
    bool isText = false;
    double number = 0.0;
    QByteArray text;     // exactly 16 bytes, zero padded
    QString comment;
};

// The tags the server serves, loaded from tags.csv, and their present values.
// Every tag has two items: its value ("NAME$VALUE", or the bare name) and its
// comment ("NAME$CMT", a text).  Item ids are positive; unknown names get -1.
class TagStore
{
public:
    // The header line every tags.csv starts with.
    static constexpr const char *Header = "name,type,value,comment";

    // Loads the lines after the header (line ends CR LF, LF or CR).
    // Malformed lines are skipped and described in *problems as
    // "tags.csv:<line>: <why>".  A file whose first line is not the header is
    // refused as a whole: false, no tags, and the reason in *problems.  A
    // missing or empty file gives no tags.
    bool loadCsv(const QString &path, QStringList *problems);
    // Parses CSV text (the same rules, for tests).
    bool parseCsv(const QByteArray &bytes, const QString &fileLabel, QStringList *problems);

    int size() const { return int(m_tags.size()); }
    const Tag &tag(int index) const { return m_tags.at(index); }

    // The id and value type (protocol TypeNumber / TypeText) of an item name
    // in CP932; a negative id for a name the product does not know.
    qint32 resolve(const QByteArray &itemName, quint8 *type) const;
    bool isValidId(qint32 id) const;

    // The value bytes of an item (8 for numbers, 16 for texts).
    QByteArray read(qint32 id) const;
    // Stores the value bytes of an item; false for an unknown id or a wrong
    // byte count.  *changed tells whether the value differs from before.
    bool write(qint32 id, const QByteArray &bytes, bool *changed);

    // What the journal shows of an item and a value.
    QString itemLabel(qint32 id) const;
    QString valueText(qint32 id, const QByteArray &bytes) const;

    // Present values by tag name, for keeping them over a restart.
    QByteArray saveState() const;
    // Takes the values of tags that still exist with the same type.
    bool loadState(const QByteArray &json);

    // A number in its shortest form (in single precision when the value is one).
    static QString numberText(double v);
    static QByteArray toText16(const QString &text);
    static QString fromText16(const QByteArray &bytes);

    // The position of a tag name (exact, else without regard to case); -1 if none.
    int indexOfName(const QString &name) const;
    // The id of a tag's value item.
    qint32 valueId(int index) const;

private:

    QList<Tag> m_tags;
    QHash<QString, int> m_byName;
};

} // namespace vantor
