#include "NativeProcedures.h"

#include "SqliteBackend.h"
#include "data/DbError.h"
#include "data/Parameter.h"

#include <sqlite3.h>

#include <initializer_list>

namespace vornel {

namespace {

[[noreturn]] void fail(sqlite3* db, int rc) {
    const int primary = rc & 0xff;
    const std::uint32_t number = primary == SQLITE_CONSTRAINT ? ErrorNumber::Integrity
                                 : primary == SQLITE_ERROR    ? ErrorNumber::Command
                                                              : ErrorNumber::Unspecified;
    throw DbError(number, QString::fromUtf8(sqlite3_errmsg(db)), rc);
}

// One native statement with its values bound by position (?1, ?2 ...): values never become SQL text.
class Statement {
public:
    Statement(sqlite3* db, const char* sql, std::initializer_list<QVariant> values) : m_db(db) {
        const int rc = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr);
        if (rc != SQLITE_OK) fail(db, rc);
        int index = 1;
        for (const QVariant& v : values)
            bind(index++, v);
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // True while rows come; false when the statement is done.
    bool next() {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW) return true;
        if (rc != SQLITE_DONE) fail(m_db, rc);
        return false;
    }
    void run() {
        while (next()) {
        }
    }
    qint64 integer(int column) const { return sqlite3_column_int64(m_stmt, column); }
    QString text(int column) const {
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        return t ? QString::fromUtf8(t) : QString();
    }

private:
    void bind(int index, const QVariant& v) {
        int rc;
        if (!v.isValid() || v.isNull()) {
            rc = sqlite3_bind_null(m_stmt, index);
        } else if (v.typeId() == QMetaType::QString) {
            const QByteArray t = v.toString().toUtf8();
            rc =
                sqlite3_bind_text(m_stmt, index, t.constData(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
        } else {
            rc = sqlite3_bind_int64(m_stmt, index, v.toLongLong());
        }
        if (rc != SQLITE_OK) fail(m_db, rc);
    }

    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
};

// Several statements as one change, also inside a transaction the caller opened: rolled back
// unless released.
class Savepoint {
public:
    explicit Savepoint(sqlite3* db) : m_db(db) { exec("SAVEPOINT vornel_procedure"); }
    ~Savepoint() {
        if (!m_released) {
            sqlite3_exec(m_db, "ROLLBACK TO vornel_procedure", nullptr, nullptr, nullptr);
            sqlite3_exec(m_db, "RELEASE vornel_procedure", nullptr, nullptr, nullptr);
        }
    }
    Savepoint(const Savepoint&) = delete;
    Savepoint& operator=(const Savepoint&) = delete;
    void release() {
        exec("RELEASE vornel_procedure");
        m_released = true;
    }

private:
    void exec(const char* sql) {
        const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) fail(m_db, rc);
    }
    sqlite3* m_db;
    bool m_released = false;
};

QVariant param(const std::vector<Parameter>& params, const char* name) {
    const Parameter* p = findParameter(params, QString::fromLatin1(name));
    return p ? p->value : QVariant();
}

QString textParam(const std::vector<Parameter>& params, const char* name) {
    return param(params, name).toString();
}

// A number parameter; text that is not a number is refused rather than read as 0.
QVariant numberParam(const std::vector<Parameter>& params, const char* name) {
    const QVariant v = param(params, name);
    if (!v.isValid() || v.isNull()) return QVariant();
    if (v.typeId() != QMetaType::QString) return QVariant(v.toLongLong());
    const QString t = v.toString().trimmed();
    if (t.isEmpty()) return QVariant();
    bool ok = false;
    const qlonglong n = t.toLongLong(&ok);
    if (!ok)
        throw DbError(ErrorNumber::BadArgument,
                      QStringLiteral("Parametrul %1 nu este un numar: %2").arg(QLatin1String(name), t));
    return QVariant(n);
}

bool exists(sqlite3* db, const char* sql, std::initializer_list<QVariant> values) {
    Statement st(db, sql, values);
    return st.next();
}

// Vezi: 1 refuses the action, 0 allows it. The exact screen code decides before the '*' row.
int vezi(SqliteBackend& backend, std::vector<Parameter>& params) {
    Statement st(backend.handle(),
                 "SELECT Permis FROM AdmTivra.Drepturi WHERE IdUser = ?1 AND IdSoc = ?2 AND Actiune = ?3 "
                 "AND Cod IN (?4, '*') ORDER BY Cod = '*' LIMIT 1",
                 {numberParam(params, "user"), numberParam(params, "IdSoc"), textParam(params, "tip"),
                  textParam(params, "nr")});
    if (!st.next()) return 1;
    return st.integer(0) != 0 ? 0 : 1;
}

struct DeleteRule {
    int what;
    bool byNumber; // key from varInt, otherwise from varString
    const char* inUse;
    const char* remove;
    const char* refusal;
};

constexpr DeleteRule kDeleteRules[] = {
    {5, true, "SELECT 1 FROM ConturiBancare WHERE [Cod Banca] = ?1",
     "DELETE FROM Banci WHERE [Cod Banca] = ?1",
     "Banca este folosita in conturile bancare ale tertilor si nu poate fi stearsa !"},
    {6, true, "SELECT 1 FROM SeriiDocumente WHERE Casierie = ?1",
     "DELETE FROM Casierii WHERE [Cod Casierie] = ?1",
     "Casieria este folosita in seriile de documente si nu poate fi stearsa !"},
    {7, false, "SELECT 1 FROM ConsumuriProductie WHERE Cod = ?1", "DELETE FROM pOft WHERE Cod = ?1",
     "Centrul de productie este folosit in consumurile de productie si nu poate fi sters !"},
    {9, false, "SELECT 1 FROM CheltuieliCentre WHERE CodC = ?1", "DELETE FROM yC2 WHERE CodC = ?1",
     "Subgrupa de centre este folosita in cheltuielile centrelor si nu poate fi stearsa !"},
};

// Sterge: deletes a bank (5), cash desk (6), production centre (7) or cost-centre subgroup (9),
// or raises an error saying what still uses it.
int sterge(SqliteBackend& backend, std::vector<Parameter>& params) {
    const QVariant what = numberParam(params, "what");
    for (const DeleteRule& rule : kDeleteRules) {
        if (what.isNull() || what.toLongLong() != rule.what) continue;
        const QVariant key =
            rule.byNumber ? numberParam(params, "varInt") : QVariant(textParam(params, "varString"));
        sqlite3* db = backend.handle();
        Savepoint change(db);
        if (exists(db, rule.inUse, {key}))
            throw DbError(ErrorNumber::Command, QString::fromLatin1(rule.refusal));
        Statement(db, rule.remove, {key}).run();
        change.release();
        return 0;
    }
    throw DbError(ErrorNumber::Command, QStringLiteral("Parametru what necunoscut"));
}

constexpr int kRefused = 10;
constexpr int kBelowInProgress = 11;      // the last number is below the document in progress
constexpr int kDuplicateDescription = 12; // another series has the description

// Descriptions compared as SQL Server compares them: trailing blanks and case do not count.
constexpr const char* kSameDescription = "SELECT 1 FROM SeriiDocumente WHERE rtrim(Descriere, ' ') = "
                                         "rtrim(?1, ' ') COLLATE NOCASE AND IdSerie <> ?2";

struct Series {
    QVariant descriere, tip, serie, first, last, tipFactura, tipHartie, copii, linii, liniiAmbalaje, casierie;
};

Series seriesFrom(const std::vector<Parameter>& params) {
    Series s;
    s.descriere = textParam(params, "Document");
    s.tip = textParam(params, "TipValuta");
    s.serie = textParam(params, "DenumireAgent");
    s.first = numberParam(params, "Agent");
    s.last = numberParam(params, "TipBon");
    s.tipFactura = textParam(params, "DocTransferat");
    s.tipHartie = textParam(params, "DescriereDepozit");
    s.copii = numberParam(params, "CursV");
    s.linii = numberParam(params, "Dep");
    const QVariant ambalaje = numberParam(params, "catreDep");
    s.liniiAmbalaje = ambalaje.isNull() ? QVariant(0) : ambalaje;
    const QVariant casa = numberParam(params, "Client");
    s.casierie = casa.isNull() || casa.toLongLong() == 0 ? QVariant() : casa;
    return s;
}

// Start: adds (15), modifies (13) or deletes (14) a document series; 10, 11 and 12 refuse the
// change (see the T-SQL procedure).
int start(SqliteBackend& backend, std::vector<Parameter>& params) {
    sqlite3* db = backend.handle();
    const QVariant operation = numberParam(params, "Operatiune");
    const int op = operation.isNull() ? 0 : static_cast<int>(operation.toLongLong());
    if (op != 13 && op != 14 && op != 15)
        throw DbError(ErrorNumber::Command, QStringLiteral("Operatiune necunoscuta: %1").arg(op));

    Savepoint change(db);
    if (op == 15) {
        const Series s = seriesFrom(params);
        if (exists(db, "SELECT 1 FROM SeriiDocumente WHERE rtrim(Serie, ' ') = rtrim(?1, ' ') COLLATE NOCASE",
                   {s.serie}))
            return kRefused;
        if (exists(db, kSameDescription, {s.descriere, -1})) return kDuplicateDescription;
        Statement(
            db,
            "INSERT INTO SeriiDocumente (Descriere, Tip, Serie, FirstDoc, LastDoc, CurrentDoc, TipFactura, "
            "TipHartie, NumarCopii, NrLinFactura, NrLinAmbalaje, Casierie) "
            "VALUES (?1, ?2, ?3, ?4, ?5, ?4, ?6, ?7, ?8, ?9, ?10, ?11)",
            {s.descriere, s.tip, s.serie, s.first, s.last, s.tipFactura, s.tipHartie, s.copii, s.linii,
             s.liniiAmbalaje, s.casierie})
            .run();
        change.release();
        return 0;
    }

    const QVariant id = numberParam(params, "IdTop");
    QString storedTip, storedSerie;
    qint64 storedFirst = 0, storedCurrent = 0;
    {
        Statement current(
            db, "SELECT Tip, Serie, FirstDoc, CurrentDoc FROM SeriiDocumente WHERE IdSerie = ?1", {id});
        if (!current.next())
            throw DbError(ErrorNumber::Command,
                          QStringLiteral("Seria de documente %1 nu exista !").arg(id.toString()));
        storedTip = current.text(0);
        storedSerie = current.text(1);
        storedFirst = current.integer(2);
        storedCurrent = current.integer(3);
    }
    const bool issued = storedCurrent > storedFirst;

    if (op == 14) {
        if (issued) return kRefused;
        Statement(db, "DELETE FROM ConturiAmbalaje WHERE IdSeriiD = ?1", {id}).run();
        Statement(db, "DELETE FROM SeriiDocumente WHERE IdSerie = ?1", {id}).run();
        change.release();
        return 0;
    }

    const Series s = seriesFrom(params);
    const auto differs = [](const QString& a, const QString& b) {
        return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) != 0;
    };
    const bool locked = differs(storedTip, s.tip.toString()) || differs(storedSerie, s.serie.toString()) ||
                        s.first.isNull() || storedFirst != s.first.toLongLong();
    if (issued && locked) return kRefused;
    if (exists(db,
               "SELECT 1 FROM SeriiDocumente WHERE rtrim(Serie, ' ') = rtrim(?1, ' ') COLLATE NOCASE "
               "AND IdSerie <> ?2",
               {s.serie, id}))
        return kRefused;
    if (issued && !s.last.isNull() && s.last.toLongLong() < storedCurrent) return kBelowInProgress;
    if (exists(db, kSameDescription, {s.descriere, id})) return kDuplicateDescription;
    // Until a document is issued the series starts again at its (new) first number.
    Statement(db,
              "UPDATE SeriiDocumente SET Descriere = ?1, Tip = ?2, Serie = ?3, FirstDoc = ?4, LastDoc = ?5, "
              "CurrentDoc = CASE WHEN CurrentDoc > FirstDoc THEN CurrentDoc ELSE ?4 END, TipFactura = ?6, "
              "TipHartie = ?7, NumarCopii = ?8, NrLinFactura = ?9, NrLinAmbalaje = ?10, Casierie = ?11 "
              "WHERE IdSerie = ?12",
              {s.descriere, s.tip, s.serie, s.first, s.last, s.tipFactura, s.tipHartie, s.copii, s.linii,
               s.liniiAmbalaje, s.casierie, id})
        .run();
    change.release();
    return 0;
}

} // namespace

void registerNativeProcedures(SqliteBackend& backend) {
    backend.registerProcedure(QStringLiteral("Vezi"), vezi);
    backend.registerProcedure(QStringLiteral("Sterge"), sterge);
    backend.registerProcedure(QStringLiteral("Start"), start);
}

} // namespace vornel
