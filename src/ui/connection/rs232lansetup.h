#pragma once
// TRs232LanDlg, "Tesso LAN Setup": the device's own network interface (off, TCP or UDP, its
// addresses, mask and ports). The fields are filled from the driver's mirror before each showing
// and written back to the device, through the driver's properties, after "Apply".
//
// Typical use from the device's LAN setup menu item:
//     RS232LanDlg->Execute();
// Execute() = LoadFromDriver(), exec(), ApplyToDriver(); the three steps are public so that the
// caller may also run them one by one.

#include <cstdint>
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

class TRs232LanDlg : public QDialog
{
    Q_OBJECT

  public:
    // The driver is not owned; it may be null (then the driver steps do nothing).
    explicit TRs232LanDlg(TMirex_d* driver, QWidget* parent = nullptr);
    ~TRs232LanDlg() override;

    TMirex_d* Driver() const { return m_driver; }
    void setDriver(TMirex_d* driver) { m_driver = driver; }

    // 0 = network interface off ("Rs232"), 1 = UDP, 2 = TCP.
    int Mode() const { return m_mode; }
    void setMode(int mode);
    QString LocalAddr() const { return m_localAddr; }
    void setLocalAddr(const QString& address);
    QString RemoteAddr() const { return m_remoteAddr; }
    void setRemoteAddr(const QString& address);
    QString GatewayAddr() const { return m_gatewayAddr; }
    void setGatewayAddr(const QString& address);
    QString NetMask() const { return m_netMask; }
    void setNetMask(const QString& mask);
    std::int32_t LocalPort() const { return m_localPort; }
    void setLocalPort(std::int32_t port);
    std::int32_t RemotePort() const { return m_remotePort; }
    void setRemotePort(std::int32_t port);
    // False on creation and on each showing; true after "Apply", false after "Exit".
    bool Applied() const { return m_applied; }

    // Mode from LANENABLE and TCPIP, then the addresses, ports and mask from the mirror.
    void LoadFromDriver();
    // When Applied: with Mode 1 or 2 TCPIP, LOCAL_IP, REMOTE_IP, GATEWAY_IP, LOCAL_PORT,
    // REMOTE_PORT, NETMASK, LANSTORE := true, LANENABLE := true, in this order; with Mode 0 only
    // LANENABLE := false.
    void ApplyToDriver();
    // LoadFromDriver, modal showing, ApplyToDriver. Returns true when the dialog was applied and
    // every write reached the driver; a driver error goes to the application's error report.
    bool Execute();

    // Shows a refusal message. Replaceable so that tests capture the text.
    std::function<void(const QString& text)> ShowWarning;

    // Controls (owned by the dialog).
    QGroupBox* GrpConnectionMode = nullptr;
    QRadioButton* RBRs232 = nullptr;
    QRadioButton* RBTcp = nullptr;
    QRadioButton* RBUdp = nullptr;
    QLabel* LblLocalAddr = nullptr;
    QLineEdit* ELocalAddr = nullptr;
    QLabel* LblLocalPort = nullptr;
    QLineEdit* ELocalPort = nullptr;
    QLabel* LblGatewayAddr = nullptr;
    QLineEdit* EGatewayAddr = nullptr;
    QLabel* LblNetMask = nullptr;
    QLineEdit* ENetMask = nullptr;
    QLabel* LblRemoteAddr = nullptr;
    QLineEdit* ERemoteAddr = nullptr;
    QLabel* LblRemotePort = nullptr;
    QLineEdit* ERemotePort = nullptr;
    QPushButton* BOk = nullptr;
    QPushButton* BCancel = nullptr;

    // Handlers.
    void RBRs232Click();
    void RBTcpClick();
    void RBUdpClick();
    void FormCreate();
    void FormShow();
    void BOkClick();
    void BCancelClick();

  public slots:
    // Escape and the window's close button count as "Exit".
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildControls();
    bool readPort(const QLineEdit* field, std::int32_t& port);
    void checkModeButton(QRadioButton* button);

    TMirex_d* m_driver = nullptr;
    int m_mode = 0;
    QString m_localAddr, m_remoteAddr, m_gatewayAddr, m_netMask;
    std::int32_t m_localPort = 0;
    std::int32_t m_remotePort = 0;
    bool m_applied = false;
};
