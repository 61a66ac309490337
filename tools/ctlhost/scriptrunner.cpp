#include "scriptrunner.h"

#include "controlfactory.h"
#include "scriptvalue.h"

#include "automation/automationcontrol.h"
#include "automation/eventrelay.h"
#include "automation/variantconventions.h"
#include "platform/clock.h"
#include "platform/programfolder.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QEventLoop>
#include <QPixmap>
#include <QProcess>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

namespace ctlhost {
namespace {

// Script words with the quoted-marker of splitWords removed.
struct Word
{
    QString text;
    bool quoted = false;
};

QList<Word> toWords(const QStringList &raw)
{
    QList<Word> words;
    for (QString w : raw) {
        Word word;
        if (w.startsWith(QChar(0x1))) {
            word.quoted = true;
            w.remove(0, 1);
        }
        word.text = w;
        words.append(word);
    }
    return words;
}

QString joinArgs(const QVariantList &args)
{
    QStringList parts;
    for (const QVariant &a : args) {
        if (a.typeId() == QMetaType::QString)
            parts << QLatin1Char('"') + a.toString() + QLatin1Char('"');
        else
            parts << automation::displayText(a);
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace

ScriptRunner::ScriptRunner(QTextStream &out, QObject *parent)
    : QObject(parent), m_out(out)
{
}

ScriptRunner::~ScriptRunner()
{
    m_relay.reset();
}

void ScriptRunner::print(const QString &line)
{
    m_out << line << Qt::endl;
}

// Why a call failed; an automation error raised by the control leads with its number.
static QString resultError(const automation::DispatchResult &r)
{
    if (r.errorNumber != 0)
        return QStringLiteral("%1 %2").arg(r.errorNumber).arg(r.error);
    return r.error;
}

void ScriptRunner::error(const QString &message)
{
    ++m_errors;
    print(QStringLiteral("error ") + message);
}

void ScriptRunner::printResult(const QString &what, const QVariant &value)
{
    if (value.typeId() == QMetaType::QString)
        print(QStringLiteral("result %1 = \"%2\"").arg(what, value.toString()));
    else
        print(QStringLiteral("result %1 = %2").arg(what, automation::displayText(value)));
}

bool ScriptRunner::create(const QString &name)
{
    m_relay.reset();
    m_host = std::make_unique<QWidget>();
    m_host->setWindowTitle(QStringLiteral("ctlhost - ") + name);
    auto *layout = new QVBoxLayout(m_host.get());
    layout->setContentsMargins(0, 0, 0, 0);
    m_control = createControl(name, m_host.get());
    if (!m_control) {
        m_host.reset();
        error(QStringLiteral("unknown control %1 (known: %2)").arg(name, controlNames().join(QStringLiteral(", "))));
        return false;
    }
    layout->addWidget(m_control->controlWidget());
    m_host->resize(640, 400);
    m_relay = std::make_unique<automation::EventRelay>(
        m_control->eventSource(), m_control->dispatcher().table(),
        [this](const automation::DispatchMember &e, QVariantList &args) {
            const auto answers = m_answers.value(QString::fromLatin1(e.name).toLower());
            for (auto it = answers.begin(); it != answers.end(); ++it) {
                if (it.key() >= 0 && it.key() < args.size())
                    args[it.key()] = it.value();
            }
            if (m_printEvents)
                print(QStringLiteral("event %1(%2)").arg(QLatin1String(e.name), joinArgs(args)));
        });
    m_host->show();
    print(QStringLiteral("created %1").arg(m_control->controlName()));
    return true;
}

bool ScriptRunner::runLine(const QString &rawLine)
{
    const QString line = rawLine.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
        return true;
    QStringList raw;
    if (!splitWords(line, &raw)) {
        error(QStringLiteral("unterminated quote: ") + line);
        return true;
    }
    const QList<Word> words = toWords(raw);
    const QString cmd = words.at(0).text.toLower();
    auto argValues = [&](int from) {
        QVariantList values;
        for (int i = from; i < words.size(); ++i)
            values << parseValue(words.at(i).text, words.at(i).quoted);
        return values;
    };
    // A property or method named "Name" or "#id".  Events are numbered
    // apart from them (PieceRangeStart and ScaleForeColor are both 1): an
    // identifier names the property or method, and an event's name is refused.
    auto memberOf = [&](const QString &w) -> std::optional<automation::DispatchMember> {
        bool byId = false;
        const int id = w.startsWith(QLatin1Char('#')) ? w.mid(1).toInt(&byId) : 0;
        if (w.startsWith(QLatin1Char('#')) && !byId)
            return std::nullopt;
        for (const automation::DispatchMember &m : m_control->dispatcher().table()) {
            if (m.kind == automation::MemberKind::Event)
                continue;
            if (byId ? m.id == id : QString::fromLatin1(m.name).compare(w, Qt::CaseInsensitive) == 0)
                return m;
        }
        return std::nullopt;
    };

    if (cmd == QLatin1String("quit") || cmd == QLatin1String("exit"))
        return false;
    if (cmd == QLatin1String("echo")) {
        print(line.mid(4).trimmed());
        return true;
    }
    if (cmd == QLatin1String("create")) {
        if (words.size() < 2)
            error(QStringLiteral("create needs a control name"));
        else
            create(words.at(1).text);
        return true;
    }
    if (cmd == QLatin1String("wait")) {
        const int ms = words.value(1).text.toInt();
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
        return true;
    }
    if (cmd == QLatin1String("clock")) {
        // clock run|freeze <yyyy-MM-dd HH:mm:ss>, clock advance <ms>, clock system, clock
        const QString mode = words.value(1).text.toLower();
        const QString moment = words.mid(2).isEmpty() ? QString() : [&] {
            QStringList parts;
            for (int i = 2; i < words.size(); ++i)
                parts << words.at(i).text;
            return parts.join(QLatin1Char(' '));
        }();
        if (mode == QLatin1String("run") || mode == QLatin1String("freeze")) {
            const QDateTime t = platform::clock::parseMoment(moment);
            if (!t.isValid()) {
                error(QStringLiteral("bad moment ") + moment);
                return true;
            }
            if (mode == QLatin1String("run"))
                platform::clock::runFrom(t);
            else
                platform::clock::setNow(t);
        } else if (mode == QLatin1String("advance")) {
            platform::clock::advance(words.value(2).text.toLongLong());
        } else if (mode == QLatin1String("system")) {
            platform::clock::useSystemClock();
        } else if (!mode.isEmpty()) {
            error(QStringLiteral("clock run|freeze|advance|system"));
            return true;
        }
        print(QStringLiteral("clock %1").arg(platform::clock::now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
        return true;
    }
    if (cmd == QLatin1String("events")) {
        m_printEvents = words.value(1).text.compare(QLatin1String("off"), Qt::CaseInsensitive) != 0;
        return true;
    }
    if (cmd == QLatin1String("answer")) {
        // answer <Event> <argument index> <value>: the host's reply to an out-argument
        if (words.size() < 4) {
            error(QStringLiteral("answer <Event> <index> <value>"));
            return true;
        }
        m_answers[words.at(1).text.toLower()][words.at(2).text.toInt()] = parseValue(words.at(3).text, words.at(3).quoted);
        return true;
    }

    if (cmd == QLatin1String("run")) {
        // run <program> [args...]: a program beside ctlhost (for example
        // vantorctl), its output printed line by line, so that a script can
        // show what a control did outside the host.
        if (words.size() < 2) {
            error(QStringLiteral("run needs a program"));
            return true;
        }
        QStringList programArgs;
        for (int i = 2; i < words.size(); ++i)
            programArgs << words.at(i).text;
        QProcess process;
        process.start(platform::siblingProgram(words.at(1).text), programArgs);
        if (!process.waitForFinished(10000)) {
            process.kill();
            process.waitForFinished(1000);
            error(QStringLiteral("run %1: %2").arg(words.at(1).text, process.errorString()));
            return true;
        }
        const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &l : lines)
            print(l);
        if (process.exitCode() != 0)
            error(QStringLiteral("run %1: exit code %2 %3")
                      .arg(words.at(1).text)
                      .arg(process.exitCode())
                      .arg(QString::fromUtf8(process.readAllStandardError()).trimmed()));
        return true;
    }

    if (!m_control) {
        error(QStringLiteral("no control: use create <name> first"));
        return true;
    }
    if (cmd == QLatin1String("get") || cmd == QLatin1String("set") || cmd == QLatin1String("call")) {
        if (words.size() < 2) {
            error(cmd + QStringLiteral(" needs a member"));
            return true;
        }
        const auto m = memberOf(words.at(1).text);
        if (!m) {
            const auto event = m_control->dispatcher().member(words.at(1).text);
            if (event && event->kind == automation::MemberKind::Event)
                error(QStringLiteral("%1 is an event").arg(QLatin1String(event->name)));
            else
                error(QStringLiteral("unknown member ") + words.at(1).text);
            return true;
        }
        const QString name = QString::fromLatin1(m->name);
        if (cmd == QLatin1String("set")) {
            // set <Prop> [index...] <value>
            QVariantList values = argValues(2);
            if (values.isEmpty()) {
                error(QStringLiteral("set needs a value"));
                return true;
            }
            const QVariant value = values.takeLast();
            const automation::DispatchResult r = m_control->dispatcher().put(name, value, values);
            if (!r.ok)
                error(resultError(r));
            else
                print(QStringLiteral("set %1").arg(name));
            return true;
        }
        QVariantList args = argValues(2);
        const automation::DispatchResult r = cmd == QLatin1String("get") ? m_control->dispatcher().get(name, args)
                                                                        : m_control->dispatcher().call(name, args);
        if (!r.ok) {
            error(resultError(r));
            return true;
        }
        printResult(name, r.value);
        // Out-arguments come back in args; print those the script left as "empty" placeholders.
        for (int i = 0; i < args.size(); ++i) {
            const Word &w = words.at(i + 2);
            if (!w.quoted && w.text.compare(QLatin1String("empty"), Qt::CaseInsensitive) == 0) {
                if (args.at(i).typeId() == QMetaType::QString)
                    print(QStringLiteral("out %1[%2] = \"%3\"").arg(name).arg(i).arg(args.at(i).toString()));
                else
                    print(QStringLiteral("out %1[%2] = %3").arg(name).arg(i).arg(automation::displayText(args.at(i))));
            }
        }
        return true;
    }
    if (cmd == QLatin1String("resize")) {
        m_host->resize(words.value(1).text.toInt(), words.value(2).text.toInt());
        QApplication::processEvents();
        return true;
    }
    if (cmd == QLatin1String("show")) {
        m_host->show();
        return true;
    }
    if (cmd == QLatin1String("hide")) {
        m_host->hide();
        return true;
    }
    if (cmd == QLatin1String("key")) {
        // key <sequence>, e.g. "key Right" or "key Ctrl+PgDown": pressed and
        // released in the control's focused child (or its focus proxy).
        const QKeySequence seq = QKeySequence::fromString(words.value(1).text);
        if (seq.isEmpty()) {
            error(QStringLiteral("key needs a key, e.g. key Ctrl+Down"));
            return true;
        }
        QWidget *c = m_control->controlWidget();
        QWidget *target = c->focusWidget() ? c->focusWidget() : c->focusProxy() ? c->focusProxy() : c;
        const QKeyCombination k = seq[0];
        QKeyEvent press(QEvent::KeyPress, int(k.key()), k.keyboardModifiers());
        QKeyEvent release(QEvent::KeyRelease, int(k.key()), k.keyboardModifiers());
        QCoreApplication::sendEvent(target, &press);
        QCoreApplication::sendEvent(target, &release);
        QApplication::processEvents();
        print(QStringLiteral("key ") + seq.toString());
        return true;
    }
    if (cmd == QLatin1String("screenshot")) {
        QApplication::processEvents();
        const QString path = words.value(1).text;
        if (m_control->controlWidget()->grab().save(path))
            print(QStringLiteral("screenshot ") + path);
        else
            error(QStringLiteral("cannot save ") + path);
        return true;
    }
    if (cmd == QLatin1String("save") || cmd == QLatin1String("load")) {
        const QString path = words.value(1).text;
        automation::PropertyBag bag;
        if (cmd == QLatin1String("save")) {
            m_control->saveProperties(bag);
            if (bag.saveToFile(path))
                print(QStringLiteral("saved %1 (version %2.%3)").arg(path).arg(bag.versionMajor()).arg(bag.versionMinor()));
            else
                error(QStringLiteral("cannot save ") + path);
        } else {
            QString why;
            if (bag.loadFromFile(path, &why) && m_control->loadProperties(bag))
                print(QStringLiteral("loaded ") + path);
            else
                error(QStringLiteral("cannot load %1 %2").arg(path, why));
        }
        return true;
    }
    if (cmd == QLatin1String("members")) {
        for (const automation::DispatchMember &m : m_control->dispatcher().table()) {
            const char *kind = m.kind == automation::MemberKind::Property ? "property"
                               : m.kind == automation::MemberKind::Method ? "method"
                                                                          : "event";
            print(QStringLiteral("member %1 %2 %3").arg(m.id).arg(QLatin1String(kind), QLatin1String(m.name)));
        }
        return true;
    }
    if (cmd == QLatin1String("about")) {
        m_control->showAboutBox(m_host.get());
        return true;
    }
    if (cmd == QLatin1String("properties")) {
        m_control->showPropertyPages(m_host.get());
        return true;
    }
    error(QStringLiteral("unknown command ") + words.at(0).text);
    return true;
}

void ScriptRunner::runStream(QTextStream &in)
{
    QString line;
    while (in.readLineInto(&line)) {
        if (!runLine(line))
            break;
    }
}

} // namespace ctlhost
