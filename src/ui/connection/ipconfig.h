#pragma once
// TIPConfigDlg, "LAN Setup": the computer's network link to the device (TCP or UDP, remote
// address, remote port, local port). One instance lives for the whole process and is shown
// modally from the "LAN/Setup" item of the serial-port menu.
//
// Typical use from that menu item:
//     if (IPConfigDlg->Execute()) { check "LAN/Setup"; refresh the status bar; }
// Execute() = LoadFromDriver(), exec(), ApplyToDriver(); the three steps are public so that the
// caller may also run them one by one.

#include <functional>

#include <QDialog>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QShowEvent;
class TMirex_d;

class TIPConfigDlg : public QDialog
{
    Q_OBJECT

  public:
    // The driver is not owned; it may be null (then the driver steps do nothing).
    explicit TIPConfigDlg(TMirex_d* driver, QWidget* parent = nullptr);
    ~TIPConfigDlg() override;

    TMirex_d* Driver() const { return m_driver; }
    void setDriver(TMirex_d* driver) { m_driver = driver; }

    // 1 = UDP, 2 = TCP (tConnectionType values). Any other value shows as TCP and becomes 2
    // when the dialog is shown.
    int Mode() const { return m_mode; }
    void setMode(int mode);
    QString RemoteAddr() const { return m_remoteAddr; }
    void setRemoteAddr(const QString& address);
    int RemotePort() const { return m_remotePort; }
    void setRemotePort(int port);
    int LocalPort() const { return m_localPort; }
    void setLocalPort(int port);
    // True after a successful "Apply", false after "Cancel" (or Escape / closing the window).
    bool Applied() const { return m_applied; }

    // Mode := ConType, RemoteAddr := IpRemoteAddress, RemotePort := IpRemotePort,
    // LocalPort := IpLocalPort.
    void LoadFromDriver();
    // When Applied: IpRemoteAddress, IpRemotePort, IpLocalPort, then ConType := Mode, in this order.
    void ApplyToDriver();
    // LoadFromDriver, modal showing, ApplyToDriver. Returns true when the dialog was applied and
    // every write reached the driver; a driver error goes to the application's error report.
    bool Execute();

    // Shows a validation message. Replaceable so that tests capture the text.
    std::function<void(const QString& text)> ShowWarning;

    // Controls (owned by the dialog).
    QGroupBox* GrpConnectionMode = nullptr;
    QRadioButton* RBTcp = nullptr;
    QRadioButton* RBUdp = nullptr;
    QLabel* LblLocalPort = nullptr;
    QLineEdit* ELocalPort = nullptr;
    QLabel* LblRemoteAddr = nullptr;
    QLineEdit* ERemoteAddr = nullptr;
    QLabel* LblRemotePort = nullptr;
    QLineEdit* ERemotePort = nullptr;
    QPushButton* BOk = nullptr;
    QPushButton* BCancel = nullptr;

    // Handlers.
    void RBTcpClick();
    void RBUdpClick();
    void FormShow();
    void BOkClick();
    void BCancelClick();

  public slots:
    // Escape and the window's close button count as "Cancel".
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildControls();

    TMirex_d* m_driver = nullptr;
    int m_mode = 2;
    QString m_remoteAddr;
    int m_remotePort = 0;
    int m_localPort = 0;
    bool m_applied = false;
};
