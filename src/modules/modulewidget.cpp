#include "modulewidget.h"

#include "aecwidget.h"
#include "agcwidget.h"
#include "ancwidget.h"
#include "automixerwidget.h"
#include "buttonrow.h"
#include "delaywidget.h"
#include "dragscrollarea.h"
#include "feedbackwidget.h"
#include "filterwidget.h"
#include "gatewidget.h"
#include "inputsetupedits.h"
#include "insetupwidget.h"
#include "limiterwidget.h"
#include "matrixwidget.h"
#include "modulepage.h"
#include "signalgeneratorwidget.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

constexpr int kPageButtonHeight = 32;

} // namespace

ModuleWidget::ModuleWidget(DataModel& model, ReportRouter& router, const Progress& progress,
                           QWidget* parent)
    : QFrame(parent), m_model(model), m_router(router), m_edits(model),
      m_buttons(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("modulewidget"));
    const auto report = [&progress](int percent) {
        if (progress)
            progress(percent);
    };

    auto* buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(0);
    m_buttons->setExclusive(true);
    for (int i = 0; i < kEditorPageCount; ++i) {
        auto* b = new QPushButton(this);
        b->setCheckable(true);
        b->setFocusPolicy(Qt::TabFocus);
        b->setFixedHeight(kPageButtonHeight);
        m_buttons->addButton(b, i);
        buttonRow->addWidget(b, 1);
    }
    placeSegments(m_buttons->buttons());
    m_buttons->button(0)->setChecked(true);
    connect(m_buttons, &QButtonGroup::idClicked, this, &ModuleWidget::stackedButtonClicked);

    m_stack = new QStackedWidget(this);
    m_stack->setObjectName(QStringLiteral("moduleStack"));
    m_inSetup = new InSetupWidget(m_model, m_router, m_stack);
    addPage(m_inSetup);
    m_feedback = new FeedbackWidget(m_model, m_router, m_stack);
    addPage(m_feedback);
    report(55);
    m_agc = new AGCWidget(m_model, m_router, m_stack);
    addPage(m_agc);
    report(60);
    m_gate = new GateWidget(m_model, m_router, m_stack);
    addPage(m_gate);
    report(65);
    m_inFilter = new FilterWidget(m_model, m_router, Side::Input, m_stack);
    addPage(m_inFilter);
    connectFilter(m_inFilter);
    report(70);
    m_inLimiter = new LimiterWidget(m_model, m_router, Side::Input, m_stack);
    addPage(m_inLimiter);
    connectLimiter(m_inLimiter);
    // The input delay has no page of its own.
    m_inDelay = new DelayWidget(m_model, m_router, Side::Input, this);
    m_inDelay->hide();
    connect(m_inDelay, &DelayWidget::dataChanged, this, &ModuleWidget::inDelayWidgetDataChanged);
    report(75);
    addPage(new MatrixWidget(m_model, m_router, m_stack));
    report(80);
    m_generator = new SignalGeneratorWidget(m_model, m_router, m_stack);
    addPage(m_generator);
    m_aec = new AECWidget(m_model, m_router, m_stack);
    addPage(m_aec);
    m_autoMixer = new AutoMixerWidget(m_model, m_router, m_stack);
    addPage(m_autoMixer);
    report(85);
    m_outFilter = new FilterWidget(m_model, m_router, Side::Output, m_stack);
    addPage(m_outFilter);
    connectFilter(m_outFilter);
    report(90);
    m_outLimiter = new LimiterWidget(m_model, m_router, Side::Output, m_stack);
    addPage(m_outLimiter);
    connectLimiter(m_outLimiter);
    m_outDelay = new DelayWidget(m_model, m_router, Side::Output, m_stack);
    addPage(m_outDelay);
    connect(m_outDelay, &DelayWidget::dataChanged, this, &ModuleWidget::outDelayWidgetDataChanged);
    // Noise reduction has no page either.
    m_anc = new ANCWidget(m_model, m_router, this);
    m_anc->hide();
    report(95);

    // The pages scroll when they do not fit; the bars show only then.
    m_area = new DragScrollArea(this);
    m_area->setObjectName(QStringLiteral("moduleScrollArea"));
    m_area->setWidget(m_stack);
    auto* horizontal = new QScrollBar(Qt::Horizontal, this);
    auto* vertical = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar* bar : {horizontal, vertical}) {
        bar->setVisible(false);
        connect(bar, &QScrollBar::rangeChanged, bar,
                [bar](int minimum, int maximum) { bar->setVisible(maximum > minimum); });
    }
    m_area->setScrollBars(horizontal, vertical);

    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    grid->addWidget(m_area, 0, 0);
    grid->addWidget(vertical, 0, 1);
    grid->addWidget(horizontal, 1, 0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addLayout(buttonRow);
    layout->addLayout(grid, 1);

    retranslate();
    stackedButtonClicked(0);
}

void ModuleWidget::addPage(ModulePage* page)
{
    m_pages[std::size_t(page->page())] = page;
    m_stack->addWidget(page);
}

QPushButton* ModuleWidget::pageButton(EditorPage page) const
{
    return qobject_cast<QPushButton*>(m_buttons->button(int(page)));
}

EditorPage ModuleWidget::currentPage() const
{
    return EditorPage(m_stack->currentIndex());
}

void ModuleWidget::retranslate()
{
    for (int i = 0; i < kEditorPageCount; ++i)
        m_buttons->button(i)->setText(ModulePage::caption(EditorPage(i)));
}

void ModuleWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QFrame::changeEvent(event);
}

void ModuleWidget::stackedButtonClicked(int index)
{
    if (index < 0 || index >= kEditorPageCount)
        return;
    m_buttons->button(index)->setChecked(true);
    m_pages[std::size_t(index)]->activate();
    // Only the page on show decides what the area scrolls: a wide page must not widen the rest.
    for (ModulePage* page : m_pages) {
        const bool shown = page == m_pages[std::size_t(index)];
        page->setSizePolicy(shown ? QSizePolicy::Preferred : QSizePolicy::Ignored,
                            shown ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    }
    m_stack->setCurrentIndex(index);
}

void ModuleWidget::setProfile(const DeviceProfile& profile)
{
    m_profile = profile;
    for (ModulePage* page : m_pages)
        page->setProfile(profile);
    m_inDelay->setProfile(profile);
    m_anc->setProfile(profile);
}

void ModuleWidget::setAllPhantomPower(bool on)
{
    m_inSetup->setAllPhantomPower(on);
}

// --- the editors' edits

void ModuleWidget::connectFilter(FilterWidget* editor)
{
    const bool in = editor->side() == Side::Input;
    connect(editor, &FilterWidget::channelCopy, this,
            in ? &ModuleWidget::inFilterWidgetChannelCopy
               : &ModuleWidget::outFilterWidgetChannelCopy);
    connect(editor, &FilterWidget::channelReset, this,
            in ? &ModuleWidget::inFilterWidgetChannelReset
               : &ModuleWidget::outFilterWidgetChannelReset);
    connect(editor, &FilterWidget::hpfChanged, this,
            in ? &ModuleWidget::inFilterWidgetHPFChanged
               : &ModuleWidget::outFilterWidgetHPFChanged);
    connect(editor, &FilterWidget::lpfChanged, this,
            in ? &ModuleWidget::inFilterWidgetLPFChanged
               : &ModuleWidget::outFilterWidgetLPFChanged);
    connect(editor, &FilterWidget::peqAllEnabled, this,
            in ? &ModuleWidget::inFilterWidgetPEQAllEnabled
               : &ModuleWidget::outFilterWidgetPEQAllEnabled);
    connect(editor, &FilterWidget::peqChanged, this,
            in ? &ModuleWidget::inFilterWidgetPEQChanged
               : &ModuleWidget::outFilterWidgetPEQChanged);
}

void ModuleWidget::connectLimiter(LimiterWidget* editor)
{
    const bool in = editor->side() == Side::Input;
    connect(editor, &LimiterWidget::channelCopy, this,
            in ? &ModuleWidget::inLimiterWidgetChannelCopy
               : &ModuleWidget::outLimiterWidgetChannelCopy);
    connect(editor, &LimiterWidget::channelReset, this,
            in ? &ModuleWidget::inLimiterWidgetChannelReset
               : &ModuleWidget::outLimiterWidgetChannelReset);
    connect(editor, &LimiterWidget::dataChanged, this,
            in ? &ModuleWidget::inLimiterWidgetDataChanged
               : &ModuleWidget::outLimiterWidgetDataChanged);
}

FilterWidget* ModuleWidget::filterEditor(Side side) const
{
    return side == Side::Input ? m_inFilter : m_outFilter;
}

ModulePage* ModuleWidget::limiterPage(Side side) const
{
    return page(side == Side::Input ? EditorPage::InputLimiter : EditorPage::OutputLimiter);
}

void ModuleWidget::reloadTargets(ModulePage* inputPage, ModulePage* outputPage,
                                 const BlockEdits::Targets& targets)
{
    if (targets.inputs.contains(inputPage->channel()))
        inputPage->reload();
    if (targets.outputs.contains(outputPage->channel()))
        outputPage->reload();
}

void ModuleWidget::passChanged(Side side, bool high, uchar channel,
                               const DataModel::Filter::HLPF* record)
{
    if (!record)
        return;
    if (high)
        m_edits.setHpf(side, channel, *record);
    else
        m_edits.setLpf(side, channel, *record);
}

void ModuleWidget::peqChanged(Side side, uchar channel, uchar band,
                              const DataModel::Filter::PEQ* record)
{
    if (!record)
        return;
    m_edits.setPeq(side, channel, band, *record);
    filterEditor(side)->setAllEnabled(channel, m_edits.allPeqEnabled(side, channel));
}

void ModuleWidget::peqAllEnabled(Side side, uchar channel, bool on)
{
    m_edits.setAllPeqEnabled(side, channel, on);
}

void ModuleWidget::filterCopied(Side side, uchar channel, uint inputMask, uint outputMask)
{
    reloadTargets(m_inFilter, m_outFilter,
                  m_edits.copyFilter(side, channel, inputMask, outputMask));
}

void ModuleWidget::filterReset(Side side, uchar channel)
{
    m_edits.resetFilter(side, channel);
    if (filterEditor(side)->channel() == channel)
        filterEditor(side)->reload();
}

void ModuleWidget::limiterChanged(Side side, uchar channel, const DataModel::Limiter* record)
{
    if (record)
        m_edits.setLimiter(side, channel, *record);
}

void ModuleWidget::limiterCopied(Side side, uchar channel, uint inputMask, uint outputMask)
{
    reloadTargets(limiterPage(Side::Input), limiterPage(Side::Output),
                  m_edits.copyLimiter(side, channel, inputMask, outputMask));
}

void ModuleWidget::limiterReset(Side side, uchar channel)
{
    m_edits.resetLimiter(side, channel);
    if (limiterPage(side)->channel() == channel)
        limiterPage(side)->reload();
}

// --- the named forwarding slots

void ModuleWidget::inFilterWidgetChannelCopy(uchar channel, uint inputMask, uint outputMask)
{
    filterCopied(Side::Input, channel, inputMask, outputMask);
}

void ModuleWidget::inFilterWidgetChannelReset(uchar channel)
{
    filterReset(Side::Input, channel);
}

void ModuleWidget::inFilterWidgetHPFChanged(uchar channel, DataModel::Filter::HLPF* hpf)
{
    passChanged(Side::Input, true, channel, hpf);
}

void ModuleWidget::inFilterWidgetLPFChanged(uchar channel, DataModel::Filter::HLPF* lpf)
{
    passChanged(Side::Input, false, channel, lpf);
}

void ModuleWidget::inFilterWidgetPEQAllEnabled(uchar channel, bool on)
{
    peqAllEnabled(Side::Input, channel, on);
}

void ModuleWidget::inFilterWidgetPEQChanged(uchar channel, uchar band, DataModel::Filter::PEQ* peq)
{
    peqChanged(Side::Input, channel, band, peq);
}

void ModuleWidget::inLimiterWidgetChannelCopy(uchar channel, uint inputMask, uint outputMask)
{
    limiterCopied(Side::Input, channel, inputMask, outputMask);
}

void ModuleWidget::inLimiterWidgetChannelReset(uchar channel)
{
    limiterReset(Side::Input, channel);
}

void ModuleWidget::inLimiterWidgetDataChanged(uchar channel, DataModel::Limiter* limiter)
{
    limiterChanged(Side::Input, channel, limiter);
}

void ModuleWidget::inDelayWidgetDataChanged(uchar channel, float ms)
{
    m_edits.setDelay(Side::Input, channel, ms);
}

void ModuleWidget::outFilterWidgetChannelCopy(uchar channel, uint inputMask, uint outputMask)
{
    filterCopied(Side::Output, channel, inputMask, outputMask);
}

void ModuleWidget::outFilterWidgetChannelReset(uchar channel)
{
    filterReset(Side::Output, channel);
}

void ModuleWidget::outFilterWidgetHPFChanged(uchar channel, DataModel::Filter::HLPF* hpf)
{
    passChanged(Side::Output, true, channel, hpf);
}

void ModuleWidget::outFilterWidgetLPFChanged(uchar channel, DataModel::Filter::HLPF* lpf)
{
    passChanged(Side::Output, false, channel, lpf);
}

void ModuleWidget::outFilterWidgetPEQAllEnabled(uchar channel, bool on)
{
    peqAllEnabled(Side::Output, channel, on);
}

void ModuleWidget::outFilterWidgetPEQChanged(uchar channel, uchar band, DataModel::Filter::PEQ* peq)
{
    peqChanged(Side::Output, channel, band, peq);
}

void ModuleWidget::outLimiterWidgetChannelCopy(uchar channel, uint inputMask, uint outputMask)
{
    limiterCopied(Side::Output, channel, inputMask, outputMask);
}

void ModuleWidget::outLimiterWidgetChannelReset(uchar channel)
{
    limiterReset(Side::Output, channel);
}

void ModuleWidget::outLimiterWidgetDataChanged(uchar channel, DataModel::Limiter* limiter)
{
    limiterChanged(Side::Output, channel, limiter);
}

void ModuleWidget::outDelayWidgetDataChanged(uchar channel, float ms)
{
    m_edits.setDelay(Side::Output, channel, ms);
}
