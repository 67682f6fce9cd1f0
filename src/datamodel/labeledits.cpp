#include "labeledits.h"

#include "datamodel.h"
#include "wire/commands.h"

using namespace wire;

int LabelEdits::byteLimit(Kind kind)
{
    return kind == Kind::TouchScreen ? kSecondaryLabelBytes : kLabelBytes;
}

int LabelEdits::channelCount(Kind kind)
{
    return kind == Kind::Output ? kOutputCount : kInputStrips;
}

bool LabelEdits::fits(Kind kind, const QString& text)
{
    return encodeLocalText(text.trimmed()).size() <= byteLimit(kind);
}

QString LabelEdits::text(Kind kind, int channel) const
{
    if (channel < 0 || channel >= channelCount(kind))
        return {};
    switch (kind) {
    case Kind::Input:
        return m_model.input(channel).label;
    case Kind::Output:
        return m_model.output(channel).label;
    case Kind::TouchScreen:
        return m_model.input(channel).extraText;
    }
    return {};
}

bool LabelEdits::set(Kind kind, int channel, const QString& text)
{
    if (channel < 0 || channel >= channelCount(kind) || !fits(kind, text))
        return false;
    const QString trimmed = text.trimmed();
    const auto ch = quint8(channel);
    switch (kind) {
    case Kind::Input:
        m_model.input(channel).label = trimmed;
        deliver(m_model, cmd::inputLabel(ch, trimmed));
        m_model.sync(code::InputLabels, ch);
        break;
    case Kind::Output:
        m_model.output(channel).label = trimmed;
        deliver(m_model, cmd::outputLabel(ch, trimmed));
        m_model.sync(code::OutputLabels, ch);
        break;
    case Kind::TouchScreen:
        m_model.input(channel).extraText = trimmed;
        deliver(m_model, cmd::inputSecondaryLabel(ch, trimmed));
        m_model.sync(code::SecondaryLabels, ch);
        break;
    }
    return true;
}
