#pragma once
// The options of a program, read before any QApplication exists: --help and --version are
// answered at once, an unknown option or a missing value is one line on standard error.
//
//   CommandLine cl("vornel", "vornel [OPTION]...", "What it does.");
//   cl.option("db", "FILE", "Embedded company database.");
//   cl.flag("verbose", "Log to standard error as well.");
//   if (const auto end = cl.parse(argc, argv)) return *end;

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace vornel {

class CommandLine {
public:
    CommandLine(QString program, QString synopsis, QString description);

    // An option that takes a value: "--name VALUE" or "--name=VALUE".
    CommandLine& option(const QString& name, const QString& valueName, const QString& help);
    // An option without a value: "--name".
    CommandLine& flag(const QString& name, const QString& help);
    // --db FILE and --odbc CONNECTION: how every program is told its database.
    CommandLine& databaseOptions();
    // Arguments that are not options are accepted (and returned by positional()).
    CommandLine& positionals(const QString& valueName, const QString& help);

    // Reads the arguments. Returns the exit status when the program should end now: 0 after
    // --help or --version (printed on standard output), 2 after a bad argument (one line on
    // standard error). Returns nothing when the program goes on.
    std::optional<int> parse(int argc, char** argv);
    std::optional<int> parse(const QStringList& arguments); // without the program name

    bool isSet(const QString& name) const;
    QString value(const QString& name) const; // the last one given; empty when not given
    const QStringList& positional() const { return m_positional; }

    // The option's value as a whole number, or `fallback` when not given; std::nullopt (after
    // reporting the bad value) when it is not a number.
    std::optional<int> number(const QString& name, int fallback) const;

    // "PROGRAM: TEXT" on standard error; returns 2, the status of a bad command line.
    int refuse(const QString& text) const;

    QString helpText() const;

private:
    struct OptionInfo {
        QString name;
        QString valueName; // empty for a flag
        QString help;
    };
    const OptionInfo* find(const QString& name) const;

    QString m_program;
    QString m_synopsis;
    QString m_description;
    QString m_positionalName;
    QString m_positionalHelp;
    std::vector<OptionInfo> m_options;
    std::vector<std::pair<QString, QString>> m_given;
    QStringList m_positional;
};

// Whether the program can show a window a person will see: false without a display server or
// on Qt's offscreen and minimal platforms, where a message box would wait unseen.
bool hasDisplay();

// Prints a line on standard error / standard output.
void printError(const QString& line);
void printLine(const QString& line);

} // namespace vornel
