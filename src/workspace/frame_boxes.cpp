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
        {QStringLiteral("学籍/身份证"), {358, 441}}, {QStringLiteral("小1寸"), {260, 390}},
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
    const double n = readNumber(TrimBlanks(text)) + step;
    return n < 1 ? QStringLiteral("500") : numberText(n);
}
