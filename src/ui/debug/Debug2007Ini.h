#pragma once
// "Debug2007.ini", the console's settings file: no section, one "name=value" per line, CR LF.
// 30 lines "<n>=<Descriptor>;<StringToSend>" for the quick-send buttons, 115 lines
// "Checked<i>=True|False" for the variable list in its sorted order, then "Top", "Left",
// "SizeW" and "SizeH" (the window's outer bounds): 149 lines. The program's other INI files have
// sections and quoting rules of their own, so this format has its own reader and writer.

#include <array>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>

namespace tesso
{

class Debug2007Ini
{
  public:
    static constexpr int ButtonCount = 30;
    static constexpr int EntryCount = 115;
    static constexpr int LineCount = ButtonCount + EntryCount + 4;
    // The file is a few kilobytes; a larger one is not read beyond this.
    static constexpr qint64 ReadLimit = 1 << 20;

    struct Button {
        QString Descriptor;
        QString StringToSend;
    };
    struct Content {
        std::array<Button, ButtonCount> buttons;
        std::array<bool, EntryCount> checked{};
        std::optional<int> top, left, width, height;
    };

    // What reading set, in the file's order, up to the first value that could not be read.
    struct ReadResult {
        bool complete = true; // false: stopped at a missing or malformed value
        int buttonsRead = 0, checksRead = 0;
    };

    static QByteArray Serialize(const Content& content);
    // Fills what the bytes give, in order, and stops at the first missing or malformed value;
    // what was set before stays. Buttons never stop the reading (a missing one is empty).
    static ReadResult Parse(const QByteArray& bytes, Content& content);

    // "True"/"False" in any letter case, or a whole decimal number (0 is false).
    static std::optional<bool> ReadBoolean(const QString& text);
    static std::optional<int> ReadInteger(const QString& text);

    // A descriptor without ";" and line ends, a text to send without line ends (";" too: the file
    // drops every ";" after the first on reading).
    static QString CleanDescriptor(const QString& text);
    static QString CleanStringToSend(const QString& text);
};

} // namespace tesso
