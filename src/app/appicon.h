#pragma once

#include <QIcon>

// The application's icon: three faders on the accent colour, drawn at the usual icon sizes.
QIcon appIcon();
