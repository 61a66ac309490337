#include "platform/commandchannel.h"

#include "platform/programfolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>

namespace platform::channel {
namespace {

// Sends one request line and waits for one answer line.
bool exchange(const QString &application, const QString &topic, const QJsonObject &request,
              QJsonObject *answer, QString *error, int timeoutMs)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    QElapsedTimer elapsed;
    elapsed.start();
    auto left = [&] { return qMax(1, timeoutMs - int(elapsed.elapsed())); };

    QLocalSocket socket;
    socket.connectToServer(socketName(application, topic));
    if (!socket.waitForConnected(left()))
        return fail(QStringLiteral("no program serves %1|%2").arg(application, topic));
    socket.write(QJsonDocument(request).toJson(QJsonDocument::Compact) + '\n');
    if (!socket.waitForBytesWritten(left()))
        return fail(QStringLiteral("could not send to %1|%2").arg(application, topic));
    QByteArray buffer;
    while (!buffer.contains('\n')) {
        if (!socket.waitForReadyRead(left()))
            return fail(QStringLiteral("no answer from %1|%2").arg(application, topic));
        buffer += socket.readAll();
    }
    const QJsonObject reply = QJsonDocument::fromJson(buffer.left(buffer.indexOf('\n'))).object();
    if (!reply.value(QStringLiteral("ok")).toBool())
        return fail(reply.value(QStringLiteral("error")).toString(QStringLiteral("refused")));
    if (answer)
        *answer = reply;
    socket.disconnectFromServer();
    return true;
}

} // namespace

QString socketName(const QString &programFolder, const QString &application, const QString &topic)
{
    const QByteArray folder = QDir(programFolder).absolutePath().toUtf8();
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(10));
    return QStringLiteral("sch-%1-%2-%3").arg(hash, application.toLower(), topic.toLower());
}

QString socketName(const QString &application, const QString &topic)
{
    return socketName(programFolder(), application, topic);
}

bool isServing(const QString &application, const QString &topic, int timeoutMs)
{
    return exchange(application, topic, {{QStringLiteral("op"), QStringLiteral("ping")}}, nullptr,
                    nullptr, timeoutMs);
}

bool isPresent(const QString &application, const QString &topic, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(socketName(application, topic));
    const bool connected = socket.waitForConnected(timeoutMs);
    socket.abort();
    return connected;
}

bool poke(const QString &application, const QString &topic, const QString &item,
          const QString &text, QString *error, int timeoutMs)
{
    return exchange(application, topic,
                    {{QStringLiteral("op"), QStringLiteral("poke")},
                     {QStringLiteral("item"), item},
                     {QStringLiteral("text"), text}},
                    nullptr, error, timeoutMs);
}

bool request(const QString &application, const QString &topic, const QString &item,
             QString *text, QString *error, int timeoutMs)
{
    QJsonObject answer;
    if (!exchange(application, topic,
                  {{QStringLiteral("op"), QStringLiteral("request")}, {QStringLiteral("item"), item}},
                  &answer, error, timeoutMs))
        return false;
    if (text)
        *text = answer.value(QStringLiteral("text")).toString();
    return true;
}

bool activate(const QString &application, const QString &topic, QString *error, int timeoutMs)
{
    return exchange(application, topic, {{QStringLiteral("op"), QStringLiteral("activate")}},
                    nullptr, error, timeoutMs);
}

} // namespace platform::channel
