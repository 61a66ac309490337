#include "chart/ganttline.h"

#include "chart/chartclock.h"
#include "chart/chartdispatch.h"
#include "chart/chartmodel.h"
#include "chart/ganttlinepropertypages.h"
#include "chart/chartlayout.h"
#include "chart/chartpainter.h"
#include "chart/chartview.h"
#include "chart/olecolor.h"

#include <QEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

Ganttline::Ganttline(QWidget *parent)
    : QWidget(parent)
    , m_model(new chart::ChartModel(this))
    , m_clock(new chart::ChartClock(m_model, this))
{
    m_model->setObjectName(QStringLiteral("GanttlineModel"));
    m_dispatcher = automation::Dispatcher({m_model, this}, chart::ganttlineDispatchTable());

    m_view = new chart::ChartView(m_model, this);
    connect(m_model, &chart::ChartModel::rowChanged, m_view, &chart::ChartView::updateRow);
    connect(m_model, &chart::ChartModel::viewChanged, this, [this] {
        update();
        m_view->viewport()->update();
    });
    connect(m_model, &chart::ChartModel::layoutChanged, this, [this] { relayout(); });
    connect(m_model, &chart::ChartModel::rowsVisibleChanged, this, [this] { m_view->itemsChanged(); });
    connect(m_model, &chart::ChartModel::currentItemChanged, m_view, &chart::ChartView::currentChanged);
    connect(m_model, &chart::ChartModel::itemsChanged, m_view, &chart::ChartView::itemsChanged);
    connect(m_view, &chart::ChartView::hoursScrolled, this, [this] { update(); });
    connect(m_model, &chart::ChartModel::fontChanged, this, [this](const QFont &f) {
        QWidget::setFont(f);
        m_view->setFont(f);
    });
    connect(m_model, &chart::ChartModel::enabledChanged, this, [this](bool on) { QWidget::setEnabled(on); });
    setMouseTracking(true);
    setFocusProxy(m_view);
    QWidget::setFont(m_model->Font());
    m_model->setModified(false);
    resize(300, 150);
    relayout();
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

const chart::ChartLayout &Ganttline::chartLayout() const
{
    return m_view->chartLayout();
}

void Ganttline::applyFrame()
{
    int b = 0;
    if (m_model->BorderStyle() == chart::BorderFixedSingle)
        b = m_model->Appearance() == chart::Gnt3D ? 2 : 1;
    setContentsMargins(b, b, b, b);
}

void Ganttline::relayout()
{
    applyFrame();
    // A free row height that was never set takes the automatic height.
    const QFontMetrics fm(font());
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    chart::ChartMetrics metrics = chart::ChartMetrics::compute(*m_model, fm, logicalDpiX(), logicalDpiY(), scrollBar);
    if (m_model->ItemHeightMode() == chart::GntIhmFreeSize && m_model->ItemHeight() <= 0) {
        m_model->setItemHeight(chart::ChartMetrics::toHimetric(metrics.autoRowHeight, logicalDpiY()));
        return; // the write lays the chart out again
    }
    if (m_hourDragWidth > 0)
        metrics.pixelsPerHour = m_hourDragWidth;
    m_view->applyMetrics(metrics, contentsRect());
    update();
}

void Ganttline::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    relayout();
}

void Ganttline::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::FontChange || e->type() == QEvent::PaletteChange || e->type() == QEvent::StyleChange)
        relayout();
}

void Ganttline::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const chart::ChartLayout &l = m_view->chartLayout();
    const chart::ChartPainter painter(*m_model, l, palette(), font(), m_view->textCache());
    painter.paintHeader(p);
    if (contentsRect() != rect()) {
        const QRect r = rect();
        if (m_model->Appearance() == chart::Gnt3D) {
            const QColor dark = palette().color(QPalette::Dark);
            const QColor light = palette().color(QPalette::Light);
            const QColor shadow = palette().color(QPalette::Shadow);
            const QColor mid = palette().color(QPalette::Midlight);
            p.setPen(dark);
            p.drawLine(r.topLeft(), r.topRight());
            p.drawLine(r.topLeft(), r.bottomLeft());
            p.setPen(light);
            p.drawLine(r.bottomLeft(), r.bottomRight());
            p.drawLine(r.topRight(), r.bottomRight());
            const QRect in = r.adjusted(1, 1, -1, -1);
            p.setPen(shadow);
            p.drawLine(in.topLeft(), in.topRight());
            p.drawLine(in.topLeft(), in.bottomLeft());
            p.setPen(mid);
            p.drawLine(in.bottomLeft(), in.bottomRight());
            p.drawLine(in.topRight(), in.bottomRight());
        } else {
            p.setPen(palette().color(QPalette::Shadow));
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
    }
    if (m_splitterDrag) {
        p.setCompositionMode(QPainter::CompositionMode_Difference);
        p.fillRect(QRect(m_splitterX, l.header.top(), 1, l.header.height()), Qt::white);
    }
}

void Ganttline::renderChart(QPainter *painter)
{
    const chart::ChartLayout &l = m_view->chartLayout();
    const chart::ChartPainter chartPainter(*m_model, l, palette(), font(), m_view->textCache());
    chartPainter.paintHeader(*painter);
    painter->save();
    painter->translate(l.view.topLeft());
    painter->setClipRect(QRect(QPoint(0, 0), l.viewport));
    chartPainter.paintView(*painter, QRect(QPoint(0, 0), l.viewport), m_view->hasFocus());
    painter->restore();
}

// ---- Header: the item-column splitter and the hour width ----

bool Ganttline::nearSplitter(const QPoint &pos) const
{
    const chart::ChartLayout &l = m_view->chartLayout();
    return l.header.contains(pos) && qAbs(pos.x() - (l.client.left() + l.metrics.itemColumnWidth)) <= 6;
}

int Ganttline::hourTickX(int hour) const
{
    const chart::ChartLayout &l = m_view->chartLayout();
    return l.client.left() + l.xOf(hour * 60);
}

bool Ganttline::nearHourTick(const QPoint &pos) const
{
    const chart::ChartLayout &l = m_view->chartLayout();
    return l.freeSize && l.header.contains(pos) && qAbs(pos.x() - hourTickX(l.firstHour + 1)) <= 4;
}

void Ganttline::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(e);
    const QPoint pos = e->position().toPoint();
    const chart::ChartLayout &l = m_view->chartLayout();
    if (nearSplitter(pos)) {
        m_splitterDrag = true;
        m_splitterX = qBound(l.client.left(), pos.x(), l.client.right());
        update(l.header);
    } else if (nearHourTick(pos)) {
        m_hourDragWidth = qMax(10, pos.x() - l.tickArea.left());
        relayout();
    }
}

void Ganttline::mouseMoveEvent(QMouseEvent *e)
{
    const QPoint pos = e->position().toPoint();
    const chart::ChartLayout &l = m_view->chartLayout();
    if (m_splitterDrag) {
        // The pointer is held inside the header.
        m_splitterX = qBound(l.client.left(), pos.x(), l.client.right());
        update(l.header);
        return;
    }
    if (m_hourDragWidth > 0) {
        // Held to the right of the first visible hour's tick + 10 pixels.
        const int x = qMax(pos.x(), l.tickArea.left() + 10);
        const int width = x - l.tickArea.left();
        if (width != m_hourDragWidth) {
            m_hourDragWidth = width;
            relayout();
        }
        return;
    }
    if (nearSplitter(pos) || nearHourTick(pos))
        setCursor(Qt::SplitHCursor);
    else
        unsetCursor();
}

void Ganttline::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(e);
    if (m_splitterDrag) {
        m_splitterDrag = false;
        const chart::ChartLayout &l = m_view->chartLayout();
        m_model->setItemNameWidth(chart::ChartMetrics::toHimetric(m_splitterX - l.client.left(), logicalDpiX()));
        update();
    } else if (m_hourDragWidth > 0) {
        const int width = m_hourDragWidth;
        m_hourDragWidth = 0;
        m_model->setScaleWidth(chart::ChartMetrics::toHimetric(width, logicalDpiX()));
    }
}
