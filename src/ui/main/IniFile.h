#pragma once
// A plain "key=value" INI file, read and written by the program itself so that what is written is
// read back unchanged (QSettings escapes and quotes values in a way of its own).
//
// Reading: in time linear in the file's size; UTF-8 (a file that is not valid UTF-8 is read as
// Latin-1), an optional byte-order mark, LF or CR LF line ends. "[name]" opens a section; "key=value" splits
// at the first "="; key and value are trimmed and a value wrapped in double quotes loses that one pair.
// Section and key names compare without regard to case. Lines that are none of these (comments, noise) are
// skipped, so a damaged file yields what can be read and the caller's defaults for the rest.
//
// Writing: sections and keys in the order they were set; a value that would not survive the
// reading rules (outer spaces, outer quotes) is wrapped in double quotes; line breaks inside a
// value become spaces because a value is one line.

#include <optional>
#include <utility>
#include <vector>

#include <QHash>
#include <QString>

class IniFile
{
  public:
    // Settings files are a few hundred bytes; a file larger than this is not read beyond it.
    static constexpr qint64 ReadLimit = 1 << 20;

    enum class LoadResult { Read, Missing, Unreadable, TooLarge };

    // Replaces the content by the file's. Missing or unreadable: an empty content. Too large: the
    // content of its first ReadLimit bytes; such a file must not be written back, since that would
    // lose what lies beyond.
    LoadResult load(const QString& fileName);
    // The whole file is replaced: the old one disappears and only the current keys are written.
    // The new content is written beside it and renamed over it, so a failed write keeps the old file.
    bool save(const QString& fileName) const;

    void parse(const QByteArray& bytes);
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

    std::vector<Section> m_sections;
    QHash<QString, std::size_t> m_sectionIndex; // folded name -> position in m_sections
};
