#pragma once
// The device codes the link accepts and the models this program knows, with what each model
// offers. The driver, the window, the command-line client and the simulated device all read
// them here.
//
// The supported-model table has eight positions; the two models sit at positions 6 (code 57)
// and 7 (code 58). Position -1 is "no model": no inputs, no capability, firmware 0.

#include <array>
#include <cstdint>

namespace tesso
{

// Codes the link state machine takes for a device of this family; any other code is a lost device.
inline constexpr std::array<std::uint32_t, 5> AcceptedDeviceCodes{{32, 33, 40, 57, 58}};

constexpr bool isAcceptedDeviceCode(std::int64_t code)
{
    for (std::uint32_t c : AcceptedDeviceCodes)
        if (code == c)
            return true;
    return false;
}

// What a model offers (the window shows or hides the matching controls).
struct ModelCapabilities {
    bool fadeToBlack = false; // effect 0
    bool cut = false;         // effect 1
    bool fade = false;        // effect 2
    bool title = false;       // effect 3
    bool seamless = false;
    bool audioMute = false;
    bool autoTake = false;
    bool outputType = false;
    bool testPattern = false;
    bool takeButton = false;
    bool preselectBlink = false;
    bool referenceAspect = false; // the per-input reference aspect-ratio column
};

struct ModelInfo {
    std::uint32_t code = 0; // 0: no model at this position
    const char* name = "";
    int inputs = 0;
    int expectedFirmware = 0; // compared with VERV
    ModelCapabilities capabilities{};
    std::array<const char*, 7> defaultLabels{}; // inputs 1..7
};

class ModelTable
{
  public:
    static constexpr int Positions = 8;
    static constexpr int MaxInputs = 8;
    static constexpr std::uint32_t LumioCode = 57;
    static constexpr std::uint32_t SnipaCode = 58;

    static constexpr std::array<const char*, 7> DefaultLabels{
        {"C.Video 1", "C.Video 2", "RGB/YUV", "S.Video", "PC 1", "PC 2", "PC 3"}};
    // Hints of the input buttons 1..8, the same for both models.
    static constexpr std::array<const char*, MaxInputs> ConnectorNames{
        {"CVBS", "CVBS", "YUV / RGB", "Y/C(S.Video) / CVBS", "Computer", "Computer", "Computer", "DVI"}};

    static constexpr ModelInfo Lumio{
        LumioCode,
        "Lumio",
        7,
        16,
        ModelCapabilities{false, true, true, true, true, true, true, false, false, true, true, true},
        DefaultLabels};
    static constexpr ModelInfo Snipa{
        SnipaCode,
        "Snipa",
        7,
        16,
        ModelCapabilities{false, true, false, false, true, true, true, false, false, true, true, true},
        DefaultLabels};
    static constexpr std::array<ModelInfo, Positions> Models{{{}, {}, {}, {}, {}, {}, Lumio, Snipa}};

    // The model position of a code, -1 for 0 and for every code not in the table.
    static constexpr int ModelIndex(std::int64_t code)
    {
        if (code == 0)
            return -1;
        for (int i = 0; i < Positions; ++i)
            if (Models[static_cast<std::size_t>(i)].code == code)
                return i;
        return -1;
    }
    static constexpr bool IsSupportedModel(std::int64_t code) { return ModelIndex(code) >= 0; }

    // The row of a position; -1 and empty positions give the no-model row.
    static constexpr const ModelInfo& At(int position)
    {
        return position >= 0 && position < Positions ? Models[static_cast<std::size_t>(position)] : NoModel;
    }
    static constexpr const ModelInfo& OfCode(std::int64_t code) { return At(ModelIndex(code)); }
    static constexpr std::uint32_t CodeAt(int position) { return At(position).code; }

    static constexpr int InputCount(int position) { return At(position).inputs; }
    static constexpr int ExpectedFirmware(int position) { return At(position).expectedFirmware; }
    // Offered effects minus one: 2 for the fade-capable model, 0 for the cut-only one (and -1 for
    // no model, which offers nothing).
    static constexpr int EffectChoiceCount(int position)
    {
        const ModelCapabilities& c = At(position).capabilities;
        return int(c.fadeToBlack) + int(c.cut) + int(c.fade) + int(c.title) - 1;
    }
    // The highest effect code the model offers (EFFECTTYPE), 0 when it offers none.
    static constexpr std::uint32_t HighestEffect(int position)
    {
        const ModelCapabilities& c = At(position).capabilities;
        return c.title ? 3 : c.fade ? 2 : c.cut ? 1 : 0;
    }
    // Input k counted from 1; empty outside the model's inputs.
    static constexpr const char* DefaultInputLabel(int position, int input)
    {
        return input >= 1 && input <= InputCount(position)
                   ? At(position).defaultLabels[std::size_t(input - 1)]
                   : "";
    }
    // Hint of input button k (1..8); empty outside.
    static constexpr const char* ConnectorName(int input)
    {
        return input >= 1 && input <= MaxInputs ? ConnectorNames[std::size_t(input - 1)] : "";
    }

  private:
    static constexpr ModelInfo NoModel{};
};

static_assert(ModelTable::ModelIndex(57) == 6 && ModelTable::ModelIndex(58) == 7);
static_assert(ModelTable::EffectChoiceCount(6) == 2 && ModelTable::EffectChoiceCount(7) == 0);
// Accepted on the link is not supported by the window; positions outside the table are no model.
static_assert(ModelTable::ModelIndex(0) == -1 && ModelTable::ModelIndex(32) == -1 &&
              ModelTable::ModelIndex(57 + (std::int64_t(1) << 32)) == -1);
static_assert(ModelTable::InputCount(-1) == 0 && ModelTable::InputCount(3) == 0 &&
              ModelTable::ExpectedFirmware(8) == 0 && ModelTable::DefaultInputLabel(7, 8)[0] == 0 &&
              ModelTable::ConnectorName(9)[0] == 0);

// Every supported model answers with a code the link accepts.
constexpr bool modelsAreAccepted()
{
    for (const ModelInfo& m : ModelTable::Models)
        if (m.code != 0 && !isAcceptedDeviceCode(m.code))
            return false;
    return true;
}
static_assert(modelsAreAccepted());

// The routines by the names the window uses.
constexpr bool IsSupportedModel(std::int64_t code)
{
    return tesso::ModelTable::IsSupportedModel(code);
}
constexpr int ModelIndex(std::int64_t code)
{
    return tesso::ModelTable::ModelIndex(code);
}

} // namespace tesso
