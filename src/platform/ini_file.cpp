#include "platform/ini_file.h"

#include "platform/atomic_file.h"
#include "platform/text_encoding.h"

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

// A settings file is a few hundred bytes; anything beyond this is not one and
// reads as empty rather than being loaded whole (and is never written over).
constexpr qint64 kMaxIniBytes = 4 * 1024 * 1024;

QStringList splitLines(const QString& content)
{
    QString normalised = content;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = normalised.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The section name of a header line "[name]", or nothing for other lines.
std::optional<QString> sectionOf(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    if (close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

// The key of a "key=value" line, or nothing for other lines.
std::optional<QString> keyOf(const QString& line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return std::nullopt;
    return line.left(eq).trimmed();
}

bool sameName(const QString& a, const QString& b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

struct KeyPlace {
    qsizetype sectionLine = -1; // header line of the section, -1 when absent
    qsizetype lastLine = -1;    // last non-blank line of the section
    qsizetype keyLine = -1;     // the key's line, -1 when absent
};

KeyPlace findKey(const QStringList& lines, const QString& section, const QString& key)
{
    KeyPlace place;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const auto name = sectionOf(lines[i])) {
            if (place.sectionLine >= 0)
                break; // the first section of that name is the one used
            inSection = sameName(*name, section);
            if (inSection)
                place.sectionLine = place.lastLine = i;
            continue;
        }
        if (!inSection)
            continue;
        if (!lines[i].trimmed().isEmpty())
            place.lastLine = i;
        const auto name = keyOf(lines[i]);
        if (name && place.keyLine < 0 && sameName(*name, key))
            place.keyLine = i;
    }
    return place;
}

} // namespace

QString iniValue(const QString& content, const QString& section, const QString& key)
{
    const QStringList lines = splitLines(content);
    const KeyPlace place = findKey(lines, section, key);
    if (place.keyLine < 0)
        return {};
    const QString& line = lines[place.keyLine];
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

QString iniWithValue(const QString& content, const QString& section, const QString& key,
                     const QString& value)
{
    QStringList lines = splitLines(content);
    const KeyPlace place = findKey(lines, section, key);
    const QString entry = key.trimmed() + QLatin1Char('=') + value;
    if (place.keyLine >= 0) {
        lines[place.keyLine] = entry;
    } else if (place.sectionLine >= 0) {
        lines.insert(place.lastLine + 1, entry);
    } else {
        lines.append(QLatin1Char('[') + section.trimmed() + QLatin1Char(']'));
        lines.append(entry);
    }
    return lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
}

namespace {

// The decoded content of a file; nothing when the file is there but could not
// be read whole.
std::optional<QString> wholeIniContent(const QString& path)
{
    const SmallFileRead read = readWholeSmallFile(path, kMaxIniBytes);
    if (read.outcome == SmallFileRead::Outcome::NotWhole)
        return std::nullopt;
    return decodeTextFile(read.bytes);
}

std::vector<const KeptIniFileListener*>& keptIniFileListeners()
{
    static std::vector<const KeptIniFileListener*> listeners;
    return listeners;
}

// A listener may show a message, and while it is shown others may come and go.
void tellKeptIniFileListeners(const QString& path)
{
    const std::vector<const KeptIniFileListener*> listening = keptIniFileListeners();
    for (const KeptIniFileListener* listener : listening) {
        const auto& now = keptIniFileListeners();
        if (std::find(now.begin(), now.end(), listener) != now.end())
            listener->hear(path);
    }
}

// Writes the content `update` makes of the file's content. A file that is
// there but could not be read whole is left as it is: what could not be read
// would be lost with it.
template <typename Update>
bool updateIniFile(const QString& path, const Update& update)
{
    const std::optional<QString> content = wholeIniContent(path);
    if (!content) {
        tellKeptIniFileListeners(path);
        return false;
    }
    return writeFileAtomically(path, encodeGb18030(update(*content)));
}

} // namespace

static QString readIniContent(const QString& path)
{
    return wholeIniContent(path).value_or(QString());
}

QString readIniValue(const QString& path, const QString& section, const QString& key)
{
    return iniValue(readIniContent(path), section, key);
}

bool writeIniValue(const QString& path, const QString& section, const QString& key,
                   const QString& value)
{
    return updateIniFile(path, [&](const QString& content) { return iniWithValue(content, section, key, value); });
}

bool iniFileIsKept(const QString& path)
{
    return !wholeIniContent(path).has_value();
}

KeptIniFileListener::KeptIniFileListener(std::function<void(const QString& path)> hear) : hear_(std::move(hear))
{
    keptIniFileListeners().push_back(this);
}

KeptIniFileListener::~KeptIniFileListener()
{
    std::erase(keptIniFileListeners(), this);
}

namespace {

// A name as the case-insensitive comparison sees it: blanks trimmed and each
// code point case-folded, so equal names give equal texts to index by.
QString foldedName(const QString& name)
{
    const auto alreadyFolded = [&name] {
        if (!name.isEmpty() && (name.front().isSpace() || name.back().isSpace()))
            return false;
        return std::all_of(name.cbegin(), name.cend(), [](QChar c) {
            return !c.isSurrogate() && QChar::toCaseFolded(char32_t(c.unicode())) == c.unicode();
        });
    };
    if (alreadyFolded())
        return name;
    const QString trimmed = name.trimmed();
    QString folded;
    folded.reserve(trimmed.size());
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        char32_t c = trimmed[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < trimmed.size() && trimmed[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(trimmed[i], trimmed[i + 1]);
            ++i;
        }
        const char32_t f = QChar::toCaseFolded(c);
        if (QChar::requiresSurrogates(f)) {
            folded.append(QChar(QChar::highSurrogate(f)));
            folded.append(QChar(QChar::lowSurrogate(f)));
        } else {
            folded.append(QChar(char16_t(f)));
        }
    }
    return folded;
}

// A folded section name (scope kSectionNames) or a folded key of a section
// (scope: the section's place in the file).
struct NameKey {
    qsizetype scope;
    QString folded;
    bool operator==(const NameKey&) const = default;
};
constexpr qsizetype kSectionNames = -1;

// std::hash rather than qHash: the seeded qHash of short texts measured over
// ten times slower on the machines this is built on.
struct NameKeyHash {
    size_t operator()(const NameKey& name) const noexcept
    {
        const std::u16string_view text(reinterpret_cast<const char16_t*>(name.folded.utf16()),
                                       size_t(name.folded.size()));
        return std::hash<std::u16string_view>{}(text) ^ (size_t(name.scope) * 0x9E3779B97F4A7C15ull);
    }
};

// Where the first section of each name and the first line of each key are.
using NameIndex = std::unordered_map<NameKey, qsizetype, NameKeyHash>;

struct IndexedSection {
    QString header;
    QString name;
    QStringList body;       // the lines after the header up to its last non-blank one
    QStringList blankTail;  // the blank lines after that, where new keys do not go
};

struct IndexedIni {
    QStringList preamble;  // the lines before the first section
    std::vector<IndexedSection> sections;
    NameIndex names;
};

// The first place stored under a name wins, as the first section or key of a
// name is the one reads and writes use.
void indexFirst(NameIndex& names, qsizetype scope, const QString& name, qsizetype place)
{
    names.try_emplace(NameKey{scope, foldedName(name)}, place);
}

std::optional<qsizetype> placeOf(const NameIndex& names, qsizetype scope, const QString& name)
{
    const auto found = names.find(NameKey{scope, foldedName(name)});
    if (found == names.end())
        return std::nullopt;
    return found->second;
}

void addBodyLine(IndexedIni& ini, qsizetype sectionPlace, const QString& line)
{
    IndexedSection& section = ini.sections[size_t(sectionPlace)];
    if (const auto key = keyOf(line))
        indexFirst(ini.names, sectionPlace, *key, section.body.size());
    section.body.append(line);
}

qsizetype addSection(IndexedIni& ini, const QString& header)
{
    const auto place = qsizetype(ini.sections.size());
    IndexedSection section;
    section.header = header;
    section.name = sectionOf(header).value_or(QString());
    indexFirst(ini.names, kSectionNames, section.name, place);
    ini.sections.push_back(std::move(section));
    return place;
}

IndexedIni indexIni(const QString& content)
{
    IndexedIni ini;
    for (const QString& line : splitLines(content)) {
        if (sectionOf(line)) {
            addSection(ini, line);
        } else if (ini.sections.empty()) {
            ini.preamble.append(line);
        } else if (line.trimmed().isEmpty()) {
            ini.sections.back().blankTail.append(line);
        } else {
            IndexedSection& section = ini.sections.back();
            section.body.append(section.blankTail);
            section.blankTail.clear();
            addBodyLine(ini, qsizetype(ini.sections.size()) - 1, line);
        }
    }
    return ini;
}

QString iniText(const IndexedIni& ini)
{
    QString text;
    const auto put = [&text](const QString& line) {
        text += line;
        text += QLatin1String("\r\n");
    };
    for (const QString& line : ini.preamble)
        put(line);
    for (const IndexedSection& section : ini.sections) {
        put(section.header);
        for (const QString& line : section.body)
            put(line);
        for (const QString& line : section.blankTail)
            put(line);
    }
    return text;
}

// A write whose texts hold a line break, or whose line reads as a section
// header, changes how the lines after it are split into sections and keys.
bool reshapesLines(const IniWrite& write, const QString& entry)
{
    const auto hasBreak = [](const QString& text) {
        return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
    };
    return hasBreak(write.section) || hasBreak(write.key) || hasBreak(write.value) || sectionOf(entry).has_value();
}

// iniWithValue on the index: the same places for the same line.
void applyWrite(IndexedIni& ini, const IniWrite& write, const QString& entry)
{
    const auto section = placeOf(ini.names, kSectionNames, write.section);
    if (!section) {
        addBodyLine(ini, addSection(ini, QLatin1Char('[') + write.section.trimmed() + QLatin1Char(']')), entry);
        return;
    }
    if (const auto line = placeOf(ini.names, *section, write.key))
        ini.sections[size_t(*section)].body[*line] = entry;
    else
        addBodyLine(ini, *section, entry);
}

} // namespace

QString iniWithValues(const QString& content, const QList<IniWrite>& writes)
{
    if (writes.isEmpty())
        return content;
    IndexedIni ini = indexIni(content);
    ini.names.reserve(ini.names.size() + size_t(writes.size()));
    // The text a write that reshapes lines leaves, until a later write needs
    // the index again: such a text keeps its breaks as iniWithValue leaves them.
    std::optional<QString> reshaped;
    for (const IniWrite& write : writes) {
        const QString entry = write.key.trimmed() + QLatin1Char('=') + write.value;
        if (reshapesLines(write, entry)) {
            reshaped = iniWithValue(reshaped ? *reshaped : iniText(ini), write.section, write.key, write.value);
            continue;
        }
        if (reshaped) {
            ini = indexIni(*reshaped);
            reshaped.reset();
        }
        applyWrite(ini, write, entry);
    }
    return reshaped ? *reshaped : iniText(ini);
}

QList<IniSectionValue> iniSectionValues(const QString& content, const QString& key)
{
    const IndexedIni ini = indexIni(content);
    QList<IniSectionValue> values;
    for (qsizetype i = 0; i < qsizetype(ini.sections.size()); ++i) {
        const IndexedSection& section = ini.sections[size_t(i)];
        if (placeOf(ini.names, kSectionNames, section.name) != i)
            continue;
        QString value;
        if (const auto line = placeOf(ini.names, i, key)) {
            const QString& text = section.body[*line];
            value = text.mid(text.indexOf(QLatin1Char('=')) + 1).trimmed();
        }
        values.append({section.name, value});
    }
    return values;
}

QString readIniText(const QString& path)
{
    return readIniContent(path);
}

bool writeIniValues(const QString& path, const QList<IniWrite>& writes)
{
    return updateIniFile(path, [&](const QString& content) { return iniWithValues(content, writes); });
}
