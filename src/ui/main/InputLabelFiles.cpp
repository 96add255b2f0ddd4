#include "InputLabelFiles.h"

#include <QAction>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

#include "ConnectionSettings.h"
#include "DeviceModels.h"
#include "ErrorReport.h"
#include "InputButtonRow.h"
#include "InputSettingsRow.h"
#include "MainMenus.h"
#include "PageAudio.h"
#include "PageInput.h"
#include "TextFormat.h"
#include "Texts.h"
#include "UserPrompts.h"

namespace tesso
{

namespace
{

int inputCount(std::int64_t code)
{
    return tesso::ModelTable::InputCount(ModelIndex(code));
}

QString modelName(std::int64_t code)
{
    return QString::fromLatin1(tesso::ModelTable::OfCode(code).name);
}

std::size_t at(int k)
{
    return static_cast<std::size_t>(k - 1);
}

} // namespace

InputLabelFiles::InputLabelFiles(const Controls& controls, const ConnectionSettings& files)
    : m_controls(controls), m_files(files)
{
}

void InputLabelFiles::setMenuLabels(int count, const QStringList& inputs, const QStringList& audios)
{
    for (int k = 1; k <= count; ++k) {
        // A hand-edited file may hold anything; a label never outgrows what the buttons can show.
        m_controls.Menus->MenuInput[at(k)]->setText(inputs.value(k - 1).left(MaxLength));
        m_controls.Menus->MenuAudio[at(k)]->setText(audios.value(k - 1).left(MaxLength));
    }
}

void InputLabelFiles::Load(std::int64_t code)
{
    if (!IsSupportedModel(code))
        return;
    const int n = inputCount(code);
    InputLabels defaults;
    defaults.Black = QString(Texts::Black);
    for (int k = 1; k <= n; ++k) {
        defaults.Inputs << QString::fromLatin1(tesso::ModelTable::DefaultInputLabel(ModelIndex(code), k));
        defaults.Audios << TextFormat::Format(Texts::AudioLabelFormat, k);
    }
    InputLabels labels;
    if (m_files.ReadLabels(modelName(code), defaults, labels)) {
        m_controls.Buttons->BtnBlack->setText(labels.Black.left(MaxLength));
        setMenuLabels(n, labels.Inputs, labels.Audios);
    } else {
        QStringList generic;
        for (int k = 1; k <= n; ++k)
            generic << TextFormat::Format(Texts::InputLabelFormat, k);
        setMenuLabels(n, generic, defaults.Audios);
    }
    Apply(code);
}

void InputLabelFiles::Apply(std::int64_t code)
{
    const int n = inputCount(code);
    // Nine entries whatever the model: a device may report any input number.
    m_table = QStringList(9, QString());
    m_table[0] = QString(Texts::InternalRate);
    for (int k = 1; k <= n; ++k) {
        const QString input = m_controls.Menus->MenuInput[at(k)]->text();
        const QString audio = m_controls.Menus->MenuAudio[at(k)]->text();
        m_controls.Buttons->BtnInput[at(k)]->setText(input);
        m_controls.InputPage->FrameInput[at(k)]->Lbl->setText(input);
        m_controls.AudioPage->RdoACHANM[at(k)]->setText(audio + QStringLiteral(" (") + input + u')');
        m_table[k] = input;
    }
    Save(code);
}

void InputLabelFiles::Rename(int input, bool audio, UserPrompts& prompts, QWidget* parent, std::int64_t code)
{
    if (input < 1 || input > static_cast<int>(m_controls.Menus->MenuInput.size()))
        return;
    QAction* item = (audio ? m_controls.Menus->MenuAudio : m_controls.Menus->MenuInput)[at(input)];
    const QString previous = item->text();
    const QString caption = TextFormat::Format(Texts::RenameCaptionFormat, input);
    const QString prompt = TextFormat::Format(Texts::RenamePromptFormat, MaxLength);
    for (;;) {
        const std::optional<QString> answer = prompts.AskText(parent, caption, prompt, previous);
        if (!answer)
            return;
        if (answer->size() <= MaxLength) {
            item->setText(*answer);
            break;
        }
    }
    Apply(code);
}

void InputLabelFiles::Default(std::int64_t code)
{
    const int n = inputCount(code);
    QStringList inputs, audios;
    for (int k = 1; k <= n; ++k) {
        inputs << QString::fromLatin1(tesso::ModelTable::DefaultInputLabel(ModelIndex(code), k));
        audios << TextFormat::Format(Texts::AudioLabelFormat, k);
    }
    setMenuLabels(n, inputs, audios);
    Apply(code);
}

void InputLabelFiles::Save(std::int64_t code) const
{
    if (!IsSupportedModel(code))
        return;
    InputLabels labels;
    labels.Black = m_controls.Buttons->BtnBlack->text();
    for (int k = 1; k <= inputCount(code); ++k) {
        labels.Inputs << m_controls.Menus->MenuInput[at(k)]->text();
        labels.Audios << m_controls.Menus->MenuAudio[at(k)]->text();
    }
    m_files.WriteLabels(modelName(code), labels);
}

void InputLabelFiles::ConnectMenus(UserPrompts& prompts, QWidget* parent, std::function<std::int64_t()> code)
{
    MainMenus* menus = m_controls.Menus;
    for (int k = 1; k <= static_cast<int>(menus->MenuInput.size()); ++k) {
        for (bool audio : {false, true}) {
            QAction* item = (audio ? menus->MenuAudio : menus->MenuInput)[at(k)];
            QObject::connect(item, &QAction::triggered, item, [this, k, audio, &prompts, parent, code] {
                tesso::guarded([&] { Rename(k, audio, prompts, parent, code()); });
            });
        }
    }
    QObject::connect(menus->MenuCustomizeDefault, &QAction::triggered, menus->MenuCustomizeDefault,
                     [this, code] { tesso::guarded([&] { Default(code()); }); });
    QObject::connect(
        m_controls.Buttons, &InputButtonRow::renameRequested, m_controls.Buttons,
        [this, &prompts, parent, code](int input) { Rename(input, false, prompts, parent, code()); });
}

} // namespace tesso
