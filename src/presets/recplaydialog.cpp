#include "recplaydialog.h"

#include "datamodel.h"
#include "fader.h"
#include "transporticons.h"
#include "wire/levelrules.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kTransportButtonSize = 32;
constexpr int kPlayModes = 4;
constexpr quint8 kPlaying = 1;
const char* const kChannelProperty = "channel";

QTableWidget* fileTable(QWidget* parent)
{
    auto* table = new QTableWidget(0, 1, parent);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setHighlightSections(false);
    table->verticalHeader()->setDefaultSectionSize(24);
    return table;
}

QPushButton* transportButton(QWidget* parent)
{
    auto* b = new QPushButton(parent);
    b->setFixedSize(kTransportButtonSize + 8, kTransportButtonSize);
    b->setIconSize(QSize(20, 20));
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

void repolish(QWidget* w)
{
    w->style()->unpolish(w);
    w->style()->polish(w);
    w->update();
}

} // namespace

RecPlayDialog::RecPlayDialog(DataModel& model, ReportRouter& router, QWidget* parent)
    : EditorWindow(model, router, QStringLiteral("RecPlayGeometry"), parent), m_levels(model),
      m_usb(model)
{
    setObjectName(QStringLiteral("recPlayDialog"));
    setRefreshFlag(Refresher::UsbMedia);
    if (!geometryRestored())
        resize(860, 560);
    m_askName = [this] { return QInputDialog::getText(this, tr("USB Record"), tr("File Name")); };

    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    top->addWidget(buildPlayback(), 3);
    top->addWidget(buildRecording(), 2);
    top->addWidget(buildChannel(m_playChannel, false));
    top->addWidget(buildChannel(m_recordChannel, true));
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("recPlayNote"));
    m_note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addLayout(top, 1);
    layout->addWidget(m_note);

    subscribeToReports();
    retranslate();
    showIcons();
    showPlayState();
    showRecordState();
    showStorage();
    applyProfile();
}

RecPlayDialog::~RecPlayDialog()
{
    detachLineEdits(this);
}

QWidget* RecPlayDialog::buildPlayback()
{
    m_playBox = new QGroupBox(this);
    m_playCaption = new QLabel(m_playBox);
    m_playTable = fileTable(m_playBox);
    connect(m_playTable, &QTableWidget::itemClicked, this,
            &RecPlayDialog::usbPlayTableWidgetItemClicked);
    m_stop = transportButton(m_playBox);
    m_play = transportButton(m_playBox);
    m_previous = transportButton(m_playBox);
    m_next = transportButton(m_playBox);
    m_mode = new QPushButton(m_playBox);
    m_mode->setMinimumWidth(110);
    m_mode->setFocusPolicy(Qt::NoFocus);
    connect(m_stop, &QPushButton::clicked, this, &RecPlayDialog::usbStopButtonClicked);
    connect(m_play, &QPushButton::clicked, this, &RecPlayDialog::usbPlayButtonClicked);
    connect(m_previous, &QPushButton::clicked, this, &RecPlayDialog::usbPrevButtonClicked);
    connect(m_next, &QPushButton::clicked, this, &RecPlayDialog::usbNextButtonClicked);
    connect(m_mode, &QPushButton::clicked, this, &RecPlayDialog::usbPlayModeButtonClicked);
    m_slider = new QSlider(Qt::Horizontal, m_playBox);
    m_slider->setRange(0, 0);
    m_time = new QLabel(m_playBox);
    m_time->setMinimumWidth(120);
    connect(m_slider, &QSlider::sliderPressed, this, &RecPlayDialog::usbPlaySliderPressed);
    connect(m_slider, &QSlider::valueChanged, this, &RecPlayDialog::usbPlaySliderValueChanged);
    connect(m_slider, &QSlider::sliderReleased, this, &RecPlayDialog::usbPlaySliderReleased);

    auto* transport = new QHBoxLayout;
    transport->setSpacing(4);
    for (QPushButton* b : {m_stop, m_play, m_previous, m_next})
        transport->addWidget(b);
    transport->addStretch();
    transport->addWidget(m_mode);
    auto* position = new QHBoxLayout;
    position->addWidget(m_slider, 1);
    position->addWidget(m_time);
    auto* layout = new QVBoxLayout(m_playBox);
    layout->setContentsMargins(8, 16, 8, 8);
    layout->addWidget(m_playCaption);
    layout->addWidget(m_playTable, 1);
    layout->addLayout(position);
    layout->addLayout(transport);
    return m_playBox;
}

QWidget* RecPlayDialog::buildRecording()
{
    m_recordBox = new QGroupBox(this);
    m_recordCaption = new QLabel(m_recordBox);
    m_recordTable = fileTable(m_recordBox);
    connect(m_recordTable, &QTableWidget::itemClicked, this,
            &RecPlayDialog::usbRecordTableWidgetItemClicked);
    m_record = transportButton(m_recordBox);
    connect(m_record, &QPushButton::clicked, this, &RecPlayDialog::usbRecordButtonClicked);
    m_recordTime = new QLabel(m_recordBox);
    auto* row = new QHBoxLayout;
    row->addWidget(m_record);
    row->addWidget(m_recordTime, 1);
    auto* layout = new QVBoxLayout(m_recordBox);
    layout->setContentsMargins(8, 16, 8, 8);
    layout->addWidget(m_recordCaption);
    layout->addWidget(m_recordTable, 1);
    layout->addLayout(row);
    return m_recordBox;
}

QWidget* RecPlayDialog::buildChannel(ChannelControls& c, bool record)
{
    c.box = new QGroupBox(this);
    c.fader = new Fader(c.box);
    c.fader->setWheelStep(0.5f);
    c.edit = new QLineEdit(c.box);
    c.edit->setFixedWidth(60);
    c.edit->setAlignment(Qt::AlignCenter);
    c.mute = new QPushButton(c.box);
    c.mute->setCheckable(true);
    c.mute->setFocusPolicy(Qt::NoFocus);
    for (QObject* o : {static_cast<QObject*>(c.fader), static_cast<QObject*>(c.edit),
                       static_cast<QObject*>(c.mute)})
        o->setProperty(kChannelProperty, record);
    connect(c.fader, &Fader::valueChanged, this, &RecPlayDialog::gainFaderValueChanged);
    connect(c.edit, &QLineEdit::editingFinished, this, &RecPlayDialog::gainEditEditingFinished);
    connect(c.mute, &QPushButton::clicked, this, &RecPlayDialog::muteButtonClicked);
    auto* layout = new QVBoxLayout(c.box);
    layout->setContentsMargins(8, 16, 8, 8);
    if (!record) {
        m_meter = new QLabel(c.box);
        m_meter->setAlignment(Qt::AlignCenter);
        layout->addWidget(m_meter);
    }
    layout->addWidget(c.fader, 1, Qt::AlignHCenter);
    layout->addWidget(c.edit, 0, Qt::AlignHCenter);
    layout->addWidget(c.mute, 0, Qt::AlignHCenter);
    return c.box;
}

void RecPlayDialog::subscribeToReports()
{
    using namespace wire;
    using Event = ReportRouter::Event;
    subscribe(code::PlayFileCount,
              [this](const Event&) { showList(m_playTable, model().usbMedia().playFileCount); });
    subscribe(code::PlayListEntry,
              [this](const Event& e) { showListEntry(m_playTable, e.any, false); });
    subscribe(code::PlayState, [this](const Event&) { showPlayState(); });
    subscribe(code::PlayName, [this](const Event&) { showPlayState(); });
    subscribe(code::RecordFileCount, [this](const Event&) {
        showList(m_recordTable, model().usbMedia().recordFileCount);
    });
    subscribe(code::RecordListEntry,
              [this](const Event& e) { showListEntry(m_recordTable, e.any, true); });
    subscribe(code::RecordState, [this](const Event&) { showRecordState(); });
    subscribe(code::RecordName, [this](const Event&) { showRecordState(); });
    subscribe(code::UsbStorage, [this](const Event&) { showStorage(); });
    subscribe(code::InputPostFaderMeters, [this](const Event&) { showMeter(); });
    const auto input = [this](const Event& e) {
        if (e.channel == channelOf(false) || e.channel == 255)
            showChannel(false);
    };
    const auto output = [this](const Event& e) {
        if (e.channel == channelOf(true) || e.channel == 255)
            showChannel(true);
    };
    for (Code c : {code::InputLevelGain, code::InputLevelMute, code::InputFaderRange})
        subscribe(c, input);
    for (Code c : {code::OutputLevelGain, code::OutputLevelMute, code::OutputFaderRange})
        subscribe(c, output);
}

void RecPlayDialog::retranslate()
{
    setWindowTitle(tr("Rec/Play"));
    m_playBox->setTitle(tr("USB Playback"));
    m_recordBox->setTitle(tr("USB Record"));
    m_playTable->setHorizontalHeaderLabels({tr("Name")});
    m_recordTable->setHorizontalHeaderLabels({tr("Name")});
    m_playCaption->setText(tr("USB Play List"));
    m_recordCaption->setText(tr("USB Record List"));
    m_playChannel.mute->setText(tr("Mute"));
    m_recordChannel.mute->setText(tr("Mute"));
    m_note->setText(tr("Note:\nSupports mp3, wav, ape, aac and flac file formats for USB "
                       "playback. Only supports USB storage device of FAT32 format.\nPlay "
                       "files fixed in the audio directory of the root directory. Record files "
                       "fixed in the record directory of the root directory."));
    m_mode->setText(modeName(model().usbMedia().mode));
}

QString RecPlayDialog::modeName(int mode) const
{
    switch (mode) {
    case 1:
        return tr("Shuffle");
    case 2:
        return tr("Repeat Single");
    case 3:
        return tr("Repeat List");
    default:
        return tr("Order");
    }
}

void RecPlayDialog::setDark(bool dark)
{
    m_dark = dark;
    showIcons();
}

void RecPlayDialog::showIcons()
{
    const bool playing = model().usbMedia().state == kPlaying;
    m_play->setIcon(
        transportIcon(playing ? TransportSymbol::Pause : TransportSymbol::Play, m_dark));
    m_stop->setIcon(transportIcon(TransportSymbol::Stop, m_dark));
    m_previous->setIcon(transportIcon(TransportSymbol::Previous, m_dark));
    m_next->setIcon(transportIcon(TransportSymbol::Next, m_dark));
    const bool recording = model().usbMedia().recording;
    m_record->setIcon(transportIcon(
        recording ? TransportSymbol::StopRecording : TransportSymbol::Record, m_dark));
    for (auto [button, on] : {std::pair{m_play, playing}, std::pair{m_record, recording}}) {
        if (button->property("status").toBool() != on) {
            button->setProperty("status", on);
            repolish(button);
        }
    }
}

// --- channels

bool RecPlayDialog::isRecordControl(const QObject* control) const
{
    return control && control->property(kChannelProperty).toBool();
}

int RecPlayDialog::channelOf(bool record) const
{
    return record ? profile().usbRecordOutput : profile().usbPlayInput;
}

void RecPlayDialog::showChannel(bool record)
{
    const int ch = channelOf(record);
    ChannelControls& c = record ? m_recordChannel : m_playChannel;
    c.box->setEnabled(ch >= 0);
    if (ch < 0)
        return;
    const wire::FaderTravel travel = record ? m_levels.outputTravel(ch) : m_levels.inputTravel(ch);
    const float gain = record ? model().output(ch).levelGain : model().input(ch).levelGain;
    const bool mute = record ? model().output(ch).levelMute : model().input(ch).levelMute;
    c.fader->setRange(travel.min, travel.max);
    c.fader->setValue(gain);
    if (!c.edit->hasFocus())
        c.edit->setText(wire::levelGainText(gain));
    c.mute->setChecked(mute);
    c.box->setTitle(model::withoutLineBreaks(record ? model().output(ch).defaultName
                                                    : model().input(ch).defaultName));
}

void RecPlayDialog::setGain(bool record, float dB)
{
    const int ch = channelOf(record);
    if (ch < 0)
        return;
    if (record) {
        m_levels.setOutputGain(ch, dB);
        showChannel(true);
        emit recordGainChanged(model().output(ch).levelGain);
    } else {
        m_levels.setInputGain(ch, dB);
        showChannel(false);
        emit playGainChanged(model().input(ch).levelGain);
    }
}

void RecPlayDialog::gainFaderValueChanged(float dB)
{
    setGain(isRecordControl(sender()), dB);
}

void RecPlayDialog::gainEditEditingFinished()
{
    auto* edit = qobject_cast<QLineEdit*>(sender());
    if (!edit || m_finishing)
        return;
    m_finishing = true;
    edit->clearFocus();
    m_finishing = false;
    const bool record = isRecordControl(edit);
    const Fader* fader = (record ? m_recordChannel : m_playChannel).fader;
    setGain(record, wire::parseLevelGain(edit->text(), {fader->minimum(), fader->maximum()}));
}

void RecPlayDialog::muteButtonClicked(bool checked)
{
    const bool record = isRecordControl(sender());
    const int ch = channelOf(record);
    if (ch < 0)
        return;
    if (record) {
        m_levels.setOutputMute(ch, checked);
        emit recordMuteChanged(checked);
    } else {
        m_levels.setInputMute(ch, checked);
        emit playMuteChanged(checked);
    }
}

void RecPlayDialog::onPreLevelGainChanged(uchar channel, float)
{
    if (int(channel) == channelOf(false))
        showChannel(false);
}

void RecPlayDialog::onOutLevelGainChanged(uchar channel, float)
{
    if (int(channel) == channelOf(true))
        showChannel(true);
}

void RecPlayDialog::onPreLevelMuteChanged(uchar channel, bool)
{
    if (int(channel) == channelOf(false))
        showChannel(false);
}

void RecPlayDialog::onOutLevelMuteChanged(uchar channel, bool)
{
    if (int(channel) == channelOf(true))
        showChannel(true);
}

void RecPlayDialog::showMeter()
{
    const int ch = channelOf(false);
    if (ch < 0 || ch + 1 >= wire::kInputCount) {
        m_meter->clear();
        return;
    }
    m_meter->setText(QStringLiteral("%1/%2")
                         .arg(model().input(ch).postFaderMeter)
                         .arg(model().input(ch + 1).postFaderMeter));
}

void RecPlayDialog::applyProfile()
{
    m_levels.setProfile(profile());
    showChannel(false);
    showChannel(true);
    showMeter();
    // A unit without a USB port has nothing to show here.
    if (!profile().hasUsb() && isVisible())
        hide();
}

// --- lists

void RecPlayDialog::showList(QTableWidget* table, quint32 count)
{
    table->setRowCount(int(qMin<quint32>(count, 10000)));
}

void RecPlayDialog::showListEntry(QTableWidget* table, const QVariant& entry, bool withValue)
{
    const QVariantList fields = entry.toList();
    const int indexAt = withValue ? 2 : 0;
    if (fields.size() <= indexAt)
        return;
    const int row = fields.value(indexAt).toInt();
    const QString name = fields.value(1).toString();
    if (row < 0 || row >= table->rowCount())
        return;
    QTableWidgetItem* item = table->item(row, 0);
    if (!item)
        table->setItem(row, 0, item = new QTableWidgetItem);
    item->setText(name);
    if (table == m_playTable)
        showPlayState();
}

// --- transport

void RecPlayDialog::showPlayState()
{
    const auto& usb = model().usbMedia();
    if (!m_sliderHeld) {
        const QSignalBlocker block(m_slider);
        m_slider->setRange(0, usb.duration);
        m_slider->setValue(usb.position);
        const QString text = UsbMediaEdits::playTime(usb.position, usb.duration);
        if (m_time->text() != text)
            m_time->setText(text);
    }
    m_mode->setText(modeName(usb.mode));
    // The file playing is the one marked in the list.
    for (int row = 0; row < m_playTable->rowCount(); ++row) {
        const QTableWidgetItem* item = m_playTable->item(row, 0);
        if (item && !usb.currentPlayName.isEmpty() && item->text() == usb.currentPlayName) {
            if (m_playTable->currentRow() != row)
                m_playTable->selectRow(row);
            break;
        }
    }
    showIcons();
}

void RecPlayDialog::usbPlayTableWidgetItemClicked(QTableWidgetItem* item)
{
    if (!item)
        return;
    const QTableWidgetItem* name = m_playTable->item(item->row(), 0);
    if (name && !name->text().isEmpty()) {
        m_usb.playFile(name->text());
        showPlayState();
    }
}

void RecPlayDialog::usbPlayButtonClicked()
{
    if (m_playTable->rowCount() == 0)
        return;
    const quint8 state = model().usbMedia().state;
    if (state == 0) {
        int row = m_playTable->currentRow();
        if (row < 0) {
            row = 0;
            m_playTable->selectRow(row);
        }
        const QTableWidgetItem* name = m_playTable->item(row, 0);
        if (!name || name->text().isEmpty())
            return;
        m_usb.playFile(name->text());
    } else if (state == kPlaying) {
        m_usb.pause();
    } else {
        m_usb.play();
    }
    showPlayState();
}

void RecPlayDialog::usbStopButtonClicked()
{
    m_usb.stop();
    showPlayState();
}

void RecPlayDialog::usbPrevButtonClicked()
{
    m_usb.previous();
}

void RecPlayDialog::usbNextButtonClicked()
{
    m_usb.next();
}

void RecPlayDialog::usbPlaySliderPressed()
{
    m_sliderHeld = true;
}

void RecPlayDialog::usbPlaySliderValueChanged(int value)
{
    // While held the label shows where the release will go.
    if (m_sliderHeld)
        m_time->setText(UsbMediaEdits::playTime(quint16(value), model().usbMedia().duration));
}

void RecPlayDialog::usbPlaySliderReleased()
{
    m_sliderHeld = false;
    m_usb.seek(quint16(m_slider->value()));
    showPlayState();
}

void RecPlayDialog::usbPlayModeButtonClicked()
{
    m_usb.setMode(quint8((model().usbMedia().mode + 1) % kPlayModes));
    m_mode->setText(modeName(model().usbMedia().mode));
}

// --- recording

void RecPlayDialog::showRecordState()
{
    const auto& usb = model().usbMedia();
    m_recordTime->setText(usb.recording ? UsbMediaEdits::recordTime(usb.recordValue) : QString());
    showIcons();
}

void RecPlayDialog::usbRecordTableWidgetItemClicked(QTableWidgetItem* item)
{
    const QTableWidgetItem* name = item ? m_recordTable->item(item->row(), 0) : nullptr;
    if (name && !name->text().isEmpty())
        m_usb.selectRecording(name->text());
}

void RecPlayDialog::usbRecordButtonClicked()
{
    if (model().usbMedia().recording) {
        m_usb.stopRecording();
        return;
    }
    if (m_usb.startRecording(m_askName()) == UsbMediaEdits::RecordStart::TooLong) {
        auto* box = new QMessageBox(
            QMessageBox::Information, tr("USB Record"),
            tr("The file name's length can not be greater than 32 bytes, please enter again!"),
            QMessageBox::NoButton, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->addButton(tr("OK"), QMessageBox::AcceptRole);
        box->open();
    }
}

void RecPlayDialog::showStorage()
{
    const QString tip = model().system().usbStorage ? QString() : tr("USB not inserted!");
    for (QWidget* w : {static_cast<QWidget*>(m_playTable), static_cast<QWidget*>(m_recordTable),
                       static_cast<QWidget*>(m_play), static_cast<QWidget*>(m_stop),
                       static_cast<QWidget*>(m_previous), static_cast<QWidget*>(m_next),
                       static_cast<QWidget*>(m_record), static_cast<QWidget*>(m_slider)})
        w->setToolTip(tip);
}
