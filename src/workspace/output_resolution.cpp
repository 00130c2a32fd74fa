#include "workspace/output_resolution.h"

int OutputDotsPerInch(const QString& sizeTypeName)
{
    return sizeTypeName == QStringLiteral("学籍/身份证") ? 350 : 300;
}
