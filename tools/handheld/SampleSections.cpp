// The sections the simulated handheld holds out of the box, made from readable tables.
//
// The data is generated, not stored: short tables of names, places, words
// and appointments are combined into a few hundred records, so that every
// section spans several packets while the source stays readable.
#include "handheld/SampleSections.h"

#include "handheld/HandheldText.h"
#include "handheld/SectionPackets.h"

#include <cstdio>

namespace {

constexpr std::size_t kPacketBodyLimit = 2394;
constexpr char kUnlocked = 0x72;
constexpr char kLocked = static_cast<char>(0xF2);

std::string WithLength(const std::string& data) {
    std::string record = {static_cast<char>(data.size() & 0xFF), static_cast<char>(data.size() >> 8)};
    return record + data;
}

// Lock byte, then each field closed by a 0 byte.
std::string TextRecord(bool locked, const std::vector<const char*>& fields) {
    std::string data(1, locked ? kLocked : kUnlocked);
    for (const char* field : fields) {
        data += ToHandheldText(field);
        data += '\0';
    }
    return data;
}

struct Person {
    const char* name;
    const char* country; // dialling code
    const char* city;
    const char* street;
};

const Person kPeople[] = {
    {"MÜLLER, HANS", "+49 30", "BERLIN", "HAUPTSTRASSE"},
    {"SCHMIDT, GRETA", "+49 40", "HAMBURG", "ELBCHAUSSEE"},
    {"SCHNEIDER, JÖRG", "+49 89", "MÜNCHEN", "LEOPOLDSTRASSE"},
    {"FISCHER, ÄNNE", "+49 221", "KÖLN", "HOHE STRASSE"},
    {"WEBER, KLAUS", "+49 69", "FRANKFURT", "ZEIL"},
    {"MEYER, UTE", "+49 711", "STUTTGART", "KÖNIGSTRASSE"},
    {"WAGNER, DIETER", "+49 341", "LEIPZIG", "GRIMMAISCHE STRASSE"},
    {"BECKER, SABINE", "+49 351", "DRESDEN", "PRAGER STRASSE"},
    {"HOFFMANN, JÜRGEN", "+49 511", "HANNOVER", "GEORGSTRASSE"},
    {"SCHÄFER, MONIKA", "+49 911", "NÜRNBERG", "KAROLINENSTRASSE"},
    {"KOCH, STEFAN", "+49 421", "BREMEN", "OBERNSTRASSE"},
    {"BAUER, PETRA", "+49 201", "ESSEN", "KETTWIGER STRASSE"},
    {"RICHTER, UWE", "+49 361", "ERFURT", "ANGER"},
    {"KLEIN, BÄRBEL", "+49 228", "BONN", "POSTSTRASSE"},
    {"WOLF, GÜNTER", "+49 381", "ROSTOCK", "KRÖPELINER STRASSE"},
    {"GROSS, HEIKE", "+49 431", "KIEL", "HOLSTENSTRASSE"},
    {"ИВАНОВ, ИВАН", "+7 495", "МОСКВА", "ТВЕРСКАЯ"},
    {"ПЕТРОВА, АННА", "+7 812", "САНКТ-ПЕТЕРБУРГ", "НЕВСКИЙ ПРОСПЕКТ"},
    {"СМИРНОВ, АЛЕКСЕЙ", "+7 343", "ЕКАТЕРИНБУРГ", "ЛЕНИНА"},
    {"КУЗНЕЦОВА, ОЛЬГА", "+7 383", "НОВОСИБИРСК", "КРАСНЫЙ ПРОСПЕКТ"},
    {"ПОПОВ, СЕРГЕЙ", "+7 843", "КАЗАНЬ", "БАУМАНА"},
    {"ВАСИЛЬЕВА, НАТАЛЬЯ", "+7 831", "НИЖНИЙ НОВГОРОД", "БОЛЬШАЯ ПОКРОВСКАЯ"},
    {"СОКОЛОВ, ДМИТРИЙ", "+7 846", "САМАРА", "ЛЕНИНГРАДСКАЯ"},
    {"МИХАЙЛОВА, ТАТЬЯНА", "+7 863", "РОСТОВ-НА-ДОНУ", "БОЛЬШАЯ САДОВАЯ"},
    {"НОВИКОВ, АНДРЕЙ", "+7 4012", "КАЛИНИНГРАД", "ЛЕНИНСКИЙ ПРОСПЕКТ"},
    {"ФЁДОРОВ, ПЁТР", "+7 4212", "ХАБАРОВСК", "МУРАВЬЁВА-АМУРСКОГО"},
    {"МОРОЗОВА, ЕЛЕНА", "+7 8442", "ВОЛГОГРАД", "МИРА"},
    {"ВОЛКОВ, ЮРИЙ", "+7 3452", "ТЮМЕНЬ", "РЕСПУБЛИКИ"},
    {"АЛЕКСЕЕВА, ИРИНА", "+7 4732", "ВОРОНЕЖ", "ПЛЕХАНОВСКАЯ"},
    {"ЛЕБЕДЕВ, МИХАИЛ", "+7 3412", "ИЖЕВСК", "ПУШКИНСКАЯ"},
};

// Who: the person, at home, at work and on the road, each a record.
const char* const kPlaces[] = {"PRIVAT", "BÜRO", "MOBIL", "ДОМ", "РАБОТА"};

std::string TelephoneBook() {
    std::vector<std::string> records;
    int serial = 0;
    for (const Person& person : kPeople) {
        for (int place = 0; place < 4; ++place) {
            ++serial;
            char number[48];
            std::snprintf(number, sizeof number, "%s %03d %04d", person.country, 100 + serial * 37 % 900,
                          serial * 7919 % 10000);
            char address[160];
            std::snprintf(address, sizeof address, "%s, %s %d\n%s", person.street, person.city, serial % 97 + 1,
                          kPlaces[(serial + place) % 5]);
            records.push_back(TextRecord(serial % 11 == 0, {person.name, number, address}));
        }
    }
    return PackSection(kTelephoneLetter, records);
}

struct Appointment {
    const char* text;
    int startHour;
    int minutes; // length
};

const Appointment kAppointments[] = {
    {"ZAHNARZT DR. KÖHLER", 9, 45},    {"DEUTSCHKURS, RAUM 12", 18, 90},
    {"ВСТРЕЧА С ПАРТНЁРАМИ", 11, 60},  {"ÜBERSETZUNG ABGEBEN", 14, 30},
    {"УРОК РУССКОГО ЯЗЫКА", 17, 90},   {"GEBURTSTAG OMA GRÖSSE", 15, 180},
    {"ЗВОНОК В МОСКВУ", 10, 15},       {"MITTAGESSEN MIT JÖRG", 12, 60},
    {"ПОЕЗД В ПЕТЕРБУРГ", 7, 240},     {"STEUERBERATER FRAU SÜSS", 16, 60},
    {"КОНЦЕРТ В ФИЛАРМОНИИ", 19, 150}, {"WERKSTATT: AUTO ABHOLEN", 8, 30},
    {"ДЕНЬ РОЖДЕНИЯ НАТАШИ", 18, 240}, {"FLUG NACH NOWOSIBIRSK\nTERMINAL 2", 6, 300},
    {"СОБРАНИЕ ЖИЛЬЦОВ", 20, 60},
};

std::string Schedule() {
    std::vector<std::string> records;
    int serial = 0;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 2; day <= 28; day += 2) {
            const Appointment& appointment = kAppointments[serial % std::size(kAppointments)];
            ++serial;
            const int end = appointment.startHour * 60 + appointment.minutes;
            std::string data = {static_cast<char>(month),
                                static_cast<char>(day),
                                static_cast<char>(2026 - 1900),
                                static_cast<char>(serial % 13 == 0 ? 0xEE : 0x6E),
                                '\0',
                                static_cast<char>(appointment.startHour),
                                static_cast<char>(serial % 4 * 15),
                                static_cast<char>(end / 60 % 24),
                                static_cast<char>(end % 60),
                                '\0'};
            data += ToHandheldText(appointment.text);
            data += '\0';
            records.push_back(data);
        }
    }
    return PackSection(kScheduleLetter, records);
}

struct WordPair {
    const char* german;
    const char* russian;
};

const WordPair kWords[] = {
    {"HAUS, DAS", "ДОМ"},
    {"BAUM, DER", "ДЕРЕВО"},
    {"BUCH, DAS", "КНИГА"},
    {"TISCH, DER", "СТОЛ"},
    {"STUHL, DER", "СТУЛ"},
    {"FENSTER, DAS", "ОКНО"},
    {"TÜR, DIE", "ДВЕРЬ"},
    {"STRASSE, DIE", "УЛИЦА"},
    {"STADT, DIE", "ГОРОД"},
    {"DORF, DAS", "ДЕРЕВНЯ"},
    {"FLUSS, DER", "РЕКА"},
    {"SEE, DER", "ОЗЕРО"},
    {"MEER, DAS", "МОРЕ"},
    {"BERG, DER", "ГОРА"},
    {"WALD, DER", "ЛЕС"},
    {"FELD, DAS", "ПОЛЕ"},
    {"HIMMEL, DER", "НЕБО"},
    {"SONNE, DIE", "СОЛНЦЕ"},
    {"MOND, DER", "ЛУНА"},
    {"STERN, DER", "ЗВЕЗДА"},
    {"WASSER, DAS", "ВОДА"},
    {"FEUER, DAS", "ОГОНЬ"},
    {"ERDE, DIE", "ЗЕМЛЯ"},
    {"LUFT, DIE", "ВОЗДУХ"},
    {"BROT, DAS", "ХЛЕБ"},
    {"MILCH, DIE", "МОЛОКО"},
    {"KÄSE, DER", "СЫР"},
    {"BUTTER, DIE", "МАСЛО"},
    {"APFEL, DER", "ЯБЛОКО"},
    {"BIRNE, DIE", "ГРУША"},
    {"KARTOFFEL, DIE", "КАРТОФЕЛЬ"},
    {"GURKE, DIE", "ОГУРЕЦ"},
    {"FLEISCH, DAS", "МЯСО"},
    {"FISCH, DER", "РЫБА"},
    {"SALZ, DAS", "СОЛЬ"},
    {"ZUCKER, DER", "САХАР"},
    {"TEE, DER", "ЧАЙ"},
    {"KAFFEE, DER", "КОФЕ"},
    {"SAFT, DER", "СОК"},
    {"BIER, DAS", "ПИВО"},
    {"MUTTER, DIE", "МАТЬ"},
    {"VATER, DER", "ОТЕЦ"},
    {"BRUDER, DER", "БРАТ"},
    {"SCHWESTER, DIE", "СЕСТРА"},
    {"SOHN, DER", "СЫН"},
    {"TOCHTER, DIE", "ДОЧЬ"},
    {"FREUND, DER", "ДРУГ"},
    {"NACHBAR, DER", "СОСЕД"},
    {"LEHRER, DER", "УЧИТЕЛЬ"},
    {"ARZT, DER", "ВРАЧ"},
    {"SCHÜLER, DER", "УЧЕНИК"},
    {"KIND, DAS", "РЕБЁНОК"},
    {"HUND, DER", "СОБАКА"},
    {"KATZE, DIE", "КОШКА"},
    {"PFERD, DAS", "ЛОШАДЬ"},
    {"VOGEL, DER", "ПТИЦА"},
    {"KUH, DIE", "КОРОВА"},
    {"BÄR, DER", "МЕДВЕДЬ"},
    {"WOLF, DER", "ВОЛК"},
    {"FUCHS, DER", "ЛИСА"},
    {"ZUG, DER", "ПОЕЗД"},
    {"BAHNHOF, DER", "ВОКЗАЛ"},
    {"FLUGZEUG, DAS", "САМОЛЁТ"},
    {"SCHIFF, DAS", "КОРАБЛЬ"},
    {"AUTO, DAS", "МАШИНА"},
    {"FAHRRAD, DAS", "ВЕЛОСИПЕД"},
    {"BRÜCKE, DIE", "МОСТ"},
    {"PLATZ, DER", "ПЛОЩАДЬ"},
    {"KIRCHE, DIE", "ЦЕРКОВЬ"},
    {"SCHULE, DIE", "ШКОЛА"},
    {"MARKT, DER", "РЫНОК"},
    {"GESCHÄFT, DAS", "МАГАЗИН"},
    {"ZEIT, DIE", "ВРЕМЯ"},
    {"TAG, DER", "ДЕНЬ"},
    {"NACHT, DIE", "НОЧЬ"},
    {"MORGEN, DER", "УТРО"},
    {"ABEND, DER", "ВЕЧЕР"},
    {"WOCHE, DIE", "НЕДЕЛЯ"},
    {"MONAT, DER", "МЕСЯЦ"},
    {"JAHR, DAS", "ГОД"},
    {"FRÜHLING, DER", "ВЕСНА"},
    {"SOMMER, DER", "ЛЕТО"},
    {"HERBST, DER", "ОСЕНЬ"},
    {"WINTER, DER", "ЗИМА"},
    {"SCHNEE, DER", "СНЕГ"},
    {"REGEN, DER", "ДОЖДЬ"},
    {"WIND, DER", "ВЕТЕР"},
    {"EIS, DAS", "ЛЁД"},
    {"ROT", "КРАСНЫЙ"},
    {"BLAU", "СИНИЙ"},
    {"GRÜN", "ЗЕЛЁНЫЙ"},
    {"GELB", "ЖЁЛТЫЙ"},
    {"SCHWARZ", "ЧЁРНЫЙ"},
    {"WEISS", "БЕЛЫЙ"},
    {"GROSS", "БОЛЬШОЙ"},
    {"KLEIN", "МАЛЕНЬКИЙ"},
    {"ALT", "СТАРЫЙ"},
    {"NEU", "НОВЫЙ"},
    {"GUT", "ХОРОШИЙ"},
    {"SCHLECHT", "ПЛОХОЙ"},
    {"SCHÖN", "КРАСИВЫЙ"},
    {"SCHNELL", "БЫСТРЫЙ"},
    {"LANGSAM", "МЕДЛЕННЫЙ"},
    {"WARM", "ТЁПЛЫЙ"},
    {"KALT", "ХОЛОДНЫЙ"},
    {"HEISS", "ГОРЯЧИЙ"},
    {"SÜSS", "СЛАДКИЙ"},
    {"FRÖHLICH", "ВЕСЁЛЫЙ"},
    {"GEHEN", "ИДТИ"},
    {"FAHREN", "ЕХАТЬ"},
    {"LESEN", "ЧИТАТЬ"},
    {"SCHREIBEN", "ПИСАТЬ"},
    {"SPRECHEN", "ГОВОРИТЬ"},
    {"HÖREN", "СЛЫШАТЬ"},
    {"SEHEN", "ВИДЕТЬ"},
    {"ESSEN", "ЕСТЬ"},
    {"TRINKEN", "ПИТЬ"},
    {"SCHLAFEN", "СПАТЬ"},
    {"ARBEITEN", "РАБОТАТЬ"},
    {"LERNEN", "УЧИТЬСЯ"},
    {"WOHNEN", "ЖИТЬ"},
    {"KAUFEN", "ПОКУПАТЬ"},
    {"ÖFFNEN", "ОТКРЫВАТЬ"},
    {"SCHLIESSEN", "ЗАКРЫВАТЬ"},
    {"FRAGEN", "СПРАШИВАТЬ"},
    {"ANTWORTEN", "ОТВЕЧАТЬ"},
    {"WARTEN", "ЖДАТЬ"},
    {"SUCHEN", "ИСКАТЬ"},
    {"FINDEN", "НАХОДИТЬ"},
    {"VERSTEHEN", "ПОНИМАТЬ"},
    {"VERGESSEN", "ЗАБЫВАТЬ"},
    {"ÜBERSETZEN", "ПЕРЕВОДИТЬ"},
    {"HEUTE", "СЕГОДНЯ"},
    {"GESTERN", "ВЧЕРА"},
    {"MORGEN", "ЗАВТРА"},
    {"IMMER", "ВСЕГДА"},
    {"NIE", "НИКОГДА"},
    {"OFT", "ЧАСТО"},
    {"HIER", "ЗДЕСЬ"},
    {"DORT", "ТАМ"},
    {"GUTEN TAG", "ДОБРЫЙ ДЕНЬ"},
    {"DANKE SCHÖN", "БОЛЬШОЕ СПАСИБО"},
    {"BITTE", "ПОЖАЛУЙСТА"},
    {"AUF WIEDERSEHEN", "ДО СВИДАНИЯ"},
    {"ENTSCHULDIGUNG", "ИЗВИНИТЕ"},
    {"WIE GEHT ES", "КАК ДЕЛА"},
    {"ICH VERSTEHE NICHT", "Я НЕ ПОНИМАЮ"},
    {"ZUM BAHNHOF", "НА ВОКЗАЛ"},
    {"WAS KOSTET DAS", "СКОЛЬКО ЭТО СТОИТ"},
    {"GUTE REISE!", "СЧАСТЛИВОГО ПУТИ!"},
};

// Each entry with a short line of use under the translation, as a user would note it.
std::string Dictionary(bool germanFirst) {
    std::vector<std::string> records;
    int serial = 0;
    for (const WordPair& pair : kWords) {
        ++serial;
        std::string translation = germanFirst ? pair.russian : pair.german;
        translation += serial % 3 == 0 ? "\n(УРОК " + std::to_string(serial / 3) + ")" : "";
        translation += serial % 3 == 1 ? "\n(LEKTION " + std::to_string(serial / 3 + 1) + ")" : "";
        records.push_back(
            TextRecord(serial % 17 == 0, {germanFirst ? pair.german : pair.russian, translation.c_str()}));
    }
    return PackSection(germanFirst ? kErDictLetter : kReDictLetter, records);
}

} // namespace

std::string PackSection(char letter, const std::vector<std::string>& records) {
    std::string file;
    std::string body;
    int number = 0;
    auto flush = [&](char marker) {
        const std::size_t length = body.size() + kPacketHeaderSize;
        file += {letter, static_cast<char>(number), static_cast<char>(length & 0xFF), static_cast<char>(length >> 8),
                 marker};
        file += body;
        body.clear();
        ++number;
    };
    for (const std::string& data : records) {
        if (body.size() + 2 + data.size() > kPacketBodyLimit)
            flush(kMorePacketsMarker);
        body += WithLength(data);
    }
    flush(kLastPacketMarker);
    return file;
}

std::string SampleSection(char letter) {
    switch (letter) {
    case kTelephoneLetter:
        return TelephoneBook();
    case kScheduleLetter:
        return Schedule();
    case kErDictLetter:
        return Dictionary(true);
    case kReDictLetter:
        return Dictionary(false);
    default:
        return {};
    }
}
