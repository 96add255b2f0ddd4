#pragma once
// Where the console's panes go for a client size and the divider's offset: the middle strip
// centred in the room left by it, moved by the offset, kept from 40 pixels beyond either pane's
// edge; the panes share the height above the progress bar.

#include <QRect>

namespace tesso
{

struct ConsoleLayout {
    static constexpr int StripWidth = 83;
    static constexpr int ProgressHeight = 17;
    static constexpr int Overshoot = 40;

    QRect sendPane, strip, receivedPane, progressBar;
    int offset = 0; // the divider's offset after clamping

    // Rounds halves to even, as the layout rule's round does.
    static int Round(double value);
    static ConsoleLayout Compute(int clientWidth, int clientHeight, int offset);
};

} // namespace tesso
