#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// Page "System Mute": the unit's mute of everything.
class CommandSystemMuteWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CommandSystemMuteWidget(QWidget* parent = nullptr);

    QPushButton* muteButton() const { return m_mute; }
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
    QPushButton* m_mute;
    QPushButton* m_generate;
};
