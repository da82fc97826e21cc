// The yardsticks for the main window: a bare Qt window of the same size that does as little as a clock can.
//   bench_BareWindow labels   seven labels showing hh:mm:ss, set every second
//   bench_BareWindow faces    seven antialiased analogue faces, each repainted whole every second
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QTime>
#include <QTimer>
#include <QtMath>

#include <array>
#include <cstdio>

namespace {

constexpr int ClockCount = 7;
constexpr QSize WindowSize(508, 133);
constexpr QSize FaceSize(61, 59);

class BareFace final : public QWidget
{
public:
    explicit BareFace(QWidget* parent)
        : QWidget(parent)
    {
        setFixedSize(FaceSize);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPointF centre = QRectF(rect()).center();
        const qreal radius = qMin(width(), height()) / 2.0 - 1.5;
        painter.setPen(QPen(QColor(70, 78, 90), 2.0));
        painter.setBrush(QColor(244, 240, 228));
        painter.drawEllipse(centre, radius, radius);

        painter.setPen(QPen(QColor(60, 66, 76), 1.2));
        for (int mark = 0; mark < 12; ++mark) {
            const qreal angle = mark * M_PI / 6;
            painter.drawLine(pointAt(centre, angle, radius * 0.8), pointAt(centre, angle, radius * 0.9));
        }

        const QTime now = QTime::currentTime();
        const qreal seconds = now.second();
        const qreal minutes = now.minute() + seconds / 60;
        const qreal hours = now.hour() % 12 + minutes / 60;
        hand(painter, centre, hours * M_PI / 6, radius * 0.5, 2.5);
        hand(painter, centre, minutes * M_PI / 30, radius * 0.8, 1.8);
        hand(painter, centre, seconds * M_PI / 30, radius * 0.85, 1.0);
    }

private:
    static QPointF pointAt(const QPointF& centre, qreal angle, qreal distance)
    {
        return centre + QPointF(std::sin(angle) * distance, -std::cos(angle) * distance);
    }

    static void hand(QPainter& painter, const QPointF& centre, qreal angle, qreal length, qreal width)
    {
        painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(centre, pointAt(centre, angle, length));
    }
};

template <typename Clock, typename Tick>
void runRow(QWidget& window, const QString& title, Tick tick)
{
    window.setWindowTitle(title);
    window.setFixedSize(WindowSize);
    auto* row = new QHBoxLayout(&window);
    std::array<Clock*, ClockCount> clocks{};
    for (Clock*& clock : clocks) {
        clock = new Clock(&window);
        row->addWidget(clock);
    }
    auto* timer = new QTimer(&window);
    QObject::connect(timer, &QTimer::timeout, &window, [clocks, tick] {
        for (Clock* clock : clocks) {
            tick(*clock);
        }
    });
    timer->start(1000);
    for (Clock* clock : clocks) {
        tick(*clock);
    }
    window.show();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    QWidget window;
    if (mode == u"labels") {
        runRow<QLabel>(window, QStringLiteral("bare labels"), [](QLabel& label) {
            label.setText(QTime::currentTime().toString(QStringLiteral("hh:mm:ss")));
        });
    } else if (mode == u"faces") {
        runRow<BareFace>(window, QStringLiteral("bare faces"), [](BareFace& face) { face.update(); });
    } else {
        std::fprintf(stderr, "usage: %s labels|faces\n", argv[0]);
        return 2;
    }
    return QApplication::exec();
}
