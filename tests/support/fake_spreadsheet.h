#pragma once
// An in-memory spreadsheet: sheets of text cells in book order. Every read is
// logged, and a test can run code at a chosen read, as if the user acted
// while the sheet was being probed.
#include "platform/spreadsheet_book.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

using CellAddress = QPair<int, int>; // row, column; 0-based

class FakeSheet final : public SpreadsheetSheet {
public:
    // Text cells by row, from A1; an empty text leaves the cell empty.
    explicit FakeSheet(const QList<QStringList>& rows = {})
    {
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows[r].size(); ++c)
                set(r, c, rows[r][c]);
    }

    void set(int row, int column, const QString& text)
    {
        if (!text.isEmpty())
            cells_.insert({row, column}, text);
    }

    QString cellText(int row, int column) const override
    {
        reads.append({row, column});
        if (onRead)
            onRead(row, column);
        return cells_.value({row, column});
    }

    mutable QList<CellAddress> reads;
    std::function<void(int row, int column)> onRead;

private:
    QMap<CellAddress, QString> cells_;
};

class FakeBook final : public SpreadsheetBook {
public:
    ~FakeBook() override
    {
        if (released)
            *released = true;
    }

    FakeSheet& addSheet(const QString& name, const QList<QStringList>& rows = {})
    {
        names_.append(name);
        sheets_.push_back(std::make_unique<FakeSheet>(rows));
        return *sheets_.back();
    }

    FakeSheet& fakeSheet(int index) { return *sheets_.at(size_t(index)); }

    int sheetCount() const override { return int(sheets_.size()); }
    QString sheetName(int index) const override { return names_.value(index); }
    const SpreadsheetSheet* sheet(int index) override
    {
        return index >= 0 && index < sheetCount() ? sheets_[size_t(index)].get() : nullptr;
    }

    bool* released = nullptr; // set when the book is destroyed

private:
    QStringList names_;
    std::vector<std::unique_ptr<FakeSheet>> sheets_;
};

// Hands out prepared books in turn and logs what it was asked to open; when
// none is left the file cannot be read.
class FakeBookShelf {
public:
    FakeBook& prepare()
    {
        books_.push_back(std::make_unique<FakeBook>());
        return *books_.back();
    }

    // Leaves a file that cannot be read next in line.
    void prepareUnreadable() { books_.push_back(nullptr); }

    std::unique_ptr<SpreadsheetBook> open(const QString& path, SpreadsheetKind kind)
    {
        opened.append({path, kind});
        if (books_.empty())
            return nullptr;
        std::unique_ptr<SpreadsheetBook> book = std::move(books_.front());
        books_.erase(books_.begin());
        return book;
    }

    QList<QPair<QString, SpreadsheetKind>> opened;

private:
    std::vector<std::unique_ptr<FakeBook>> books_;
};
