#include "tools/common/terminalmessageboxes.h"

#include <QFile>

#include <unistd.h>

namespace tools {

TerminalMessageBoxes::TerminalMessageBoxes(bool assumeYes, QIODevice *errors, QIODevice *input)
    : m_assumeYes(assumeYes)
    , m_errors(errors)
    , m_input(input)
{
}

TerminalMessageBoxes TerminalMessageBoxes::forProcess(bool assumeYes)
{
    static QFile errors;
    static QFile input;
    if (!errors.isOpen())
        errors.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    const bool interactive = ::isatty(STDIN_FILENO) && ::isatty(STDERR_FILENO);
    if (interactive && !input.isOpen())
        input.open(stdin, QIODevice::ReadOnly);
    return TerminalMessageBoxes(assumeYes, &errors, interactive ? &input : nullptr);
}

console::MessageAnswer TerminalMessageBoxes::show(const console::Message &message, QWidget *)
{
    const bool question = message.buttons == console::MessageButtons::YesNo
                          || message.buttons == console::MessageButtons::YesNoCancel;
    QByteArray text = message.text.toUtf8();
    if (!question) {
        m_errors->write(text + '\n');
        return console::MessageAnswer::Ok;
    }
    if (m_assumeYes) {
        m_errors->write(text + " (--yes)\n");
        return console::MessageAnswer::Yes;
    }
    if (!m_input) {
        m_errors->write(text + "\n" + QStringLiteral("--yes を付けると実行します。").toUtf8() + '\n');
        return console::MessageAnswer::No;
    }
    m_errors->write(text + " [y/N] ");
    const QByteArray answer = m_input->readLine().trimmed().toLower();
    return answer == "y" || answer == "yes" ? console::MessageAnswer::Yes : console::MessageAnswer::No;
}

} // namespace tools
