#pragma once
// Statements, checks and procedure parameters of the output document series and their packaging
// accounts, as free functions of the values typed in the windows.

#include "data/Parameter.h"
#include "data/SqlText.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace vornel::Series {

// Operations of the stored procedure "Start".
constexpr int kModify = 13;
constexpr int kDelete = 14;
constexpr int kAdd = 15;
// "Start" refuses: documents in progress for the series, or another series with the same code.
constexpr int kRefused = 10;
// "Start" refuses a last number below the document in progress, and a description another
// series has.
constexpr int kBelowInProgress = 11;
constexpr int kDuplicateDescription = 12;
// Whether "Start" refused the change (and so changed nothing).
constexpr bool isRefusal(int result) {
    return result == kRefused || result == kBelowInProgress || result == kDuplicateDescription;
}
// Index of "Cu ambalaje" among the invoice kinds: the kind that has packaging accounts.
constexpr int kWithPackaging = 3;

const QStringList& invoiceKinds();         // "Normal", "Alcool", "Cafea", "Cu ambalaje", "Cu chitante"
const QStringList& paperSizes();           // "A4", "A5"
QString orientation(const QString& paper); // "Portrait" for A4, "Landscape" otherwise

// The series list of the grid, its format string and the cash desks of the combo box.
QString listQuery();
QString gridFormat();
QString cashDeskQuery();

// The values of the edit fields, as typed.
struct Fields {
    QString mode; // "A" or "M"
    QString descriere;
    bool aviz = false;
    bool facturi = false;
    QString serie;
    QString pd;
    QString ud;
    QString numarCopii;
    QString nrLinFac;
    int tipFacturaIndex = -1;
    QString tipFactura;
    QString tipHartie;
    QString casierie; // combo text: empty or "code - name"
};

// Which field a refused check sends the focus to.
enum class Field { Descriere, Facturi, Serie, PD, UD, NumarCopii, NrLinFac };

struct Refusal {
    QString message;
    Field focus;
};

// The checks of "Accepta" in their order; the first failure, or nothing when all pass.
// descriptionExists is asked only in add mode.
std::optional<Refusal> check(const Fields& f, const std::function<bool(const QString&)>& descriptionExists);

// The refusals of "Start" that name a field: the message and the field to correct.
std::optional<Refusal> startRefusal(int result);

// Counts the series with this description (trailing blanks and case do not count).
QString descriptionCountQuery(const QString& descriere);
// The id of the series just added, found by code and range; nothing when a bound is not a number.
std::optional<QString> addedIdQuery(const QString& serie, const QString& pd, const QString& ud);
QString deletePackagingQuery(qint16 idSerie);
QString insertPackagingQuery(qint16 idSerie, const QString& entry);
// The account of a list entry "account - title": its text up to the first blank.
QString accountOf(const QString& entry);
// The cash desk code of a combo entry, "0" for the empty entry.
QString cashDeskCode(const QString& entry);

// The 24 parameters of "Start", in order. packagingLines is the selector's line count text,
// used only for the kind with packaging; previousSerie is the stored code before a modification.
std::vector<Parameter> startParameters(int operation, const Fields& f, double idSerie,
                                       const QString& packagingLines, const QString& previousSerie);

// Packaging accounts selector.
QString packagingAccountsQuery(qint16 idSerie);
QString packagingLinesQuery(qint16 idSerie);
// "/" is the wildcard; a text without one matches the accounts that start with it.
QString accountSearch(const QString& typed);
QString accountSearchQuery(const QString& typed, Sql::LikeDialect dialect);
QString typeAheadFilter(const QString& header, const QString& typed);

} // namespace vornel::Series
