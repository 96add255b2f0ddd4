#pragma once
// ConnectionDialog: what the two connection dialogs share. Each is filled from the driver before
// it is shown and writes back to the driver only after "Apply"; "Cancel"/"Exit", Escape and the
// window's close button all leave it unapplied.
//
// Execute() = LoadFromDriver(), exec(), ApplyToDriver(); the three steps are public so that the
// caller may also run them one by one.

#include <functional>

#include <QDialog>
#include <QString>

class QHBoxLayout;
class QPushButton;
class QShowEvent;

namespace tesso
{

class DeviceDriver;

class ConnectionDialog : public QDialog
{
    Q_OBJECT

  public:
    // The driver is not owned; it may be null (then the driver steps do nothing).
    explicit ConnectionDialog(DeviceDriver* driver, QWidget* parent = nullptr);
    ~ConnectionDialog() override;

    DeviceDriver* Driver() const { return m_driver; }
    void setDriver(DeviceDriver* driver) { m_driver = driver; }

    // True once "Apply" accepted the fields; false after "Cancel"/"Exit".
    bool Applied() const { return m_applied; }

    // Fields from the driver.
    virtual void LoadFromDriver() = 0;
    // The fields to the driver, when Applied.
    virtual void ApplyToDriver() = 0;
    // LoadFromDriver, modal showing, ApplyToDriver. Returns true when the dialog was applied and
    // every write reached the driver; a driver error goes to the application's error report.
    bool Execute();

    // Shows a validation message. Replaceable so that tests capture the text.
    std::function<void(const QString& text)> ShowWarning;

    // Controls (owned by the dialog), made by buildButtons().
    QPushButton* BOk = nullptr;
    QPushButton* BCancel = nullptr;

    // Handlers.
    virtual void prepareToShow() = 0;
    virtual void applyChoice() = 0;
    void discardChoice();

  public slots:
    // Escape and the window's close button count as "Cancel"/"Exit".
    void reject() override;

  protected:
    // Runs prepareToShow on each showing by the program (not on the window system's own re-showing).
    void showEvent(QShowEvent* event) override;
    void setApplied(bool applied) { m_applied = applied; }

    // "Apply" (the default button) and the cancelling button, right-aligned in a row, wired to
    // applyChoice and discardChoice.
    QHBoxLayout* buildButtons(const QString& cancelText);

  private:
    DeviceDriver* m_driver = nullptr;
    bool m_applied = false;
};

} // namespace tesso
