#pragma once

#include "blockedits.h"
#include "datamodel.h"
#include "deviceprofile.h"
#include "editorpage.h"

#include <QFrame>
#include <array>
#include <functional>

class AECWidget;
class ANCWidget;
class AutoMixerWidget;
class DelayWidget;
class AGCWidget;
class DragScrollArea;
class FeedbackWidget;
class FilterWidget;
class InSetupWidget;
class SignalGeneratorWidget;
class GateWidget;
class LimiterWidget;
class ModulePage;
class QButtonGroup;
class QPushButton;
class QStackedWidget;
class ReportRouter;

// The processing page: a row of page buttons over the block editors, one page per block. The
// visible page and its channel go to the model, so that the refresh reads what the user sees.
// The filter, limiter and delay editors' edits come here: an edit that changes nothing is
// dropped, any other is stored in the model and sent to the unit; copies and resets also
// refresh the editors that show a channel they reached.
class ModuleWidget : public QFrame
{
    Q_OBJECT
public:
    using Progress = std::function<void(int percent)>;

    ModuleWidget(DataModel& model, ReportRouter& router, const Progress& progress = {},
                 QWidget* parent = nullptr);

    void setProfile(const DeviceProfile& profile);

    // Factory 48 V test: every shown analogue input to microphone mode with phantom power on
    // or off, sending only what differs from the unit's state.
    void setAllPhantomPower(bool on);

    ModulePage* page(EditorPage page) const { return m_pages[std::size_t(page)]; }
    QPushButton* pageButton(EditorPage page) const;
    FilterWidget* inFilterWidget() const { return m_inFilter; }
    FilterWidget* outFilterWidget() const { return m_outFilter; }
    InSetupWidget* inSetupWidget() const { return m_inSetup; }
    FeedbackWidget* feedbackWidget() const { return m_feedback; }
    SignalGeneratorWidget* signalGeneratorWidget() const { return m_generator; }
    AECWidget* aecWidget() const { return m_aec; }
    AutoMixerWidget* autoMixerWidget() const { return m_autoMixer; }
    // The input delay and noise reduction are kept up to date but have no page.
    DelayWidget* inDelayWidget() const { return m_inDelay; }
    DelayWidget* outDelayWidget() const { return m_outDelay; }
    ANCWidget* ancWidget() const { return m_anc; }
    LimiterWidget* inLimiterWidget() const { return m_inLimiter; }
    LimiterWidget* outLimiterWidget() const { return m_outLimiter; }
    GateWidget* gateWidget() const { return m_gate; }
    AGCWidget* agcWidget() const { return m_agc; }
    EditorPage currentPage() const;

public slots:
    void stackedButtonClicked(int index);

    void inFilterWidgetChannelCopy(uchar channel, uint inputMask, uint outputMask);
    void inFilterWidgetChannelReset(uchar channel);
    void inFilterWidgetHPFChanged(uchar channel, DataModel::Filter::HLPF* hpf);
    void inFilterWidgetLPFChanged(uchar channel, DataModel::Filter::HLPF* lpf);
    void inFilterWidgetPEQAllEnabled(uchar channel, bool on);
    void inFilterWidgetPEQChanged(uchar channel, uchar band, DataModel::Filter::PEQ* peq);
    void inLimiterWidgetChannelCopy(uchar channel, uint inputMask, uint outputMask);
    void inLimiterWidgetChannelReset(uchar channel);
    void inLimiterWidgetDataChanged(uchar channel, DataModel::Limiter* limiter);
    void inDelayWidgetDataChanged(uchar channel, float ms);

    void outFilterWidgetChannelCopy(uchar channel, uint inputMask, uint outputMask);
    void outFilterWidgetChannelReset(uchar channel);
    void outFilterWidgetHPFChanged(uchar channel, DataModel::Filter::HLPF* hpf);
    void outFilterWidgetLPFChanged(uchar channel, DataModel::Filter::HLPF* lpf);
    void outFilterWidgetPEQAllEnabled(uchar channel, bool on);
    void outFilterWidgetPEQChanged(uchar channel, uchar band, DataModel::Filter::PEQ* peq);
    void outLimiterWidgetChannelCopy(uchar channel, uint inputMask, uint outputMask);
    void outLimiterWidgetChannelReset(uchar channel);
    void outLimiterWidgetDataChanged(uchar channel, DataModel::Limiter* limiter);
    void outDelayWidgetDataChanged(uchar channel, float ms);

protected:
    void changeEvent(QEvent* event) override;

private:
    using Side = BlockEdits::Side;

    void addPage(ModulePage* page);
    void connectFilter(FilterWidget* editor);
    void connectLimiter(LimiterWidget* editor);
    void retranslate();
    FilterWidget* filterEditor(Side side) const;
    ModulePage* limiterPage(Side side) const;
    // Reloads the pages of a block whose shown channel a copy reached.
    void reloadTargets(ModulePage* inputPage, ModulePage* outputPage,
                       const BlockEdits::Targets& targets);

    void filterCopied(Side side, uchar channel, uint inputMask, uint outputMask);
    void filterReset(Side side, uchar channel);
    void passChanged(Side side, bool high, uchar channel, const DataModel::Filter::HLPF* record);
    void peqAllEnabled(Side side, uchar channel, bool on);
    void peqChanged(Side side, uchar channel, uchar band, const DataModel::Filter::PEQ* record);
    void limiterCopied(Side side, uchar channel, uint inputMask, uint outputMask);
    void limiterReset(Side side, uchar channel);
    void limiterChanged(Side side, uchar channel, const DataModel::Limiter* record);

    DataModel& m_model;
    ReportRouter& m_router;
    BlockEdits m_edits;
    DeviceProfile m_profile;
    QButtonGroup* m_buttons;
    QStackedWidget* m_stack;
    DragScrollArea* m_area;
    std::array<ModulePage*, kEditorPageCount> m_pages{};
    FilterWidget* m_inFilter = nullptr;
    FilterWidget* m_outFilter = nullptr;
    InSetupWidget* m_inSetup = nullptr;
    FeedbackWidget* m_feedback = nullptr;
    SignalGeneratorWidget* m_generator = nullptr;
    AECWidget* m_aec = nullptr;
    AutoMixerWidget* m_autoMixer = nullptr;
    DelayWidget* m_inDelay = nullptr;
    DelayWidget* m_outDelay = nullptr;
    ANCWidget* m_anc = nullptr;
    LimiterWidget* m_inLimiter = nullptr;
    LimiterWidget* m_outLimiter = nullptr;
    GateWidget* m_gate = nullptr;
    AGCWidget* m_agc = nullptr;
};
