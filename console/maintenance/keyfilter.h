#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace console {

// The key filter of the console's numeric boxes: a typed character is taken
// only when it is one of the allowed ones; control keys (backspace, the
// cursor keys, Tab, Enter, shortcuts) pass.  Input methods are switched off
// for the box, so that no full-width text can be composed into it.
class KeyFilter : public QObject
{
    Q_OBJECT
public:
    KeyFilter(const QString &allowed, QObject *parent);

    // Installs a filter on the box: "0123456789" for whole numbers,
    // "0123456789-." for values.
    static void install(QLineEdit *box, const QString &allowed);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString m_allowed;
};

} // namespace console
