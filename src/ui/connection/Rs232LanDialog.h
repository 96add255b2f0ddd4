#pragma once
// Rs232LanDialog, "Tesso LAN Setup": the device's own network interface (off, TCP or UDP, its
// addresses, mask and ports). The fields are filled from the driver's mirror before each showing
// and written back to the device, through the driver's properties, after "Apply".
//
// Typical use from the device's LAN setup menu item:
//     RS232LanDlg->Execute();

#include <cstdint>

#include <QString>

#include "ConnectionDialog.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tesso
{

class Rs232LanDialog : public ConnectionDialog
{
    Q_OBJECT

  public:
    // The driver is not owned; it may be null (then the driver steps do nothing).
    explicit Rs232LanDialog(DeviceDriver* driver, QWidget* parent = nullptr);
    ~Rs232LanDialog() override;

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
    // Applied(): false on creation and on each showing; true after "Apply", false after "Exit".

    // Mode from LANENABLE and TCPIP, then the addresses, ports and mask from the mirror.
    void LoadFromDriver() override;
    // When Applied: with Mode 1 or 2 TCPIP, LOCAL_IP, REMOTE_IP, GATEWAY_IP, LOCAL_PORT,
    // REMOTE_PORT, NETMASK, LANSTORE := true, LANENABLE := true, in this order; with Mode 0 only
    // LANENABLE := false.
    void ApplyToDriver() override;

    // Controls (owned by the dialog; BOk and BCancel are the base's).
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

    // Handlers (discardChoice is the base's).
    void chooseSerial();
    void chooseTcp();
    void chooseUdp();
    void FormCreate();
    void prepareToShow() override;
    void applyChoice() override;

  private:
    void buildControls();
    bool readPort(const QLineEdit* field, std::int32_t& port);
    void checkModeButton(QRadioButton* button);

    int m_mode = 0;
    QString m_localAddr, m_remoteAddr, m_gatewayAddr, m_netMask;
    std::int32_t m_localPort = 0;
    std::int32_t m_remotePort = 0;
};

} // namespace tesso
