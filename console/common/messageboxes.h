#pragma once

#include <QString>

class QWidget;

namespace console {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Question, Warning, Critical };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// One message box as the console shows it.  systemModal: the box stays in
// front of every window of the machine (a system-modal box of the old
// console), not only of its own form.
struct Message
{
    QString title;
    QString text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    bool systemModal = false;
    // A question whose Enter key answers No (an operation on the plant).
    bool defaultNo = false;
};

// Every message box of the console goes through this interface: the program
// shows real boxes (QtMessageBoxes), tests answer them and record what was
// asked (a recording implementation in the tests).
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;

    virtual MessageAnswer show(const Message &message, QWidget *parent) = 0;

    // The usual shapes: an OK box titled "確認", a Yes/No question titled
    // "確認" (true on Yes).
    void inform(QWidget *parent, const QString &text, bool systemModal = true,
                const QString &title = QStringLiteral("確認"));
    bool confirm(QWidget *parent, const QString &text, bool systemModal = true,
                 const QString &title = QStringLiteral("確認"));
};

// Real QMessageBoxes with the buttons a Japanese system shows ("はい",
// "いいえ", "キャンセル"): system-modal boxes stay on top of every window.
class QtMessageBoxes : public MessageBoxes
{
public:
    MessageAnswer show(const Message &message, QWidget *parent) override;
};

} // namespace console
