#include "StatusGridRules.h"

#include "DeviceDriver.h"
#include "DeviceLists.h"
#include "TextFormat.h"
#include "Texts.h"

namespace tesso
{

using tesso::DeviceLists;

namespace
{

enum Row {
    RowInput = 1,
    RowType = 2,
    RowFormat = 3,
    RowLineFrequency = 4,
    RowFrameFrequency = 5,
    RowSync = 6,
    RowSource = 8,
    RowRate = 9,
    RowOutputFormat = 11,
    RowOutputFrequency = 12,
    RowOutputSync = 13
};

// A name by value; none for a value outside the table.
template <std::size_t N> std::optional<QString> nameOf(const tesso::TextList<N>& table, std::int64_t value)
{
    if (value < 0 || static_cast<std::size_t>(value) >= N)
        return std::nullopt;
    return QString::fromLatin1(table[static_cast<std::size_t>(value)]);
}

QString labelOf(const QStringList& table, std::uint32_t input)
{
    return input < static_cast<std::uint32_t>(table.size()) ? table.at(static_cast<qsizetype>(input))
                                                            : QString();
}

// Row 6 before the signal's own state is known: the sync type with the polarities.
std::optional<QString> syncText(const DeviceDriver& d)
{
    if (!d.IPSIGM() || d.IOORM())
        return QString();
    switch (d.ISYNCM()) {
    case 0:
        return TextFormat::Format(Texts::SyncHVFormat,
                                  {QLatin1String(DeviceLists::HorizontalPolarity[d.IHPOLM() ? 1 : 0]),
                                   QLatin1String(DeviceLists::VerticalPolarity[d.IVPOLM() ? 1 : 0])});
    case 1:
        return QString(Texts::SyncTtlComposite);
    case 2:
        return QString(Texts::SyncOnGreen);
    case 3:
        return QString(Texts::SyncAnalogComposite);
    default:
        return QString(Texts::SyncError);
    }
}

} // namespace

QString StatusGridRules::Hertz(double value, int digits, const QLocale& locale)
{
    return TextFormat::Format(Texts::HertzFormat, {locale.toString(value, 'g', digits)});
}

StatusGridCells StatusGridRules::Compute(const DeviceDriver& d, const QStringList& labels, int n,
                                         const QLocale& locale)
{
    StatusGridCells cells;
    auto& text = cells.text;
    const std::uint32_t onAir = d.ICHM();
    const bool inputKnown = onAir >= 1 && onAir <= static_cast<std::uint32_t>(n);
    const std::uint32_t family = d.IFAMM();
    const bool computerInput = d.PRGBIByInput(static_cast<int>(onAir)) == DeviceLists::ComputerSignal;
    const bool effect = DeviceLists::effectRunning(d.EFFECTSTATUS());

    // 1., 2. The input on air and the type of its signal (first case that applies).
    text[RowInput] = inputKnown ? labelOf(labels, onAir) : QString(Texts::NoInput);
    if (DeviceLists::isVideoSignal(family))
        text[RowType] = nameOf(DeviceLists::SignalClass, family);
    else if (effect)
        text[RowType] = nameOf(DeviceLists::SignalFormat, family);
    else if (family == 11)
        text[RowType] = QString(Texts::Computer);
    else if (onAir != 0) {
        const int position =
            tesso::signalTypePosition(static_cast<int>(onAir), d.PRGBIByInput(static_cast<int>(onAir)));
        switch (tesso::inputRowLayout(static_cast<int>(onAir)).signalType) {
        case tesso::SignalTypeList::Component:
            text[RowType] = QString::fromLatin1(tesso::entryAt(DeviceLists::Component, position));
            break;
        case tesso::SignalTypeList::Composite:
            text[RowType] = QString::fromLatin1(tesso::entryAt(DeviceLists::Composite, position));
            break;
        case tesso::SignalTypeList::None:
            text[RowType] = QString();
            break;
        }
    }

    // 3. to 6. The signal's timings.
    text[RowSync] = syncText(d);
    std::optional<QString> frameRate;
    if (!d.IPSIGM() || d.IOORM()) {
        text[RowFormat] = text[RowLineFrequency] = text[RowFrameFrequency] = QString();
        text[RowSync] = d.IPSIGM() ? QString(Texts::OutOfRange) : QString(Texts::NoSynchro);
    } else {
        const std::uint32_t lineDuration = d.ILDM();
        const std::int64_t unitTimesTen = static_cast<std::int64_t>(d.UNITy()) * 10;
        const QString interlace = QLatin1String(DeviceLists::InterlaceMark[d.IINTM() ? 1 : 0]);
        // With no line duration there is nothing to show rather than an old frequency.
        text[RowLineFrequency] =
            lineDuration == 0 ? QString()
                              : TextFormat::Format(Texts::LineFrequencyFormat,
                                                   {QString::number(unitTimesTen / lineDuration), interlace});
        if (lineDuration == 0 || d.IFDM() == 0) {
            text[RowFrameFrequency] = QString(Texts::NotMeasured);
        } else {
            const double lineRate = static_cast<double>(unitTimesTen) / lineDuration * 1000.0;
            const double frames = d.IINTM() ? lineRate / (d.IFDM() + 0.525) : lineRate / d.IFDM();
            const int digits = d.IINTM() ? 4 : frames >= 100 ? 3 : 2;
            frameRate = Hertz(frames, digits, locale);
            text[RowFrameFrequency] = frameRate;
        }
        if (DeviceLists::isVideoSignal(family))
            text[RowFormat] = nameOf(DeviceLists::SignalFormat, family);
        else if (effect)
            text[RowFormat] = nameOf(DeviceLists::OutputFormatNames, d.IFMTREF());
        else
            text[RowFormat] = nameOf(DeviceLists::SignalFormat, family);
    }

    // 8., 9. The reference.
    const bool referenceLost = d.REFSTA() != d.REFREQ();
    if (computerInput) {
        cells.mark[RowSource] = 0;
        text[RowSource] = text[RowRate] = QString(Texts::Loopthrough);
    } else if (referenceLost) {
        cells.mark[RowSource] = -1;
        text[RowSource] = QString(Texts::NoInputSignal);
        text[RowRate] = QString(Texts::RateError);
    } else {
        cells.mark[RowSource] = 0;
        switch (d.PLLMODE()) {
        case 0:
            text[RowSource] = QString(Texts::InternalRate);
            text[RowRate] = nameOf(DeviceLists::RateNames, d.ORATEM());
            break;
        case 1:
            if (const auto family = nameOf(DeviceLists::ReferenceFamily, d.REFFAM()))
                text[RowSource] = *family + QStringLiteral("  ") + labelOf(labels, onAir);
            text[RowRate] = Hertz(d.REFFRQ() / 100.0, 4, locale);
            break;
        case 2:
            for (std::size_t p = 0; p < DeviceLists::OutputFormatCodes.size(); ++p) {
                if (DeviceLists::OutputFormatCodes[p] != d.IFMTREF())
                    continue;
                text[RowSource] =
                    QString(Texts::SeamlessSource) +
                    QLatin1String(tesso::entryAt(DeviceLists::OutputFormat, static_cast<std::int64_t>(p)));
                text[RowRate] = nameOf(DeviceLists::RateNames, d.IRATEREF());
                break;
            }
            break;
        default:
            break;
        }
    }

    // 11. to 13. The output.
    if (computerInput) {
        cells.mark[RowOutputFrequency] = 0;
        if (d.IPSIGM()) {
            cells.mark[RowOutputFormat] = 0;
            text[RowOutputFormat] = QString(Texts::Loopthrough);
            text[RowOutputFrequency] = frameRate.value_or(QString());
        } else {
            cells.mark[RowOutputFormat] = -1;
            text[RowOutputFormat] = QString(Texts::NoInputSignal);
            text[RowOutputFrequency] = QString();
        }
        text[RowOutputSync] = text[RowSync];
    } else {
        cells.mark[RowOutputFormat] = 0;
        text[RowOutputFormat] =
            nameOf(DeviceLists::OutputFormatNames, d.SEAMLESS() ? d.IFMTREF() : d.OFMTM());
        text[RowOutputSync] = nameOf(DeviceLists::OutputSync, d.OSYNCM());
        if (!referenceLost) {
            cells.mark[RowOutputFrequency] = 0;
            if (d.SEAMLESS())
                text[RowOutputFrequency] = nameOf(DeviceLists::RateNames, d.IRATEREF());
            else if (d.REFSTA() != 0)
                text[RowOutputFrequency] = Hertz(d.REFFRQ() / 100.0, 4, locale);
            else
                text[RowOutputFrequency] = nameOf(DeviceLists::RateNames, d.ORATEM());
        } else {
            cells.mark[RowOutputFrequency] = -1;
            text[RowOutputFrequency] =
                d.REFREQ() != 0 ? TextFormat::Format(Texts::NoSignalAtFormat, {labelOf(labels, onAir)})
                                : QString(Texts::RateError);
        }
    }
    return cells;
}

} // namespace tesso
