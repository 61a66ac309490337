#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

namespace vantor {

// The product's tag selection: every tag of the server with its comment,
// checked ones are the selection.
class TagDialog : public QDialog
{
    Q_OBJECT
public:
    // rows: [name, type, value, comment] per tag.
    explicit TagDialog(const QVariantList &rows, QWidget *parent = nullptr);

    // The checked tags as item names ("NAME$VALUE").
    QStringList selection() const;

private:
    QListWidget *m_list;
};

} // namespace vantor
