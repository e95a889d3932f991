#pragma once
// The exchange document of one format: its key, its header and every stored
// line, each value exactly as stored, and its JSON text.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

// The columns of a document in the order of the tables, by their names in the
// schema; the two key columns are the document's key, not part of its lines.
struct DocumentColumn {
    const char* name;
    bool number;    // a whole number; otherwise a text
    bool nullable;  // SQL NULL allowed
};
extern const DocumentColumn kDocumentHeaderColumns[7];
extern const DocumentColumn kDocumentLineColumns[14];

// A value is a null QVariant (SQL NULL), a QString or a qint64.
struct FormatDocument {
    QString Code;  // 情報区分コード
    QString Bpid;
    bool HasHeader = false;
    QVariantList Header;       // the seven settings when HasHeader
    QList<QVariantList> Lines;  // fourteen values each, by type, then serial
};

constexpr const char* kDocumentShape = "k450120-format";
constexpr int kDocumentVersion = 1;

// UTF-8 JSON in a fixed order and layout: one line of text per stored line.
QByteArray WriteFormatDocument(const FormatDocument& document);

// Reads a document; false with "line N: column: what is wrong" (or "header:
// ...", "key: ...", "document: ...") when the text is not one. The text is
// let go once parsed: pass it with std::move to free its memory early.
bool ReadFormatDocument(QByteArray text, FormatDocument& document, QString& error);
