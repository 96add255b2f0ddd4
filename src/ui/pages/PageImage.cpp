#include "PageImage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "BindingTable.h"
#include "PageNotice.h"
#include "TextFormat.h"
#include "Texts.h"
#include "ValueSlider.h"

namespace tesso
{

namespace
{

ValueSlider* row(const char* name, QLatin1String caption, QVBoxLayout* group)
{
    auto* frame = new ValueSlider(group->parentWidget());
    frame->setObjectName(QLatin1String(name));
    frame->setCaption(QString(caption));
    group->addWidget(frame);
    return frame;
}

// A caption and its list side by side; the caption names the list for a screen reader.
void labelled(QLabel* label, QComboBox* list, QVBoxLayout* group)
{
    label->setBuddy(list);
    auto* line = new QHBoxLayout;
    line->addWidget(label);
    line->addWidget(list, 1);
    group->addLayout(line);
}

void leftAligned(QWidget* button, QVBoxLayout* group)
{
    group->addWidget(button, 0, Qt::AlignLeft);
}

QComboBox* list(const char* name, QStringList entries, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->addItems(entries);
    return combo;
}

template <std::size_t N> QStringList entries(const char* const (&texts)[N])
{
    QStringList list;
    for (const char* text : texts)
        list << QString::fromLatin1(text);
    return list;
}

} // namespace

PageImage::PageImage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet_Image"));

    GrpSizePos = new QGroupBox(QString(Texts::PositionSize), this);
    GrpSizePos->setObjectName(QStringLiteral("GrpSizePos"));
    auto* sizePos = new QVBoxLayout(GrpSizePos);
    FrameScrollHPos = row("FrameScrollHPos", Texts::RowHPos, sizePos);
    FrameScrollHSize = row("FrameScrollHSize", Texts::RowHSize, sizePos);
    FrameScrollVPos = row("FrameScrollVPos", Texts::RowVPos, sizePos);
    FrameScrollVSize = row("FrameScrollVSize", Texts::RowVSize, sizePos);
    auto* aspect = new QGroupBox(QString(Texts::AspectRatio), GrpSizePos);
    CboInputAspectRatio = list("CboInputAspectRatio", entries(Texts::InputAspectRatios), aspect);
    CboInputAspectRatio->setAccessibleName(QStringLiteral("Input aspect ratio"));
    CboOutputAspectRatio = list("CboOutputAspectRatio", entries(Texts::OutputAspectRatios), aspect);
    CboOutputAspectRatio->setAccessibleName(QStringLiteral("Output aspect ratio"));
    auto* aspects = new QVBoxLayout(aspect);
    aspects->addWidget(CboInputAspectRatio);
    aspects->addWidget(CboOutputAspectRatio);
    sizePos->addWidget(aspect);
    CboUnderOverscan = list("CboUnderOverscan", entries(Texts::Overscans), GrpSizePos);
    labelled(new QLabel(QString(Texts::UnderOverscan), GrpSizePos), CboUnderOverscan, sizePos);
    sizePos->addStretch(1);
    BtnCenter = new QPushButton(QString(Texts::Reset), GrpSizePos);
    BtnCenter->setObjectName(QStringLiteral("BtnCenter"));
    leftAligned(BtnCenter, sizePos);

    GrpPicture = new QGroupBox(QString(Texts::Picture), this);
    GrpPicture->setObjectName(QStringLiteral("GrpPicture"));
    auto* picture = new QVBoxLayout(GrpPicture);
    FrameScrollBrightness = row("FrameScrollBrightness", Texts::RowBrightness, picture);
    FrameScrollContrast = row("FrameScrollContrast", Texts::RowContrast, picture);
    FrameScrollColor = row("FrameScrollColor", Texts::RowColor, picture);
    FrameScrollHue = row("FrameScrollHue", Texts::RowHue, picture);
    LblProcessing = new QLabel(QString(Texts::Sharpness), GrpPicture);
    LblProcessing->setObjectName(QStringLiteral("LblProcessing"));
    QStringList sharpness{QString(Texts::SharpnessStandard)};
    for (int level = 1; level <= 7; ++level)
        sharpness << TextFormat::Format(Texts::SharpnessLevelFormat, level);
    CboProcessing = list("CboProcessing", sharpness, GrpPicture);
    labelled(LblProcessing, CboProcessing, picture);
    picture->addStretch(1);
    BtnPicturePreset = new QPushButton(QString(Texts::Preset), GrpPicture);
    BtnPicturePreset->setObjectName(QStringLiteral("BtnPicturePreset"));
    leftAligned(BtnPicturePreset, picture);

    // The bars of all eight rows start in one line.
    int captions = 0;
    for (const ValueSlider* frame : findChildren<ValueSlider*>())
        captions = std::max(captions, frame->Lbl->sizeHint().width());
    for (ValueSlider* frame : findChildren<ValueSlider*>())
        frame->Lbl->setMinimumWidth(captions);

    LblImageNoInputSignal = MakePageNotice("LblImageNoInputSignal", QString(Texts::ImageNoInputSignal), this);
    LblImageNotAvailableComputerInput = MakePageNotice("LblImageNotAvailableComputerInput",
                                                       QString(Texts::ImageNotAvailableComputerInput), this);

    // The two groups side by side, as high as each other; a notice, shown while they are hidden,
    // in the middle of the page.
    auto* groups = new QHBoxLayout;
    groups->addWidget(GrpSizePos, 1);
    groups->addWidget(GrpPicture, 1);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    page->addLayout(groups);
    page->addStretch(1);
    page->addWidget(LblImageNoInputSignal, 0, Qt::AlignCenter);
    page->addWidget(LblImageNotAvailableComputerInput, 0, Qt::AlignCenter);
    page->addStretch(1);
}

PageImage::~PageImage() = default;

void PageImage::BindTo(EventRouter& router, const DisplayScale& conversion)
{
    m_bindings = std::make_unique<BindingTable>(router);
    const ValueMap shown{{}, &conversion};
    m_bindings->Bind({{_HPOS, FrameScrollHPos, ControlKind::ValueFrame, shown},
                      {_HSIZ, FrameScrollHSize, ControlKind::ValueFrame, shown},
                      {_VPOS, FrameScrollVPos, ControlKind::ValueFrame, shown},
                      {_VSIZ, FrameScrollVSize, ControlKind::ValueFrame, shown},
                      {_BRGT, FrameScrollBrightness, ControlKind::ValueFrame, shown},
                      {_CONTR, FrameScrollContrast, ControlKind::ValueFrame, shown},
                      {_COLOR, FrameScrollColor, ControlKind::ValueFrame, shown},
                      {_HUE, FrameScrollHue, ControlKind::ValueFrame, shown},
                      {_IASP, CboInputAspectRatio, ControlKind::Combo},
                      {_OASP, CboOutputAspectRatio, ControlKind::Combo},
                      {_OVER, CboUnderOverscan, ControlKind::Combo},
                      {_PROC, CboProcessing, ControlKind::Combo},
                      {_AUTOCAD, BtnCenter, ControlKind::PushButton},
                      {_PRESETM, BtnPicturePreset, ControlKind::PushButton}});
}

} // namespace tesso
