#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace platform {

// The owner's side of a command link "application|topic" (see commandchannel.h).
// It holds the texts of its items; a poke that changes an item's text emits
// itemChanged after the sender has had its answer, so that a handler may end
// the program at once.  A poke of the text an item already holds changes
// nothing and emits nothing.
class CommandServer : public QObject
{
    Q_OBJECT
public:
    CommandServer(const QString &application, const QString &topic, QObject *parent = nullptr);
    ~CommandServer() override;

    // Declares an item with its first text.
    void addItem(const QString &item, const QString &text = QString());
    QString itemText(const QString &item) const;
    // Sets an item's text locally (no signal), as the owner's own edit.
    void setItemText(const QString &item, const QString &text);

    // Starts serving.  Fails when another live program already serves the
    // link; a socket left behind by a program that died is taken over.
    bool listen(QString *error = nullptr);
    bool isListening() const;
    QString socketName() const { return m_socketName; }

signals:
    void itemChanged(const QString &item, const QString &text);
    void activateRequested();

private:
    void onNewConnection();
    void onReadyRead(QLocalSocket *socket);
    QByteArray handle(const QByteArray &line, QString *changedItem);

    QString m_socketName;
    QLocalServer *m_server = nullptr;
    QHash<QString, QString> m_items; // key: item name in lower case
};

} // namespace platform
