#pragma once

#include "editorwindow.h"
#include "leveledits.h"
#include "usbmediaedits.h"

#include <QVariant>
#include <functional>

class Fader;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTableWidget;
class QTableWidgetItem;

// Playback from and recording to the unit's USB storage: the play and record lists, the
// transport, the position, the play mode, and the gain and mute of the USB play and record
// channels, which the level strips show too.
class RecPlayDialog : public EditorWindow
{
    Q_OBJECT
    Q_PROPERTY(bool dark READ isDark WRITE setDark)
public:
    // Asks for a recording's name; empty when the user cancels.
    using NameAsker = std::function<QString()>;

    RecPlayDialog(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);
    ~RecPlayDialog() override;

    void setNameAsker(NameAsker asker) { m_askName = std::move(asker); }
    bool isDark() const { return m_dark; }
    void setDark(bool dark);

    QTableWidget* playTable() const { return m_playTable; }
    QTableWidget* recordTable() const { return m_recordTable; }
    QLabel* timeLabel() const { return m_time; }
    QLabel* recordTimeLabel() const { return m_recordTime; }
    QLabel* meterLabel() const { return m_meter; }
    QSlider* positionSlider() const { return m_slider; }
    QPushButton* playButton() const { return m_play; }
    QPushButton* recordButton() const { return m_record; }
    QPushButton* modeButton() const { return m_mode; }
    QLineEdit* gainEdit(bool record) const
    {
        return (record ? m_recordChannel : m_playChannel).edit;
    }
    Fader* gainFader(bool record) const { return (record ? m_recordChannel : m_playChannel).fader; }
    QPushButton* muteButton(bool record) const
    {
        return (record ? m_recordChannel : m_playChannel).mute;
    }

signals:
    void playGainChanged(float dB);
    void recordGainChanged(float dB);
    void playMuteChanged(bool on);
    void recordMuteChanged(bool on);

public slots:
    void usbPlayTableWidgetItemClicked(QTableWidgetItem* item);
    void usbStopButtonClicked();
    void usbPlayButtonClicked();
    void usbPrevButtonClicked();
    void usbNextButtonClicked();
    void usbPlaySliderPressed();
    void usbPlaySliderValueChanged(int value);
    void usbPlaySliderReleased();
    void usbPlayModeButtonClicked();
    void usbRecordTableWidgetItemClicked(QTableWidgetItem* item);
    void usbRecordButtonClicked();
    void muteButtonClicked(bool checked);
    void gainEditEditingFinished();
    void gainFaderValueChanged(float dB);
    // The level strips changed a level or a mute: the USB channels' controls follow.
    void onPreLevelGainChanged(uchar channel, float dB);
    void onOutLevelGainChanged(uchar channel, float dB);
    void onPreLevelMuteChanged(uchar channel, bool on);
    void onOutLevelMuteChanged(uchar channel, bool on);

protected:
    void retranslate() override;
    void applyProfile() override;

private:
    // The gain and mute of the USB play input or the USB record output.
    struct ChannelControls
    {
        QGroupBox* box = nullptr;
        Fader* fader = nullptr;
        QLineEdit* edit = nullptr;
        QPushButton* mute = nullptr;
    };

    QWidget* buildPlayback();
    QWidget* buildRecording();
    QWidget* buildChannel(ChannelControls& c, bool record);
    void subscribeToReports();
    bool isRecordControl(const QObject* control) const;
    int channelOf(bool record) const;
    void setGain(bool record, float dB);
    void showChannel(bool record);
    void showPlayState();
    void showRecordState();
    void showList(QTableWidget* table, quint32 count);
    void showListEntry(QTableWidget* table, const QVariant& entry, bool withValue);
    void showMeter();
    void showStorage();
    void showIcons();
    QString modeName(int mode) const;

    LevelEdits m_levels;
    UsbMediaEdits m_usb;
    NameAsker m_askName;
    bool m_dark = false;
    bool m_sliderHeld = false;
    bool m_finishing = false;
    QGroupBox* m_playBox = nullptr;
    QGroupBox* m_recordBox = nullptr;
    QLabel* m_playCaption = nullptr;
    QLabel* m_recordCaption = nullptr;
    QTableWidget* m_playTable = nullptr;
    QTableWidget* m_recordTable = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_play = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_mode = nullptr;
    QSlider* m_slider = nullptr;
    QLabel* m_time = nullptr;
    QPushButton* m_record = nullptr;
    QLabel* m_recordTime = nullptr;
    QLabel* m_meter = nullptr;
    QLabel* m_note = nullptr;
    ChannelControls m_playChannel;
    ChannelControls m_recordChannel;
};
