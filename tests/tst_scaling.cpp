// At any scale factor the window scales as a whole and the pictures stay pixel art: drawn
// from the nearest image size without smoothing, so only the drawing's own colours appear.
// Run under several QT_SCALE_FACTOR values by CTest.
#include "app/startup.h"
#include "app/winningpicture.h"
#include "tests/support/gamedriver.h"

#include <QImage>
#include <QSet>
#include <QTest>

#include <memory>

namespace {

// Colours of the box's own pixels in a grab of the whole window.
QSet<QRgb> coloursIn(const QImage &window, const QWidget *box)
{
    const qreal dpr = window.devicePixelRatio();
    const QRect device(QPointF(box->geometry().topLeft() * dpr).toPoint(),
                       QSizeF(QSizeF(box->size()) * dpr).toSize());
    QSet<QRgb> colours;
    // Stay a pixel inside the box: its edge may share a pixel with the neighbour at 1.5x.
    for (int y = device.top() + 1; y < device.bottom(); ++y) {
        for (int x = device.left() + 1; x < device.right(); ++x)
            colours << (window.pixel(x, y) & 0xffffff);
    }
    return colours;
}

QSet<QRgb> drawingColours(const Picture &picture, QRgb background)
{
    QSet<QRgb> colours{background & 0xffffff};
    for (const QPixmap &p : picture.images()) {
        const QImage image = p.toImage();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(image.pixel(x, y)) == 255)
                    colours << (image.pixel(x, y) & 0xffffff);
            }
        }
    }
    return colours;
}

} // namespace

class TestScaling : public QObject
{
    Q_OBJECT
    std::unique_ptr<GameDriver> driver;

private slots:
    void initTestCase() { app::setUpApplication(); }
    void init() { driver = std::make_unique<GameDriver>(); }
    void cleanup() { driver.reset(); }

    void windowScalesAsAWhole()
    {
        Form1 &f = driver->form1();
        const qreal dpr = f.devicePixelRatioF();
        qInfo("device pixel ratio %.2f", dpr);
        QCOMPARE(f.size(), QSize(457, 431));
        const QImage shot = f.grab().toImage();
        QCOMPARE(shot.size(), (QSizeF(457, 431) * dpr).toSize());
    }

    void picturesStayPixelArt_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("example") << "imaExample";
        QTest::newRow("barrel") << "imgBarrel";
    }
    void picturesStayPixelArt()
    {
        QFETCH(QString, box);
        Form1 &f = driver->form1();
        const auto *picture = f.findChild<PictureBox *>(box);
        const QImage shot = f.grab().toImage();
        const QSet<QRgb> drawn = coloursIn(shot, picture);
        const QSet<QRgb> allowed =
            drawingColours(picture->picture(), f.palette().color(QPalette::Window).rgb());
        QVERIFY2(drawn.size() > 3, "the picture was not drawn");
        for (QRgb c : drawn)
            QVERIFY2(
                allowed.contains(c),
                qPrintable(QStringLiteral("smoothed colour #%1").arg(c, 6, 16, QLatin1Char('0'))));
    }

    // The drawing is chosen for the box's size in device pixels.
    void nearestImageForTheScreen()
    {
        Form1 &f = driver->form1();
        const qreal dpr = f.devicePixelRatioF();
        const QPixmap chosen = f.imaExample->picture().nearest((QSizeF(33, 33) * dpr).toSize());
        QCOMPARE(chosen.width(), dpr >= 1.5 ? 48 : 32);
    }

    void dragImageIsSharp()
    {
        Form1 &f = driver->form1();
        const QPixmap image = f.Image1->dragImage();
        QCOMPARE(image.devicePixelRatio(), f.devicePixelRatioF());
        QCOMPARE(image.deviceIndependentSize(), QSizeF(32, 32));
    }
};

QTEST_MAIN(TestScaling)
#include "tst_scaling.moc"
