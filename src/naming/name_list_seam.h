#pragma once
// What batch crop and fast capture ask of the spreadsheet name list. The
// name list window implements it; until a window stands behind it the list
// is never open, so a spreadsheet-named save asks to open it and stops.
#include "state/app_state.h"

enum class NameListContext { Crop, Shot };

class NameListSeam {
public:
    virtual ~NameListSeam() = default;
    // Opens the name list window (not modal); windowOpen tells whether it is.
    virtual void open(NameListContext context) = 0;
    // Closes the window and forgets the list: not open, nothing imported, no name.
    virtual void closeAndReset() = 0;
    // Gives the open window the focus.
    virtual void focus() = 0;
    // Words the open window's title, auto-next-row caption and status for the context.
    virtual void wordFor(NameListContext context) = 0;
    // After a saved file: moves the grid one row down when the auto-next-row
    // box is ticked and takes that cell's text as the next name.
    virtual void advanceRow(NameListContext context) = 0;
};

// The stand-in while no name list window exists: nothing opens.
class AbsentNameList final : public NameListSeam {
public:
    void open(NameListContext) override {}
    void closeAndReset() override {}
    void focus() override {}
    void wordFor(NameListContext) override {}
    void advanceRow(NameListContext) override {}
};
