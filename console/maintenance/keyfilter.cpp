#include "console/maintenance/keyfilter.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace console {

KeyFilter::KeyFilter(const QString &allowed, QObject *parent)
    : QObject(parent)
    , m_allowed(allowed)
{
}

void KeyFilter::install(QLineEdit *box, const QString &allowed)
{
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->installEventFilter(new KeyFilter(allowed, box));
}

bool KeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        const bool typed = !text.isEmpty() && text.at(0).isPrint()
                           && !(key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
        if (typed) {
            for (const QChar c : text) {
                if (!m_allowed.contains(c))
                    return true; // discarded
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace console
