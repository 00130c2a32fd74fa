#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets into fuzz/corpus/<target>/.

Pictures are made by ImageMagick (`convert`) from pixels given here, the EXIF
orientation is set here; the spreadsheets are copies of the test fixtures.
Run it again after changing a seed; its outputs are checked in.
"""
import pathlib
import shutil
import struct
import subprocess
import zipfile

HERE = pathlib.Path(__file__).resolve().parent
CORPUS = HERE / "corpus"
FIXTURES = HERE.parent / "tests" / "fixtures" / "spreadsheets"


def write(target, name, data):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)


def convert(source, *options):
    return subprocess.run(["convert", source[0] + ":-", *options], input=source[1],
                          stdout=subprocess.PIPE, check=True).stdout


def rgb(width, height):
    """A PPM whose pixels all differ, so a pixel in the wrong place shows."""
    pixels = bytes((x * 53 + y * 17) % 256 if c == 0 else (x * 11 + y * 71) % 256 if c == 1 else (x + y) * 29 % 256
                   for y in range(height) for x in range(width) for c in range(3))
    return ("ppm", b"P6\n%d %d\n255\n" % (width, height) + pixels)


def rgba(width, height):
    """A PAM with transparent, half-transparent and opaque pixels."""
    alphas = (0, 128, 255)
    pixels = bytes(v for y in range(height) for x in range(width)
                   for v in ((x * 80) % 256, (y * 90) % 256, 200, alphas[(x + y) % 3]))
    header = b"P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n" % (width, height)
    return ("pam", header + pixels)


def with_orientation(jpeg, orientation):
    """The JPEG with an EXIF segment (big-endian TIFF, one IFD entry) after its SOI."""
    tiff = b"MM\x00\x2a" + struct.pack(">I", 8) + struct.pack(">H", 1)
    tiff += struct.pack(">HHIHH", 0x0112, 3, 1, orientation, 0) + struct.pack(">I", 0)
    body = b"Exif\x00\x00" + tiff
    return jpeg[:2] + b"\xff\xe1" + struct.pack(">H", len(body) + 2) + body + jpeg[2:]


def at_least(width, height):
    return struct.pack("<HH", width, height)


def image_seeds():
    jpeg = lambda source, *options: convert(source, "-strip", "-quality", "85", *options, "jpg:-")
    seeds = {
        "jpeg-1x1-o1": (at_least(0, 0), with_orientation(jpeg(rgb(1, 1)), 1)),
        "jpeg-3x2-o1": (at_least(1, 1), with_orientation(jpeg(rgb(3, 2)), 1)),
        "jpeg-3x2-o6": (at_least(2, 1), with_orientation(jpeg(rgb(3, 2)), 6)),
        "jpeg-3x2-o8": (at_least(1, 2), with_orientation(jpeg(rgb(3, 2)), 8)),
        "jpeg-37x35-o2-gray": (at_least(5, 5), with_orientation(jpeg(rgb(37, 35), "-colorspace", "Gray"), 2)),
        "jpeg-37x35-o5": (at_least(9, 9), with_orientation(jpeg(rgb(37, 35), "-sampling-factor", "2x2"), 5)),
        "jpeg-37x35-o7-progressive": (at_least(4, 30), with_orientation(jpeg(rgb(37, 35), "-interlace", "Plane"), 7)),
        "png-3x2-alpha": (at_least(0, 0), convert(rgba(3, 2), "png:-")),
        "gif-3x2-transparent": (at_least(0, 0), convert(rgba(3, 2), "gif:-")),
        "bmp-3x2": (at_least(0, 0), convert(rgb(3, 2), "bmp3:-")),
        "bmp-3x2-alpha": (at_least(0, 0), convert(rgba(3, 2), "bmp:-")),
    }
    for name, (prefix, data) in seeds.items():
        write("image_decoder", name, prefix + data)


def gb18030(text):
    return text.replace("\n", "\r\n").encode("gb18030")


def writes(*triples):
    return b"\xff\xff" + b"\x1e".join(b"\x1f".join(t.encode() for t in triple) for triple in triples)


def ini_seeds():
    settings = gb18030("[保存设置]\n保存格式=jpg\n文件大小=30\n\n[ 尺寸 ]\n宽度 = 35\n高度=45\n")
    write("ini_file", "settings", settings)
    write("ini_file", "settings-writes", settings + writes(("保存设置", "保存格式", "png"), ("尺寸", "宽度", " 33 "),
                                                          ("新", "键", "值"), ("尺寸", "多\n行", "x\r\n[y]")))
    write("ini_file", "repeated-names", gb18030("前言=1\n[A]\nk=1\n[a]\nK=2\n[A]\nk=3\n\n\n[b]\n=empty key\n")
          + writes(("a", "k", "4"), ("B", "", "5"), ("ſ", "K", "6")))
    write("ini_file", "utf8-bom", b"\xef\xbb\xbf" + "[设置]\r\n名字=张三\r\n".encode())
    write("ini_file", "utf16-bom", b"\xff\xfe" + "[设置]\r\n名字=张三\r\n".encode("utf-16-le"))


def number_seeds():
    for i, text in enumerate(["500", "12.5", "-3", "  +0.25mm", ".5", "1e5", "0.000125", "2147483648",
                              "-99999999999999999999", "３５", "\t7.", "-.", "1.2.3"]):
        write("number_text", "text-%02d" % i, text.encode())


def task_seeds():
    write("task_file", "task", gb18030("[批截位置]\n批截位置=2\n[最大位置]\n最大位置=4\n"
                                       "[1]\n操作记录=已截图\n图片名=a.jpg\n[2]\n操作记录=未截图\n图片名=B.PNG\n"
                                       "[3]\n操作记录=未截图\n图片名=../outside.jpg\n[4]\n操作记录=已丢失\n图片名=gone.jpg\n"))
    write("task_file", "hand-edited", gb18030("[批截位置]\n批截位置= 2147483647\n[最大位置]\n最大位置=-5\n"
                                              "[ 1 ]\n图片名=张 三.gif\n[01]\n图片名=a.jpg\n[1]\n图片名=x\n"))
    write("task_file", "utf8-bom", b"\xef\xbb\xbf" + "[批截位置]\r\n批截位置=1\r\n[最大位置]\r\n最大位置=1\r\n"
                                                    "[1]\r\n图片名=a.jpg\r\n".encode())


def xlsx_parts():
    return b"""@@ xl/workbook.xml
<workbook xmlns:r="r"><sheets><sheet name="\xe4\xb8\x80\xe7\x8f\xad" r:id="rId1"/><sheet name="b" r:id="rId2"/></sheets></workbook>
@@ xl/_rels/workbook.xml.rels
<Relationships><Relationship Id="rId1" Type="x/worksheet" Target="worksheets/sheet1.xml"/><Relationship Id="rId2" Type="x/worksheet" Target="/xl/worksheets/sheet2.xml"/><Relationship Id="rId3" Type="x/sharedStrings" Target="sharedStrings.xml"/></Relationships>
@@ xl/sharedStrings.xml
<sst><si><t>\xe5\xa7\x93\xe5\x90\x8d</t></si><si><r><t>\xe5\xbc\xa0</t></r><r><t xml:space="preserve"> \xe4\xb8\x89_x0009_</t></r></si></sst>
@@ xl/worksheets/sheet1.xml
<worksheet><sheetData><row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="str"><v>f</v></c></row><row><c t="s"><v>1</v></c><c t="inlineStr"><is><t>\xe6\x9d\x8e\xe5\x9b\x9b</t></is></c></row><row r="9"><c r="A9" t="n"><v>3</v></c></row></sheetData></worksheet>
@@ xl/worksheets/sheet2.xml
<worksheet><sheetData><row r="1"><c r="XFD1" t="inlineStr"><is><t>far</t></is></c></row></sheetData></worksheet>
"""


def spreadsheet_seeds():
    for target, name in (("xls_book", "class_lists.xls"), ("xlsx_book", "class_lists.xlsx")):
        (CORPUS / target).mkdir(parents=True, exist_ok=True)
        shutil.copyfile(FIXTURES / name, CORPUS / target / name)
    parts = xlsx_parts()
    write("xlsx_book", "parts", parts)
    # The same parts as a zip of their own, for the zip reader.
    path = CORPUS / "xlsx_book" / "small.xlsx"
    with zipfile.ZipFile(path, "w", zipfile.ZIP_STORED) as package:
        for chunk in parts.split(b"@@ ")[1:]:
            name, _, data = chunk.partition(b"\n")
            package.writestr(zipfile.ZipInfo(name.decode(), (2024, 1, 1, 0, 0, 0)), data.rstrip(b"\n"))


if __name__ == "__main__":
    if CORPUS.exists():
        shutil.rmtree(CORPUS)
    image_seeds()
    ini_seeds()
    number_seeds()
    task_seeds()
    spreadsheet_seeds()
