#include "about/text_scroller.h"

#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/Twips.h>
#include <Vantrel3/vbruntime.h>

#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <cmath>

namespace Vantrel3 {

namespace {
constexpr qint32 kDesignedWidthTwips = 2895;
constexpr qint32 kDesignedHeightTwips = 2595;
constexpr int kTimerInterval = 5;
} // namespace

// The canvas keeps what was printed on it (AutoRedraw), so moving it never reprints.
class TextScroller::Canvas : public QWidget {
public:
    explicit Canvas(QWidget *parent) : QWidget(parent) {
        setObjectName(QStringLiteral("Picture2"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void print(const QStringList &lines, int width, int lineHeight) {
        m_image = QPixmap(std::max(width, 1), std::max(int(lines.size()) * lineHeight, 1));
        m_image.fill(TextScroller::background());
        QPainter painter(&m_image);
        painter.setFont(font());
        painter.setPen(Qt::black);
        const QFontMetrics metrics(font());
        int y = 0;
        for (const QString &line : lines) {
            const int x = (width - metrics.horizontalAdvance(line)) / 2;
            painter.drawText(x, y + metrics.ascent(), line);
            y += lineHeight;
        }
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.fillRect(rect(), TextScroller::background());
        painter.drawPixmap(0, 0, m_image);
    }

private:
    QPixmap m_image;
};

TextScroller::TextScroller(const QStringList &lines, QWidget *parent)
    : QFrame(parent), m_lines(lines), m_clip(new QWidget(this)), m_canvas(new Canvas(m_clip)),
      m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("Picture1"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFixedSize(Twips::toPixelsX(this, kDesignedWidthTwips),
                 Twips::toPixelsY(this, kDesignedHeightTwips));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, background());
    setPalette(palette);
    // An opaque window: moving the canvas repaints only this window, never the page behind it.
    setAutoFillBackground(true);
    m_clip->setAutoFillBackground(true);
    m_clip->setGeometry(contentsRect());

    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(kTimerInterval);
    m_timer->setProperty("Tag", QStringLiteral("2"));
    connect(m_timer, &QTimer::timeout, this, [this] {
        bool ticked = false;
        guarded("Timer1", [&] {
            tick();
            ticked = true;
        });
        // A step that cannot be read would fail again every 5 ms: report it once and stop.
        if (!ticked) {
            m_timer->stop();
        }
    });
}

TextScroller::~TextScroller() = default;

QColor TextScroller::background() {
    return QColor(192, 255, 192);
}

QWidget *TextScroller::Picture2() const {
    return m_canvas;
}

int TextScroller::CanvasHeight() const {
    return m_canvas->height();
}

int TextScroller::ScaleHeight() const {
    return m_clip->height();
}

int TextScroller::LineHeight() const {
    return QFontMetrics(font()).height();
}

void TextScroller::Start() {
    m_timer->stop();
    m_top = ScaleHeight();
    const int width = m_clip->width();
    m_canvas->resize(width, int(m_lines.size()) * LineHeight());
    m_canvas->print(m_lines, width, LineHeight());
    placeCanvas();
    m_canvas->show();
    m_canvas->update();
    m_timer->start();
}

void TextScroller::Stop() {
    m_timer->stop();
}

void TextScroller::tick() {
    const double step = vb::CDbl(m_timer->property("Tag"));
    if (CanvasHeight() + m_top > 0) {
        m_top -= step;
    } else {
        // The whole text has left the top: it comes back from the bottom, not printed again.
        m_top = ScaleHeight();
        m_canvas->resize(m_canvas->width(), int(m_lines.size()) * LineHeight());
    }
    placeCanvas();
}

void TextScroller::placeCanvas() {
    m_canvas->move(0, int(std::lround(m_top)));
}

void TextScroller::resizeEvent(QResizeEvent *event) {
    QFrame::resizeEvent(event);
    m_clip->setGeometry(contentsRect());
}

} // namespace Vantrel3
