#include "chart/ganttline.h"

#include "chart/chartclock.h"
#include "chart/chartdispatch.h"
#include "chart/chartmodel.h"
#include "chart/ganttlinepropertypages.h"
#include "chart/placeholderpainter.h"

#include <QEvent>
#include <QMessageBox>
#include <QPainter>

Ganttline::Ganttline(QWidget *parent)
    : QWidget(parent)
    , m_model(new chart::ChartModel(this))
    , m_clock(new chart::ChartClock(m_model, this))
{
    m_model->setObjectName(QStringLiteral("GanttlineModel"));
    m_dispatcher = automation::Dispatcher({m_model, this}, chart::ganttlineDispatchTable());

    connect(m_model, &chart::ChartModel::rowChanged, this, [this] { update(); });
    connect(m_model, &chart::ChartModel::viewChanged, this, [this] { update(); });
    connect(m_model, &chart::ChartModel::layoutChanged, this, [this] { update(); });
    connect(m_model, &chart::ChartModel::rowsVisibleChanged, this, [this] { update(); });
    connect(m_model, &chart::ChartModel::currentItemChanged, this, [this] { update(); });
    connect(m_model, &chart::ChartModel::itemsChanged, this, [this] {
        m_model->clampCurrentItem();
        if (isVisible())
            repaint();
    });
    connect(m_model, &chart::ChartModel::fontChanged, this, [this](const QFont &f) { QWidget::setFont(f); });
    connect(m_model, &chart::ChartModel::enabledChanged, this, [this](bool on) { QWidget::setEnabled(on); });
    QWidget::setFont(m_model->Font());
    m_model->setModified(false);
    resize(300, 150);
    updateClockState();
}

Ganttline::~Ganttline()
{
    m_clock->stop();
}

QString Ganttline::controlName() const
{
    return QStringLiteral("Ganttline");
}

QObject *Ganttline::eventSource()
{
    return m_model;
}

void Ganttline::saveProperties(automation::PropertyBag &bag) const
{
    m_model->saveProperties(bag);
}

bool Ganttline::loadProperties(const automation::PropertyBag &bag)
{
    m_model->loadProperties(bag);
    return true;
}

void Ganttline::showPropertyPages(QWidget *parent)
{
    chart::GanttlinePropertyPages pages(m_model, parent ? parent : this);
    pages.exec();
}

void Ganttline::showAboutBox(QWidget *parent)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("About Ganttline"),
                    QStringLiteral("Ganttline Time-Chart Control\nVersion %1.%2")
                        .arg(chart::ChartModel::VersionMajor)
                        .arg(chart::ChartModel::VersionMinor),
                    QMessageBox::Ok, parent ? parent : this);
    box.exec();
}

void Ganttline::AboutBox()
{
    showAboutBox(this);
}

void Ganttline::setVisible(bool visible)
{
    QWidget::setVisible(visible);
    updateClockState();
}

bool Ganttline::event(QEvent *e)
{
    const bool result = QWidget::event(e);
    if (e->type() == QEvent::ParentChange || e->type() == QEvent::ShowToParent || e->type() == QEvent::HideToParent)
        updateClockState();
    return result;
}

void Ganttline::updateClockState()
{
    // The clock follows the control's own visibility flag only.
    if (isHidden())
        m_clock->stop();
    else if (!m_clock->isRunning())
        m_clock->start();
}

QSize Ganttline::sizeHint() const
{
    return {300, 150};
}

void Ganttline::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    chart::paintPlaceholder(p, rect(), *m_model, palette(), font());
}
