#pragma once

#include <QIcon>

// The symbols of the USB transport and recording buttons, drawn for the appearance: a light
// glyph on the dark appearance, a dark one on the light appearance; recording is red on both.
enum class TransportSymbol
{
    Play,
    Pause,
    Stop,
    Previous,
    Next,
    Record,
    StopRecording,
};

QIcon transportIcon(TransportSymbol symbol, bool dark);
