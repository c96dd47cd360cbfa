// The checks of a series in their order, the statements built from typed values and the
// parameters of "Start".
#include "documents/SeriesStatements.h"

#include <gtest/gtest.h>

using namespace vornel;
using namespace vornel::Series;

namespace {

Fields valid() {
    Fields f;
    f.mode = QStringLiteral("A");
    f.descriere = QStringLiteral("Facturi export");
    f.facturi = true;
    f.serie = QStringLiteral("LEX");
    f.pd = QStringLiteral("5");
    f.ud = QStringLiteral("6");
    f.numarCopii = QStringLiteral("2");
    f.nrLinFac = QStringLiteral("18");
    f.tipFacturaIndex = 0;
    f.tipFactura = QStringLiteral("Normal");
    f.tipHartie = QStringLiteral("A4");
    return f;
}

std::optional<Refusal> checked(const Fields& f) {
    return check(f, [](const QString&) { return false; });
}

const Parameter& named(const std::vector<Parameter>& params, const char* name) {
    const Parameter* p = findParameter(params, QString::fromLatin1(name));
    EXPECT_NE(p, nullptr) << name;
    static const Parameter none;
    return p ? *p : none;
}

} // namespace

TEST(SeriesChecks, EachRuleRefusesInOrderWithItsMessageAndField) {
    struct Case {
        std::function<void(Fields&)> spoil;
        const char* message;
        Field focus;
    };
    const Case cases[] = {
        {[](Fields& f) { f.descriere = QStringLiteral("   "); }, "Descriere obligatorie !", Field::Descriere},
        {[](Fields& f) { f.aviz = f.facturi = false; }, "Alegeti un tip de document !", Field::Facturi},
        {[](Fields& f) { f.serie = QStringLiteral(" "); }, "Serie document obligatorie !", Field::Serie},
        {[](Fields& f) { f.serie = QStringLiteral("aviz "); },
         "Seria documentului nu poate lua valoarea AVIZ", Field::Serie},
        {[](Fields& f) { f.serie = QStringLiteral("Intrare/Iesire"); },
         "Seria documentului nu poate lua valoarea INTRARE/IESIRE", Field::Serie},
        {[](Fields& f) { f.pd.clear(); }, "Primul numar document obligatoriu si >=1 !", Field::PD},
        {[](Fields& f) { f.ud.clear(); }, "Ultimul numar document obligatoriu si >=1 !", Field::UD},
        {[](Fields& f) { f.pd = QStringLiteral("0"); }, "Primul numar document obligatoriu si >=1 !",
         Field::PD},
        {[](Fields& f) { f.ud = QStringLiteral("00"); }, "Ultimul numar document obligatoriu si >=1 !",
         Field::UD},
        {[](Fields& f) { f.ud = QStringLiteral("5"); },
         "Primul numar document trebuie sa fie mai mare ca ultimul document!", Field::PD},
        {[](Fields& f) { f.ud = QStringLiteral("4"); },
         "Primul numar document trebuie sa fie mai mare ca ultimul document!", Field::PD},
        {[](Fields& f) { f.numarCopii = QStringLiteral("0"); },
         "Numarul de copii este obligatoriu (1, 2 sau 3)!", Field::NumarCopii},
        {[](Fields& f) { f.nrLinFac = QStringLiteral(" "); },
         "Numarul de linii pe factura este obligatoriu si >=1 !", Field::NrLinFac},
        // Pasted past the key filters: values the integer columns cannot hold are refused, not cut.
        {[](Fields& f) { f.pd = QStringLiteral("5 or 1=1"); }, "Valoare numerica incorecta !", Field::PD},
        {[](Fields& f) { f.ud = QStringLiteral("99999999999"); }, "Valoare numerica incorecta !", Field::UD},
        {[](Fields& f) { f.nrLinFac = QStringLiteral("NaN"); }, "Valoare numerica incorecta !",
         Field::NrLinFac},
    };
    for (const Case& c : cases) {
        Fields f = valid();
        c.spoil(f);
        const auto refusal = checked(f);
        ASSERT_TRUE(refusal.has_value()) << c.message;
        EXPECT_EQ(refusal->message, QString::fromLatin1(c.message));
        EXPECT_EQ(refusal->focus, c.focus) << c.message;
    }
    // Two faults: the earlier rule speaks.
    Fields f = valid();
    f.serie.clear();
    f.nrLinFac.clear();
    EXPECT_EQ(checked(f)->focus, Field::Serie);
}

// The edges each rule accepts (first 5, last 6; only the listed codes are reserved; an aviz alone);
// a description that exists is asked for, and refused, only when adding (the scenarios show the
// refusal).
TEST(SeriesChecks, AcceptsTheEdgesOfEachRuleAndAsksForTheDescriptionOnlyWhenAdding) {
    int asked = 0;
    const auto exists = [&asked](const QString&) { return ++asked > 1; };
    for (const auto& spoil : std::vector<std::function<void(Fields&)>>{
             [](Fields&) {}, [](Fields& f) { f.serie = QStringLiteral("A NR."); },
             [](Fields& f) { f.serie = QStringLiteral("AVIZE"); },
             [](Fields& f) { std::tie(f.aviz, f.facturi) = std::pair(true, false); }}) {
        Fields f = valid();
        f.mode = QStringLiteral("M");
        spoil(f);
        EXPECT_FALSE(check(f, exists).has_value());
    }
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(check(valid(), exists).has_value());
    EXPECT_TRUE(check(valid(), exists).has_value());
}

TEST(SeriesStatements, AreTheExactTextsWithQuotesDoubled) {
    EXPECT_EQ(
        listQuery(),
        "  SELECT s.Descriere,          s.Tip ,          s.Serie ,          s.[FirstDoc],          "
        "s.[LastDoc], "
        "         s.[CurrentDoc],          s.[TipFactura],          s.[TipHartie],          "
        "s.[NumarCopii],s.IdSerie,          s.[NrLinFactura],s.[NrLinAmbalaje] As [Nr. Linii Ambalaje],  "
        "         isnull(convert(nvarchar, c.[Cod Casierie]) + ' - ' + c.[Denumire Casierie],'') As Casierie"
        "    From dbo.[SeriiDocumente] s left outer join dbo.Casierii c on s.Casierie=c.[Cod Casierie]");
    EXPECT_EQ(descriptionCountQuery(QStringLiteral("Ana's")),
              "SELECT count(*)   FROM [SeriiDocumente]  WHERE (UPPER(RTRIM([SeriiDocumente].Descriere))= "
              "UPPER(RTRIM('Ana''s')))");
    EXPECT_EQ(addedIdQuery(QStringLiteral("LEX"), QStringLiteral("5"), QStringLiteral("6")).value(),
              "select IdSerie from SeriiDocumente where serie='LEX' and firstdoc=5 and lastdoc=6");
    EXPECT_FALSE(
        addedIdQuery(QStringLiteral("LEX"), QStringLiteral("5;drop"), QStringLiteral("6")).has_value());
    EXPECT_EQ(
        packagingAccountsQuery(2),
        "SELECT C.Cont + ' - ' + C.[Titlu Cont] As Cont FROM dbo.zconta_plan as C, conturiambalaje AS Ca "
        "where ca.Cont = C.Cont And ca.IdSeriiD = 2");
    EXPECT_EQ(packagingLinesQuery(2), "select nrlinambalaje from dbo.seriidocumente where idserie=2");
    // The packaging scenarios search with slashes, pick accounts and cash desks on the embedded engine.
    EXPECT_EQ(accountSearchQuery(QStringLiteral("381"), Sql::LikeDialect::Brackets),
              "SELECT Cont, [Titlu Cont] FROM dbo.zconta_plan WHERE (Cont Like '381%')");
}

// What the embedded "Start" reads is proven by the procedure tests; the order, the types and the
// sizes are what SQL Server binds by.
TEST(StartParameters, OrderTypesSizesAndWhatOnlyAModificationSends) {
    Fields f = valid();
    f.aviz = true;
    auto params = startParameters(kModify, f, 4, QStringLiteral("7"), QStringLiteral("LMT"));
    QStringList names;
    for (const Parameter& p : params)
        names << p.name;
    EXPECT_EQ(
        names.join(u' '),
        "@Return_Value @Name @Document @Dep @Operatiune @ec @IdTop @DataDoc @DataPlatii @Agent "
        "@DenumireAgent @Client @DenumireClient @DebitMaxim @SoldTotal @TipValuta @CursV @DocTransferat "
        "@TipBon @DescriereDepozit @catreDep @DesDepozit @Primitor @IntoarceDocument");
    EXPECT_EQ(params[0].direction, ParameterDirection::ReturnValue);
    EXPECT_EQ(params[4].type, DataType::TinyInt);
    EXPECT_EQ(params[7].type, DataType::Date);
    EXPECT_FALSE(params[7].value.isValid());
    EXPECT_EQ(params[13].type, DataType::Currency);
    EXPECT_EQ(params[15].size, 20);
    EXPECT_EQ(params[10].size, 50);
    EXPECT_EQ(named(params, "TipValuta").value.toString(), "A");
    EXPECT_EQ(named(params, "catreDep").value.toInt(), 0); // not the kind with packaging
    EXPECT_EQ(named(params, "Primitor").value.toString(), "LMT");
    params = startParameters(kAdd, f, 4, QStringLiteral("7"), QStringLiteral("LMT"));
    EXPECT_EQ(named(params, "Primitor").value.toString(), "");
    // A selector never opened leaves no count: nothing usable is sent as 0.
    f.tipFacturaIndex = kWithPackaging;
    EXPECT_EQ(named(startParameters(kDelete, f, 4, QString(), QString()), "catreDep").value.toInt(), 0);
}
