#include "chart/ganttlinepropertypages.h"

#include "chart/chartmodel.h"
#include "chart/olecolor.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QPixmap>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace chart {
namespace {

const QString NewColorEntry = QStringLiteral("*New Color");

QString colorText(quint32 c)
{
    return QStringLiteral("%1").arg(c, 8, 16, QLatin1Char('0')).toUpper();
}

QIcon swatch(quint32 c, const QPalette &palette)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(olecolor::resolve(c, palette));
    return QIcon(pixmap);
}

} // namespace

GanttlinePropertyPages::GanttlinePropertyPages(ChartModel *model, QWidget *parent)
    : QDialog(parent), m_model(model)
{
    setWindowTitle(QStringLiteral("Ganttline Properties"));
    auto *tabs = new QTabWidget(this);
    tabs->addTab(generalPage(), QStringLiteral("General"));
    tabs->addTab(scalePage(), QStringLiteral("Scale"));
    tabs->addTab(itemPage(), QStringLiteral("Item and Piece"));
    tabs->addTab(colorPage(), QStringLiteral("Color"));
    tabs->addTab(editPage(), QStringLiteral("Edit"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        apply();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, &GanttlinePropertyPages::apply);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    tabs->setMinimumWidth(tabs->tabBar()->sizeHint().width() + 8); // every page title in sight
    layout->addWidget(buttons);
}

QComboBox *GanttlinePropertyPages::choice(const char *property, const QStringList &labels)
{
    auto *box = new QComboBox;
    box->addItems(labels);
    box->setCurrentIndex(m_model->property(property).toInt());
    m_choices.insert(property, box);
    return box;
}

QCheckBox *GanttlinePropertyPages::check(const char *property, const QString &label)
{
    auto *box = new QCheckBox(label);
    box->setChecked(m_model->property(property).toBool());
    m_checks.insert(property, box);
    return box;
}

QSpinBox *GanttlinePropertyPages::spin(const char *property, int lo, int hi)
{
    auto *box = new QSpinBox;
    box->setRange(lo, hi);
    box->setValue(m_model->property(property).toInt());
    m_spins.insert(property, box);
    return box;
}

QDoubleSpinBox *GanttlinePropertyPages::size(const char *property)
{
    auto *box = new QDoubleSpinBox;
    box->setRange(0, 1e6);
    box->setDecimals(0);
    box->setValue(m_model->property(property).toDouble());
    m_sizes.insert(property, box);
    return box;
}

QComboBox *GanttlinePropertyPages::colorChoice(const char *property)
{
    auto *box = new QComboBox;
    const quint32 current = m_model->property(property).toUInt();
    const quint32 offered[] = {current,
                               olecolor::system(olecolor::ButtonFace),
                               olecolor::system(olecolor::ButtonText),
                               olecolor::system(olecolor::Window),
                               olecolor::system(olecolor::WindowText),
                               olecolor::system(olecolor::ButtonShadow),
                               olecolor::system(olecolor::Highlight),
                               0x00000000u,
                               0x00FFFFFFu,
                               0x000000FFu,
                               0x0000FF00u,
                               0x00FF0000u};
    for (quint32 c : offered) {
        if (box->findData(c) < 0)
            box->addItem(swatch(c, palette()), colorText(c), c);
    }
    box->addItem(NewColorEntry);
    box->setCurrentIndex(0);
    connect(box, &QComboBox::activated, this, [this, box](int index) {
        if (box->itemText(index) != NewColorEntry)
            return;
        const QColor chosen = QColorDialog::getColor(Qt::white, this);
        if (!chosen.isValid()) {
            box->setCurrentIndex(0);
            return;
        }
        const quint32 c = olecolor::fromQColor(chosen);
        box->insertItem(index, swatch(c, palette()), colorText(c), c);
        box->setCurrentIndex(index);
    });
    m_colors.insert(property, box);
    return box;
}

QWidget *GanttlinePropertyPages::generalPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->addRow(QStringLiteral("ActionStyle"), choice("ActionStyle", {QStringLiteral("0 - Browse"), QStringLiteral("1 - Edit")}));
    form->addRow(QStringLiteral("Appearance"), choice("Appearance", {QStringLiteral("0 - Flat"), QStringLiteral("1 - 3D")}));
    form->addRow(QStringLiteral("BorderStyle"),
                 choice("BorderStyle", {QStringLiteral("0 - None"), QStringLiteral("1 - Fixed Single")}));
    form->addRow(QStringLiteral("ChartStyle"), choice("ChartStyle", {QStringLiteral("0 - Flat"), QStringLiteral("1 - Raised")}));
    form->addRow(QStringLiteral("FontStyle"),
                 choice("FontStyle", {QStringLiteral("0 - Falt"), QStringLiteral("1 - Raised"),
                                      QStringLiteral("2 - Raised with shadow"), QStringLiteral("3 - Inset"),
                                      QStringLiteral("4 - Inset with shadow")}));
    m_caption = new QLineEdit(m_model->Caption());
    form->addRow(QStringLiteral("Caption"), m_caption);
    form->addRow(check("Enabled", QStringLiteral("Enabled")));
    form->addRow(check("ShowCursor", QStringLiteral("ShowCursor")));
    form->addRow(check("ShowCurTime", QStringLiteral("ShowCurTime")));
    return page;
}

QWidget *GanttlinePropertyPages::scalePage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->addRow(QStringLiteral("ScaleRangeTop"), spin("ScaleRangeTop", 0, 46));
    form->addRow(QStringLiteral("ScaleRangeEnd"), spin("ScaleRangeEnd", 1, 47));
    form->addRow(QStringLiteral("ScaleInterval"), spin("ScaleInterval", 1, 24));
    form->addRow(QStringLiteral("ScaleMinuteInterval"), spin("ScaleMinuteInterval", 0, 60));
    form->addRow(QStringLiteral("ScaleMode"), choice("ScaleMode", {QStringLiteral("0 - WindowFit"), QStringLiteral("1 - FreeSize")}));
    form->addRow(QStringLiteral("ScaleWidth"), size("ScaleWidth"));
    return page;
}

QWidget *GanttlinePropertyPages::itemPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->addRow(QStringLiteral("ItemNameWidth"), size("ItemNameWidth"));
    form->addRow(QStringLiteral("ItemHeightMode"),
                 choice("ItemHeightMode", {QStringLiteral("0 - Automatic"), QStringLiteral("1 - FreeSize")}));
    form->addRow(QStringLiteral("ItemHeight"), size("ItemHeight"));
    form->addRow(QStringLiteral("PieceTextPosition"),
                 choice("PieceTextPosition", {QStringLiteral("0 - Center"), QStringLiteral("1 - Left"), QStringLiteral("2 - Right")}));
    form->addRow(check("ShowPieceTime", QStringLiteral("ShowPieceTime")));
    return page;
}

QWidget *GanttlinePropertyPages::colorPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    for (const char *p : {"BackColor", "CaptionBackColor", "ScaleBackColor", "ItemNameBackColor", "PieceDotColor",
                          "PieceRectColor", "GridColor", "ForeColor", "CaptionForeColor", "ScaleForeColor",
                          "ItemNameForeColor", "PieceLineColor", "PieceTextColor"})
        form->addRow(QString::fromLatin1(p), colorChoice(p));
    return page;
}

QWidget *GanttlinePropertyPages::editPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *group = new QGroupBox(QStringLiteral("Mask UI"));
    auto *bits = new QVBoxLayout(group);
    const std::pair<const char *, int> masks[] = {
        {"AddItem", GntMaskAddItemUI},       {"InsertItem", GntMaskInsertItemUI},
        {"RemoveItem", GntMaskRemoveItemUI}, {"EditItemName", GntMaskEditItemNameUI},
        {"AddPiece", GntMaskAddPieceUI},     {"MovePiece", GntMaskMovePieceUI},
        {"RemovePiece", GntMaskRemovePieceUI}, {"EditPieceText", GntMaskEditPieceTextUI},
    };
    for (const auto &[label, bit] : masks) {
        auto *box = new QCheckBox(QString::fromLatin1(label));
        box->setProperty("maskBit", bit);
        box->setChecked((m_model->UIMask() & bit) != 0);
        bits->addWidget(box);
        m_maskBits << box;
    }
    layout->addWidget(group);
    layout->addStretch();
    return page;
}

void GanttlinePropertyPages::apply()
{
    const auto write = [this](const QByteArray &name, const QVariant &value) {
        if (m_model->property(name.constData()) != value)
            m_model->setProperty(name.constData(), value);
    };
    for (auto it = m_choices.begin(); it != m_choices.end(); ++it) {
        const QVariant old = m_model->property(it.key().constData());
        QVariant v = it.value()->currentIndex();
        v.convert(old.metaType());
        write(it.key(), v);
    }
    for (auto it = m_checks.begin(); it != m_checks.end(); ++it)
        write(it.key(), it.value()->isChecked());
    // Each end of the scale range is clamped against the other: the top is
    // written again after the end, so that a range moved past the old end
    // arrives whole (22..40 from 2..20) where the rules allow it.
    for (const char *p : {"ScaleRangeTop", "ScaleRangeEnd", "ScaleRangeTop", "ScaleInterval", "ScaleMinuteInterval"})
        write(p, QVariant::fromValue<short>(short(m_spins.value(p)->value())));
    for (auto it = m_sizes.begin(); it != m_sizes.end(); ++it)
        write(it.key(), float(it.value()->value()));
    for (auto it = m_colors.begin(); it != m_colors.end(); ++it) {
        const QVariant data = it.value()->currentData();
        if (data.isValid())
            write(it.key(), QVariant::fromValue<quint32>(data.toUInt()));
    }
    write("Caption", m_caption->text());
    int mask = m_model->UIMask() & ~0xFF;
    for (QCheckBox *box : m_maskBits) {
        if (box->isChecked())
            mask |= box->property("maskBit").toInt();
    }
    write("UIMask", mask);
}

} // namespace chart
