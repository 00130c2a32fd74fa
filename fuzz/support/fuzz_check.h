#pragma once
// What the fuzz targets share: a property that must hold aborts the run with
// its reason (libFuzzer then keeps the input).
#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void fuzzFailed(const char* property, const char* file, int line)
{
    std::fprintf(stderr, "\n==== property violated: %s\n     at %s:%d\n", property, file, line);
    std::fflush(stderr);
    std::abort();
}

#define FUZZ_CHECK(condition)                                 \
    do {                                                      \
        if (!(condition))                                     \
            fuzzFailed(#condition, __FILE__, __LINE__);       \
    } while (false)

// A text for a failure message of a check that compares texts.
inline QByteArray shown(const QString& text)
{
    return text.toUtf8().toPercentEncoding(" =[]");
}
