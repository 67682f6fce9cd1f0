#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

// Page "Preset": recalls one of the unit's 32 presets, numbered from 1.
class CommandPresetWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CommandPresetWidget(QWidget* parent = nullptr);

    QComboBox* presetList() const { return m_presets; }
    QPushButton* generateButton() const { return m_generate; }

signals:
    void generateCommand(uchar type, uchar subType, uchar funcId, QByteArray payload);

public slots:
    void generateButtonClicked();

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    QLabel* m_caption;
    QComboBox* m_presets;
    QPushButton* m_generate;
};
