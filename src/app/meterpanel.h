#pragma once

#include <QStaticText>
#include <QWidget>

// The backing of a group of meters with their reading centred above them. It fills itself with
// its background colour (give it one in the style sheet) and declares itself opaque, so that a
// moving level or a new reading repaints this panel's band and nothing of the strips and the
// window behind it. The owner lays the meters out below readingHeight().
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect readingRect() const;
    void layOutText();

    QString m_reading;
    QStaticText m_text;
    QFont m_textFont;
    QString m_fontKey; // of font(), found again after a font change
    bool m_textLaidOut = false;
    int m_readingHeight = 0;
};
