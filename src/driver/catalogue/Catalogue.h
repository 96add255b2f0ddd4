#pragma once
// The one table of the device's 125 variables. Everything per variable in the driver and the
// simulated device (the tVAR enumeration, the mnemonic tables, mirror accessors, setters and
// change events, which variables are kept per input or per address) is generated from
// TESSO_VARIABLES; nothing lists the variables a second time.
//
// Columns: X(index, tVAR name, property, event base name, storage, reply mnemonic,
//            command mnemonic, access, scope, role, minimum, maximum)
//   storage: U32 unsigned 32-bit; BOOL one byte (low 8 bits of the reply), false when 0;
//            COLOR signed 32-bit; TEXT built by the driver from the number (NETMASK).
//   access:  RW setter sends the set command; RO replies only; FIELD assigning writes the mirror
//            (DEV); NONE no property (PORT, reached through LOCAL_PORT/REMOTE_PORT);
//            MASK text setter sending the host-bit count (NETMASK).
//   scope:   DEVICE one value for the device; INPUT one value per input, the input being the
//            one PCHAN addresses; ADDRESS one value per network address (local, remote,
//            gateway), the address being the one PADIP selects.
//   role:    what writing the variable means to a saved setup. SET a setting, written back by a
//            restore; NET a network setting, written back last; ACT an action (writing it does
//            something: reset, erase, store, take, capture, standby, an operating switch such as
//            black, freeze or mute), never saved or written back; SEL a selector that addresses
//            other values (PCHAN, PADIP, the message cells); RPT a report the device sends.
//   minimum, maximum: the values a set may carry, as the device defines them; the full 32-bit
//            range (U32Max) where it defines none, 0..1 for a boolean. Controls, the simulated
//            device and its documentation take their ranges from here.
//   The change event is On<event base name>change.

#include <array>
#include <cstdint>

namespace tesso
{

inline constexpr std::uint32_t U32Max = 0xFFFFFFFFu;

// clang-format off
#define TESSO_VARIABLES(X) \
    X(  0, _ADDRDBG      , ADDRDBG      , ADDRDBG      , U32  , "ADBG", "@",  RW   , DEVICE , ACT,  0, U32Max) /* debug address pointer */ \
    X(  1, _DATADBG      , DATADBG      , DATADBG      , U32  , "DDBG", ">",  RW   , DEVICE , ACT,  0, U32Max) /* data at the debug address ADDRDBG */ \
    X(  2, _DEV          , DEV          , DEV          , U32  , "DEV",  "?",  FIELD, DEVICE , RPT,  0, U32Max) /* device type code; accepted codes 32, 33, 40, 57, 58 */ \
    X(  3, _UNIT         , UNITy        , UNITy        , U32  , "UNIT", "U",  RO   , DEVICE , RPT,  0, U32Max) /* frequency that times the input syncs: line timings are in units of 1/UNITy */ \
    X(  4, _VERI         , VERI         , VERI         , U32  , "I_",   "xI", RO   , DEVICE , RPT,  0, U32Max) /* machine identifier (version part I) */ \
    X(  5, _VERK         , VERK         , VERK         , U32  , "K_",   "xK", RO   , DEVICE , RPT,  0, U32Max) /* checksum of the keyboard microcontroller firmware */ \
    X(  6, _VERS         , VERS         , VERS         , U32  , "S_",   "xS", RO   , DEVICE , RPT,  0, U32Max) /* checksum of the scaler information firmware */ \
    X(  7, _VERV         , VERV         , VERV         , U32  , "V_",   "xV", RO   , DEVICE , RPT,  0, U32Max) /* checksum of the scaler video firmware */ \
    X(  8, _VERUPD       , VERUPD       , VERUPD       , U32  , "VERU", "xU", RO   , DEVICE , RPT,  0, U32Max) /* upgrade version */ \
    X(  9, _OPT          , OPT          , OPT          , U32  , "OPT",  "yo", RO   , DEVICE , RPT,  0, U32Max) /* options enabled or detected */ \
    X( 10, _FRESET       , FRESET       , FRESET       , BOOL , "FRES", "Y",  RW   , DEVICE , ACT,  0, 1     ) /* return to factory settings (framing settings kept) */ \
    X( 11, _ICHM         , ICHM         , ICHM         , U32  , "CH",   "CC", RO   , DEVICE , RPT,  0, U32Max) /* current input number */ \
    X( 12, _ICHNM        , ICHNM        , ICHNM        , U32  , "CHN",  "CN", RW   , DEVICE , ACT,  1, 8     ) /* new input number (input selection) */ \
    X( 13, _IPMODEM      , IPMODEM      , IPMODEM      , U32  , "PM",   "PM", RW   , DEVICE , SET,  0, 2     ) /* input priority: 0 none, 1 video, 2 computer */ \
    X( 14, _ILDM         , ILDM         , ILDM         , U32  , "ILD",  "IL", RO   , DEVICE , RPT,  0, U32Max) /* input line duration, unit 1/UNITy */ \
    X( 15, _ILSDM        , ILSDM        , ILSDM        , U32  , "ILSD", "IS", RO   , DEVICE , RPT,  0, U32Max) /* input line sync duration, unit 1/UNITy */ \
    X( 16, _IFDM         , IFDM         , IFDM         , U32  , "IFD",  "ID", RO   , DEVICE , RPT,  0, U32Max) /* input frame duration, in lines */ \
    X( 17, _IFSDM        , IFSDM        , IFSDM        , U32  , "IFSD", "IT", RO   , DEVICE , RPT,  0, U32Max) /* input frame sync duration, in lines */ \
    X( 18, _IPSIGM       , IPSIGM       , IPSIGM       , BOOL , "IPS",  "IP", RO   , DEVICE , RPT,  0, 1     ) /* input sync present */ \
    X( 19, _IHPOLM       , IHPOLM       , IHPOLM       , BOOL , "IHP",  "IH", RO   , DEVICE , RPT,  0, 1     ) /* input line sync positive */ \
    X( 20, _IVPOLM       , IVPOLM       , IVPOLM       , BOOL , "IVP",  "IV", RO   , DEVICE , RPT,  0, 1     ) /* input frame sync positive */ \
    X( 21, _ISYNCM       , ISYNCM       , ISYNCM       , U32  , "IST",  "IK", RO   , DEVICE , RPT,  0, U32Max) /* input sync type */ \
    X( 22, _IINTM        , IINTM        , IINTM        , BOOL , "IIN",  "II", RO   , DEVICE , RPT,  0, 1     ) /* input signal interlaced */ \
    X( 23, _IOORM        , IOORM        , IOORM        , BOOL , "IOO",  "IO", RO   , DEVICE , RPT,  0, 1     ) /* input signal out of range */ \
    X( 24, _IFAMM        , IFAMM        , IFAMM        , U32  , "IFA",  "IF", RO   , DEVICE , RPT,  0, U32Max) /* input signal family code */ \
    X( 25, _HPOS         , HPOS         , HPOS         , U32  , "HP",   "H",  RW   , DEVICE , SET,  0, 255   ) /* horizontal position */ \
    X( 26, _VPOS         , VPOS         , VPOS         , U32  , "VP",   "V",  RW   , DEVICE , SET,  0, 255   ) /* vertical position */ \
    X( 27, _HSIZ         , HSIZ         , HSIZ         , U32  , "HW",   "W",  RW   , DEVICE , SET,  0, 255   ) /* horizontal size */ \
    X( 28, _VSIZ         , VSIZ         , VSIZ         , U32  , "VS",   "S",  RW   , DEVICE , SET,  0, 255   ) /* vertical size */ \
    X( 29, _BRGT         , BRGT         , BRGT         , U32  , "BRG",  "B",  RW   , DEVICE , SET,  0, 255   ) /* brightness (video) */ \
    X( 30, _CONTR        , CONTR        , CONTR        , U32  , "CON",  "D",  RW   , DEVICE , SET,  0, 255   ) /* contrast (video) */ \
    X( 31, _COLOR        , COLOR        , COLOR        , COLOR, "COL",  "O",  RW   , DEVICE , SET,  0, 255   ) /* colour level (video) */ \
    X( 32, _HUE          , HUE          , HUE          , U32  , "HUE",  "T",  RW   , DEVICE , SET,  0, 255   ) /* hue (NTSC video) */ \
    X( 33, _PROC         , PROC         , PROC         , U32  , "PRO",  "QP", RW   , DEVICE , SET,  0, 3     ) /* image processing (video) */ \
    X( 34, _OVER         , OVER         , OVER         , BOOL , "OVR",  "QO", RW   , DEVICE , SET,  0, 1     ) /* image overscan (video) */ \
    X( 35, _IASP         , IASP         , IASP         , U32  , "ASP",  "QA", RW   , DEVICE , SET,  0, U32Max) /* input aspect ratio */ \
    X( 36, _OFMTM        , OFMTM        , OFMTM        , U32  , "OFTM", "FM", RW   , DEVICE , SET,  0, 12    ) /* output format */ \
    X( 37, _ORATEM       , ORATEM       , ORATEM       , U32  , "ORTM", "oR", RW   , DEVICE , SET,  0, 3     ) /* output frame rate */ \
    X( 38, _OSYNCM       , OSYNCM       , OSYNCM       , U32  , "OSYN", "FY", RW   , DEVICE , SET,  0, 2     ) /* output sync type */ \
    X( 39, _OBLACK       , OBLACK       , OBLACK       , BOOL , "OBLK", "FO", RW   , DEVICE , ACT,  0, 1     ) /* output blanked to black */ \
    X( 40, _OASP         , OASP         , OASP         , U32  , "OASP", "QS", RW   , DEVICE , SET,  0, U32Max) /* output picture aspect ratio */ \
    X( 41, _OSCREENM     , OSCREENM     , OSCREENM     , U32  , "SCRM", "FS", RW   , DEVICE , SET,  0, U32Max) /* output screen type */ \
    X( 42, _ACHANM       , ACHANM       , ACHANM       , U32  , "ACH",  "RC", RW   , DEVICE , SET,  1, 8     ) /* audio input being heard */ \
    X( 43, _AMODEM       , AMODEM       , AMODEM       , U32  , "AMOD", "RO", RW   , DEVICE , SET,  0, U32Max) /* audio mode */ \
    X( 44, _REFREQ       , REFREQ       , REFREQ       , U32  , "REFR", "XR", RW   , DEVICE , SET,  0, 1     ) /* requested frame reference type */ \
    X( 45, _REFSTA       , REFSTA       , REFSTA       , U32  , "REFA", "XA", RO   , DEVICE , RPT,  0, U32Max) /* frame reference type in use: differs from REFREQ when there is no signal */ \
    X( 46, _REFFAM       , REFFAM       , REFFAM       , U32  , "REFF", "XF", RO   , DEVICE , RPT,  0, U32Max) /* reference signal family code */ \
    X( 47, _REFFRQ       , REFFRQ       , REFFRQ       , U32  , "REFT", "XT", RO   , DEVICE , RPT,  0, U32Max) /* reference signal frame frequency */ \
    X( 48, _FAREC        , FAREC        , FAREC        , BOOL , "FARC", "fR", RO   , DEVICE , RPT,  0, 1     ) /* frame alert in use */ \
    X( 49, _FAAUTO       , FAAUTO       , FAAUTO       , BOOL , "FAAU", "fA", RW   , DEVICE , SET,  0, 1     ) /* automatic frame alert on sync loss */ \
    X( 50, _FASHOW       , FASHOW       , FASHOW       , BOOL , "FASW", "fs", RW   , DEVICE , ACT,  0, 1     ) /* request to show the frame alert */ \
    X( 51, _FASTAT       , FASTAT       , FASTAT       , BOOL , "FAST", "fS", RO   , DEVICE , RPT,  0, 1     ) /* frame alert display state */ \
    X( 52, _PCHAN        , PCHAN        , PCHAN        , U32  , "PCH",  "PC", RW   , DEVICE , SEL,  0, 8     ) /* input the per-input commands address: 1 to 8, or 0 for all inputs */ \
    X( 53, _PENA         , PENA         , PENA         , BOOL , "PEN",  "PE", RW   , INPUT  , SET,  0, 1     ) /* input enabled (input given by PCHAN) */ \
    X( 54, _PRGBI        , PRGBI        , PRGBI        , U32  , "PRGB", "PR", RW   , INPUT  , SET,  0, 7     ) /* input signal type (input given by PCHAN) */ \
    X( 55, _PISTD        , PISTD        , PISTD        , U32  , "PSTD", "PI", RW   , INPUT  , SET,  0, 4     ) /* video standard decoded on composite or Y/C (input given by PCHAN) */ \
    X( 56, _PPROC        , PPROC        , PPROC        , BOOL , "PPRC", "PP", RW   , INPUT  , SET,  0, 1     ) /* VCR video mode (input given by PCHAN) */ \
    X( 57, _STORE        , STORE        , STORE        , BOOL , "STO",  "yS", RO   , DEVICE , RPT,  0, 1     ) /* settings being stored in flash (power must stay on) */ \
    X( 58, _PRESETM      , PRESETM      , PRESETM      , BOOL , "PRES", "yP", RW   , DEVICE , ACT,  0, 1     ) /* return to standard input picture settings */ \
    X( 59, _ERAPOS       , ERAPOS       , ERAPOS       , BOOL , "EPOS", "ye", RW   , DEVICE , ACT,  0, 1     ) /* erase stored position settings */ \
    X( 60, _AUTOCAD      , AUTOCAD      , AUTOCAD      , BOOL , "ACAD", "yC", RW   , DEVICE , ACT,  0, 1     ) /* auto-framing request for a computer input picture */ \
    X( 61, _IFRZM        , IFRZM        , IFRZM        , BOOL , "FRZ",  "Z",  RW   , DEVICE , ACT,  0, 1     ) /* input freeze */ \
    X( 62, _EPD          , EPD          , EPD          , BOOL , "EPD",  "QE", RW   , DEVICE , SET,  0, 1     ) /* automatic 2:2 pull-down processing enabled */ \
    X( 63, _TAKEEVA      , TAKEEVA      , TAKEEVA      , BOOL , "TKEV", "ut", RO   , DEVICE , RPT,  0, 1     ) /* TAKE action possible */ \
    X( 64, _LOCK         , LOCK         , LOCK         , U32  , "LOCK", "yl", RW   , DEVICE , SET,  0, 3     ) /* input lock */ \
    X( 65, _OSYNCTIME    , OSYNCTIME    , OSYNCTIME    , U32  , "OST",  "oT", RW   , DEVICE , SET,  0, 30    ) /* display lock-on delay (black time) */ \
    X( 66, _OTYPEM       , OTYPEM       , OTYPEM       , U32  , "OTYP", "oY", RW   , DEVICE , SET,  0, 3     ) /* output type */ \
    X( 67, _STBTIME      , STBTIME      , STBTIME      , U32  , "STBT", "sT", RW   , DEVICE , SET,  0, 255   ) /* time before standby */ \
    X( 68, _STANDBY      , STANDBY      , STANDBY      , BOOL , "STBY", "sS", RW   , DEVICE , ACT,  0, 1     ) /* standby request and state */ \
    X( 69, _STBRATE      , STBRATE      , STBRATE      , U32  , "STBR", "sR", RW   , DEVICE , SET,  0, 3     ) /* baud-rate code chosen in the main window's baud-rate menu */ \
    X( 70, _STBON        , STBON        , STBON        , U32  , "STBO", "sO", RW   , DEVICE , SET,  0, 255   ) /* character code of the "on" message at position STBION */ \
    X( 71, _STBOFF       , STBOFF       , STBOFF       , U32  , "STBo", "so", RW   , DEVICE , SET,  0, 255   ) /* character code of the "off" message at position STBIOFF */ \
    X( 72, _STBION       , STBION       , STBION       , U32  , "STBI", "sI", RW   , DEVICE , SEL,  0, 255   ) /* character position in the "on" message */ \
    X( 73, _STBIOFF      , STBIOFF      , STBIOFF      , U32  , "STBi", "si", RW   , DEVICE , SEL,  0, 255   ) /* character position in the "off" message */ \
    X( 74, _STBCTRL      , STBCTRL      , STBCTRL      , U32  , "STBC", "sC", RW   , DEVICE , ACT,  0, 4     ) /* projector message control code: 1, 2 or 4, sent by the message window */ \
    X( 75, _FAMODEM      , FAMODEM_     , FAMODEM      , U32  , "FAMD", "fM", RW   , DEVICE , ACT,  0, U32Max) /* frame alert use mode */ \
    X( 76, _FAEXEC       , FAEXEC       , FAEXEC       , BOOL , "FAEX", "fX", RW   , DEVICE , ACT,  0, 1     ) /* frame record request */ \
    X( 77, _FANUMBER     , FANUMBER     , FANUMBER     , U32  , "FANB", "fN", RW   , DEVICE , SET,  0, U32Max) /* frame alert number */ \
    X( 78, _FATRMODE     , FATRMODE     , FATRMODE     , U32  , "FATM", "fT", RW   , DEVICE , ACT,  0, U32Max) /* frame alert recorded indicator */ \
    X( 79, _OPAT         , OPAT         , OPAT         , BOOL , "OPAT", "oP", RW   , DEVICE , SET,  0, 1     ) /* framing test pattern */ \
    X( 80, _ICHREF       , ICHREF       , ICHREF       , U32  , "CR",   "CR", RW   , DEVICE , SET,  5, 7     ) /* reference input in seamless mode */ \
    X( 81, _REFLAST      , REFLAST      , REFLAST      , U32  , "RL",   "RL", RW   , DEVICE , SET,  0, 1     ) /* seamless reference: 1 the last computer input used, 0 ICHREF */ \
    X( 82, _SWITCHMODE   , SWITCHMODE   , SWITCHMODE   , U32  , "sM",   "sM", RW   , DEVICE , SET,  0, 1     ) /* input switching mode */ \
    X( 83, _ILDREF       , ILDREF       , ILDREF       , U32  , "rL",   "rL", RO   , DEVICE , RPT,  0, U32Max) /* input line duration on the reference input */ \
    X( 84, _ILSDREF      , ILSDREF      , ILSDREF      , U32  , "rS",   "rS", RO   , DEVICE , RPT,  0, U32Max) /* input line sync duration on the reference input */ \
    X( 85, _IFDREF       , IFDREF       , IFDREF       , U32  , "rD",   "rD", RO   , DEVICE , RPT,  0, U32Max) /* input frame duration on the reference input */ \
    X( 86, _IFSDREF      , IFSDREF      , IFSDREF      , U32  , "rT",   "rT", RO   , DEVICE , RPT,  0, U32Max) /* input frame sync duration on the reference input */ \
    X( 87, _IPSIGREF     , IPSIGREF     , IPSIGREF     , U32  , "rP",   "rP", RO   , DEVICE , RPT,  0, U32Max) /* sync present on the reference input */ \
    X( 88, _IHPOLREF     , IHPOLREF     , IHPOLREF     , U32  , "rH",   "rH", RO   , DEVICE , RPT,  0, U32Max) /* line sync positive on the reference input */ \
    X( 89, _IVPOLREF     , IVPOLREF     , IVPOLREF     , U32  , "rV",   "rV", RO   , DEVICE , RPT,  0, U32Max) /* frame sync positive on the reference input */ \
    X( 90, _ISYNCREF     , ISYNCREF     , ISYNCREF     , U32  , "rK",   "rK", RO   , DEVICE , RPT,  0, U32Max) /* sync type on the reference input */ \
    X( 91, _IOORREF      , IOORREF      , IOORREF      , BOOL , "rO",   "rO", RO   , DEVICE , RPT,  0, 1     ) /* reference input signal out of range */ \
    X( 92, _IFMTREF      , IFMTREF      , IFMTREF      , U32  , "rR",   "rR", RW   , DEVICE , SET,  0, 12    ) /* format code of the seamless reference input, coded as OFMTM */ \
    X( 93, _IRATEREF     , IRATEREF     , IRATEREF     , U32  , "rr",   "rr", RW   , DEVICE , SET,  0, 3     ) /* rate code of the seamless reference input, coded as ORATEM */ \
    X( 94, _IFAMREF      , IFAMREF      , IFAMREF      , U32  , "rF",   "rF", RO   , DEVICE , RPT,  0, U32Max) /* signal family code on the reference input */ \
    X( 95, _AMUTE        , AMUTE        , AMUTE        , U32  , "MUTE", "RM", RW   , DEVICE , ACT,  0, 1     ) /* audio mute */ \
    X( 96, _TAKE         , TAKE         , TAKE         , BOOL , "TAKE", "uT", RW   , DEVICE , ACT,  0, 1     ) /* TAKE action (in progress when true) */ \
    X( 97, _AUTOTAKE     , AUTOTAKE     , AUTOTAKE     , BOOL , "ATAK", "uA", RW   , DEVICE , SET,  0, 1     ) /* automatic take */ \
    X( 98, _EFFECTTYPE   , EFFECTTYPE   , EFFECTTYPE   , U32  , "eT",   "eT", RW   , DEVICE , SET,  1, 3     ) /* transition effect type */ \
    X( 99, _EFFECTSTATUS , EFFECTSTATUS , EFFECTSTATUS , U32  , "eS",   "eS", RO   , DEVICE , RPT,  0, U32Max) /* effect type actually used */ \
    X(100, _FADEDURATION , FADEDURATION , FADEDURATION , U32  , "FDur", "FD", RW   , DEVICE , SET,  5, 250   ) /* fade transition duration */ \
    X(101, _TITLESTART   , TITLESTART   , TITLESTART   , U32  , "TitS", "tS", RW   , DEVICE , SET,  0, 2047  ) /* first line of the title area */ \
    X(102, _TITLEHEIGHT  , TITLEHEIGHT  , TITLEHEIGHT  , U32  , "TitH", "tH", RW   , DEVICE , SET,  0, 2047  ) /* height of the title area */ \
    X(103, _TITLEALPHA   , TITLEALPHA   , TITLEALPHA   , U32  , "TitA", "tA", RW   , DEVICE , SET,  0, 256   ) /* transparency of the title area */ \
    X(104, _TITLEDURATION, TITLEDURATION, TITLEDURATION, U32  , "TitD", "tD", RW   , DEVICE , SET, 10, 250   ) /* title duration */ \
    X(105, _TITLEAUDIO   , TITLEAUDIO   , TITLEAUDIO   , U32  , "Tita", "ta", RW   , DEVICE , SET,  0, 1     ) /* audio channel type used during the title */ \
    X(106, _TITLEMAXY    , TITLEMAXY    , TITLEMAXY    , U32  , "TitM", "tM", RW   , DEVICE , SET,  0, U32Max) /* last allowed line of the title area */ \
    X(107, _TITLEHOLD    , TITLEHOLD    , TITLEHOLD    , BOOL , "Tith", "th", RW   , DEVICE , SET,  0, 1     ) /* title held until the next TAKE */ \
    X(108, _SEAMLESS     , SEAMLESS     , SEAMLESS     , BOOL , "sm",   "sm", RO   , DEVICE , RPT,  0, 1     ) /* seamless switching */ \
    X(109, _PLLMODE      , PLLMODE      , PLLMODE      , U32  , "pm",   "pm", RO   , DEVICE , RPT,  0, U32Max) /* output timing source: 0 internal rate, 1 locked to the reference */ \
    X(110, _REFASP       , REFASP       , REFASP       , U32  , "PRAR", "PA", RW   , INPUT  , SET,  0, 1     ) /* reference aspect ratio of the input PCHAN gives: 0 normal, 1 wide */ \
    X(111, _LANENABLE    , LANENABLE    , LANENABLE    , BOOL , "LANE", "ne", RW   , DEVICE , NET,  0, 1     ) /* LAN enabled */ \
    X(112, _LANRESET     , LANRESET     , LANRESET     , BOOL , "LANR", "nr", RW   , DEVICE , ACT,  0, 1     ) /* reset the LAN settings (addresses, ports, mask) to factory values */ \
    X(113, _LANSTORE     , LANSTORE     , LANSTORE     , BOOL , "LANS", "ns", RW   , DEVICE , ACT,  0, 1     ) /* apply the LAN parameters */ \
    X(114, _PADIP        , PADIP        , PADIP        , U32  , "ADIP", "na", RW   , DEVICE , SEL,  0, 3     ) /* address the octets and port refer to: 1 local, 2 remote, 3 gateway */ \
    X(115, _IP4          , IP4          , IP4          , U32  , "IPA_", "nw", RW   , ADDRESS, NET,  0, 255   ) /* first (most significant) octet of the address PADIP selects */ \
    X(116, _IP3          , IP3          , IP3          , U32  , "IPB_", "nx", RW   , ADDRESS, NET,  0, 255   ) /* second octet */ \
    X(117, _IP2          , IP2          , IP2          , U32  , "IPC_", "ny", RW   , ADDRESS, NET,  0, 255   ) /* third octet */ \
    X(118, _IP1          , IP1          , IP1          , U32  , "IPD_", "nz", RW   , ADDRESS, NET,  0, 255   ) /* fourth octet */ \
    X(119, _PORT         , PORT         , PORT         , U32  , "PORT", "np", NONE , ADDRESS, NET,  1, 65535 ) /* local or remote port selected by PADIP */ \
    X(120, _NETMASK      , NETMASK      , NETMASK      , TEXT , "NTMK", "nk", MASK , DEVICE , NET,  0, 30    ) /* subnet mask, carried on the wire as a count of host bits */ \
    X(121, _DHCPENABLE   , DHCPENABLE   , DHCPENABLE   , BOOL , "DHCP", "nd", RW   , DEVICE , NET,  0, 1     ) /* DHCP enabled */ \
    X(122, _TCPIP        , TCPIP        , TCPIP        , BOOL , "TCP",  "nt", RW   , DEVICE , NET,  0, 1     ) /* IP protocol used by the device's LAN port */ \
    X(123, _DOLLARS      , DOLLARS      , DOLLARS      , U32  , "$",    "$",  RO   , DEVICE , RPT,  0, U32Max) /* value reported with the "$" code */ \
    X(124, _DIESE        , Queryall     , SetDIESE     , BOOL , "#",    "#",  RO   , DEVICE , RPT,  0, 1     ) /* "#" asks for every variable; the "#" reply ending the dump sets Queryall */

// clang-format on

#define TESSO_ENUM_ENTRY(idx, tvar, prop, evt, type, reply, cmd, access, scope, role, lo, hi) tvar = idx,
enum tVAR : int { TESSO_VARIABLES(TESSO_ENUM_ENTRY) };
#undef TESSO_ENUM_ENTRY

constexpr int VariableCount = 125;

enum class Storage : std::uint8_t { U32, BOOL, COLOR, TEXT };
enum class Access : std::uint8_t { RW, RO, FIELD, NONE, MASK };
enum class Scope : std::uint8_t { DEVICE, INPUT, ADDRESS };
enum class Role : std::uint8_t { SET, NET, ACT, SEL, RPT };

struct VariableInfo {
    tVAR index;
    const char* name;     // tVAR name without its leading underscore ("UNIT", "DIESE")
    const char* property; // published property name ("UNITy", "Queryall")
    Storage storage;
    const char* reply;
    const char* command;
    Access access;
    Scope scope;
    Role role;
    std::uint32_t minimum;
    std::uint32_t maximum;
};

#define TESSO_INFO_ENTRY(idx, tvar, prop, evt, type, reply, cmd, access, scope, role, lo, hi)                \
    {tvar, &#tvar[1], #prop, Storage::type, reply, cmd, Access::access, Scope::scope, Role::role, lo, hi},
inline constexpr std::array<VariableInfo, VariableCount> Catalogue = {{TESSO_VARIABLES(TESSO_INFO_ENTRY)}};
#undef TESSO_INFO_ENTRY

// The table's own order is the index order; the parser relies on it.
constexpr bool catalogueIsInIndexOrder()
{
    for (int i = 0; i < VariableCount; ++i)
        if (Catalogue[i].index != i)
            return false;
    return true;
}
static_assert(catalogueIsInIndexOrder(), "Catalogue rows must be in index order 0..124");

constexpr bool sameText(const char* a, const char* b)
{
    while (*a != 0 && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// Two variables with one reply mnemonic would make the second unreachable.
constexpr bool replyMnemonicsAreDistinct()
{
    for (int i = 0; i < VariableCount; ++i)
        for (int j = i + 1; j < VariableCount; ++j)
            if (sameText(Catalogue[i].reply, Catalogue[j].reply))
                return false;
    return true;
}
static_assert(replyMnemonicsAreDistinct(), "Each variable needs a reply mnemonic of its own");

constexpr int countOfScope(Scope scope)
{
    int n = 0;
    for (const VariableInfo& v : Catalogue)
        n += v.scope == scope ? 1 : 0;
    return n;
}

template <Scope S> constexpr std::array<tVAR, countOfScope(S)> variablesOfScope()
{
    std::array<tVAR, countOfScope(S)> list{};
    std::size_t k = 0;
    for (const VariableInfo& v : Catalogue)
        if (v.scope == S)
            list[k++] = v.index;
    return list;
}

// The variables kept per input (PENA, PRGBI, PISTD, PPROC, REFASP) and per network address
// (the four octets, then the port), in catalogue order.
inline constexpr auto PerInputVariables = variablesOfScope<Scope::INPUT>();
inline constexpr auto AddressVariables = variablesOfScope<Scope::ADDRESS>();

// Position of a variable in one of the lists above, or -1.
template <std::size_t N> constexpr int slotOf(const std::array<tVAR, N>& list, tVAR index)
{
    for (std::size_t k = 0; k < N; ++k)
        if (list[k] == index)
            return static_cast<int>(k);
    return -1;
}

// A setting is writable and only settings are: a report or an action never counts as one.
constexpr bool settingsAreWritable()
{
    for (const VariableInfo& v : Catalogue) {
        const bool setting = v.role == Role::SET || v.role == Role::NET;
        const bool writable = v.access == Access::RW || v.access == Access::MASK || v.access == Access::NONE;
        if (setting && !writable)
            return false;
        if (!writable && v.role != Role::RPT)
            return false;
    }
    return true;
}
static_assert(settingsAreWritable(), "A setting must be writable and a read-only variable a report");

constexpr bool isSetting(tVAR index)
{
    return Catalogue[index].role == Role::SET || Catalogue[index].role == Role::NET;
}

constexpr bool isBoolean(tVAR index)
{
    return Catalogue[index].storage == Storage::BOOL;
}

struct ValueRange {
    std::uint32_t minimum;
    std::uint32_t maximum;

    constexpr bool contains(std::uint32_t value) const { return value >= minimum && value <= maximum; }
};

// The values a set of the variable may carry.
constexpr ValueRange variableRange(tVAR index)
{
    return {Catalogue[index].minimum, Catalogue[index].maximum};
}

// A boolean ranges over 0..1 and a report over all its storage holds: only a setting or an
// action can be narrower, and no range is empty.
constexpr bool rangesFitTheStorage()
{
    for (const VariableInfo& v : Catalogue) {
        if (v.minimum > v.maximum)
            return false;
        if (v.storage == Storage::BOOL && (v.minimum != 0 || v.maximum != 1))
            return false;
        if (v.storage != Storage::BOOL && v.role == Role::RPT && (v.minimum != 0 || v.maximum != U32Max))
            return false;
    }
    return true;
}
static_assert(rangesFitTheStorage(), "A range must fit its variable's storage and role");

// Reply prefixes and command suffixes, indexed by tVAR.
#define TESSO_REPLY_ENTRY(idx, tvar, prop, evt, type, reply, cmd, access, scope, role, lo, hi) reply,
inline constexpr std::array<const char*, tesso::VariableCount> ReplyMnemonics = {
    {TESSO_VARIABLES(TESSO_REPLY_ENTRY)}};
#undef TESSO_REPLY_ENTRY

#define TESSO_COMMAND_ENTRY(idx, tvar, prop, evt, type, reply, cmd, access, scope, role, lo, hi) cmd,
inline constexpr std::array<const char*, tesso::VariableCount> CommandMnemonics = {
    {TESSO_VARIABLES(TESSO_COMMAND_ENTRY)}};
#undef TESSO_COMMAND_ENTRY

} // namespace tesso
