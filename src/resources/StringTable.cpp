// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/StringTable.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

// Marks a window text for Qt's lupdate, which reads the tokens; this layer links no Qt,
// so the mark leaves the plain text.
#define QT_TRANSLATE_NOOP(context, text) text

namespace {

/// Who reads a text: the window, which shows it in its own language, or
/// everyone in Dutch (the console, scripts, file names and file-manager entries).
enum class Audience : bool { kOwn, kWindow };
constexpr Audience kOwn = Audience::kOwn;
constexpr Audience kWindow = Audience::kWindow;

struct StringEntry {
    int id;
    std::string_view text;
    Audience audience;
};

// Texts of the string table, by id, ascending. \n and \r are line feed and carriage return;
// %s placeholders are filled by the callers. The three texts that are console lines in a
// batch run and message boxes in the window (3005, 3060, 3061) are window texts: only the
// window installs its texts, so the console keeps the Dutch.
constexpr StringEntry kEntries[] = {
    {101, QT_TRANSLATE_NOOP("Window", "&Over NorvikRename"), kWindow}, // system-menu item
    {102, "NorvikRename", kOwn},
    {1000, QT_TRANSLATE_NOOP("Window", "Voorbeeld"), kWindow},
    {1001, QT_TRANSLATE_NOOP("Window", "Bestand"), kWindow},
    {1002, QT_TRANSLATE_NOOP("Window", "Pad"), kWindow},
    {1003, QT_TRANSLATE_NOOP("Window", "Grootte"), kWindow},
    {1004, QT_TRANSLATE_NOOP("Window", "Type"), kWindow},
    {1005, QT_TRANSLATE_NOOP("Window", "Ext"), kWindow},
    {1006, QT_TRANSLATE_NOOP("Window", "Gemaakt"), kWindow},
    {1007, QT_TRANSLATE_NOOP("Window", "Gewijzigd"), kWindow},
    {1008, QT_TRANSLATE_NOOP("Window", "Laatst geopend"), kWindow},
    {1009, QT_TRANSLATE_NOOP("Window", "Attributen"), kWindow},
    {1010, QT_TRANSLATE_NOOP("Window", "Naam"), kWindow},
    {1011, QT_TRANSLATE_NOOP("Window", "Autonummering"), kWindow},
    {1012, "Meer opties", kOwn}, // not used as a tab
    {1013, QT_TRANSLATE_NOOP("Window", "Ext"), kWindow},
    {1500, QT_TRANSLATE_NOOP("Window", "Foutcode"), kWindow},
    {1501, QT_TRANSLATE_NOOP("Window", "Foutbeschrijving"), kWindow},
    {1502, QT_TRANSLATE_NOOP("Window", "Bestandsnaam van"), kWindow},
    {1503, QT_TRANSLATE_NOOP("Window", "Bestandsnaam voor"), kWindow},
    {2000, QT_TRANSLATE_NOOP("Window", "Selecteer map"), kWindow}, // title of the folder browser
    {2001, "<ONJUIST COMMANDO>", kOwn},
    {2002, QT_TRANSLATE_NOOP("Window", "items"), kWindow}, // unit in the preview column header
    {2998, QT_TRANSLATE_NOOP("Window", "INI bestanden (*.ini)|*.ini|Alle bestanden (*.*)|*.*||"),
     kWindow},
    {2999, QT_TRANSLATE_NOOP("Window", "Batch bestanden (*.bat)|*.bat|Alle bestanden (*.*)|*.*||"),
     kWindow},
    {3000, QT_TRANSLATE_NOOP("Window", "Tekstbestanden (*.txt)|*.txt|Alle bestanden (*.*)|*.*||"),
     kWindow},
    {3001, QT_TRANSLATE_NOOP("Window", "Kan geen tekstbestanden groter dan 8Mb openen."), kWindow},
    {3002, QT_TRANSLATE_NOOP("Window", "Waarschuwing"), kWindow},
    {3003, QT_TRANSLATE_NOOP("Window", "Het bestand [%s] kan niet geopend worden."), kWindow},
    {3004, QT_TRANSLATE_NOOP("Window", "Er is niet voldoende geheugen om het bestand te openen."),
     kWindow},
    {3005,
     QT_TRANSLATE_NOOP("Window", "Er zijn geen bestanden met de huidige opties te hernoemen."),
     kWindow},
    {3006, QT_TRANSLATE_NOOP("Window", "Er zijn geen hernoemde bestanden om te herstellen."),
     kWindow},
    {3007, QT_TRANSLATE_NOOP("Window", "Er zijn fouten ontstaan bij het hernoemen van bestanden."),
     kWindow},
    {3008,
     QT_TRANSLATE_NOOP(
         "Window", "Er zijn fouten ontstaan bij het herstellen van eerder hernoemde bestanden."),
     kWindow},
    {3009, QT_TRANSLATE_NOOP("Window", "Dubbelklik voor een voorbeeld"), kWindow},
    {3012,
     QT_TRANSLATE_NOOP(
         "Window",
         "Er zijn geen te hernoemen bestanden met de huidige opties om een .bat bestand te "
         "maken."),
     kWindow},
    {3013, QT_TRANSLATE_NOOP("Window", "Kan het batch-bestand \n[%s] niet maken"), kWindow},
    {3014, QT_TRANSLATE_NOOP("Window", "Het .BAT bestand is opgeslagen. OK."), kWindow},
    {3015, QT_TRANSLATE_NOOP("Window", "Het voorbeeldbestand is opgeslagen. OK."), kWindow},
    {3016, QT_TRANSLATE_NOOP("Window", "Kan het configuratiebestand \n[%s] niet maken"), kWindow},
    {3017, "Norvik Rename vanaf hier", kOwn}, // Explorer menu item of the shell verb
    {3018, "Druk op een toets om te stoppen", kOwn},
    {3019, "Hernoeming fout:\r\n  van [%s]\r\n  naar [%s]\r\n  Fout: [%s]", kOwn},
    {3020, "Het herstel batchbestand [%s] is gemaakt", kOwn},
    {3021, "Het batch herstelbestand {%s] KAN NIET WORDEN GEMAAKT", kOwn},
    {3022,
     "Het TEMP bacht herstelbestand [%s] is gemaakt\r\n Denk er aan om het bestand te "
     "hernoemen tot .bat",
     kOwn},
    {3023, "Ongeldig adres", kOwn},
    {3024, "Het herstel .bat bestand is opgeslagen. OK.", kOwn},
    {3025,
     QT_TRANSLATE_NOOP(
         "Window", "Norvik Rename gaat de geselecteerde bestanden hernoemen. n\\Wilt u doorgaan?"),
     kWindow},
    {3026,
     QT_TRANSLATE_NOOP("Window", "Norvik Rename gaat alle bestanden hernoemen. \nWilt u doorgaan."),
     kWindow},
    {3027, QT_TRANSLATE_NOOP("Window", "Sla huidige gebruikersinstellingen op"), kWindow},
    {3028, QT_TRANSLATE_NOOP("Window", "Haal gebruikersinstellingen op"), kWindow},
    {3029, QT_TRANSLATE_NOOP("Window", "Afgebroken... Een ogenblik geduld aub."), kWindow},
    {3030, QT_TRANSLATE_NOOP("Window", "Kan geen toegang krijgen tot station \n\n[%s]"), kWindow},
    {3031, QT_TRANSLATE_NOOP("Window", "Kan de geselecteerde map \n\n[%s] niet openen"), kWindow},
    {3032, QT_TRANSLATE_NOOP("Window", "Rekenvoorbeeld"), kWindow},
    {3033,
     QT_TRANSLATE_NOOP(
         "Window",
         "De bestandsnaam mag geen van deze ongeldige karakters hebben: \n\n \\ / : * ? \" < > |"),
     kWindow},
    {3034, QT_TRANSLATE_NOOP("Window", "Fout bij het hernoemen van het bestand"), kWindow},
    {3035,
     QT_TRANSLATE_NOOP(
         "Window", "U moet een geldige waarde ingeven tussen 1 en 256 in de 'Bestandsnaam lengte' "
                   "bewerkingstekst."),
     kWindow},
    {3036,
     QT_TRANSLATE_NOOP("Window",
                       "U moet enige waarden ingeven in de 'Bestandsgrootte' bewerkingstekst."),
     kWindow},
    {3043, QT_TRANSLATE_NOOP("Window", "Bytes"), kWindow},
    {3044, QT_TRANSLATE_NOOP("Window", "Kilobytes"), kWindow},
    {3045, QT_TRANSLATE_NOOP("Window", "Megabyties"), kWindow},
    {3046, QT_TRANSLATE_NOOP("Window", "Bezig met hernoemen. Een ogenblik geduld aub..."), kWindow},
    {3047, QT_TRANSLATE_NOOP("Window", "Bezig met herstellen. Een ogenblik geduld aub..."),
     kWindow},
    {3048, QT_TRANSLATE_NOOP("Window", "[%s]\n\n is geen geldig pad"), kWindow},
    {3049, QT_TRANSLATE_NOOP("Window", "Vraag"), kWindow},
    {3050, QT_TRANSLATE_NOOP("Window", "Informatie"), kWindow},
    {3051, QT_TRANSLATE_NOOP("Window", "Fout"), kWindow},
    {3060, QT_TRANSLATE_NOOP("Window", "Kan het optiebestand [%s] niet lezen: %s"), kWindow},
    {3061,
     QT_TRANSLATE_NOOP(
         "Window",
         "Het herstelbestand [%s] kan de volgende hernoeming niet vastleggen: %s. Er wordt "
         "niets meer hernoemd."),
     kWindow},
    {3070, QT_TRANSLATE_NOOP("Window", "Wisselingen en ketens toestaan"), kWindow},
    {3080, QT_TRANSLATE_NOOP("Window", "botsing"), kWindow},
    {3081, QT_TRANSLATE_NOOP("Window", "botsingen"), kWindow},
    {3082, QT_TRANSLATE_NOOP("Window", "Niet te hernoemen: [%s] krijgt deze nieuwe naam eerder"),
     kWindow},
    {3083, QT_TRANSLATE_NOOP("Window", "Niet te hernoemen: [%s] bestaat al"), kWindow},
    {3084,
     QT_TRANSLATE_NOOP(
         "Window", "1 bestand wordt niet hernoemd: zijn nieuwe naam botst met een ander bestand."),
     kWindow},
    {3085,
     QT_TRANSLATE_NOOP(
         "Window",
         "%s bestanden worden niet hernoemd: hun nieuwe naam botst met een ander bestand."),
     kWindow},
    {3086, QT_TRANSLATE_NOOP("Window", "niet te controleren"), kWindow},
    {3087, QT_TRANSLATE_NOOP("Window", "Niet te controleren: de map [%s] kan niet worden gelezen"),
     kWindow},
    // Texts with command ids: the tooltip of each command, and one dialog title.
    {32771, QT_TRANSLATE_NOOP("Window", "Verplaats naar de bovenliggende map"), kWindow},
    {32772, QT_TRANSLATE_NOOP("Window", "Verplaats naar de vorige map"), kWindow},
    {32773, QT_TRANSLATE_NOOP("Window", "Verplaats naar de volgende map"), kWindow},
    {32774, QT_TRANSLATE_NOOP("Window", "Adres geschiedenis"), kWindow},
    {32776, QT_TRANSLATE_NOOP("Window", "Sla het huidige voorbeeld op"),
     kWindow}, // title of the preview-listing save dialog
    {32779, QT_TRANSLATE_NOOP("Window", "Selecteer map"), kWindow},
    {32780, QT_TRANSLATE_NOOP("Window", "Vernieuw bestanden"), kWindow},
    {32781, QT_TRANSLATE_NOOP("Window", "Toon mappen"), kWindow},
    {32782, QT_TRANSLATE_NOOP("Window", "Toon bestanden"), kWindow},
    {32783, QT_TRANSLATE_NOOP("Window", "Werk met mappen (mappen als bestanden)"), kWindow},
    {32879, QT_TRANSLATE_NOOP("Window", "Recursieve modus"), kWindow},
    {32884, QT_TRANSLATE_NOOP("Window", "Toon tekstverwerker"), kWindow},
    {32891, QT_TRANSLATE_NOOP("Window", "Hernoem de huidige selectie"), kWindow},
    {32894, QT_TRANSLATE_NOOP("Window", "Herstellen"), kWindow},
    {32895, QT_TRANSLATE_NOOP("Window", "Voorbeeld"), kWindow},
    {32903, QT_TRANSLATE_NOOP("Window", "Maak een .BAT bestand"), kWindow},
    {32929, QT_TRANSLATE_NOOP("Window", "Maak een herstel .BAT bestand"), kWindow},
    {32948, QT_TRANSLATE_NOOP("Window", "Selecteer station"), kWindow},
    {32995, QT_TRANSLATE_NOOP("Window", "Uitgebreid filteropties"), kWindow},
    {33002, QT_TRANSLATE_NOOP("Window", "Toon het info-venster"), kWindow},
    {33004, QT_TRANSLATE_NOOP("Window", "Configureer de kleuren voor het beeld/voorbeeldvenster"),
     kWindow},
    {33007, QT_TRANSLATE_NOOP("Window", "Algemene instellingen"), kWindow},
    {57670, QT_TRANSLATE_NOOP("Window", "Toon het helpbestand"), kWindow},
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

/// The window's texts by entry index once the window has installed them; empty otherwise.
/// Filled once before any other thread reads the table, read-only afterwards.
std::vector<std::string>& WindowTexts() {
    static std::vector<std::string> texts;
    return texts;
}

const StringEntry* FindEntry(int id) {
    const auto* it = std::lower_bound(std::begin(kEntries), std::end(kEntries), id,
                                      [](const StringEntry& e, int key) { return e.id < key; });
    if (it == std::end(kEntries) || it->id != id) {
        return nullptr;
    }
    return it;
}

} // namespace

std::string_view LookupString(int id) {
    const StringEntry* entry = FindEntry(id);
    if (entry == nullptr) {
        return {};
    }
    const std::vector<std::string>& texts = WindowTexts();
    if (entry->audience == kWindow && !texts.empty()) {
        return texts[static_cast<std::size_t>(entry - std::begin(kEntries))];
    }
    return entry->text;
}

std::string_view LookupDutchString(int id) {
    const StringEntry* entry = FindEntry(id);
    return entry != nullptr ? entry->text : std::string_view();
}

bool IsWindowString(int id) {
    const StringEntry* entry = FindEntry(id);
    return entry != nullptr && entry->audience == kWindow;
}

void SetWindowTexts(const std::function<std::string(std::string_view dutch)>& translate) {
    std::vector<std::string>& texts = WindowTexts();
    texts.clear();
    if (!translate) {
        return;
    }
    texts.reserve(std::size(kEntries));
    for (const StringEntry& entry : kEntries) {
        std::string text = entry.audience == kWindow ? translate(entry.text) : std::string();
        // A translation that is missing keeps the Dutch text.
        texts.push_back(text.empty() ? std::string(entry.text) : std::move(text));
    }
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
