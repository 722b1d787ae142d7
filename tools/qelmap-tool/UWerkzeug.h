#pragma once
// Shared pieces of the command-line tool: the outcome of a command, its argument parser,
// and where the board's files are found.
#include <QCommandLineParser>
#include <QStringList>
#include <stdexcept>
#include <string>

// Exit statuses of every command.
constexpr int StatusOk = 0;
constexpr int StatusProbleme = 1;  // check found problems
constexpr int StatusFehler = 2;    // bad call or a file that cannot be read or written
constexpr int StatusLeserFort = 141;  // standard output's reader went away: 128 + SIGPIPE, as shells say it

// A wrong call (unknown option, missing argument, bad value); its message says what is wrong.
struct EAufrufFehler : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A parser for one command, with --help and, where the command reads the board, --data and --sectors.
struct TBefehlParser {
    QCommandLineParser Parser;
    QCommandLineOption Hilfe{{"h", "help"}, "Show this help and exit."};
    QCommandLineOption Daten{"data", "Read the board's files (pictures, Sektoren_neu.sek) from DIR instead of the current "
                             "directory.", "DIR"};
    QCommandLineOption SektorDatei{"sectors", "Read the sector table from FILE instead of Sektoren_neu.sek.", "FILE"};

    // syntax: the usage line after "qelmap-tool", e.g. "tally [--json] MAP".
    TBefehlParser(const char* syntax, const char* beschreibung, bool datenOption, bool sektorOption);
    // Documents a positional argument in the help.
    void Argument(const char* name, const char* beschreibung);
    // Parses the arguments after the command name. False when --help was asked for and printed.
    bool Lesen(const QStringList& argumente);
    // The positional arguments, which must number between min and max.
    QStringList Positionen(int min, int max) const;

private:
    std::string syntax_;
};

// The folder of the pictures: --data or the current directory.
std::string DatenOrdner(const TBefehlParser& p);
// The sector file: --sectors, else Sektoren_neu.sek in the data folder.
std::string SektorDateiPfad(const TBefehlParser& p);
// A file in the data folder.
std::string DatenDatei(const TBefehlParser& p, const char* name);

// Sector names are single bytes per character; terminals and JSON want UTF-8.
std::string Latin1ZuUtf8(const std::string& s);
// The same for text meant for a terminal: control characters of a name from a file (C0, DEL,
// C1) are written as "\xNN", so that no file can move the cursor or retitle the terminal.
std::string TerminalText(const std::string& s);

// Lower-case extension with its dot ("" when there is none).
std::string Endung(const std::string& pfad);

void Ausgeben(const std::string& text);  // to standard output
// Flushes standard output; false when any write to it failed, AusgabeFehler then says why.
bool AusgabeGelungen();
extern int AusgabeFehler;

// File names are bytes, whatever the locale says: the arguments are taken one byte per
// character, and ArgumentBytes gives an argument's bytes back.
QStringList Argumente(int argc, char** argv);
std::string ArgumentBytes(const QString& argument);
