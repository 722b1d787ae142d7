#include "USektorInfoForm.h"

#include <QCloseEvent>
#include <QLabel>
#include <QScrollArea>
#include <QStyle>
#include <algorithm>

#include "UFenster.h"
#include "UFensterHilfen.h"
#include "USpielstand.h"
#include "UVariablen.h"

TSektorInfoForm* SektorInfoForm = nullptr;

namespace {
std::uint8_t GezeigterSektor = 0;  // the sector the labels show; 0 before the first
constexpr int StapelHoehe = 5 * 13 + 13;  // the stacks' room in the window
}  // namespace

TSektorInfoForm::TSektorInfoForm(QWidget* eltern)
    : QWidget(eltern, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Sektorinfo"));
    setFont(FensterSchrift());
    // Below the six rows, the stacks of the sector: a line per power.
    setFixedSize(407, 100 + 5 * 13);
    const char* const titel[6] = {"Sektornummer", "Sektorname", "Startbesitzer", "ICPs", "Land / Wasser",
                                  "ICPsHotSpot"};
    QLabel** werte[6] = {&SektornummerLabel, &SektornameLabel, &StartbesitzerLabel, &ICPsLabel, &LandWasserLabel,
                         &ICPsHotSpotLabel};
    const char* const namen[6] = {"SektornummerLabel", "SektornameLabel", "StartbesitzerLabel", "ICPsLabel",
                                  "LandWasserLabel", "ICPsHotSpotLabel"};
    for (int i = 0; i < 6; ++i) {
        LabelAn(this, QString::fromLatin1(titel[i]), 0, 13 * i, 100);
        *werte[i] = LabelAn(this, QString(), 104, 13 * i, 300);
        (*werte[i])->setObjectName(QString::fromLatin1(namen[i]));
    }
    LabelAn(this, QStringLiteral("Halter"), 250, 26, 50);
    HalterLabel = LabelAn(this, QString(), 290, 26, 117);
    HalterLabel->setObjectName(QStringLiteral("HalterLabel"));
    // Five powers of many kinds each wrap to more lines than the window has room for: the
    // stacks scroll in the place of the window's size.
    auto* stapel = new QScrollArea(this);
    stapel->setObjectName(QStringLiteral("StapelFlaeche"));
    stapel->setGeometry(0, 84, 407, StapelHoehe);
    stapel->setFrameShape(QFrame::NoFrame);
    stapel->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The lines wrap short of the scroll bar, which comes only when they need it.
    const int breite = 407 - style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    StapelLabel = LabelAn(stapel, QString(), 0, 0, breite, StapelHoehe);
    StapelLabel->setObjectName(QStringLiteral("StapelLabel"));
    StapelLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    StapelLabel->setWordWrap(true);
    stapel->setWidget(StapelLabel);
    NurSchliessen(this);
    SektorInfoForm = this;
}

TSektorInfoForm::~TSektorInfoForm() {
    SektorInfoForm = nullptr;
    GezeigterSektor = 0;
}

void TSektorInfoForm::closeEvent(QCloseEvent* e) {
    SektorInfo = false;
    Fenster->FensterGeschlossen(fwSektorInfoForm);
    e->accept();
}

void SektorInfoFuellen(std::uint8_t s) {
    const TSektor* r = SektorRecord(s);
    if (!r || !SektorInfoForm) return;
    GezeigterSektor = s;
    TSektorInfoForm& f = *SektorInfoForm;
    f.SektornummerLabel->setText(QString::number(s));
    f.SektornameLabel->setText(QString::fromLatin1(SektorName(*r).c_str()));
    f.StartbesitzerLabel->setText(QString::fromLatin1(BesitzerName(r->StartBesitzer)));
    f.ICPsLabel->setText(QString::number(r->ICPs));
    f.LandWasserLabel->setText(r->Land ? QStringLiteral("Land") : QStringLiteral("Wasser"));
    f.ICPsHotSpotLabel->setText(QString::number(r->HotSpotX) + QStringLiteral(" / ") + QString::number(r->HotSpotY));
    // Only the sectors that count for income have a holder.
    f.HalterLabel->setText(s <= SetzSektoren ? QString::fromLatin1(BesitzerName(Spielstand.Halter[s])) : QString());
    f.StapelLabel->setText(QString::fromLatin1(SektorStapelText(s).c_str()));
    f.StapelLabel->resize(f.StapelLabel->width(), std::max(StapelHoehe, f.StapelLabel->heightForWidth(f.StapelLabel->width())));
}

// Also while the window is hidden: it shows what it holds when it is opened.
void SektorInfoAuffrischen() {
    if (GezeigterSektor) SektorInfoFuellen(GezeigterSektor);
}

std::string SektorStapelText(std::uint8_t s) {
    std::string text;
    for (int p = 1; p <= BesitzerAnzahl; ++p) {
        std::string zeile;
        for (std::int32_t i = 1; i <= EinheitenAnzahl; ++i) {
            const TEinheit& e = Einheiten[i];
            if (e.Sektor != s || e.Besitzer != p) continue;
            zeile += zeile.empty() ? std::string(BesitzerName(p)) + ": " : std::string(", ");
            zeile += (e.Art >= 1 && e.Art <= ArtenAnzahl ? std::string(ArtName(e.Art)) : "kind " + std::to_string(e.Art)) +
                     " " + std::to_string(e.Anzahl);
        }
        if (!zeile.empty()) text += (text.empty() ? "" : "\n") + zeile;
    }
    return text;
}
