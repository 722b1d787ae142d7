#include "UWerkzeug.h"

#include <QString>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "UVergleich.h"

namespace {

// Qt prints the description as given; long lines are broken at spaces to fit a terminal.
QString Umbrechen(const QString& text, int breite = 79) {
    QStringList aus;
    for (const QString& absatz : text.split(u'\n')) {
        QString zeile;
        for (const QString& wort : absatz.split(u' ', Qt::SkipEmptyParts)) {
            if (!zeile.isEmpty() && zeile.size() + 1 + wort.size() > breite) {
                aus << zeile;
                zeile.clear();
            }
            zeile += (zeile.isEmpty() ? QString() : QStringLiteral(" ")) + wort;
        }
        aus << zeile;
    }
    return aus.join(u'\n');
}

}  // namespace

TBefehlParser::TBefehlParser(const char* syntax, const char* beschreibung, bool datenOption, bool sektorOption)
    : syntax_(syntax) {
    Parser.setApplicationDescription(Umbrechen(QString::fromUtf8(beschreibung)));
    Parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    Parser.addOption(Hilfe);
    if (datenOption) Parser.addOption(Daten);
    if (sektorOption) Parser.addOption(SektorDatei);
}

void TBefehlParser::Argument(const char* name, const char* beschreibung) {
    Parser.addPositionalArgument(QString::fromUtf8(name), QString::fromUtf8(beschreibung));
}

bool TBefehlParser::Lesen(const QStringList& argumente) {
    // parse() rather than process(): process() exits with status 1 on errors, and ours is 2.
    if (!Parser.parse(argumente)) throw EAufrufFehler(ArgumentBytes(Parser.errorText()));
    if (Parser.isSet(Hilfe)) {
        // Qt's usage line names the executable's path and puts the options first; ours reads
        // as the command is typed.
        QString text = Parser.helpText();
        qsizetype zeilenEnde = text.indexOf(u'\n');
        text = QString::fromStdString("Usage: qelmap-tool " + syntax_ + "\n") + text.mid(zeilenEnde);
        Ausgeben(text.toStdString());
        return false;
    }
    return true;
}

QStringList TBefehlParser::Positionen(int min, int max) const {
    QStringList p = Parser.positionalArguments();
    if (p.size() < min) throw EAufrufFehler("missing argument; see --help");
    if (p.size() > max) throw EAufrufFehler("too many arguments (\"" + ArgumentBytes(p.at(max)) + "\"); see --help");
    return p;
}

std::string DatenOrdner(const TBefehlParser& p) {
    if (p.Parser.isSet(p.Daten)) return ArgumentBytes(p.Parser.value(p.Daten));
    return ".";
}

std::string DatenDatei(const TBefehlParser& p, const char* name) {
    if (!p.Parser.isSet(p.Daten)) return name;  // plain name: messages read as the user typed nothing
    return (std::filesystem::path(DatenOrdner(p)) / name).string();
}

std::string SektorDateiPfad(const TBefehlParser& p) {
    if (p.Parser.isSet(p.SektorDatei)) return ArgumentBytes(p.Parser.value(p.SektorDatei));
    return DatenDatei(p, "Sektoren_neu.sek");
}

std::string Latin1ZuUtf8(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())).toUtf8().toStdString();
}

std::string TerminalText(const std::string& s) { return NameText(s); }

std::string Endung(const std::string& pfad) {
    std::string e = std::filesystem::path(pfad).extension().string();
    for (char& c : e) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return e;
}

int AusgabeFehler = 0;

void Ausgeben(const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() && !AusgabeFehler) AusgabeFehler = errno;
}

bool AusgabeGelungen() {
    if (std::fflush(stdout) != 0 && !AusgabeFehler) AusgabeFehler = errno;
    if (std::ferror(stdout) && !AusgabeFehler) AusgabeFehler = EIO;
    return AusgabeFehler == 0;
}

QStringList Argumente(int argc, char** argv) {
    QStringList liste;
    for (int i = 0; i < argc; ++i) liste << QString::fromLatin1(argv[i]);
    return liste;
}

std::string ArgumentBytes(const QString& argument) { return argument.toLatin1().toStdString(); }
