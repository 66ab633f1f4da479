#include "storage/word_class.h"

WordClasses WordClassOfTag(std::string_view tag) {
    using namespace word_class;
    struct Tag {
        std::string_view name;
        WordClasses classes;
    };
    static constexpr Tag kTags[] = {
        {"v1", kIchidan},       {"v1-s", kIchidan},         {"v5k", kGodanKu},      {"v5k-s", kGodanIku},
        {"v5g", kGodanGu},      {"v5s", kGodanSu},          {"v5t", kGodanTsu},     {"v5n", kGodanNu},
        {"v5b", kGodanBu},      {"v5m", kGodanMu},          {"v5r", kGodanRu},      {"v5r-i", kGodanAru},
        {"v5aru", kGodanHonorific}, {"v5u", kGodanU},       {"v5u-s", kGodanUSpecial}, {"vk", kKuru},
        {"vs-i", kSuru},        {"vs-s", kSuru},            {"vs", kSuruNoun},      {"adj-i", kAdjectiveI},
        {"adj-ix", kAdjectiveI},
    };
    for (const Tag& t : kTags) {
        if (t.name == tag) return t.classes;
    }
    return 0;
}

bool IsEdictTag(std::string_view tag) {
    static constexpr std::string_view kTags[] = {
        // parts of speech without a class of their own
        "adj-f", "adj-kari", "adj-ku", "adj-na", "adj-nari", "adj-no", "adj-pn", "adj-shiku", "adj-t", "adv", "adv-to",
        "aux", "aux-adj", "aux-v", "conj", "cop", "ctr", "exp", "int", "n", "n-adv", "n-pr", "n-pref", "n-suf", "n-t",
        "num", "pn", "pref", "prt", "suf", "unc", "v-unspec", "vi", "vn", "vr", "vs-c", "vt", "vz",
        // usage
        "abbr", "arch", "ateji", "chn", "col", "dated", "derog", "euph", "fam", "fem", "gikun", "hist", "hon", "hum",
        "iK", "id", "ik", "io", "joc", "m-sl", "male", "net-sl", "oK", "obs", "obsc", "ok", "on-mim", "poet", "pol",
        "proverb", "quote", "rK", "rare", "sK", "sens", "sl", "uK", "uk", "vulg", "X", "yoji",
        // field
        "agric", "anat", "archeol", "archit", "art", "astron", "audvid", "aviat", "baseb", "biochem", "biol", "bot",
        "Buddh", "bus", "cards", "chem", "Christn", "cloth", "comp", "cryst", "dent", "ecol", "econ", "elec", "electr",
        "embryo", "engr", "ent", "film", "finc", "fish", "food", "gardn", "genet", "geogr", "geol", "geom", "go", "golf",
        "gramm", "grmyth", "hanaf", "horse", "kabuki", "law", "ling", "logic", "MA", "mahj", "manga", "math", "mech",
        "med", "met", "mil", "mining", "music", "noh", "ornith", "paleo", "pathol", "pharm", "phil", "photo", "physics",
        "physiol", "politics", "print", "psy", "psyanal", "psych", "rail", "shinto", "shogi", "ski", "sports", "stat",
        "stockm", "sumo", "telec", "tradem", "tv", "vidg", "zool",
    };
    if (WordClassOfTag(tag) != 0) return true;
    // Classical verbs (v2a-s, v4h) and dialects (ksb:) come in many kinds.
    if (tag.size() >= 3 && tag[0] == 'v' && (tag[1] == '2' || tag[1] == '4' || tag[1] == '5')) return true;
    if (tag.size() == 4 && tag[3] == ':') return true;
    for (std::string_view known : kTags) {
        if (known == tag) return true;
    }
    return false;
}
