#pragma once
// The constant lists both models share: the value lists the window's drop-down lists show and the
// device codes behind their entries, the names the status display gives to device values, and the
// layout of each input's settings row. A position outside a name table has no name ("").

#include <array>
#include <cstdint>

namespace tesso
{

template <std::size_t N> using TextList = std::array<const char*, N>;

// The entry at a position, or "" outside the list.
template <std::size_t N> constexpr const char* entryAt(const TextList<N>& list, std::int64_t position)
{
    return position >= 0 && static_cast<std::size_t>(position) < N ? list[static_cast<std::size_t>(position)]
                                                                   : "";
}

struct DeviceLists {
    // ---- Value lists (position p of a list is its entry p) -------------------------------------
    static constexpr TextList<5> Standard{
        {"Auto PAL/SECAM/NTSC", "NTSC", "PAL", "SECAM", "Black & White 50Hz/60Hz"}};
    static constexpr TextList<4> Component{{"STDV YUV", "SDTV RGB TTL", "SDTV RGB SOG", "SDTV RGB Ana."}};
    static constexpr TextList<2> Composite{{"SDTV Composite", "SDTV Y/C"}};
    // PRGBI codes of the component and composite lists' entries.
    static constexpr std::array<std::uint32_t, 4> ComponentCodes{{2, 3, 4, 5}};
    static constexpr std::array<std::uint32_t, 2> CompositeCodes{{0, 1}};
    static constexpr std::uint32_t ComputerSignal = 7; // PRGBI of a computer input

    // The spaces are part of the texts.
    static constexpr TextList<12> OutputFormat{
        {"VGA             640x480         4/3", "SVGA           800x600         4/3",
         "XGA             1024x768       4/3", "SXGA           1280x1024     4/3",
         "SXGA+         1400x1050     4/3", "UXGA           1600x1200     4/3",
         "WVGA          852x480         16/9", "WXGA          1280x768       15/9",
         "SWXGA        1366x768       16/9", "720p             1280x720       16/9",
         "WSXGA+      1680x1050     16/10", "1080p           1920x1080     16/9"}};
    // OFMTM code of each output format entry, and a thirteenth slot.
    static constexpr std::array<std::uint32_t, 13> OutputFormatCodes{
        {10, 0, 1, 2, 3, 5, 6, 7, 8, 9, 11, 12, 0}};
    static constexpr TextList<5> OutputRate{{"50 Hz", "60 Hz", "72 Hz", "75 Hz", "Follow Input"}};
    static constexpr TextList<3> UxgaOutputRate{{"50 Hz", "60 Hz", "Follow Input"}};
    // By rate code (ORATEM, IRATEREF).
    static constexpr TextList<4> RateNames{{"50 Hz", "60 Hz", "72 Hz", "75 Hz"}};

    // ---- Names by value, for the status display ---------------------------------------------------
    // By IFAMM: 0 and 1 no usable signal, 2..10 video, 11 a computer signal.
    static constexpr TextList<12> SignalClass{{"No Signal", "Wrong Signal", "Video", "Video", "Video",
                                               "Video", "Video", "Video", "Video", "Video", "Video",
                                               "Computer"}};
    static constexpr TextList<12> SignalFormat{{"No Signal", "Wrong Signal", "NTSC std(3,58/60)",
                                                "PAL std(4,43/50)", "SECAM (50Hz)", "Black and White 50Hz",
                                                "Black and White 60Hz", "YUV 50Hz", "YUV 60Hz", "RGB 50Hz",
                                                "RGB 60Hz", "Computer"}};
    // By REFFAM.
    static constexpr TextList<12> ReferenceFamily{{"No Signal", "Wrong Signal", "NTSC", "PAL", "SECAM",
                                                   "Black and White", "Black and White", "YUV", "YUV", "RGB",
                                                   "RGB", "Computer"}};
    // By output format code (OFMTM, IFMTREF).
    static constexpr TextList<13> OutputFormatNames{
        {"SVGA  800x600", "XGA   1024x768", "SXGA  1280x1024", "SXGA+ 1400x1050", "UXGA  1600x1200",
         "UXGA  1600x1200", "WVGA  852x480", "WXGA  1280x768", "SWXGA 1366x768", "HDTV  720p",
         "VGA   640x480", "WSXGA+ 1680x1050", "1080p 1920x1080"}};
    // By OSYNCM.
    static constexpr TextList<3> OutputSync{{"H & V", "Composite TTL", "SOG"}};
    static constexpr TextList<2> HorizontalPolarity{{"H-", "H+"}};
    static constexpr TextList<2> VerticalPolarity{{"V-", "V+"}};
    static constexpr TextList<2> InterlaceMark{{"", "i"}};

    static constexpr bool isVideoSignal(std::uint32_t family) { return family >= 2 && family <= 10; }
    // EFFECTSTATUS 1..3: a transition is running.
    static constexpr bool effectRunning(std::uint32_t status) { return status >= 1 && status <= 3; }
};

// ---- Input settings rows ------------------------------------------------------------------------

enum class SignalTypeList : std::uint8_t { None, Component, Composite };

// Which of an input row's optional controls the models show. Inputs 1..7; input 8 is none of
// theirs.
struct InputRowLayout {
    SignalTypeList signalType;
    bool standard;
    bool vcr;
    bool referenceAspect;
};

inline constexpr std::array<InputRowLayout, 7> InputRows{{
    {SignalTypeList::None, true, true, false},
    {SignalTypeList::None, true, true, false},
    {SignalTypeList::Component, false, true, false},
    {SignalTypeList::Composite, true, true, false},
    {SignalTypeList::None, false, false, true},
    {SignalTypeList::None, false, false, true},
    {SignalTypeList::None, false, false, true},
}};

// The layout of input k (1..7); any other input has no optional control.
constexpr InputRowLayout inputRowLayout(int input)
{
    return input >= 1 && input <= static_cast<int>(InputRows.size())
               ? InputRows[static_cast<std::size_t>(input - 1)]
               : InputRowLayout{SignalTypeList::None, false, false, false};
}

// The last position of a signal-type code in the input's list, -1 when absent; position 0 for an
// input that has no signal-type codes.
constexpr int signalTypePosition(int input, std::uint32_t code)
{
    int found = -1;
    switch (inputRowLayout(input).signalType) {
    case SignalTypeList::Component:
        for (std::size_t p = 0; p < DeviceLists::ComponentCodes.size(); ++p)
            if (DeviceLists::ComponentCodes[p] == code)
                found = static_cast<int>(p);
        return found;
    case SignalTypeList::Composite:
        for (std::size_t p = 0; p < DeviceLists::CompositeCodes.size(); ++p)
            if (DeviceLists::CompositeCodes[p] == code)
                found = static_cast<int>(p);
        return found;
    case SignalTypeList::None:
        break;
    }
    return 0;
}

static_assert(signalTypePosition(3, 4) == 2 && signalTypePosition(4, 1) == 1 &&
              signalTypePosition(3, 7) == -1 && signalTypePosition(1, 7) == 0);

} // namespace tesso
