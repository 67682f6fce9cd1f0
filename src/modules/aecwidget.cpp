#include "aecwidget.h"

#include "aecdiagram.h"
#include "buttonrow.h"
#include "conferenceedits.h"
#include "datamodel.h"
#include "editorcontrols.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

using namespace editorcontrols;
using Event = ReportRouter::Event;

namespace {

constexpr int kMicsPerRow = 8;
constexpr int kMicTextWidth = 90;

} // namespace

AECWidget::AECWidget(DataModel& model, ReportRouter& router, QWidget* parent)
    : ModulePage(model, router, EditorPage::EchoCancellation, Channels::None, parent)
{
    setObjectName(QStringLiteral("aecWidget"));
    m_diagram = new AecDiagram(this);
    const auto centred = Qt::AlignCenter;
    m_captions[FromFarEnd] = caption(AecDiagram::kFarEndIn, centred);
    m_captions[ToFarEnd] = caption(AecDiagram::kFarEndOut, centred);
    m_captions[Source] = caption(AecDiagram::kSource, centred);
    m_captions[Amplifier] = caption(AecDiagram::kAmplifier, centred);
    const QRectF local = AecDiagram::kLocal;
    m_captions[LocalSetting] =
        caption({local.left() + 10, local.top() + 6, local.width() - 20, 26}, centred);
    const QRectF aec = AecDiagram::kCanceller;
    m_captions[Canceller] = caption({aec.left() + 2, aec.top() + 6, aec.width() - 4, 26}, centred);
    m_captions[Canceller]->setWordWrap(false);
    m_captions[Level] =
        caption({local.left() + 12, local.top() + 40, 160, 26}, Qt::AlignVCenter | Qt::AlignLeft);

    m_enabled = toggleButton(m_diagram, QStringLiteral("enabledButton"));
    m_diagram->place(m_enabled, {aec.center().x() - 60, aec.top() + 40, 120, 28});
    m_level = new ButtonRow(wire::kEchoCancellationLevels, m_diagram);
    m_level->setObjectName(QStringLiteral("levelButtons"));
    m_diagram->place(m_level, {local.left() + 12, local.top() + 72, local.width() - 24, 32});

    m_prompt = new QLabel(this);
    auto* mics = new QGridLayout;
    mics->setHorizontalSpacing(12);
    mics->setVerticalSpacing(8);
    for (int ch = 0; ch < wire::kAnalogueInputs; ++ch) {
        auto* box = new QCheckBox(this);
        box->setObjectName(QStringLiteral("localMicCheckBox%1").arg(ch));
        box->setProperty("channel", ch);
        box->setFocusPolicy(Qt::TabFocus);
        mics->addWidget(box, ch / kMicsPerRow, ch % kMicsPerRow);
        connect(box, &QCheckBox::clicked, this, &AECWidget::localMicCheckBoxClicked);
        m_mics[std::size_t(ch)] = box;
    }
    mics->setColumnStretch(kMicsPerRow, 1);

    auto* diagramRow = new QHBoxLayout;
    diagramRow->addWidget(m_diagram);
    diagramRow->addStretch();
    pageLayout()->addLayout(diagramRow);
    pageLayout()->addWidget(m_prompt);
    pageLayout()->addLayout(mics);
    pageLayout()->addStretch();

    connect(m_enabled, &QPushButton::clicked, this, &AECWidget::enabledButtonClicked);
    connect(m_level, &ButtonRow::idClicked, this, &AECWidget::levelButtonGroupButtonClicked);
    subscribe(wire::code::EchoCancellation, [this](const Event&) { loadEnabled(); });
    subscribe(wire::code::EchoCancellationSettings, [this](const Event&) { loadSettings(); });
    subscribe(wire::code::InputLabels, [this](const Event&) { refreshNames(); });
    retranslate();
    loadEnabled();
    loadSettings();
}

QLabel* AECWidget::caption(const QRectF& rect, Qt::Alignment alignment)
{
    auto* label = new QLabel(m_diagram);
    label->setObjectName(QStringLiteral("aecCaption"));
    label->setAlignment(alignment);
    label->setWordWrap(true);
    m_diagram->place(label, rect);
    return label;
}

void AECWidget::retranslate()
{
    ModulePage::retranslate();
    m_captions[FromFarEnd]->setText(tr("From\nVideo conference\nterminal audio"));
    m_captions[ToFarEnd]->setText(tr("To\nVideo conference\nterminal audio"));
    m_captions[Source]->setText(tr("IN CH3-16\nLocal conference\naudio source"));
    m_captions[Amplifier]->setText(tr("OUT CH3-16\nLocal conference\nAmplifier"));
    m_captions[LocalSetting]->setText(tr("Local Setting"));
    m_captions[Canceller]->setText(tr("AEC(Remote Benefit)"));
    m_captions[Level]->setText(tr("Level"));
    m_level->setTexts({tr("Disabled"), tr("Weak"), tr("Strong"), tr("Strongest")});
    m_prompt->setText(tr("Select the microphone channels for video conference"));
    loadEnabled();
    refreshNames();
}

void AECWidget::refreshNames()
{
    for (int ch = 0; ch < wire::kAnalogueInputs; ++ch) {
        const QString name = inputName(model(), ch);
        QCheckBox* box = m_mics[std::size_t(ch)];
        box->setText(box->fontMetrics().elidedText(name, Qt::ElideRight, kMicTextWidth));
        box->setToolTip(box->text() == name ? QString() : name);
    }
}

void AECWidget::applyProfile()
{
    for (int ch = 0; ch < wire::kAnalogueInputs; ++ch)
        m_mics[std::size_t(ch)]->setVisible(profile().inputShown(ch));
    refreshNames();
}

void AECWidget::loadEnabled()
{
    const bool on = model().echoCancellation().enabled;
    m_enabled->setChecked(on);
    m_enabled->setText(on ? tr("Enabled") : tr("Disabled"));
}

void AECWidget::loadSettings()
{
    m_level->setChecked(ConferenceEdits::echoLevel(model()));
    for (int ch = 0; ch < wire::kAnalogueInputs; ++ch)
        m_mics[std::size_t(ch)]->setChecked(ConferenceEdits::echoMicrophone(model(), ch));
}

void AECWidget::enabledButtonClicked(bool checked)
{
    ConferenceEdits(model()).setEchoCancellation(checked);
    loadEnabled();
}

void AECWidget::localMicCheckBoxClicked(bool checked)
{
    const int ch = channelOf(sender());
    if (ch >= 0 && ch < wire::kAnalogueInputs)
        ConferenceEdits(model()).setEchoMicrophone(ch, checked);
}

void AECWidget::levelButtonGroupButtonClicked(int id)
{
    ConferenceEdits(model()).setEchoLevel(id);
}
