#pragma once
// A text with half of a UTF-16 pair cannot be written as GB18030, so such a
// text read from a UTF-16 file comes back changed once the file is rewritten.
#include <QString>

inline bool hasLoneSurrogate(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return true;
    }
    return false;
}
