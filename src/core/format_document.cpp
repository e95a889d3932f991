#include "core/format_document.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QHash>
#include <QJsonValue>
#include <QStringDecoder>

#include <cmath>
#include <limits>

const DocumentColumn kDocumentHeaderColumns[7] = {
    {"様式識別", false, true},        {"シンタックスIDバージョン", false, true},
    {"格納モード", false, true},      {"1バイト文字集合", false, true},
    {"2バイト文字集合", false, true}, {"ローカル形式", false, true},
    {"XML文字コード", false, true}};

const DocumentColumn kDocumentLineColumns[14] = {
    {"フォーマット種別", false, false}, {"項目通番", true, false},   {"対応項目通番", true, true},
    {"レベル番号", true, true},         {"項目№", true, true},       {"項目位置", true, true},
    {"項目名称", false, true},          {"属性", false, true},       {"長さ", true, true},
    {"小数部長さ", true, true},         {"マルチ明細番号", false, true}, {"繰返し数", true, true},
    {"固定項目値", false, true},        {"変換エラー対処", false, true}};

namespace {

const DocumentColumn kKeyColumns[] = {{"情報区分コード", false, false}, {"BPID", false, false}};

// The writer is hand-written: QJsonDocument sorts an object's keys, and the
// document keeps the column order of the tables so that it reads like them.
void WriteString(QByteArray& out, const QString& text)
{
    out += '"';
    qsizetype plain = 0;  // start of the run copied as it is
    auto flush = [&](qsizetype end) { out += QStringView(text).mid(plain, end - plain).toUtf8(); };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (u >= 0x20 && u != '"' && u != '\\')
            continue;
        flush(i);
        plain = i + 1;
        if (u == '"' || u == '\\')
            out += QByteArray("\\") + char(u);
        else if (u == '\n')
            out += "\\n";
        else if (u == '\r')
            out += "\\r";
        else if (u == '\t')
            out += "\\t";
        else
            out += "\\u00" + QByteArray::number(u, 16).rightJustified(2, '0');
    }
    flush(text.size());
    out += '"';
}

void WriteValue(QByteArray& out, const QVariant& value, bool number)
{
    if (value.isNull())
        out += "null";
    else if (number)
        out += QByteArray::number(value.toLongLong());
    else
        WriteString(out, value.toString());
}

// {"name": value, ...} on one line.
template <size_t N>
void WriteRow(QByteArray& out, const DocumentColumn (&columns)[N], const QVariantList& values)
{
    out += '{';
    for (size_t c = 0; c < N; ++c) {
        if (c)
            out += ", ";
        WriteString(out, QString::fromUtf8(columns[c].name));
        out += ": ";
        WriteValue(out, values.value(c), columns[c].number);
    }
    out += '}';
}

class Refusal {
public:
    explicit Refusal(QString message) : message(std::move(message)) {}
    QString message;
};

// Where a refused value is: "document", "key", "header" or a line. Spelled
// out only for a refusal: most values pass.
struct Place {
    const char* part;
    qsizetype line = 0;

    QString Text() const { return line ? QStringLiteral("line %1").arg(line) : QString::fromLatin1(part); }
};

[[noreturn]] void Refuse(const Place& where, const QString& what)
{
    throw Refusal(where.Text() + QStringLiteral(": ") + what);
}

// The members of an object, none missing and none unknown.
void CheckMembers(const QJsonObject& object, const QStringList& names, const Place& where, bool unknown = true)
{
    for (const QString& name : names) {
        if (!object.contains(name))
            Refuse(where, name + QStringLiteral(": missing"));
    }
    for (auto it = object.begin(); unknown && it != object.end(); ++it) {
        if (!names.contains(it.key()))
            Refuse(where, it.key() + QStringLiteral(": unknown column"));
    }
}

// Short texts ("E", "X", "0", "") repeat on every line: one shared copy of
// each keeps a document of many lines small.
using Interned = QHash<QString, QString>;

QVariant ReadValue(const QJsonValue& value, const DocumentColumn& column, const QString& name, const Place& where,
                   Interned& interned)
{
    const auto refuse = [&](const QString& what) { Refuse(where, name + QStringLiteral(": ") + what); };
    if (value.isNull()) {
        if (!column.nullable)
            refuse(QStringLiteral("null where a value is required"));
        return QVariant();
    }
    if (!column.number) {
        if (!value.isString())
            refuse(QStringLiteral("a text is required"));
        const QString text = value.toString();
        if (text.size() > 2)
            return text;
        return *interned.insert(text, interned.value(text, text));
    }
    if (!value.isDouble())
        refuse(QStringLiteral("a whole number is required"));
    const double number = value.toDouble();
    if (std::trunc(number) != number)
        refuse(QStringLiteral("%1 is not a whole number").arg(number));
    if (number < std::numeric_limits<qint32>::min() || number > std::numeric_limits<qint32>::max())
        refuse(QStringLiteral("%1 is outside 32 bits").arg(number, 0, 'f', 0));
    return qint64(number);
}

// The names of a table's columns, made once (each table has a column count
// of its own, so one instance per table).
template <size_t N>
const QStringList& Names(const DocumentColumn (&columns)[N])
{
    static const QStringList names = [&] {
        QStringList list;
        for (const DocumentColumn& column : columns)
            list << QString::fromUtf8(column.name);
        return list;
    }();
    return names;
}

template <size_t N>
QVariantList ReadRow(const QJsonValue& row, const DocumentColumn (&columns)[N], const Place& where,
                     Interned& interned)
{
    if (!row.isObject())
        Refuse(where, QStringLiteral("an object is required"));
    const QJsonObject object = row.toObject();
    const QStringList& names = Names(columns);
    if (object.size() != qsizetype(N))
        CheckMembers(object, names, where);  // names what is missing or unknown
    QVariantList values;
    values.reserve(N);
    for (size_t c = 0; c < N; ++c) {
        const auto it = object.constFind(names[c]);
        if (it == object.constEnd())
            CheckMembers(object, names, where);
        values << ReadValue(*it, columns[c], names[c], where, interned);
    }
    return values;
}

FormatDocument Read(QByteArray text)
{
    // Decoded a piece at a time: a whole large file decoded at once would
    // double its memory for nothing.
    QStringDecoder utf8(QStringDecoder::Utf8);
    for (qsizetype at = 0; at < text.size() && !utf8.hasError(); at += 1 << 20)
        (void)QString(utf8(QByteArrayView(text).sliced(at, std::min<qsizetype>(1 << 20, text.size() - at))));
    if (utf8.hasError())
        Refuse(Place{"document"}, QStringLiteral("not UTF-8 text"));
    QJsonParseError parse;
    const QJsonDocument json = QJsonDocument::fromJson(text, &parse);
    text = QByteArray();  // the parsed document holds what is needed
    if (parse.error != QJsonParseError::NoError)
        Refuse(Place{"document"},
               QStringLiteral("invalid JSON at byte %1: %2").arg(parse.offset).arg(parse.errorString()));
    if (!json.isObject())
        Refuse(Place{"document"}, QStringLiteral("an object is required"));
    const QJsonObject top = json.object();
    if (top.value(QStringLiteral("shape")) != QJsonValue(QString::fromUtf8(kDocumentShape)))
        Refuse(Place{"document"}, QStringLiteral("shape: \"%1\" is required").arg(kDocumentShape));
    const QJsonValue version = top.value(QStringLiteral("version"));
    if (version != QJsonValue(kDocumentVersion))
        Refuse(Place{"document"}, QStringLiteral("version: only %1 is supported").arg(kDocumentVersion));
    const QStringList members{QStringLiteral("shape"), QStringLiteral("version"), QStringLiteral("key"),
                              QStringLiteral("header"), QStringLiteral("lines")};
    CheckMembers(top, members, Place{"document"}, false);

    FormatDocument document;
    Interned interned;
    const QVariantList key = ReadRow(top.value(QStringLiteral("key")), kKeyColumns, Place{"key"}, interned);
    document.Code = key[0].toString();
    document.Bpid = key[1].toString();
    const QJsonValue header = top.value(QStringLiteral("header"));
    document.HasHeader = !header.isNull();
    if (document.HasHeader)
        document.Header = ReadRow(header, kDocumentHeaderColumns, Place{"header"}, interned);
    const QJsonValue lines = top.value(QStringLiteral("lines"));
    if (!lines.isArray())
        Refuse(Place{"document"}, QStringLiteral("lines: an array is required"));
    const QJsonArray array = lines.toArray();
    document.Lines.reserve(array.size());
    for (qsizetype i = 0; i < array.size(); ++i)
        document.Lines << ReadRow(array.at(i), kDocumentLineColumns, Place{"line", i + 1}, interned);
    // Unknown members last, so that a known one of the wrong type is named first.
    CheckMembers(top, members, Place{"document"});
    return document;
}

}  // namespace

QByteArray WriteFormatDocument(const FormatDocument& document)
{
    QByteArray out = "{\n  \"shape\": ";
    WriteString(out, QString::fromUtf8(kDocumentShape));
    out += ",\n  \"version\": " + QByteArray::number(kDocumentVersion) + ",\n  \"key\": ";
    WriteRow(out, kKeyColumns, {document.Code, document.Bpid});
    out += ",\n  \"header\": ";
    if (document.HasHeader)
        WriteRow(out, kDocumentHeaderColumns, document.Header);
    else
        out += "null";
    out += ",\n  \"lines\": [";
    for (qsizetype i = 0; i < document.Lines.size(); ++i) {
        out += i ? ",\n    " : "\n    ";
        WriteRow(out, kDocumentLineColumns, document.Lines[i]);
    }
    out += document.Lines.isEmpty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

bool ReadFormatDocument(QByteArray text, FormatDocument& document, QString& error)
{
    try {
        document = Read(std::move(text));
    } catch (const Refusal& refusal) {
        error = refusal.message;
        return false;
    }
    return true;
}
