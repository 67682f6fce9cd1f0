#include "channelcopydialog.h"

#include "datamodel.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kButtonWidth = 70;
constexpr int kButtonHeight = 25;
constexpr int kButtonsPerRow = 8;

QVector<QPushButton*> addChannelButtons(QGroupBox* group, int count, const QStringList& names,
                                        const QStringList& labels)
{
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(8, 16, 8, 8);
    grid->setSpacing(8);
    QVector<QPushButton*> buttons;
    for (int ch = 0; ch < count; ++ch) {
        auto* b = new QPushButton(labels[ch].isEmpty() ? names[ch] : labels[ch], group);
        b->setObjectName(QString::number(ch));
        b->setCheckable(true);
        b->setFixedSize(kButtonWidth, kButtonHeight);
        if (!labels[ch].isEmpty() && labels[ch] != names[ch])
            b->setToolTip(names[ch]);
        grid->addWidget(b, ch / kButtonsPerRow, ch % kButtonsPerRow);
        buttons << b;
    }
    grid->setRowStretch(grid->rowCount(), 1);
    return buttons;
}

bool bit(quint32 mask, int i)
{
    return i < 32 && ((mask >> i) & 1u);
}

} // namespace

ChannelCopyDialog::ChannelCopyDialog(const DataModel& model, const DeviceProfile& profile,
                                     QWidget* parent)
    : Dialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_profile(profile)
{
    setObjectName(QStringLiteral("channelCopyDialog"));
    setFixedSize(640, 260);
    QStringList names, labels;
    for (int ch = 0; ch < wire::kInputStrips; ++ch) {
        names << model::withoutLineBreaks(model.input(ch).defaultName);
        labels << model::withoutLineBreaks(model.input(ch).label);
    }
    m_inputGroup = new QGroupBox(this);
    m_inputs = addChannelButtons(m_inputGroup, wire::kInputStrips, names, labels);
    names.clear();
    labels.clear();
    for (int ch = 0; ch < wire::kOutputCount; ++ch) {
        names << model::withoutLineBreaks(model.output(ch).defaultName);
        labels << model::withoutLineBreaks(model.output(ch).label);
    }
    m_outputGroup = new QGroupBox(this);
    m_outputs = addChannelButtons(m_outputGroup, wire::kOutputCount, names, labels);

    auto* box = new QDialogButtonBox(this);
    m_ok = box->addButton(QString(), QDialogButtonBox::AcceptRole);
    m_cancel = box->addButton(QString(), QDialogButtonBox::RejectRole);
    for (QPushButton* b : {m_ok, m_cancel})
        b->setFixedSize(kButtonWidth, kButtonHeight);
    connect(m_ok, &QPushButton::clicked, this, &ChannelCopyDialog::okButtonClicked);
    connect(m_cancel, &QPushButton::clicked, this, &ChannelCopyDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(m_inputGroup);
    layout->addWidget(m_outputGroup);
    layout->addStretch();
    layout->addWidget(box);
    applyHidden();
    retranslate();
}

void ChannelCopyDialog::retranslate()
{
    m_inputGroup->setTitle(tr("Input"));
    m_outputGroup->setTitle(tr("Output"));
    m_ok->setText(tr("OK"));
    m_cancel->setText(tr("Cancel"));
}

void ChannelCopyDialog::setProfile(const DeviceProfile& profile)
{
    m_profile = profile;
    applyHidden();
}

void ChannelCopyDialog::applyHidden()
{
    for (int ch = 0; ch < m_inputs.size(); ++ch) {
        const bool hidden = bit(m_profile.hiddenInputs | m_leftOutInputs, ch);
        m_inputs[ch]->setHidden(hidden);
        // A channel that went away cannot stay a target.
        if (hidden)
            m_inputs[ch]->setChecked(false);
    }
    for (int ch = 0; ch < m_outputs.size(); ++ch) {
        const bool hidden = bit(m_profile.hiddenOutputs | m_leftOutOutputs, ch);
        m_outputs[ch]->setHidden(hidden);
        if (hidden)
            m_outputs[ch]->setChecked(false);
    }
}

void ChannelCopyDialog::setInputGroupVisible(bool visible)
{
    m_inputGroup->setVisible(visible);
    if (!visible) {
        for (QPushButton* b : qAsConst(m_inputs))
            b->setChecked(false);
    }
}

void ChannelCopyDialog::setOutputGroupVisible(bool visible)
{
    m_outputGroup->setVisible(visible);
    if (!visible) {
        for (QPushButton* b : qAsConst(m_outputs))
            b->setChecked(false);
    }
}

bool ChannelCopyDialog::isInputGroupVisible() const
{
    return !m_inputGroup->isHidden();
}

bool ChannelCopyDialog::isOutputGroupVisible() const
{
    return !m_outputGroup->isHidden();
}

void ChannelCopyDialog::hideInput(int channel)
{
    if (channel >= 0 && channel < m_inputs.size()) {
        m_leftOutInputs |= 1u << channel;
        applyHidden();
    }
}

void ChannelCopyDialog::hideOutput(int channel)
{
    if (channel >= 0 && channel < m_outputs.size()) {
        m_leftOutOutputs |= 1u << channel;
        applyHidden();
    }
}

void ChannelCopyDialog::disableInput(int channel)
{
    if (QPushButton* b = m_inputs.value(channel)) {
        b->setChecked(false);
        b->setEnabled(false);
    }
}

void ChannelCopyDialog::disableOutput(int channel)
{
    if (QPushButton* b = m_outputs.value(channel)) {
        b->setChecked(false);
        b->setEnabled(false);
    }
}

quint32 ChannelCopyDialog::checkedMask(const QVector<QPushButton*>& buttons)
{
    quint32 mask = 0;
    for (int ch = 0; ch < buttons.size(); ++ch) {
        const QPushButton* b = buttons[ch];
        // Only what the user can see and choose is a target.
        if (b->isChecked() && !b->isHidden() && b->isEnabled() && !b->parentWidget()->isHidden())
            mask |= 1u << ch;
    }
    return mask;
}

void ChannelCopyDialog::okButtonClicked()
{
    m_inputMask = checkedMask(m_inputs);
    m_outputMask = checkedMask(m_outputs);
    accept();
}
