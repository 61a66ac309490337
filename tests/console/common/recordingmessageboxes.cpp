#include "recordingmessageboxes.h"

#include <QStringList>

console::MessageAnswer RecordingMessageBoxes::show(const console::Message &message, QWidget *)
{
    shown.append(message);
    if (!answers.isEmpty())
        return answers.dequeue();
    switch (message.buttons) {
    case console::MessageButtons::YesNo:
    case console::MessageButtons::YesNoCancel:
        return console::MessageAnswer::Yes;
    case console::MessageButtons::Ok:
    case console::MessageButtons::OkCancel:
        break;
    }
    return console::MessageAnswer::Ok;
}

QStringList RecordingMessageBoxes::texts() const
{
    QStringList out;
    for (const console::Message &m : shown)
        out << m.text;
    return out;
}
