#include "console/common/messageboxes.h"

#include <QAbstractButton>
#include <QMessageBox>

#include <utility>

namespace console {

void MessageBoxes::inform(QWidget *parent, const QString &text, bool systemModal, const QString &title)
{
    show({title, text, MessageButtons::Ok, MessageIcon::None, systemModal}, parent);
}

bool MessageBoxes::confirm(QWidget *parent, const QString &text, bool systemModal, const QString &title)
{
    return show({title, text, MessageButtons::YesNo, MessageIcon::Question, systemModal}, parent)
        == MessageAnswer::Yes;
}

namespace {

QMessageBox::StandardButtons buttonsOf(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon iconOf(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageAnswer QtMessageBoxes::show(const Message &message, QWidget *parent)
{
    QMessageBox box(iconOf(message.icon), message.title, message.text, buttonsOf(message.buttons), parent);
    const std::pair<QMessageBox::StandardButton, QString> captions[] = {
        {QMessageBox::Yes, QStringLiteral("はい(&Y)")},
        {QMessageBox::No, QStringLiteral("いいえ(&N)")},
        {QMessageBox::Cancel, QStringLiteral("キャンセル")},
    };
    for (const auto &[button, caption] : captions) {
        if (QAbstractButton *b = box.button(button))
            b->setText(caption);
    }
    if (message.defaultNo && box.button(QMessageBox::No))
        box.setDefaultButton(QMessageBox::No);
    if (message.systemModal) {
        box.setWindowModality(Qt::ApplicationModal);
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Ok;
    }
}

} // namespace console
