// vantorctl: lists, reads and writes the product's tags, raises an alarm and
// shows the write journal and the Modbus devices, for operators and tests.
//   vantorctl [--home DIR] list
//   vantorctl [--home DIR] read NAME...
//   vantorctl [--home DIR] write NAME VALUE
//   vantorctl [--home DIR] show NAME...      (value, binding, quality, last poll)
//   vantorctl [--home DIR] devices
//   vantorctl [--home DIR] reload            (modbus.csv)
//   vantorctl [--home DIR] journal [LINES]
//   vantorctl [--home DIR] alarm [TEXT]
#include "clientconnection.h"
#include "productfolder.h"
#include "tagstore.h"

#include "platform/clock.h"
#include "platform/runtimefolder.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <cstring>

namespace {

namespace protocol = vantor::protocol;

QTextStream out(stdout);
QTextStream err(stderr);

int usage()
{
    err << "usage: vantorctl [--home DIR] list | read NAME... | write NAME VALUE | show NAME... | devices | reload"
           " | journal [LINES] | alarm [TEXT]"
        << Qt::endl;
    return 2;
}

QString valueText(qint32 id, quint8 status, const QByteArray &bytes)
{
    if (status == protocol::StatusUnreadable)
        return QStringLiteral("(not readable)");
    if (protocol::idIsText(id))
        return vantor::TagStore::fromText16(bytes);
    double v = 0;
    if (bytes.size() == 8)
        std::memcpy(&v, bytes.constData(), 8);
    return vantor::TagStore::numberText(v);
}

int showJournal(const QString &folder, const QString &count)
{
    QByteArray journal;
    if (platform::readFileBytes(vantor::journalFile(folder), &journal) != platform::ReadStatus::Read) {
        err << "vantorctl: no journal in " << folder << Qt::endl;
        return 1;
    }
    QStringList lines = QString::fromUtf8(journal).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    bool ok = false;
    const int n = count.toInt(&ok);
    if (ok && n >= 0 && n < lines.size())
        lines = lines.mid(lines.size() - n);
    for (const QString &line : lines)
        out << line << Qt::endl;
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    platform::prepareRuntimeFolder();
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    QString folder = vantor::productFolder();
    if (args.size() >= 2 && args.at(0) == QLatin1String("--home")) {
        folder = QDir(args.at(1)).absolutePath();
        args = args.mid(2);
    }
    if (args.isEmpty())
        return usage();
    if (folder.isEmpty()) {
        err << "vantorctl: no product folder (set VANTOR_HOME or use --home)" << Qt::endl;
        return 2;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("journal"))
        return showJournal(folder, args.value(0));

    vantor::ClientConnection link;
    if (!link.open(folder, QStringLiteral("vantorctl"))) {
        err << "vantorctl: vantord does not answer in " << folder << Qt::endl;
        return 1;
    }
    QVariantList results;
    if (command == QLatin1String("list")) {
        if (!link.request(protocol::List, {}, &results))
            return 1;
        for (const QVariant &row : results.value(0).toList()) {
            const QVariantList r = row.toList();
            out << r.value(0).toString() << ',' << r.value(1).toString() << ',' << r.value(2).toString() << ','
                << r.value(3).toString() << Qt::endl;
        }
        return 0;
    }
    if (command == QLatin1String("read") || command == QLatin1String("write")) {
        if (args.isEmpty() || (command == QLatin1String("write") && args.size() != 2))
            return usage();
        const QStringList names = command == QLatin1String("write") ? args.mid(0, 1) : args;
        QVariantList cp932Names;
        for (const QString &n : names)
            cp932Names.append(platform::toCp932(n));
        if (!link.request(protocol::Resolve, {QVariant(cp932Names)}, &results))
            return 1;
        const QList<qint32> ids = protocol::toInts(results.value(0));
        for (int i = 0; i < ids.size(); ++i) {
            if (ids.at(i) < 0) {
                err << "vantorctl: unknown tag " << names.at(i) << Qt::endl;
                return 1;
            }
        }
        if (command == QLatin1String("write")) {
            const qint32 id = ids.at(0);
            QByteArray bytes;
            if (protocol::idIsText(id)) {
                bytes = vantor::TagStore::toText16(args.at(1));
            } else {
                bool ok = false;
                const double v = args.at(1).toDouble(&ok);
                if (!ok) {
                    err << "vantorctl: " << args.at(1) << " is not a number" << Qt::endl;
                    return 1;
                }
                bytes = QByteArray(reinterpret_cast<const char *>(&v), 8);
            }
            const QString time = platform::clock::now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
            if (!link.request(protocol::Write, {time, QVariantList{id}, QVariantList{bytes}}, &results,
                              qMax(2000, link.writeWaitMs() + 1000))) {
                err << "vantorctl: vantord did not answer the write" << Qt::endl;
                return 1;
            }
            if (results.value(0).toInt() != 0) {
                const QString why = results.value(1).toList().value(0).toString();
                err << "vantorctl: the write failed" << (why.isEmpty() ? QString() : QStringLiteral(": ") + why)
                    << Qt::endl;
                return 1;
            }
            return 0;
        }
        if (!link.request(protocol::Read, {QVariant(protocol::toList(ids))}, &results))
            return 1;
        const QList<qint32> statuses = protocol::toInts(results.value(0));
        const QList<QByteArray> values = protocol::toBytesList(results.value(1));
        for (int i = 0; i < ids.size() && i < statuses.size() && i < values.size(); ++i)
            out << names.at(i) << " = " << valueText(ids.at(i), quint8(statuses.at(i)), values.at(i)) << Qt::endl;
        return 0;
    }
    if (command == QLatin1String("show")) {
        if (args.isEmpty())
            return usage();
        QVariantList cp932Names;
        for (const QString &n : std::as_const(args))
            cp932Names.append(platform::toCp932(n));
        if (!link.request(protocol::Inspect, {QVariant(cp932Names)}, &results))
            return 1;
        const QVariantList rows = results.value(0).toList();
        int rc = 0;
        for (int i = 0; i < args.size(); ++i) {
            const QVariantList r = rows.value(i).toList();
            if (r.isEmpty()) {
                err << "vantorctl: unknown tag " << args.at(i) << Qt::endl;
                rc = 1;
                continue;
            }
            out << r.value(0).toString() << " = " << r.value(1).toString() << Qt::endl;
            const QString binding = r.value(2).toString();
            out << "  binding: " << (binding.isEmpty() ? QStringLiteral("none (kept by vantord)") : QStringLiteral("modbus ") + binding)
                << Qt::endl;
            out << "  quality: " << r.value(3).toString() << Qt::endl;
            if (!binding.isEmpty()) {
                const QString poll = r.value(4).toString();
                out << "  last poll: " << (poll.isEmpty() ? QStringLiteral("never") : poll) << Qt::endl;
            }
        }
        return rc;
    }
    if (command == QLatin1String("devices")) {
        if (!link.request(protocol::Devices, {}, &results))
            return 1;
        for (const QVariant &row : results.value(0).toList()) {
            const QVariantList r = row.toList();
            out << r.value(0).toString() << ' ' << r.value(1).toString() << " since " << r.value(2).toString();
            if (!r.value(3).toString().isEmpty())
                out << ": " << r.value(3).toString();
            out << " (" << r.value(4).toInt() << (r.value(4).toInt() == 1 ? " tag)" : " tags)") << Qt::endl;
        }
        return 0;
    }
    if (command == QLatin1String("reload")) {
        if (!link.request(protocol::Reload, {}, &results))
            return 1;
        for (const QString &p : results.value(1).toStringList())
            err << "vantorctl: " << p << Qt::endl;
        if (!results.value(0).toBool()) {
            err << "vantorctl: modbus.csv refused, the bindings stay as they were" << Qt::endl;
            return 1;
        }
        return 0;
    }
    if (command == QLatin1String("alarm")) {
        return link.request(protocol::RaiseAlarm, {args.join(QLatin1Char(' '))}) ? 0 : 1;
    }
    return usage();
}
