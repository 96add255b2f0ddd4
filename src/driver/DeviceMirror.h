#pragma once
// The driver's copy of the device's variables: one field per variable, the per-input arrays
// (inputs 0..8, the input taken from PCHAN when a reply arrives) and the address table (local,
// remote and gateway, selected by PADIP), with the storing rules of each kind of variable. It
// raises no event; the driver does.

#include <array>
#include <cstdint>

#include <QString>

#include "Catalogue.h"

namespace tesso
{

class DeviceMirror
{
  public:
    static constexpr int InputSlots = 9;
    // Address table entries, as PADIP numbers them.
    enum Address { Local = 1, Remote = 2, Gateway = 3 };

    DeviceMirror();

    // The field of a variable as stored (booleans hold the low 8 bits of the reply).
    std::uint32_t value(tVAR index) const { return m_fields[static_cast<std::size_t>(index)]; }
    // Writes the field only (DEV's property, and DEV 0 when the device is declared absent).
    void setField(tVAR index, std::uint32_t value) { m_fields[static_cast<std::size_t>(index)] = value; }

    // Stores a reply value by the variable's kind. Raises ERangeError when the value does not fit:
    // a colour above 2147483647, an octet or port above 2147483647, a mask of 31 host bits or
    // more, or a per-input value while PCHAN is above 8 (its field is written before that check).
    void store(tVAR index, std::uint32_t value);

    // Entry `input` of the per-input array of a per-input variable. Outside 0..8: 5 for PRGBI
    // (the value no input type has), 0 for the others.
    std::uint32_t byInput(tVAR index, int input) const;
    // Writes the array only; an input outside 0..8 is ignored.
    void setByInput(tVAR index, int input, std::uint32_t value);

    QString addressText(Address which) const { return m_addressTexts[which]; }
    std::int32_t port(Address which) const { return m_ports[which]; }
    QString netmask() const { return m_netmask; }

  private:
    void storePerInput(tVAR index, std::uint32_t value);
    void storeAddressPart(tVAR index, std::uint32_t value);
    void rebuildAddressTexts();

    std::array<std::uint32_t, tesso::VariableCount> m_fields{};
    std::array<std::array<std::uint32_t, InputSlots>, tesso::PerInputVariables.size()> m_byInput{};
    // Octets A..D of entries 1..3 (entry 0 unused), signed as the device's octets are.
    std::array<std::array<std::int32_t, 4>, 4> m_octets{};
    std::array<QString, 4> m_addressTexts;
    std::array<std::int32_t, 4> m_ports{};
    QString m_netmask;
};

} // namespace tesso
