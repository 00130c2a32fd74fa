#include "unattended/framing_arguments.h"

#include "unattended/print_sheets.h"
#include "workspace/frame_boxes.h"

#include <QRegularExpression>

namespace {

constexpr int kMostJobs = 256;

FramingArguments Wrong(const QString& error)
{
    FramingArguments wrong;
    wrong.kind = FramingArguments::Kind::Wrong;
    wrong.error = error;
    return wrong;
}

std::optional<QSize> SizeOfType(const QString& name)
{
    for (const SizeType& type : SizeTypes()) {
        if (type.name == name && !type.size.isEmpty())
            return type.size;
    }
    return std::nullopt;
}

QStringList SizeTypeNames()
{
    QStringList names;
    for (const SizeType& type : SizeTypes()) {
        if (!type.size.isEmpty())
            names.append(type.name);
    }
    return names;
}

// "list:BOOK[:SHEET[:CELL]]": a book's path may hold a colon only on Windows
// (a drive letter), which is kept with it.
std::optional<ClassListPlace> ReadClassListPlace(const QString& text)
{
    QStringList parts = text.split(u':');
    if (parts.size() >= 2 && parts[0].size() == 1 && parts[0][0].isLetter()) {
        parts[1] = parts[0] + u':' + parts[1];
        parts.removeFirst();
    }
    if (parts.isEmpty() || parts.size() > 3 || parts[0].isEmpty())
        return std::nullopt;
    ClassListPlace place{parts[0], parts.value(1), parts.value(2).toUpper()};
    static const QRegularExpression cell(QStringLiteral("^[A-Z]{1,3}([1-9][0-9]{0,6})?$"));
    if (!place.cell.isEmpty() && !cell.match(place.cell).hasMatch())
        return std::nullopt;
    return place;
}

} // namespace

FramingArguments ReadFramingArguments(const QStringList& arguments, int processors)
{
    FramingArguments result;
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        result.kind = FramingArguments::Kind::Help;
        return result;
    }
    if (arguments.contains(QStringLiteral("--version"))) {
        result.kind = FramingArguments::Kind::Version;
        return result;
    }
    if (!arguments.contains(QStringLiteral("--batch")))
        return result;

    FramingJob& job = result.job;
    job.jobs = std::clamp(processors, 1, kMostJobs);
    QStringList folders;
    bool sizeGiven = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        if (option == QStringLiteral("--batch"))
            continue;
        if (option == QStringLiteral("--resume")) {
            job.resume = true;
            continue;
        }
        if (!option.startsWith(QStringLiteral("--"))) {
            folders.append(option);
            continue;
        }
        if (i + 1 >= arguments.size())
            return Wrong(QStringLiteral("选项 %1 缺少取值。").arg(option));
        const QString value = arguments[++i];
        if (option == QStringLiteral("--size-type")) {
            const std::optional<QSize> size = SizeOfType(value);
            if (!size)
                return Wrong(QStringLiteral("没有名为“%1”的尺寸类型，可用：%2。").arg(value, SizeTypeNames().join(u'、')));
            if (sizeGiven)
                return Wrong(QStringLiteral("--size-type 与 --size 只能给出一个。"));
            sizeGiven = true;
            job.output = *size;
        } else if (option == QStringLiteral("--size")) {
            static const QRegularExpression pattern(QStringLiteral("^([1-9][0-9]{0,4})[xX×]([1-9][0-9]{0,4})$"));
            const QRegularExpressionMatch match = pattern.match(value);
            const QSize size = match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt()) : QSize();
            if (size.isEmpty() || size.width() > kMaxFrameSide || size.height() > kMaxFrameSide)
                return Wrong(QStringLiteral("尺寸“%1”无效，应为 宽x高，如 358x441，每边 1–%2 像素。").arg(value).arg(kMaxFrameSide));
            if (sizeGiven)
                return Wrong(QStringLiteral("--size-type 与 --size 只能给出一个。"));
            sizeGiven = true;
            job.output = size;
        } else if (option == QStringLiteral("--format")) {
            const QString format = value.toLower();
            if (!QStringList{QStringLiteral("jpg"), QStringLiteral("png"), QStringLiteral("bmp"), QStringLiteral("gif")}
                     .contains(format))
                return Wrong(QStringLiteral("格式“%1”无效，可用：jpg、png、bmp、gif。").arg(value));
            job.extension = u'.' + format;
        } else if (option == QStringLiteral("--kb")) {
            bool ok = false;
            const double kb = value.toDouble(&ok);
            if (!ok || !(kb > 0) || kb > 1e6)
                return Wrong(QStringLiteral("文件大小上限“%1”无效，应为大于 0 的 KB 数。").arg(value));
            job.jpegLimitKB = kb;
        } else if (option == QStringLiteral("--jobs")) {
            bool ok = false;
            const int jobs = value.toInt(&ok);
            if (!ok || jobs < 1 || jobs > kMostJobs)
                return Wrong(QStringLiteral("并行数“%1”无效，应为 1–%2。").arg(value).arg(kMostJobs));
            job.jobs = jobs;
        } else if (option == QStringLiteral("--sheet")) {
            if (!SheetPaperNames().contains(value))
                return Wrong(QStringLiteral("排版纸张“%1”无效，可用：%2。").arg(value, SheetPaperNames().join(u'、')));
            job.sheet = value;
        } else if (option == QStringLiteral("--naming")) {
            if (value == QStringLiteral("time")) {
                job.naming = FramingNaming::TimeStamp;
            } else if (value == QStringLiteral("sequence")) {
                job.naming = FramingNaming::Sequence;
            } else if (value == QStringLiteral("source")) {
                job.naming = FramingNaming::SameAsSource;
            } else if (value.startsWith(QStringLiteral("prefix:")) && value.size() > 7) {
                job.naming = FramingNaming::CustomPrefix;
                job.prefix = value.mid(7);
            } else if (const auto place = value.startsWith(QStringLiteral("list:"))
                                              ? ReadClassListPlace(value.mid(5))
                                              : std::nullopt) {
                job.naming = FramingNaming::ClassList;
                result.classList = *place;
            } else {
                return Wrong(QStringLiteral("命名方式“%1”无效，可用：time、sequence、prefix:前缀、source、"
                                            "list:名单.xlsx[:工作表[:起始单元格]]。")
                                 .arg(value));
            }
        } else {
            return Wrong(QStringLiteral("未知选项：%1").arg(option));
        }
    }
    if (folders.size() != 2)
        return Wrong(QStringLiteral("请给出待取景的照片文件夹和保存文件夹：idphoto --batch 照片文件夹 保存文件夹"));
    job.sourceFolder = folders[0];
    job.saveFolder = folders[1];
    result.kind = FramingArguments::Kind::Batch;
    return result;
}

QString FramingHelpText()
{
    return QStringLiteral(
        "用法 / Usage:\n"
        "  idphoto [图片…]                     打开窗口（并打开图片） / open the window (and the pictures)\n"
        "  idphoto --batch 照片文件夹 保存文件夹 [选项…]\n"
        "                                      无人值守批量自动取景，无需显示器 / frame a folder unattended, no display needed\n"
        "\n"
        "选项 / Options:\n"
        "  --size-type 名称      尺寸类型 / size type: %1\n"
        "  --size 宽x高          输出像素，如 358x441 / output pixels, e.g. 358x441\n"
        "  --format jpg|png|bmp|gif   输出格式（默认 jpg） / output format (default jpg)\n"
        "  --kb N                JPEG 文件大小上限，KB（默认 50） / JPEG size limit in KB (default 50)\n"
        "  --naming 方式         time 时间 | sequence 序号 | prefix:前缀 | source 同原文件名（默认） |\n"
        "                        list:名单.xlsx[:工作表[:起始单元格]] 名单逐行\n"
        "                        time | sequence | prefix:TEXT | source (default) | list:BOOK[:SHEET[:CELL]]\n"
        "  --jobs N              同时处理的照片数（默认处理器数） / photos at once (default: processors)\n"
        "  --resume              接着保存文件夹中的记录继续 / go on from the record in the save folder\n"
        "  --sheet 6inch|a4      在每张照片旁写一张排版 / write a print sheet beside each photo\n"
        "  --help                显示本说明 / show this text\n"
        "  --version             显示版本 / show the version\n"
        "\n"
        "退出状态 / Exit status: 0 全部保存 / all saved; 2 有照片未能取景（见保存文件夹中的“未能取景的照片.txt”）/\n"
        "  some could not be framed (listed in the save folder); 1 参数错误或无法保存 / bad arguments or cannot save.\n")
        .arg(SizeTypeNames().join(u'、'));
}
