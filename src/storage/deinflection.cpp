#include "storage/deinflection.h"

#include <algorithm>
#include <initializer_list>

namespace {

using namespace word_class;

constexpr std::size_t kMaxTermLength = 48;
constexpr std::size_t kMaxCandidates = 400;
constexpr std::size_t kMaxSteps = 8;

struct Rule {
    std::u16string from, to;
    WordClasses source;  // what the inflected word must be able to be
    WordClasses target;  // what the word it comes from is
    std::vector<Inflection> forms;
};

class Rules {
public:
    Rules() {
        AddIchidan();
        AddGodan();
        AddIrregular();
        AddAdjectives();
        AddAuxiliaries();
        // Longer endings first, so that the likelier reading comes first.
        std::stable_sort(rules_.begin(), rules_.end(), [](const Rule& a, const Rule& b) { return a.from.size() > b.from.size(); });
    }
    const std::vector<Rule>& All() const { return rules_; }

private:
    void Add(std::u16string from, std::u16string to, WordClasses source, WordClasses target, std::initializer_list<Inflection> forms) {
        rules_.push_back({std::move(from), std::move(to), source, target, forms});
    }

    // The forms made by adding to a verb's stem: for an ichidan verb the stem
    // is the word without る; for a godan verb, the stem with the row's kana.
    void AddVerbForms(const std::u16string& base, WordClasses target, const std::u16string& aStem,
                      const std::u16string& iStem, const std::u16string& eStem) {
        Add(aStem + u"ない", base, kAdjectiveI, target, {Inflection::Negative});
        Add(iStem + u"ます", base, kPolite, target, {Inflection::Polite});
        Add(iStem + u"たい", base, kAdjectiveI, target, {Inflection::Desire});
        Add(eStem + u"ば", base, kTerm, target, {Inflection::ConditionalBa});
    }

    void AddIchidan() {
        const std::u16string ru = u"る";
        AddVerbForms(ru, kIchidan, u"", u"", u"れ");
        Add(u"た", ru, kTerm, kIchidan, {Inflection::Past});
        Add(u"て", ru, kTeForm, kIchidan, {Inflection::TeForm});
        Add(u"たら", ru, kTerm, kIchidan, {Inflection::ConditionalTara});
        Add(u"られる", ru, kIchidan, kIchidan, {Inflection::PotentialOrPassive});
        Add(u"れる", ru, kIchidan, kIchidan, {Inflection::Potential});
        Add(u"させる", ru, kIchidan, kIchidan, {Inflection::Causative});
        Add(u"よう", ru, kTerm, kIchidan, {Inflection::Volitional});
        Add(u"ろ", ru, kTerm, kIchidan, {Inflection::Imperative});
        Add(u"よ", ru, kTerm, kIchidan, {Inflection::Imperative});
    }

    void AddGodan() {
        struct Row {
            char16_t u, a, i, e, o;
            const char16_t* te;
            const char16_t* ta;
            WordClasses classes;      // every form but the te-form and past
            WordClasses teAndPast;    // those two
        };
        static const Row kRows[] = {
            {u'く', u'か', u'き', u'け', u'こ', u"いて", u"いた", kGodanKu | kGodanIku, kGodanKu},
            {u'く', u'か', u'き', u'け', u'こ', u"って", u"った", 0, kGodanIku},
            {u'ぐ', u'が', u'ぎ', u'げ', u'ご', u"いで", u"いだ", kGodanGu, kGodanGu},
            {u'す', u'さ', u'し', u'せ', u'そ', u"して", u"した", kGodanSu, kGodanSu},
            {u'つ', u'た', u'ち', u'て', u'と', u"って", u"った", kGodanTsu, kGodanTsu},
            {u'ぬ', u'な', u'に', u'ね', u'の', u"んで", u"んだ", kGodanNu, kGodanNu},
            {u'ぶ', u'ば', u'び', u'べ', u'ぼ', u"んで", u"んだ", kGodanBu, kGodanBu},
            {u'む', u'ま', u'み', u'め', u'も', u"んで", u"んだ", kGodanMu, kGodanMu},
            {u'る', u'ら', u'り', u'れ', u'ろ', u"って", u"った", kGodanRu | kGodanAru | kGodanHonorific,
             kGodanRu | kGodanAru | kGodanHonorific},
            {u'う', u'わ', u'い', u'え', u'お', u"って", u"った", kGodanU | kGodanUSpecial, kGodanU},
            {u'う', u'わ', u'い', u'え', u'お', u"うて", u"うた", 0, kGodanUSpecial},
        };
        for (const Row& row : kRows) {
            const std::u16string u(1, row.u), a(1, row.a), e(1, row.e);
            if (row.teAndPast != 0) {
                const std::u16string ta = row.ta;
                // The past and te-form take the place of the row's kana.
                const std::u16string te = row.te;
                Add(ta, u, kTerm, row.teAndPast, {Inflection::Past});
                Add(te, u, kTeForm, row.teAndPast, {Inflection::TeForm});
                Add(ta + u"ら", u, kTerm, row.teAndPast, {Inflection::ConditionalTara});
            }
            if (row.classes == 0) continue;
            AddVerbForms(u, row.classes, a, std::u16string(1, row.i), e);
            Add(e + u"る", u, kIchidan, row.classes, {Inflection::Potential});
            Add(a + u"れる", u, kIchidan, row.classes, {Inflection::Passive});
            Add(a + u"せる", u, kIchidan, row.classes, {Inflection::Causative});
            Add(a + u"される", u, kIchidan, row.classes, {Inflection::CausativePassive});
            Add(std::u16string(1, row.o) + u"う", u, kTerm, row.classes, {Inflection::Volitional});
            Add(e, u, kTerm, row.classes, {Inflection::Imperative});
        }
        // なさる, くださる: polite なさいます, imperative ください.
        Add(u"います", u"る", kPolite, kGodanHonorific, {Inflection::Polite});
        Add(u"い", u"る", kTerm, kGodanHonorific, {Inflection::Imperative});
    }

    void AddIrregular() {
        struct Form {
            const char16_t* kuru;  // after 来, and in kana
            const char16_t* kana;
            const char16_t* suru;
            WordClasses source;
            Inflection form;
        };
        static const Form kForms[] = {
            {u"た", u"きた", u"した", kTerm, Inflection::Past},
            {u"て", u"きて", u"して", kTeForm, Inflection::TeForm},
            {u"ない", u"こない", u"しない", kAdjectiveI, Inflection::Negative},
            {u"ます", u"きます", u"します", kPolite, Inflection::Polite},
            {u"たい", u"きたい", u"したい", kAdjectiveI, Inflection::Desire},
            {u"られる", u"こられる", nullptr, kIchidan, Inflection::PotentialOrPassive},
            {u"れる", u"これる", u"できる", kIchidan, Inflection::Potential},
            {nullptr, nullptr, u"される", kIchidan, Inflection::Passive},
            {u"させる", u"こさせる", u"させる", kIchidan, Inflection::Causative},
            {u"よう", u"こよう", u"しよう", kTerm, Inflection::Volitional},
            {u"い", u"こい", u"しろ", kTerm, Inflection::Imperative},
            {nullptr, nullptr, u"せよ", kTerm, Inflection::Imperative},
            {u"れば", u"くれば", u"すれば", kTerm, Inflection::ConditionalBa},
            {u"たら", u"きたら", u"したら", kTerm, Inflection::ConditionalTara},
        };
        for (const Form& f : kForms) {
            if (f.kuru) Add(std::u16string(u"来") + f.kuru, u"来る", f.source, kKuru, {f.form});
            if (f.kana) Add(f.kana, u"くる", f.source, kKuru, {f.form});
            if (f.suru) Add(f.suru, u"する", f.source, kSuru, {f.form});
        }
        Add(u"する", u"", kSuru, kSuruNoun, {Inflection::SuruVerb});
    }

    void AddAdjectives() {
        for (const char16_t* stem : {u"", u"よ"}) {
            // いい inflects from よい: よくない, よかった.
            const std::u16string s = stem, base = *stem ? u"いい" : u"い";
            Add(s + u"くない", base, kAdjectiveI, kAdjectiveI, {Inflection::Negative});
            Add(s + u"かった", base, kTerm, kAdjectiveI, {Inflection::Past});
            Add(s + u"くて", base, kTeForm, kAdjectiveI, {Inflection::TeForm});
            Add(s + u"く", base, kTerm, kAdjectiveI, {Inflection::Adverb});
            Add(s + u"ければ", base, kTerm, kAdjectiveI, {Inflection::ConditionalBa});
            Add(s + u"かったら", base, kTerm, kAdjectiveI, {Inflection::ConditionalTara});
        }
        Add(u"いです", u"い", kTerm, kAdjectiveI, {Inflection::Polite});
    }

    // Endings that turn one inflected form into another.
    void AddAuxiliaries() {
        Add(u"ました", u"ます", kTerm, kPolite, {Inflection::Past});
        Add(u"ません", u"ます", kTerm, kPolite, {Inflection::Negative});
        Add(u"ませんでした", u"ます", kTerm, kPolite, {Inflection::Negative, Inflection::Past});
        Add(u"ましょう", u"ます", kTerm, kPolite, {Inflection::Volitional});
        Add(u"まして", u"ます", kTeForm, kPolite, {Inflection::TeForm});
        Add(u"ましたら", u"ます", kTerm, kPolite, {Inflection::ConditionalTara});
        Add(u"ないで", u"ない", kTeForm, kAdjectiveI, {Inflection::TeForm});
        for (const char16_t* te : {u"て", u"で"}) {
            const std::u16string t = te;
            Add(t + u"いる", t, kIchidan, kTeForm, {Inflection::Progressive});
            Add(t + u"る", t, kIchidan, kTeForm, {Inflection::Progressive});
            Add(t + u"しまう", t, kGodanU, kTeForm, {Inflection::Completion});
        }
        Add(u"ちゃう", u"て", kGodanU, kTeForm, {Inflection::Completion});
        Add(u"じゃう", u"で", kGodanU, kTeForm, {Inflection::Completion});
    }

    std::vector<Rule> rules_;
};

bool IsEnglishWord(std::u16string_view word) {
    return !word.empty() && std::all_of(word.begin(), word.end(), [](char16_t c) { return (c >= u'a' && c <= u'z') || c == u'\''; });
}

bool IsVowel(char16_t c) { return c == u'a' || c == u'e' || c == u'i' || c == u'o' || c == u'u'; }

void AddEnglish(std::u16string_view word, std::vector<Deinflection>& out) {
    struct Irregular {
        std::u16string_view form, base;
        Inflection inflection;
    };
    static constexpr Irregular kIrregular[] = {
        {u"ran", u"run", Inflection::Past}, {u"went", u"go", Inflection::Past}, {u"gone", u"go", Inflection::PastParticiple},
        {u"was", u"be", Inflection::Past}, {u"were", u"be", Inflection::Past}, {u"been", u"be", Inflection::PastParticiple},
        {u"is", u"be", Inflection::Plural}, {u"are", u"be", Inflection::Plural}, {u"am", u"be", Inflection::Plural},
        {u"had", u"have", Inflection::Past}, {u"has", u"have", Inflection::Plural}, {u"did", u"do", Inflection::Past},
        {u"done", u"do", Inflection::PastParticiple}, {u"does", u"do", Inflection::Plural}, {u"saw", u"see", Inflection::Past},
        {u"seen", u"see", Inflection::PastParticiple}, {u"took", u"take", Inflection::Past}, {u"taken", u"take", Inflection::PastParticiple},
        {u"came", u"come", Inflection::Past}, {u"got", u"get", Inflection::Past}, {u"gotten", u"get", Inflection::PastParticiple},
        {u"made", u"make", Inflection::Past}, {u"said", u"say", Inflection::Past}, {u"knew", u"know", Inflection::Past},
        {u"known", u"know", Inflection::PastParticiple}, {u"thought", u"think", Inflection::Past}, {u"brought", u"bring", Inflection::Past},
        {u"bought", u"buy", Inflection::Past}, {u"caught", u"catch", Inflection::Past}, {u"taught", u"teach", Inflection::Past},
        {u"felt", u"feel", Inflection::Past}, {u"left", u"leave", Inflection::Past}, {u"kept", u"keep", Inflection::Past},
        {u"slept", u"sleep", Inflection::Past}, {u"ate", u"eat", Inflection::Past}, {u"eaten", u"eat", Inflection::PastParticiple},
        {u"wrote", u"write", Inflection::Past}, {u"written", u"write", Inflection::PastParticiple}, {u"spoke", u"speak", Inflection::Past},
        {u"spoken", u"speak", Inflection::PastParticiple}, {u"broke", u"break", Inflection::Past}, {u"broken", u"break", Inflection::PastParticiple},
        {u"gave", u"give", Inflection::Past}, {u"given", u"give", Inflection::PastParticiple}, {u"found", u"find", Inflection::Past},
        {u"told", u"tell", Inflection::Past}, {u"stood", u"stand", Inflection::Past}, {u"understood", u"understand", Inflection::Past},
        {u"sat", u"sit", Inflection::Past}, {u"began", u"begin", Inflection::Past}, {u"begun", u"begin", Inflection::PastParticiple},
        {u"drank", u"drink", Inflection::Past}, {u"drunk", u"drink", Inflection::PastParticiple}, {u"drove", u"drive", Inflection::Past},
        {u"driven", u"drive", Inflection::PastParticiple}, {u"flew", u"fly", Inflection::Past}, {u"flown", u"fly", Inflection::PastParticiple},
        {u"forgot", u"forget", Inflection::Past}, {u"forgotten", u"forget", Inflection::PastParticiple}, {u"grew", u"grow", Inflection::Past},
        {u"grown", u"grow", Inflection::PastParticiple}, {u"heard", u"hear", Inflection::Past}, {u"held", u"hold", Inflection::Past},
        {u"lost", u"lose", Inflection::Past}, {u"met", u"meet", Inflection::Past}, {u"paid", u"pay", Inflection::Past},
        {u"rode", u"ride", Inflection::Past}, {u"rang", u"ring", Inflection::Past},
        {u"rose", u"rise", Inflection::Past}, {u"sang", u"sing", Inflection::Past}, {u"sung", u"sing", Inflection::PastParticiple},
        {u"sold", u"sell", Inflection::Past}, {u"sent", u"send", Inflection::Past}, {u"spent", u"spend", Inflection::Past},
        {u"swam", u"swim", Inflection::Past}, {u"threw", u"throw", Inflection::Past}, {u"thrown", u"throw", Inflection::PastParticiple},
        {u"won", u"win", Inflection::Past}, {u"wore", u"wear", Inflection::Past}, {u"worn", u"wear", Inflection::PastParticiple},
        {u"built", u"build", Inflection::Past}, {u"chose", u"choose", Inflection::Past}, {u"chosen", u"choose", Inflection::PastParticiple},
        {u"fell", u"fall", Inflection::Past}, {u"fallen", u"fall", Inflection::PastParticiple}, {u"fought", u"fight", Inflection::Past},
        {u"led", u"lead", Inflection::Past}, {u"meant", u"mean", Inflection::Past},
        {u"children", u"child", Inflection::Plural}, {u"men", u"man", Inflection::Plural}, {u"women", u"woman", Inflection::Plural},
        {u"feet", u"foot", Inflection::Plural}, {u"teeth", u"tooth", Inflection::Plural}, {u"mice", u"mouse", Inflection::Plural},
        {u"geese", u"goose", Inflection::Plural}, {u"people", u"person", Inflection::Plural}, {u"oxen", u"ox", Inflection::Plural},
        {u"better", u"good", Inflection::Comparative}, {u"best", u"good", Inflection::Superlative}, {u"better", u"well", Inflection::Comparative},
        {u"worse", u"bad", Inflection::Comparative}, {u"worst", u"bad", Inflection::Superlative}, {u"more", u"many", Inflection::Comparative},
        {u"most", u"many", Inflection::Superlative}, {u"more", u"much", Inflection::Comparative}, {u"less", u"little", Inflection::Comparative},
        {u"least", u"little", Inflection::Superlative}, {u"further", u"far", Inflection::Comparative}, {u"farther", u"far", Inflection::Comparative},
        {u"furthest", u"far", Inflection::Superlative}, {u"farthest", u"far", Inflection::Superlative},
    };
    for (const Irregular& irregular : kIrregular) {
        if (irregular.form == word && irregular.base != word) out.push_back({std::u16string(irregular.base), 0, {irregular.inflection}});
    }
    struct Suffix {
        std::u16string_view ending, replacement;
        Inflection inflection;
    };
    static constexpr Suffix kSuffixes[] = {
        {u"ies", u"y", Inflection::Plural},     {u"ves", u"f", Inflection::Plural},    {u"ves", u"fe", Inflection::Plural},
        {u"es", u"", Inflection::Plural},       {u"s", u"", Inflection::Plural},       {u"men", u"man", Inflection::Plural},
        {u"ied", u"y", Inflection::Past},       {u"ed", u"", Inflection::Past},        {u"ed", u"e", Inflection::Past},
        {u"ying", u"ie", Inflection::IngForm},  {u"ing", u"", Inflection::IngForm},    {u"ing", u"e", Inflection::IngForm},
        {u"ier", u"y", Inflection::Comparative}, {u"er", u"", Inflection::Comparative}, {u"er", u"e", Inflection::Comparative},
        {u"iest", u"y", Inflection::Superlative}, {u"est", u"", Inflection::Superlative}, {u"est", u"e", Inflection::Superlative},
    };
    for (const Suffix& suffix : kSuffixes) {
        if (word.size() <= suffix.ending.size() || !word.ends_with(suffix.ending)) continue;
        const std::u16string_view stem = word.substr(0, word.size() - suffix.ending.size());
        if (stem.size() + suffix.replacement.size() < 2) continue;
        if (suffix.ending == u"s" && stem.ends_with(u's')) continue;  // glass, not "glas"
        out.push_back({std::u16string(stem) + std::u16string(suffix.replacement), 0, {suffix.inflection}});
        // stopped, running, bigger: a doubled last consonant is one.
        const std::size_t n = stem.size();
        if (suffix.replacement.empty() && n >= 3 && stem[n - 1] == stem[n - 2] && !IsVowel(stem[n - 1]) && stem[n - 1] != u's' &&
            stem[n - 1] != u'l' && suffix.ending != u"s" && suffix.ending != u"es") {
            out.push_back({std::u16string(stem.substr(0, n - 1)), 0, {suffix.inflection}});
        }
    }
}

const char16_t* Describe(Inflection form) {
    switch (form) {
    case Inflection::Past: return u"past";
    case Inflection::TeForm: return u"te-form";
    case Inflection::Negative: return u"negative";
    case Inflection::Polite: return u"polite";
    case Inflection::Desire: return u"desire (たい)";
    case Inflection::Potential: return u"potential";
    case Inflection::Passive: return u"passive";
    case Inflection::PotentialOrPassive: return u"potential or passive";
    case Inflection::Causative: return u"causative";
    case Inflection::CausativePassive: return u"causative passive";
    case Inflection::Volitional: return u"volitional";
    case Inflection::Imperative: return u"imperative";
    case Inflection::ConditionalBa: return u"conditional (ば)";
    case Inflection::ConditionalTara: return u"conditional (たら)";
    case Inflection::Progressive: return u"progressive (ている)";
    case Inflection::Completion: return u"completed (てしまう)";
    case Inflection::Adverb: return u"adverb";
    case Inflection::SuruVerb: return u"";
    case Inflection::Plural: return u"plural";
    case Inflection::PastParticiple: return u"past participle";
    case Inflection::IngForm: return u"-ing form";
    case Inflection::Comparative: return u"comparative";
    case Inflection::Superlative: return u"superlative";
    }
    return u"";
}

}  // namespace

std::vector<Deinflection> Deinflect(std::u16string_view foldedTerm) {
    std::vector<Deinflection> out;
    if (foldedTerm.empty() || foldedTerm.size() > kMaxTermLength) return out;
    if (IsEnglishWord(foldedTerm)) {
        AddEnglish(foldedTerm, out);
        return out;
    }
    static const Rules rules;
    // Breadth first: each candidate is deinflected further in turn, so that
    // shorter chains come first and a form reached twice is kept once.
    std::vector<Deinflection> all{{std::u16string(foldedTerm), kAny, {}}};
    for (std::size_t next = 0; next < all.size() && all.size() < kMaxCandidates; ++next) {
        if (all[next].forms.size() >= kMaxSteps) continue;
        for (const Rule& rule : rules.All()) {
            const Deinflection& word = all[next];
            if (!(word.classes & rule.source) || !std::u16string_view(word.text).ends_with(rule.from)) continue;
            std::u16string text = word.text.substr(0, word.text.size() - rule.from.size()) + rule.to;
            if (text.empty()) continue;
            const bool known = std::any_of(all.begin(), all.end(), [&](const Deinflection& d) { return d.text == text && d.classes == rule.target; });
            if (known) continue;
            std::vector<Inflection> forms = rule.forms;
            forms.insert(forms.end(), word.forms.begin(), word.forms.end());
            all.push_back({std::move(text), rule.target, std::move(forms)});
            if (all.size() >= kMaxCandidates) break;
        }
    }
    // The steps between (a te-form, a polite ます) are no dictionary form.
    for (std::size_t i = 1; i < all.size(); ++i) {
        if (all[i].classes & kDictionaryTags) out.push_back(std::move(all[i]));
    }
    return out;
}

InflectionWording WordInflections(const std::vector<Inflection>& forms, std::u16string_view dictionaryForm) {
    InflectionWording wording{std::u16string(dictionaryForm), {}};
    std::size_t first = 0;
    if (!forms.empty() && forms[0] == Inflection::SuruVerb) {
        wording.base += u"する";
        first = 1;
    }
    for (std::size_t i = first; i < forms.size(); ++i) {
        // 食べている is progressive: its te-form is part of the ending.
        const bool partOfNext = forms[i] == Inflection::TeForm && i + 1 < forms.size() &&
                                (forms[i + 1] == Inflection::Progressive || forms[i + 1] == Inflection::Completion);
        if (!partOfNext) wording.named.push_back(forms[i]);
    }
    return wording;
}

std::u16string DescribeInflections(const std::vector<Inflection>& forms, std::u16string_view dictionaryForm) {
    const InflectionWording wording = WordInflections(forms, dictionaryForm);
    std::u16string text;
    for (Inflection form : wording.named) {
        if (!text.empty()) text += u' ';
        text += Describe(form);
    }
    if (text.empty()) return wording.base;
    return text + u" of " + wording.base;
}
