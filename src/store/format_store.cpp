#include "store/format_store.h"

#include "store/connection.h"
#include "store/line_load.h"

#include <QCryptographicHash>

namespace {

const char* const kHeaderKey = " WHERE FL1902フォーマット情報マスタ.情報区分コード=?"
                               " AND FL1902フォーマット情報マスタ.BPID=?";
const char* const kLinesKey = " WHERE FL1903レコードフォーマット情報マスタ.情報区分コード=?"
                              " AND FL1903レコードフォーマット情報マスタ.BPID=?";

const char* const kSettingColumns[] = {"様式識別", "シンタックスIDバージョン", "格納モード",
                                       "1バイト文字集合", "2バイト文字集合", "ローカル形式",
                                       "XML文字コード"};

QString Sql(const char* a, const char* b = "")
{
    return QString::fromUtf8(a) + QString::fromUtf8(b);
}

QVariantList Values(const FormatKey& key)
{
    return {key.Code, key.Bpid};
}

void OpenHeader(Connection& db, const FormatKey& key, ResultSet& row, bool lock = false)
{
    db.SetStatement(QStringLiteral("SELECT FL1902フォーマット情報マスタ.*  ")
                        + QStringLiteral(" FROM FL1902フォーマット情報マスタ ")
                        + QStringLiteral(" WHERE FL1902フォーマット情報マスタ.情報区分コード=?")
                        + QStringLiteral(" AND FL1902フォーマット情報マスタ.BPID=?")
                        + (lock ? LockClause(db.Engine()) : QString()),
                    Values(key));
    db.OpenReadOnlyResultset(row);
}

QVariant OrNull(const QString& text, bool present)
{
    return present ? QVariant(text) : QVariant(QMetaType(QMetaType::QString));
}

}  // namespace

bool SqlFormatStore::FormatExists(const FormatKey& key)
{
    db_.SetStatement(QStringLiteral("Select 情報区分コード From FL1902フォーマット情報マスタ"
                                    " Where 情報区分コード=? And BPID =?"),
                     Values(key));
    ResultSet rs;
    db_.OpenReadOnlyResultset(rs);
    return db_.ResultStatus == QLatin1String("0");
}

Baseline SqlFormatStore::Read(const FormatKey& key, bool lock)
{
    Baseline now;
    {
        ResultSet row;  // released before the lines are read
        OpenHeader(db_, key, row, lock);
        if (!row.AtEnd()) {
            QList<int> columns;
            for (int c = 0; c < row.ColumnCount(); ++c)
                columns << c;
            QCryptographicHash hash(QCryptographicHash::Sha1);
            HashRow(row, columns, hash);
            now.header = hash.result();
        }
    }
    now.lines = StoredLinesFingerprint(db_, key.Code, key.Bpid);
    return now;
}

Baseline SqlFormatStore::ReadBaseline(const FormatKey& key)
{
    return Read(key, false);
}

std::optional<HeaderSettings> SqlFormatStore::ReadHeader(const FormatKey& key)
{
    ResultSet row;
    OpenHeader(db_, key, row);
    if (row.AtEnd())
        return std::nullopt;
    HeaderSettings settings;
    for (int i = 0; i < 7; ++i)
        settings[i] = row.Value(QString::fromUtf8(kSettingColumns[i]));
    return settings;
}

bool SqlFormatStore::LoadLines(const FormatKey& key, FormatLines& lines)
{
    return ::LoadLines(db_, key.Code, key.Bpid, lines);
}

template <typename Write>
void SqlFormatStore::InTransaction(Write write)
{
    bool begun = false;
    try {
        db_.BeginTrans();
        begun = true;
        write();
        db_.CommitTrans();
    } catch (const StoreError&) {
        if (begun) {
            try {
                db_.RollbackTrans();
            } catch (const SqlError&) {
                // The connection is gone; the server drops the transaction.
            }
        }
        throw;
    }
}

Baseline SqlFormatStore::CheckUnchanged(const FormatKey& key, const Baseline& expected)
{
    const Baseline now = Read(key, true);
    if (now.header != expected.header || now.lines != expected.lines)
        throw LostUpdate();
    return now;
}

void SqlFormatStore::DeleteLines(const FormatKey& key)
{
    db_.SetStatement(Sql("delete from FL1903レコードフォーマット情報マスタ", kLinesKey), Values(key));
    db_.ExecuteStatement();
}

// Deletes the rows of the key of the given stored format types; rows of
// other types stay as they are.
void SqlFormatStore::DeleteLoadedLines(const FormatKey& key, const QVariantList& types)
{
    QStringList marks;
    QVariantList values = Values(key);
    bool null = false;
    for (const QVariant& type : types) {
        if (type.isNull()) {
            null = true;
        } else {
            marks << QStringLiteral("?");
            values << type;
        }
    }
    QStringList alternatives;
    if (!marks.isEmpty())
        alternatives << QStringLiteral("FL1903レコードフォーマット情報マスタ.フォーマット種別 IN (%1)")
                            .arg(marks.join(QLatin1Char(',')));
    if (null)
        alternatives << QStringLiteral("FL1903レコードフォーマット情報マスタ.フォーマット種別 IS NULL");
    if (alternatives.isEmpty())
        return;
    db_.SetStatement(Sql("delete from FL1903レコードフォーマット情報マスタ", kLinesKey)
                         + QStringLiteral(" AND (%1)").arg(alternatives.join(QStringLiteral(" OR "))),
                     values);
    db_.ExecuteStatement();
}

void SqlFormatStore::InsertLines(const FormatKey& key, const ItemTable& table, int count, bool standard)
{
    const QString statement = QStringLiteral(
        "INSERT INTO FL1903レコードフォーマット情報マスタ (情報区分コード,BPID,フォーマット種別,項目通番,"
        "対応項目通番,レベル番号,項目№,項目位置,項目名称,属性,長さ,小数部長さ,マルチ明細番号,繰返し数,"
        "固定項目値,変換エラー対処) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    for (int p = 1; p <= count && p <= table.Count(); ++p) {
        const FormatItem& line = table[p];
        QString multi = line.MultiDetailNo;
        if (standard && multi.isEmpty())
            multi = QStringLiteral("0");
        QVariantList values = Values(key);
        values << (standard ? QStringLiteral("E") : QStringLiteral("L")) << line.SerialNo
               << line.LinkedSerialNo << line.Level << line.ItemNo
               << (standard ? QVariant(QMetaType(QMetaType::Int)) : QVariant(line.ItemPosition))
               << OrNull(line.ItemName, !standard || line.IsGroupHeader()) << line.Attribute
               << line.Length << line.DecimalLength << multi << line.RepeatCount
               << line.FixedValue << line.ConversionError;
        db_.SetStatement(statement, values);
        db_.ExecuteStatement();
    }
}

Baseline SqlFormatStore::WriteHeader(const FormatKey& key, const QStringList& settings,
                                     const Baseline& expected)
{
    QVariantList values;
    for (const QString& s : settings)
        values << s;
    Baseline after;
    InTransaction([&] {
        if (!CheckUnchanged(key, expected).header.isEmpty()) {
            db_.SetStatement(
                Sql("UPDATE FL1902フォーマット情報マスタ SET 様式識別=?,シンタックスIDバージョン=?,"
                    "格納モード=?,1バイト文字集合=?,2バイト文字集合=?,ローカル形式=?,XML文字コード=?",
                    kHeaderKey),
                values + Values(key));
        } else {
            db_.SetStatement(
                QStringLiteral("INSERT INTO FL1902フォーマット情報マスタ (情報区分コード,BPID,様式識別,"
                               "シンタックスIDバージョン,格納モード,1バイト文字集合,2バイト文字集合,"
                               "ローカル形式,XML文字コード) VALUES (?,?,?,?,?,?,?,?,?)"),
                Values(key) + values);
        }
        db_.ExecuteStatement();
        after = Read(key, false);
    });
    return after;
}

Baseline SqlFormatStore::WriteLines(const FormatKey& key, const FormatLines& lines, int standardCount,
                                    int localCount, const Baseline& expected)
{
    Baseline after;
    InTransaction([&] {
        CheckUnchanged(key, expected);
        DeleteLoadedLines(key, lines.LoadedTypes);
        InsertLines(key, lines.StandardItems, standardCount, true);
        InsertLines(key, lines.LocalItems, localCount, false);
        after = Read(key, false);
    });
    return after;
}

void SqlFormatStore::DeleteFormat(const FormatKey& key, const Baseline& expected)
{
    InTransaction([&] {
        // Gone already, or changed since it was shown: another desk's doing.
        if (CheckUnchanged(key, expected).header.isEmpty())
            throw LostUpdate();
        db_.SetStatement(Sql("delete from FL1902フォーマット情報マスタ", kHeaderKey), Values(key));
        db_.ExecuteStatement();
        DeleteLines(key);
    });
}

void SqlFormatStore::RemoveOrphanLines(const FormatKey& key)
{
    InTransaction([&] {
        if (Read(key, false).header.isEmpty())
            DeleteLines(key);
    });
}

Baseline SqlFormatStore::CopyFormat(const FormatKey& source, const FormatKey& target)
{
    const QVariantList keys = Values(target) + Values(source);
    Baseline after;
    InTransaction([&] {
        // Lines left behind under the new key without a header would mix in.
        if (Read(target, false).header.isEmpty())
            DeleteLines(target);
        db_.SetStatement(
            Sql("INSERT INTO FL1902フォーマット情報マスタ ( 情報区分コード,BPID,様式識別,"
                "シンタックスIDバージョン,格納モード,１バイト文字集合,２バイト文字集合,ローカル形式,"
                "XML文字コード)  SELECT ?,?,FL1902フォーマット情報マスタ.様式識別"
                ",FL1902フォーマット情報マスタ.シンタックスIDバージョン"
                ",FL1902フォーマット情報マスタ.格納モード"
                ",FL1902フォーマット情報マスタ.１バイト文字集合"
                ",FL1902フォーマット情報マスタ.２バイト文字集合"
                ",FL1902フォーマット情報マスタ.ローカル形式"
                ",FL1902フォーマット情報マスタ.XML文字コード FROM FL1902フォーマット情報マスタ ",
                kHeaderKey),
            keys);
        db_.ExecuteStatement();
        db_.SetStatement(
            Sql("INSERT INTO FL1903レコードフォーマット情報マスタ ( 情報区分コード,BPID,フォーマット種別,"
                "項目通番,対応項目通番,レベル番号,項目№,項目位置,項目名称,属性,長さ,小数部長さ,"
                "マルチ明細番号,繰返し数,固定項目値,変換エラー対処)  SELECT ?,?"
                ",FL1903レコードフォーマット情報マスタ.フォーマット種別"
                ",FL1903レコードフォーマット情報マスタ.項目通番"
                ",FL1903レコードフォーマット情報マスタ.対応項目通番"
                ",FL1903レコードフォーマット情報マスタ.レベル番号"
                ",FL1903レコードフォーマット情報マスタ.項目№"
                ",FL1903レコードフォーマット情報マスタ.項目位置"
                ",FL1903レコードフォーマット情報マスタ.項目名称"
                ",FL1903レコードフォーマット情報マスタ.属性"
                ",FL1903レコードフォーマット情報マスタ.長さ"
                ",FL1903レコードフォーマット情報マスタ.小数部長さ"
                ",FL1903レコードフォーマット情報マスタ.マルチ明細番号"
                ",FL1903レコードフォーマット情報マスタ.繰返し数"
                ",FL1903レコードフォーマット情報マスタ.固定項目値"
                ",FL1903レコードフォーマット情報マスタ.変換エラー対処"
                " FROM FL1903レコードフォーマット情報マスタ ",
                kLinesKey),
            keys);
        db_.ExecuteStatement();
        after = Read(target, false);
    });
    return after;
}

void SqlFormatStore::Close()
{
    db_.CloseDatabaseConnection();
}
