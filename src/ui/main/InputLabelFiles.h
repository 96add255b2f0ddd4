#pragma once
// The input and audio labels of the main window. The captions of the Customize menu's items are
// the authoritative copy; the input buttons, the input frames, the audio radio buttons and the
// input label table follow them. Each supported model keeps its labels in a label file, read when
// the model is first detected and rewritten after every change.

#include <cstdint>
#include <functional>

#include <QStringList>

class QWidget;

namespace tesso
{

class ConnectionSettings;
class UserPrompts;
class InputButtonRow;
class MainMenus;
class PageAudio;
class PageInput;

class InputLabelFiles
{
  public:
    // Labels hold at most this many characters.
    static constexpr int MaxLength = 17;

    struct Controls {
        MainMenus* Menus;
        InputButtonRow* Buttons;
        PageInput* InputPage;
        PageAudio* AudioPage;
    };

    InputLabelFiles(const Controls& controls, const ConnectionSettings& files);

    // Reads the model's label file (its defaults where a key is missing, the generic labels when
    // it cannot be read) into the menu items, then applies them. Only for a supported model.
    void Load(std::int64_t code);
    // Rewrites the model's label file from the menu items. Only for a supported model.
    void Save(std::int64_t code) const;
    // Copies the menu captions of the model's inputs to the other places, rebuilds the label table
    // and saves the labels.
    void Apply(std::int64_t code);

    // Index 0 "Internal Rate", index k the label of input k; always 9 entries, empty past the
    // model's inputs.
    QStringList Table() const { return m_table; }

    // Rename input k (or audio channel k) through a text prompt: a label of 18 characters or more
    // brings the prompt back with the previous label; Cancel leaves the label as it was.
    void Rename(int input, bool audio, UserPrompts& prompts, QWidget* parent, std::int64_t code);
    // The model's default labels for its inputs.
    void Default(std::int64_t code);

    // The Customize menu's items and the input buttons' "Rename" rename; "Default" restores the
    // defaults. `code` tells the model the device reports.
    void ConnectMenus(UserPrompts& prompts, QWidget* parent, std::function<std::int64_t()> code);

  private:
    void setMenuLabels(int count, const QStringList& inputs, const QStringList& audios);

    Controls m_controls;
    const ConnectionSettings& m_files;
    QStringList m_table = QStringList(9, QString());
};

} // namespace tesso
