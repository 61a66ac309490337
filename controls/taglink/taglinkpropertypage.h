#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace taglink {

class TaglinkModel;

// The control's property page: login id, password, tag list and Active, with
// "参照(&B)" showing the product's tag selection.
class TaglinkPropertyPage : public QDialog
{
    Q_OBJECT
public:
    explicit TaglinkPropertyPage(TaglinkModel *model, QWidget *parent = nullptr);

    // Writes the page's values into the control.
    void apply();
    void browse();

private:
    TaglinkModel *m_model;
    QComboBox *m_loginId;
    QLineEdit *m_password;
    QPlainTextEdit *m_tagList;
    QCheckBox *m_active;
};

} // namespace taglink
