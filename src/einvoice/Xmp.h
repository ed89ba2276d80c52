#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace einvoice {

// What the document information of a hybrid invoice PDF says; the same facts go into its
// XMP metadata and its information dictionary, as PDF/A requires.
struct DocumentInfo
{
    QString title;
    QString creatorTool = QStringLiteral("Dorv");
    QString producer = QStringLiteral("Dorv");
    QDateTime created;
};

// The XMP metadata packet of a ZUGFeRD / Factur-X PDF: PDF/A-3 level B, the document
// information above, the Factur-X extension schema and its values (DocumentType INVOICE,
// DocumentFileName factur-x.xml, Version 1.0, ConformanceLevel EN 16931).
QByteArray facturXXmp(const DocumentInfo &info);

// A moment as XMP writes it: "2024-11-08T10:15:00+01:00".
QString xmpDate(const QDateTime &moment);
// The same moment as a PDF date: "D:20241108101500+01'00'".
QString pdfDate(const QDateTime &moment);

} // namespace einvoice
