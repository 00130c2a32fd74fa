#pragma once
// Reads a book the way the name list window reads an imported class list:
// every sheet's name, the sheet, its used area and the text of each cell in
// it, and the name a cell gives. Aborts when the book breaks a promise of the
// readers: a sheet outside the book or a cell outside a sheet that is not
// empty, a sheet or cell that reads differently the second time, a used area
// that does not end at a used cell, a name with a TAB or surrounding blanks.
class SpreadsheetBook;

void walkBook(SpreadsheetBook& book);
