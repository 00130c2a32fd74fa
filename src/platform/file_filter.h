#pragma once
#include <QString>

// Turns a file-type filter written as "描述|*.a;*.b|描述2|*.c" (the form the
// program's texts use) into Qt's "描述 (*.a *.b);;描述2 (*.c)".
QString qtFileFilter(const QString& filter);
