#include "platform/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

double readNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    const qsizetype digitsStart = i;
    while (i < n && text[i] >= u'0' && text[i] <= u'9')
        ++i;
    qsizetype intDigits = i - digitsStart;
    qsizetype fracDigits = 0;
    if (i < n && text[i] == u'.') {
        qsizetype j = i + 1;
        while (j < n && text[j] >= u'0' && text[j] <= u'9')
            ++j;
        fracDigits = j - i - 1;
        if (intDigits > 0 || fracDigits > 0)
            i = j;
    }
    if (intDigits == 0 && fracDigits == 0)
        return 0.0;
    bool ok = false;
    const double value = text.mid(start, i - start).toString().toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

int readWholeNumber(QStringView text)
{
    const double value = std::trunc(readNumber(text));
    if (value >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

QString numberText(double value)
{
    // Negative zero too: a box never shows "-0".
    if (value == 0.0)
        return QStringLiteral("0");
    if (!std::isfinite(value))
        return QString::number(value);
    // The largest double has 309 digits before the point; the smallest
    // denormal needs 324 places after it.
    std::array<char, 400> text;
    const auto written = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    return QString::fromLatin1(text.data(), written.ptr - text.data());
}
