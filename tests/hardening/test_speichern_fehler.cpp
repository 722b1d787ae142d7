// Saving a map, sector or settings file where the disk refuses it: a read-only folder, a
// folder or a device standing at the file's name, a full file system, a file size limit, a
// name that is too long. Every time the error names the file, the previous file keeps every
// byte, and no temporary file is left behind. Saves that must succeed: a name as long as a
// name may be, and a file reached through a link.
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <sys/mount.h>
#include <sys/resource.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TestHilfen.h"
#include "UDatei.h"
#include "UDateien.h"
#include "UFehler.h"
#include "UVariablen.h"

namespace fs = std::filesystem;

namespace {

// The three kinds of file the program writes. The settings file always has its fixed name in
// the current folder; the others are saved under any name.
struct TArt {
    const char* Name;
    std::string Dateiname;
    std::vector<std::uint8_t> Vorher;              // the previous file on disk
    std::function<void(const std::string&)> Speichern;
};

std::vector<std::uint8_t> Text(const char* s) { return std::vector<std::uint8_t>(s, s + std::strlen(s)); }

std::string Ordner(const std::string& pfad) { return fs::path(pfad).parent_path().string(); }

TArt MapArt() {
    std::vector<std::uint8_t> vorher(4 + 24, 0x11);
    vorher[0] = 1, vorher[1] = vorher[2] = vorher[3] = 0;
    return {"map", "Spiel.map", vorher, [](const std::string& pfad) {
                EinheitenAnzahl = 0;
                for (int i = 0; i < 5; ++i) {
                    ++EinheitenAnzahl;
                    Einheiten[EinheitenAnzahl] = TEinheit{10.0 * i, 5.0, 2, 1, 3, 7, {0, 0, 0}};
                }
                MapSpeichern(pfad);
            }};
}

TArt SektorArt() {
    return {"sector", "Welt.sek", std::vector<std::uint8_t>(9880, 0x5A), [](const std::string& pfad) {
                SektorNameSetzen(Sektoren[1], "Karelia");
                SektorenSpeichern(pfad);
            }};
}

TArt EinstellungenArt() {
    return {"settings", "QelWin.INI", Text("[MapForm]\r\nTop=77\r\n; kept\r\n[Fremd]\r\nA=1\r\n"),
            [](const std::string& pfad) {
                ImOrdner hier(Ordner(pfad));
                FensterPlaetze[fwMapForm] = {1, 2, 300, 400};
                EinstellungenSpeichern();
            }};
}

std::set<std::string> Eintraege(const std::string& ordner) {
    std::set<std::string> namen;
    std::error_code ec;
    for (auto it = fs::directory_iterator(ordner, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
        namen.insert(it->path().filename().string());
    return namen;
}

// Saves and expects the refusal: the error names the file, the folder holds what it held
// (the previous file with its bytes, no temporary file).
void ScheitertOhneSchaden(const TArt& art, const std::string& pfad, const std::string& nameImFehler) {
    const std::string ordner = Ordner(pfad);
    const std::set<std::string> vorher = Eintraege(ordner);
    std::error_code ec;
    const bool hatte = fs::is_regular_file(pfad, ec);
    const std::vector<std::uint8_t> alt = hatte ? Bytes(pfad) : std::vector<std::uint8_t>{};
    try {
        art.Speichern(pfad);
        ADD_FAILURE() << "the save of the " << art.Name << " file was reported as done";
    } catch (const EDateiFehler& e) {
        EXPECT_NE(std::string(e.what()).find(nameImFehler), std::string::npos) << e.what();
    }
    EXPECT_EQ(Eintraege(ordner), vorher);
    if (hatte) EXPECT_EQ(Bytes(pfad), alt);
}

// A tmpfs of its own, which also refuses root when it is full or mounted read-only. Making
// one needs the right to mount; without it the cases that need it are skipped.
class EigenesDateisystem {
public:
    EigenesDateisystem(const std::string& ordner, std::size_t bytes) : ordner_(ordner) {
        fs::create_directory(ordner);
        const std::string optionen = "size=" + std::to_string(bytes) + ",mode=0755";
        ok_ = ::mount("tmpfs", ordner.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, optionen.c_str()) == 0;
    }
    ~EigenesDateisystem() {
        if (ok_) ::umount2(ordner_.c_str(), MNT_DETACH);
    }
    bool Ok() const { return ok_; }
    bool NurLesen() { return ::mount(nullptr, ordner_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0; }

private:
    std::string ordner_;
    bool ok_ = false;
};

// A limit on the size of files this process writes, put back as it was on destruction. The
// signal the limit raises is left as the process has it: the save must not die of it.
class DateiGroessenGrenze {
public:
    explicit DateiGroessenGrenze(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &alt_);
        rlimit neu = alt_;
        neu.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &neu);
    }
    ~DateiGroessenGrenze() { ::setrlimit(RLIMIT_FSIZE, &alt_); }

private:
    rlimit alt_{};
};

// Runs f in a child process, as the user nobody when this one is root (who may write
// anything); the message of the file error it raised, or "" when it raised none.
std::string AlsNutzer(const std::function<void()>& f) {
    int rohr[2];
    if (::pipe(rohr) != 0) return "no pipe";
    const pid_t kind = ::fork();
    if (kind == 0) {
        ::close(rohr[0]);
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        std::string text;
        try {
            f();
        } catch (const EDateiFehler& e) {
            text = e.what();
        }
        if (::write(rohr[1], text.data(), text.size()) < 0) ::_exit(4);
        ::_exit(0);
    }
    ::close(rohr[1]);
    std::string text;
    char puffer[512];
    for (ssize_t n; (n = ::read(rohr[0], puffer, sizeof puffer)) > 0;) text.append(puffer, static_cast<std::size_t>(n));
    ::close(rohr[0]);
    int status = 0;
    ::waitpid(kind, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    return text;
}

mode_t Modus(const std::string& pfad) {
    struct stat st{};
    ::stat(pfad.c_str(), &st);
    return st.st_mode & 07777;
}

class SpeichernScheitert : public ::testing::TestWithParam<TArt (*)()> {
protected:
    void SetUp() override {
        VariablenZuruecksetzen();
        Fenster = &OhneFenster;
        art = GetParam()();
    }
    TArt art;
    TempOrdner tmp;
};

TEST_P(SpeichernScheitert, InAReadOnlyFolder) {
    const bool root = ::geteuid() == 0;
    if (!root) {
        const std::string pfad = tmp.Datei("ro/" + art.Dateiname);
        fs::create_directory(tmp.Datei("ro"));
        BytesSchreiben(pfad, art.Vorher);
        ::chmod(tmp.Datei("ro").c_str(), 0555);
        ScheitertOhneSchaden(art, pfad, art.Dateiname);
        ::chmod(tmp.Datei("ro").c_str(), 0755);
        return;
    }
    // Root writes into folders without write permission; a read-only file system stops it.
    EigenesDateisystem fs_(tmp.Datei("ro"), 1 << 20);
    if (!fs_.Ok()) GTEST_SKIP() << "root, and no right to mount a read-only file system";
    const std::string pfad = tmp.Datei("ro/" + art.Dateiname);
    BytesSchreiben(pfad, art.Vorher);
    ASSERT_TRUE(fs_.NurLesen());
    ScheitertOhneSchaden(art, pfad, art.Dateiname);
}

TEST_P(SpeichernScheitert, WhereAFolderStandsAtTheName) {
    const std::string pfad = tmp.Datei(art.Dateiname);
    fs::create_directory(pfad);
    ScheitertOhneSchaden(art, pfad, art.Dateiname);
    EXPECT_TRUE(fs::is_directory(pfad));
    BytesSchreiben(pfad + "/drin", {1, 2, 3});
    ScheitertOhneSchaden(art, pfad, art.Dateiname);
    EXPECT_EQ(Bytes(pfad + "/drin"), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST_P(SpeichernScheitert, OnAFullFileSystem) {
    EigenesDateisystem fs_(tmp.Datei("voll"), 64 * 1024);
    if (!fs_.Ok()) GTEST_SKIP() << "no right to mount a small file system";
    const std::string pfad = tmp.Datei("voll/" + art.Dateiname);
    BytesSchreiben(pfad, art.Vorher);
    ASSERT_EQ(Bytes(pfad), art.Vorher);
    // Fill every remaining block.
    {
        std::FILE* f = std::fopen(tmp.Datei("voll/fuellung").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::vector<char> block(4096, 'x');
        while (std::fwrite(block.data(), 1, block.size(), f) == block.size()) {
        }
        std::fclose(f);
        // What is left after the buffered writes; one byte at a time to the last.
        f = std::fopen(tmp.Datei("voll/rest").c_str(), "wb");
        std::setvbuf(f, nullptr, _IONBF, 0);
        while (std::fputc('x', f) != EOF) {
        }
        std::fclose(f);
    }
    ScheitertOhneSchaden(art, pfad, art.Dateiname);
}

TEST_P(SpeichernScheitert, BeyondTheFileSizeLimit) {
    const std::string pfad = tmp.Datei(art.Dateiname);
    BytesSchreiben(pfad, art.Vorher);
    DateiGroessenGrenze grenze(16);
    ScheitertOhneSchaden(art, pfad, art.Dateiname);
}

TEST_P(SpeichernScheitert, WhereADeviceOrAPipeStandsAtTheName) {
    // /dev/full itself when this process may not write into /dev; as root a node of the same
    // device in the scratch folder, so that a fault cannot touch the system's own.
    std::string geraet = "/dev/full";
    if (::geteuid() == 0) {
        geraet = tmp.Datei("full");
        ASSERT_EQ(::mknod(geraet.c_str(), S_IFCHR | 0666, makedev(1, 7)), 0) << std::strerror(errno);
    }
    if (art.Dateiname == "QelWin.INI") {
        // The settings file has its fixed name: the device stands under that name.
        const std::string pfad = tmp.Datei("QelWin.INI");
        ASSERT_EQ(::mknod(pfad.c_str(), S_IFCHR | 0666, makedev(1, 7)), 0) << std::strerror(errno);
        ScheitertOhneSchaden(art, pfad, "QelWin.INI");
        EXPECT_TRUE(fs::is_character_file(pfad));
        fs::remove(pfad);
    } else {
        ScheitertOhneSchaden(art, geraet, fs::path(geraet).filename().string());
        EXPECT_TRUE(fs::is_character_file(geraet));
    }
    const std::string rohr = tmp.Datei(art.Dateiname);
    ASSERT_EQ(::mkfifo(rohr.c_str(), 0644), 0);
    ScheitertOhneSchaden(art, rohr, art.Dateiname);
    EXPECT_TRUE(fs::is_fifo(rohr));
}

// A file the user may not write was replaced by the rename, where writing it would be refused.
TEST_P(SpeichernScheitert, AReadOnlyFileOrAFolderTheUserMayNotWriteIsRefusedSayingWhy) {
    ::chmod(tmp.Pfad().c_str(), 0777);
    const std::string pfad = tmp.Datei(art.Dateiname);
    BytesSchreiben(pfad, art.Vorher);
    ::chmod(pfad.c_str(), 0444);
    std::set<std::string> vorher = Eintraege(tmp.Pfad());
    std::string fehler = AlsNutzer([&] { art.Speichern(pfad); });
    EXPECT_NE(fehler.find(art.Dateiname + ": is read-only"), std::string::npos) << fehler;
    EXPECT_EQ(Bytes(pfad), art.Vorher);
    EXPECT_EQ(Eintraege(tmp.Pfad()), vorher);

    const std::string zu = tmp.Datei("zu"), drin = zu + "/" + art.Dateiname;
    fs::create_directory(zu);
    BytesSchreiben(drin, art.Vorher);
    ::chmod(drin.c_str(), 0666);
    ::chmod(zu.c_str(), 0555);
    fehler = AlsNutzer([&] { art.Speichern(drin); });
    EXPECT_NE(fehler.find(art.Dateiname + ": cannot be saved: the folder \"" + zu + "\" may not be written by this user"),
              std::string::npos)
        << fehler;
    EXPECT_EQ(Bytes(drin), art.Vorher);
    EXPECT_EQ(Eintraege(zu), std::set<std::string>{art.Dateiname});
}

INSTANTIATE_TEST_SUITE_P(Dateien, SpeichernScheitert, ::testing::Values(MapArt, SektorArt, EinstellungenArt),
                         [](const ::testing::TestParamInfo<TArt (*)()>& info) {
                             return std::string(info.param().Name);
                         });

// Map and sector files are saved under names the user types; the settings file has its own.
class SpeichernUnterNamen : public ::testing::TestWithParam<TArt (*)()> {
protected:
    void SetUp() override {
        VariablenZuruecksetzen();
        art = GetParam()();
    }
    TArt art;
    TempOrdner tmp;
};

TEST_P(SpeichernUnterNamen, ANameTooLongIsRefusedAndNamed) {
    const std::string lang = std::string(300, 'n') + ".map";
    ScheitertOhneSchaden(art, tmp.Datei(lang), lang);
    // A whole path beyond what the system takes, each name in it short enough.
    std::string tief = tmp.Pfad();
    while (tief.size() < 4200) tief += "/" + std::string(200, 'o');
    ScheitertOhneSchaden(art, tief + "/" + art.Dateiname, art.Dateiname);
}

TEST_P(SpeichernUnterNamen, ANameAsLongAsANameMayBeIsSaved) {
    // 255 bytes is the longest name a folder entry holds; the save must not need a longer one.
    const std::string name = std::string(251, 'l') + ".map";
    const std::string pfad = tmp.Datei(name);
    BytesSchreiben(pfad, art.Vorher);
    art.Speichern(pfad);
    EXPECT_NE(Bytes(pfad), art.Vorher);
    EXPECT_EQ(Eintraege(tmp.Pfad()), std::set<std::string>{name});
}

TEST_P(SpeichernUnterNamen, ThroughALinkTheLinkedFileIsWritten) {
    fs::create_directory(tmp.Datei("spiele"));
    const std::string echt = tmp.Datei("spiele/echt.dat");
    BytesSchreiben(echt, art.Vorher);
    fs::create_symlink("spiele/echt.dat", tmp.Datei(art.Dateiname));
    art.Speichern(tmp.Datei(art.Dateiname));
    EXPECT_TRUE(fs::is_symlink(tmp.Datei(art.Dateiname)));
    EXPECT_NE(Bytes(echt), art.Vorher);
    EXPECT_EQ(Bytes(echt), Bytes(tmp.Datei(art.Dateiname)));
    EXPECT_EQ(Eintraege(tmp.Datei("spiele")), std::set<std::string>{"echt.dat"});
}

// A dangling link was replaced by a file of its own, and so was a loop of links.
TEST_P(SpeichernUnterNamen, ALinkToAFileNotYetThereCreatesItAndALoopIsRefused) {
    fs::create_directory(tmp.Datei("spiele"));
    fs::create_symlink("spiele/neu.dat", tmp.Datei(art.Dateiname));
    art.Speichern(tmp.Datei(art.Dateiname));
    EXPECT_TRUE(fs::is_symlink(tmp.Datei(art.Dateiname)));
    EXPECT_EQ(Eintraege(tmp.Datei("spiele")), std::set<std::string>{"neu.dat"});
    EXPECT_FALSE(Bytes(tmp.Datei("spiele/neu.dat")).empty());

    fs::create_symlink("b", tmp.Datei("a"));
    fs::create_symlink("a", tmp.Datei("b"));
    ScheitertOhneSchaden(art, tmp.Datei("a"), "/a: is a link that leads round in a loop");
    EXPECT_TRUE(fs::is_symlink(tmp.Datei("a")) && fs::is_symlink(tmp.Datei("b")));
}

// Interrupted saves left their temporary files for ever. A save takes away those of its
// target that no save holds any more, and nothing else.
TEST_P(SpeichernUnterNamen, ASaveRemovesWhatInterruptedSavesOfItsTargetLeft) {
    const std::string pfad = tmp.Datei(art.Dateiname);
    const std::string eigen = TempDateiPraefix(pfad), fremd = TempDateiPraefix(tmp.Datei("anders.map"));
    const std::set<std::string> bleiben = {art.Dateiname, eigen + "laeuft", fremd + "a1b2c3", ".qelmap-a1b2c3",
                                           eigen + "laenger", "notiz.txt"};
    for (const std::string& name : bleiben) BytesSchreiben(tmp.Datei(name), {1});
    BytesSchreiben(tmp.Datei(eigen + "a1b2c3"), {1});
    BytesSchreiben(tmp.Datei(eigen + "Zz09yx"), {1});
    // A save that is still going on holds its file locked.
    const int laeuft = ::open(tmp.Datei(eigen + "laeuft").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(laeuft, LOCK_EX), 0);
    art.Speichern(pfad);
    ::close(laeuft);
    EXPECT_EQ(Eintraege(tmp.Pfad()), bleiben);
}

// The new file had mode 0600 when setting its mode failed: it is made with the mode it is to
// have, the replaced file's or 0666 less the umask.
TEST_P(SpeichernUnterNamen, TheSavedFileHasTheModeOfTheFileItReplacesOrOfTheUmask) {
    const mode_t maske = ::umask(027);
    art.Speichern(tmp.Datei("neu-" + art.Dateiname));
    EXPECT_EQ(Modus(tmp.Datei("neu-" + art.Dateiname)), 0640u);
    BytesSchreiben(tmp.Datei(art.Dateiname), art.Vorher);
    ::chmod(tmp.Datei(art.Dateiname).c_str(), 0606);
    art.Speichern(tmp.Datei(art.Dateiname));
    EXPECT_EQ(Modus(tmp.Datei(art.Dateiname)), 0606u);
    ::umask(maske);
}

INSTANTIATE_TEST_SUITE_P(Dateien, SpeichernUnterNamen, ::testing::Values(MapArt, SektorArt),
                         [](const ::testing::TestParamInfo<TArt (*)()>& info) {
                             return std::string(info.param().Name);
                         });

// A settings file that exists but cannot be read is not replaced by one holding only the
// program's keys: its other lines would be lost.
TEST(EinstellungenSpeichern, AnUnreadableFileIsNotReplaced) {
    VariablenZuruecksetzen();
    Fenster = &OhneFenster;
    TempOrdner tmp;
    // Root reads every file: the save runs as another user, who may write the folder.
    ::chmod(tmp.Pfad().c_str(), 0777);
    const TArt art = EinstellungenArt();
    const std::string pfad = tmp.Datei("QelWin.INI");
    BytesSchreiben(pfad, art.Vorher);
    ::chmod(pfad.c_str(), 0);
    const std::set<std::string> vorher = Eintraege(tmp.Pfad());
    const std::string fehler = AlsNutzer([&] { art.Speichern(pfad); });
    EXPECT_NE(fehler.find("QelWin.INI"), std::string::npos) << "the save was reported as done: " << fehler;
    EXPECT_EQ(Eintraege(tmp.Pfad()), vorher);
    ::chmod(pfad.c_str(), 0644);
    EXPECT_EQ(Bytes(pfad), art.Vorher);
}

}  // namespace
