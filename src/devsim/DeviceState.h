#pragma once
// The simulated device's own memory: the 125 values, the per-input settings, the per-input signal
// table, the projector message cells, the three network addresses and the still frames. Defaults,
// ranges and groups come from DeviceRules.h; this class applies them and computes the derived
// values, but knows nothing of the wire or of time (SimDevice drives it).

#include <array>
#include <cstdint>

#include <QByteArray>

#include "Catalogue.h"
#include "DeviceModels.h"
#include "DeviceRules.h"
#include "FrameMemory.h"

namespace tesso::sim
{

enum class Model { Lumio, Snipa };

constexpr std::uint32_t deviceCodeOf(Model model)
{
    return model == Model::Lumio ? ModelTable::LumioCode : ModelTable::SnipaCode;
}

// What the device does with a set command.
enum class SetOutcome {
    Stored,   // the value was stored as sent
    Clamped,  // the value was outside the variable's range and was stored at the nearest limit
    Rejected, // the value does not fit and was ignored
    ReadOnly  // the variable cannot be set; nothing changed
};

// Measured signal of one input as the device reports it for the input on air.
struct InputSignal {
    std::uint32_t lineDuration = 0;      // ILDM, unit 1/(10 x UNITy)
    std::uint32_t lineSyncDuration = 0;  // ILSDM
    std::uint32_t frameDuration = 0;     // IFDM, lines
    std::uint32_t frameSyncDuration = 0; // IFSDM, lines
    bool syncPresent = false;            // IPSIGM
    bool hPositive = false;              // IHPOLM
    bool vPositive = false;              // IVPOLM
    std::uint32_t syncType = 0;          // ISYNCM
    bool interlaced = false;             // IINTM
    bool outOfRange = false;             // IOORM
    std::uint32_t family = 0;            // IFAMM: 0 none, 2..10 video, 11 computer
    std::uint32_t frameRate = 0;         // hundredths of a hertz (REFFRQ when it is the reference)
};

class DeviceState
{
  public:
    static constexpr int InputSlots = sim::InputSlots;
    static constexpr int MessageCells = sim::MessageCells;
    static constexpr int Addresses = AddressCount;

    explicit DeviceState(Model model = Model::Lumio);

    Model model() const { return m_model; }
    int inputCount() const { return ModelTable::InputCount(m_modelPosition); }

    // The code answered to "?": the model's own unless overridden.
    void setDeviceCode(std::uint32_t code);

    // Factory state of every value; the device code and model are kept.
    void restoreDefaults();
    // Return to factory values except the framing (position and size) and the network settings.
    void factoryReset();
    // Picture settings (brightness, contrast, colour, hue, processing) back to their defaults.
    void resetPicture();
    // Position and size back to their defaults.
    void resetFraming();
    // The three addresses, the ports and the mask back to their factory values.
    void resetNetwork();

    // The value the device reports now for a variable (per-input and address variables are read
    // through PCHAN and PADIP; booleans are 0 or 1).
    std::uint32_t value(tVAR index) const;
    // One reply line: reply mnemonic, decimal value, CR LF.
    QByteArray replyLine(tVAR index) const;
    static QByteArray replyLine(tVAR index, std::uint32_t value);

    // Stores a value sent by a set command, with the variable's range policy.
    SetOutcome set(tVAR index, std::uint64_t value);
    // Direct store used by the device's own behaviour (no range policy, read-only allowed).
    void store(tVAR index, std::uint32_t value);

    // Recomputes the values that follow others (reference status, timing source, effect status,
    // frame recorded in the chosen slot and its display, signal of the input on air and of the
    // reference input).
    void recomputeDerived();

    // Puts input n (0..8) on air: ICHM and the input signal values follow the signal table.
    void putOnAir(std::uint32_t input);

    const InputSignal& signal(int input) const;
    void setSignal(int input, const InputSignal& signal);

    // A per-input setting of input 0..8, and a setting of address 1 (local), 2 (remote) or
    // 3 (gateway); 0 for other variables and out of range.
    std::uint32_t perInput(tVAR index, int input) const;
    std::uint32_t perAddress(tVAR index, int address) const;

    // Projector messages: 0 the "on" message, 1 the "off" message.
    std::uint32_t messageCell(int message, int cell) const;
    void clearMessage(int message);

    // The still frames; FAREC follows the slot FANUMBER chooses (after recomputeDerived).
    FrameMemory& frames() { return m_frames; }
    const FrameMemory& frames() const { return m_frames; }

  private:
    void applyDefaults(unsigned keptGroups);
    void copySignalToValues(const InputSignal& s);
    void copyReferenceSignal(const InputSignal& s);

    Model m_model;
    int m_modelPosition;
    std::uint32_t m_deviceCode;
    std::array<std::uint32_t, VariableCount> m_values{};
    std::array<std::array<std::uint32_t, PerInputVariables.size()>, InputSlots> m_perInput{};
    std::array<InputSignal, InputSlots> m_signals{};
    std::array<std::array<std::uint32_t, AddressVariables.size()>, Addresses> m_addresses{};
    std::array<std::array<std::uint32_t, MessageCells>, 2> m_messages{};
    FrameMemory m_frames;
};

} // namespace tesso::sim
