#pragma once
// What one scenario works on: its database copy and connection, the Vornel object, the message
// log, the Iesire count, the statements the component executed, and the ids for the next Apel.

#include "DatabaseTemplates.h"
#include "Script.h"
#include "ScriptedMessageWindow.h"

#include "data/Connection.h"
#include "entry/Vornel.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace vornel::scenario {

struct ScenarioState {
    explicit ScenarioState(DatabaseTemplates& templates_) : templates(templates_) {}

    // The scenario's connection, opened on a fresh demo copy at first use.
    Connection& db();
    // Replaces the database by a fresh copy of the given kind.
    void freshDatabase(bool empty);
    // The connection the next Apel passes: the scenario's own, or one that opens the same file
    // read-only once the scenario asked for it.
    std::shared_ptr<Connection> componentConnection();
    // A second connection to the database file holds an exclusive lock until unlock() or the end.
    void lock();
    void unlock();
    // A file the scenario names: a relative name lies in the scenario's own folder.
    QString filePath(const QString& name);
    // A digest of every row of every table of the company file and its administration file; empty
    // when a file fails its integrity check.
    QByteArray digest() const;
    // Runs a statement of the runner itself: the component's executed list does not see it.
    template <class F> auto quietly(F&& f) {
        struct Restore {
            bool& flag;
            ~Restore() { flag = true; }
        } restore{recording};
        recording = false;
        return f();
    }

    DatabaseTemplates& templates;
    QString dbPath;
    std::unique_ptr<QTemporaryDir> files; // the scenario's folder, made at first use
    std::shared_ptr<Connection> connection;
    bool readOnly = false;
    std::shared_ptr<Connection> readOnlyConnection;
    std::shared_ptr<void> locker; // the locking connection, closed when released
    QByteArray snapshot;          // the digest the step "snapshot" took
    std::unique_ptr<Vornel> vornel;
    std::shared_ptr<MessageLog> log = std::make_shared<MessageLog>();
    int iesire = 0;
    QStringList executed;
    bool recording = true;
    qint32 company = 1;
    qint32 user = 1;
};

// Runs one step; returns "expected ...; found ..." when it fails, an empty text when it passes.
QString runStep(const Step& step, ScenarioState& state);
QString runSetupStep(const Step& step, ScenarioState& state);
QString runActionStep(const Step& step, ScenarioState& state);
QString runCheckStep(const Step& step, ScenarioState& state);

} // namespace vornel::scenario
