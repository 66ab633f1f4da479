#include "storage/dictionary_folding.h"

namespace {

// Half-width forms U+FF61..U+FF9F as their full-width characters.
constexpr char16_t kHalfWidth[] = {
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ', u'ョ', u'ッ', u'ー',
    u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ', u'サ', u'シ', u'ス', u'セ', u'ソ', u'タ',
    u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ', u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', u'マ', u'ミ',
    u'ム', u'メ', u'モ', u'ヤ', u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'\x3099', u'\x309A',
};

bool IsKatakana(char16_t c) { return c >= 0x30A1 && c <= 0x30F6; }

// The kana with a voiced (dakuten) or half-voiced (handakuten) mark, or 0.
char16_t WithSoundMark(char16_t kana, bool halfVoiced) {
    const bool hRow = kana >= u'ハ' && kana <= u'ホ' && (kana - u'ハ') % 3 == 0;
    if (halfVoiced) return hRow ? static_cast<char16_t>(kana + 2) : 0;
    if (hRow) return static_cast<char16_t>(kana + 1);
    if (kana == u'ウ') return u'ヴ';
    // カ..ヂ and ツ..ド: the voiced letter follows each unvoiced one.
    if (kana >= u'カ' && kana <= u'チ' && (kana - u'カ') % 2 == 0) return static_cast<char16_t>(kana + 1);
    if (kana >= u'ツ' && kana <= u'ト' && (kana - u'ツ') % 2 == 0) return static_cast<char16_t>(kana + 1);
    return 0;
}

char16_t FoldUnit(char16_t c) {
    if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
    if (c >= 0xFF01 && c <= 0xFF5E) return FoldUnit(static_cast<char16_t>(c - 0xFF01 + 0x21));
    if (c == 0x3000) return u' ';
    if (IsKatakana(c)) return static_cast<char16_t>(c - 0x60);
    if (c == u'ヽ' || c == u'ヾ') return static_cast<char16_t>(c - 0x60);
    return c;
}

}  // namespace

void AppendFoldedForDictionary(std::u16string_view text, std::u16string& out) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= 0xFF61 && c <= 0xFF9F) c = kHalfWidth[c - 0xFF61];
        // A sound mark after a kana, half-width or combining, joins it.
        if (IsKatakana(c) || (c >= 0x3041 && c <= 0x3096)) {
            char16_t next = i + 1 < text.size() ? text[i + 1] : 0;
            if (next == 0xFF9E) next = 0x3099;
            if (next == 0xFF9F) next = 0x309A;
            if (next == 0x3099 || next == 0x309A) {
                const bool hiragana = !IsKatakana(c);
                const char16_t base = hiragana ? static_cast<char16_t>(c + 0x60) : c;
                const char16_t marked = WithSoundMark(base, next == 0x309A);
                if (marked != 0) {
                    c = marked;
                    ++i;
                }
            }
        }
        out += FoldUnit(c);
    }
}

std::u16string FoldForDictionary(std::u16string_view text) {
    std::u16string folded;
    folded.reserve(text.size());
    AppendFoldedForDictionary(text, folded);
    return folded;
}
