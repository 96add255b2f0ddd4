#pragma once
// The "Output" page of the main window's page control.

#include <memory>

#include <QStringList>
#include <QWidget>

class QLabel;
class TBindingTable;
class TEventRouter;
class TRadioGroup;

class TPageOutput : public QWidget
{
    Q_OBJECT

  public:
    explicit TPageOutput(QWidget* parent = nullptr);
    ~TPageOutput() override;

    // Ties the page's controls to the device.
    void BindTo(TEventRouter& router);
    // Replaces the output sync items, keeping the device's choice shown.
    void SetSyncItems(const QStringList& items);

    TRadioGroup* RdoOutputSync = nullptr;
    QLabel* LblOutputNotAvailableComputerInput = nullptr;

  private:
    std::unique_ptr<TBindingTable> m_bindings;
};
