#include "feedbackwidget.h"

#include "conferenceedits.h"
#include "datamodel.h"
#include "editorcontrols.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace editorcontrols;
using Event = ReportRouter::Event;

namespace {

constexpr int kColumnWidth = 96;

} // namespace

FeedbackWidget::FeedbackWidget(DataModel& model, ReportRouter& router, QWidget* parent)
    : ModulePage(model, router, EditorPage::Feedback, Channels::None, parent)
{
    setObjectName(QStringLiteral("feedbackWidget"));
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    for (int ch = 0; ch < kChannels; ++ch) {
        auto* frame = new QFrame(this);
        frame->setObjectName(QStringLiteral("channelColumn"));
        frame->setFixedWidth(kColumnWidth);
        auto* layout = new QVBoxLayout(frame);
        layout->setContentsMargins(2, 2, 2, 2);
        layout->setSpacing(6);
        m_names[std::size_t(ch)] = new QLabel(frame);
        m_names[std::size_t(ch)]->setObjectName(QStringLiteral("channelName"));
        m_names[std::size_t(ch)]->setAlignment(Qt::AlignCenter);
        m_enabled[std::size_t(ch)] = toggleButton(frame, QStringLiteral("enabledButton"), ch);
        layout->addWidget(m_names[std::size_t(ch)]);
        layout->addWidget(m_enabled[std::size_t(ch)]);
        connect(m_enabled[std::size_t(ch)], &QPushButton::clicked, this,
                &FeedbackWidget::enabledButtonClicked);
        m_columns[std::size_t(ch)] = frame;
        row->addWidget(frame);
    }
    row->addStretch();
    pageLayout()->addLayout(row);
    pageLayout()->addStretch();

    subscribe(wire::code::Feedback, [this](const Event& e) {
        if (e.channel < kChannels) {
            loadFeedback(e.channel);
            return;
        }
        for (int ch = 0; ch < kChannels; ++ch)
            loadFeedback(ch);
    });
    subscribe(wire::code::InputLabels, [this](const Event&) { refreshNames(); });
    retranslate();
    for (int ch = 0; ch < kChannels; ++ch)
        loadFeedback(ch);
}

void FeedbackWidget::retranslate()
{
    ModulePage::retranslate();
    for (QPushButton* b : m_enabled)
        b->setText(tr("Enabled"));
    refreshNames();
}

void FeedbackWidget::refreshNames()
{
    for (int ch = 0; ch < kChannels; ++ch)
        setName(m_names[std::size_t(ch)], inputName(model(), ch), kColumnWidth - 4);
}

void FeedbackWidget::applyProfile()
{
    for (int ch = 0; ch < kChannels; ++ch)
        m_columns[std::size_t(ch)]->setVisible(profile().inputShown(ch));
    refreshNames();
}

void FeedbackWidget::loadFeedback(int channel)
{
    if (channel >= 0 && channel < kChannels)
        m_enabled[std::size_t(channel)]->setChecked(model().input(channel).feedbackEnabled);
}

void FeedbackWidget::enabledButtonClicked(bool checked)
{
    const int ch = channelOf(sender());
    if (ch >= 0 && ch < kChannels)
        ConferenceEdits(model()).setFeedback(ch, checked);
}
