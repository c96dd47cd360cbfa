#pragma once
// What a window needs to save through the change pipeline: who saves and from where, and what the
// user reads when a save fails.

#include "data/AuditTrail.h"
#include "data/RowSnapshot.h"

#include <QString>
#include <optional>

namespace vornel {

class DbError;

// The ids Apel received and the window's caption, for the audit trail.
AuditContext auditContext(const QString& caption);

// Why a save failed, for the user: a row another user changed or deleted meanwhile (icon 48); a
// busy, read-only or full database, a lost connection or a missing table named in words (icon 16);
// otherwise `ownText` when the window has one for the cause (a duplicate key), else the database's
// own description. Nothing was saved in any of these cases.
struct SaveFailure {
    QString text;
    int icon;
};
SaveFailure saveFailure(const DbError& error, const QString& ownText = {});

// Shows it with one OK button and the title given.
void showSaveError(const DbError& error, const QString& title, const QString& ownText = {});

// The row as it is stored now, to compare the next save with: after a save, or after one refused
// for another user's change (saving again then writes over that change knowingly). None when the
// row is gone or cannot be read; a save then is refused.
std::optional<RowSnapshot> storedRow(const RowKey& key);

} // namespace vornel
