#include <QTest>

#include "support/CaptionCheck.h"
#include "support/MainWindowRig.h"
#include "ui/main/ClockFace.h"
#include "ui/main/FacePicture.h"

// Run at a device pixel ratio of 2 (QT_SCALE_FACTOR=2): the faces are drawn for the screen's pixels, not scaled
// up from a picture of half the size.
class tst_HighResolution : public QObject
{
    Q_OBJECT

private slots:
    void facesAreDrawnAtFullResolution();
    void captionsAreReadWholeInTheirColumns();
};

void tst_HighResolution::facesAreDrawnAtFullResolution()
{
    MainWindowRig rig(nullptr, QDateTime(QDate(2026, 12, 8), QTime(9, 0, 20)));
    huxofrm& window = *rig.window;
    window.show();
    QCOMPARE(window.devicePixelRatioF(), 2.0);

    for (int slot = 1; slot <= 7; ++slot) {
        ClockFace* face = window.face(slot);
        const QSize deviceSize = face->size() * 2;
        QCOMPARE(face->picture(), renderFacePicture(deviceSize));
        QCOMPARE(face->image().size(), deviceSize);
        // What reaches the screen is the face's own image, pixel for pixel.
        const QImage shown = face->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), deviceSize);
        QVERIFY2(shown == face->image(), qPrintable(face->objectName()));
    }
    // The hands are as wide in screen pixels as the scale says: two points make four pixels across.
    const QImage& image = window.face(1)->image();
    const QPoint onMinuteHand = window.face(1)->toPixel(0, 9);
    int black = 0;
    for (int x = onMinuteHand.x() - 6; x <= onMinuteHand.x() + 6; ++x) {
        black += image.pixelColor(x, onMinuteHand.y()) == QColor(Qt::black) ? 1 : 0;
    }
    QCOMPARE(black, 4);
}

void tst_HighResolution::captionsAreReadWholeInTheirColumns()
{
    MainWindowRig rig;
    auto* caption = qobject_cast<CaptionLabel*>(rig.window->DCap);
    QVERIFY(caption);
    QCOMPARE(caption->devicePixelRatioF(), 2.0);
    for (const QString& text : captionsToShowWhole()) {
        caption->setText(text);
        const QString fault = captionFault(*caption);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
}

QTEST_MAIN(tst_HighResolution)
#include "tst_HighResolution.moc"
