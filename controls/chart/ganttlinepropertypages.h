#pragma once

#include <QDialog>
#include <QMap>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;

namespace chart {

class ChartModel;

// The control's property pages: "General", "Scale", "Item and Piece",
// "Color" and "Edit", each editing the model's properties; OK and Apply write
// the changed values through the property setters (with their clamping).
class GanttlinePropertyPages : public QDialog
{
    Q_OBJECT
public:
    explicit GanttlinePropertyPages(ChartModel *model, QWidget *parent = nullptr);

    // Writes the edited values to the model.
    void apply();

private:
    QWidget *generalPage();
    QWidget *scalePage();
    QWidget *itemPage();
    QWidget *colorPage();
    QWidget *editPage();
    QComboBox *choice(const char *property, const QStringList &labels);
    QCheckBox *check(const char *property, const QString &label);
    QSpinBox *spin(const char *property, int lo, int hi);
    QDoubleSpinBox *size(const char *property);
    QComboBox *colorChoice(const char *property);

    ChartModel *m_model;
    QMap<QByteArray, QComboBox *> m_choices;
    QMap<QByteArray, QCheckBox *> m_checks;
    QMap<QByteArray, QSpinBox *> m_spins;
    QMap<QByteArray, QDoubleSpinBox *> m_sizes;
    QMap<QByteArray, QComboBox *> m_colors;
    QLineEdit *m_caption = nullptr;
    QList<QCheckBox *> m_maskBits;
};

} // namespace chart
