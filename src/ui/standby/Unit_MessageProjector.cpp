#include "Unit_MessageProjector.h"

#include <algorithm>

#include "Constante.h"
#include "Mirex_d.h"

TForm_MessageProjector::TForm_MessageProjector(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("Form_MessageProjector"));
    setWindowTitle(QString(Constante::CaptionMessageProjector));
    resize(360, 160);
}

void TForm_MessageProjector::StoreMessage(TMirex_d& driver, int onOff, int count, const std::uint8_t* codes)
{
    const int n = codes ? std::clamp(count, 0, 255) : 0;
    auto store = [&driver, onOff](std::uint32_t index, std::uint32_t code) {
        if (onOff == 0) {
            driver.setSTBION(index);
            driver.setSTBON(code);
        } else {
            driver.setSTBIOFF(index);
            driver.setSTBOFF(code);
        }
    };
    for (int i = 0; i < n; ++i)
        store(static_cast<std::uint32_t>(i), codes[i]);
    store(static_cast<std::uint32_t>(n), 0);
}
