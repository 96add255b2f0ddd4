#include "DeviceState.h"
#include "LanDefaults.h"

#include <algorithm>

namespace tesso::sim
{

namespace
{

// Input 1 PAL, 2 nothing, 3 YUV 50 Hz, 4 NTSC on S-Video, 5 XGA 60 Hz, 6 SXGA 60 Hz, 7 and 8
// nothing. Line durations are in units of 1/(10 x 27000 kHz): 17280 is 64 us.
InputSignal palSignal()
{
    return {17280, 1269, 312, 3, true, false, false, 3, true, false, 3, 5000};
}

std::array<InputSignal, InputSlots> defaultSignals()
{
    std::array<InputSignal, InputSlots> s{};
    s[1] = palSignal();
    s[3] = palSignal();
    s[3].family = 7;
    s[4] = {17160, 1269, 262, 3, true, false, false, 3, true, false, 2, 5994};
    s[5] = {5583, 564, 806, 6, true, false, false, 0, false, false, 11, 6000};
    s[6] = {4220, 300, 1066, 3, true, true, true, 0, false, false, 11, 6002};
    return s;
}

// Input signal type (PRGBI) of inputs 0..8, matching the signal table.
constexpr std::array<std::uint32_t, InputSlots> FactoryInputTypes{{0, 0, 0, 2, 1, 7, 7, 7, 7}};

// Local, remote and gateway address: octets, most significant first, then the port (the gateway
// has none).
constexpr std::array<std::array<std::uint32_t, AddressVariables.size()>, AddressCount> FactoryAddresses{{
    {{192, 168, 0, 10, tesso::lan::DefaultPort}},
    {{192, 168, 0, 1, tesso::lan::DefaultPort}},
    {{192, 168, 0, 254, 0}},
}};

// The rules report input 1 and the local address as defaults; they must agree with the tables.
constexpr bool rulesMatchFactoryTables()
{
    for (std::size_t k = 0; k < AddressVariables.size(); ++k)
        if (Rules[AddressVariables[k]].defaultValue != FactoryAddresses[0][k])
            return false;
    return Rules[_PRGBI].defaultValue == FactoryInputTypes[1];
}
static_assert(rulesMatchFactoryTables());

// Output rate code 0..3 in hundredths of a hertz.
std::uint32_t rateOfCode(std::uint32_t code)
{
    static constexpr std::array<std::uint32_t, 4> rates{5000, 6000, 7200, 7500};
    return code < rates.size() ? rates[code] : 0;
}

constexpr std::array<std::uint8_t, 6> OnMessage{'P', 'W', 'R', '1', '\r', 0};
constexpr std::array<std::uint8_t, 6> OffMessage{'P', 'W', 'R', '0', '\r', 0};

std::uint32_t reported(tVAR index, std::uint32_t v)
{
    return isBoolean(index) ? (v != 0 ? 1 : 0) : v;
}

} // namespace

DeviceState::DeviceState(Model model)
    : m_model(model), m_modelPosition(ModelTable::ModelIndex(deviceCodeOf(model))),
      m_deviceCode(deviceCodeOf(model))
{
    restoreDefaults();
}

void DeviceState::setDeviceCode(std::uint32_t code)
{
    m_deviceCode = code;
}

void DeviceState::restoreDefaults()
{
    applyDefaults(0);
    resetNetwork();
}

void DeviceState::factoryReset()
{
    applyDefaults(Framing | Network);
}

void DeviceState::resetPicture()
{
    for (const VariableRule& rule : Rules)
        if (rule.has(Picture))
            m_values[rule.index] = rule.defaultValue;
}

void DeviceState::resetFraming()
{
    for (const VariableRule& rule : Rules)
        if (rule.has(Framing))
            m_values[rule.index] = rule.defaultValue;
}

void DeviceState::resetNetwork()
{
    m_addresses = FactoryAddresses;
    for (const VariableRule& rule : Rules)
        if (rule.has(Network))
            m_values[rule.index] = rule.defaultValue;
}

void DeviceState::applyDefaults(unsigned keptGroups)
{
    for (const VariableRule& rule : Rules)
        if (!rule.has(keptGroups))
            m_values[rule.index] = rule.defaultValue;
    for (int n = 0; n < InputSlots; ++n) {
        for (std::size_t k = 0; k < PerInputVariables.size(); ++k)
            m_perInput[n][k] = Rules[PerInputVariables[k]].defaultValue;
        m_perInput[n][slotOf(PerInputVariables, _PRGBI)] = FactoryInputTypes[n];
        // Inputs the model does not have are off.
        if (n > inputCount())
            m_perInput[n][slotOf(PerInputVariables, _PENA)] = 0;
    }
    m_signals = defaultSignals();
    for (int c = 0; c < MessageCells; ++c) {
        m_messages[0][c] = c < int(OnMessage.size()) ? OnMessage[c] : 0;
        m_messages[1][c] = c < int(OffMessage.size()) ? OffMessage[c] : 0;
    }
    putOnAir(1);
    recomputeDerived();
}

std::uint32_t DeviceState::value(tVAR index) const
{
    if (index == _DEV)
        return m_deviceCode;
    std::uint32_t v = m_values[index];
    if (const int column = slotOf(PerInputVariables, index); column >= 0)
        v = m_perInput[std::min<std::uint32_t>(m_values[_PCHAN], InputSlots - 1)][column];
    if (const int column = slotOf(AddressVariables, index); column >= 0) {
        const std::uint32_t address = m_values[_PADIP];
        v = m_addresses[address >= 1 && address <= Addresses ? address - 1 : 0][column];
    }
    if (index == _STBON)
        v = messageCell(0, int(m_values[_STBION]));
    if (index == _STBOFF)
        v = messageCell(1, int(m_values[_STBIOFF]));
    return reported(index, v);
}

QByteArray DeviceState::replyLine(tVAR index) const
{
    return replyLine(index, value(index));
}

QByteArray DeviceState::replyLine(tVAR index, std::uint32_t value)
{
    QByteArray line(ReplyMnemonics[index]);
    line += QByteArray::number(value);
    line += "\r\n";
    return line;
}

SetOutcome DeviceState::set(tVAR index, std::uint64_t requested)
{
    if (!isWritable(index))
        return SetOutcome::ReadOnly;
    const VariableRule& rule = Rules[index];
    if (rule.policy == SetPolicy::Boolean) {
        store(index, requested != 0 ? 1 : 0);
        return SetOutcome::Stored;
    }
    const std::uint32_t min = minFor(rule);
    const std::uint32_t max = maxFor(rule, m_modelPosition);
    const bool any = rule.policy == SetPolicy::Any && requested <= U32Max;
    if (any || (requested >= min && requested <= max)) {
        store(index, static_cast<std::uint32_t>(requested));
        return SetOutcome::Stored;
    }
    if (rule.policy != SetPolicy::Clamp)
        return SetOutcome::Rejected;
    store(index, static_cast<std::uint32_t>(std::clamp<std::uint64_t>(requested, min, max)));
    return SetOutcome::Clamped;
}

void DeviceState::store(tVAR index, std::uint32_t v)
{
    if (const int column = slotOf(PerInputVariables, index); column >= 0) {
        const std::uint32_t input = m_values[_PCHAN];
        if (input == 0) {
            for (auto& slot : m_perInput)
                slot[column] = v;
        } else if (input < InputSlots) {
            m_perInput[input][column] = v;
        }
    } else if (const int column = slotOf(AddressVariables, index); column >= 0) {
        const std::uint32_t address = m_values[_PADIP];
        for (int a = 1; a <= Addresses; ++a)
            if (address == 0 || address == std::uint32_t(a))
                m_addresses[a - 1][column] = v;
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
    m_values[_FAREC] = m_frames.recorded(m_values[_FANUMBER]) ? 1 : 0;
    m_values[_FASTAT] = (m_values[_FASHOW] && m_values[_FAREC]) ? 1 : 0;
    if (m_values[_TAKE] == 0) {
        m_values[_EFFECTSTATUS] = m_values[_SEAMLESS] ? m_values[_EFFECTTYPE] : 0;
        m_values[_TAKEEVA] = 1;
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
    const int column = slotOf(PerInputVariables, index);
    if (column < 0 || input < 0 || input >= InputSlots)
        return 0;
    return reported(index, m_perInput[input][column]);
}

std::uint32_t DeviceState::perAddress(tVAR index, int address) const
{
    const int column = slotOf(AddressVariables, index);
    if (column < 0 || address < 1 || address > Addresses)
        return 0;
    return m_addresses[address - 1][column];
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
