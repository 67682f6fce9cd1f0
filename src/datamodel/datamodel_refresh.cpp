// The periodic reads that keep the mirror in step with the unit while the link stands.
#include "datamodel.h"

namespace {

struct Code
{
    quint8 type, subType, funcId;
};

const Code kMeters[] = {{3, 1, 1}, {3, 7, 7}, {3, 11, 8}, {3, 11, 1}, {3, 18, 5}};

const Code kSystemValues[] = {
    {2, 2, 40}, {2, 2, 5},  {2, 2, 33}, {2, 2, 34}, {2, 2, 2}, {2, 2, 3},  {2, 2, 38}, {2, 2, 10},
    {2, 2, 11}, {2, 2, 19}, {2, 2, 16}, {2, 2, 24}, {2, 2, 4}, {2, 2, 29}, {2, 2, 14}, {2, 2, 9}};

const Code kInputStrips[] = {{3, 7, 1}, {3, 7, 3}, {3, 7, 2}, {3, 7, 4}, {3, 7, 6}};
const Code kOutputStrips[] = {{3, 11, 2}, {3, 11, 4}, {3, 11, 3}, {3, 11, 5}, {3, 11, 7}};
const Code kUsbMedia[] = {{2, 5, 5},  {2, 5, 1}, {2, 5, 3},  {2, 5, 20}, {2, 5, 16},
                          {2, 5, 18}, {3, 1, 4}, {3, 11, 9}, {2, 2, 32}};
const Code kDeviceSetup[] = {{2, 2, 1}, {2, 2, 13}, {2, 2, 39}, {2, 2, 6},  {2, 2, 7},
                             {2, 2, 8}, {2, 2, 12}, {2, 2, 17}, {2, 2, 18}, {2, 2, 23}};

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

} // namespace

void DataModel::read(quint8 type, quint8 subType, quint8 funcId, const QByteArray& payload)
{
    sendPacket(type, subType, funcId, wire::AccessRead, payload.constData(),
               quint16(payload.size()));
}

void DataModel::refresh()
{
    auto readAll = [this](const auto& codes) {
        for (const Code& c : codes)
            read(c.type, c.subType, c.funcId);
    };
    auto editing = [this](quint8 type, quint8 subType) {
        return m_recent.holdsGroup(type, subType);
    };

    if (m_tickCount % 10 == 0)
        readAll(kMeters);

    if (m_tickCount % 20 == 0) {
        readAll(kSystemValues);
        if (!editing(2, 3)) {
            read(2, 3, 1);
            read(2, 3, 2);
        }
        if (!editing(2, 16)) {
            read(2, 16, 1);
            read(2, 16, 2);
        }
        if (!editing(3, 7))
            readAll(kInputStrips);
        read(3, 1, 4);
        if (!editing(3, 11))
            readAll(kOutputStrips);
        refreshCurrentPage();
        refreshDialogs();
    }

    if (m_tickCount % 50 == 0)
        read(2, 2, 37);
}

void DataModel::refreshCurrentPage()
{
    // The page's block and the subType its edits are sent under.
    static const quint8 kPageSubType[] = {1, 3, 16, 2, 4, 5, 8, 9, 15, 18, 12, 13, 14};
    if (m_currentPage < 0 || m_currentPage >= int(sizeof kPageSubType))
        return;
    if (m_recent.holdsGroup(3, kPageSubType[m_currentPage]))
        return;
    const int ch = m_currentPageChannel;
    switch (m_currentPage) {
    case 0:
        read(3, 1, 2);
        read(3, 1, 4);
        read(3, 1, 5);
        read(3, 1, 8);
        break;
    case 1:
        read(3, 3, 1);
        break;
    case 2:
        read(3, 16, 1, bytes({ch}));
        break;
    case 3:
        read(3, 2, 1);
        for (int c = 0; c < kInputCount; ++c)
            read(3, 2, 2, bytes({c}));
        break;
    case 4:
    case 10: {
        const quint8 sub = m_currentPage == 4 ? 4 : 12;
        read(3, sub, 1, bytes({ch}));
        read(3, sub, 2, bytes({ch}));
        for (int band = 0; band < model::kPeqBands; ++band)
            read(3, sub, 3, bytes({ch, band}));
        break;
    }
    case 5:
        read(3, 5, 1, bytes({ch}));
        break;
    case 6:
        for (int out = 0; out < kOutputCount; ++out) {
            read(3, 8, 1, bytes({out}));
            read(3, 8, 2, bytes({out}));
        }
        break;
    case 7:
        read(3, 9, 5);
        read(3, 9, 3);
        read(3, 9, 2);
        read(3, 9, 4);
        read(3, 9, 1);
        break;
    case 8:
        read(3, 15, 2);
        break;
    case 9:
        read(3, 18, 1);
        read(3, 18, 2);
        read(3, 18, 3);
        break;
    case 11:
        read(3, 13, 1, bytes({ch}));
        break;
    case 12:
        read(3, 14, 1);
        break;
    }
}

void DataModel::refreshDialogs()
{
    if ((m_refreshFlags & RefreshLabels) && !m_recent.holdsGroup(2, 3))
        read(2, 3, 3);
    if ((m_refreshFlags & RefreshPresets) && !m_recent.holds(3, 32, 5))
        read(3, 32, 1);
    if (m_refreshFlags & RefreshUsbMedia) {
        for (const Code& c : kUsbMedia)
            read(c.type, c.subType, c.funcId);
    }
    if (m_refreshFlags & RefreshDeviceSetup) {
        for (const Code& c : kDeviceSetup)
            read(c.type, c.subType, c.funcId);
        if (!m_recent.holds(3, 7, 6))
            read(3, 7, 6);
        if (!m_recent.holds(3, 11, 7))
            read(3, 11, 7);
        read(2, 2, 25);
        read(2, 2, 32);
    }
    if ((m_refreshFlags & RefreshTouchPanel) && !m_recent.holdsGroup(2, 6))
        read(2, 6, 1);
    if (m_refreshFlags & RefreshStatusRecords) {
        const bool editing = m_recent.type == 4 && m_recent.subType == 1 && m_recent.funcId >= 17 &&
                             m_recent.funcId <= 19;
        if (!editing)
            read(4, 1, 1);
        read(4, 1, 3);
        read(4, 1, 4);
    }
}
