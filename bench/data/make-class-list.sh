#!/bin/sh
# Makes the large class list the name-list benchmark imports: 5,000 names in
# column A of one sheet, as class_list_5000.xls and class_list_5000.xlsx,
# written by a real spreadsheet program.
#
# Needs LibreOffice (soffice) and python3, e.g.
#   apt-get install -y --no-install-recommends libreoffice-calc-nogui
# It is run by hand once; its outputs are checked in, so building and running
# the benchmarks never needs LibreOffice.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/idphoto-class-list.XXXXXX)
trap 'rm -rf "$work"' EXIT

python3 - "$work/class_list_5000.csv" <<'PY'
import sys
surnames = "王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹彭曾肖田董袁潘于蒋蔡余杜叶程苏魏吕丁任沈姚卢姜崔钟谭陆汪范金石廖贾夏韦付方白邹孟熊秦邱江尹薛闫段雷侯龙史陶黎贺顾毛郝龚邵万钱严覃武戴莫孔向汤"
given = "伟芳娜秀英敏静丽强磊军洋勇艳杰娟涛明超秀兰霞平刚桂英华建国文玉梅红"
with open(sys.argv[1], "w", encoding="utf-8") as f:
    for i in range(5000):
        name = surnames[i % len(surnames)] + given[(i * 7) % len(given)] + given[(i * 13 + 3) % len(given)]
        f.write(name + "\n")
PY

profile="$work/profile"
for format in xls xlsx; do
    soffice --headless --norestore "-env:UserInstallation=file://$profile" \
        --infilter="CSV:44,34,76,1" --convert-to "$format" --outdir "$here" "$work/class_list_5000.csv"
done
