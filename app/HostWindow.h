#pragma once
// The stand-in for the suite's main program: menus with every caption of the component, the
// company and user ids passed to Apel, the database in use, and a status line for Iesire.

#include "data/Connection.h"
#include "entry/Vornel.h"

#include <QMainWindow>
#include <memory>

class QSpinBox;
class QLabel;
class QListWidget;

namespace vornel::host {

class HostWindow : public QMainWindow {
    Q_OBJECT
public:
    HostWindow(std::shared_ptr<Connection> connection, const QString& databaseText, int company, int user);

    // Calls Apel with the caption and the ids shown; a database error is shown by the host.
    void open(const QString& caption);

    // The embedded database file in use, for "Copie de siguranta..." and "Restaurare..." (empty
    // with SQL Server, whose backups are the server's).
    void setEmbeddedDatabase(const QString& path) { m_embeddedPath = path; }

protected:
    // The component's windows have no owner: closing the host ends the program.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void onIesire();
    void about();
    // Program menu: copy of the embedded database, and its replacement by a copy (HostBackup.cpp).
    void backup();
    void restore();
    bool embeddedOnly(const QString& title);

    std::shared_ptr<Connection> m_connection;
    QString m_embeddedPath;
    QLabel* m_database = nullptr;
    Vornel m_component;
    QSpinBox* m_company = nullptr;
    QSpinBox* m_user = nullptr;
    QListWidget* m_history = nullptr;
};

} // namespace vornel::host
