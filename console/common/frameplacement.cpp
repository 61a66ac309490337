#include "console/common/frameplacement.h"

#include <QEvent>
#include <QWidget>

namespace console {

FramePlacement::FramePlacement(QWidget *window, const QRect &outer, FrameOf frameOf)
    : QObject(window)
    , m_window(window)
    , m_outer(outer)
    , m_frameOf(frameOf ? std::move(frameOf) : FrameOf(&FramePlacement::reportedFrame))
{
}

void FramePlacement::place(QWidget *window, const QRect &outer, FrameOf frameOf)
{
    // A placement made before replaces the one still waiting for its frame.
    for (FramePlacement *earlier : window->findChildren<FramePlacement *>(QString(), Qt::FindDirectChildrenOnly))
        delete earlier;
    window->move(outer.topLeft());
    window->resize(outer.size());
    window->installEventFilter(new FramePlacement(window, outer, std::move(frameOf)));
}

QMargins FramePlacement::reportedFrame(const QWidget &window)
{
    const QRect inside = window.geometry();
    const QRect outside = window.frameGeometry();
    return {inside.left() - outside.left(), inside.top() - outside.top(), outside.right() - inside.right(),
            outside.bottom() - inside.bottom()};
}

bool FramePlacement::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Expose:
        case QEvent::WindowActivate: {
            const QMargins frame = m_frameOf(*m_window);
            if (!frame.isNull() && frame.left() >= 0 && frame.top() >= 0 && frame.right() >= 0
                && frame.bottom() >= 0) {
                m_window->removeEventFilter(this);
                m_window->setGeometry(m_outer.marginsRemoved(frame));
                deleteLater();
            }
            break;
        }
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace console
