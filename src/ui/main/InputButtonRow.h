#pragma once
// The row of input buttons above the page control (PnlBtnInputs): eight exclusive input buttons
// sharing the row's width, the separator bevel, then the Black and Freeze toggles. A click preselects the
// input (ICHNM); the buttons show the input on air (ICHM); a right click offers "Rename".

#include <array>
#include <memory>
#include <vector>

#include <QPixmap>
#include <QWidget>

#include "EventRouter.h"
#include "MainRoutines.h"

class QButtonGroup;
class QFrame;
class QMenu;
class QToolButton;

namespace tesso
{

class BindingTable;
class FloatingHint;

class InputButtonRow : public QWidget
{
    Q_OBJECT

  public:
    explicit InputButtonRow(QWidget* parent = nullptr);
    ~InputButtonRow() override;

    // Black and Freeze follow the device; the input buttons select inputs. `images` is the
    // window's bitmap list (glyph 0 idle, glyph 1 on air).
    void BindTo(EventRouter& router, const MainRoutines& routines, const std::vector<QPixmap>* images);

    std::array<QToolButton*, 8> BtnInput{}; // BtnInput1 .. BtnInput8, tags 1..8
    QButtonGroup* InputGroup = nullptr;
    QFrame* BvlSeparator = nullptr;
    QToolButton* BtnBlack = nullptr;
    QToolButton* BtnFreeze = nullptr;
    QMenu* PopMenuRename = nullptr;
    FloatingHint* Hint = nullptr;

    // The buttons of the model's n inputs shown, the others hidden; the shown ones share the row.
    void LayOutInputs(int inputCount);

    // A click on input button k (1..8): a notice while the device cannot take it, then the
    // selection in any case.
    void selectInput(int input, const QPoint& globalPointer);
    // The buttons of the model's inputs show the input on air (none outside 1..n).
    void ShowOnAir(std::uint32_t onAir, int inputCount);
    // The button last released with the mouse (its tag), read by "Rename".
    int ReleasedInput() const { return m_released; }

  signals:
    // "Rename" chosen for the remembered button.
    void renameRequested(int input);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    EventRouter* m_router = nullptr;
    MainRoutines m_routines;
    const std::vector<QPixmap>* m_images = nullptr;
    std::unique_ptr<BindingTable> m_bindings;
    std::vector<Subscription> m_subscriptions;
    int m_released = 0;
};

} // namespace tesso
