#pragma once
// XML of a book part read within bounds. A part is scanned before it is read,
// and refused
// - with a DOCTYPE: its entity declarations could expand without bound;
// - with a tag of more attributes than any book part has: reading a start
//   tag costs the XML reader time that grows with the square of its
//   attributes (each is checked against the others before it);
// - with NUL bytes: they only occur in UTF-16 or UTF-32 text, which writers
//   of books do not use and which this scan of bytes could not follow;
// and while it is read, elements nested deeper than any book part nests.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QXmlStreamReader>

// The scan before reading.
bool markupWithinBounds(QByteArrayView bytes);

// A part's XML, read within bounds: its markup as above, and the nesting of
// elements, as no part of a book nests more than a dozen levels and a
// document of nothing but start tags would grow the reader's stack of open
// elements with every tag. Namespaces are not processed (elements and
// attributes are known by their local names): looking one up costs the
// reader time that grows with the declarations in scope.
class PartReader {
public:
    explicit PartReader(const QByteArray& bytes) : xml_(bytes)
    {
        xml_.setNamespaceProcessing(false);
        if (!markupWithinBounds(bytes))
            xml_.raiseError(QStringLiteral("markup beyond bounds"));
    }

    // Moves to the root element.
    bool enterRoot()
    {
        while (!xml_.atEnd()) {
            if (next() == QXmlStreamReader::StartElement)
                return !xml_.hasError();
        }
        return false;
    }

    // Moves to the next child of the current element; false at its end or
    // on an error.
    bool nextChild()
    {
        while (!xml_.atEnd()) {
            const QXmlStreamReader::TokenType token = next();
            if (token == QXmlStreamReader::StartElement)
                return !xml_.hasError();
            if (token == QXmlStreamReader::EndElement)
                return false;
        }
        return false;
    }

    // Moves past the end of the current element.
    void skip()
    {
        for (int open = 1; open > 0 && !xml_.atEnd();) {
            const QXmlStreamReader::TokenType token = next();
            if (token == QXmlStreamReader::StartElement)
                ++open;
            else if (token == QXmlStreamReader::EndElement)
                --open;
        }
    }

    // The text of the current element, without that of any child element.
    QString text()
    {
        QString collected;
        while (!xml_.atEnd()) {
            const QXmlStreamReader::TokenType token = next();
            if (token == QXmlStreamReader::Characters)
                collected += xml_.text();
            else if (token == QXmlStreamReader::StartElement)
                skip();
            else if (token == QXmlStreamReader::EndElement)
                break;
        }
        return collected;
    }

    // Reads to the end; true when the whole document was well-formed and
    // within bounds.
    bool finish()
    {
        while (!xml_.atEnd())
            next();
        return !xml_.hasError();
    }

    // Stops reading; finish() then fails.
    void refuse(const QString& why) { xml_.raiseError(why); }

    // The local name of the current element.
    QStringView name() const { return xml_.name(); }
    QXmlStreamAttributes attributes() const { return xml_.attributes(); }

private:
    static constexpr int kMaxDepth = 64;

    QXmlStreamReader::TokenType next()
    {
        const QXmlStreamReader::TokenType token = xml_.readNext();
        if (token == QXmlStreamReader::StartElement && ++depth_ > kMaxDepth)
            xml_.raiseError(QStringLiteral("elements nested too deep"));
        else if (token == QXmlStreamReader::EndElement)
            --depth_;
        return token;
    }

    QXmlStreamReader xml_;
    int depth_ = 0;
};
