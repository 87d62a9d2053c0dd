#pragma once

// The page count and page size of a PDF file, read with poppler's pdfinfo
// when it is installed (Qt has no PDF reader of its own).

#include <QString>

namespace kelvora::test {

struct PdfInfo {
    bool available = false;  // pdfinfo ran and read the file
    int pages = 0;
    double widthPt = 0;
    double heightPt = 0;
};

PdfInfo ReadPdfInfo(const QString& path);
// Its text with poppler's pdftotext, in the order it was drawn (a gap as
// wide as U+3000 comes out as a space); empty without pdftotext.
QString ReadPdfText(const QString& path);

}  // namespace kelvora::test
