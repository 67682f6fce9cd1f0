#pragma once

#include <QString>

class DataModel;
class Knob;
class QLabel;
class QLineEdit;
class QObject;
class QPushButton;
class QWidget;

// Small pieces the block editors build their columns from. Per-channel controls carry their
// channel in the dynamic property "channel", from which a shared handler finds it.
namespace editorcontrols {

QPushButton* toggleButton(QWidget* parent, const QString& name, int channel = -1);
QLineEdit* valueEdit(QWidget* parent, const QString& name, int channel = -1);
Knob* valueKnob(QWidget* parent, const QString& name, int minimum, int maximum, int channel = -1);
// The channel of a control made above, or -1.
int channelOf(const QObject* control);
// A caption over its unit, e.g. "Gain" over "(dB)".
QString withUnit(const QString& caption, const QString& unit);
// A channel's label on one line, or its default name when it has none.
QString inputName(const DataModel& model, int channel);
QString outputName(const DataModel& model, int channel);

// Names a knob and its edit for screen readers; the knob reads out the edit's text with the
// unit, which is how the editor shows the knob's value.
void nameForScreenReaders(Knob* knob, QLineEdit* edit, const QString& name, const QString& unit);

// Shows a channel name in a label of fixed width, cut with an ellipsis when it does not fit;
// the whole name is the tooltip.
void setName(QLabel* label, const QString& name, int width);

// Ends a line edit's edit once: Return finishes it, and the focus leaving would finish it a
// second time. False when the edit is already being finished.
bool finishEdit(QLineEdit* edit, bool& finishing);

} // namespace editorcontrols
