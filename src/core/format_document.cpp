#include "core/format_document.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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
        WriteValue(out, c < size_t(values.size()) ? values[c] : QVariant(), columns[c].number);
    }
    out += '}';
}

class Refusal {
public:
    explicit Refusal(QString message) : message(std::move(message)) {}
    QString message;
};

[[noreturn]] void Refuse(const QString& where, const QString& what)
{
    throw Refusal(where + QStringLiteral(": ") + what);
}

// The members of an object, none missing and none unknown.
void CheckMembers(const QJsonObject& object, const QStringList& names, const QString& where, bool unknown = true)
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

QVariant ReadValue(const QJsonValue& value, const DocumentColumn& column, const QString& where)
{
    const QString at = where + QStringLiteral(": ") + QString::fromUtf8(column.name);
    if (value.isNull()) {
        if (!column.nullable)
            Refuse(at, QStringLiteral("null where a value is required"));
        return QVariant();
    }
    if (!column.number) {
        if (!value.isString())
            Refuse(at, QStringLiteral("a text is required"));
        return value.toString();
    }
    if (!value.isDouble())
        Refuse(at, QStringLiteral("a whole number is required"));
    const double number = value.toDouble();
    if (std::trunc(number) != number)
        Refuse(at, QStringLiteral("%1 is not a whole number").arg(number));
    if (number < std::numeric_limits<qint32>::min() || number > std::numeric_limits<qint32>::max())
        Refuse(at, QStringLiteral("%1 is outside 32 bits").arg(number, 0, 'f', 0));
    return qint64(number);
}

template <size_t N>
QStringList Names(const DocumentColumn (&columns)[N])
{
    QStringList names;
    for (const DocumentColumn& column : columns)
        names << QString::fromUtf8(column.name);
    return names;
}

template <size_t N>
QVariantList ReadRow(const QJsonValue& row, const DocumentColumn (&columns)[N], const QString& where)
{
    if (!row.isObject())
        Refuse(where, QStringLiteral("an object is required"));
    const QJsonObject object = row.toObject();
    CheckMembers(object, Names(columns), where);
    QVariantList values;
    for (const DocumentColumn& column : columns)
        values << ReadValue(object.value(QString::fromUtf8(column.name)), column, where);
    return values;
}

FormatDocument Read(const QByteArray& text)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(text);
    Q_UNUSED(decoded);
    if (utf8.hasError())
        Refuse(QStringLiteral("document"), QStringLiteral("not UTF-8 text"));
    QJsonParseError parse;
    const QJsonDocument json = QJsonDocument::fromJson(text, &parse);
    if (parse.error != QJsonParseError::NoError)
        Refuse(QStringLiteral("document"),
               QStringLiteral("invalid JSON at byte %1: %2").arg(parse.offset).arg(parse.errorString()));
    if (!json.isObject())
        Refuse(QStringLiteral("document"), QStringLiteral("an object is required"));
    const QJsonObject top = json.object();
    if (top.value(QStringLiteral("shape")) != QJsonValue(QString::fromUtf8(kDocumentShape)))
        Refuse(QStringLiteral("document"), QStringLiteral("shape: \"%1\" is required").arg(kDocumentShape));
    const QJsonValue version = top.value(QStringLiteral("version"));
    if (version != QJsonValue(kDocumentVersion))
        Refuse(QStringLiteral("document"), QStringLiteral("version: only %1 is supported").arg(kDocumentVersion));
    const QStringList members{QStringLiteral("shape"), QStringLiteral("version"), QStringLiteral("key"),
                              QStringLiteral("header"), QStringLiteral("lines")};
    CheckMembers(top, members, QStringLiteral("document"), false);

    FormatDocument document;
    const QVariantList key = ReadRow(top.value(QStringLiteral("key")), kKeyColumns, QStringLiteral("key"));
    document.Code = key[0].toString();
    document.Bpid = key[1].toString();
    const QJsonValue header = top.value(QStringLiteral("header"));
    document.HasHeader = !header.isNull();
    if (document.HasHeader)
        document.Header = ReadRow(header, kDocumentHeaderColumns, QStringLiteral("header"));
    const QJsonValue lines = top.value(QStringLiteral("lines"));
    if (!lines.isArray())
        Refuse(QStringLiteral("document"), QStringLiteral("lines: an array is required"));
    const QJsonArray array = lines.toArray();
    for (qsizetype i = 0; i < array.size(); ++i)
        document.Lines << ReadRow(array.at(i), kDocumentLineColumns, QStringLiteral("line %1").arg(i + 1));
    // Unknown members last, so that a known one of the wrong type is named first.
    CheckMembers(top, members, QStringLiteral("document"));
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

bool ReadFormatDocument(const QByteArray& text, FormatDocument& document, QString& error)
{
    try {
        document = Read(text);
    } catch (const Refusal& refusal) {
        error = refusal.message;
        return false;
    }
    return true;
}
