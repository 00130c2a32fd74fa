#include "state/naming_schemes.h"

const QStringList& batchNamingSchemes()
{
    static const QStringList schemes = {
        QStringLiteral("与原图片文件名同名"),
        QStringLiteral("根据截图时刻命名  如：2022-1-10 11-45-23"),
        QStringLiteral("根据截图先后用序号命名  如： 0001   0002 "),
        QStringLiteral("自定义：如XXX 输出名称为XXX0001  XXX0002"),
        QStringLiteral("每次截图后都弹出命名框"),
        QStringLiteral("导入EXCEL，按选中单元格内文字命名"),
    };
    return schemes;
}

const QStringList& fastNamingSchemes()
{
    static const QStringList schemes = {
        QStringLiteral("根据拍照时间命名  如：2022-1-10 11-45-23"),
        QStringLiteral("根据拍照先后用序号命名  如： 0001   0002"),
        QStringLiteral("自定义：如XXX 输出名称为XXX0001  XXX0002"),
        QStringLiteral("每次拍照后都弹出命名框"),
        QStringLiteral("导入EXCEL，按选中单元格内文字命名"),
    };
    return schemes;
}

QString schemeAt(const QStringList& schemes, int index)
{
    if (index < 0 || index >= schemes.size())
        return schemes.constFirst();
    return schemes[index];
}
