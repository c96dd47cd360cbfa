#pragma once
// The program's log: every Qt log message (categories vornel.data, vornel.windows, vornel.odbc and
// Qt's own) goes to a rotating file in the user's data folder, and to standard error on request.

#include <QFile>
#include <QMutex>
#include <QString>
#include <QtGlobal>

namespace vornel {

class LogFile {
public:
    static constexpr qint64 kMaxBytes = 1024 * 1024;
    static constexpr int kKeptFiles = 3; // vornel.1.log .. vornel.3.log beside vornel.log

    // Opens FOLDER/vornel.log (creating the folder) and sends Qt's log messages to it while the
    // object lives; `echo` sends them to standard error as well. Debug messages of our categories
    // are written only with `echo`.
    LogFile(const QString& folder, bool echo, qint64 maxBytes = kMaxBytes);
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    // The folder the program logs to: "log" in the user's data folder.
    static QString defaultFolder();

    const QString& path() const { return m_path; }
    // Appends one line, first moving a full file aside (vornel.log -> vornel.1.log -> ...).
    void write(const QString& line);

private:
    static void handler(QtMsgType type, const QMessageLogContext& context, const QString& message);
    void rotate();

    QString m_folder;
    QString m_path;
    bool m_echo;
    qint64 m_maxBytes;
    QFile m_file;
    QMutex m_mutex;
    QtMessageHandler m_previous = nullptr;
};

} // namespace vornel
