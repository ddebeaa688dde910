// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/StringTable.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>

namespace {

struct StringEntry {
    int id;
    std::string_view text;
};

// Texts of the string table, by id, ascending. \n and \r are line feed and carriage return;
// %s placeholders are filled by the callers.
constexpr StringEntry kEntries[] = {
    {101, "&Over NorvikRename"}, // system-menu item
    {102, "NorvikRename"},
    {1000, "Voorbeeld"},
    {1001, "Bestand"},
    {1002, "Pad"},
    {1003, "Grootte"},
    {1004, "Type"},
    {1005, "Ext"},
    {1006, "Gemaakt"},
    {1007, "Gewijzigd"},
    {1008, "Laatst geopend"},
    {1009, "Attributen"},
    {1010, "Naam"},
    {1011, "Autonummering"},
    {1012, "Meer opties"}, // not used as a tab
    {1013, "Ext"},
    {1500, "Foutcode"},
    {1501, "Foutbeschrijving"},
    {1502, "Bestandsnaam van"},
    {1503, "Bestandsnaam voor"},
    {2000, "Selecteer map"}, // title of the folder browser
    {2001, "<ONJUIST COMMANDO>"},
    {2002, "items"}, // unit in the preview column header
    {2998, "INI bestanden (*.ini)|*.ini|Alle bestanden (*.*)|*.*||"},
    {2999, "Batch bestanden (*.bat)|*.bat|Alle bestanden (*.*)|*.*||"},
    {3000, "Tekstbestanden (*.txt)|*.txt|Alle bestanden (*.*)|*.*||"},
    {3001, "Kan geen tekstbestanden groter dan 8Mb openen."},
    {3002, "Waarschuwing"},
    {3003, "Het bestand [%s] kan niet geopend worden."},
    {3004, "Er is niet voldoende geheugen om het bestand te openen."},
    {3005, "Er zijn geen bestanden met de huidige opties te hernoemen."},
    {3006, "Er zijn geen hernoemde bestanden om te herstellen."},
    {3007, "Er zijn fouten ontstaan bij het hernoemen van bestanden."},
    {3008, "Er zijn fouten ontstaan bij het herstellen van eerder hernoemde bestanden."},
    {3009, "Dubbelklik voor een voorbeeld"},
    {3012, "Er zijn geen te hernoemen bestanden met de huidige opties om een .bat bestand te "
           "maken."},
    {3013, "Kan het batch-bestand \n[%s] niet maken"},
    {3014, "Het .BAT bestand is opgeslagen. OK."},
    {3015, "Het voorbeeldbestand is opgeslagen. OK."},
    {3016, "Kan het configuratiebestand \n[%s] niet maken"},
    {3017, "Norvik Rename vanaf hier"}, // Explorer menu item of the shell verb
    {3018, "Druk op een toets om te stoppen"},
    {3019, "Hernoeming fout:\r\n  van [%s]\r\n  naar [%s]\r\n  Fout: [%s]"},
    {3020, "Het herstel batchbestand [%s] is gemaakt"},
    {3021, "Het batch herstelbestand {%s] KAN NIET WORDEN GEMAAKT"},
    {3022, "Het TEMP bacht herstelbestand [%s] is gemaakt\r\n Denk er aan om het bestand te "
           "hernoemen tot .bat"},
    {3023, "Ongeldig adres"},
    {3024, "Het herstel .bat bestand is opgeslagen. OK."},
    {3025, "Norvik Rename gaat de geselecteerde bestanden hernoemen. n\\Wilt u doorgaan?"},
    {3026, "Norvik Rename gaat alle bestanden hernoemen. \nWilt u doorgaan."},
    {3027, "Sla huidige gebruikersinstellingen op"},
    {3028, "Haal gebruikersinstellingen op"},
    {3029, "Afgebroken... Een ogenblik geduld aub."},
    {3030, "Kan geen toegang krijgen tot station \n\n[%s]"},
    {3031, "Kan de geselecteerde map \n\n[%s] niet openen"},
    {3032, "Rekenvoorbeeld"},
    {3033, "De bestandsnaam mag geen van deze ongeldige karakters hebben: \n\n \\ / : * ? \" < > |"},
    {3034, "Fout bij het hernoemen van het bestand"},
    {3035, "U moet een geldige waarde ingeven tussen 1 en 256 in de 'Bestandsnaam lengte' "
           "bewerkingstekst."},
    {3036, "U moet enige waarden ingeven in de 'Bestandsgrootte' bewerkingstekst."},
    {3043, "Bytes"},
    {3044, "Kilobytes"},
    {3045, "Megabyties"},
    {3046, "Bezig met hernoemen. Een ogenblik geduld aub..."},
    {3047, "Bezig met herstellen. Een ogenblik geduld aub..."},
    {3048, "[%s]\n\n is geen geldig pad"},
    {3049, "Vraag"},
    {3050, "Informatie"},
    {3051, "Fout"},
    {3060, "Kan het optiebestand [%s] niet lezen: %s"},
    {3061, "Het herstelbestand [%s] kan de volgende hernoeming niet vastleggen: %s. Er wordt "
           "niets meer hernoemd."},
    {3070, "Wisselingen en ketens toestaan"},
    {3080, "botsing"},
    {3081, "botsingen"},
    {3082, "Niet te hernoemen: [%s] krijgt deze nieuwe naam eerder"},
    {3083, "Niet te hernoemen: [%s] bestaat al"},
    {3084, "1 bestand wordt niet hernoemd: zijn nieuwe naam botst met een ander bestand."},
    {3085, "%s bestanden worden niet hernoemd: hun nieuwe naam botst met een ander bestand."},
    {3086, "niet te controleren"},
    {3087, "Niet te controleren: de map [%s] kan niet worden gelezen"},
    // Texts with command ids: the tooltip of each command, and one dialog title.
    {32771, "Verplaats naar de bovenliggende map"},
    {32772, "Verplaats naar de vorige map"},
    {32773, "Verplaats naar de volgende map"},
    {32774, "Adres geschiedenis"},
    {32776, "Sla het huidige voorbeeld op"}, // title of the preview-listing save dialog
    {32779, "Selecteer map"},
    {32780, "Vernieuw bestanden"},
    {32781, "Toon mappen"},
    {32782, "Toon bestanden"},
    {32783, "Werk met mappen (mappen als bestanden)"},
    {32879, "Recursieve modus"},
    {32884, "Toon tekstverwerker"},
    {32891, "Hernoem de huidige selectie"},
    {32894, "Herstellen"},
    {32895, "Voorbeeld"},
    {32903, "Maak een .BAT bestand"},
    {32929, "Maak een herstel .BAT bestand"},
    {32948, "Selecteer station"},
    {32995, "Uitgebreid filteropties"},
    {33002, "Toon het info-venster"},
    {33004, "Configureer de kleuren voor het beeld/voorbeeldvenster"},
    {33007, "Algemene instellingen"},
    {57670, "Toon het helpbestand"},
};

constexpr bool IsStrictlyAscending() {
    for (std::size_t i = 1; i < std::size(kEntries); ++i) {
        if (kEntries[i - 1].id >= kEntries[i].id) {
            return false;
        }
    }
    return true;
}
static_assert(IsStrictlyAscending(), "string table must be sorted by id without duplicates");

constexpr bool HasNoEmptyText() {
    return std::none_of(std::begin(kEntries), std::end(kEntries),
                        [](const StringEntry& e) { return e.text.empty(); });
}
static_assert(HasNoEmptyText(), "an id in the string table must have a text");

constexpr auto kIds = [] {
    std::array<int, std::size(kEntries)> ids{};
    for (std::size_t i = 0; i < ids.size(); ++i) {
        ids[i] = kEntries[i].id;
    }
    return ids;
}();

} // namespace

std::string_view LookupString(int id) {
    const auto* it = std::lower_bound(std::begin(kEntries), std::end(kEntries), id,
                                      [](const StringEntry& e, int key) { return e.id < key; });
    if (it == std::end(kEntries) || it->id != id) {
        return {};
    }
    return it->text;
}

std::span<const int> AllStringIds() {
    return kIds;
}

std::string FillText(std::string_view pattern, std::initializer_list<std::string_view> values) {
    std::string result;
    result.reserve(pattern.size() + 64);
    auto next = values.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size()) {
            const char kind = pattern[i + 1];
            if (kind == '%') {
                result += '%';
                ++i;
                continue;
            }
            if (kind == 's' || kind == 'd' || kind == 'i' || kind == 'u') {
                if (next != values.end()) {
                    result += *next++;
                }
                ++i;
                continue;
            }
        }
        result += c;
    }
    return result;
}
