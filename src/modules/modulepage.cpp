#include "modulepage.h"

#include "channelbar.h"
#include "channelcopydialog.h"
#include "datamodel.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

ModulePage::ModulePage(DataModel& model, ReportRouter& router, EditorPage page, Channels channels,
                       QWidget* parent)
    : QWidget(parent), m_model(model), m_router(router), m_page(page), m_channels(channels)
{
    setObjectName(QStringLiteral("modulePage"));
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(8, 8, 8, 8);
    m_layout->setSpacing(8);
    m_header = new QHBoxLayout;
    m_header->setSpacing(8);
    m_layout->addLayout(m_header);
    // Everything the unit says again after a profile change is read anew.
    subscribe(wire::code::StatusValue33, [this](const ReportRouter::Event&) {
        refreshLabels();
        reload();
    });
    if (channels == Channels::None)
        return;
    const bool inputs = channels == Channels::Inputs;
    m_bar = new ChannelBar(inputs ? wire::kInputStrips : wire::kOutputCount,
                           inputs ? QStringLiteral("IN ") : QStringLiteral("OUT "), this);
    m_header->addWidget(m_bar, 1);
    connect(m_bar, &ChannelBar::channelClicked, this, &ModulePage::setChannel);
    subscribe(inputs ? wire::code::InputLabels : wire::code::OutputLabels,
              [this](const ReportRouter::Event& e) {
                  if (e.channel == 255)
                      refreshLabels();
                  else
                      refreshLabel(e.channel);
              });
    refreshLabels();
}

QString ModulePage::caption(EditorPage page)
{
    switch (page) {
    case EditorPage::InputSetup:
        return tr("In Setup");
    case EditorPage::Feedback:
        return tr("Feedback");
    case EditorPage::Agc:
        return tr("AGC");
    case EditorPage::Gate:
        return tr("Gate");
    case EditorPage::InputFilter:
        return tr("In Filter");
    case EditorPage::InputLimiter:
        return tr("In Limiter");
    case EditorPage::Matrix:
        return tr("Matrix");
    case EditorPage::SignalGenerator:
        return tr("Signal Generator");
    case EditorPage::EchoCancellation:
        return tr("AEC");
    case EditorPage::AutoMixer:
        return tr("Auto Mixer");
    case EditorPage::OutputFilter:
        return tr("Out Filter");
    case EditorPage::OutputLimiter:
        return tr("Out Limiter");
    case EditorPage::OutputDelay:
        return tr("Out Delay");
    }
    return {};
}

bool ModulePage::isActive() const
{
    return m_model.currentPage() == int(m_page);
}

void ModulePage::activate()
{
    // A page without a selector leaves the channel of the last one as it was.
    m_model.setCurrentPage(int(m_page), m_bar ? m_channel : m_model.currentPageChannel());
}

void ModulePage::setChannel(int channel)
{
    if (!m_bar || !m_bar->isShown(channel))
        return;
    m_bar->setCurrent(channel);
    if (channel == m_channel)
        return;
    m_channel = channel;
    if (isActive())
        activate();
    loadChannel(channel);
    emit channelChanged(uchar(channel));
}

void ModulePage::setProfile(const DeviceProfile& profile)
{
    m_profile = profile;
    if (m_bar) {
        quint32 hidden = profile.hiddenInputs;
        if (m_channels == Channels::Outputs) {
            // The USB record output carries no block of its own to edit.
            hidden = profile.hiddenOutputs;
            if (profile.usbRecordOutput >= 0 && profile.usbRecordOutput < 32)
                hidden |= 1u << profile.usbRecordOutput;
        }
        m_bar->setHidden(hidden);
        // A channel the profile hides cannot stay the one shown.
        if (!m_bar->isShown(m_channel) && m_bar->firstShown() >= 0)
            setChannel(m_bar->firstShown());
        // The model names its channels after the profile.
        refreshLabels();
    }
    if (m_copyDialog)
        m_copyDialog->setProfile(profile);
    applyProfile();
}

ChannelCopyDialog* ModulePage::copyDialog() const
{
    return m_copyDialog;
}

void ModulePage::askCopyTargets(const QString& blockTitle, const CopyTargets& targets,
                                std::function<void(uchar, uint, uint)> copy)
{
    if (!m_bar)
        return;
    auto* dialog = new ChannelCopyDialog(m_model, m_profile, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(tr("%1 - Copy %2 to").arg(blockTitle, m_bar->button(m_channel)->text()));
    dialog->setInputGroupVisible(targets.inputs);
    dialog->setOutputGroupVisible(targets.outputs);
    if (!targets.withUsbPlay)
        dialog->hideInput(m_profile.usbPlayInput);
    if (!targets.withUsbRecord)
        dialog->hideOutput(m_profile.usbRecordOutput);
    if (m_channels == Channels::Inputs)
        dialog->disableInput(m_channel);
    else
        dialog->disableOutput(m_channel);
    const auto source = uchar(m_channel);
    connect(dialog, &QDialog::accepted, this, [dialog, source, copy = std::move(copy)] {
        if (dialog->inputMask() != 0 || dialog->outputMask() != 0)
            copy(source, dialog->inputMask(), dialog->outputMask());
    });
    m_copyDialog = dialog;
    dialog->open();
}

void ModulePage::askReset(const QString& question, std::function<void(uchar)> reset)
{
    auto* box = new QMessageBox(QMessageBox::Question, caption(m_page), question,
                                QMessageBox::NoButton, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* yes = box->addButton(tr("Reset"), QMessageBox::AcceptRole);
    box->addButton(tr("Cancel"), QMessageBox::RejectRole);
    const auto which = uchar(m_channel);
    connect(box, &QMessageBox::finished, this, [box, yes, which, reset = std::move(reset)] {
        if (box->clickedButton() == yes)
            reset(which);
    });
    box->open();
}

void ModulePage::refreshLabels()
{
    if (!m_bar)
        return;
    for (int ch = 0; ch < m_bar->count(); ++ch)
        refreshLabel(ch);
}

void ModulePage::refreshLabel(int channel)
{
    if (!m_bar || channel < 0 || channel >= m_bar->count())
        return;
    const bool inputs = m_channels == Channels::Inputs;
    const QString name = model::withoutLineBreaks(inputs ? m_model.input(channel).defaultName
                                                         : m_model.output(channel).defaultName);
    const QString label = model::withoutLineBreaks(inputs ? m_model.input(channel).label
                                                          : m_model.output(channel).label);
    if (label.isEmpty() || label == name)
        m_bar->setLabel(channel, name, QString());
    else
        m_bar->setLabel(channel, label, name);
}

// The base page has no texts of its own; the pages set theirs here.
void ModulePage::retranslate() {}

void ModulePage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void ModulePage::subscribe(wire::Code code, ReportRouter::Handler handler)
{
    m_router.subscribe(this, code, std::move(handler));
}

void ModulePage::subscribe(wire::Group group, ReportRouter::Handler handler)
{
    m_router.subscribe(this, group, std::move(handler));
}
