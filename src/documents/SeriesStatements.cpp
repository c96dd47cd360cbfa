#include "documents/SeriesStatements.h"

#include "data/SqlText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vornel::Series {

namespace {

// The whole-number value of a field as Val reads it, kept inside the range of an integer parameter.
qint64 wholeValue(const QString& text) {
    const double value = Sql::leadingNumber(text);
    constexpr double low = std::numeric_limits<qint32>::min();
    constexpr double high = std::numeric_limits<qint32>::max();
    if (!std::isfinite(value)) return 0;
    return static_cast<qint64>(std::trunc(std::clamp(value, low, high)));
}

// Series codes that name other documents of the suite and so cannot name a series.
const QStringList& reservedSeries() {
    static const QStringList names = {QStringLiteral("CORECTIE"),      QStringLiteral("PLATA"),
                                      QStringLiteral("INCASARE"),      QStringLiteral("AVIZ"),
                                      QStringLiteral("BON CONSUM"),    QStringLiteral("NOTA CONTABILA"),
                                      QStringLiteral("INTRARE/IESIRE")};
    return names;
}

Parameter param(const char* name, DataType type, int size, const QVariant& value,
                ParameterDirection direction = ParameterDirection::Input) {
    return Parameter{QString::fromLatin1(name), type, direction, size, value};
}

} // namespace

const QStringList& invoiceKinds() {
    static const QStringList kinds = {QStringLiteral("Normal"), QStringLiteral("Alcool"),
                                      QStringLiteral("Cafea"), QStringLiteral("Cu ambalaje"),
                                      QStringLiteral("Cu chitante")};
    return kinds;
}

const QStringList& paperSizes() {
    static const QStringList sizes = {QStringLiteral("A4"), QStringLiteral("A5")};
    return sizes;
}

QString orientation(const QString& paper) {
    return paper == QLatin1String("A4") ? QStringLiteral("Portrait") : QStringLiteral("Landscape");
}

QString listQuery() {
    return QStringLiteral(
        "  SELECT s.Descriere, "
        "         s.Tip , "
        "         s.Serie , "
        "         s.[FirstDoc], "
        "         s.[LastDoc], "
        "         s.[CurrentDoc], "
        "         s.[TipFactura], "
        "         s.[TipHartie], "
        "         s.[NumarCopii],s.IdSerie, "
        "         s.[NrLinFactura],s.[NrLinAmbalaje] As [Nr. Linii Ambalaje],  "
        "         isnull(convert(nvarchar, c.[Cod Casierie]) + ' - ' + c.[Denumire Casierie],'') "
        "As Casierie"
        "    From dbo.[SeriiDocumente] s left outer join dbo.Casierii c on "
        "s.Casierie=c.[Cod Casierie]");
}

QString gridFormat() {
    return QStringLiteral(
        "<Descriere|^Tip|<Serie|>Primul Nr Document|>Ultimul Nr Document|>Document In Curs|<ID");
}

QString cashDeskQuery() {
    return QStringLiteral(
        "select convert(nvarchar, [Cod Casierie]) + ' - ' + [Denumire Casierie] from Casierii");
}

std::optional<Refusal> check(const Fields& f, const std::function<bool(const QString&)>& descriptionExists) {
    if (f.descriere.trimmed().isEmpty())
        return Refusal{QStringLiteral("Descriere obligatorie !"), Field::Descriere};
    if (f.mode == QLatin1String("A") && descriptionExists && descriptionExists(f.descriere))
        return Refusal{QStringLiteral("Aceasta descriere exista deja in baza de date !"), Field::Descriere};
    if (!f.aviz && !f.facturi) return Refusal{QStringLiteral("Alegeti un tip de document !"), Field::Facturi};
    const QString serie = f.serie.trimmed().toUpper();
    if (serie.isEmpty()) return Refusal{QStringLiteral("Serie document obligatorie !"), Field::Serie};
    if (reservedSeries().contains(serie))
        return Refusal{QStringLiteral("Seria documentului nu poate lua valoarea ") + serie, Field::Serie};

    const QString firstMessage = QStringLiteral("Primul numar document obligatoriu si >=1 !");
    const QString lastMessage = QStringLiteral("Ultimul numar document obligatoriu si >=1 !");
    if (f.pd.isEmpty()) return Refusal{firstMessage, Field::PD};
    if (f.ud.isEmpty()) return Refusal{lastMessage, Field::UD};
    const double first = Sql::leadingNumber(f.pd);
    const double last = Sql::leadingNumber(f.ud);
    if (first == 0) return Refusal{firstMessage, Field::PD};
    if (last == 0) return Refusal{lastMessage, Field::UD};
    if (last <= first)
        return Refusal{QStringLiteral("Primul numar document trebuie sa fie mai mare ca ultimul document!"),
                       Field::PD};
    const QString copies = f.numarCopii.trimmed();
    if (copies.isEmpty() || Sql::leadingNumber(copies) == 0)
        return Refusal{QStringLiteral("Numarul de copii este obligatoriu (1, 2 sau 3)!"), Field::NumarCopii};
    const QString lines = f.nrLinFac.trimmed();
    if (lines.isEmpty() || Sql::leadingNumber(lines) == 0)
        return Refusal{QStringLiteral("Numarul de linii pe factura este obligatoriu si >=1 !"),
                       Field::NrLinFac};

    // The range bounds are written bare into the statement that finds a new series; a pasted value
    // that is not a plain number never gets that far.
    if (!Sql::isNumber(f.pd)) return Refusal{firstMessage, Field::PD};
    if (!Sql::isNumber(f.ud)) return Refusal{lastMessage, Field::UD};
    return std::nullopt;
}

QString descriptionCountQuery(const QString& descriere) {
    return QStringLiteral("SELECT count(*) ") + QStringLiteral("  FROM [SeriiDocumente] ") +
           QStringLiteral(" WHERE ([SeriiDocumente].Descriere= '") + Sql::text(descriere) +
           QStringLiteral("')");
}

std::optional<QString> addedIdQuery(const QString& serie, const QString& pd, const QString& ud) {
    if (!Sql::isNumber(pd) || !Sql::isNumber(ud)) return std::nullopt;
    return QStringLiteral("select IdSerie from SeriiDocumente where serie='") + Sql::text(serie) +
           QStringLiteral("' and firstdoc=") + pd + QStringLiteral(" and lastdoc=") + ud;
}

QString deletePackagingQuery(qint16 idSerie) {
    return QStringLiteral("delete from ConturiAmbalaje where IdSeriiD=") + QString::number(idSerie);
}

QString insertPackagingQuery(qint16 idSerie, const QString& entry) {
    return QStringLiteral("insert into ConturiAmbalaje values(") + QString::number(idSerie) +
           QStringLiteral(",'") + Sql::text(accountOf(entry)) + QStringLiteral("')");
}

QString accountOf(const QString& entry) {
    const qsizetype blank = entry.indexOf(u' ');
    return blank < 0 ? entry : entry.left(blank);
}

QString cashDeskCode(const QString& entry) {
    if (entry.isEmpty()) return QStringLiteral("0");
    return accountOf(entry);
}

std::vector<Parameter> startParameters(int operation, const Fields& f, double idSerie,
                                       const QString& packagingLines, const QString& previousSerie) {
    const QString empty;
    const qint64 packaging = f.tipFacturaIndex == kWithPackaging ? wholeValue(packagingLines) : 0;
    const qint64 id = std::isfinite(idSerie) ? static_cast<qint64>(idSerie) : 0;
    return {
        param("@Return_Value", DataType::Integer, 0, QVariant(), ParameterDirection::ReturnValue),
        param("@Name", DataType::VarChar, 50, empty),
        param("@Document", DataType::VarChar, 50, f.descriere),
        param("@Dep", DataType::Integer, 0, wholeValue(f.nrLinFac)),
        param("@Operatiune", DataType::TinyInt, 0, operation),
        param("@ec", DataType::TinyInt, 0, 0),
        param("@IdTop", DataType::Integer, 0, id),
        param("@DataDoc", DataType::Date, 0, QVariant()),
        param("@DataPlatii", DataType::Date, 0, QVariant()),
        param("@Agent", DataType::Integer, 0, wholeValue(f.pd)),
        param("@DenumireAgent", DataType::VarChar, 50, f.serie),
        param("@Client", DataType::VarChar, 50, cashDeskCode(f.casierie)),
        param("@DenumireClient", DataType::VarChar, 50, empty),
        param("@DebitMaxim", DataType::Currency, 0, 0),
        param("@SoldTotal", DataType::Currency, 0, 0),
        param("@TipValuta", DataType::VarChar, 20, f.aviz ? QStringLiteral("A") : QStringLiteral("F")),
        param("@CursV", DataType::TinyInt, 0, wholeValue(f.numarCopii)),
        param("@DocTransferat", DataType::VarChar, 50, f.tipFactura),
        param("@TipBon", DataType::Integer, 0, wholeValue(f.ud)),
        param("@DescriereDepozit", DataType::VarChar, 50, f.tipHartie),
        param("@catreDep", DataType::Integer, 0, packaging),
        param("@DesDepozit", DataType::VarChar, 50, empty),
        param("@Primitor", DataType::VarChar, 50, operation == kModify ? previousSerie : empty),
        param("@IntoarceDocument", DataType::VarChar, 50, empty),
    };
}

QString packagingAccountsQuery(qint16 idSerie) {
    return QStringLiteral("SELECT C.Cont + ' - ' + C.[Titlu Cont] As Cont FROM dbo.zconta_plan as C, "
                          "conturiambalaje AS Ca ") +
           QStringLiteral("where ca.Cont = C.Cont And ca.IdSeriiD = ") + QString::number(idSerie);
}

QString packagingLinesQuery(qint16 idSerie) {
    return QStringLiteral("select nrlinambalaje from dbo.seriidocumente where idserie=") +
           QString::number(idSerie);
}

QString accountSearch(const QString& typed) {
    return typed.contains(u'/') ? typed : typed + u'/';
}

QString accountSearchQuery(const QString& typed, Sql::LikeDialect dialect) {
    return QStringLiteral("SELECT Cont, [Titlu Cont] FROM dbo.zconta_plan WHERE (Cont Like ") +
           Sql::likeLiteral(accountSearch(typed), dialect) + QStringLiteral(")");
}

QString typeAheadFilter(const QString& header, const QString& typed) {
    return u'[' + header + QStringLiteral("] Like '") + Sql::text(typed) + QStringLiteral("%'");
}

} // namespace vornel::Series
