#pragma once

#include <QStringList>
#include <QtGlobal>

// The parts a unit flags in its device status byte, by name, in the order they are listed to
// the user.
QStringList deviceFaultNames(quint8 deviceStatus);
