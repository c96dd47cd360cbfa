#pragma once
// What a window needs to save through the change pipeline: who saves and from where, and what the
// user reads when a save fails.

#include "data/AuditTrail.h"

#include <QString>

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

} // namespace vornel
