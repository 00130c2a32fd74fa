#pragma once
#include <QString>
#include <QStringList>

// How an output file of the batch modes is named.
enum class NamingMode { SameAsSource, TimeStamp, Sequence, CustomPrefix, PromptEachTime, SpreadsheetCell };

// The labels of the naming boxes, in the order they are offered and stored
// (the stored setting is the position in this list).
const QStringList& batchNamingSchemes(); // six schemes, for batch crop
const QStringList& fastNamingSchemes();  // five schemes, for fast capture (no SameAsSource)

// The scheme label at a stored position; a position outside the list gives
// the first scheme.
QString schemeAt(const QStringList& schemes, int index);
