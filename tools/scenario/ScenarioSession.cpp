#include "ScenarioSession.h"

#include "Controls.h"

#include "entry/ComponentContext.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSettings>
#include <cstdlib>

namespace vornel::scenario {

ScenarioSession::ScenarioSession(const Scenario& scenario, DatabaseTemplates& templates, bool verbose,
                                 QTextStream& out, int timeoutMs)
    : m_scenario(scenario), m_verbose(verbose), m_out(out), m_timeoutMs(timeoutMs), m_state(templates) {
    m_state.vornel = std::make_unique<Vornel>();
    const std::shared_ptr<MessageLog> log = m_state.log;
    m_state.vornel->setMessageWindowFactory([log] { return std::make_unique<ScriptedMessageWindow>(log); });
    connect(m_state.vornel.get(), &Vornel::Iesire, this, [this] { ++m_state.iesire; });
    log->setFailureHandler([this](const QString& text) {
        fail(m_currentLine,
             QStringLiteral("expected an answer queued for %1; found no answer queued").arg(quoted(text)));
    });
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, &ScenarioSession::onTimeout);
}

ScenarioSession::~ScenarioSession() {
    // Nothing of this scenario may reach the next one: windows, context, locale, database.
    closeAllWindows();
    destroyAllWindows();
    auto& context = ComponentContext::current();
    context.connection.reset();
    context.messages.reset();
    context.component = nullptr;
    context.rightsCode.clear();
    context.idSoc = 0;
    context.idUsers = 0;
    m_state.vornel.reset();
    m_state.unlock();
    m_state.readOnlyConnection.reset();
    if (m_state.connection) m_state.connection->close();
    m_state.connection.reset();
    QLocale::setDefault(QLocale::system());
    QSettings(QStringLiteral("Vornel"), QStringLiteral("vornel")).clear(); // column layouts kept
}

void ScenarioSession::fail(int line, const QString& text) {
    ++m_failures;
    m_out << m_scenario.file << ':' << line << ": " << text << '\n';
    m_out.flush();
}

bool ScenarioSession::run() {
    if (m_verbose)
        m_out << m_scenario.file << ':' << m_scenario.line << ": scenario " << quoted(m_scenario.name)
              << '\n';
    if (!m_scenario.parseErrors.empty()) {
        for (const auto& [line, text] : m_scenario.parseErrors)
            fail(line, text);
        return false;
    }
    QLocale::setDefault(QLocale::system());
    m_timeout.start(m_timeoutMs);
    QTimer::singleShot(0, this, &ScenarioSession::runNext);
    m_loop.exec();
    m_timeout.stop();
    return m_failures == 0;
}

void ScenarioSession::runNext() {
    if (m_stepsOver) return;
    if (m_next >= m_scenario.steps.size()) {
        // The last step has run; steps that opened modal windows may still be waiting in them.
        endSteps();
        return;
    }
    const Step& step = m_scenario.steps[m_next++];
    // Scheduled before the step runs: a modal window the step opens runs the rest in its loop.
    QTimer::singleShot(0, this, &ScenarioSession::runNext);
    m_currentLine = step.line;
    if (m_verbose) {
        m_out << m_scenario.file << ':' << step.line << ": " << step.source << '\n';
        m_out.flush();
    }
    ++m_running;
    const QString problem = runStep(step, m_state);
    --m_running;
    if (!problem.isEmpty()) {
        fail(step.line, problem);
        // A failed check leaves the windows as they were; anything else leaves them unknown.
        if (!step.verb.startsWith(QStringLiteral("expect "))) endSteps();
    }
    finishIfDone();
}

void ScenarioSession::endSteps() {
    if (m_stepsOver) return;
    m_stepsOver = true;
    const int line = m_scenario.steps.empty() ? m_scenario.lastLine : m_currentLine;
    if (m_state.log->hasUnchecked())
        fail(line, QStringLiteral("expected every message checked; found %1 unchecked, the first %2")
                       .arg(m_state.log->uncheckedCount())
                       .arg(MessageLog::describe(m_state.log->oldestUnchecked())));
    // An answer no question took means a question the scenario expected was never asked.
    if (m_state.log->queuedAnswers() > 0)
        fail(line, QStringLiteral("expected every queued answer taken by a question; found %1 left")
                       .arg(m_state.log->queuedAnswers()));
    m_state.log->setMuted(true);
    m_state.unlock(); // the windows close on a database they can reach
    // Ends the modal loops, so that the steps waiting in them return.
    closeAllWindows();
    m_ended = true;
    finishIfDone();
}

void ScenarioSession::finishIfDone() {
    if (m_ended && m_running == 0) m_loop.quit();
}

void ScenarioSession::onTimeout() {
    fail(m_currentLine,
         QStringLiteral("expected the scenario to end within %1 s; found it still running at this step")
             .arg(m_timeoutMs / 1000));
    m_state.log->setMuted(true);
    m_stepsOver = true;
    closeAllWindows();
    m_ended = true;
    finishIfDone();
    // A step that still does not return holds a loop this runner cannot end: give up on the run.
    QTimer::singleShot(5000, this, [this] {
        if (m_running > 0) {
            m_out << m_scenario.file << ':' << m_currentLine
                  << ": expected the step to return; found it stuck\n";
            m_out.flush();
            std::_Exit(2);
        }
    });
}

} // namespace vornel::scenario
