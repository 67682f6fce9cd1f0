#pragma once

#include "matrixselection.h"

#include <QHash>
#include <QTableWidget>
#include <array>

class Knob;
class MixButton;
class QPushButton;

// The grid of the matrix: one row per input, one column per output. Each cell (named "row
// column") stacks a MixButton, checked while the crosspoint is on, and a gain Knob; the corner
// button "Edit" switches between the buttons and the knobs. A drag spans a selection over
// cells; a toggle or a knob turn on a selected cell reaches every shown cell of the selection.
// Clicks on a header act on the whole column or row, after asking. Edits leave as one signal
// per output with the inputs it reaches; loading values from the model never emits.
// From the keyboard the grid is one stop of the Tab chain: the current cell. The arrow keys move
// the focus and the selection from cell to cell (Shift spans the selection), and Space switches
// the selection as a click does. Each cell is named after the input and output it joins.
class MatrixTableWidget : public QTableWidget
{
    Q_OBJECT
public:
    static constexpr int kRows = MatrixSelection::kRows;
    static constexpr int kColumns = MatrixSelection::kColumns;
    static constexpr int kButtonRowHeight = 24;
    static constexpr int kKnobRowHeight = 44;

    explicit MatrixTableWidget(QWidget* parent = nullptr);

    QWidget* cell(int row, int column) const;
    MixButton* button(int row, int column) const;
    Knob* knob(int row, int column) const;
    QPushButton* cornerButton() const { return m_corner; }
    bool isKnobView() const { return m_knobView; }

    const MatrixSelection& selection() const { return m_selection; }
    // The rectangle from one cell to another, as a drag would span it.
    void select(int anchorRow, int anchorColumn, int row, int column);
    // The cell Tab reaches, as (column, row).
    QPoint currentCell() const;
    // The name a screen reader gives a cell, from the labels of its row and column.
    QString cellName(int row, int column) const;

    // Loaders: they show the value and emit nothing.
    void setCellEnabled(int row, int column, bool on);
    void setCellGain(int row, int column, int dB);
    // The header of a row (an input) or a column (an output).
    void setRowLabel(int row, const QString& text, const QString& toolTip);
    void setColumnLabel(int column, const QString& text, const QString& toolTip);
    // Bit i hides row (column) i.
    void setHiddenChannels(quint32 rows, quint32 columns);

signals:
    void enabledChanged(QByteArray inputs, uchar output, bool enabled);
    void gainChanged(QByteArray inputs, uchar output, qint8 gain);

public slots:
    void mixButtonClicked(bool checked);
    void singleSelected();
    void mixButtonEntered();
    void cornerButtonClicked(bool checked);
    void mixKnobValueChanged(int value);
    void mixKnobMouseReleased();
    void headerSectionClicked(int index);

protected:
    void updateGeometries() override;
    void changeEvent(QEvent* event) override;

private:
    struct Cell
    {
        QWidget* widget = nullptr;
        MixButton* button = nullptr;
        Knob* knob = nullptr;
    };

    void buildCell(int row, int column);
    // The cell a button or knob belongs to, as row * kColumns + column; -1 for none.
    int indexOf(QObject* part) const;
    const Cell& at(int row, int column) const
    {
        return m_cells[std::size_t(row * kColumns + column)];
    }
    void mixButtonPressed();
    void mixButtonMoveRequested(int move, bool extend);
    // Makes the cell the one stop of the grid in the Tab chain.
    void setCurrent(int index);
    void nameCell(int row, int column);
    void mixKnobMousePressed(int value);
    // Makes the cell the selection unless it is part of it already.
    void ensureSelected(int row, int column);
    void showSelection();
    void showGain(int row, int column, int dB);
    QString headerLabel(Qt::Orientation orientation, int section) const;
    void askColumnOrRow(bool column, int section);
    void setColumnOrRow(bool column, int section, bool enable, int value);
    void retranslate();

    std::array<Cell, std::size_t(kRows* kColumns)> m_cells{};
    QHash<const QObject*, int> m_index;
    MatrixSelection m_selection;
    QPushButton* m_corner = nullptr;
    bool m_knobView = false;
    int m_pressed = -1; // the cell a drag started on
    int m_current = -1; // the cell Tab reaches
};
