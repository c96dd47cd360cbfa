// The host's "Copie de siguranta..." and "Restaurare...": the embedded database copied to a file
// the user picks, or replaced by a checked copy, with a progress window that can stop it.

#include "HostDatabase.h"
#include "HostWindow.h"

#include "data/DbError.h"
#include "data/sqlite/SqliteBackup.h"
#include "entry/ComponentContext.h"
#include "messages/RomanianCaptions.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QProgressDialog>
#include <QSpinBox>
#include <QStandardPaths>

namespace vornel::host {

namespace {

int tell(const QString& text, int icon, const QString& title, int buttons = MessageButtons::Ok) {
    return ComponentContext::current().Afiseaza(text, icon, buttons, title);
}

// A file picked in Qt's own dialog, with Romanian captions; empty when the user gives up.
QString chooseFile(QWidget* parent, const QString& title, const QString& start, bool saving) {
    QFileDialog dialog(parent, title, start, QStringLiteral("Baze de date (*.db);;Toate fisierele (*)"));
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The question about replacing a file is ours, so it speaks Romanian.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (saving) dialog.setDefaultSuffix(QStringLiteral("db"));
    RomanianCaptions::apply(dialog, saving ? "Salveaza" : "Deschide");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

QString documentsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

// The progress of a copy; the callback keeps the window painted and says whether to go on.
class CopyProgress {
public:
    CopyProgress(QWidget* parent, const QString& label, const QString& title)
        : m_dialog(label, QString(), 0, 100, parent) {
        m_dialog.setWindowTitle(title);
        m_dialog.setWindowModality(Qt::ApplicationModal);
        m_dialog.setMinimumDuration(0);
        RomanianCaptions::apply(m_dialog);
    }
    SqliteBackup::Progress callback() {
        return [this](qint64 done, qint64 total) {
            m_dialog.setValue(total > 0 ? static_cast<int>(done * 100 / total) : 100);
            QApplication::processEvents();
            return !m_dialog.wasCanceled();
        };
    }

private:
    QProgressDialog m_dialog;
};

} // namespace

bool HostWindow::embeddedOnly(const QString& title) {
    if (!m_embeddedPath.isEmpty()) return true;
    tell(QStringLiteral("Bazele de date SQL Server se salveaza si se restaureaza pe server "
                        "(vezi db/mssql/README.md)."),
         MessageIcon::Information, title);
    return false;
}

void HostWindow::backup() {
    const QString title = QStringLiteral("Copie de siguranta");
    if (!embeddedOnly(title)) return;
    const QString proposed =
        QDir(documentsFolder())
            .filePath(QStringLiteral("%1-%2.db")
                          .arg(QFileInfo(m_embeddedPath).completeBaseName(),
                               QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
    const QString file = chooseFile(this, title, proposed, true);
    if (file.isEmpty()) return;
    if (QFileInfo::exists(file) &&
        tell(QStringLiteral("Fisierul %1 exista. Il inlocuiti?").arg(QDir::toNativeSeparators(file)),
             MessageIcon::Question, title, MessageButtons::YesNo) != MessageResult::Yes)
        return;
    CopyProgress progress(this, QStringLiteral("Se scrie copia de siguranta..."), title);
    try {
        if (!SqliteBackup::save(m_embeddedPath, file, progress.callback())) return;
    } catch (const DbError& e) {
        tell(e.description(), MessageIcon::Error, title);
        return;
    }
    tell(QStringLiteral("Copia de siguranta a fost scrisa in %1.").arg(QDir::toNativeSeparators(file)),
         MessageIcon::Information, title);
}

void HostWindow::restore() {
    const QString title = QStringLiteral("Restaurare");
    if (!embeddedOnly(title)) return;
    const QString file = chooseFile(this, title, documentsFolder(), false);
    if (file.isEmpty()) return;
    const QString shown = QDir::toNativeSeparators(file);
    // A refused copy is told before any window closes.
    const QString reason = SqliteBackup::refusal(file, m_embeddedPath, m_company->value());
    if (!reason.isEmpty()) {
        tell(QStringLiteral("Copia %1 nu poate fi restaurata: %2.").arg(shown, reason), MessageIcon::Error,
             title);
        return;
    }
    if (tell(QStringLiteral("Baza de date %1 va fi inlocuita cu copia %2.\r\nFerestrele deschise se inchid; "
                            "fisierele de acum raman alaturi, cu terminatia %3.\r\n\r\nContinuati?")
                 .arg(QDir::toNativeSeparators(m_embeddedPath), shown,
                      QLatin1String(SqliteBackup::kReplacedSuffix)),
             MessageIcon::Question, title, MessageButtons::YesNo) != MessageResult::Yes)
        return;
    m_component.InchideTot();
    ComponentContext::current().connection.reset();
    m_connection.reset();
    bool restored = false;
    {
        CopyProgress progress(this, QStringLiteral("Se restaureaza baza de date..."), title);
        try {
            restored = SqliteBackup::restore(file, m_embeddedPath, m_company->value(), progress.callback());
        } catch (const DbError& e) {
            tell(e.description(), MessageIcon::Error, title);
        }
    }
    // Open again what is there now: the restored database, or the one that stayed.
    try {
        m_connection = HostDatabase::open(m_embeddedPath, {}).connection;
    } catch (const DbError& e) {
        tell(e.description(), MessageIcon::Error, title);
        return;
    }
    if (restored)
        tell(QStringLiteral("Baza de date a fost restaurata din %1.").arg(shown), MessageIcon::Information,
             title);
}

} // namespace vornel::host
