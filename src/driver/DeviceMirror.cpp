#include "DeviceMirror.h"

#include "Errors.h"
#include "IpText.h"

namespace tesso
{

namespace
{

constexpr std::uint32_t MaxSigned32 = 2147483647u;
constexpr int PortSlot = 4; // the port follows the four octets in the address variables
static_assert(tesso::AddressVariables.size() == 5 && tesso::AddressVariables[PortSlot] == _PORT &&
              tesso::AddressVariables[0] == _IP4);

void checkSigned(std::uint32_t value, const char* what)
{
    if (value > MaxSigned32)
        throw ERangeError(QStringLiteral("Range check error: %1 %2").arg(QLatin1String(what)).arg(value));
}

bool inputInRange(int input)
{
    return input >= 0 && input < DeviceMirror::InputSlots;
}

} // namespace

DeviceMirror::DeviceMirror()
{
    rebuildAddressTexts();
}

void DeviceMirror::store(tVAR index, std::uint32_t value)
{
    switch (tesso::Catalogue[static_cast<std::size_t>(index)].scope) {
    case tesso::Scope::ADDRESS:
        storeAddressPart(index, value);
        return;
    case tesso::Scope::INPUT:
        storePerInput(index, value);
        return;
    case tesso::Scope::DEVICE:
        break;
    }
    switch (tesso::Catalogue[static_cast<std::size_t>(index)].storage) {
    case tesso::Storage::BOOL:
        setField(index, value & 0xFFu);
        return;
    case tesso::Storage::COLOR:
        checkSigned(value, "colour value");
        break;
    case tesso::Storage::TEXT:
        // The mask travels as its count of host bits.
        if (value >= 31)
            throw ERangeError(QStringLiteral("Range check error: net mask of %1 host bits").arg(value));
        m_netmask = tesso::maskText(value);
        break;
    case tesso::Storage::U32:
        break;
    }
    setField(index, value);
}

void DeviceMirror::storePerInput(tVAR index, std::uint32_t value)
{
    const std::uint32_t stored = tesso::isBoolean(index) ? value & 0xFFu : value;
    setField(index, stored);
    const std::uint32_t input = this->value(_PCHAN);
    if (input >= static_cast<std::uint32_t>(InputSlots))
        throw ERangeError(QStringLiteral("Range check error: input %1 addressed by PCHAN").arg(input));
    setByInput(index, static_cast<int>(input), stored);
}

std::uint32_t DeviceMirror::byInput(tVAR index, int input) const
{
    const int slot = tesso::slotOf(tesso::PerInputVariables, index);
    if (slot < 0 || !inputInRange(input))
        return index == _PRGBI ? 5u : 0u;
    return m_byInput[static_cast<std::size_t>(slot)][static_cast<std::size_t>(input)];
}

void DeviceMirror::setByInput(tVAR index, int input, std::uint32_t value)
{
    const int slot = tesso::slotOf(tesso::PerInputVariables, index);
    if (slot >= 0 && inputInRange(input))
        m_byInput[static_cast<std::size_t>(slot)][static_cast<std::size_t>(input)] = value;
}

// Octets and ports go to the entry PADIP selects, or to all three with PADIP 0, or nowhere; the
// fields behind IP4..IP1 are never written by replies.
void DeviceMirror::storeAddressPart(tVAR index, std::uint32_t value)
{
    const int slot = tesso::slotOf(tesso::AddressVariables, index);
    checkSigned(value, slot == PortSlot ? "port" : "address octet");
    const std::uint32_t which = this->value(_PADIP);
    for (int entry = Local; entry <= Gateway; ++entry) {
        if (which != 0 && which != static_cast<std::uint32_t>(entry))
            continue;
        if (slot == PortSlot) {
            if (entry != Gateway) // the gateway has no port
                m_ports[static_cast<std::size_t>(entry)] = static_cast<std::int32_t>(value);
        } else {
            m_octets[static_cast<std::size_t>(entry)][static_cast<std::size_t>(slot)] =
                static_cast<std::int32_t>(value);
        }
    }
    if (slot != PortSlot)
        rebuildAddressTexts();
}

void DeviceMirror::rebuildAddressTexts()
{
    for (int entry = Local; entry <= Gateway; ++entry) {
        const auto& o = m_octets[static_cast<std::size_t>(entry)];
        m_addressTexts[static_cast<std::size_t>(entry)] =
            QStringLiteral("%1.%2.%3.%4").arg(o[0]).arg(o[1]).arg(o[2]).arg(o[3]);
    }
}

} // namespace tesso
