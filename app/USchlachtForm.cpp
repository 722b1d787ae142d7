#include "USchlachtForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <cstring>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "Main.h"
#include "UBefehl.h"
#include "UFensterHilfen.h"
#include "UInputs.h"
#include "UMenues.h"
#include "USchlachtErgebnis.h"
#include "USchlachtTexte.h"
#include "USchlachtfeld.h"

TSchlachtForm* SchlachtForm = nullptr;

namespace {

QSpinBox* Feld(QWidget* eltern, int min, int max) {
    auto* f = new QSpinBox(eltern);
    f->setRange(min, max);
    f->setFont(FensterSchrift());
    return f;
}

}  // namespace

TSchlachtForm::TSchlachtForm(QWidget* eltern)
    : QWidget(eltern, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("battle"));
    setFont(FensterSchrift());
    auto* g = new QGridLayout(this);
    g->setContentsMargins(6, 6, 6, 6);
    g->setVerticalSpacing(2);
    TitelLabel = new QLabel(this);
    g->addWidget(TitelLabel, 0, 0, 1, 5);
    g->addWidget(new QLabel(QStringLiteral("attacker"), this), 1, 0);
    AngreiferComboBox = new QComboBox(this);
    for (int p = 1; p <= BesitzerAnzahl; ++p) AngreiferComboBox->addItem(QString::fromLatin1(BesitzerName(p)));
    g->addWidget(AngreiferComboBox, 1, 1, 1, 2);

    const char* const kopf[4] = {"attacker", "defender", "attacker lost", "defender lost"};
    for (int i = 0; i < 4; ++i) g->addWidget(new QLabel(QString::fromLatin1(kopf[i]), this), 2, 1 + i);
    for (auto& seite : Anzahl)
        for (auto*& f : seite) f = nullptr;
    for (auto& seite : Verluste)
        for (auto*& f : seite) f = nullptr;
    int zeile = 3;
    for (TEinheitArt k : SchlachtArten) {
        g->addWidget(new QLabel(QString::fromLatin1(ArtName(k)), this), zeile, 0);
        for (int seite = 0; seite < 2; ++seite) {
            Anzahl[seite][k] = Feld(this, 0, SchlachtMaxAnzahl);
            Verluste[seite][k] = Feld(this, 0, 0);
            g->addWidget(Anzahl[seite][k], zeile, 1 + seite);
            g->addWidget(Verluste[seite][k], zeile, 3 + seite);
            // Never more lost than there are.
            connect(Anzahl[seite][k], &QSpinBox::valueChanged, Verluste[seite][k], &QSpinBox::setMaximum);
            connect(Anzahl[seite][k], &QSpinBox::valueChanged, this, [this] { Berechnen(); });
            connect(Verluste[seite][k], &QSpinBox::valueChanged, this, [this] {
                if (!laedt_) VerlusteNeu();
                AusgangZeigen();
            });
        }
        ++zeile;
    }
    // The AA gun is never lost.
    Verluste[1][eaFlak]->setEnabled(false);

    BombardSpin = Feld(this, 0, SchlachtMaxAnzahl);
    RetreatAfterSpin = Feld(this, 0, 999);
    RetreatAfterSpin->setSpecialValueText(QStringLiteral("off"));
    RetreatAtSpin = Feld(this, -1, 9999);
    RetreatAtSpin->setSpecialValueText(QStringLiteral("off"));
    RetreatAtSpin->setValue(-1);
    KeepLandSpin = Feld(this, 0, 9999);
    JetsBox = new QCheckBox(QStringLiteral("jets"), this);
    SuperSubsBox = new QCheckBox(QStringLiteral("super subs"), this);
    HeavyBombersBox = new QCheckBox(QStringLiteral("heavy bombers"), this);
    struct {
        const char* Text;
        QSpinBox* Feld;
    } zahlen[4] = {{"bombard", BombardSpin}, {"retreat after round", RetreatAfterSpin},
                   {"retreat at units left", RetreatAtSpin}, {"keep land units", KeepLandSpin}};
    for (const auto& z : zahlen) {
        g->addWidget(new QLabel(QString::fromLatin1(z.Text), this), zeile, 0, 1, 2);
        g->addWidget(z.Feld, zeile++, 2);
        connect(z.Feld, &QSpinBox::valueChanged, this, [this] { Berechnen(); });
    }
    g->addWidget(JetsBox, zeile - 4, 3, 1, 2);
    g->addWidget(SuperSubsBox, zeile - 3, 3, 1, 2);
    g->addWidget(HeavyBombersBox, zeile - 2, 3, 1, 2);
    for (QCheckBox* b : {JetsBox, SuperSubsBox, HeavyBombersBox})
        connect(b, &QCheckBox::toggled, this, [this] { Berechnen(); });
    const char* const orderText[2] = {"attacker's order of loss", "defender's order of loss"};
    for (int seite = 0; seite < 2; ++seite) {
        g->addWidget(new QLabel(QString::fromLatin1(orderText[seite]), this), zeile, 0, 1, 2);
        OrderEdit[seite] = new QLineEdit(this);
        OrderEdit[seite]->setPlaceholderText(QStringLiteral("Inf,Arm,Trn,Sub,Ftr,Bom,AC,BB"));
        g->addWidget(OrderEdit[seite], zeile++, 2, 1, 3);
        connect(OrderEdit[seite], &QLineEdit::textChanged, this, [this] { Berechnen(); });
    }

    OddsLabel = new QLabel(this);
    OddsLabel->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    OddsLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    OddsLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    OddsLabel->setMinimumWidth(300);
    OddsLabel->setWordWrap(true);
    // The odds and the rounds to the right of the counts and options, so that the window
    // fits a small screen.
    g->addWidget(OddsLabel, 0, 5, 12, 2);
    RundenText = new QPlainTextEdit(this);
    RundenText->setReadOnly(true);
    g->addWidget(RundenText, 12, 5, zeile - 12, 2);
    AusgangLabel = new QLabel(this);
    g->addWidget(AusgangLabel, zeile, 0, 1, 5);
    RollButton = new QPushButton(QStringLiteral("roll"), this);
    ApplyButton = new QPushButton(QStringLiteral("apply"), this);
    g->addWidget(RollButton, zeile, 5);
    g->addWidget(ApplyButton, zeile, 6);
    KnoepfeSetzen();

    connect(AngreiferComboBox, &QComboBox::activated, this, [this](int i) { Laden(sektor_, static_cast<TBesitzer>(i + 1)); });
    connect(RollButton, &QPushButton::clicked, this, [this] {
        Befehl([this] {
            std::random_device quelle;
            std::mt19937_64 zufall((static_cast<std::uint64_t>(quelle()) << 32) ^ quelle());
            Wuerfeln(zufall);
        }, false);
    });
    // The losses change stacks and maybe the holder: the whole view is drawn anew.
    connect(ApplyButton, &QPushButton::clicked, this, [this] { Kommando([this] { Anwenden(); }); });
    NurSchliessen(this);
    // Laid out now: its size places it before it is first shown.
    adjustSize();
    SchlachtForm = this;
}

TSchlachtForm::~TSchlachtForm() { SchlachtForm = nullptr; }

void TSchlachtForm::closeEvent(QCloseEvent* e) { e->accept(); }

void TSchlachtForm::Laden(std::uint8_t s, TBesitzer angreifer) {
    if (angreifer < 1 || angreifer > BesitzerAnzahl) angreifer = SchlachtAngreiferVorgabe(s);
    if (angreifer < 1 || angreifer > BesitzerAnzahl) angreifer = bsDeutschland;
    TSchlacht b;
    if (!SchlachtAusSektor(s, angreifer, b)) return;
    sektor_ = s;
    brett_ = b;
    ++ladungen_;
    laedt_ = true;
    AngreiferComboBox->setCurrentIndex(angreifer - 1);
    TitelLabel->setText(QString::fromLatin1(Titel(s, angreifer, b.See)));
    for (TEinheitArt k : SchlachtArten)
        for (int seite = 0; seite < 2; ++seite) {
            const bool dabei = Beteiligt(k, seite, b.See);
            const std::uint16_t n = seite == 0 ? b.Angreifer[k] : b.Verteidiger[k];
            Anzahl[seite][k]->setEnabled(dabei);
            Anzahl[seite][k]->setValue(dabei ? (n > SchlachtMaxAnzahl ? SchlachtMaxAnzahl : n) : 0);
            Verluste[seite][k]->setValue(0);
            Verluste[seite][k]->setEnabled(dabei && k != eaFlak);
        }
    BombardSpin->setEnabled(!b.See);
    KeepLandSpin->setEnabled(!b.See);
    RundenText->clear();
    gegner_ = !Verteidiger(s, angreifer, b.See).empty();
    ergebnis_ = false;
    KnoepfeSetzen();
    laedt_ = false;
    Berechnen();
}

void TSchlachtForm::VerlusteNeu() {
    ergebnis_ = true;
    KnoepfeSetzen();
}

void TSchlachtForm::KnoepfeSetzen() {
    RollButton->setEnabled(gegner_ && beide_);
    ApplyButton->setEnabled(gegner_ && beide_ && ergebnis_);
}

bool TSchlachtForm::SchlachtLesen(TSchlacht& s, std::string& fehler) const {
    SchlachtLeeren(s);
    s.See = sektor_ >= 1 && sektor_ <= SektorenAnzahl && Sektoren[sektor_].Land == 0;
    for (TEinheitArt k : SchlachtArten) {
        s.Angreifer[k] = static_cast<std::uint16_t>(Anzahl[0][k]->isEnabled() ? Anzahl[0][k]->value() : 0);
        s.Verteidiger[k] = static_cast<std::uint16_t>(Anzahl[1][k]->isEnabled() ? Anzahl[1][k]->value() : 0);
    }
    s.Bombard = static_cast<std::uint16_t>(s.See ? 0 : BombardSpin->value());
    s.Jets = JetsBox->isChecked();
    s.SuperSubs = SuperSubsBox->isChecked();
    s.HeavyBombers = HeavyBombersBox->isChecked();
    s.RetreatAfter = static_cast<std::uint16_t>(RetreatAfterSpin->value());
    s.RetreatAt = RetreatAtSpin->value();
    s.KeepLand = static_cast<std::uint16_t>(s.See ? 0 : KeepLandSpin->value());
    TEinheitArt* order[2] = {s.OrderAngreifer, s.OrderVerteidiger};
    const char* const wessen[2] = {"attacker's", "defender's"};
    for (int seite = 0; seite < 2; ++seite) {
        const std::string text = OrderEdit[seite]->text().trimmed().toLatin1().toStdString();
        if (!text.empty() && !OrderLesen(text, order[seite], fehler)) {
            fehler = std::string("the ") + wessen[seite] + " order of loss: " + fehler;
            return false;
        }
    }
    return true;
}

void TSchlachtForm::Berechnen() {
    if (laedt_) return;
    TSchlacht s;
    std::string fehler;
    const bool gelesen = SchlachtLesen(s, fehler);
    beide_ = BeideSeiten(s);  // the counts are read even where an order is wrong
    // Against no one there are no odds: figures such as "wins 100 %" would claim a battle.
    gueltig_ = gelesen && beide_ && OddsBerechnen(s, odds_, fehler);
    KnoepfeSetzen();
    OddsLabel->setText(QString::fromLatin1(gueltig_ ? OddsText(s, odds_) : gelesen && !beide_ ? KeineSchlacht(s) : fehler));
    AusgangZeigen();
}

bool TSchlachtForm::OddsGezeigt(TOdds& o) const {
    if (gueltig_) o = odds_;
    return gueltig_;
}

void TSchlachtForm::AusgangZeigen() {
    if (laedt_ || sektor_ < 1 || sektor_ > SetzSektoren) return;
    // Whether the sector falls is decided by the board's units, not by counts edited here.
    TSchlacht b;
    std::uint16_t v[2][ArtenAnzahl + 1] = {};
    for (TEinheitArt k : SchlachtArten)
        for (int seite = 0; seite < 2; ++seite) v[seite][k] = static_cast<std::uint16_t>(Verluste[seite][k]->value());
    const bool eingenommen = SchlachtAusSektor(sektor_, static_cast<TBesitzer>(AngreiferComboBox->currentIndex() + 1), b) &&
                             SchlachtEingenommen(b, v[0], v[1]);
    const std::string name = SektorName(Sektoren[sektor_]);
    AusgangLabel->setText(QString::fromLatin1(b.See ? std::string() : name + (eingenommen ? " taken" : " held")));
}

void TSchlachtForm::Wuerfeln(std::mt19937_64& zufall) {
    TSchlacht s;
    std::string fehler;
    if (!SchlachtLesen(s, fehler)) throw std::runtime_error("battle: " + fehler);
    TWurf w;
    std::vector<TWurfRunde> runden;
    SchlachtWuerfeln(s, zufall, w, &runden);
    std::string t;
    for (std::size_t i = 0; i < runden.size(); ++i)
        t += "round " + std::to_string(i + 1) + ": attacker " + Verlustliste(runden[i].AngreiferVerluste) +
             ", defender " + Verlustliste(runden[i].VerteidigerVerluste) + "\n";
    const char* const ausgang[4] = {"attacker wins", "defender wins", "draw", "attacker retreats"};
    t += ausgang[w.Ausgang];
    if (w.Eingenommen) t += " and takes the sector";
    RundenText->setPlainText(QString::fromLatin1(t));
    for (TEinheitArt k : SchlachtArten) {
        Verluste[0][k]->setValue(w.AngreiferVerluste[k]);
        Verluste[1][k]->setValue(w.VerteidigerVerluste[k]);
    }
    VerlusteNeu();  // a roll that lost nothing is a result too
}

void TSchlachtForm::Anwenden() {
    if (sektor_ < 1 || sektor_ > SetzSektoren || !gegner_ || !beide_ || !ergebnis_) return;
    // Units in hand go back first, so that the battle is a step of its own. Losses meant for
    // stacks that have changed since are never taken.
    const unsigned geladen = ladungen_;
    if (ToolMode == tmCarry) GetrageneZuruecklegen();
    BrettGeaendert();
    if (ladungen_ != geladen) return;
    const TBesitzer angreifer = static_cast<TBesitzer>(AngreiferComboBox->currentIndex() + 1);
    std::uint16_t v[2][ArtenAnzahl + 1] = {};
    for (TEinheitArt k : SchlachtArten)
        for (int seite = 0; seite < 2; ++seite)
            if (k != eaFlak && Verluste[seite][k]->isEnabled()) v[seite][k] = static_cast<std::uint16_t>(Verluste[seite][k]->value());
    TSchlacht b;
    SchlachtAusSektor(sektor_, angreifer, b);
    // The stacks change here by the losses shown: they were taken, not cleared, whether the
    // board's event or the reload below shows the stacks anew.
    wendetAn_ = true;
    std::string worte;
    try {
        worte = SchlachtEintragen(sektor_, angreifer, v[0], v[1], SchlachtEingenommen(b, v[0], v[1]));
    } catch (...) {
        wendetAn_ = false;
        throw;
    }
    // Applied once: the next apply waits for another result.
    ergebnis_ = false;
    KnoepfeSetzen();
    const QString runden = RundenText->toPlainText();
    BrettGeaendert();
    wendetAn_ = false;
    RundenText->setPlainText(runden + (runden.isEmpty() ? "" : "\n") + QString::fromLatin1(worte));
}

void TSchlachtForm::BrettGeaendert() {
    if (laedt_ || sektor_ < 1 || sektor_ > SetzSektoren) return;
    const TBesitzer angreifer = static_cast<TBesitzer>(AngreiferComboBox->currentIndex() + 1);
    TSchlacht b;
    if (!SchlachtAusSektor(sektor_, angreifer, b)) return;
    // A change elsewhere keeps what was entered here, counts edited by hand included.
    if (b.See == brett_.See && std::memcmp(b.Angreifer, brett_.Angreifer, sizeof b.Angreifer) == 0 &&
        std::memcmp(b.Verteidiger, brett_.Verteidiger, sizeof b.Verteidiger) == 0 &&
        TitelLabel->text() == QString::fromLatin1(Titel(sektor_, angreifer, b.See)))
        return;
    // Said only where losses rolled or entered are lost with the stacks shown.
    bool verworfen = ergebnis_ && !wendetAn_;
    for (TEinheitArt k : SchlachtArten)
        for (int seite = 0; seite < 2; ++seite) verworfen = verworfen || (!wendetAn_ && Verluste[seite][k]->value() > 0);
    const QString runden = RundenText->toPlainText();
    Laden(sektor_, angreifer);
    if (verworfen)
        RundenText->setPlainText(runden + (runden.isEmpty() ? "" : "\n") +
                                 QStringLiteral("(the stacks have changed since; the losses were cleared)"));
    else
        RundenText->setPlainText(runden);
}

void SchlachtOeffnen() {
    const std::uint8_t s = AktuellerSektor >= 1 && AktuellerSektor <= SetzSektoren ? AktuellerSektor : LetzterSektor;
    if (s < 1 || s > SetzSektoren)
        throw std::runtime_error("battle: the pointer has not been on a sector yet; point at the sector of the battle");
    SchlachtForm->Laden(s);
    SchlachtForm->show();
    SchlachtForm->raise();
}

namespace {
const TMenuZeile Menuezeilen[] = {
    {lsMenu, &TMapForm::ToolsMenu, &TMapForm::ToolsMenu_Schlacht, "battle", "Ctrl+B", true, hkOhne, SchlachtOeffnen},
};
}  // namespace

const TMenuTabelle SchlachtMenue = {Menuezeilen, static_cast<int>(std::size(Menuezeilen))};
