#pragma once
// The supported-model table and the per-model constants the main window needs: eight positions,
// models at positions 6 (code 57) and 7 (code 58); every other position and every other code is
// "no model" (position -1), which has no inputs and expects firmware version 0.

#include <array>
#include <cstdint>

#include <QString>

class ModelTable
{
  public:
    static constexpr int Positions = 8;
    static constexpr int MaxInputs = 8;
    static constexpr std::array<std::int32_t, Positions> Codes{{0, 0, 0, 0, 0, 0, 57, 58}};

    static bool IsSupportedModel(std::int64_t code);
    static int ModelIndex(std::int64_t code);
    static std::int32_t CodeAt(int position);

    // By model position; -1 and positions without a model give the no-model values.
    static QString ModelName(int position);
    static int InputCount(int position);
    static int ExpectedFirmware(int position);
    // Offered effects minus one: 2 for the fade-capable model, 0 for the cut-only one.
    static int EffectChoiceCount(int position);
    // Input k counted from 1; empty outside the model's inputs.
    static QString DefaultInputLabel(int position, int input);
    // Hint of input button k (1..8), the same for both models.
    static QString ConnectorName(int input);
};

// The routines by the names the rest of the window uses.
inline bool IsSupportedModel(std::int64_t code)
{
    return ModelTable::IsSupportedModel(code);
}
inline int ModelIndex(std::int64_t code)
{
    return ModelTable::ModelIndex(code);
}
