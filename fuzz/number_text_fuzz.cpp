// Numbers typed into boxes and kept in settings files: readNumber and
// readWholeNumber on any text, and numberText read back.
//
// The input is read as a text twice (as UTF-8 and as UTF-16), and its first
// bytes also give a double and an int to write and read back.
#include "support/fuzz_check.h"

#include "platform/number_text.h"

#include <climits>
#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// What the start of a text reads as, found apart from readNumber: the blanks,
// sign, digits and fraction it takes, converted by the C library.
double numberAtStart(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    std::string taken;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        taken += char(text[i++].unicode());
    bool anyDigit = false;
    for (; i < text.size() && isDigit(text[i]); ++i, anyDigit = true)
        taken += char(text[i].unicode());
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        taken += '.';
        for (++i; i < text.size() && isDigit(text[i]); ++i, anyDigit = true)
            taken += char(text[i].unicode());
    }
    if (!anyDigit)
        return 0.0;
    const double value = std::strtod(taken.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

int wholeOf(double value)
{
    const double whole = std::trunc(value);
    if (whole >= double(INT_MAX))
        return INT_MAX;
    if (whole <= double(INT_MIN))
        return INT_MIN;
    return int(whole);
}

void checkRead(const QString& text)
{
    const double value = readNumber(text);
    FUZZ_CHECK(std::isfinite(value));
    FUZZ_CHECK(value == numberAtStart(text));
    // Leading blanks are skipped, and whatever follows the number is ignored.
    FUZZ_CHECK(readNumber(QStringLiteral(" \t ") + text) == value);
    FUZZ_CHECK(readNumber(text + QStringLiteral("x1")) == value);
    FUZZ_CHECK(readWholeNumber(text) == wholeOf(value));
}

void checkWrittenAndRead(double value)
{
    if (!std::isfinite(value))
        return;
    const QString text = numberText(value);
    if (readNumber(text) != value)
        std::fprintf(stderr, "numberText(%.17g) = \"%s\", read back as %.17g\n", value, shown(text).constData(),
                     readNumber(text));
    FUZZ_CHECK(readNumber(text) == value);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::setlocale(LC_NUMERIC, "C"); // strtod reads a "." as the point
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString utf8 = QString::fromUtf8(bytes);
    const QString utf16(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / qsizetype(sizeof(QChar)));
    checkRead(utf8);
    checkRead(utf16);

    // A number typed into a box, written to a settings file and read again.
    checkWrittenAndRead(readNumber(utf8));
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        checkWrittenAndRead(value);
    }
    if (size >= sizeof(int)) {
        int whole = 0;
        std::memcpy(&whole, data, sizeof whole);
        FUZZ_CHECK(readWholeNumber(numberText(whole)) == whole);
    }
    return 0;
}
