#pragma once

#include "console/common/messageboxes.h"

#include <QList>
#include <QQueue>

// Message boxes for tests: every box is recorded, none is shown.  Answers are
// taken from the queue; an empty queue answers Yes to a question and Ok (or
// the first button) otherwise.
class RecordingMessageBoxes : public console::MessageBoxes
{
public:
    console::MessageAnswer show(const console::Message &message, QWidget *parent) override;

    QList<console::Message> shown;
    QQueue<console::MessageAnswer> answers;

    // The texts of the boxes shown so far.
    QStringList texts() const;
    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
    void clear() { shown.clear(); answers.clear(); }
};
