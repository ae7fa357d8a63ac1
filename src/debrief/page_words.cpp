#include "debrief/page_words.h"

#include <array>

namespace kalveo::debrief {

namespace {

struct Word {
    std::string_view key, en, fr, de;
};

} // namespace

std::string_view page_word(std::string_view key, std::string_view language) {
    // Built where it is read: a table of views at namespace scope lands in writable data.
    constexpr std::array kWords{
        Word{"title", "Flight debrief", "Bilan du vol", "Flugauswertung"},
        Word{"glider", "Glider", "Planeur", "Flugzeug"},
        Word{"started", "Started", "Début", "Beginn"},
        Word{"duration", "Duration", "Durée", "Dauer"},
        Word{"distance", "Distance flown through the air", "Distance parcourue dans l'air",
             "Strecke durch die Luft"},
        Word{"top_tas", "Highest true airspeed", "Vitesse vraie maximale", "Höchste wahre Fahrt"},
        Word{"of_vne", "of VNE", "de la VNE", "der VNE"},
        Word{"at", "at", "à", "bei"},
        Word{"altitude", "Altitude", "Altitude", "Höhe"},
        Word{"level", "Time in alarm level", "Temps au niveau d'alarme", "Zeit in Alarmstufe"},
        Word{"alarms", "Alarms", "Alarmes", "Alarme"},
        Word{"advice", "Flap advice followed (share of cruise time)",
             "Conseil de volets suivi (part du temps en croisière)",
             "Klappenempfehlung befolgt (Anteil der Reiseflugzeit)"},
        Word{"late", "Late flap changes", "Changements de volets tardifs", "Späte Klappenwechsel"},
        Word{"late_by", "late by", "en retard de", "verspätet um"},
        Word{"none", "none", "aucun", "keine"},
        Word{"no_flaps", "a glider without flaps", "planeur sans volets", "Flugzeug ohne Klappen"},
        Word{"thermal_climb", "Average climb in thermals", "Montée moyenne en thermique",
             "Mittleres Steigen in der Thermik"},
        Word{"thermals", "thermals", "thermiques", "Thermiken"},
        Word{"glide_netto", "Average netto on glides", "Netto moyen en transition",
             "Mittleres Netto im Gleitflug"},
        Word{"polar_points", "Polar points taken", "Points de polaire mesurés",
             "Gemessene Polarenpunkte"},
        Word{"speed_chart", "Speeds", "Vitesses", "Geschwindigkeiten"},
        Word{"flap_chart", "Flaps", "Volets", "Klappen"},
        Word{"climb_chart", "Altitude and climb", "Altitude et vario", "Höhe und Steigen"},
        Word{"polar_chart", "Measured polar", "Polaire mesurée", "Gemessene Polare"},
        Word{"time", "Time", "Temps", "Zeit"},
        Word{"ias", "IAS", "Vi", "IAS"},
        Word{"tas", "TAS", "Vv", "TAS"},
        Word{"va1", "Alarm start", "Début d'alarme", "Alarmbeginn"},
        Word{"vne", "VNE", "VNE", "VNE"},
        Word{"flaps_set", "Set", "Réglés", "Gesetzt"},
        Word{"flaps_advised", "Advised", "Conseillés", "Empfohlen"},
        Word{"vario", "Vario", "Vario", "Vario"},
        Word{"circling", "circling", "spirale", "Kreisen"},
        Word{"reference", "Reference polar", "Polaire de référence", "Referenzpolare"},
        Word{"measured", "Measured points", "Points mesurés", "Gemessene Punkte"},
        Word{"fitted", "Fitted curve", "Courbe ajustée", "Angepasste Kurve"},
        Word{"speed", "Speed", "Vitesse", "Fahrt"},
        Word{"sink", "Sink", "Chute", "Sinken"},
        Word{
            "hint", "Wheel: zoom. Drag: zoom to a stretch. Shift+drag: pan. Double click: all.",
            "Molette : zoom. Glisser : zoom sur un passage. Maj+glisser : déplacer. Double clic : "
            "tout.",
            "Mausrad: Zoom. Ziehen: Ausschnitt. Umschalt+Ziehen: Verschieben. Doppelklick: alles."},
        Word{"calls_keys", "Calls and keys", "Annonces et touches", "Ansagen und Tasten"},
        Word{"flap_call", "flap call", "annonce de volets", "Klappenansage"},
        Word{"key", "key", "touche", "Taste"},
        Word{"feedback", "a key's own sound, not an alarm: the sound of alarm level",
             "son propre d'une touche, pas une alarme : le son du niveau d'alarme",
             "eigener Ton einer Taste, kein Alarm: der Ton der Alarmstufe"},
        Word{"problem", "The flight file was not whole", "Le fichier du vol n'était pas complet",
             "Die Flugdatei war nicht vollständig"},
    };
    for (const Word& w : kWords) {
        if (w.key != key) continue;
        if (language == "FR") return w.fr;
        if (language == "DE") return w.de;
        return w.en;
    }
    return key;
}

PageUnits page_units(int speed_unit, bool vario_knots) {
    PageUnits u;
    switch (speed_unit) {
    case 1:
        u.speed = 1.9438444;
        u.speed_name = "kt";
        u.distance = 1.0 / 1852.0;
        u.distance_name = "NM";
        break;
    case 2:
        u.speed = 2.2369363;
        u.speed_name = "mph";
        u.distance = 1.0 / 1609.344;
        u.distance_name = "mi";
        break;
    case 3:
        u.speed = 6.0132294;
        u.speed_name = "kFpf";
        break;
    default:
        break;
    }
    if (vario_knots) {
        u.climb = 1.9438444;
        u.climb_name = "kt";
        u.height = 1.0 / 0.3048;
        u.height_name = "ft";
    }
    return u;
}

} // namespace kalveo::debrief
