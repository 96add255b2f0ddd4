#include "DeviceState.h"

#include <algorithm>

namespace tesso::sim {

namespace {

// Input 1 PAL, 2 nothing, 3 YUV 50 Hz, 4 NTSC on S-Video, 5 XGA 60 Hz, 6 SXGA 60 Hz, 7 and 8
// nothing. Line durations are in units of 1/(10 x 27000 kHz): 17280 is 64 us.
InputSignal palSignal()
{
    return {17280, 1269, 312, 3, true, false, false, 3, true, false, 3, 5000};
}

std::array<InputSignal, DeviceState::InputSlots> defaultSignals()
{
    std::array<InputSignal, DeviceState::InputSlots> s{};
    s[1] = palSignal();
    s[3] = palSignal();
    s[3].family = 7;
    s[4] = {17160, 1269, 262, 3, true, false, false, 3, true, false, 2, 5994};
    s[5] = {5583, 564, 806, 6, true, false, false, 0, false, false, 11, 6000};
    s[6] = {4220, 300, 1066, 3, true, true, true, 0, false, false, 11, 6002};
    return s;
}

// Output rate code 0..3 in hundredths of a hertz.
std::uint32_t rateOfCode(std::uint32_t code)
{
    static constexpr std::array<std::uint32_t, 4> rates{5000, 6000, 7200, 7500};
    return code < rates.size() ? rates[code] : 0;
}

constexpr std::array<std::uint8_t, 6> OnMessage{'P', 'W', 'R', '1', '\r', 0};
constexpr std::array<std::uint8_t, 6> OffMessage{'P', 'W', 'R', '0', '\r', 0};

} // namespace

DeviceState::DeviceState(Model model)
    : m_model(model), m_deviceCode(model == Model::Lumio ? LumioCode : SnipaCode)
{
    restoreDefaults();
}

void DeviceState::setDeviceCode(std::uint32_t code)
{
    m_deviceCode = code;
}

void DeviceState::restoreDefaults()
{
    applyDefaults(false, false);
}

void DeviceState::factoryReset()
{
    applyDefaults(true, true);
}

void DeviceState::resetPicture()
{
    for (tVAR v : {_BRGT, _CONTR, _COLOR, _HUE, _PROC})
        m_values[v] = defaultValue(v);
}

void DeviceState::resetFraming()
{
    for (tVAR v : {_HPOS, _VPOS, _HSIZ, _VSIZ})
        m_values[v] = defaultValue(v);
}

void DeviceState::resetNetwork()
{
    m_addresses[1] = {192, 168, 0, 10, 10500};
    m_addresses[2] = {192, 168, 0, 1, 10500};
    m_addresses[3] = {192, 168, 0, 254, 0};
    m_values[_NETMASK] = 8;
}

void DeviceState::applyDefaults(bool keepFraming, bool keepNetwork)
{
    const auto before = m_values;
    for (int i = 0; i < tesso::VariableCount; ++i) {
        const auto v = static_cast<tVAR>(i);
        const bool isFraming = v == _HPOS || v == _VPOS || v == _HSIZ || v == _VSIZ;
        if (!(keepFraming && isFraming))
            m_values[v] = defaultValue(v);
    }
    if (keepFraming) {
        for (tVAR v : {_HPOS, _VPOS, _HSIZ, _VSIZ})
            m_values[v] = before[v];
    }
    for (int n = 0; n < InputSlots; ++n)
        m_perInput[n] = {n == 8 ? 0u : 1u, 0, 0, 0, 0};
    m_perInput[3][1] = 2;
    m_perInput[4][1] = 1;
    for (int n = 5; n <= 8; ++n)
        m_perInput[n][1] = 7;
    m_signals = defaultSignals();
    if (!keepNetwork)
        resetNetwork();
    else
        m_values[_NETMASK] = before[_NETMASK];
    for (int c = 0; c < MessageCells; ++c) {
        m_messages[0][c] = c < int(OnMessage.size()) ? OnMessage[c] : 0;
        m_messages[1][c] = c < int(OffMessage.size()) ? OffMessage[c] : 0;
    }
    putOnAir(1);
    recomputeDerived();
}

std::uint32_t DeviceState::defaultValue(tVAR index) const
{
    switch (index) {
    case _DEV: return m_deviceCode;
    case _UNIT: return 27000;
    case _VERI: return 0x0391;
    case _VERK: return 0x3C5A;
    case _VERS: return 0x7E21;
    case _VERV: return 16;
    case _VERUPD: return 205;
    case _OPT: return 2;
    case _ICHM:
    case _ICHNM: return 1;
    case _HPOS:
    case _VPOS:
    case _HSIZ:
    case _VSIZ:
    case _BRGT:
    case _CONTR:
    case _COLOR:
    case _HUE: return 128;
    case _PROC: return 1;
    case _OFMTM: return 1;       // XGA 1024x768
    case _ORATEM: return 0;      // 50 Hz
    case _ACHANM: return 1;
    case _AMODEM: return 1;
    case _REFFAM: return 3;
    case _REFFRQ: return 5000;
    case _PCHAN: return 1;
    case _PENA: return 1;
    case _TAKEEVA: return 1;
    case _OSYNCTIME: return 1;
    case _OTYPEM: return 3;
    case _STBTIME: return 30;
    case _FANUMBER: return 1;
    case _FATRMODE: return 1;
    case _ICHREF: return 5;
    case _SWITCHMODE: return 1;  // standard switching
    case _IFMTREF: return 1;
    case _IRATEREF: return 1;
    case _AUTOTAKE: return 1;
    case _EFFECTTYPE: return 1;  // cut
    case _FADEDURATION: return 10;
    case _TITLESTART: return 600;
    case _TITLEHEIGHT: return 120;
    case _TITLEALPHA: return 128;
    case _TITLEDURATION: return 50;
    case _TITLEMAXY: return 767;
    case _LANENABLE: return 1;
    case _PADIP: return 1;
    case _NETMASK: return 8;
    case _TCPIP: return 1;
    default: return 0;
    }
}

DeviceState::Range DeviceState::rangeOf(tVAR index) const
{
    switch (index) {
    case _HPOS:
    case _VPOS:
    case _HSIZ:
    case _VSIZ:
    case _BRGT:
    case _CONTR:
    case _COLOR:
    case _HUE: return {0, 255, true};
    case _PROC: return {0, 3, true};
    case _OSYNCTIME: return {0, 30, true};
    case _FADEDURATION: return {5, 250, true};
    case _TITLEDURATION: return {10, 250, true};
    case _TITLESTART:
    case _TITLEHEIGHT: return {0, 2047, true};
    case _TITLEALPHA: return {0, 256, true};
    case _ICHNM: return {1, std::uint32_t(inputCount()), false};
    case _IPMODEM: return {0, 2, false};
    case _OFMTM:
    case _IFMTREF: return {0, 12, false};
    case _ORATEM:
    case _IRATEREF: return {0, 3, false};
    case _OSYNCM: return {0, 2, false};
    case _OTYPEM:
    case _LOCK: return {0, 3, false};
    case _ACHANM: return {1, std::uint32_t(inputCount()), false};
    case _REFREQ:
    case _REFLAST:
    case _SWITCHMODE:
    case _TITLEAUDIO:
    case _REFASP:
    case _AMUTE: return {0, 1, false};
    case _PCHAN: return {0, InputSlots - 1, false};
    case _PRGBI: return {0, 7, false};
    case _PISTD: return {0, 4, false};
    case _STBION:
    case _STBIOFF: return {0, MessageCells - 1, false};
    case _STBON:
    case _STBOFF: return {0, 255, false};
    case _STBCTRL: return {0, 4, false};
    case _ICHREF: return {5, 7, false};
    case _EFFECTTYPE: return m_model == Model::Lumio ? Range{1, 3, false} : Range{1, 1, false};
    case _PADIP: return {0, 3, false};
    case _IP4:
    case _IP3:
    case _IP2:
    case _IP1: return {0, 255, false};
    case _PORT: return {1, 65535, false};
    case _NETMASK: return {0, 30, false}; // 31 or more host bits is no usable mask
    default: return {};
    }
}

int DeviceState::perInputColumn(tVAR index)
{
    switch (index) {
    case _PENA: return 0;
    case _PRGBI: return 1;
    case _PISTD: return 2;
    case _PPROC: return 3;
    case _REFASP: return 4;
    default: return -1;
    }
}

int DeviceState::octetColumn(tVAR index)
{
    switch (index) {
    case _IP4: return 0;
    case _IP3: return 1;
    case _IP2: return 2;
    case _IP1: return 3;
    case _PORT: return 4;
    default: return -1;
    }
}

std::uint32_t DeviceState::value(tVAR index) const
{
    if (index == _DEV)
        return m_deviceCode;
    std::uint32_t v = m_values[index];
    if (const int column = perInputColumn(index); column >= 0)
        v = m_perInput[std::min<std::uint32_t>(m_values[_PCHAN], InputSlots - 1)][column];
    if (const int column = octetColumn(index); column >= 0) {
        const std::uint32_t address = m_values[_PADIP];
        v = m_addresses[address >= 1 && address <= 3 ? address : 1][column];
    }
    if (index == _STBON)
        v = messageCell(0, int(m_values[_STBION]));
    if (index == _STBOFF)
        v = messageCell(1, int(m_values[_STBIOFF]));
    if (tesso::Catalogue[index].storage == tesso::Storage::BOOL)
        v = v != 0 ? 1 : 0;
    return v;
}

QByteArray DeviceState::replyLine(tVAR index) const
{
    QByteArray line(ReplyMnemonics[index]);
    line += QByteArray::number(value(index));
    line += "\r\n";
    return line;
}

SetOutcome DeviceState::set(tVAR index, std::uint64_t requested)
{
    const auto access = tesso::Catalogue[index].access;
    if (access == tesso::Access::RO || access == tesso::Access::FIELD)
        return SetOutcome::ReadOnly;

    SetOutcome outcome = SetOutcome::Stored;
    std::uint64_t v = requested;
    if (tesso::Catalogue[index].storage == tesso::Storage::BOOL) {
        v = v != 0 ? 1 : 0;
    } else {
        const Range r = rangeOf(index);
        if (v < r.min || v > r.max) {
            if (!r.clamp)
                return SetOutcome::Rejected;
            v = std::clamp<std::uint64_t>(v, r.min, r.max);
            outcome = SetOutcome::Clamped;
        }
    }
    store(index, static_cast<std::uint32_t>(v));
    return outcome;
}

void DeviceState::store(tVAR index, std::uint32_t v)
{
    if (const int column = perInputColumn(index); column >= 0) {
        const std::uint32_t input = m_values[_PCHAN];
        if (input == 0) {
            for (auto& slot : m_perInput)
                slot[column] = v;
        } else if (input < InputSlots) {
            m_perInput[input][column] = v;
        }
    } else if (const int column = octetColumn(index); column >= 0) {
        const std::uint32_t address = m_values[_PADIP];
        for (int a = 1; a <= 3; ++a)
            if (address == 0 || address == std::uint32_t(a))
                m_addresses[a][column] = v;
    } else if (index == _STBON || index == _STBOFF) {
        const int message = index == _STBON ? 0 : 1;
        const std::uint32_t cell = m_values[index == _STBON ? _STBION : _STBIOFF];
        if (cell < MessageCells)
            m_messages[message][cell] = v;
    } else if (index == _STBCTRL) {
        if (v == 1)
            clearMessage(0);
        else if (v == 2)
            clearMessage(1);
    } else if (index == _DEV) {
        m_deviceCode = v;
    }
    m_values[index] = v;
}

void DeviceState::putOnAir(std::uint32_t input)
{
    m_values[_ICHM] = input;
    copySignalToValues(input < InputSlots ? m_signals[input] : InputSignal{});
}

void DeviceState::copySignalToValues(const InputSignal& s)
{
    m_values[_ILDM] = s.lineDuration;
    m_values[_ILSDM] = s.lineSyncDuration;
    m_values[_IFDM] = s.frameDuration;
    m_values[_IFSDM] = s.frameSyncDuration;
    m_values[_IPSIGM] = s.syncPresent;
    m_values[_IHPOLM] = s.hPositive;
    m_values[_IVPOLM] = s.vPositive;
    m_values[_ISYNCM] = s.syncType;
    m_values[_IINTM] = s.interlaced;
    m_values[_IOORM] = s.outOfRange;
    m_values[_IFAMM] = s.family;
}

void DeviceState::copyReferenceSignal(const InputSignal& s)
{
    m_values[_ILDREF] = s.lineDuration;
    m_values[_ILSDREF] = s.lineSyncDuration;
    m_values[_IFDREF] = s.frameDuration;
    m_values[_IFSDREF] = s.frameSyncDuration;
    m_values[_IPSIGREF] = s.syncPresent;
    m_values[_IHPOLREF] = s.hPositive;
    m_values[_IVPOLREF] = s.vPositive;
    m_values[_ISYNCREF] = s.syncType;
    m_values[_IOORREF] = s.outOfRange;
    m_values[_IFAMREF] = s.family;
}

void DeviceState::recomputeDerived()
{
    const std::uint32_t onAir = m_values[_ICHM];
    const InputSignal& current = onAir < InputSlots ? m_signals[onAir] : m_signals[0];
    const std::uint32_t requested = m_values[_REFREQ];
    m_values[_REFSTA] = (requested == 0 || current.syncPresent) ? requested : 0;
    m_values[_SEAMLESS] = m_values[_SWITCHMODE] == 0 ? 1 : 0;
    m_values[_PLLMODE] = m_values[_SEAMLESS] ? 2 : (m_values[_REFSTA] == 1 ? 1 : 0);
    m_values[_REFFAM] = current.family;
    m_values[_REFFRQ] = m_values[_REFSTA] == 1 ? current.frameRate : rateOfCode(m_values[_ORATEM]);
    const std::uint32_t reference = m_values[_ICHREF];
    copyReferenceSignal(reference < InputSlots ? m_signals[reference] : InputSignal{});
    m_values[_FASTAT] = (m_values[_FASHOW] && m_values[_FAREC]) ? 1 : 0;
    if (m_values[_TAKE] == 0) {
        m_values[_EFFECTSTATUS] = m_values[_SEAMLESS] ? m_values[_EFFECTTYPE] : 0;
        m_values[_TAKEEVA] = 1;
    }
}

bool DeviceState::isDerived(tVAR index)
{
    if (index >= _ICHM && index <= _IFAMM && index != _ICHNM && index != _IPMODEM)
        return true;
    if (index >= _ILDREF && index <= _IOORREF)
        return true;
    switch (index) {
    case _REFSTA:
    case _REFFAM:
    case _REFFRQ:
    case _FAREC:
    case _FASTAT:
    case _IFAMREF:
    case _SEAMLESS:
    case _PLLMODE:
    case _EFFECTSTATUS:
    case _TAKEEVA: return true;
    default: return false;
    }
}

bool DeviceState::isPersistent(tVAR index)
{
    if (tesso::Catalogue[index].access == tesso::Access::RO || tesso::Catalogue[index].access == tesso::Access::FIELD)
        return false;
    switch (index) {
    case _ADDRDBG:
    case _DATADBG:
    case _PCHAN:
    case _PADIP:
    case _STBION:
    case _STBIOFF:
    case _TAKE:
    case _FAEXEC:
    case _FRESET:
    case _PRESETM:
    case _ERAPOS:
    case _AUTOCAD:
    case _LANRESET:
    case _LANSTORE:
    case _STBCTRL: return false;
    default: return true;
    }
}

const InputSignal& DeviceState::signal(int input) const
{
    return m_signals[std::clamp(input, 0, InputSlots - 1)];
}

void DeviceState::setSignal(int input, const InputSignal& s)
{
    if (input < 0 || input >= InputSlots)
        return;
    m_signals[input] = s;
    if (std::uint32_t(input) == m_values[_ICHM])
        copySignalToValues(s);
    recomputeDerived();
}

std::uint32_t DeviceState::perInput(tVAR index, int input) const
{
    const int column = perInputColumn(index);
    if (column < 0 || input < 0 || input >= InputSlots)
        return 0;
    return m_perInput[input][column];
}

std::uint32_t DeviceState::octet(int address, int which) const
{
    if (address < 1 || address > 3 || which < 0 || which > 3)
        return 0;
    return m_addresses[address][which];
}

std::uint32_t DeviceState::port(int address) const
{
    if (address < 1 || address > 3)
        return 0;
    return m_addresses[address][4];
}

std::uint32_t DeviceState::messageCell(int message, int cell) const
{
    if (message < 0 || message > 1 || cell < 0 || cell >= MessageCells)
        return 0;
    return m_messages[message][cell];
}

void DeviceState::clearMessage(int message)
{
    if (message == 0 || message == 1)
        m_messages[message].fill(0);
}

} // namespace tesso::sim
