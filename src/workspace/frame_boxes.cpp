#include "workspace/frame_boxes.h"

#include "platform/blank_text.h"
#include "platform/number_text.h"

#include <QList>

#include <algorithm>

namespace {
constexpr double kMaxJpegLimitKB = 1e9;
}

int FrameSideFromText(const QString& text)
{
    return std::clamp(readWholeNumber(text), 1, kMaxFrameSide);
}

const QList<SizeType>& SizeTypes()
{
    static const QList<SizeType> types = {
        {QStringLiteral("默认"), {160, 210}},       {QStringLiteral("自定义"), {}},
        {QStringLiteral("学籍/身份证"), kResidentIdSize}, {QStringLiteral("小1寸"), {260, 390}},
        {QStringLiteral("1寸照"), {295, 413}},      {QStringLiteral("小2寸普通"), {413, 531}},
        {QStringLiteral("小2寸护照"), {390, 567}},  {QStringLiteral("2寸照"), {413, 626}},
    };
    return types;
}

JpegLimitText NormaliseJpegLimit(const QString& text)
{
    const double v = std::min(readNumber(TrimBlanks(text)), kMaxJpegLimitKB);
    if (v > 1e-7)
        return {v, numberText(v)};
    return {50.0, QStringLiteral("50")};
}

QString SpinJpegLimit(const QString& text, int step)
{
    const QString typed = TrimBlanks(text);
    const double n = readNumber(typed) + step;
    if (n < 1)
        return QStringLiteral("500");
    // As many decimals as were typed: 4.35 less 1 is 3.35, not the
    // 3.3499999999999996 that the sum of the two doubles is.
    const qsizetype point = typed.indexOf(QLatin1Char('.'));
    int decimals = 0;
    while (point >= 0 && point + 1 + decimals < typed.size() && typed[point + 1 + decimals].isDigit() && decimals < 15)
        ++decimals;
    return numberText(readNumber(QString::number(n, 'f', decimals)));
}
