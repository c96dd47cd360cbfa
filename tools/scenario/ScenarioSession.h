#pragma once
// Runs one scenario through the Qt event loop: each step schedules the next before it runs, so
// the steps after one that opens a modal window run inside that window's loop.

#include "ScenarioState.h"
#include "Script.h"

#include <QEventLoop>
#include <QObject>
#include <QTextStream>
#include <QTimer>
#include <vector>

namespace vornel::scenario {

struct Failure {
    int line = 0;
    QString text; // "expected ...; found ..."
};

class ScenarioSession : public QObject {
    Q_OBJECT
public:
    ScenarioSession(const Scenario& scenario, DatabaseTemplates& templates, bool verbose, QTextStream& out,
                    int timeoutMs = 20000);
    ~ScenarioSession() override;

    // Runs the scenario to its end and returns whether it passed; failures are printed as they occur.
    bool run();

private:
    void runNext();
    void endSteps();
    void onTimeout();
    void fail(int line, const QString& text);
    void finishIfDone();

    const Scenario& m_scenario;
    bool m_verbose;
    QTextStream& m_out;
    int m_timeoutMs;
    ScenarioState m_state;
    QEventLoop m_loop;
    QTimer m_timeout;
    std::size_t m_next = 0; // index of the next step to run
    int m_running = 0;      // steps that have started and not yet returned
    int m_currentLine = 0;
    bool m_stepsOver = false; // no more steps will run
    bool m_ended = false;     // end checks done and windows closed
    int m_failures = 0;
};

} // namespace vornel::scenario
