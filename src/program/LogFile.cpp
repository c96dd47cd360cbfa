#include "program/LogFile.h"

#include <QDateTime>
#include <QDir>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <cstdio>

namespace vornel {

namespace {

// Qt's message handler is a plain function: it reaches the one open log through this pointer,
// set and cleared by the LogFile's lifetime.
LogFile* g_active = nullptr;

const char* levelName(QtMsgType type) {
    switch (type) {
    case QtDebugMsg:
        return "debug";
    case QtInfoMsg:
        return "info";
    case QtWarningMsg:
        return "warning";
    case QtCriticalMsg:
        return "critical";
    case QtFatalMsg:
        return "fatal";
    }
    return "?";
}

QString rotatedName(const QString& folder, int n) {
    return QDir(folder).filePath(n == 0 ? QStringLiteral("vornel.log")
                                        : QStringLiteral("vornel.%1.log").arg(n));
}

} // namespace

LogFile::LogFile(const QString& folder, bool echo, qint64 maxBytes)
    : m_folder(folder), m_path(rotatedName(folder, 0)), m_echo(echo), m_maxBytes(maxBytes) {
    QDir().mkpath(folder);
    m_file.setFileName(m_path);
    if (!m_file.open(QIODevice::Append | QIODevice::Text) && echo)
        std::fprintf(stderr, "vornel: the log %s cannot be written\n", qPrintable(m_path));
    QLoggingCategory::setFilterRules(echo ? QStringLiteral("vornel.*.debug=true")
                                          : QStringLiteral("vornel.*.debug=false"));
    g_active = this;
    m_previous = qInstallMessageHandler(&LogFile::handler);
}

LogFile::~LogFile() {
    qInstallMessageHandler(m_previous);
    if (g_active == this) g_active = nullptr;
}

QString LogFile::defaultFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("log"));
}

void LogFile::handler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    LogFile* log = g_active;
    const QString line =
        QStringLiteral("%1 %2 %3: %4")
            .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs), QLatin1String(levelName(type)),
                 QLatin1String(context.category ? context.category : "default"), message);
    if (log) log->write(line);
    if (!log || log->m_echo || type == QtFatalMsg) {
        std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
        std::fflush(stderr);
    }
}

void LogFile::write(const QString& line) {
    const QMutexLocker lock(&m_mutex);
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    if (m_file.isOpen() && m_file.size() > 0 && m_file.size() + bytes.size() > m_maxBytes) rotate();
    if (!m_file.isOpen()) return;
    m_file.write(bytes);
    m_file.flush();
}

void LogFile::rotate() {
    m_file.close();
    QFile::remove(rotatedName(m_folder, kKeptFiles));
    for (int n = kKeptFiles - 1; n >= 0; --n)
        QFile::rename(rotatedName(m_folder, n), rotatedName(m_folder, n + 1));
    m_file.open(QIODevice::Append | QIODevice::Text);
}

} // namespace vornel
