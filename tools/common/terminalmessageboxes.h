#pragma once

#include "console/common/messageboxes.h"

#include <QTextStream>

class QIODevice;

namespace tools {

// The message boxes of a tool used from the command line: every text goes to
// standard error, exactly as the box would show it.  A question is answered
// Yes by --yes; without it, an operator at a terminal is asked (y/N), and
// anything else (a script, a pipe) is refused: the answer is No.
class TerminalMessageBoxes : public console::MessageBoxes
{
public:
    // input: the answers of an interactive operator (nullptr: not interactive).
    TerminalMessageBoxes(bool assumeYes, QIODevice *errors, QIODevice *input);

    console::MessageAnswer show(const console::Message &message, QWidget *parent) override;

    // For main(): standard error and, when it is a terminal, standard input.
    static TerminalMessageBoxes forProcess(bool assumeYes);

private:
    bool m_assumeYes;
    QIODevice *m_errors;
    QIODevice *m_input;
};

} // namespace tools
