#pragma once

#include <QFrame>
#include <QStringList>

class QTimer;

namespace Vantrel3 {

// Picture1 of the About surfaces: a framed light green window that clips the canvas Picture2,
// on which the lines are printed once, centred. Timer1 moves the canvas up by the step held in
// its "Tag" property (read on every tick) and brings it back below the bottom edge once all of
// it has left the top. Positions are in pixels of the window's inner area.
class TextScroller : public QFrame {
    Q_OBJECT

public:
    explicit TextScroller(const QStringList &lines, QWidget *parent = nullptr);
    ~TextScroller() override;

    // Prints the lines on a canvas placed just below the window and starts the clock.
    void Start();
    void Stop();
    // One tick of Timer1. Raises VbError when the Tag does not read as a number.
    void tick();

    QTimer *Timer1() const { return m_timer; }
    QWidget *Picture2() const;
    double CanvasTop() const { return m_top; }
    int CanvasHeight() const;
    // The inner height of the window (ScaleHeight) and the height of one text line.
    int ScaleHeight() const;
    int LineHeight() const;

    static QColor background();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    class Canvas;

    void placeCanvas();

    QStringList m_lines;
    QWidget *m_clip;
    Canvas *m_canvas;
    QTimer *m_timer;
    double m_top = 0;
};

} // namespace Vantrel3
