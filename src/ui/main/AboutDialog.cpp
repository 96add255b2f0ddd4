#include "AboutDialog.h"

#include <array>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "DeviceModels.h"
#include "GlyphImages.h"
#include "TextFormat.h"
#include "Texts.h"

namespace tesso
{

namespace
{

QLabel* deviceLabel(const char* name, QLatin1String text, QWidget* parent)
{
    auto* label = new QLabel(QString(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QString twoDigits(unsigned value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("About_Tesso"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    for (const tesso::ModelInfo& model : tesso::ModelTable::Models)
        m_logos.push_back(GlyphImages::Logo(QString::fromLatin1(model.name)));

    Image_Logo = new QLabel(this);
    Image_Logo->setObjectName(QStringLiteral("Image_Logo"));
    Image_Logo->setFixedSize(120, 48); // the logos' size

    Panel_Notice =
        new QLabel(QString(Texts::MakerName) + QStringLiteral("\n") + QString(Texts::ApplicationTitle), this);
    Panel_Notice->setObjectName(QStringLiteral("Panel_Notice"));
    Panel_Notice->setFrameShape(QFrame::StyledPanel);

    auto* software = new QGroupBox(QString(Texts::Software), this);
    Label_version = deviceLabel("Label_version", Texts::VersionUnknown, software);
    auto* softwareRows = new QVBoxLayout(software);
    softwareRows->addWidget(Label_version);

    auto* device = new QGroupBox(QString(Texts::Device), this);
    label_verupd = deviceLabel("label_verupd", Texts::DeviceVersionUnknown, device);
    label_I = deviceLabel("label_I", Texts::LabelI, device);
    label_k = deviceLabel("label_k", Texts::LabelK, device);
    label_s = deviceLabel("label_s", Texts::LabelS, device);
    label_v = deviceLabel("label_v", Texts::LabelV, device);
    label_opt = deviceLabel("label_opt", Texts::LabelO, device);
    Label_D = deviceLabel("Label_D", Texts::LabelD, device);
    Label_Lan = deviceLabel("Label_Lan", Texts::LabelLan, device);
    Label_H = deviceLabel("Label_H", Texts::LabelH, device);
    label_f = deviceLabel("label_f", Texts::LabelF, device);
    Label_H->hide();
    label_f->hide();
    // The version over two columns of codes; H and f share a place, a model shows one of them.
    auto* deviceRows = new QGridLayout(device);
    deviceRows->setHorizontalSpacing(16);
    deviceRows->addWidget(label_verupd, 0, 0, 1, 2);
    const std::array<QLabel*, 4> left{label_I, label_k, label_s, label_v};
    const std::array<QLabel*, 4> right{label_opt, Label_D, Label_Lan, Label_H};
    for (int row = 0; row < 4; ++row) {
        deviceRows->addWidget(left[static_cast<std::size_t>(row)], row + 1, 0);
        deviceRows->addWidget(right[static_cast<std::size_t>(row)], row + 1, 1);
    }
    deviceRows->addWidget(label_f, 4, 1);
    deviceRows->setColumnStretch(0, 1);
    deviceRows->setColumnStretch(1, 1);

    BtnOk = new QPushButton(QString(Texts::OkUpper), this);
    BtnOk->setObjectName(QStringLiteral("BtnOk"));
    BtnOk->setDefault(true);
    connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize); // as large as its texts, no larger
    auto* top = new QHBoxLayout;
    top->addWidget(Image_Logo);
    top->addWidget(Panel_Notice, 1);
    column->addLayout(top);
    column->addWidget(software);
    column->addWidget(device);
    column->addWidget(BtnOk, 0, Qt::AlignHCenter);

    RefreshLogo();
}

void AboutDialog::setProfileName(const QString& name)
{
    QString notice = QString(Texts::MakerName) + QStringLiteral("\n") + QString(Texts::ApplicationTitle);
    if (!name.isEmpty())
        notice += QStringLiteral("\n") + TextFormat::Format(Texts::AboutProfileFormat, {name});
    Panel_Notice->setText(notice);
}

void AboutDialog::setLogoIndex(int index)
{
    if (index >= 0 && index < static_cast<int>(m_logos.size()))
        m_logoIndex = index;
}

void AboutDialog::RefreshLogo()
{
    m_shown = m_logos[static_cast<std::size_t>(m_logoIndex)];
    Image_Logo->setPixmap(m_shown);
}

QString AboutDialog::VersionText(unsigned major, unsigned minor, unsigned release, unsigned build)
{
    return TextFormat::Format(Texts::VersionFormat, {QString::number(major), twoDigits(minor),
                                                     twoDigits(release), twoDigits(build)});
}

} // namespace tesso
