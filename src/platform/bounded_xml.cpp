#include "platform/bounded_xml.h"

namespace {

constexpr int kMaxAttributes = 64;

// Markup that runs to its own end whatever it holds.
struct OpaqueMarkup {
    QByteArrayView open;
    QByteArrayView close;
};
constexpr OpaqueMarkup kOpaqueMarkup[] = {{"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}};

// Where the tag starting at `at` ends (its ">", or the "<" of malformed
// markup after it); -1 when it has too many attributes.
qsizetype tagEnd(QByteArrayView bytes, qsizetype at)
{
    int attributes = 0;
    char quote = 0;
    for (qsizetype i = at + 1; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '=' && ++attributes > kMaxAttributes) {
            return -1;
        } else if (c == '>' || c == '<') {
            return i;
        }
    }
    return bytes.size();
}

} // namespace

bool markupWithinBounds(QByteArrayView bytes)
{
    if (bytes.contains('\0'))
        return false;
    for (qsizetype at = bytes.indexOf('<'); at >= 0;) {
        const QByteArrayView markup = bytes.sliced(at);
        const auto opaque = std::find_if(std::begin(kOpaqueMarkup), std::end(kOpaqueMarkup),
                                         [&](const OpaqueMarkup& m) { return markup.startsWith(m.open); });
        qsizetype next = 0;
        if (opaque != std::end(kOpaqueMarkup)) {
            const qsizetype close = bytes.indexOf(opaque->close, at + opaque->open.size());
            if (close < 0)
                return false;
            next = close + opaque->close.size();
        } else if (markup.startsWith("<!")) {
            return false; // a DOCTYPE, or markup no XML has here
        } else {
            next = tagEnd(bytes, at);
            if (next < 0)
                return false;
        }
        at = bytes.indexOf('<', next);
    }
    return true;
}
