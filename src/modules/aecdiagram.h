#pragma once

#include "controlpalette.h"

#include <QRectF>
#include <QVector>
#include <QWidget>

// The signal flow of echo cancellation in a video conference, drawn for either appearance: the
// far end's audio to the room's amplifier, the room's microphones back to the far end through
// the canceller, which hears the far end as its reference. Captions and controls are placed
// over it in the drawing's own coordinates (kWidth x kHeight), scaled with the widget.
class AecDiagram : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool dark READ isDark WRITE setDark)
public:
    static constexpr int kWidth = 820;
    static constexpr int kHeight = 330;

    // Where the parts of the drawing lie, in drawing coordinates.
    static const QRectF kFarEndIn;  // the far end's audio arriving
    static const QRectF kFarEndOut; // the audio going back to the far end
    static const QRectF kAmplifier; // the room's amplifier
    static const QRectF kSource;    // the room's microphones
    static const QRectF kCanceller; // the echo canceller
    static const QRectF kLocal;     // the room's settings

    explicit AecDiagram(QWidget* parent = nullptr);

    bool isDark() const { return m_palette.dark; }
    void setDark(bool dark);

    // Keeps `child` (a child of this widget) over `rect` of the drawing.
    void place(QWidget* child, const QRectF& rect);
    // The widget rectangle of a drawing rectangle at the current size.
    QRect mapped(const QRectF& rect) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Placed
    {
        QWidget* widget;
        QRectF rect;
    };

    void layoutChildren();

    ControlPalette m_palette;
    QVector<Placed> m_placed;
};
