#pragma once

#include <QColor>

// Colours of the self-painted controls for the light and the dark appearance. The accent and the
// text colours match the style sheets, so that knobs and faders sit among styled widgets.
struct ControlPalette
{
    bool dark = false;

    QColor background;  // the window behind the controls
    QColor accent;      // value arcs
    QColor accentMuted; // value arcs of a disabled control
    QColor text;        // scale labels
    QColor tick;        // scale marks
    QColor tickStrong;  // the 0 dB mark
    QColor groove;      // knob arc track
    QColor slot;        // fader slot
    QColor grooveEdge;  // the lit lower edge of a recess
    QColor shadow;      // drop shadows under bodies and caps
    QColor focus;       // focus ring

    QColor knobBodyTop;
    QColor knobBodyBottom;
    QColor knobRimLight;
    QColor knobRimDark;
    QColor knobPointer;

    QColor capTop;
    QColor capMiddle;
    QColor capBottom;
    QColor capEdge;
    QColor capLine;

    // a moved the share t of the way towards b; disabled controls fade towards the background.
    static QColor mix(const QColor& a, const QColor& b, double t);

    static ControlPalette forAppearance(bool dark);
};
