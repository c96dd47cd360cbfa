#include "documents/SeriesStatements.h"

#include "controls/NumberText.h"
#include "data/RecordsetFilter.h"
#include "data/SqlText.h"
#include "data/StatementBuilder.h"

#include <cmath>

namespace vornel::Series {

namespace {

// The value of a number field for an integer parameter; 0 when it holds none (the checks have
// refused such a field before anything is sent).
qint64 wholeValue(const QString& text) {
    return NumberText::readInt32(text).value_or(0);
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
    const QString outOfRange = QStringLiteral("Valoare numerica incorecta !");
    if (f.pd.isEmpty()) return Refusal{firstMessage, Field::PD};
    if (f.ud.isEmpty()) return Refusal{lastMessage, Field::UD};
    // The range is stored in integer columns: a value they cannot hold is refused, never cut.
    const std::optional<qint32> first = NumberText::readInt32(f.pd);
    if (!first) return Refusal{outOfRange, Field::PD};
    const std::optional<qint32> last = NumberText::readInt32(f.ud);
    if (!last) return Refusal{outOfRange, Field::UD};
    if (*first < 1) return Refusal{firstMessage, Field::PD};
    if (*last < 1) return Refusal{lastMessage, Field::UD};
    if (*last <= *first)
        return Refusal{QStringLiteral("Primul numar document trebuie sa fie mai mare ca ultimul document!"),
                       Field::PD};
    const QString copiesMessage = QStringLiteral("Numarul de copii este obligatoriu (1, 2 sau 3)!");
    if (f.numarCopii.trimmed().isEmpty()) return Refusal{copiesMessage, Field::NumarCopii};
    const std::optional<qint32> copies = NumberText::readInt32(f.numarCopii);
    if (!copies) return Refusal{outOfRange, Field::NumarCopii};
    if (*copies < 1 || *copies > 3) return Refusal{copiesMessage, Field::NumarCopii};
    const QString linesMessage = QStringLiteral("Numarul de linii pe factura este obligatoriu si >=1 !");
    if (f.nrLinFac.trimmed().isEmpty()) return Refusal{linesMessage, Field::NrLinFac};
    const std::optional<qint32> lines = NumberText::readInt32(f.nrLinFac);
    if (!lines) return Refusal{outOfRange, Field::NrLinFac};
    if (*lines < 1) return Refusal{linesMessage, Field::NrLinFac};
    return std::nullopt;
}

std::optional<Refusal> startRefusal(int result) {
    if (result == kBelowInProgress)
        return Refusal{
            QStringLiteral("Ultimul numar nu poate fi mai mic decat numarul documentului in curs !"),
            Field::UD};
    if (result == kDuplicateDescription)
        return Refusal{QStringLiteral("Aceasta descriere exista deja in baza de date !"), Field::Descriere};
    return std::nullopt;
}

QString descriptionCountQuery(const QString& descriere) {
    // Compared as SQL Server compares text, on every backend: trailing blanks and case do not count.
    return QStringLiteral("SELECT count(*) ") + QStringLiteral("  FROM [SeriiDocumente] ") +
           QStringLiteral(" WHERE (UPPER(RTRIM([SeriiDocumente].Descriere))= UPPER(RTRIM('") +
           Sql::text(descriere) + QStringLiteral("')))");
}

std::optional<QString> addedIdQuery(const QString& serie, const QString& pd, const QString& ud) {
    const std::optional<qint32> first = NumberText::readInt32(pd);
    const std::optional<qint32> last = NumberText::readInt32(ud);
    if (!first || !last) return std::nullopt;
    return QStringLiteral("select IdSerie from SeriiDocumente where serie='") + Sql::text(serie) +
           QStringLiteral("' and firstdoc=") + QString::number(*first) + QStringLiteral(" and lastdoc=") +
           QString::number(*last);
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
    return u'[' + header + QStringLiteral("] Like '") + Sql::text(likeLiteralText(typed)) +
           QStringLiteral("%'");
}

} // namespace vornel::Series
