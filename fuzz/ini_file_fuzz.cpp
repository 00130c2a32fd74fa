// Ini files as the program keeps its settings and the batch task: the bytes
// of a file decoded, then writes one at a time and all at once.
//
// The input is the file's bytes, then optionally the marker FF FF and the
// writes: each a section, a key and a value (UTF-8) parted by 1F, the writes
// parted by 1E. An input without the marker gets a few fixed writes.
#include "support/fuzz_check.h"
#include "support/fuzz_files.h"
#include "support/lone_surrogates.h"

#include "platform/ini_file.h"
#include "platform/text_encoding.h"

#include <QList>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

constexpr qsizetype kMaxWrites = 64;
// Bounds on the checks, so that each input stays quick.
constexpr qsizetype kMaxSectionsCompared = 100;
constexpr qsizetype kMaxProbes = 4;
constexpr qsizetype kMaxWritesProbed = 8;

struct Input {
    QByteArray fileBytes;
    QList<IniWrite> writes;
};

Input readInput(const QByteArray& bytes)
{
    const qsizetype marker = bytes.indexOf("\xFF\xFF");
    if (marker < 0) {
        return {bytes,
                {{QStringLiteral("批截位置"), QStringLiteral("批截位置"), QStringLiteral("3")},
                 {QStringLiteral(" Section "), QStringLiteral("KEY"), QStringLiteral(" 值 ")},
                 {QStringLiteral("section"), QStringLiteral("key"), QStringLiteral("again")}}};
    }
    Input input{bytes.left(marker), {}};
    for (const QByteArray& write : bytes.mid(marker + 2).split('\x1E')) {
        if (input.writes.size() == kMaxWrites)
            break;
        const QList<QByteArray> texts = write.split('\x1F');
        const auto text = [&texts](qsizetype i) { return i < texts.size() ? QString::fromUtf8(texts[i]) : QString(); };
        input.writes.append({text(0), text(1), text(2)});
    }
    return input;
}

bool sameName(const QString& a, const QString& b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

bool hasBreak(const QString& text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

// A write whose section and key can be named in a file and whose value fits
// on one line, so that what it writes reads back as it was written.
bool readsBack(const IniWrite& write)
{
    return !hasBreak(write.section) && !hasBreak(write.key) && !hasBreak(write.value) &&
           !write.section.contains(QLatin1Char(']')) && !write.key.contains(QLatin1Char('=')) &&
           !write.key.trimmed().startsWith(QLatin1Char('['));
}

// The many-reads function agrees with the one-at-a-time read, and names each
// section once.
void checkSectionValues(const QString& content, const QList<QString>& keys)
{
    for (const QString& key : keys) {
        const QList<IniSectionValue> values = iniSectionValues(content, key);
        const qsizetype compared = std::min(values.size(), kMaxSectionsCompared);
        for (qsizetype i = 0; i < compared; ++i) {
            FUZZ_CHECK(iniValue(content, values[i].section, key) == values[i].value);
            for (qsizetype j = 0; j < i; ++j)
                FUZZ_CHECK(!sameName(values[i].section, values[j].section));
        }
    }
}

// A write leaves every other section's value of each probed key as it was.
void checkOthersKept(const QString& before, const QString& after, const IniWrite& write,
                     const QList<QString>& probes)
{
    for (const QString& probe : probes) {
        const bool sameKey = sameName(probe, write.key);
        const QList<IniSectionValue> values = iniSectionValues(before, probe);
        for (qsizetype i = 0; i < std::min(values.size(), kMaxSectionsCompared); ++i) {
            if (sameKey && sameName(values[i].section, write.section))
                continue;
            FUZZ_CHECK(iniValue(after, values[i].section, probe) == values[i].value);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Input input = readInput(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QString content = decodeTextFile(input.fileBytes);

    // The file as the file-level reads see it.
    const QString path = writeFuzzFile(QStringLiteral("set.dll"), input.fileBytes);
    FUZZ_CHECK(readIniText(path) == content);

    // The keys whose other values each write must leave alone.
    QList<QString> probes;
    for (const IniWrite& write : input.writes) {
        if (probes.size() < kMaxProbes && !probes.contains(write.key))
            probes.append(write.key);
    }
    checkSectionValues(content, probes);

    QString text = content;
    for (qsizetype i = 0; i < input.writes.size(); ++i) {
        const IniWrite& write = input.writes[i];
        const QString next = iniWithValue(text, write.section, write.key, write.value);
        if (readsBack(write)) {
            FUZZ_CHECK(iniValue(next, write.section, write.key) == write.value.trimmed());
            if (i < kMaxWritesProbed)
                checkOthersKept(text, next, write, probes);
        }
        text = next;
    }
    checkSectionValues(text, probes);
    // All at once leaves what one at a time left.
    FUZZ_CHECK(iniWithValues(content, input.writes) == (input.writes.isEmpty() ? content : text));

    // And so does the file, read back, when its text can be written as GB18030.
    if (!input.writes.isEmpty() && writeIniValues(path, input.writes) && !hasLoneSurrogate(text)) {
        const QString readBack = readIniText(path);
        if (readBack != text)
            std::fprintf(stderr, "written:   %s\nread back: %s\n", shown(text).constData(), shown(readBack).constData());
        FUZZ_CHECK(readBack == text);
    }
    return 0;
}
