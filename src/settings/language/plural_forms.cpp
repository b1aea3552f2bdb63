#include "settings/language/plural_forms.h"

namespace stilvane {

namespace {

// Primary language ids (the low ten bits of a language id).
enum Primary : unsigned {
    kChinese = 0x04,
    kCzech = 0x05,
    kFrench = 0x0C,
    kHungarian = 0x0E,
    kJapanese = 0x11,
    kKorean = 0x12,
    kPolish = 0x15,
    kPortuguese = 0x16,
    kRomanian = 0x18,
    kRussian = 0x19,
    kSlovak = 0x1B,
    kTurkish = 0x1F,
    kUkrainian = 0x22,
};

constexpr LanguageId kBrazilianPortuguese = 1046;

bool SlavicFew(std::uint64_t n) {
    return n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 12 || n % 100 > 14);
}

} // namespace

PluralForm PluralFormOf(LanguageId language, std::uint64_t n) {
    switch (language & 0x3FF) {
    case kChinese:
    case kJapanese:
    case kKorean:
    case kHungarian: // the noun stays singular after a number
    case kTurkish:
        return PluralForm::Other;
    case kFrench:
        return n <= 1 ? PluralForm::One : PluralForm::Other;
    case kPortuguese:
        // Brazil says "0 pop-up bloqueado", as French does; Portugal does not.
        return (language == kBrazilianPortuguese ? n <= 1 : n == 1) ? PluralForm::One
                                                                    : PluralForm::Other;
    case kCzech:
    case kSlovak:
        return n == 1 ? PluralForm::One : (n >= 2 && n <= 4 ? PluralForm::Few : PluralForm::Other);
    case kPolish:
        return n == 1 ? PluralForm::One : (SlavicFew(n) ? PluralForm::Few : PluralForm::Other);
    case kRussian:
    case kUkrainian:
        if (n % 10 == 1 && n % 100 != 11)
            return PluralForm::One;
        return SlavicFew(n) ? PluralForm::Few : PluralForm::Other;
    case kRomanian:
        // "1 fereastră", "2 ferestre" up to 19 (and 101-119, ...), "20 de ferestre".
        if (n == 1)
            return PluralForm::One;
        return n == 0 || (n % 100 >= 1 && n % 100 <= 19) ? PluralForm::Few : PluralForm::Other;
    default:
        return n == 1 ? PluralForm::One : PluralForm::Other;
    }
}

const char* PluralKeySuffix(PluralForm form) {
    switch (form) {
    case PluralForm::One:
        return "_1";
    case PluralForm::Few:
        return "_Few";
    case PluralForm::Other:
        break;
    }
    return "";
}

} // namespace stilvane
