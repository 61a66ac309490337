#include "taglink/taglink.h"

#include "taglink/taglinkdispatch.h"
#include "taglink/taglinkmodel.h"
#include "taglink/taglinkpropertypage.h"

#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>

Taglink::Taglink(QWidget *parent)
    : QWidget(parent), m_model(new taglink::TaglinkModel(this))
{
    setObjectName(QStringLiteral("Taglink"));
    resize(32, 32);
    m_dispatcher = automation::Dispatcher({m_model, this}, taglink::dispatchTable());
}

Taglink::~Taglink() = default;

QObject *Taglink::eventSource()
{
    return m_model;
}

void Taglink::AboutBox()
{
    showAboutBox(this);
}

void Taglink::saveProperties(automation::PropertyBag &bag) const
{
    m_model->saveProperties(bag);
}

bool Taglink::loadProperties(const automation::PropertyBag &bag)
{
    return m_model->loadProperties(bag);
}

void Taglink::showPropertyPages(QWidget *parent)
{
    taglink::TaglinkPropertyPage page(m_model, parent ? parent : this);
    page.exec();
}

void Taglink::showAboutBox(QWidget *parent)
{
    QMessageBox::about(parent ? parent : this, QStringLiteral("Taglink のバージョン情報"),
                       QStringLiteral("Taglink コントロール バージョン 1.0\n"
                                      "監視システム Vantor のタグ値を読み書きします。"));
}

void Taglink::paintIcon(QPainter &p, const QRect &r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(r.topLeft());
    p.scale(r.width() / 32.0, r.height() / 32.0);
    // A tag label with a link chain: the control's icon.
    p.fillRect(QRectF(0, 0, 32, 32), QColor(0xf0, 0xf0, 0xf0));
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.drawRect(QRectF(0.5, 0.5, 31, 31));
    QPainterPath tag;
    tag.moveTo(4, 6);
    tag.lineTo(20, 6);
    tag.lineTo(27, 13);
    tag.lineTo(20, 20);
    tag.lineTo(4, 20);
    tag.closeSubpath();
    p.setBrush(QColor(0xff, 0xd0, 0x40));
    p.drawPath(tag);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(20, 13), 2, 2);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x20, 0x60, 0xc0), 2));
    p.drawRoundedRect(QRectF(5, 22, 10, 6), 3, 3);
    p.drawRoundedRect(QRectF(12, 22, 10, 6), 3, 3);
    p.restore();
}

void Taglink::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintIcon(p, QRect(0, 0, 32, 32));
}
