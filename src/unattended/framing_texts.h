#pragma once
// What the unattended batch tells the user, the same in the window and on
// the command line.
#include "unattended/framing_run.h"

#include <QString>

// "12/40  5.2 张/秒  剩余约 6 秒"; with `bar`, a bar of # before it.
QString FramingProgressText(const FramingProgress& progress, bool bar);

// "共 5 张照片，本次保存 3 张，未能取景 2 张。", the earlier runs' photos named too.
QString FramingSummaryText(const FramingSummary& summary);

// "03.jpg：未能识别到人脸"
QString FramingExceptionText(const FramingException& exception);
