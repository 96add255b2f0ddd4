#include "ModelTable.h"

namespace
{

bool isModelPosition(int position)
{
    return position >= 0 && position < ModelTable::Positions && ModelTable::Codes[position] != 0;
}

} // namespace

bool ModelTable::IsSupportedModel(std::int64_t code)
{
    return ModelIndex(code) >= 0;
}

int ModelTable::ModelIndex(std::int64_t code)
{
    if (code == 0)
        return -1;
    for (int i = 0; i < Positions; ++i)
        if (Codes[i] == code)
            return i;
    return -1;
}

std::int32_t ModelTable::CodeAt(int position)
{
    return position >= 0 && position < Positions ? Codes[position] : 0;
}

QString ModelTable::ModelName(int position)
{
    switch (CodeAt(position)) {
    case 57:
        return QStringLiteral("Lumio");
    case 58:
        return QStringLiteral("Snipa");
    default:
        return {};
    }
}

int ModelTable::InputCount(int position)
{
    return isModelPosition(position) ? 7 : 0;
}

int ModelTable::ExpectedFirmware(int position)
{
    return isModelPosition(position) ? 16 : 0;
}

int ModelTable::EffectChoiceCount(int position)
{
    switch (CodeAt(position)) {
    case 57:
        return 2; // cut, fade, title
    default:
        return 0; // cut only, or no model
    }
}

QString ModelTable::DefaultInputLabel(int position, int input)
{
    static const std::array<const char*, 7> labels{
        {"C.Video 1", "C.Video 2", "RGB/YUV", "S.Video", "PC 1", "PC 2", "PC 3"}};
    if (input < 1 || input > InputCount(position))
        return {};
    return QString::fromLatin1(labels[static_cast<std::size_t>(input - 1)]);
}

QString ModelTable::ConnectorName(int input)
{
    static const std::array<const char*, MaxInputs> names{
        {"CVBS", "CVBS", "YUV / RGB", "Y/C(S.Video) / CVBS", "Computer", "Computer", "Computer", "DVI"}};
    if (input < 1 || input > MaxInputs)
        return {};
    return QString::fromLatin1(names[static_cast<std::size_t>(input - 1)]);
}
