#pragma once
#include <QString>

class Dialogs;

inline const QString kAboutTitle = QStringLiteral("关于本软件：");
inline const QString kProductAuthor = QStringLiteral("栎澄工作室");
inline const QString kProductEmail = QStringLiteral("support@licheng-studio.example");
inline const QString kHomePageAddress = QStringLiteral("https://licheng-studio.example/idphoto");

QString aboutText();
void ShowAbout(Dialogs& dialogs);
