#pragma once

#include <QPixmap>
#include <QWidget>

// A vertical level bar in whole decibels. The standard style lights a red-to-green gradient
// from the bottom up to the level; the alternative style (gain-reduction meters) fills amber
// from the bottom. The value is kept inside the range and the bar repaints only when it moves.
// Tab reaches it (a click does not take the focus); it then wears a ring in the focus colour and
// tells screen readers each new level it shows.
class Meter : public QWidget
{
    Q_OBJECT
    // Set by the style sheets of the two appearances.
    Q_PROPERTY(bool dark READ isDark WRITE setDark)
    // Read by screen readers (see ControlAccessible); 48 is QAccessible::ProgressBar.
    Q_CLASSINFO("accessibleRole", "48")
    Q_PROPERTY(int value READ value)
    Q_PROPERTY(int minimum READ minimum)
    Q_PROPERTY(int maximum READ maximum)
    Q_PROPERTY(QString valueText READ valueText)
public:
    static constexpr int kDefaultMinimum = -40;
    static constexpr int kDefaultMaximum = 24;

    explicit Meter(QWidget* parent = nullptr);

    // Repaints; the stored value is not re-clamped until the next setValue.
    void setRange(int minimum, int maximum);
    // Clamps into the range; repaints only when the stored value changes.
    void setValue(int value);
    int value() const { return m_value; }
    // The level with its unit, e.g. "-12 dBFS".
    QString valueText() const;
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    // false: the standard style, true: the alternative style.
    void setDisplay(bool alternative);
    bool display() const { return m_display; }

    bool isDark() const { return m_dark; }
    void setDark(bool dark);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Rows from the top that lie above the level.
    int unlitRows(int value) const;
    // The bar fully lit (lower) or fully unlit (upper) at the current size, range and style;
    // a level shows the upper layer above it and the lower one below.
    void updateLayers();
    QPixmap renderLayer(bool lower) const;

    int m_minimum = kDefaultMinimum;
    int m_maximum = kDefaultMaximum;
    int m_value = kDefaultMinimum;
    bool m_display = false;
    bool m_dark = false;
    // What the layers were drawn for.
    struct LayerShape
    {
        QSize size;
        qreal dpr = 0;
        int minimum = 0;
        int maximum = 0;
        bool display = false;
        bool operator==(const LayerShape& o) const
        {
            return size == o.size && dpr == o.dpr && minimum == o.minimum && maximum == o.maximum &&
                   display == o.display;
        }
    };
    LayerShape m_layerShape;
    QPixmap m_upper;
    QPixmap m_lower;
};
