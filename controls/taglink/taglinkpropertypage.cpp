#include "taglink/taglinkpropertypage.h"

#include "taglink/taglinkmodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace taglink {
namespace {
constexpr int LoginIdCount = 32;
constexpr int MaxTagListLength = 65535;
} // namespace

TaglinkPropertyPage::TaglinkPropertyPage(TaglinkModel *model, QWidget *parent)
    : QDialog(parent), m_model(model)
{
    setWindowTitle(QStringLiteral("Taglink プロパティ"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;

    m_loginId = new QComboBox(this);
    m_loginId->setObjectName(QStringLiteral("loginId"));
    for (int i = 0; i < LoginIdCount; ++i)
        m_loginId->addItem(QString::number(i));
    m_loginId->setCurrentIndex(qBound(0, int(model->loginId()), LoginIdCount - 1));
    form->addRow(QStringLiteral("ログインID(&L)"), m_loginId);

    m_password = new QLineEdit(model->loginPassword(), this);
    m_password->setObjectName(QStringLiteral("password"));
    m_password->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("パスワード(&P)"), m_password);

    m_tagList = new QPlainTextEdit(this);
    m_tagList->setObjectName(QStringLiteral("tagList"));
    m_tagList->setPlainText(model->tagList());
    connect(m_tagList, &QPlainTextEdit::textChanged, this, [this] {
        // The box holds at most 65535 characters.
        const QString text = m_tagList->toPlainText();
        if (text.size() > MaxTagListLength)
            m_tagList->setPlainText(text.left(MaxTagListLength));
    });
    auto *tagRow = new QHBoxLayout;
    tagRow->addWidget(m_tagList);
    auto *browseButton = new QPushButton(QStringLiteral("参照(&B)"), this);
    browseButton->setObjectName(QStringLiteral("browse"));
    connect(browseButton, &QPushButton::clicked, this, &TaglinkPropertyPage::browse);
    tagRow->addWidget(browseButton, 0, Qt::AlignTop);
    form->addRow(QStringLiteral("タグリスト(&T)"), tagRow);

    m_active = new QCheckBox(QStringLiteral("接続(&A)"), this);
    m_active->setObjectName(QStringLiteral("active"));
    m_active->setChecked(model->isActive());
    form->addRow(QString(), m_active);
    layout->addLayout(form);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        apply();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, &TaglinkPropertyPage::apply);
    layout->addWidget(buttons);
    resize(420, 360);
}

void TaglinkPropertyPage::apply()
{
    // Only what changed is set: every change of these closes the link.
    if (m_loginId->currentIndex() != m_model->loginId())
        m_model->setLoginId(qint16(m_loginId->currentIndex()));
    if (m_password->text() != m_model->loginPassword())
        m_model->setLoginPassword(m_password->text());
    QString list = m_tagList->toPlainText();
    list.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    list.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    if (list != m_model->tagList())
        m_model->setTagList(list);
    if (m_active->isChecked() != m_model->isActive())
        m_model->setActive(m_active->isChecked());
    m_active->setChecked(m_model->isActive());
}

void TaglinkPropertyPage::browse()
{
    QString list;
    if (m_model->selectTags(&list))
        m_tagList->setPlainText(QString(list).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

} // namespace taglink
