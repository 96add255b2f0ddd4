// libFuzzer target of the window's settings files: the fuzzed bytes are the connection settings
// file and a model's label file, read as the program reads them at start. What must hold: reading
// never fails on content; the ports come back in 1..65535 and the address in plain decimal form;
// what was read, written back and read again is the same values (only line breaks inside a value
// become spaces, as the writer documents).

#include <cstddef>
#include <cstdint>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include "ConnectionSettings.h"
#include "FuzzCheck.h"
#include "IpText.h"
#include "Texts.h"

using namespace tesso;

namespace
{

const QString Model = QStringLiteral("Lumio");

struct Folders {
    QTemporaryDir root;
    QString read = root.filePath(QStringLiteral("read"));
    QString written = root.filePath(QStringLiteral("written"));
    Folders() { FUZZ_CHECK(root.isValid() && QDir().mkpath(read) && QDir().mkpath(written)); }
};

Folders& folders()
{
    static Folders f;
    return f;
}

void writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
}

QString oneLine(QString text)
{
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

QStringList oneLine(const QStringList& list)
{
    QStringList lines;
    for (const QString& text : list)
        lines << oneLine(text);
    return lines;
}

InputLabels defaultLabels()
{
    InputLabels defaults;
    defaults.Black = QStringLiteral("Black");
    for (int k = 1; k <= 7; ++k) {
        defaults.Inputs << QStringLiteral("Input %1").arg(k);
        defaults.Audios << QStringLiteral("Audio %1").arg(k);
    }
    return defaults;
}

void checkConnection(const ConnectionSettings& read, const ConnectionSettings& written)
{
    const ConnectionValues v = read.ReadConnection();
    FUZZ_CHECK(v.RemotePort >= 1 && v.RemotePort <= 65535);
    FUZZ_CHECK(v.LocalPort >= 1 && v.LocalPort <= 65535);
    FUZZ_CHECK(tesso::canonicalIpText(v.RemoteIp) == v.RemoteIp);

    FUZZ_CHECK(written.WriteConnection(v));
    const ConnectionValues back = written.ReadConnection();
    FUZZ_CHECK(back.Port == v.Port && back.RemoteIp == v.RemoteIp && back.RemotePort == v.RemotePort &&
               back.LocalPort == v.LocalPort && back.IpEnable == v.IpEnable);
}

void checkLabels(const ConnectionSettings& read, const ConnectionSettings& written)
{
    const InputLabels defaults = defaultLabels();
    InputLabels labels;
    FUZZ_CHECK(read.ReadLabels(Model, defaults, labels));
    FUZZ_CHECK(labels.Inputs.size() == defaults.Inputs.size() &&
               labels.Audios.size() == defaults.Audios.size());

    FUZZ_CHECK(written.WriteLabels(Model, labels));
    InputLabels back;
    FUZZ_CHECK(written.ReadLabels(Model, defaults, back));
    FUZZ_CHECK(back.Black == oneLine(labels.Black) && back.Inputs == oneLine(labels.Inputs) &&
               back.Audios == oneLine(labels.Audios));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString title(Texts::ApplicationTitle);
    const ConnectionSettings read(folders().read, title);
    const ConnectionSettings written(folders().written, title);
    writeFile(read.ConnectionFileName(), bytes);
    writeFile(read.LabelFileName(Model), bytes);
    checkConnection(read, written);
    checkLabels(read, written);
    return 0;
}
