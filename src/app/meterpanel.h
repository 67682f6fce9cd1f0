#pragma once

#include <QStaticText>
#include <QVector>
#include <QWidget>

// The backing of a group of meters with their reading centred above them. It fills itself with
// its background colour (give it one in the style sheet) and declares itself opaque, so that a
// moving level or a new reading repaints this panel's band and nothing of the strips and the
// window behind it. The owner lays the meters out below readingHeight(). A panel with a scale
// marks the meters' decibels at their left, so that a level is read off the meter itself and
// not off a fader's scale beside it.
class MeterPanel : public QWidget
{
    Q_OBJECT
public:
    explicit MeterPanel(QWidget* parent = nullptr);

    // Repaints the reading only when the text changes.
    void setReading(const QString& text);
    QString reading() const { return m_reading; }
    // The row of the reading: the panel's top, one line of its font high at least.
    void setReadingHeight(int height);
    int readingHeight() const { return m_readingHeight; }

    // The meters' range and the levels to mark; labels are drawn where there is room for them,
    // ticks always.
    void setScale(int minimum, int maximum, const QVector<int>& marks);
    // Where a mark is drawn, in panel coordinates; -1 without meters or outside the range.
    int markY(int level) const;
    bool marksLabelled() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect readingRect() const;
    void layOutText();
    // The visible meters together.
    QRect meterRect() const;
    QFont markFont() const;
    void paintScale(QPainter& p, const QRect& dirty) const;

    QString m_reading;
    QStaticText m_text;
    QFont m_textFont;
    QString m_fontKey; // of font(), found again after a font change
    bool m_textLaidOut = false;
    int m_readingHeight = 0;
    int m_scaleMinimum = 0;
    int m_scaleMaximum = 0;
    QVector<int> m_marks;
};
