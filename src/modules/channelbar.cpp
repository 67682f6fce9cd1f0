#include "channelbar.h"

#include "buttonrow.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVariant>

ChannelBar::ChannelBar(int channels, const QString& prefix, QWidget* parent)
    : QWidget(parent), m_count(channels), m_group(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("channelBar"));
    m_group->setExclusive(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int ch = 0; ch < channels; ++ch) {
        auto* button = new QPushButton(prefix + QString::number(ch + 1), this);
        button->setCheckable(true);
        button->setFocusPolicy(Qt::TabFocus);
        button->setProperty("channel", ch);
        m_group->addButton(button, ch);
        layout->addWidget(button);
    }
    layout->addStretch();
    if (channels > 0)
        m_group->button(0)->setChecked(true);
    connect(m_group, &QButtonGroup::idClicked, this, &ChannelBar::channelClicked);
    setHidden(0);
}

int ChannelBar::current() const
{
    return m_group->checkedId();
}

void ChannelBar::setCurrent(int channel)
{
    if (QAbstractButton* b = m_group->button(channel))
        b->setChecked(true);
}

QPushButton* ChannelBar::button(int channel) const
{
    return qobject_cast<QPushButton*>(m_group->button(channel));
}

void ChannelBar::setLabel(int channel, const QString& text, const QString& toolTip)
{
    if (QAbstractButton* b = m_group->button(channel)) {
        b->setText(text);
        b->setToolTip(toolTip);
    }
}

bool ChannelBar::isShown(int channel) const
{
    return channel >= 0 && channel < m_count && !((m_hidden >> channel) & 1u);
}

int ChannelBar::firstShown() const
{
    for (int ch = 0; ch < m_count; ++ch) {
        if (isShown(ch))
            return ch;
    }
    return -1;
}

void ChannelBar::setHidden(quint32 hidden)
{
    m_hidden = hidden;
    for (int ch = 0; ch < m_count; ++ch)
        m_group->button(ch)->setVisible(isShown(ch));
    // The ends of the visible row are rounded by the style sheets.
    placeSegments(m_group->buttons());
}
