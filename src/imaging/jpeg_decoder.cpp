#include "imaging/jpeg_decoder.h"

#include "imaging/colour_profile.h"

#include "imaging/exif_orientation.h"
#include "imaging/image_limits.h"
#include "imaging/libjpeg_errors.h"
#include "imaging/picture_memory.h"
#include "imaging/upright_rows.h"

#include <QSysInfo>

#include <jerror.h>
#include <turbojpeg.h>

#include <algorithm>
#include <cstdlib>

namespace {

// The largest n of the library's 1/n factors whose upright picture still
// covers `atLeast` in both directions; 1 when none does.
int reductionFor(QSize full, QSize atLeast)
{
    int count = 0;
    const tjscalingfactor* factors = tjGetScalingFactors(&count);
    int reduction = 1;
    for (int i = 0; factors != nullptr && i < count; ++i) {
        const tjscalingfactor f = factors[i];
        if (f.num == 1 && f.denom > reduction && TJSCALED(full.width(), f) >= atLeast.width() &&
            TJSCALED(full.height(), f) >= atLeast.height())
            reduction = f.denom;
    }
    return reduction;
}

// A progressive file of more scans than any encoder writes is built to take
// forever to decode; it is refused, as TurboJPEG's TJFLAG_LIMITSCANS does.
constexpr int kMaxScans = 500;

void limitScans(j_common_ptr info)
{
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans)
        jumpBack(info);
}

// A photo copied only in part still opens, as far as it goes; but a file
// whose data ends before its first scan has filled half of the picture is
// mostly made-up grey, and is given up as soon as the end shows, before the
// decoder spends its time filling the rest.
void stopAtAnEarlyEnd(j_common_ptr info, int level)
{
    if (level >= 0 || !info->is_decompressor)
        return;
    const auto* d = reinterpret_cast<j_decompress_ptr>(info);
    const int code = info->err->msg_code;
    const bool dataEnds = code == JWRN_JPEG_EOF || (code == JWRN_HIT_MARKER && d->unread_marker == JPEG_EOI);
    if (dataEnds && d->input_scan_number <= 1 && d->input_iMCU_row * 2 < d->total_iMCU_rows)
        jumpBack(info);
}

class Decompressor {
public:
    explicit Decompressor(const QByteArray& jpeg);
    ~Decompressor() { jpeg_destroy_decompress(&info_); } // also safe after a failed creation
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    // Each step is false when libjpeg stopped with an error.
    bool readHeader();
    QSize storedSize() const { return QSize(int(info_.image_width), int(info_.image_height)); }
    // Starts decoding, reduced to 1/reduction in each direction.
    bool start(int reduction);
    QSize outputSize() const { return QSize(int(info_.output_width), int(info_.output_height)); }
    bool readRows(UprightRows& rows);
    // The ICC profile the file embeds (over one or more APP2 segments);
    // empty when there is none or it is damaged.
    QByteArray colourProfile();

private:
    // Runs `step`; an error jumps back here. Nothing in this frame or in the
    // steps has a destructor, so the jump skips none.
    template <class Step>
    bool guarded(Step step)
    {
        if (setjmp(error_.jump))
            return false;
        return step();
    }

    jpeg_decompress_struct info_{};
    LibjpegErrorJump error_{};
    jpeg_progress_mgr progress_{};
    bool created_ = false;
};

Decompressor::Decompressor(const QByteArray& jpeg)
{
    info_.err = installErrorJump(error_);
    error_.manager.emit_message = stopAtAnEarlyEnd;
    created_ = guarded([&] {
        jpeg_create_decompress(&info_);
        return true;
    });
    if (!created_)
        return;
    progress_.progress_monitor = limitScans;
    info_.progress = &progress_;
    jpeg_mem_src(&info_, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                 static_cast<unsigned long>(jpeg.size()));
    // Kept for the colour profile.
    created_ = guarded([&] {
        jpeg_save_markers(&info_, JPEG_APP0 + 2, 0xFFFF);
        return true;
    });
}

QByteArray Decompressor::colourProfile()
{
    JOCTET* data = nullptr;
    unsigned int length = 0;
    if (!guarded([&] { return jpeg_read_icc_profile(&info_, &data, &length) == TRUE; }))
        return {};
    QByteArray profile(reinterpret_cast<const char*>(data), qsizetype(length));
    std::free(data);
    return profile;
}

bool Decompressor::readHeader()
{
    return created_ && guarded([&] { return jpeg_read_header(&info_, TRUE) == JPEG_HEADER_OK; });
}

bool Decompressor::start(int reduction)
{
    info_.scale_num = 1;
    info_.scale_denom = static_cast<unsigned int>(reduction);
    // RGB32's byte order in memory.
    info_.out_color_space = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    return guarded([&] { return jpeg_start_decompress(&info_) == TRUE; });
}

bool Decompressor::readRows(UprightRows& rows)
{
    return guarded([&] {
        uchar* lines[UprightRows::kRowsAtOnce];
        while (info_.output_scanline < info_.output_height) {
            const int y = int(info_.output_scanline);
            const int count = std::min(UprightRows::kRowsAtOnce, int(info_.output_height) - y);
            rows.rowsFor(y, count, lines);
            for (int got = 0; got < count;) {
                // A memory source never waits for data, so no rows means no progress.
                const JDIMENSION read = jpeg_read_scanlines(&info_, lines + got, JDIMENSION(count - got));
                if (read == 0)
                    return false;
                got += int(read);
            }
            rows.place(y, count);
        }
        return true;
    });
}

} // namespace

DecodedPicture decodeJpeg(const QByteArray& jpeg, std::optional<QSize> atLeast)
{
    Decompressor decompressor(jpeg);
    if (!decompressor.readHeader() || !pictureSizeAllowed(decompressor.storedSize()) ||
        !jpegDataCanFill(decompressor.storedSize(), jpeg.size()))
        return {};
    const int orientation = exifOrientation(jpeg);
    const QSize full = uprightSize(decompressor.storedSize(), orientation);
    const int reduction = atLeast ? reductionFor(full, *atLeast) : 1;
    if (!decompressor.start(reduction))
        return {};
    QImage picture = newRgb32Picture(uprightSize(decompressor.outputSize(), orientation));
    if (picture.isNull())
        return {};
    UprightRows rows(picture, orientation);
    if (!decompressor.readRows(rows))
        return {};
    ConvertToSrgb(picture, ColourSpaceOfProfile(decompressor.colourProfile()));
    return {picture, full, reduction, std::nullopt};
}
