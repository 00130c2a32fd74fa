#pragma once
// Blanks as the program's boxes count them: the ASCII space, the tab and the
// full-width space 　 that Chinese input methods type.
#include <QString>

bool IsBlank(QChar c);

// The text without its leading and trailing blanks.
QString TrimBlanks(const QString& text);
