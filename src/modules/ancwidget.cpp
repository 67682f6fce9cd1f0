#include "ancwidget.h"

#include "buttonrow.h"
#include "conferenceedits.h"
#include "datamodel.h"
#include "editorcontrols.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

using namespace editorcontrols;

// Never shown in the page stack; it files under the echo-cancellation page, which only a shown
// page writes to the model.
ANCWidget::ANCWidget(DataModel& model, ReportRouter& router, QWidget* parent)
    : ModulePage(model, router, EditorPage::EchoCancellation, Channels::None, parent)
{
    setObjectName(QStringLiteral("ancWidget"));
    m_channelLabel = new QLabel(this);
    m_channels = new ButtonRow(wire::kAnalogueInputs, this);
    m_channels->setObjectName(QStringLiteral("channelButtons"));
    m_levelLabel = new QLabel(this);
    m_levels = new ButtonRow(wire::kNoiseReductionLevels, this);
    m_levels->setObjectName(QStringLiteral("levelButtons"));

    auto* grid = new QGridLayout;
    grid->setSpacing(10);
    grid->addWidget(m_channelLabel, 0, 0, Qt::AlignRight);
    grid->addWidget(m_channels, 0, 1);
    grid->addWidget(m_levelLabel, 1, 0, Qt::AlignRight);
    grid->addWidget(m_levels, 1, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    pageLayout()->addLayout(grid);
    pageLayout()->addStretch();

    connect(m_channels, &ButtonRow::idClicked, this, &ANCWidget::channelButtonGroupButtonClicked);
    connect(m_levels, &ButtonRow::idClicked, this,
            &ANCWidget::noiseReductionLevelButtonGroupButtonClicked);
    subscribe(wire::code::NoiseReduction,
              [this](const ReportRouter::Event&) { loadNoiseReduction(); });
    subscribe(wire::code::InputLabels, [this](const ReportRouter::Event&) { refreshNames(); });
    retranslate();
    loadNoiseReduction();
}

void ANCWidget::retranslate()
{
    ModulePage::retranslate();
    m_channelLabel->setText(tr("Channel Enabled"));
    m_levelLabel->setText(tr("Noise Reduction Level"));
    m_levels->setTexts({tr("Disabled"), tr("Weak"), tr("Strong"), tr("Strongest")});
    refreshNames();
}

void ANCWidget::refreshNames()
{
    QStringList names;
    for (int ch = 0; ch < wire::kAnalogueInputs; ++ch)
        names << inputName(model(), ch);
    m_channels->setTexts(names);
}

void ANCWidget::applyProfile()
{
    QList<QAbstractButton*> buttons;
    for (int ch = 0; ch < wire::kAnalogueInputs; ++ch) {
        m_channels->button(ch)->setVisible(profile().inputShown(ch));
        buttons << m_channels->button(ch);
    }
    placeSegments(buttons);
    refreshNames();
}

int ANCWidget::shownChannel() const
{
    return m_channels->checkedId();
}

int ANCWidget::shownLevel() const
{
    return m_levels->checkedId();
}

bool ANCWidget::loadNoiseReduction()
{
    const auto& nr = model().noiseReduction();
    const int level = nr.levels[nr.channel];
    if (shownChannel() == nr.channel && shownLevel() == level)
        return false;
    m_channels->setChecked(nr.channel);
    m_levels->setChecked(level);
    return true;
}

void ANCWidget::channelButtonGroupButtonClicked(int id)
{
    if (id < 0 || id >= wire::kAnalogueInputs)
        return;
    ConferenceEdits(model()).setNoiseReduction(id,
                                               model().noiseReduction().levels[std::size_t(id)]);
    m_levels->setChecked(model().noiseReduction().levels[std::size_t(id)]);
}

void ANCWidget::noiseReductionLevelButtonGroupButtonClicked(int id)
{
    ConferenceEdits(model()).setNoiseReduction(shownChannel(), id);
}
