#include "deviceitemwidget.h"

#include "addressfield.h"
#include "deviceicons.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>
#include <QVariant>

namespace {

// Applies a changed dynamic property to the widget's look.
void repolish(QWidget* widget)
{
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
    widget->update();
}

QLabel* textLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    label->setProperty("selected", false);
    return label;
}

QLabel* markLabel(const char* name, QChar glyph, qreal pointSize, QWidget* parent)
{
    auto* label = new QLabel(QString(glyph), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFixedSize(12, 12);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(DeviceIcons::iconFont(pointSize));
    return label;
}

} // namespace

DeviceItemWidget::DeviceItemWidget(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_StyledBackground);
    setProperty("selected", false);

    m_modelLabel = textLabel("deviceModelLabel", this);
    m_modelLabel->setFixedWidth(110);
    m_ipLabel = textLabel("deviceIPLabel", this);
    m_presetLabel = textLabel("devicePresetLabel", this);
    m_presetLabel->setFixedWidth(110);

    m_faultMark = markLabel("deviceFaultMark", QChar(0xF129), 8, this);
    m_faultMark->setProperty("status", QStringLiteral("2"));
    m_faultMark->hide();
    m_onlineMark = markLabel("deviceOnlineMark", QChar(0xF002), 7, this);
    m_onlineMark->setProperty("browsing", false);
    m_onlineMark->setProperty("status", QStringLiteral("0"));
    m_linkMark = markLabel("deviceLinkMark", QChar(0xF021), 7, this);
    m_linkLabel = new QLabel(this);
    m_linkLabel->setObjectName(QStringLiteral("deviceLinkLabel"));
    for (QLabel* l : {m_linkMark, m_linkLabel}) {
        l->setProperty("linkState", QStringLiteral("idle"));
        l->hide();
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 8, 4, 8);
    layout->setSpacing(4);
    layout->addWidget(m_modelLabel, 0, Qt::AlignHCenter);
    layout->addWidget(m_ipLabel, 0, Qt::AlignHCenter);
    layout->addWidget(m_presetLabel, 0, Qt::AlignHCenter);
    auto* marks = new QHBoxLayout;
    marks->setContentsMargins(4, 0, 4, 0);
    marks->setSpacing(4);
    marks->addWidget(m_faultMark);
    marks->addStretch();
    marks->addWidget(m_linkMark);
    marks->addWidget(m_linkLabel);
    marks->addStretch();
    marks->addWidget(m_onlineMark);
    layout->addLayout(marks);
    retranslate();
}

void DeviceItemWidget::setIPAddress(uint ip)
{
    m_ipLabel->setText(AddressField::dotted(ip));
}

void DeviceItemWidget::setModel(const QString& model)
{
    m_modelLabel->setText(model);
}

void DeviceItemWidget::setPreset(const QString& preset)
{
    m_presetLabel->setText(preset);
}

void DeviceItemWidget::setFault(bool fault)
{
    m_faultMark->setVisible(fault);
}

void DeviceItemWidget::setLinkStatus(bool online)
{
    m_online = online;
    m_onlineMark->setProperty("browsing", online);
    m_onlineMark->setProperty("status", online ? QStringLiteral("1") : QStringLiteral("0"));
    repolish(m_onlineMark);
    retranslate();
}

void DeviceItemWidget::setSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    // The row itself carries the property too, so that the style sheet can mark all of it.
    for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(m_modelLabel),
                       static_cast<QWidget*>(m_ipLabel), static_cast<QWidget*>(m_presetLabel)}) {
        w->setProperty("selected", selected);
        repolish(w);
    }
}

void DeviceItemWidget::setLinkState(LinkState state)
{
    if (state == m_linkState)
        return;
    m_linkState = state;
    struct Look
    {
        const char* name;
        ushort glyph;
    };
    // FontAwesome: refresh, link, unlock, warning.
    static const Look looks[] = {{"idle", 0xF021},
                                 {"connecting", 0xF021},
                                 {"connected", 0xF0C1},
                                 {"loggedIn", 0xF09C},
                                 {"timedOut", 0xF071}};
    const Look& look = looks[int(state)];
    m_linkMark->setText(QString(QChar(look.glyph)));
    for (QLabel* l : {m_linkMark, m_linkLabel}) {
        l->setProperty("linkState", QString::fromLatin1(look.name));
        l->setVisible(state != LinkState::Idle);
        repolish(l);
    }
    retranslate();
}

QString DeviceItemWidget::linkStateText() const
{
    return m_linkLabel->text();
}

QString DeviceItemWidget::ipAddressText() const
{
    return m_ipLabel->text();
}

QString DeviceItemWidget::modelText() const
{
    return m_modelLabel->text();
}

QString DeviceItemWidget::presetText() const
{
    return m_presetLabel->text();
}

bool DeviceItemWidget::isFaultShown() const
{
    return !m_faultMark->isHidden();
}

void DeviceItemWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void DeviceItemWidget::retranslate()
{
    m_faultMark->setToolTip(tr("Fault"));
    m_onlineMark->setToolTip(m_online ? tr("Online") : tr("Offline"));
    switch (m_linkState) {
    case LinkState::Idle:
        m_linkLabel->clear();
        break;
    case LinkState::Connecting:
        m_linkLabel->setText(tr("Connecting..."));
        break;
    case LinkState::Connected:
        m_linkLabel->setText(tr("Connected"));
        break;
    case LinkState::LoggedIn:
        m_linkLabel->setText(tr("Logged in"));
        break;
    case LinkState::TimedOut:
        m_linkLabel->setText(tr("Timed out"));
        break;
    }
}
