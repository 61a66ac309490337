#include "clock/tickface.h"

#include "clock/soundplayer.h"
#include "clock/tickfaceconstants.h"
#include "clock/tickfacedispatch.h"
#include "clock/tickfacemodel.h"
#include "clock/tickfacepainter.h"
#include "clock/tickfacepropertypages.h"

#include <QEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

Tickface::Tickface(QWidget *parent)
    : QWidget(parent)
    , m_model(new TickfaceModel(this))
    , m_sound(new SoundPlayer(this))
{
    setObjectName(QStringLiteral("Tickface"));
    // The model's properties come first: the widget only adds AboutBox.
    m_dispatcher = automation::Dispatcher({m_model, this}, tickface::dispatchTable());

    m_timer.setInterval(tickface::TickIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &Tickface::tick);
    connect(m_model, &TickfaceModel::redrawRequested, this, qOverload<>(&QWidget::update));
    connect(m_model, &TickfaceModel::frameChanged, this, &Tickface::updateFrame);
    connect(m_model, &TickfaceModel::soundRequested, m_sound, &SoundPlayer::play);
    connect(m_model, &TickfaceModel::timerWantedChanged, this, &Tickface::updateTimer);
    // The timer lives with the window while it is not hidden.
    updateTimer();
}

Tickface::~Tickface() = default;

QString Tickface::controlName() const
{
    return QStringLiteral("Tickface");
}

QObject *Tickface::eventSource()
{
    return m_model;
}

void Tickface::saveProperties(automation::PropertyBag &bag) const
{
    m_model->saveProperties(bag);
}

bool Tickface::loadProperties(const automation::PropertyBag &bag)
{
    return m_model->loadProperties(bag);
}

void Tickface::showPropertyPages(QWidget *parent)
{
    TickfacePropertyPages pages(m_model, parent ? parent : this);
    pages.exec();
}

void Tickface::showAboutBox(QWidget *parent)
{
    QMessageBox::about(parent ? parent : this, QStringLiteral("Tickface のバージョン情報"),
                       QStringLiteral("Tickface 時計コントロール\nバージョン %1.%2")
                           .arg(TickfaceModel::VersionMajor)
                           .arg(TickfaceModel::VersionMinor));
}

void Tickface::AboutBox()
{
    showAboutBox(this);
}

void Tickface::render(QPainter *painter, const QRectF &rect) const
{
    tickface::paintFace(painter, rect, *m_model);
}

void Tickface::tick()
{
    m_model->tick();
}

QSize Tickface::sizeHint() const
{
    return {160, 160};
}

void Tickface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    render(&painter, QRectF(rect()));
}

void Tickface::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    updateFrame();
}

void Tickface::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Showing the window runs a tick, so that it never shows a stale time.
    tick();
}

void Tickface::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    QWidget::mousePressEvent(event);
}

void Tickface::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        m_model->fireClick();
}

void Tickface::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_model->fireDblClick();
}

void Tickface::setVisible(bool visible)
{
    QWidget::setVisible(visible);
    updateTimer();
}

bool Tickface::event(QEvent *e)
{
    const bool result = QWidget::event(e);
    if (e->type() == QEvent::ParentChange || e->type() == QEvent::ShowToParent || e->type() == QEvent::HideToParent)
        updateTimer();
    return result;
}

void Tickface::updateTimer()
{
    // The control's own visibility flag decides, not whether its window is on
    // screen: a host form that is hidden or minimised keeps its clocks.
    if (m_model->wantsTimer() && !isHidden()) {
        if (!m_timer.isActive())
            m_timer.start();
    } else {
        m_timer.stop();
    }
}

void Tickface::updateFrame()
{
    const short frame = m_model->FrameType();
    const bool analog = m_model->ClockType() != tickface::TkfDigital;
    if (frame == tickface::TkfFrameCircle && analog && !rect().isEmpty())
        setMask(QRegion(rect(), QRegion::Ellipse));
    else
        clearMask();
    // A transparent frame lets the container show through outside the face.
    const bool transparent = frame == tickface::TkfFrameTransparent;
    setAttribute(Qt::WA_TranslucentBackground, transparent);
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    setAutoFillBackground(false);
    update();
}
