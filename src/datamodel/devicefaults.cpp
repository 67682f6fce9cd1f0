#include "devicefaults.h"

QStringList deviceFaultNames(quint8 deviceStatus)
{
    struct Bit
    {
        int bit;
        const char* name;
    };
    static const Bit bits[] = {{0, "DSP"},      {1, "ADC"},      {2, "DAC"},  {5, "EPROM"},
                               {3, "IO EXT-1"}, {4, "IO EXT-2"}, {6, "Temp"}, {7, "Ethernet"}};
    QStringList names;
    for (const Bit& b : bits) {
        if (deviceStatus & (1u << b.bit))
            names << QString::fromLatin1(b.name);
    }
    return names;
}
