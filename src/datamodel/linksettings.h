#pragma once

#include <QtGlobal>

// What the model takes from the application's settings: where units are reached and heard, and
// the header word every packet carries. Given at construction and whenever it changes.
struct LinkSettings
{
    static constexpr quint16 kDefaultControlPort = 2698;
    static constexpr quint16 kDefaultBroadcastPort = 30068;

    quint16 controlPort = kDefaultControlPort;
    quint16 broadcastPort = kDefaultBroadcastPort;
    quint16 headerWord = 1;

    friend bool operator==(const LinkSettings& a, const LinkSettings& b)
    {
        return a.controlPort == b.controlPort && a.broadcastPort == b.broadcastPort &&
               a.headerWord == b.headerWord;
    }
    friend bool operator!=(const LinkSettings& a, const LinkSettings& b) { return !(a == b); }
};
