#include "chart/chartmodel.h"
#include "chart/ganttlinepropertypages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QSpinBox>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace chart;

namespace {

template<typename W>
W *field(QWidget &pages, int tab, int index)
{
    auto *tabs = pages.findChild<QTabWidget *>();
    const QList<W *> all = tabs->widget(tab)->findChildren<W *>();
    return all.value(index);
}

} // namespace

TEST(GanttlinePropertyPages, ShowThePagesAndWriteOnlyChangedValues)
{
    ChartModel m;
    m.setScaleRangeTop(2);
    m.setScaleRangeEnd(20);
    m.setUIMask(GntMaskMovePieceUI);
    m.setModified(false);
    GanttlinePropertyPages pages(&m);
    auto *tabs = pages.findChild<QTabWidget *>();
    ASSERT_TRUE(tabs);
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i)
        titles << tabs->tabText(i);
    EXPECT_EQ(titles, (QStringList{"General", "Scale", "Item and Piece", "Color", "Edit"}));
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        pages.grab().save(QDir::temp().filePath(QStringLiteral("ganttline-page-%1.png").arg(i)));
    }

    // Nothing changed: nothing is written.
    pages.apply();
    EXPECT_FALSE(m.isModified());

    // Scale page: the range moved past the old end arrives whole.
    field<QSpinBox>(pages, 1, 0)->setValue(22);
    field<QSpinBox>(pages, 1, 1)->setValue(40);
    // General page: ActionStyle "1 - Edit"; Edit page: AddItem masked.
    field<QComboBox>(pages, 0, 0)->setCurrentIndex(1);
    field<QCheckBox>(pages, 4, 0)->setChecked(true);
    pages.apply();
    EXPECT_EQ(m.ScaleRangeTop(), 22);
    EXPECT_EQ(m.ScaleRangeEnd(), 40);
    EXPECT_EQ(m.ActionStyle(), GntEdit);
    EXPECT_EQ(m.UIMask(), GntMaskMovePieceUI | GntMaskAddItemUI);
    EXPECT_TRUE(m.isModified());
}
