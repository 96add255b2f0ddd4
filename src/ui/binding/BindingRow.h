#pragma once
// One row of a page's binding table: which device variable a control shows and sets, what kind
// of control it is, and how the control's position stands for the device's value.
//
//     {_OSYNCM, RdoOutputSync, ControlKind::RadioGroup}               position p is value p
//     {_SWITCHMODE, RadioGroup_SWITCHMODE, ControlKind::RadioGroup, ValueMap{{0, 1}}}
//     {_PENA, frame->ChkUsed, ControlKind::CheckBox, {}, 3}          input 3's value (PCHAN 3 first)
//     {_OSYNCTIME, bar, ControlKind::ScrollBar, {}, 0, {}, {}, edit}  a scroll bar and its number box

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "Catalogue.h"

class QLineEdit;
class QObject;

namespace tesso
{

class DisplayScale;

enum class ControlKind {
    ValueFrame,      // ValueSlider: a scroll sends the raw position, Enter the typed number
    ScrollBar,       // QScrollBar and the row's number box, if any: a scroll action (and the end of
                     // a TrackingScrollBar's scroll) sends the position, Enter the typed number
    CheckableAction, // checkable QAction (a tool-bar button): checked while the value is not 0; a
                     // trigger sends the negation of the mirrored value
    Combo,           // QComboBox: a chosen entry sends its value
    SmallCombo,      // CompactCombo: the same, from its pop-up list
    CheckBox,        // QCheckBox: a click sends the box's state
    RadioGroup,      // RadioGroup (item positions) or QButtonGroup (button ids): a click sends its value
    ToggleButton,    // checkable button: a click sends the negation of the mirrored value
    MenuGroup,       // QActionGroup of checkable items whose data() are their tags: a choice sends its value
    PushButton       // a command button: a click sends 1 (true); it shows nothing
};

// How a control's position (list entry, radio item, button id, menu tag) stands for a device
// value: through a constant table, or position p is value p when there is none. A value frame
// shows its number through a DisplayScale instead.
struct ValueMap {
    std::vector<std::uint32_t> table;
    const DisplayScale* conversion = nullptr;

    // The value a position stands for; nothing for a position that stands for none.
    std::optional<std::uint32_t> valueAt(int position) const;
    // The position that shows a value, -1 when none does.
    int positionOf(std::uint32_t value) const;
};

struct BindingRow {
    tVAR variable;
    QObject* control;
    ControlKind kind;
    ValueMap map{};
    // 1..8: the row stands for that input's value of a per-input variable. The user's choice
    // sends PCHAN := input first; a report is shown when PCHAN addresses this input or all (0).
    int input = 0;
    // Runs after the control has shown a device value (a caption's weight, a row's greying).
    std::function<void()> shown{};
    // Which reports the control shows; any other leaves it as it is. All when empty.
    std::function<bool(std::uint32_t value)> shows{};
    // A scroll bar's number box: it shows the reported number, and Enter in it sends.
    QLineEdit* edit = nullptr;
};

} // namespace tesso
