#pragma once
// The debug console's fixed texts, exactly as the user sees them.

#include <QLatin1String>

namespace tesso
{

namespace DebugTexts
{

inline constexpr QLatin1String Send{"Send"};
inline constexpr QLatin1String Received{"Received"};
inline constexpr const char* Columns[] = {"Received", "Variables",
                                          "D\xC3\xA9"
                                          "c",
                                          "Bin", "Hex"}; // UTF-8

inline constexpr QLatin1String MenuTransfer{"Transfert"};
inline constexpr QLatin1String SendTextFile{"Envoyer un fichier texte..."};
inline constexpr QLatin1String ForceConnect{"Force Connect"};
inline constexpr QLatin1String MenuOptions{"Options..."};
inline constexpr QLatin1String SendDirect{"Envoi Direct"};
inline constexpr QLatin1String SendOnCR{"Envoi sur Carriage Return"};
inline constexpr QLatin1String TransmissionCR{"Transmission du Carriage Return"};
inline constexpr QLatin1String Calculator{"Calculatrice"};
inline constexpr QLatin1String AllClear{"All Clear"};
inline constexpr QLatin1String Save{"Save"};
inline constexpr QLatin1String SaveAs{"Save As..."};
inline constexpr QLatin1String AllChecked{"All Checked"};
inline constexpr QLatin1String AllUnChecked{"All UnChecked"};
inline constexpr QLatin1String TextFileFilter{"Fichier Texte a envoyer sur la RS232 (*.txt)"};
inline constexpr QLatin1String SaveAsPlainFilter{"Reply log (*.txt)"};
inline constexpr QLatin1String SaveAsTimedFilter{"Session log with receive times (*.log)"};
inline constexpr QLatin1String LogFileName{"Debug2007.txt"};

inline constexpr QLatin1String ToTemporize{"To temporize ?"};
inline constexpr const char* NoDriver =
    "Vous devriez initialiser La propriet\xC3\xA9 Driver de L'unites (Form_Debug2007 de "
    "type TForm_Debug2007) ex: Form_Debug2007.Driver := FDriver;"; // UTF-8

// The console's own notices.
inline constexpr QLatin1String FindPlaceholder{"Find in the log (Enter: next)"};
inline constexpr QLatin1String RowLimitFormat{"Last %1 rows kept"};
inline constexpr QLatin1String NotFound{"Not found: %1"};
inline constexpr QLatin1String FrameTransferHoldsLine{"Not sent: a frame transfer holds the line"};
inline constexpr QLatin1String NoSingleByte{"Not sent: \"%1\" has no single-byte form"};
inline constexpr QLatin1String FileSendStopped{"File send stopped at line %1 of %2: %3"};
inline constexpr QLatin1String LinkClosed{"The link to the device is closed"};
inline constexpr QLatin1String LogSaved{"Log saved to %1"};

} // namespace DebugTexts

} // namespace tesso
