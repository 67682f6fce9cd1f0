#pragma once

#include "controlpalette.h"
#include "matrixselection.h"

#include <QAbstractButton>
#include <QFont>
#include <QStaticText>

// One crosspoint of the matrix: checked while the input feeds the output, its gain as text.
// A press only starts a gesture: the cell acts when the button is released inside it. A cell
// that is not selected then asks to become the selection (selected()); a selected one toggles
// and emits clicked(). While the button is held, every cell the pointer comes to emits
// entered(), so that the table can span the selection over them. In the knob view the cell is
// the background of its gain knob and draws no text. From the keyboard, Space and Return act as a
// release on the cell; the arrow, Home, End and page keys ask the table to move the focus
// (moveRequested), with Shift to span the selection.
class MixButton : public QAbstractButton
{
    Q_OBJECT
    // Set by the style sheets of the two appearances.
    Q_PROPERTY(bool dark READ isDark WRITE setDark)
    // Read by screen readers (see ControlAccessible); 44 is QAccessible::CheckBox.
    Q_CLASSINFO("accessibleRole", "44")
    Q_PROPERTY(int value READ gain)
    Q_PROPERTY(QString valueText READ valueText)
public:
    explicit MixButton(QWidget* parent = nullptr);

    int gain() const { return m_gain; }
    // The gain as the cell shows it, with its unit: "-6 dB". On or off is the checked state.
    QString valueText() const;
    void setGain(int dB);

    bool isSelected() const { return m_selected; }
    // `edges` are the MatrixSelection::Edge flags of the selection's outline this cell carries.
    void setSelection(bool selected, int edges);
    int selectionEdges() const { return m_edges; }

    bool isKnobView() const { return m_knobView; }
    void setKnobView(bool on);

    bool isDark() const { return m_palette.dark; }
    void setDark(bool dark);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void selected();
    void entered();
    // `move` is a MatrixSelection::Move.
    void moveRequested(int move, bool extend);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Space and Return act as a click released on the cell.
    void keyPressEvent(QKeyEvent* event) override;
    // Arriving by Tab makes the cell the selection, so that Space acts on what has the focus.
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // What a cell's image depends on.
    struct Look
    {
        enum Flag
        {
            Dark = 1,
            On = 2,
            Selected = 4,
            KnobView = 8,
            Hover = 16,
            Down = 32,
        };
        QSize size;
        qreal ratio = 1.0;
        int flags = 0;
    };
    static QPixmap cellImage(const Look& look);
    void updateTextFonts();
    const QStaticText& gainText(int dB, bool bold) const;
    // The cell of the same window under a global position, or null.
    MixButton* cellAt(const QPoint& globalPosition) const;

    ControlPalette m_palette;
    int m_gain = 0;
    QFont m_textFont;
    QFont m_boldFont;
    QString m_fontKey;
    bool m_selected = false;
    int m_edges = 0;
    bool m_knobView = false;
    bool m_pressed = false;
    MixButton* m_over = nullptr; // the cell the held pointer was last over
};
