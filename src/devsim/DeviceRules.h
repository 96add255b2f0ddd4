#pragma once
// What the simulated device does with each variable: its factory value, whether a set outside the
// variable's range is clamped or ignored, and which group it belongs to. The ranges are the
// catalogue's, narrowed only by the model (inputs, effects) and by the simulator's message cells.
// One row per variable in catalogue order; the checks at the end hold the rows to the catalogue
// and the model table at compile time.

#include <array>
#include <cstdint>

#include "Catalogue.h"
#include "DeviceModels.h"
#include "LanDefaults.h"

namespace tesso::sim
{

// Inputs 0..8, 0 addressing all inputs at once; cells of each projector message; addresses
// (local, remote, gateway).
inline constexpr int InputSlots = ModelTable::MaxInputs + 1;
inline constexpr int MessageCells = 64;
inline constexpr int AddressCount = 3;

// What a set command stores.
enum class SetPolicy : std::uint8_t {
    Any,     // any 32-bit value, whatever the range (and read-only variables, which a set does not
             // change)
    Boolean, // any non-zero value stores 1
    Clamp,   // values outside the range are stored at the nearest limit
    Reject   // values outside the range are ignored
};

// Where the upper limit comes from.
enum class Limit : std::uint8_t {
    Fixed,         // the catalogue's maximum
    InputCount,    // the model's number of inputs
    HighestEffect, // the highest effect the model offers
    MessageCells   // the last of the simulator's cells of a projector message
};

enum RuleFlag : std::uint8_t {
    Derived = 1,   // follows other values; reported whenever a command changed it
    OnAir = 2,     // the input on air and its signal, reported in full after every take
    Transient = 4, // a pointer or an action: setting it is no change of the kept settings
    Framing = 8,   // position and size: reset by ERAPOS and AUTOCAD, kept by a factory reset
    Picture = 16,  // reset by PRESETM
    Network = 32   // reset by LANRESET, kept by a factory reset
};

struct VariableRule {
    tVAR index;
    std::uint32_t defaultValue; // what the device reports after a reset (per input: input 1,
                                // per address: the local one)
    SetPolicy policy;
    Limit maxFrom;
    unsigned flags;

    constexpr bool has(unsigned flag) const { return (flags & flag) != 0; }
};

namespace rules
{

constexpr VariableRule any(tVAR i, std::uint32_t value = 0, unsigned flags = 0)
{
    return {i, value, SetPolicy::Any, Limit::Fixed, flags};
}
constexpr VariableRule boolean(tVAR i, std::uint32_t value = 0, unsigned flags = 0)
{
    return {i, value, SetPolicy::Boolean, Limit::Fixed, flags};
}
constexpr VariableRule clamped(tVAR i, std::uint32_t value, unsigned flags = 0)
{
    return {i, value, SetPolicy::Clamp, Limit::Fixed, flags};
}
constexpr VariableRule checked(tVAR i, std::uint32_t value, unsigned flags = 0)
{
    return {i, value, SetPolicy::Reject, Limit::Fixed, flags};
}
constexpr VariableRule checkedUpTo(tVAR i, std::uint32_t value, Limit limit, unsigned flags = 0)
{
    return {i, value, SetPolicy::Reject, limit, flags};
}

constexpr unsigned Signal = Derived | OnAir;

// clang-format off
inline constexpr std::array<VariableRule, VariableCount> Table{{
    any(_ADDRDBG, 0, Transient),
    any(_DATADBG, 0, Transient),
    any(_DEV),                                  // answered from the device code
    any(_UNIT, 27000),
    any(_VERI, 0x0391),
    any(_VERK, 0x3C5A),
    any(_VERS, 0x7E21),
    any(_VERV, 16),
    any(_VERUPD, 205),
    any(_OPT, 2),                               // LAN installed
    boolean(_FRESET, 0, Transient),
    any(_ICHM, 1, Signal),
    checkedUpTo(_ICHNM, 1, Limit::InputCount),
    checked(_IPMODEM, 0),
    any(_ILDM, 0, Signal),
    any(_ILSDM, 0, Signal),
    any(_IFDM, 0, Signal),
    any(_IFSDM, 0, Signal),
    any(_IPSIGM, 0, Signal),
    any(_IHPOLM, 0, Signal),
    any(_IVPOLM, 0, Signal),
    any(_ISYNCM, 0, Signal),
    any(_IINTM, 0, Signal),
    any(_IOORM, 0, Signal),
    any(_IFAMM, 0, Signal),
    clamped(_HPOS, 128, Framing),
    clamped(_VPOS, 128, Framing),
    clamped(_HSIZ, 128, Framing),
    clamped(_VSIZ, 128, Framing),
    clamped(_BRGT, 128, Picture),
    clamped(_CONTR, 128, Picture),
    clamped(_COLOR, 128, Picture),
    clamped(_HUE, 128, Picture),
    clamped(_PROC, 1, Picture),
    boolean(_OVER),
    any(_IASP),
    checked(_OFMTM, 1),                         // XGA 1024x768
    checked(_ORATEM, 0),                        // 50 Hz
    checked(_OSYNCM, 0),
    boolean(_OBLACK),
    any(_OASP),
    any(_OSCREENM),
    checkedUpTo(_ACHANM, 1, Limit::InputCount),
    any(_AMODEM, 1),
    checked(_REFREQ, 0),
    any(_REFSTA, 0, Derived),
    any(_REFFAM, 3, Derived),
    any(_REFFRQ, 5000, Derived),
    any(_FAREC, 0, Derived),
    boolean(_FAAUTO),
    boolean(_FASHOW),
    any(_FASTAT, 0, Derived),
    checked(_PCHAN, 1, Transient),
    boolean(_PENA, 1),
    checked(_PRGBI, 0),
    checked(_PISTD, 0),
    boolean(_PPROC),
    any(_STORE),
    boolean(_PRESETM, 0, Transient),
    boolean(_ERAPOS, 0, Transient),
    boolean(_AUTOCAD, 0, Transient),
    boolean(_IFRZM),
    boolean(_EPD),
    any(_TAKEEVA, 1, Derived),
    checked(_LOCK, 0),
    clamped(_OSYNCTIME, 1),
    checked(_OTYPEM, 3),
    any(_STBTIME, 30),
    boolean(_STANDBY),
    any(_STBRATE),
    checked(_STBON, 0),
    checked(_STBOFF, 0),
    checkedUpTo(_STBION, 0, Limit::MessageCells, Transient),
    checkedUpTo(_STBIOFF, 0, Limit::MessageCells, Transient),
    checked(_STBCTRL, 0, Transient),
    any(_FAMODEM),
    boolean(_FAEXEC, 0, Transient),
    any(_FANUMBER, 1),
    any(_FATRMODE, 1),
    boolean(_OPAT),
    checked(_ICHREF, 5),
    checked(_REFLAST, 0),
    checked(_SWITCHMODE, 1),                    // standard switching
    any(_ILDREF, 0, Derived),
    any(_ILSDREF, 0, Derived),
    any(_IFDREF, 0, Derived),
    any(_IFSDREF, 0, Derived),
    any(_IPSIGREF, 0, Derived),
    any(_IHPOLREF, 0, Derived),
    any(_IVPOLREF, 0, Derived),
    any(_ISYNCREF, 0, Derived),
    any(_IOORREF, 0, Derived),
    checked(_IFMTREF, 1),
    checked(_IRATEREF, 1),
    any(_IFAMREF, 0, Derived),
    checked(_AMUTE, 0),
    boolean(_TAKE, 0, Transient),
    boolean(_AUTOTAKE, 1),
    checkedUpTo(_EFFECTTYPE, 1, Limit::HighestEffect), // cut
    any(_EFFECTSTATUS, 0, Derived),
    clamped(_FADEDURATION, 10),
    clamped(_TITLESTART, 600),
    clamped(_TITLEHEIGHT, 120),
    clamped(_TITLEALPHA, 128),
    clamped(_TITLEDURATION, 50),
    checked(_TITLEAUDIO, 0),
    any(_TITLEMAXY, 767),
    boolean(_TITLEHOLD),
    any(_SEAMLESS, 0, Derived),
    any(_PLLMODE, 0, Derived),
    checked(_REFASP, 0),
    boolean(_LANENABLE, 1),
    boolean(_LANRESET, 0, Transient),
    boolean(_LANSTORE, 0, Transient),
    checked(_PADIP, 1, Transient),
    checked(_IP4, 192, Network),
    checked(_IP3, 168, Network),
    checked(_IP2, 0, Network),
    checked(_IP1, 10, Network),
    checked(_PORT, tesso::lan::DefaultPort, Network),
    checked(_NETMASK, 8, Network),              // host bits; 31 or more is no usable mask
    boolean(_DHCPENABLE),
    boolean(_TCPIP, 1),
    any(_DOLLARS),
    any(_DIESE),
}};
// clang-format on

} // namespace rules

inline constexpr const std::array<VariableRule, VariableCount>& Rules = rules::Table;

constexpr bool isWritable(tVAR index)
{
    return Catalogue[index].access != Access::RO && Catalogue[index].access != Access::FIELD;
}

// Whether an accepted set changes what the device keeps in flash (and so reports STORE).
constexpr bool isKeptSetting(tVAR index)
{
    return isWritable(index) && !Rules[index].has(Transient);
}

// The lower limit of a row: the catalogue's.
constexpr std::uint32_t minFor(const VariableRule& rule)
{
    return variableRange(rule.index).minimum;
}

// The upper limit of a row for the model at a position of the model table.
constexpr std::uint32_t maxFor(const VariableRule& rule, int modelPosition)
{
    switch (rule.maxFrom) {
    case Limit::InputCount:
        return std::uint32_t(ModelTable::InputCount(modelPosition));
    case Limit::HighestEffect:
        return ModelTable::HighestEffect(modelPosition);
    case Limit::MessageCells:
        return std::uint32_t(MessageCells - 1);
    case Limit::Fixed:
        break;
    }
    return variableRange(rule.index).maximum;
}

namespace rules
{

constexpr bool inIndexOrder()
{
    for (int i = 0; i < VariableCount; ++i)
        if (Table[i].index != i)
            return false;
    return true;
}

constexpr bool readOnlyRowsHaveNoRange()
{
    for (const VariableRule& r : Table)
        if (!isWritable(r.index) && (r.policy != SetPolicy::Any || r.maxFrom != Limit::Fixed))
            return false;
    return true;
}

constexpr bool booleansAreZeroOrOne()
{
    for (const VariableRule& r : Table) {
        const bool writableBoolean = isBoolean(r.index) && isWritable(r.index);
        if ((r.policy == SetPolicy::Boolean) != writableBoolean)
            return false;
        if (isBoolean(r.index) && r.defaultValue > 1)
            return false;
    }
    return true;
}

// Whether every rule holds for every model the device can be.
template <typename Check> constexpr bool holdsForEveryModel(Check holds)
{
    for (const ModelInfo& model : ModelTable::Models) {
        if (model.code == 0)
            continue;
        const int position = ModelTable::ModelIndex(model.code);
        for (const VariableRule& r : Table)
            if (!holds(r, position))
                return false;
    }
    return true;
}

constexpr bool defaultsLieInTheirRanges()
{
    return holdsForEveryModel([](const VariableRule& r, int position) {
        return r.defaultValue >= minFor(r) && r.defaultValue <= maxFor(r, position);
    });
}

// The model and the message cells narrow a range, never widen it.
constexpr bool limitsLieInTheCatalogueRanges()
{
    return holdsForEveryModel([](const VariableRule& r, int position) {
        return maxFor(r, position) >= minFor(r) && maxFor(r, position) <= variableRange(r.index).maximum;
    });
}

constexpr bool flagsFitTheAccess()
{
    for (const VariableRule& r : Table) {
        if (r.has(Derived) && Catalogue[r.index].access != Access::RO)
            return false;
        if (r.has(OnAir) && !r.has(Derived))
            return false;
        if (r.has(Transient) && !isWritable(r.index))
            return false;
        // Reset groups are kept settings with a range.
        if (r.has(Framing | Picture | Network) &&
            (!isKeptSetting(r.index) || r.policy == SetPolicy::Any || r.policy == SetPolicy::Boolean))
            return false;
        if (Catalogue[r.index].scope == Scope::ADDRESS && !r.has(Network))
            return false;
        if (Catalogue[r.index].scope != Scope::DEVICE && r.has(Derived))
            return false;
    }
    return true;
}

static_assert(inIndexOrder(), "one rule per variable, in catalogue order");
static_assert(readOnlyRowsHaveNoRange(), "read-only and field variables cannot be set, so have no range");
static_assert(booleansAreZeroOrOne(), "writable booleans store 0 or 1; no other row is boolean");
static_assert(defaultsLieInTheirRanges(), "a factory value must be one a set could store, for every model");
static_assert(limitsLieInTheCatalogueRanges(), "a model's limit must lie within the catalogue's range");
static_assert(variableRange(_PCHAN).maximum == InputSlots - 1 &&
                  variableRange(_PADIP).maximum == AddressCount,
              "the input and address pointers must reach every slot the simulator keeps, and no more");
static_assert(flagsFitTheAccess(), "derived values are read-only; reset groups are kept settings");

} // namespace rules

} // namespace tesso::sim
