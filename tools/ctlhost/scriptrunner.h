#pragma once

#include <QMap>
#include <QObject>
#include <QString>
#include <QTextStream>
#include <QVariant>

#include <memory>

class QWidget;

namespace automation {
class AutomationControl;
class EventRelay;
} // namespace automation

namespace ctlhost {

// Runs host commands against one control and prints every result and every
// event as one line.  The command syntax is in the README ("The control test
// host").
class ScriptRunner : public QObject
{
    Q_OBJECT
public:
    explicit ScriptRunner(QTextStream &out, QObject *parent = nullptr);
    ~ScriptRunner() override;

    // Runs one line; false when the script should stop ("quit").
    bool runLine(const QString &line);
    // Runs every line of a stream until its end or "quit".
    void runStream(QTextStream &in);

    automation::AutomationControl *control() const { return m_control; }
    QWidget *host() const { return m_host.get(); }
    int errorCount() const { return m_errors; }

private:
    void print(const QString &line);
    void error(const QString &message);
    bool create(const QString &name);
    void printResult(const QString &what, const QVariant &value);

    QTextStream &m_out;
    std::unique_ptr<QWidget> m_host;
    automation::AutomationControl *m_control = nullptr;
    std::unique_ptr<automation::EventRelay> m_relay;
    bool m_printEvents = true;
    // Replies to events' out-arguments: event name (lower case) → (argument index → value).
    QMap<QString, QMap<int, QVariant>> m_answers;
    int m_errors = 0;
};

} // namespace ctlhost
