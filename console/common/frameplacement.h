#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>

#include <functional>

class QWidget;

namespace console {

// Places a top-level window so that its outer edge, frame and title bar
// included, covers a rectangle: the window sizes of the settings (and a
// window as large as the screen) mean the whole window, not only its inside.
// The frame the window manager adds is known only once the window is shown;
// the inside is then shrunk by it, once.  Without a frame (no window manager,
// the offscreen platform) the inside covers the rectangle.
class FramePlacement : public QObject
{
    Q_OBJECT
public:
    // The frame around a window's inside; by default what the window system reports.
    using FrameOf = std::function<QMargins(const QWidget &window)>;

    static void place(QWidget *window, const QRect &outer, FrameOf frameOf = {});

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FramePlacement(QWidget *window, const QRect &outer, FrameOf frameOf);
    static QMargins reportedFrame(const QWidget &window);

    QWidget *m_window;
    QRect m_outer;
    FrameOf m_frameOf;
};

} // namespace console
