#pragma once

#include "automation/automationcontrol.h"
#include "automation/dispatcher.h"

#include <QWidget>

namespace taglink {
class TaglinkModel;
}

// The tag-link control: reads and writes tag values of the plant-monitoring
// product.  It has no visible function and draws only its 32 x 32 icon; all
// of its work is done by its model.
class Taglink : public QWidget, public automation::AutomationControl
{
    Q_OBJECT
public:
    explicit Taglink(QWidget *parent = nullptr);
    ~Taglink() override;

    taglink::TaglinkModel *model() const { return m_model; }

    Q_INVOKABLE void AboutBox();

    // automation::AutomationControl
    QString controlName() const override { return QStringLiteral("Taglink"); }
    QWidget *controlWidget() override { return this; }
    const automation::Dispatcher &dispatcher() const override { return m_dispatcher; }
    QObject *eventSource() override;
    void saveProperties(automation::PropertyBag &bag) const override;
    bool loadProperties(const automation::PropertyBag &bag) override;
    void showPropertyPages(QWidget *parent) override;
    void showAboutBox(QWidget *parent) override;

    QSize sizeHint() const override { return {32, 32}; }

    // The icon the control draws.
    static void paintIcon(QPainter &painter, const QRect &rect);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    taglink::TaglinkModel *m_model;
    automation::Dispatcher m_dispatcher;
};
