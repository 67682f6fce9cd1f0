#pragma once

#include <QVector>
#include <QWidget>
#include <array>

class Fader;
class Meter;
class MeterPanel;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// One row of channel strips: number, name, level group, polarity, mute, level meter and gain.
// User actions leave as signals with the channel; the setters show values without emitting,
// so a refresh from the unit is never sent back to it.
class LevelWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kStripWidth = 88;
    static constexpr int kGroupCount = 8;

    explicit LevelWidget(int stripCount, QWidget* parent = nullptr);

    int stripCount() const { return int(m_strips.size()); }

    void setGroup(int channel, int group);
    void setInvert(int channel, bool on);
    void setMute(int channel, bool on);
    // The fader takes the value; the edit shows it with one decimal, or "-100.0" when the
    // channel is off (at or below the fader's bottom of -56 dB).
    void setGain(int channel, float dB);
    void setMeterLevel(int channel, int level);
    // The stereo USB play strip: both meters, the label shows "left/right".
    void setStereoMeterLevels(int channel, int left, int right);
    void setFaderRange(int channel, float minimum, float maximum);
    void setSecondMeterVisible(int channel, bool visible);
    void setName(int channel, const QString& number, const QString& label);
    void setStripVisible(int channel, bool visible);
    bool isStripShown(int channel) const;

    // The strip's controls, for the container and for tests.
    QFrame* strip(int channel) const;
    QLabel* numberLabel(int channel) const;
    QLineEdit* nameEdit(int channel) const;
    QComboBox* groupComboBox(int channel) const;
    QPushButton* invertButton(int channel) const;
    QPushButton* muteButton(int channel) const;
    // The level reading above the meters.
    QString levelText(int channel) const;
    Meter* meter(int channel, int side = 0) const;
    // The meters of a strip with their reading and scale.
    MeterPanel* levelPanel(int channel) const;
    QLineEdit* gainEdit(int channel) const;
    Fader* fader(int channel) const;

    // What the gain edit shows for a gain.
    static QString gainText(float dB);

signals:
    void groupChanged(uchar channel, uchar group);
    void invertChanged(uchar channel, bool on);
    void muteChanged(uchar channel, bool on);
    void gainChanged(uchar channel, float dB);

public slots:
    void groupComboBoxCurrentIndexChanged(int index);
    void invertButtonClicked(bool checked);
    void muteButtonClicked(bool checked);
    void gainEditEditingFinished();
    void gainFaderValueChanged(float dB);

protected:
    void changeEvent(QEvent* event) override;

private:
    struct Strip
    {
        QFrame* frame = nullptr;
        QLabel* number = nullptr;
        QLineEdit* name = nullptr;
        QComboBox* group = nullptr;
        QPushButton* invert = nullptr;
        QPushButton* mute = nullptr;
        MeterPanel* level = nullptr; // the meters and their reading
        std::array<Meter*, 2> meters{};
        QLineEdit* gain = nullptr;
        Fader* fader = nullptr;
        bool hidden = false;
        // What the level label shows, so that a repeated level sets no text.
        int shownLeft = 0;
        int shownRight = 0;
        bool shownStereo = false;
    };

    void buildStrip(int index);
    int channelOf(const QObject* control) const;
    void showLevels(Strip& strip, int left, int right, bool stereo);
    void showGroupColour(Strip& strip, int group);
    void nameForScreenReaders(Strip& strip);
    void retranslate();

    QVector<Strip> m_strips;
};
