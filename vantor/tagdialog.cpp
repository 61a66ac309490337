#include "tagdialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace vantor {

TagDialog::TagDialog(const QVariantList &rows, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("タグ選択"));
    setObjectName(QStringLiteral("vantorTagDialog"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("タグを選択してください。"), this));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("tagList"));
    for (const QVariant &row : rows) {
        const QVariantList r = row.toList();
        const QString name = r.value(0).toString();
        const QString comment = r.value(3).toString();
        auto *item = new QListWidgetItem(comment.isEmpty() ? name : name + QStringLiteral("  ") + comment, m_list);
        item->setData(Qt::UserRole, name);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    layout->addWidget(m_list);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(360, 420);
}

QStringList TagDialog::selection() const
{
    QStringList names;
    for (int i = 0; i < m_list->count(); ++i) {
        const QListWidgetItem *item = m_list->item(i);
        if (item->checkState() == Qt::Checked)
            names << item->data(Qt::UserRole).toString() + QStringLiteral("$VALUE");
    }
    return names;
}

} // namespace vantor
