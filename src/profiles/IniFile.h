#pragma once
// A plain "key=value" INI file, read and written by the program itself so that what is written is
// read back unchanged (QSettings escapes and quotes values in a way of its own).
//
// Reading: in time linear in the file's size; UTF-8 (a file that is not valid UTF-8 is read as
// Windows-1252, as files made on Windows are), an optional byte-order mark, LF or CR LF line ends.
// "[name]" opens a section; "key=value" splits at the first "="; key and value are trimmed and a
// value wrapped in double quotes loses that one pair.
// Section and key names compare without regard to case. Lines that are none of these (comments, noise) are
// skipped, so a damaged file yields what can be read and the caller's defaults for the rest.
//
// Writing: sections and keys in the order they were set; a value that would not survive the
// reading rules (outer spaces, outer quotes) is wrapped in double quotes; line breaks inside a
// value become spaces because a value is one line. A file is written back in the encoding, byte-order
// mark and line ends it was read with, and not at all when it already holds the same content.

#include <optional>
#include <utility>
#include <vector>

#include <QHash>
#include <QString>

namespace tesso
{

class IniFile
{
  public:
    // Settings files are a few hundred bytes; a file larger than this is not read beyond it.
    static constexpr qint64 ReadLimit = 1 << 20;

    enum class LoadResult { Read, Missing, Unreadable, TooLarge };

    // How the text is stored: found by parsing, kept for writing. A new file is UTF-8 with LF.
    struct TextForm {
        bool windows1252 = false; // else UTF-8
        bool byteOrderMark = false;
        bool crlf = false;
    };

    // Replaces the content by the file's. Missing or unreadable: an empty content. Too large: the
    // content of its first ReadLimit bytes; such a file must not be written back, since that would
    // lose what lies beyond.
    LoadResult load(const QString& fileName);
    // The whole file is replaced: the old one disappears and only the current keys are written, in
    // the old one's text form. A file that holds the same sections, keys and values (in any order,
    // with any comments) is left as it is; one too large to be ours is never written over. The new
    // content is written beside it and renamed over it, so a failed write keeps the old file.
    bool save(const QString& fileName) const;

    // Replaces the content and the text form by what the bytes hold.
    void parse(const QByteArray& bytes);
    // In the text form; Windows-1252 text with a character the code page lacks is written as UTF-8,
    // so that no character is lost.
    QByteArray serialize() const;

    std::optional<QString> value(const QString& section, const QString& key) const;
    QString readString(const QString& section, const QString& key, const QString& fallback) const;
    // A decimal integer with an optional sign; anything else gives the fallback.
    int readInteger(const QString& section, const QString& key, int fallback) const;

    void setValue(const QString& section, const QString& key, const QString& text);
    void setInteger(const QString& section, const QString& key, int value);

    bool isEmpty() const { return m_sections.empty(); }

  private:
    struct Section {
        QString name;
        std::vector<std::pair<QString, QString>> entries;
        QHash<QString, std::size_t> index; // folded key -> position in entries
    };
    Section& sectionNamed(const QString& name); // created when missing
    const Section* findSection(const QString& name) const;
    static void setEntry(Section& section, const QString& key, const QString& text);
    // The same sections, keys and values as written, whatever the order and the case of the names.
    bool sameContent(const IniFile& file) const;

    std::vector<Section> m_sections;
    QHash<QString, std::size_t> m_sectionIndex; // folded name -> position in m_sections
    TextForm m_form;
};

} // namespace tesso
