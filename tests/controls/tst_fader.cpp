// Fader: where on the track each value lies (the 0 dB line a third of the way down, less 43
// pixels), grabbing and dragging the handle, page steps, the wheel, and silent setters.
#include "controltestsupport.h"
#include "fader.h"
#include "testenvironment.h"

#include <QtTest>

namespace {
constexpr int kWidth = 48;
constexpr double kHalfHandle = Fader::kHandleHeight / 2.0;

double zeroLine(int height)
{
    return (height - 43) / 3.0 + kHalfHandle;
}

QPoint handleCentre(const Fader& fader)
{
    const QRect r = fader.handleRect();
    return QPoint(r.center().x(), r.top() + Fader::kHandleHeight / 2);
}
} // namespace

class TestFader : public QObject
{
    Q_OBJECT
private slots:
    void dragMapping_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<double>("maximum"); // the minimum is -56
        QTest::addColumn<int>("decimals");
        QTest::addColumn<int>("y");
        QTest::addColumn<double>("expected");

        // -56..12 dB in whole dB unless the row says otherwise.
        const auto row = [](const QByteArray& name, int h, int y, double expected, int decimals = 0,
                            double maximum = 12.0) {
            QTest::newRow(name) << h << maximum << decimals << y << expected;
        };
        for (int h : {200, 300}) {
            const QByteArray tag = QByteArray::number(h) + " px: ";
            row(tag + "very top gives the maximum", h, 0, 12.0);
            row(tag + "above the widget gives the maximum", h, -40, 12.0);
            row(tag + "zero line gives 0", h, int(std::lround(zeroLine(h))), 0.0);
            row(tag + "very bottom gives the minimum", h, h, -56.0);
            row(tag + "below the widget gives the minimum", h, h + 40, -56.0);
        }
        // Halfway along either side of the zero line (63.3 px at 200 px, 96.7 px at 300 px):
        // each side is linear on its own, the upper one spreading fewer dB over its pixels.
        row("200 px: halfway above zero", 200, 37, 6.0);
        row("200 px: halfway below zero", 200, 126, -27.0);
        row("300 px: halfway above zero", 300, 54, 5.0);
        row("300 px: halfway below zero", 300, 193, -28.0);
        row("tenths: zero line", 200, int(std::lround(zeroLine(200))), 0.0, 1);
        row("tenths: halfway above zero", 200, 37, 6.0, 1);
        row("tenths: very bottom", 200, 200, -56.0, 1);
        // A range that ends at 0 spreads over the whole track.
        row("-56..0: top gives 0", 200, 0, 0.0, 0, 0.0);
        row("-56..0: middle gives -28", 200, 100, -28.0, 0, 0.0);
        row("-56..0: bottom gives -56", 200, 200, -56.0, 0, 0.0);
    }
    void dragMapping()
    {
        QFETCH(int, height);
        QFETCH(double, maximum);
        QFETCH(int, decimals);
        QFETCH(int, y);
        QFETCH(double, expected);

        Fader fader;
        fader.resize(kWidth, height);
        fader.setDecimals(decimals);
        fader.setRange(-56.0f, float(maximum));
        fader.setValue(-20);
        QSignalSpy changed(&fader, &Fader::valueChanged);

        const QPoint grab = handleCentre(fader);
        QVERIFY(press(&fader, grab));
        moveTo(&fader, QPoint(grab.x(), y));
        QCOMPARE(double(fader.value()), expected);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toDouble(), expected);
        QVERIFY(release(&fader, QPoint(grab.x(), y)));
        // The handle is drawn where the value lies, so grabbing it again does not move it.
        const QPoint again = handleCentre(fader);
        press(&fader, again);
        moveTo(&fader, again);
        release(&fader, again);
        QCOMPARE(double(fader.value()), expected);
    }

    void grabKeepsThePointOfTheCap()
    {
        Fader fader;
        fader.resize(kWidth, 200);
        const QPoint centre = handleCentre(fader);
        // Grabbed near its lower edge, the cap does not jump to centre itself on the pointer.
        const QPoint grab = centre + QPoint(0, 8);
        QVERIFY(press(&fader, grab));
        QSignalSpy changed(&fader, &Fader::valueChanged);
        moveTo(&fader, grab);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(fader.value(), 0.0f);
    }

    void clickBesideHandle_data()
    {
        QTest::addColumn<int>("offset"); // from the handle's centre
        QTest::addColumn<QPoint>("wander");
        QTest::addColumn<float>("expected");
        QTest::addColumn<int>("emitted");

        QTest::newRow("above raises by a page") << -40 << QPoint() << 4.5f << 1;
        QTest::newRow("below lowers by a page") << 40 << QPoint() << -4.5f << 1;
        QTest::newRow("a press that wanders off is no click") << 40 << QPoint(0, 20) << 0.0f << 0;
    }
    void clickBesideHandle()
    {
        QFETCH(int, offset);
        QFETCH(QPoint, wander);
        QFETCH(float, expected);
        QFETCH(int, emitted);

        Fader fader;
        fader.resize(kWidth, 200);
        fader.setDecimals(1);
        fader.setPageStep(4.5f);
        QSignalSpy changed(&fader, &Fader::valueChanged);
        const QPoint at = handleCentre(fader) + QPoint(0, offset);
        // Beside the handle the press is left to the parent.
        QVERIFY(!press(&fader, at));
        if (!wander.isNull())
            moveTo(&fader, at + wander);
        release(&fader, at);
        QCOMPARE(fader.value(), expected);
        QCOMPARE(changed.count(), emitted);
        if (emitted)
            QCOMPARE(changed.at(0).at(0).toFloat(), expected);
    }

    void clickOnHandleKeepsTheValue()
    {
        Fader fader;
        fader.resize(kWidth, 200);
        QSignalSpy changed(&fader, &Fader::valueChanged);
        const QPoint at = handleCentre(fader);
        QVERIFY(press(&fader, at));
        release(&fader, at);
        QCOMPARE(changed.count(), 0);
        QSignalSpy doubled(&fader, &Fader::doubleClicked);
        sendMouse(&fader, QEvent::MouseButtonDblClick, at);
        QCOMPARE(doubled.count(), 1);
    }

    void wheelSteps_data()
    {
        QTest::addColumn<float>("start");
        QTest::addColumn<QList<int>>("deltas");
        QTest::addColumn<QList<float>>("emitted");

        using D = QList<int>;
        using V = QList<float>;
        QTest::newRow("a notch up raises by the step") << 0.0f << D{120} << V{0.5f};
        QTest::newRow("a notch down lowers by the step") << 0.0f << D{-120} << V{-0.5f};
        QTest::newRow("up at the maximum stays there") << 12.0f << D{120} << V{12.0f};
        QTest::newRow("down at the minimum stays there") << -56.0f << D{-120} << V{-56.0f};
        QTest::newRow("a small movement up does not lower") << 0.0f << D{15} << V{};
        QTest::newRow("quarter notches add up") << 0.0f << D{30, 30, 30, 30} << V{0.5f};
        QTest::newRow("two notches in two events") << 0.0f << D{120, 120} << V{0.5f, 1.0f};
        QTest::newRow("notches down in three events")
            << 0.0f << D{-120, -120, -120} << V{-0.5f, -1.0f, -1.5f};
    }
    void wheelSteps()
    {
        QFETCH(float, start);
        QFETCH(QList<int>, deltas);
        QFETCH(QList<float>, emitted);

        Fader fader;
        fader.resize(kWidth, 200);
        fader.setDecimals(1);
        fader.setWheelStep(0.5f);
        fader.setValue(start);
        QSignalSpy changed(&fader, &Fader::valueChanged);
        for (int delta : deltas)
            wheel(&fader, QPoint(0, delta));
        QList<float> values;
        for (const QList<QVariant>& args : changed)
            values.append(args.at(0).toFloat());
        QCOMPARE(values, emitted);
    }

    void settersAreSilent()
    {
        Fader fader;
        QSignalSpy changed(&fader, &Fader::valueChanged);
        fader.setValue(20);
        QCOMPARE(fader.value(), 12.0f);
        fader.setDecimals(1);
        fader.setValue(-3.14f);
        QCOMPARE(fader.value(), -3.1f);
        fader.setRange(-56, -10);
        QCOMPARE(fader.value(), -10.0f);
        fader.setValue(-100.0f);
        QCOMPARE(fader.value(), -56.0f);
        fader.setDecimals(0);
        QCOMPARE(fader.minimum(), -56.0f);
        QCOMPARE(fader.maximum(), -10.0f);
        QCOMPARE(changed.count(), 0);
    }
};

KV_TEST_MAIN(TestFader)
#include "tst_fader.moc"
