#pragma once
// The unattended batch from the command line, without a display: only a
// QCoreApplication is needed. Progress goes to standard error (a bar on a
// terminal, a line now and then otherwise), the summary at the end.
#include "imaging/face_finder.h"
#include "unattended/framing_arguments.h"
#include "unattended/framing_run.h"

#include <QTextStream>

class Clock;

enum FramingExitStatus { kAllSaved = 0, kBadArguments = 1, kSomeNotFramed = 2 };

// Help, Version, Wrong or Batch arguments; the exit status. A failed save
// (a full disk) ends the run with status 1 and says where.
int RunFramingCommand(const FramingArguments& arguments, const FaceFinderMaker& makeFinder, const Clock& clock,
                      QTextStream& out, QTextStream& err, bool terminal);
