#pragma once

#include <QString>

class DataModel;

// The edits of the channels' labels: a label is stored without its surrounding blanks and
// sent in the local 8-bit encoding, and refused whole when it takes more bytes there than the
// unit keeps. The views hear of a stored label through the model, as of a reported one.
class LabelEdits
{
public:
    enum class Kind
    {
        Input,
        Output,
        TouchScreen, // the inputs' labels on the unit's own display
    };

    explicit LabelEdits(DataModel& model) : m_model(model) {}

    static int byteLimit(Kind kind);
    static int channelCount(Kind kind);
    // Whether the trimmed text fits the unit.
    static bool fits(Kind kind, const QString& text);

    // False, with nothing stored or sent, when the text does not fit or the channel is unknown.
    bool set(Kind kind, int channel, const QString& text);
    QString text(Kind kind, int channel) const;

private:
    DataModel& m_model;
};
