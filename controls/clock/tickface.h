#pragma once

#include "automation/automationcontrol.h"
#include "automation/dispatcher.h"

#include <QTimer>
#include <QWidget>

class QPainter;
class SoundPlayer;
class TickfaceModel;

// The clock control: draws its model's face, runs the 450 ms timer while the
// clock follows the local or Greenwich time and the control itself is not
// hidden (!isHidden(): a clock on a hidden host form keeps running, one that
// its host hides with Visible = False stops), plays the chime and alarm
// sounds, shapes its window by FrameType and raises the stock mouse events.
// Hosts reach it through AutomationControl; the events are the model's
// signals.
class Tickface : public QWidget, public automation::AutomationControl
{
    Q_OBJECT
public:
    explicit Tickface(QWidget *parent = nullptr);
    ~Tickface() override;

    TickfaceModel *model() const { return m_model; }

    // AutomationControl
    QString controlName() const override;
    QWidget *controlWidget() override { return this; }
    const automation::Dispatcher &dispatcher() const override { return m_dispatcher; }
    QObject *eventSource() override;
    void saveProperties(automation::PropertyBag &bag) const override;
    bool loadProperties(const automation::PropertyBag &bag) override;
    void showPropertyPages(QWidget *parent) override;
    void showAboutBox(QWidget *parent) override;

    Q_INVOKABLE void AboutBox();

    // Draws the face into any painter (the screen, a picture, a printer).
    void render(QPainter *painter, const QRectF &rect) const;
    // One timer tick; tests call it with the program clock frozen.
    void tick();
    bool isTimerRunning() const { return m_timer.isActive(); }

    QSize sizeHint() const override;
    void setVisible(bool visible) override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void updateTimer();
    void updateFrame();

    TickfaceModel *m_model;
    SoundPlayer *m_sound;
    QTimer m_timer;
    automation::Dispatcher m_dispatcher;
    bool m_pressed = false;
};
