// The settings file: defaults, parsing, the order of a new file, and lines kept on save.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "TestHilfen.h"
#include "UDateien.h"
#include "UFehler.h"
#include "UIni.h"
#include "UVariablen.h"
#include "UVergleich.h"

namespace {

std::string Text(const std::string& pfad) {
    std::ifstream f(pfad, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void TextSchreiben(const std::string& pfad, const std::string& text) {
    std::ofstream f(pfad, std::ios::binary | std::ios::trunc);
    f << text;
}

class Einstellungen : public ::testing::Test {
protected:
    void SetUp() override {
        VariablenZuruecksetzen();
        Fenster = &OhneFenster;
    }
    TempOrdner tmp;
    ImOrdner hier{tmp.Pfad()};
};

TEST_F(Einstellungen, WithoutAFileEveryValueTakesItsDefaultAndSavingWritesThemInOrder) {
    ICPsAnzeigen = EinheitartAmCursor = SektorInfo = true;
    EinstellungenLaden();
    EXPECT_EQ(FensterPlaetze[fwMapForm].Height, 400);
    EXPECT_EQ(FensterPlaetze[fwMapForm].Width, 640);
    EXPECT_EQ(FensterPlaetze[fwToolsForm].Left, 0);
    EXPECT_FALSE(ICPsAnzeigen);
    EXPECT_TRUE(LandnameAmCursor);
    EXPECT_FALSE(EinheitartAmCursor);
    EXPECT_FALSE(SektorInfo);
    EXPECT_TRUE(GameInfo);
    EXPECT_FALSE(GameCenter);
    HalterAnzeigen = AenderungenAnzeigen = false;
    EinstellungenLaden();
    EXPECT_TRUE(HalterAnzeigen);
    EXPECT_TRUE(AenderungenAnzeigen);
    EXPECT_EQ(EinstellungenPfad(), tmp.Datei("QelWin.INI"));

    EinstellungenSpeichern();
    EXPECT_EQ(Text("QelWin.INI"),
              "[MapForm]\r\nTop=0\r\nLeft=0\r\nHeight=400\r\nWidth=640\r\n"
              "[GameInfoForm]\r\nTop=0\r\nLeft=0\r\n[ToolsForm]\r\nTop=0\r\nLeft=0\r\n"
              "[SektorInfoForm]\r\nTop=0\r\nLeft=0\r\n[EditsForm]\r\nTop=0\r\nLeft=0\r\n[SchlachtForm]\r\nTop=0\r\nLeft=0\r\n"
              "[Options]\r\nICPsAnzeigen=0\r\nLandnameAmCursor=1\r\nEinheitartAmCursor=0\r\n"
              "BesitzerAmCursor=0\r\nMausStehtBeimScrollen=0\r\nHalterAnzeigen=1\r\n"
              "AenderungenAnzeigen=1\r\n[FensterAnzeigen]\r\nSektorInfo=0\r\nGameInfo=1\r\nGameCenter=0\r\n"
              "Edits=0\r\nSchlacht=0\r\nSchlachtSektor=0\r\n");
}

TEST_F(Einstellungen, ValuesAreParsedAsIntegersAndAnythingElseGivesTheDefault) {
    TextSchreiben("QelWin.INI",
                  "; kept\n[mapform]\nheight=abc\nTOP=$1F\nLeft = 0x1F \nWidth=-12\n"
                  "[Options]\nICPsAnzeigen=2\nLandnameAmCursor=0\nBesitzerAmCursor=0X0\n"
                  "EinheitartAmCursor=1x\n[Unbekannt]\nFoo=Bar\n");
    EinstellungenLaden();
    EXPECT_EQ(FensterPlaetze[fwMapForm].Height, 400);
    EXPECT_EQ(FensterPlaetze[fwMapForm].Top, 31);
    EXPECT_EQ(FensterPlaetze[fwMapForm].Left, 31);
    EXPECT_EQ(FensterPlaetze[fwMapForm].Width, -12);
    EXPECT_TRUE(ICPsAnzeigen);
    EXPECT_FALSE(LandnameAmCursor);
    EXPECT_FALSE(BesitzerAmCursor);
    EXPECT_FALSE(EinheitartAmCursor);

    long long v = 0;
    EXPECT_TRUE(EinstellungZahl("-$10", v));
    EXPECT_EQ(v, -16);
    EXPECT_FALSE(EinstellungZahl("", v));
    EXPECT_FALSE(EinstellungZahl("0x", v));
    EXPECT_FALSE(EinstellungZahl("12 3", v));
    EXPECT_FALSE(EinstellungZahl("99999999999999999999", v));

    EinstellungenSpeichern();
    std::string t = Text("QelWin.INI");
    EXPECT_NE(t.find("; kept"), std::string::npos);
    EXPECT_NE(t.find("[Unbekannt]\r\nFoo=Bar"), std::string::npos);
    EXPECT_NE(t.find("ICPsAnzeigen=1"), std::string::npos);  // "2" is written back as "1"
    EXPECT_NE(t.find("[mapform]\r\nHeight=400\r\n"), std::string::npos);  // updated in place
    EXPECT_EQ(t.find("abc"), std::string::npos);
    EXPECT_LT(t.find("[Unbekannt]"), t.find("[FensterAnzeigen]"));  // new sections go to the end
}

// An editor's byte-order mark made the first section's name "\xEF\xBB\xBF[MapForm]": its keys were
// lost and a second section was added on saving.
TEST_F(Einstellungen, AByteOrderMarkIsSkippedOnReadingAndKeptOnWriting) {
    TextSchreiben("QelWin.INI", "\xEF\xBB\xBF[MapForm]\r\nTop=5\r\n");
    EinstellungenLaden();
    EXPECT_EQ(FensterPlaetze[fwMapForm].Top, 5);
    EinstellungenSpeichern();
    const std::string t = Text("QelWin.INI");
    EXPECT_EQ(t.rfind("\xEF\xBB\xBF[MapForm]\r\nTop=5\r\nLeft=0\r\n", 0), 0u) << t;
    EXPECT_EQ(t.find("[MapForm]", 4), std::string::npos) << t;

    // Lines ended by a CR alone are lines too: read, and written back once in CR LF.
    TextSchreiben("QelWin.INI", "[MapForm]\rTop=7\r[Options]\rICPsAnzeigen=1\r");
    EinstellungenLaden();
    EXPECT_EQ(FensterPlaetze[fwMapForm].Top, 7);
    EXPECT_TRUE(ICPsAnzeigen);
    EinstellungenSpeichern();
    const std::string cr = Text("QelWin.INI");
    EXPECT_EQ(cr.rfind("[MapForm]\r\nTop=7\r\n", 0), 0u) << cr;
    EXPECT_EQ(cr.find("[MapForm]", 1), std::string::npos) << cr;
    EXPECT_EQ(cr.find("[Options]"), cr.rfind("[Options]")) << cr;
}

TEST_F(Einstellungen, WindowPlacesGoThroughTheWindows) {
    struct Plaetze : TOhneFenster {
        TFensterPlatz gesetzt[FensterAnzahl]{};
        void PlatzAnwenden(TFenster f, const TFensterPlatz& p) override { gesetzt[f] = p; }
        TFensterPlatz PlatzErfassen(TFenster f) override { return {10 * f + 1, 10 * f + 2, 300, 500}; }
    } fenster;
    TextSchreiben("QelWin.INI", "[ToolsForm]\nTop=77\n[SchlachtForm]\nLeft=-5\n");
    Fenster = &fenster;
    EinstellungenLaden();
    EXPECT_EQ(fenster.gesetzt[fwToolsForm].Top, 77);
    EXPECT_EQ(fenster.gesetzt[fwSchlachtForm].Left, -5);
    EXPECT_EQ(fenster.gesetzt[fwMapForm].Width, 640);
    EinstellungenSpeichern();
    Fenster = &OhneFenster;
    EXPECT_EQ(IniLesen("QelWin.INI", "ToolsForm", "Left", ""), "22");
    EXPECT_EQ(IniLesen("QelWin.INI", "SchlachtForm", "Top", ""), std::to_string(10 * fwSchlachtForm + 1));
    EXPECT_EQ(IniLesen("QelWin.INI", "MapForm", "Width", ""), "500");
    EXPECT_EQ(IniLesen("QelWin.INI", "GameInfoForm", "Width", "none"), "none");  // only the main window's size
}

TEST_F(Einstellungen, AFailedSaveNamesTheFileAndKeepsTheOldOne) {
    std::filesystem::create_directory("QelWin.INI");
    try {
        EinstellungenSpeichern();
        ADD_FAILURE() << "saved over a folder";
    } catch (const EDateiFehler& e) {
        EXPECT_NE(std::string(e.what()).find("QelWin.INI"), std::string::npos);
    }
    EXPECT_TRUE(std::filesystem::is_directory("QelWin.INI"));
    // Reading through the folder gives the defaults.
    EinstellungenLaden();
    EXPECT_TRUE(GameInfo);
}

}  // namespace
