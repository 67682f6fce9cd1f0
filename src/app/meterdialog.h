#pragma once

#include "editorwindow.h"

#include <QVector>
#include <array>

class Meter;
class MeterPanel;
class QGroupBox;
class QLabel;
class QWidget;

// Levels of every input and output before and after the faders, one row of meters each.
// The rows follow the model's meter values whenever the unit reports them, also while the
// window is hidden.
class MeterDialog : public EditorWindow
{
    Q_OBJECT
public:
    enum Row
    {
        InputPreFader,
        InputPostFader,
        OutputPreFader,
        OutputPostFader,
    };
    static constexpr int kRowCount = 4;
    static constexpr int kInputColumns = 17;
    static constexpr int kOutputColumns = 16;
    // The two ranges the meters switch between; the top is always the same.
    static constexpr int kNarrowMinimum = -40;
    static constexpr int kWideMinimum = -100;
    static constexpr int kMaximum = 24;

    MeterDialog(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);

    void refreshInputPreFader();
    void refreshInputPostFader();
    void refreshOutputPreFader();
    void refreshOutputPostFader();
    // The user label of one channel as the tooltip of its columns.
    void setInputLabel(int channel);
    void setOutputLabel(int channel);

    // The minimum shared by every meter of the window.
    int meterMinimum() const { return m_minimum; }
    int columnCount(Row row) const { return int(m_rows[row].columns.size()); }
    QGroupBox* groupBox(Row row) const { return m_rows[row].box; }
    // side 1 is the right meter of the stereo USB play column (input rows only).
    Meter* meter(Row row, int column, int side = 0) const;
    // The reading above a column's meters.
    QString valueText(Row row, int column) const;
    QLabel* channelLabel(Row row, int column) const;
    bool isColumnShown(Row row, int column) const;

signals:
    void ctrlN();

public slots:
    void meterRangeShortcutActivated();

protected:
    void retranslate() override;
    void applyProfile() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Column
    {
        MeterPanel* panel = nullptr; // the meters and their reading
        std::array<Meter*, 2> meters{};
        QLabel* name = nullptr;
        bool hidden = false;
        // What the value label shows, so that a repeated level sets no text.
        int shownLeft = 0;
        int shownRight = 0;
        bool shownStereo = false;
    };
    struct RowWidgets
    {
        QGroupBox* box = nullptr;
        QVector<Column> columns;
    };

    void buildRow(Row row, int columns, bool pairs);
    void refreshRow(Row row);
    void showLevels(Column& column, int left, int right, bool stereo);
    void refreshNames();
    // Screen readers name a meter by its row and channel, with the user's label.
    void nameColumn(Row row, int column);

    std::array<RowWidgets, kRowCount> m_rows;
    int m_minimum = kNarrowMinimum;
};
