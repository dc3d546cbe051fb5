// The key names of every keyboard layout: what the keys are called on the keyboards printed
// for each interface language. Names keep their established spellings, irregular ones
// included ("Bacspace", "ubir página", "NILL"): macro lists and captured keys show them and
// users know them by them.
#include "input/key_name_tables.h"

namespace novu {

namespace {

using Letters = std::array<std::string_view, 26>;
using DigitRow = std::array<std::string_view, 10>;
using Punctuation = std::array<std::string_view, 12>;

// --- Base table (LanguageIndex 0 and 1; 18, 19 and 20 use it unchanged) -------------------

constexpr Letters kBaseLetters = {
    "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
    "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z",
};
constexpr DigitRow kBaseDigits = {"1!", "2@", "3#", "4$", "5%", "6^", "7&", "8*", "9(", "0)"};
// 0x32 (the extra key beside Enter of international keyboards) has no name here.
constexpr Punctuation kBasePunctuation = {
    "_-", "=+", "[{", "]}", "|", "NULL", ";:", "'", "~", "<", ">", "/?",
};

constexpr auto kBaseNamed = std::to_array<KeyNameEntry>({
    // The main Enter key carries the keypad name; the keypad's own Enter (0x58) has none.
    {0x28, "KeyPad Enter"},
    {0x29, "ESCAPE"},
    {0x2A, "BackSpace"},
    {0x2B, "TAB"},
    {0x2C, "Space"},
    {0x39, "CAPS"},
    {0x3A, "F1"},
    {0x3B, "F2"},
    {0x3C, "F3"},
    {0x3D, "F4"},
    {0x3E, "F5"},
    {0x3F, "F6"},
    {0x40, "F7"},
    {0x41, "F8"},
    {0x42, "F9"},
    {0x43, "F10"},
    {0x44, "F11"},
    {0x45, "F12"},
    {0x46, "PrintSc"},
    {0x47, "Scroll"},
    {0x48, "Pause"},
    {0x49, "Insert"},
    {0x4A, "Home"},
    {0x4B, "Page Up"},
    {0x4C, "Delete"},
    {0x4D, "End"},
    {0x4E, "Page Down"},
    {0x4F, "→"},
    {0x50, "←"},
    {0x51, "↓"},
    {0x52, "↑"},
    {0x53, "NumLock"},
    {0x65, "App"},
    {0x68, "F13"},
    {0x69, "F14"},
    {0x6A, "F15"},
    {0x6B, "F16"},
    {0x6C, "F17"},
    {0x6D, "F18"},
    {0x6E, "F19"},
    {0x6F, "F20"},
    {0x70, "F21"},
    {0x71, "F22"},
    {0x72, "F23"},
    {0x73, "F24"},
    {0x74, "EXECUTE"},
    {0x75, "HELP"},
    {0x76, "MENU"},
    {0x77, "SELECT"},
    {0x9C, "CLEAR"},
    {0x9F, "SEPARATOR"},
    {0xE0, "L-Ctrl"},
    {0xE1, "L-Shift"},
    {0xE2, "L-Alt"},
    {0xE3, "L-Win"},
    {0xE4, "R-Ctrl"},
    {0xE5, "R-Shift"},
    {0xE6, "R-Alt"},
    {0xE7, "RWIN"},
    {0xF0, "NILL"},
});

constexpr auto kKeypadSuffixes = std::to_array<KeyNameEntry>({
    {0x54, " /"},
    {0x55, " *"},
    {0x56, " -"},
    {0x57, " +"},
    {0x59, " 1"},
    {0x5A, " 2"},
    {0x5B, " 3"},
    {0x5C, " 4"},
    {0x5D, " 5"},
    {0x5E, " 6"},
    {0x5F, " 7"},
    {0x60, " 8"},
    {0x61, " 9"},
    {0x62, " 0"},
    {0x63, " ."},
});

constexpr KeyNameTable kBase{kBaseLetters, kBaseDigits, kBasePunctuation, "KeyPad", {}};

// --- Latin letter arrangements ------------------------------------------------------------

// AZERTY: A and Q, Z and W swapped; the key right of N prints "?" and M moves beside L.
constexpr Letters kAzertyLetters = {
    "Q", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "?",
    "N", "O", "P", "A", "R", "S", "T", "U", "V", "Z", "X", "Y", "W",
};
// QWERTZ: Y and Z swapped.
constexpr Letters kQwertzLetters = {
    "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
    "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Z", "Y",
};

// --- 2 FR: French ---------------------------------------------------------------------------

constexpr auto kFrNamed = std::to_array<KeyNameEntry>({
    {0x28, "Pavé Num. Entrée"},
    {0x29, "Echap"},
    {0x2A, "Retour"},
    {0x2B, "Tab"},
    {0x2C, "Espace"},
    {0x39, "MAJ"},
    {0x46, "Print Scrn"},
    {0x47, "Arrêt défil"},
    {0x48, "PauseAttn"},
    {0x49, "Insérer"},
    {0x4B, "Page Haut"},
    {0x4C, "Suppr"},
    {0x4D, "Fin"},
    {0x4E, "Page Bas"},
    {0x53, "Verr num"},
    {0x63, "Pavé Num ."},
    {0x65, "APPS"},
    {0xE0, "G-CTRL"},
    {0xE2, "Alt"},
    {0xE3, "Win"},
    {0xE4, "D-CTRL"},
    {0xE6, "Alt Gr"},
});
constexpr KeyNameTable kFr{
    kAzertyLetters,
    {"1&", "2é", "3\"", "4'", "5(", "6-", "7è", "8_", "9ç", "0à"},
    {")°", "=+", "^¨", "$£", "*µ", "µ", "M", "ù%", "²", ";.", ":/", "!§"},
    "Pavé Num.",
    kFrNamed,
};

// --- 3 BILI: Belgian, Dutch key names --------------------------------------------------------

constexpr auto kBiliNamed = std::to_array<KeyNameEntry>({
    {0x28, "Keypad Enter"},
    {0x29, "Esc"},
    {0x2A, "Terug"},
    {0x2B, "Tab"},
    {0x47, "Scrollen"},
    {0x48, "Pauze"},
    {0x49, "Invoegen"},
    {0x4B, "Pagina boven"},
    {0x4D, "Eind"},
    {0x4E, "Pagina onder"},
    {0x65, "APP"},
    {0xE0, "G-CTRL"},
    {0xE2, "ALT"},
    {0xE3, "WIN"},
    {0xE4, "D-CTRL"},
    {0xE6, "AltGr"},
    {0xE7, "Fn"},
});
constexpr KeyNameTable kBili{
    kAzertyLetters,
    {"1&", "2é", "3\"", "4'", "5(", "6§", "7è", "8!", "9ç", "0à"},
    {")°", "-_", "^¨", "$*", "µ£", "NULL", "CLEAR", "ù%", "²³", "CLEAR", ":/", "=+"},
    "Keypad",
    kBiliNamed,
};

// --- 4 DE: German -------------------------------------------------------------------------

constexpr auto kDeNamed = std::to_array<KeyNameEntry>({
    {0x28, "Ziff.-Block Enter"},
    {0x29, "Esc"},
    {0x2A, "Backspace"},
    {0x2C, "Leerzeichen"},
    {0x39, "Umschalttaste"},
    {0x46, "Druck"},
    {0x47, "Scrollen"},
    {0x49, "Einfügen"},
    {0x4A, "Pos1"},
    {0x4B, "Seite Oben"},
    {0x4C, "Entf"},
    {0x4D, "Ende"},
    {0x4E, "Seite Unten"},
    {0x53, "Zahlensperre"},
    {0x65, "APP"},
    {0xE0, "G-STRG"},
    {0xE2, "ALT"},
    {0xE3, "WIN"},
    {0xE4, "D-CTRL"},
    {0xE6, "AltGr"},
    {0xE7, "NULL"},
});
constexpr KeyNameTable kDe{
    kQwertzLetters,
    {"1!", "2\"", "3§", "4$", "5%", "6&", "7/", "8(", "9)", "0="},
    {"?ß", "`´", "Ü", "*+", "'#", "NULL", "Ö", "Ä", "°^", ";,", ":.", "_-"},
    "Ziff.-Block",
    kDeNamed,
};

// --- 5 SP: Spanish (the two arrow names are exchanged on this table) ------------------------

constexpr auto kSpNamed = std::to_array<KeyNameEntry>({
    {0x28, "Teclado num. Entrada"},
    {0x29, "Esc"},
    {0x2A, "Volver"},
    {0x2C, "Espacio"},
    {0x39, "MAY"},
    {0x46, "Imp pant"},
    {0x47, "Desplazamiento"},
    {0x48, "Pausa"},
    {0x49, "Insertar"},
    {0x4A, "Inicio"},
    {0x4B, "RePág"},
    {0x4C, "Supr"},
    {0x4D, "Fin"},
    {0x4E, "AvPág"},
    {0x4F, "↓"},
    {0x51, "→"},
    {0x53, "Bloqueo num."},
    {0x63, "Teclado num ."},
    {0x65, "APP"},
    {0xE0, "G-CTRL"},
    {0xE1, "L-Mayúscula"},
    {0xE2, "ALT"},
    {0xE3, "WIN"},
    {0xE4, "D-CTRL"},
    {0xE5, "R-Mayúscula"},
    {0xE6, "AltGr"},
    {0xE7, "Fn"},
});
constexpr KeyNameTable kSp{
    kBaseLetters,
    {"1!", "2\"", "3·", "4$", "5%", "6&", "7/", "8(", "9)", "0="},
    {"'?", "¡¿", "`^", "+*", "Ç}", "NULL", "Ñ", "´¨", "ºª", ",;", ".:", "-_"},
    "Teclado num.",
    kSpNamed,
};

// --- 6 IT: Italian --------------------------------------------------------------------------

constexpr auto kItNamed = std::to_array<KeyNameEntry>({
    {0x28, "Tast. Num. Invio"},
    {0x29, "Esci"},
    {0x2A, "Indietro"},
    {0x2C, "Spazio"},
    {0x39, "BLOC MAIUSC"},
    {0x46, "Stamp"},
    {0x47, "Scorri"},
    {0x48, "Pausa"},
    {0x49, "Inserisci"},
    {0x4B, "Pagina Su"},
    {0x4C, "Canc"},
    {0x4D, "Fine"},
    {0x4E, "Pagina Giù"},
    {0x53, "Bloc Num"},
    {0x54, "Tast. Num. /"},
    {0x55, "Tast. Num. *"},
    {0x56, "Tast. Num. -"},
    {0x57, "Tast. Num. +"},
    {0x60, "Tast.Num 8"},
    {0x63, "Tast. Num."},
    {0x65, "APP"},
    {0xE0, "G-CTRL"},
    {0xE1, "L-MAIUSC"},
    {0xE2, "ALT"},
    {0xE3, "WIN"},
    {0xE4, "D-CTRL"},
    {0xE5, "R-MAIUSC"},
    {0xE6, "AltGr"},
    {0xE7, "Fn"},
});
constexpr KeyNameTable kIt{
    kBaseLetters,
    {"1!", "2\"", "3£", "4$", "5%", "6&", "7/", "8(", "9)", "0="},
    {"'?", "ì^", "èé", "+*", "ù§", "NULL", "òç", "à°", "\\|", ",;", ".:", "-_"},
    "Tast. Num",
    kItNamed,
};

// --- 7 RU: Russian, 24 UA: Ukrainian ------------------------------------------------------

constexpr Letters kRuLetters = {
    "Ф", "И", "С", "В", "У", "А", "П", "Р", "Ш", "О", "Л", "Д", "Ь",
    "Т", "Щ", "З", "Й", "К", "Ы", "Е", "Г", "М", "Ц", "Ч", "Н", "Я",
};
constexpr auto kRuNamed = std::to_array<KeyNameEntry>({{0x28, "Клавиатура Enter"}});
constexpr KeyNameTable kRu{
    kRuLetters,
    {"1!", "2\"", "3№", "4;", "5%", "6:", "7?", "8*", "9(", "0)"},
    {"-_", "=+", "Х", "Ъ", "\\/", "NULL", "Ж", "Э", "Ё", "Б", "Ю", ".,"},
    "Клавиатура",
    kRuNamed,
};

constexpr Letters kUaLetters = {
    "Ф", "И", "С", "В", "У", "А", "П", "Р", "Ш", "О", "Л", "Д", "Ь",
    "Т", "Щ", "З", "Й", "К", "І", "Е", "Г", "М", "Ц", "Ч", "Н", "Я",
};
constexpr auto kUaNamed = std::to_array<KeyNameEntry>({{0x28, "Клавіатура Enter"}});
constexpr KeyNameTable kUa{
    kUaLetters,
    {"1!", "2\"", "3№", "4;", "5%", "6:", "7?", "8*", "9(", "0)"},
    {"-_", "=+", "хХ", "їЇ", "\\/", "NULL", "жЖ", "єЄ", "₴", "бБ", "юЮ", ".,"},
    "Клавіатура",
    kUaNamed,
};

// --- 8 TU: Turkish Q --------------------------------------------------------------------------

constexpr KeyNameTable kTu{
    kBaseLetters,
    {"1!", "2'", "3^", "4+", "5%", "6&", "7/", "8(", "9)", "0="},
    {"*?", "-_", "Ğğ", "Üü", ",;", "-", "ş", "İi", "\"é", "öÖ", "ç", ".:"},
    "KeyPad",
    {},
};

// --- 9 PO: Portuguese ---------------------------------------------------------------------

constexpr auto kPoNamed = std::to_array<KeyNameEntry>({
    {0x28, "Teclado Enter"},
    {0x29, "Esc"},
    {0x2A, "Bacspace"},
    {0x2B, "Tab"},
    {0x2C, "Espaço"},
    {0x39, "Caps"},
    {0x47, "Rolagem"},
    {0x48, "Pausa"},
    {0x49, "Inserir"},
    {0x4A, "Casa"},
    {0x4B, "ubir página"},
    {0x4C, "Excluir"},
    {0x4D, "Fim"},
    {0x4E, "Página Baixo"},
    {0x53, "Num Lock"},
    {0xE4, "Alt Gr"},
});
constexpr KeyNameTable kPo{
    kBaseLetters,
    {"1!", "2\"", "3#", "4$", "5%", "6&", "7/", "8(", "9)", "0="},
    {"'?", "« »", "+*", "´`", "~^", "NULL", "Çç", "º ª", "\\|", ",;", ".:", "-_"},
    "Teclado",
    kPoNamed,
};

// --- 10 TH: Thai Kedmanee (unshifted character first) ---------------------------------------

constexpr auto kThNamed = std::to_array<KeyNameEntry>({
    {0x28, "คีย์แพด ป้อน"},
    {0x29, "หนี"},
    {0x46, "PrintSk"},
    {0x48, "หยุด"},
    {0x49, "แทรก"},
    {0x4B, "เลื่อนหน้าขึ้น"},
    {0x4C, "ลบ"},
    {0x4D, "สิ้นสุด"},
    {0x4E, "เลื่อนหน้าลง"},
    {0x53, "ล็อคหมายเลข"},
});
constexpr KeyNameTable kTh{
    {"ฟฤ", "ิฺ",   "แฉ", "กฏ", "ำฎ", "ดโ", "เฌ", "้็", "รณ", "่๋",  "าษ", "สศ", "ท?",
     "ื์",   "นฯ", "ยญ", "ๆ๐", "พฑ", "หฆ", "ะธ", "ี๊", "อฮ", "ไ", "ป)", "ัํ",   "ผ("},
    {"ๅ+", "/๑", "-๒", "ภ๓", "ถ๔", "ุู", "ึ฿", "ค๕", "ต๖", "จ๗"},
    {"ข๘", "ช๙", "บฐ", "ล,", "ฃฅ", "NULL", "วซ", "ง.", "_%", "มฒ", "ใฬ", "ฝฦ"},
    "คีย์แพด",
    kThNamed,
};

// --- 11 KR, 12 JP, 14 PL, 17 NL: Latin keyboards with local key names ------------------------

constexpr auto kKrNamed =
    std::to_array<KeyNameEntry>({{0x2A, "역행 키이"}, {0x47, "스크롤"}, {0x48, "중지"}});
constexpr KeyNameTable kKr{kBaseLetters, kBaseDigits, kBasePunctuation, "KeyPad", kKrNamed};

constexpr auto kJpNamed = std::to_array<KeyNameEntry>({
    {0x28, "キーパッド Enter"},
    {0x29, "Esc"},
    {0x2B, "Tab"},
    {0x39, "Caps"},
});
constexpr KeyNameTable kJp{kBaseLetters, kBaseDigits, kBasePunctuation, "キーパッド", kJpNamed};

constexpr auto kPlNamed =
    std::to_array<KeyNameEntry>({{0x29, "Esc"}, {0x2B, "Tab"}, {0x39, "Caps"}});
constexpr KeyNameTable kPl{kBaseLetters, kBaseDigits, kBasePunctuation, "KeyPad", kPlNamed};

constexpr auto kEscTabNamed = std::to_array<KeyNameEntry>({{0x29, "Esc"}, {0x2B, "Tab"}});
constexpr KeyNameTable kNl{kBaseLetters, kBaseDigits, kBasePunctuation, "KeyPad", kEscTabNamed};

// --- 13 AR: Arabic, with the digit row of French keyboards ------------------------------------

constexpr auto kArNamed = std::to_array<KeyNameEntry>({
    {0x28, "لوحة المفاتيح Enter"},
    {0x2A, "Backspace"},
    {0x2B, "Tab"},
    {0x39, "Caps"},
    {0xE2, "Alt"},
    {0xE6, "Alt Gr"},
});
constexpr KeyNameTable kAr{
    {"ش", "لا", "ؤ", "ي", "ث", "ب", "ل", "ا", "ه", "ت", "ن", "م", "ة",
     "ى", "خ",  "ح", "ض", "ق", "س", "ف", "ع", "ر", "ص", "ء", "غ", "ئ"},
    {"1&", "2é", "3\"", "4'", "5(", "6-", "7è", "8_", "9ç", "0)"},
    {"_-", "=+", "ج", "د", "\\|", "NULL", "ك", "ط", "ذ", "و", "ز", "ظ"},
    "لوحة المفاتيح",
    kArNamed,
};

// --- 15 CZ: Czech, 22 SL: Slovak (QWERTZ, accented letters on the digit row) -----------------

constexpr KeyNameTable kCz{
    kQwertzLetters,
    {"1+", "2Ě", "3Š", "4Č", "5Ř", "6Ž", "7Ý", "8Á", "9Í", "0É"},
    {"=%", "´ˇ", "Ú/", ")(", "¨'", "NULL", "Ů\"", "§!", ";°", ",?", ".:", "-_"},
    "KeyPad",
    {},
};

constexpr auto kSlNamed = std::to_array<KeyNameEntry>({{0x29, "Esc"}, {0x39, "Caps"}});
constexpr KeyNameTable kSl{
    kQwertzLetters,
    {"1+", "2ľ", "3š", "4č", "5ť", "6ž", "7ý", "8á", "9í", "0é"},
    {"=%", "´ˇ", "ú/", "ä(", "ň)", "NULL", "ô", "§!", ";°", ",?", ".:", "-_"},
    "KeyPad",
    kSlNamed,
};

// --- 16 SE: Swedish, 21 DA: Danish --------------------------------------------------------

constexpr KeyNameTable kSe{
    kBaseLetters,
    {"1!", "2\"", "3#", "4¤", "5%", "6&", "7/", "8(", "9)", "0="},
    {"+?", "´`", "Åå", "¨^", "'*", "NULL", "öÖ", "äÄ", "§½", ",;", ".:", "-_"},
    "KeyPad",
    kEscTabNamed,
};

// The keypad's 0 and decimal keys keep the base names on this table.
constexpr auto kDaNamed = std::to_array<KeyNameEntry>({
    {0x28, "Tastatur Enter"},
    {0x29, "Esc"},
    {0x2B, "Tab"},
    {0x39, "Caps"},
    {0x62, "KeyPad 0"},
    {0x63, "KeyPad ."},
});
constexpr KeyNameTable kDa{
    kBaseLetters,
    {"1!", "2\"", "3#", "4¤", "5%", "6&", "7/", "8(", "9)", "0="},
    {"+?", "´`", "åÅ", "¨^", "'*", "NULL", "æÆ", "øØ", "½§", ",;", ".:", "-_"},
    "Tastatur",
    kDaNamed,
};

// --- 23 FA: Persian -------------------------------------------------------------------------

// The main Enter name ends with a blank, as it always has.
constexpr auto kFaNamed = std::to_array<KeyNameEntry>({{0x28, "وارد کلید "}});
constexpr KeyNameTable kFa{
    {"ش", "ذ", "ز", "ی", "ث", "ب", "ل", "ا", "ه", "ت", "ن", "م", "ئ",
     "د", "خ", "ح", "ض", "ق", "س", "ف", "ع", "ر", "ص", "ط", "غ", "ظ"},
    {"۱!", "۲٬", "۳٫", "۴﷼", "۵٪", "۶×", "۷،", "۸*", "۹)", "۰("},
    {"-_", "=+", "ج}", "چ{", "پ|", "NULL", "ک:", "گ\"", "÷", "و<", ".>", "/؟"},
    "تغییر کلید",
    kFaNamed,
};

// --- 26 HUN: Hungarian (QWERTZ; 0 left of 1, ö where 0 is elsewhere) -------------------------

constexpr auto kHunNamed = std::to_array<KeyNameEntry>({{0x64, "í"}, {0xF0, "NULL"}});
constexpr KeyNameTable kHun{
    kQwertzLetters,
    {"1'", "2\"", "3+", "4!", "5%", "6/", "7=", "8(", "9)", "ö"},
    {"ü", "ó", "ő", "ú", "ű", "NULL", "é", "á", "0", ",?", ".:", "-_"},
    "KeyPad",
    kHunNamed,
};

// By LanguageIndex 0..26; null where an index has no table (25).
constexpr std::array<const KeyNameTable*, 27> kTables = {
    &kBase, &kBase, &kFr,   &kBili, &kDe, &kSp, &kIt, &kRu,    &kTu,
    &kPo,   &kTh,   &kKr,   &kJp,   &kAr, &kPl, &kCz, &kSe,    &kNl,
    &kBase, &kBase, &kBase, &kDa,   &kSl, &kFa, &kUa, nullptr, &kHun,
};

}  // namespace

const KeyNameTable* FindKeyNameTable(int languageIndex) {
    if (languageIndex < 0 || languageIndex >= static_cast<int>(kTables.size())) {
        return nullptr;
    }
    return kTables[static_cast<std::size_t>(languageIndex)];
}

std::span<const KeyNameEntry> BaseNamedKeys() {
    return kBaseNamed;
}

std::span<const KeyNameEntry> KeypadSuffixes() {
    return kKeypadSuffixes;
}

}  // namespace novu
