#pragma once
// The row of input buttons above the page control (PnlBtnInputs): eight exclusive input buttons,
// the separator bevel at x = 642, then the Black and Freeze toggles.

#include <array>
#include <memory>

#include <QWidget>

class QFrame;
class QToolButton;
class TBindingTable;
class TEventRouter;

class TInputButtonRow : public QWidget
{
    Q_OBJECT

  public:
    static constexpr int SeparatorLeft = 642;

    explicit TInputButtonRow(QWidget* parent = nullptr);
    ~TInputButtonRow() override;

    // Black and Freeze follow the device and ask it for the opposite of what it reports.
    void BindTo(TEventRouter& router);

    std::array<QToolButton*, 8> BtnInput{}; // BtnInput1 .. BtnInput8, tags 1..8
    QFrame* BvlSeparator = nullptr;
    QToolButton* BtnBlack = nullptr;
    QToolButton* BtnFreeze = nullptr;

    // Input button i (0..7) at left edge w*i, width w-4, w = separator left div n.
    void LayOutInputs(int inputCount);

  private:
    std::unique_ptr<TBindingTable> m_bindings;
};
