#include "company/CompanyStatements.h"

#include "data/SqlText.h"

#include <QDateTime>
#include <QStringList>

namespace vornel::company {

QString loadStatement(qint32 idSoc) {
    return QStringLiteral("SELECT [DenumireS], ") + QStringLiteral("ModalitateCalcul, ") +
           QStringLiteral("Exercitiu, ") + QStringLiteral("Adresa, ") + QStringLiteral("Orasul, ") +
           QStringLiteral("[Tel1], ") + QStringLiteral("[Tel2], ") + QStringLiteral("[Tel3], ") +
           QStringLiteral("[Tel4], ") + QStringLiteral("[CodFiscal], ") + QStringLiteral("[j], ") +
           QStringLiteral("Cafea, ") + QStringLiteral("Alcool, ") + QStringLiteral("Tigari, ") +
           QStringLiteral("[Banca], ") + QStringLiteral("[ContBanca], ") + QStringLiteral("[Curs], ") +
           QStringLiteral("[Incasari], ") + QStringLiteral("[Plati], ") +
           QStringLiteral("[Corectii],  [Curs],  CalculPump,  Judetul,  JV,  JC,  AI,  AP,  OD, sal ") +
           QStringLiteral(" FROM [ADMTIVRA].[dbo].[Societati] where id =  ") + QString::number(idSoc);
}

RowKey companyRow(qint32 idSoc) {
    return {QStringLiteral("AdmTivra.dbo.Societati"), {{QStringLiteral("ID"), idSoc}}};
}

QString depoziteStatement() {
    return QStringLiteral(
        "select Depozit as DEP,[Denumire Depozit]as Denumire ,convert(nvarchar, Furnizori,103) as "
        "[Doc furnizori],convert(nvarchar, Clienti,103) as [Doc clienti],convert(nvarchar, "
        "Altele,103) as [Alte doc]  From Depozite");
}

QString regieStatement() {
    return QStringLiteral("SELECT *  FRom pRegie Order By T");
}

QString calculPumpStatement(qint32 idSoc) {
    return QStringLiteral("SELECT IsNull(CalculPump, 'null') FROM AdmTivra.dbo.Societati WHERE Id = ") +
           QString::number(idSoc);
}

QString updateStatement(const CompanyFields& f, qint32 idSoc) {
    const auto q = [](const QString& value) { return Sql::text(value); };
    return QStringLiteral("UPDATE [AdmTivra].[dbo].[Societati] SET ") + QStringLiteral("[DenumireS]    ='") +
           q(f.denumire.trimmed()) + QStringLiteral("',") + QStringLiteral("[Adresa]    ='") +
           q(f.adresa.trimmed()) + QStringLiteral("',") + QStringLiteral("[Judetul]   = '") +
           q(f.judet.trimmed()) + QStringLiteral("',") + QStringLiteral("[Orasul]    = '") +
           q(f.oras.trimmed()) + QStringLiteral("',") + QStringLiteral("[Tel1]  ='") + q(f.telefon[0]) +
           QStringLiteral("',") + QStringLiteral("[Tel2]  ='") + q(f.telefon[1]) + QStringLiteral("',") +
           QStringLiteral("[Tel3]  ='") + q(f.telefon[2]) + QStringLiteral("',") +
           QStringLiteral("[Tel4]  ='") + q(f.telefon[3]) + QStringLiteral("',") +
           QStringLiteral("[CodFiscal]     ='") + q(f.codFiscal) + QStringLiteral("',") +
           QStringLiteral("[J]     ='") + q(f.nrInm) + QStringLiteral("',") +
           QStringLiteral("[Banca]     ='") + q(f.banca) + QStringLiteral("',") +
           QStringLiteral("[ContBanca]     ='") + q(f.contBanca) + QStringLiteral("',") +
           QStringLiteral("[Cafea]     ='") + q(f.cafea) + QStringLiteral("' ,") +
           QStringLiteral("[Alcool]    ='") + q(f.alcool) + QStringLiteral("',") +
           QStringLiteral("[Tigari]    = '") + q(f.tigari) + QStringLiteral("'") + QStringLiteral(" Where") +
           QStringLiteral("( [ID]   = ") + QString::number(idSoc) + QStringLiteral(")");
}

int LunaDinNume(const QString& name) {
    static const QStringList months = {
        QStringLiteral("ianuarie"),  QStringLiteral("februarie"), QStringLiteral("martie"),
        QStringLiteral("aprilie"),   QStringLiteral("mai"),       QStringLiteral("iunie"),
        QStringLiteral("iulie"),     QStringLiteral("august"),    QStringLiteral("septembrie"),
        QStringLiteral("octombrie"), QStringLiteral("noiembrie"), QStringLiteral("decembrie")};
    const QString lower = name.toLower();
    const qsizetype index = months.indexOf(lower);
    if (index >= 0) return static_cast<int>(index) + 1;
    return lower == u"null" ? 13 : 25;
}

CalculationLabels calculationLabels(const QVariant& modalitateCalcul) {
    const QString method = modalitateCalcul.isNull() ? QString() : modalitateCalcul.toString();
    if (method == u"FIFO") return {QStringLiteral("FIFO"), QStringLiteral("FIFO calculat pina in")};
    if (method == u"LIFO") return {QStringLiteral("LIFO"), QStringLiteral("LIFO calculat pina in")};
    return {QStringLiteral("CUMP"), QStringLiteral("CMP calculat pina in")};
}

QString dateText(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return {};
    QDate date;
    if (value.typeId() == QMetaType::QDateTime)
        date = value.toDateTime().date();
    else if (value.typeId() == QMetaType::QDate)
        date = value.toDate();
    else {
        const QString text = value.toString().trimmed();
        date = QDate::fromString(text.left(10), Qt::ISODate);
    }
    return date.isValid() ? date.toString(QStringLiteral("dd-MM-yyyy")) : QString();
}

} // namespace vornel::company
