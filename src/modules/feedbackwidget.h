#pragma once

#include "modulepage.h"

#include <array>

class QFrame;
class QLabel;
class QPushButton;

// Feedback suppression of the first eight inputs, one switch each.
class FeedbackWidget : public ModulePage
{
    Q_OBJECT
public:
    static constexpr int kChannels = 8;

    FeedbackWidget(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);

    QPushButton* enabledButton(int channel) const { return m_enabled[std::size_t(channel)]; }
    QFrame* column(int channel) const { return m_columns[std::size_t(channel)]; }
    void loadFeedback(int channel);

public slots:
    void enabledButtonClicked(bool checked);

protected:
    void applyProfile() override;
    void retranslate() override;

private:
    void refreshNames();

    std::array<QFrame*, kChannels> m_columns{};
    std::array<QLabel*, kChannels> m_names{};
    std::array<QPushButton*, kChannels> m_enabled{};
};
